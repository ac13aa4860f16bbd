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
    woff2
    xvfb xdotool x11-utils imagemagick python3 python3-xlib libx11-dev valgrind
    librsvg2-bin desktop-file-utils appstream groff-base
    clang libclang-rt-14-dev clang-format shellcheck
    dbus at-spi2-core python3-pyatspi
    qt6-base-private-dev libwayland-dev libwayland-bin wayland-protocols
    weston qt6-wayland openbox orca
)
GELASIO_VERSION=5.3.0
GELASIO_DIR=/usr/local/share/fonts/truetype/gelasio

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

install_packages() {
    local missing
    missing=$(missing_packages)
    [ -z "$missing" ] && return 0
    echo "Installing Debian packages: ${missing//$'\n'/ }"
    sudo_if_needed apt-get update -qq
    # shellcheck disable=SC2086
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

# Georgia's free stand-in, Gelasio (OFL), drawn to Georgia's metrics. Debian does not
# package it; the npm registry carries it as WOFF2, which we unpack to TrueType.
install_gelasio() {
    if fc-list : family | grep -qx "Gelasio"; then return 0; fi
    echo "Installing the Gelasio font"
    if ! command -v npm >/dev/null; then
        PACKAGES=(npm)
        install_packages
    fi
    local work
    work=$(mktemp -d)
    trap 'rm -rf "$work"' RETURN
    (cd "$work" && npm pack --silent "@fontsource/gelasio@${GELASIO_VERSION}" >/dev/null && tar xzf ./*.tgz)
    sudo_if_needed mkdir -p "$GELASIO_DIR"
    local weight
    for weight in 400 700; do
        local src="$work/package/files/gelasio-latin-${weight}-normal.woff2"
        woff2_decompress "$src" >/dev/null
        sudo_if_needed install -m 644 "${src%.woff2}.ttf" "$GELASIO_DIR/"
    done
    sudo_if_needed install -m 644 "$work/package/LICENSE" "$GELASIO_DIR/"
    sudo_if_needed fc-cache -f "$GELASIO_DIR" >/dev/null
}

install_packages
install_gelasio
