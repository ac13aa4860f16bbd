#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fetches Gelasio (OFL), Georgia's free stand-in, which Debian does not package: the npm
# registry carries it as WOFF2, which this unpacks to TrueType with its licence.
# Usage: fetch-gelasio.sh VERSION SHA1 OUT_DIR
set -euo pipefail
version=$1 sha1=$2 out=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "@fontsource/gelasio@${version}" >/dev/null)
tarball=("$work"/*.tgz)
if [ "$(sha1sum "${tarball[0]}" | cut -d' ' -f1)" != "$sha1" ]; then
    echo "fetch-gelasio: @fontsource/gelasio@${version} is not the package we know" >&2
    exit 1
fi
tar -xzf "${tarball[0]}" -C "$work"
mkdir -p "$out"
for weight in 400 700; do
    woff2="$work/package/files/gelasio-latin-${weight}-normal.woff2"
    woff2_decompress "$woff2" >/dev/null
    install -m 644 "${woff2%.woff2}.ttf" "$out/"
done
install -m 644 "$work/package/LICENSE" "$out/OFL.txt"
