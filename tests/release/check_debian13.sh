#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the release tarball as a distribution would on Debian 13 (trixie): in a fresh
# minimal chroot with its updates, where install-deps.sh installs the package tier and the
# unit tier (GoogleTest) from Debian's mirror; then, with no network:
#  - configure shows its feature summary, which must have the Wayland size hints on;
#  - the unit and offscreen suites pass;
#  - appstreamcli finds the metainfo wanting only a home page, and with one named, make
#    package makes a .deb that lintian passes without an error or a warning and whose
#    metainfo appstreamcli validates.
# Usage (as root): check_debian13.sh TARBALL WORK_DIR
# WORK_DIR keeps a minimal trixie (base/) and the downloaded packages (apt/) between runs;
# each run starts again from a copy of the base. MIRROR may name another Debian mirror.
set -euo pipefail
tarball=$(realpath "$1")
work=$(realpath -m "$2")
mirror=${MIRROR:-http://deb.debian.org/debian}
fail() { echo "debian13: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "debootstrap and chroot need root"
for program in debootstrap unshare; do
    command -v "$program" >/dev/null || fail "needs $program (apt-get install debootstrap)"
done
name=$(basename "$tarball" .tar.gz)
mkdir -p "$work/apt"

# Runs a command inside the chroot, in mount and (with --offline) network namespaces of its
# own, so that nothing it mounts outlives it and the offline steps cannot reach anything.
in_root() {
    local namespaces=(--mount --fork)
    if [ "$1" = --offline ]; then namespaces+=(--net); shift; fi
    # shellcheck disable=SC2016 # expanded by the inner shell
    unshare "${namespaces[@]}" -- bash -c '
        set -e
        root=$1; shift
        mount -t proc proc "$root/proc"
        mount --bind /dev "$root/dev"
        mount --bind "$APT_ARCHIVES" "$root/var/cache/apt/archives"
        exec chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"
    ' in_root "$work/root" "$@"
}
export APT_ARCHIVES=$work/apt

if [ ! -e "$work/base/etc/os-release" ]; then
    echo "debian13: a minimal trixie in $work/base (debootstrap)"
    rm -rf "$work/base"
    debootstrap --variant=minbase --cache-dir="$work/apt" trixie "$work/base" "$mirror" \
        >"$work/debootstrap.log" 2>&1 || { tail -20 "$work/debootstrap.log"; fail "debootstrap failed"; }
fi
rm -rf "$work/root"
cp -a "$work/base" "$work/root"
security=${mirror%/debian}/debian-security
cat >"$work/root/etc/apt/sources.list" <<EOF
deb $mirror trixie main
deb $mirror trixie-updates main
deb $security trixie-security main
EOF
cp /etc/resolv.conf "$work/root/etc/resolv.conf"
mkdir -p "$work/root/build"
tar -xzf "$tarball" -C "$work/root/build"
src=/build/$name

# The updates, then what the tiers name, as a user of the tarball would install them.
log=$work/install.log
in_root bash -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get upgrade -y -qq &&
    bash $src/scripts/install-deps.sh package && bash $src/scripts/install-deps.sh unit &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends lintian appstream" \
    >"$log" 2>&1 || { tail -30 "$log"; fail "the packages did not install"; }
# shellcheck disable=SC2016 # dpkg-query's fields
echo "debian13: $(in_root dpkg-query -W -f='${Status}\n' | grep -c 'install ok installed') packages" \
     "installed, Qt $(in_root dpkg-query -W -f='${Version}' qt6-base-dev)," \
     "$(in_root cmake --version | head -n 1), $(in_root g++ --version | head -n 1)"

# From here on, no network.
log=$work/build.log
in_root --offline bash -c "cd $src && cmake -S . -B build -G Ninja -DWORDROP_WERROR=ON \
    -DBUILD_TESTING=ON -DWORDROP_BENCHMARKS=OFF >/dev/null && cat build/features.txt" |
    tee "$work/features.txt" || fail "configure failed"
grep -q '^ \* Wayland size hints' <(sed -n '/have been enabled/,/have been disabled/p' \
    "$work/features.txt") || fail "the Wayland size hints are off"
in_root --offline bash -c "cd $src && cmake --build build && cd build &&
    ctest --output-on-failure --timeout 300 && QT_QPA_PLATFORM=offscreen tests/view_tests" >"$log" 2>&1 || { tail -40 "$log"; fail "the unit suites failed"; }
grep -E '^(1?[0-9]+% tests passed|drawn with other faces)' "$log" | sort -u || true

# The metainfo wants a home page, which the project has yet to publish: without one,
# appstreamcli's only warning is that; with one named (example.org standing in), the
# package passes lintian and appstreamcli without an error or a warning.
in_root --offline bash -c "cd $src && cmake -S . -B build-nohome -DBUILD_TESTING=OFF \
    -DWORDROP_BENCHMARKS=OFF >/dev/null" || fail "configure failed"
report=$(in_root --offline appstreamcli validate --no-net \
    "$src/build-nohome/data/io.github.wordrop.Wordrop.metainfo.xml" 2>&1 || true)
echo "debian13: appstreamcli, with no home page named:"
echo "$report"
[ "$(grep -E '^ *[EW]:' <<<"$report" | sed -E 's/^ *([EW]): [^ ]* /\1 /')" = "W url-homepage-missing" ] ||
    fail "appstreamcli wants more than a home page"

homepage=https://example.org/wordrop
in_root --offline bash -c "cd $src && make --no-print-directory package \
    PACKAGE_OPTIONS=-DWORDROP_HOMEPAGE=$homepage" >"$log" 2>&1 ||
    { tail -30 "$log"; fail "make package failed"; }
deb=$(cd "$work/root$src/build-deb" && ls wordrop_*_*.deb)
report=$(in_root --offline lintian --pedantic --display-info "$src/build-deb/$deb" 2>&1 |
    grep -v 'with root privileges' || true)
echo "debian13: lintian: ${report:-nothing to say}"
if grep -qE '^[EW]:' <<<"$report"; then fail "lintian found errors or warnings"; fi
metainfo=$(in_root bash -c "dpkg-deb -x $src/build-deb/$deb /tmp/deb &&
    ls /tmp/deb/usr/share/metainfo/*.metainfo.xml")
in_root --offline appstreamcli validate --no-net --pedantic "$metainfo" ||
    fail "appstreamcli found the metainfo wanting"
echo "debian13: $name built offline, unit suites passed, $deb ($(sha256sum \
    "$work/root$src/build-deb/$deb" | cut -c1-16)...) clean for lintian and appstreamcli"
