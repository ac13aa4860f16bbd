#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the release again as a distribution's build machine would, with no network and no
# home directory, and checks it:
#  - make package, later, in a copy of the source elsewhere, under another umask, time
#    zone, locale and host name, makes the same .deb bit for bit, and make web there makes
#    the page;
#  - make dist, later, makes the same tarball, which holds the committed files and no more;
#  - the tarball, unpacked afresh, builds the game with only Qt, CMake, Ninja and a
#    compiler in sight, tests and benchmarks off, and that game knows its version; the
#    package's configure, there, stops for want of the features it promises.
# Usage: check_release.sh PACKAGE_BUILD_DIR TARBALL
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
deb=$(ls "$1"/wordrop_*_*.deb)
tarball=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "release: $*" >&2; exit 1; }

# A network namespace of its own has only a loopback device, and that one down.
offline() { unshare --net -- env -u HOME "$@"; }
offline true || fail "unshare --net is refused here, and the offline builds need it (as root)"
started=$(date +%s)

# The package again from a copy of the tracked files elsewhere, whose files are dated now,
# and which is dated as a release tarball is.
mkdir "$work/copy"
(cd "$top" && git ls-files -z | tar --null -T - -cf -) | tar -xmf - -C "$work/copy"
# shellcheck disable=SC2016 # git archive's placeholder, taken literally
sed -i 's/^\$Format:%ct\$$/'"$(git -C "$top" log -1 --format=%ct)"'/' "$work/copy/cmake/source-date"
log=$work/package.log
# It is built under another umask, time zone, locale and host name than the first.
(umask 002 && offline unshare --uts -- sh -c 'hostname wordrop-rebuild && exec "$@"' sh \
    env TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 make -C "$work/copy" --no-print-directory package) \
    >"$log" 2>&1 || {
    tail -30 "$log"; fail "make package failed with no network and no home"; }
again=$(ls "$work"/copy/build-deb/wordrop_*_*.deb)
if ! cmp "$deb" "$again"; then
    if command -v diffoscope >/dev/null; then diffoscope "$deb" "$again" | head -60 || true; fi
    fail "two builds of the package from one commit differ"
fi
offline env NODE_PATH=/usr/share/nodejs make -C "$work/copy" --no-print-directory web >"$log" 2>&1 || {
    tail -30 "$log"; fail "make web failed with no network and no home"; }
[ -s "$work/copy/build-web/site/wordrop.wasm" ] || fail "make web made no program"

# A time of day in the tarball would show only on another second of the clock.
while [ "$(date +%s)" = "$started" ]; do sleep 0.1; done
make -C "$top" --no-print-directory -s dist DIST_DIR="$work" >/dev/null
cmp "$tarball" "$work/$(basename "$tarball")" || fail "two tarballs of one commit differ"
name=$(basename "$tarball" .tar.gz)
diff <(git -C "$top" ls-tree -r --name-only HEAD | sort) \
     <(tar -tzf "$tarball" | grep -v '/$' | sed "s|^$name/||" | sort) ||
    fail "the tarball's files are not the commit's (< commit, > tarball)"

# The build sees a compiler with its assembler and linker, Ninja and CMake, and Qt's own
# tools where Qt says they are; every other folder of programs is out of its sight. It takes
# its date from the tarball.
mkdir "$work/src" "$work/bin"
tar -xzf "$tarball" -C "$work/src"
for program in c++ as ld ar ranlib ninja cmake; do ln -s "$(command -v "$program")" "$work/bin/"; done
ignored="/usr/local/sbin;/usr/local/bin;/usr/sbin;/usr/bin;/sbin;/bin"
build() {
    offline env -u SOURCE_DATE_EPOCH PATH="$work/bin" "$@" >"$log" 2>&1 || {
        tail -30 "$log"; fail "the game did not build from the tarball"; }
}
build cmake -S "$work/src/$name" -B "$work/game" -G Ninja -DBUILD_TESTING=OFF \
    -DWORDROP_BENCHMARKS=OFF -DCMAKE_IGNORE_PATH="$ignored"
for program in GIT_EXECUTABLE PKG_CONFIG_EXECUTABLE RSVG_CONVERT IMAGEMAGICK_CONVERT WAYLAND_SCANNER; do
    grep -q "^$program:FILEPATH=$program-NOTFOUND$" "$work/game/CMakeCache.txt" ||
        fail "the tarball's build saw $program"
done
build cmake --build "$work/game" --target wordrop
# The package promises every feature: where their tools are out of sight, its configure
# stops and names the features it lacks.
if offline env -u SOURCE_DATE_EPOCH PATH="$work/bin" cmake -S "$work/src/$name" \
    -B "$work/package" -G Ninja -DBUILD_TESTING=OFF -DWORDROP_BENCHMARKS=OFF \
    -DWORDROP_DEBIAN_PACKAGE=ON -DCMAKE_IGNORE_PATH="$ignored" >"$log" 2>&1; then
    fail "the package was configured without its tools"
fi
for feature in WORDROP_WAYLAND WORDROP_PNG_ICONS WORDROP_EMBEDDED_ICON; do
    grep -q "$feature" "$log" || { tail -30 "$log"; fail "the package's configure did not name $feature"; }
done
version=$("$work/game/wordrop" --version)
[ "$version" = "wordrop ${name#wordrop-}" ] || fail "the tarball's game says '$version'"
echo "release: $(basename "$deb") twice alike ($(sha256sum "$deb" | cut -c1-16)...), the page," \
     "$(basename "$tarball") twice alike, its game built offline: $version"
