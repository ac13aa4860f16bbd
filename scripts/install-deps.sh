#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs from Debian 12 or 13 what one job needs, and no more. Usage: install-deps.sh TIER
#   game     build and play the game: make run, make build, make install
#   unit     the game and GoogleTest: the unit and offscreen suites (BUILD_TESTING=ON)
#   package  the game and the tools that make its Debian package: make package
#   web      the game and emscripten with what it needs: make web, make serve
#   test     all that every suite, check, benchmark and linter uses: make test
#   chroot   what makes a Debian 13 chroot: make check-debian13
# `install-deps.sh --list TIER` names them instead. Safe to run again: it only installs what
# is missing and is quiet otherwise. Every tier has make, which a minimal system lacks.
set -euo pipefail

# The names differ between releases only where a version is in them: clang's run-time
# libraries (the sanitizers, libFuzzer) are named after the release's clang.
codename=$(sed -n 's/^VERSION_CODENAME=//p' /etc/os-release 2>/dev/null || true)
case $codename in
    bookworm) clang_version=14 ;;
    trixie) clang_version=19 ;;
    *) clang_version=$(apt-cache depends clang 2>/dev/null |
                           sed -n 's/.*Depends: clang-\([0-9]*\)$/\1/p' | head -n 1) ;;
esac
CLANG_RT=()
[ -z "$clang_version" ] || CLANG_RT=("libclang-rt-$clang_version-dev")

GAME=(
    make cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins
    fonts-liberation2 fonts-ebgaramond fonts-comic-neue
)
UNIT=(libgtest-dev libgmock-dev nlohmann-json3-dev)
# The package has every feature: PNG icons and the window's own (rsvg-convert,
# ImageMagick), and the size hints on Wayland.
PACKAGE=(
    dpkg-dev file librsvg2-bin imagemagick
    pkg-config qt6-base-private-dev libwayland-dev libwayland-bin wayland-protocols
)
# The page's faces are cut into subsets with fontconfig and harfbuzz, as WOFF2; its scripts
# are minified with esbuild; its app icons are drawn with rsvg-convert.
WEB=(emscripten node-acorn python3 fontconfig libharfbuzz-bin woff2 esbuild librsvg2-bin)
TEST=(
    "${UNIT[@]}" libbenchmark-dev fontconfig
    lintian diffoscope-minimal
    xvfb xdotool x11-utils python3 python3-xlib libx11-dev valgrind
    desktop-file-utils appstream groff-base
    clang "${CLANG_RT[@]}" clang-format shellcheck
    dbus at-spi2-core python3-pyatspi
    weston qt6-wayland openbox orca
    # The browser suite's engines; WebKitGTK's MiniBrowser comes with its WebDriver.
    chromium firefox-esr webkit2gtk-driver
)

# --list TIER names the tier's packages, one a line, and installs nothing.
list_only=false
if [ "${1:-}" = --list ]; then list_only=true; shift; fi
tier=${1:-game}
case $tier in
    game) PACKAGES=("${GAME[@]}") ;;
    unit) PACKAGES=("${GAME[@]}" "${UNIT[@]}") ;;
    chroot) PACKAGES=(make debootstrap) ;;
    package) PACKAGES=("${GAME[@]}" "${PACKAGE[@]}") ;;
    web) PACKAGES=("${GAME[@]}" "${WEB[@]}") ;;
    test)
        PACKAGES=("${GAME[@]}" "${PACKAGE[@]}" "${WEB[@]}" "${TEST[@]}")
        # The browser suite installs its driver with npm: Debian's, unless the machine
        # has its own.
        command -v npm >/dev/null || PACKAGES+=(npm)
        ;;
    *) echo "install-deps: no tier '$tier' (game, unit, package, web, test or chroot)" >&2; exit 2 ;;
esac

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing_packages() {
    local pkg
    for pkg in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            echo "$pkg"
        fi
    done
}

# Elsewhere the build goes on with what CMake finds, and reports what it went without.
no_apt_get() {
    echo "install-deps: no apt-get here, so nothing was installed. What Debian calls the"
    echo "packages of the '$tier' tier:"
    local line="   " pkg
    for pkg in "${PACKAGES[@]}"; do
        if [ $((${#line} + ${#pkg})) -ge 88 ]; then echo "$line"; line="   "; fi
        line+=" $pkg"
    done
    echo "$line"
    echo "The game alone needs CMake, a C++20 compiler and Qt 6 Widgets."
}

install_packages() {
    if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
        no_apt_get
        return 0
    fi
    local missing
    missing=$(missing_packages)
    [ -z "$missing" ] && return 0
    echo "Installing Debian packages for '$tier': ${missing//$'\n'/ }"
    sudo_if_needed apt-get update -qq
    # shellcheck disable=SC2086
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

if $list_only; then
    printf '%s\n' "${PACKAGES[@]}"
else
    install_packages
fi
