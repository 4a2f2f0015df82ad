"""bash completion of quorvel-cli, driven the way bash drives it (COMP_WORDS, COMP_CWORD, the
function, COMPREPLY): its subcommands, options and option values are exactly what --help lists,
and file names are filtered by what each command reads or writes.

usage: completion_test.py QUORVEL_CLI COMPLETION_SCRIPT"""
import shlex
import subprocess
import sys
import tempfile
from pathlib import Path

import help_texts

BASH_COMPLETION = "/usr/share/bash-completion/bash_completion"
cli, script = sys.argv[1], sys.argv[2]
failures = []
cases = []  # (words of the command line, the last one being completed; expected COMPREPLY)


def expect(line, expected):
    cases.append((line, set(expected)))


top = help_texts.help_text(cli)
commands = help_texts.subcommands(top)
expect(["quorvel-cli", ""], commands)
expect(["quorvel-cli", "-"], help_texts.options(top))
for command in commands:
    text = help_texts.help_text(cli, command)
    expect(["quorvel-cli", command, "-"], help_texts.options(text))
    for option, values in help_texts.choices(text).items():
        expect(["quorvel-cli", command, option, ""], values)
expect(["quorvel-cli", "render", "--all", "--dvb", "s,t,"], {"s,t,s", "s,t,t", "s,t,c"})
expect(["quorvel-cli", "export", "--dvb=t"], {"t"})

# File names: a folder is always offered, so that the user can walk into it.
files = ["a.dat", "b.json", "c.png", "d.bmp", "e.svg", "f.pdf", "g.txt", "h.DAT", "sub"]
for command in ("render", "dump", "export", "report"):
    expect(["quorvel-cli", command, ""], {"a.dat", "b.json", "h.DAT", "sub"})
expect(["quorvel-cli", "info", ""], {"c.png", "sub"})
expect(["quorvel-cli", "build", ""], {"b.json", "sub"})
expect(["quorvel-cli", "build", "b.json", "-o", ""], {"a.dat", "h.DAT", "sub"})
expect(["quorvel-cli", "compare", ""], {"c.png", "d.bmp", "sub"})
expect(["quorvel-cli", "render", "a.dat", "-o", ""], {"c.png", "d.bmp", "e.svg", "f.pdf", "sub"})
expect(["quorvel-cli", "render", "--all", "a.dat", "-o", ""], {"sub"})
expect(["quorvel-cli", "report", "a.dat", "--output", ""], {"f.pdf", "sub"})
expect(["quorvel-cli", "export", "a.dat", "-o", ""], {"sub"})

# One bash runs every case; each answer is one line of tab-separated COMPREPLY items.
program = [f"source {BASH_COMPLETION}", f"source {shlex.quote(script)}"]
for words, _ in cases:
    quoted = " ".join(shlex.quote(w) for w in words)
    program += [f"COMP_WORDS=({quoted}); COMP_CWORD={len(words) - 1}",
                'COMP_LINE="${COMP_WORDS[*]}"; COMP_POINT=${#COMP_LINE}; COMPREPLY=()',
                "_quorvel_cli; (IFS=$'\\t'; echo \"${COMPREPLY[*]}\")"]
with tempfile.TemporaryDirectory() as folder:
    for name in files:
        (Path(folder) / name).mkdir() if name == "sub" else (Path(folder) / name).touch()
    result = subprocess.run(["bash", "--norc", "-c", "\n".join(program)], cwd=folder,
                            capture_output=True, text=True)
answers = result.stdout.split("\n")
if result.returncode != 0 or result.stderr or len(answers) != len(cases) + 1:
    sys.exit("bash did not answer every case:\n" + "\n".join(result.stderr.splitlines()[:5]))
for (words, expected), answer in zip(cases, answers):
    got = set(answer.split("\t")) - {""}
    if got != expected:
        failures.append(f"{' '.join(words)!r}: completes {sorted(got)}, expected {sorted(expected)}")

print("\n".join(failures) or f"{len(cases)} completions as expected")
sys.exit(1 if failures else 0)
