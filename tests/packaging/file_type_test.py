"""The shared-mime-info entry types a file as a Quorvel source by its first four bytes and never
by its name alone; the desktop entry opens that type, and it and the listing validate.

usage: file_type_test.py MIME_XML DESKTOP_ENTRY METAINFO SAMPLE_DAT"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

OURS = "application/x-quorvel-source"
mime_xml, desktop, metainfo, sample = map(Path, sys.argv[1:5])
failures = []

with tempfile.TemporaryDirectory() as home:
    packages = Path(home, "mime", "packages")
    packages.mkdir(parents=True)
    shutil.copy(mime_xml, packages / "quorvel.xml")
    subprocess.run(["update-mime-database", str(Path(home, "mime"))], check=True,
                   capture_output=True)
    env = dict(os.environ, XDG_DATA_HOME=home, XDG_DATA_DIRS="/usr/share")
    record = sample.read_bytes()
    files = {  # name: (contents, expected type)
        "demo.dat": (record, OURS),
        "demo-without-extension": (record, OURS),
        "DEMO.DAT": (record, OURS),
        "other-program.dat": (b"another program\t1 2 3\n", "text/plain"),
        "zeros.dat": (bytes(256), "application/octet-stream"),
        "big-endian.dat": (bytes.fromhex("aabbccdd") + record[4:], "application/octet-stream"),
        "one-byte-late.dat": (b"\0" + record, "application/octet-stream"),
        "dump.json": (b'{"slots": []}\n', "application/json"),
    }
    for name, (contents, expected) in files.items():
        path = Path(home, name)
        path.write_bytes(contents)
        info = subprocess.run(["gio", "info", "-a", "standard::content-type", str(path)],
                              env=env, capture_output=True, text=True).stdout
        got = re.search(r"standard::content-type: (\S+)", info)
        if not got or got.group(1) != expected:
            failures.append(f"{name} is typed {got and got.group(1)}, not {expected}")

mime_types = re.search(r"^MimeType=(.*)$", desktop.read_text(), re.M)
if not mime_types or OURS not in mime_types.group(1).split(";"):
    failures.append(f"{desktop.name} does not open {OURS}")
if f"<mediatype>{OURS}</mediatype>" not in metainfo.read_text():
    failures.append(f"{metainfo.name} does not provide {OURS}")
desktop_check = subprocess.run(["desktop-file-validate", str(desktop)], capture_output=True,
                               text=True)
if desktop_check.returncode != 0 or desktop_check.stdout or desktop_check.stderr:
    failures.append(f"desktop-file-validate:\n{desktop_check.stdout}{desktop_check.stderr}")
# Any error, warning, info or pedantic item is listed before the closing line.
listing_check = subprocess.run(["appstreamcli", "validate", "--no-net", "--pedantic", str(metainfo)],
                               capture_output=True, text=True)
if listing_check.returncode != 0 or listing_check.stdout.strip() != "✔ Validation was successful.":
    failures.append(f"appstreamcli validate:\n{listing_check.stdout}{listing_check.stderr}")

print("\n".join(failures) or "file type, desktop entry and listing as expected")
sys.exit(1 if failures else 0)
