"""What the programs' own --help texts list: subcommands, options and the values options take."""
import os
import re
import subprocess

_OPTION_LINE = re.compile(r"^\s+(-[-\w]+(?:,\s*-[-\w]+)*)(.*)$")
_SUBCOMMAND_LINE = re.compile(r"^  ([a-z]+)\s{2,}\S")
_CHOICES = re.compile(r"TEXT:\{([^}]*)\}|TEXT:((?:\w+, )*\w+)(?:\s{2,}|$)")
_SMALL_RANGE = re.compile(r"INT in \[(\d+) - (\d+)\]")
_STEPPED_RANGE = re.compile(r"INT:(\d+)\.\.(\d+) step (\d+)")


def help_text(program, *words):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    result = subprocess.run([program, *words, "--help"], capture_output=True, text=True, env=env)
    if result.returncode != 0:
        raise SystemExit(f"{program} {' '.join(words)} --help failed: {result.stderr}")
    return result.stdout


def options(text):
    """Every option spelling the help lists, e.g. {'-h', '--help', '-o', '--output'}."""
    found = set()
    for line in text.splitlines():
        match = _OPTION_LINE.match(line)
        if match:
            found.update(name.strip() for name in match.group(1).split(","))
    return found


def subcommands(text):
    lines = text.split("Subcommands:", 1)[1].split("\n\n", 1)[0].splitlines()
    return [m.group(1) for m in map(_SUBCOMMAND_LINE.match, lines) if m]


def choices(text):
    """The options whose help gives a short, fixed set of values: {'--dvb': {'s', 't', 'c'}}."""
    found = {}
    for line in text.splitlines():
        match = _OPTION_LINE.match(line)
        if not match:
            continue
        name, rest = match.group(1).split(",")[-1].strip(), match.group(2)
        if m := _CHOICES.search(rest):
            found[name] = {v.strip() for v in (m.group(1) or m.group(2)).split(",")}
        elif (m := _SMALL_RANGE.search(rest)) and int(m.group(2)) - int(m.group(1)) <= 10:
            found[name] = {str(v) for v in range(int(m.group(1)), int(m.group(2)) + 1)}
        elif m := _STEPPED_RANGE.search(rest):
            low, high, step = map(int, m.groups())
            found[name] = {str(v) for v in range(low, high + 1, step)}
    return found
