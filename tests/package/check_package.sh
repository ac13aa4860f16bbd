#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the Debian package as a distribution would, then unpacks it into a temporary root
# and checks that its game paints what the source build's paints.
# Usage: check_package.sh PACKAGE_BUILD_DIR SOURCE_BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_game=$(realpath "$2/wordrop")
deb=$(ls "$1"/wordrop_*_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
app=io.github.wordrop.Wordrop
fail() { echo "package: $*" >&2; exit 1; }

# No error and no warning; the pedantic and informational notes are shown, not failed on.
report=$(lintian --pedantic --display-info "$deb" 2>&1 | grep -v 'with root privileges' || true)
[ -z "$report" ] || echo "$report"
if grep -qE '^[EW]:' <<<"$report"; then fail "lintian found errors or warnings"; fi

# Exactly these files, and nothing else.
expected=(
    usr/games/wordrop
    "usr/share/applications/$app.desktop"
    usr/share/doc/wordrop/changelog.gz
    usr/share/doc/wordrop/copyright
    "usr/share/icons/hicolor/scalable/apps/$app.svg"
    usr/share/man/man6/wordrop.6.gz
    "usr/share/metainfo/$app.metainfo.xml"
)
for size in 16 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app.png")
done
actual=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | sort)
diff <(printf '%s\n' "${expected[@]}" | sort) <(echo "$actual") ||
    fail "the files differ from the list above (< wanted, > found)"

field() { dpkg-deb --field "$deb" "$1"; }
version=$(field Version)
[ "$(field Section)" = games ] || fail "section $(field Section), not games"
for dependency in libqt6widgets6 qt6-qpa-plugins fonts-liberation2 fonts-ebgaramond fonts-comic-neue; do
    grep -q "\b$dependency\b" <<<"$(field Depends)" || fail "Depends lacks $dependency"
done

dpkg-deb -x "$deb" "$root"
doc=$root/usr/share/doc/wordrop
[[ $(zcat "$doc/changelog.gz" | head -1) == "wordrop ($version) "* ]] ||
    fail "the changelog's newest entry is not $version"
# The changelog and the metainfo's releases are NEWS's: the same versions on the same days,
# newest first, and in the changelog the same lines under each.
news=$here/../../NEWS
releases=$(sed -nE 's/^([0-9.]+) \((.*)\)$/\1 \2/p' "$news")
changelog=$(zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - --all --format rfc822 |
    awk '/^Version:/ { v = $2 } /^Timestamp:/ { print v, strftime("%F", $2, 1) }')
diff <(echo "$releases") <(echo "$changelog") || fail "the changelog's entries are not NEWS's"
metainfo=$(sed -nE 's/.*<release version="([^"]*)" date="([^"]*)".*/\1 \2/p' \
    "$root/usr/share/metainfo/$app.metainfo.xml")
diff <(echo "$releases") <(echo "$metainfo") || fail "the metainfo's releases are not NEWS's"
items() { grep -E '^(  \*|    ) ' "$@"; }
diff <(items "$news") <(zcat "$doc/changelog.gz" | items) || fail "the changelog's lines are not NEWS's"
for licence in Expat OFL-1.1; do
    grep -q "^License: $licence$" "$doc/copyright" || fail "the copyright file lacks $licence"
done
grep -q "SIL OPEN FONT LICENSE Version 1.1" "$doc/copyright" || fail "the OFL's text is missing"
[ "$("$root/usr/games/wordrop" --version)" = "wordrop $version" ] || fail "--version is not $version"
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/$app.desktop")
[ -x "$root/usr/games/$exec_line" ] || fail "the desktop file's Exec=$exec_line is not in /usr/games"
warnings=$(zcat "$root/usr/share/man/man6/wordrop.6.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "man page: $warnings"

# The unpacked game starts on the offscreen platform and runs until it is stopped.
status=0
XDG_RUNTIME_DIR=$root QT_QPA_PLATFORM=offscreen timeout -s TERM 3 "$root/usr/games/wordrop" || status=$?
[ "$status" -eq 124 ] || fail "the unpacked game ended with status $status"

# It paints a whole game as the source build does, seeing only the fonts Debian's packages
# install: nothing from /usr/local or a home directory.
mkdir "$root/fontconfig"
cat >"$root/fontconfig/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <cachedir>$root/fontconfig/cache</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
</fontconfig>
CONF
/usr/bin/python3 "$here/compare_screens.py" "$source_game" "$root/usr/games/wordrop" \
    "$(dirname "$source_game")/package-failures" FONTCONFIG_FILE="$root/fontconfig/fonts.conf" \
    HOME="$root"
echo "package: $(basename "$deb") passes lintian, holds its files and plays alike"
