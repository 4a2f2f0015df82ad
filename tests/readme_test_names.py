#!/usr/bin/env python3
"""Fails when a README names a test that ctest does not list, so its tables stay true.

usage: readme_test_names.py CTEST BUILD_DIR README...
A test name is a backticked `Suite.Name`; a name cut short (ending in an ellipsis) is never true.
"""
import re
import subprocess
import sys

ctest, build, readmes = sys.argv[1], sys.argv[2], sys.argv[3:]
listing = subprocess.run([ctest, '-N', '--test-dir', build], capture_output=True, text=True,
                         check=True).stdout
listed = set(re.findall(r'Test\s+#\d+: (\S+)', listing))
# A parameterised test is listed as Prefix/Suite.Name/Parameter; naming Suite.Name covers it.
listed |= {re.sub(r'^[^/]*/|/[^/]*$', '', name) for name in listed}

missing = []
for readme in readmes:
    text = open(readme, encoding='utf-8').read()
    for name in re.findall(r'`([A-Z][A-Za-z0-9]*\.[A-Z][A-Za-z0-9]*(?:…)?)`', text):
        if name not in listed:
            missing.append('%s: %s' % (readme, name))
print('\n'.join(missing) if missing else 'every test a README names is listed by ctest')
sys.exit(1 if missing else 0)
