"""The manual pages describe every option the programs' --help lists, each under its own
command, and render without a warning.

usage: man_pages_test.py QUORVEL QUORVEL_CLI PAGE_DIR"""
import re
import subprocess
import sys
from pathlib import Path

import help_texts

failures = []


def sections(page):
    """The page's text under each .SH or .SS heading, keyed by the heading's first word."""
    found, name = {}, None
    for line in page.splitlines():
        if heading := re.match(r"\.S[HS] (\S+)", line):
            name = heading.group(1)
        elif name:
            found[name] = found.get(name, "") + line + "\n"
    return found


def expect_described(options, text, where):
    for option in sorted(options):
        roff = re.escape(option.replace("-", "\\-"))
        if not re.search(r"(?<![\w\\-])" + roff + r"(?![\w-]|\\-)", text):
            failures.append(f"{where}: {option} is listed by --help but not described")


quorvel, cli, page_dir = sys.argv[1], sys.argv[2], Path(sys.argv[3])
app_page = sections((page_dir / "quorvel.1").read_text())
expect_described(help_texts.options(help_texts.help_text(quorvel)), app_page["OPTIONS"],
                 "quorvel.1 OPTIONS")

cli_page = sections((page_dir / "quorvel-cli.1").read_text())
top = help_texts.help_text(cli)
expect_described(help_texts.options(top), cli_page["OPTIONS"], "quorvel-cli.1 OPTIONS")
for command in help_texts.subcommands(top):
    if command not in cli_page:
        failures.append(f"quorvel-cli.1: no section for the {command} command")
        continue
    # -h/--help is described once for every command.
    options = help_texts.options(help_texts.help_text(cli, command)) - {"-h", "--help"}
    expect_described(options, cli_page[command], f"quorvel-cli.1 {command}")

for page in ("quorvel.1", "quorvel-cli.1"):
    path = str(page_dir / page)
    for lint in (["mandoc", "-Tlint", "-W", "warning", path], ["groff", "-man", "-ww", "-z", path]):
        result = subprocess.run(lint, capture_output=True, text=True)
        if result.returncode != 0 or result.stdout or result.stderr:
            failures.append(f"{' '.join(lint)}:\n{result.stdout}{result.stderr}")

print("\n".join(failures) or "every --help option is described; both pages render cleanly")
sys.exit(1 if failures else 0)
