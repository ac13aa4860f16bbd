#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Writes the page's index.html with the SHA-256 of its one inline script in its
# Content-Security-Policy, which then lets that script, and no other, run.
# Usage: inline_script.py SOURCE OUTPUT
import base64
import hashlib
import re
import sys

source, output = sys.argv[1:3]
with open(source, encoding="utf-8") as file:
    page = file.read()
scripts = re.findall(r"<script>(.*?)</script>", page, re.S)
if len(scripts) != 1:
    sys.exit(f"{source}: {len(scripts)} inline scripts, not one")
digest = base64.b64encode(hashlib.sha256(scripts[0].encode("utf-8")).digest()).decode()
if "'sha256-@INLINE_SCRIPT@'" not in page:
    sys.exit(f"{source}: no 'sha256-@INLINE_SCRIPT@' in its policy")
with open(output, "w", encoding="utf-8") as file:
    file.write(page.replace("'sha256-@INLINE_SCRIPT@'", f"'sha256-{digest}'"))
