#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building, running and testing Wordrop needs on Debian 12.
# Safe to run again: it only installs what is missing and is quiet otherwise.
set -euo pipefail

PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-qpa-plugins libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2 fonts-ebgaramond fonts-comic-neue fontconfig
    woff2 dpkg-dev file lintian
    xvfb xdotool x11-utils imagemagick python3 python3-xlib libx11-dev valgrind
    librsvg2-bin desktop-file-utils appstream groff-base
    clang libclang-rt-14-dev clang-format shellcheck
    dbus at-spi2-core python3-pyatspi
    qt6-base-private-dev libwayland-dev libwayland-bin wayland-protocols
    weston qt6-wayland openbox orca
    emscripten node-acorn chromium
)

# The browser suite installs its driver with npm: Debian's, unless the machine has its own.
command -v npm >/dev/null || PACKAGES+=(npm)

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
    echo "packages this project uses:"
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
    echo "Installing Debian packages: ${missing//$'\n'/ }"
    sudo_if_needed apt-get update -qq
    # shellcheck disable=SC2086
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

install_packages
