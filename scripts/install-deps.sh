#!/usr/bin/env bash
# Installs the Debian 12 packages Morvane needs to build, run and test. Safe to run again.
set -euo pipefail

packages=(
    # build
    build-essential cmake ninja-build clang-format clang-tidy pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-l10n-tools libgl-dev libx11-dev
    libxext-dev
    libxres-dev
    libsystemd-dev
    # Wayland: Qt's platform plugin, the client library and the protocol XML Morvane generates from
    qt6-wayland libwayland-dev wayland-protocols plasma-wayland-protocols
    # tests and benchmarks
    googletest libgtest-dev libgmock-dev libbenchmark-dev g++-mingw-w64-x86-64-posix
    wine wine64
    # The locale sources the UTF-8 code-page Wine prefix is compiled from.
    locales
    xvfb xauth openbox xdotool x11-apps x11-utils xterm dbus python3-dbusmock
    fonts-dejavu-core desktop-file-utils imagemagick
    # the accessibility tree test: the AT-SPI bus and its Python client
    at-spi2-core python3-pyatspi
    # the package: icons rendered at build time, and its checks (scripts/test-package.sh)
    librsvg2-bin lintian appstream
    # the Wayland desktops the tests run headless (scripts/with-wayland.sh)
    mutter kwin-wayland sway weston wayland-utils libglib2.0-bin python3-dbus
    # the fuzz targets (scripts/run-fuzzers.sh): clang with libFuzzer and the sanitizers
    clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
# With recommends, as a desktop user would have them (the Qt platform and image plugins, fonts).
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
