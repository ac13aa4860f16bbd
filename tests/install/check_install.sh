#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the game into a temporary prefix and checks it the way a distribution would.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
app=io.github.wordrop.Wordrop

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/wordrop share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
            share/icons/hicolor/scalable/apps/$app.svg share/icons/hicolor/48x48/apps/$app.png \
            share/man/man6/wordrop.6; do
    [ -f "$prefix/$file" ] || { echo "missing: $file"; exit 1; }
done

desktop-file-validate "$prefix/share/applications/$app.desktop"

# appstreamcli reports warnings without failing; any warning or error fails here.
report=$(appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" 2>&1) || {
    echo "$report"; exit 1; }
if grep -qE '^[EW]:' <<<"$report"; then echo "$report"; exit 1; fi

warnings=$(groff -man -ww -z "$prefix/share/man/man6/wordrop.6" 2>&1)
[ -z "$warnings" ] || { echo "man page: $warnings"; exit 1; }

# One version throughout: the program's, the metainfo's newest release and the man page's.
version=$("$prefix/bin/wordrop" --version)
version=${version#wordrop }
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$app.metainfo.xml" || {
    echo "version $version is not the metainfo's release"; exit 1; }
grep -q "\"Wordrop $version\"" "$prefix/share/man/man6/wordrop.6" || {
    echo "version $version is not the man page's"; exit 1; }
# Gelasio travels inside the program, so its licence is installed beside ours.
for licence in LICENSE LICENSE.Gelasio; do
    [ -f "$prefix/share/doc/wordrop/$licence" ] || { echo "missing: $licence"; exit 1; }
done

# The installed program starts and keeps running until it is told to stop.
status=0
XDG_RUNTIME_DIR=$prefix QT_QPA_PLATFORM=offscreen timeout -s TERM 3 "$prefix/bin/wordrop" || status=$?
if [ "$status" -ne 124 ]; then echo "the installed game ended with status $status"; exit 1; fi
echo "installed into a temporary prefix: validators passed, the game started"
