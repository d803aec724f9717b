#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs every test: format, layer and clang-tidy checks,
# the debug build with warnings as errors, the AddressSanitizer + UndefinedBehaviorSanitizer
# build, the fuzzers, the Windows cross build of the core and the Windows back end with their tests
# under Wine (with the western code page and again with UTF-8 as the system's code page), the
# release build of the benchmarks, and the Debian package installed, started and removed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== format and layers"
scripts/check-format.sh
scripts/check-layers.sh

echo "== clang-tidy"
scripts/run-clang-tidy.sh

echo "== debug"
cmake --preset debug
cmake --build --preset debug
scripts/with-desktop.sh ctest --preset debug

echo "== asan"
cmake --preset asan
cmake --build --preset asan
scripts/with-desktop.sh ctest --preset asan

echo "== fuzzers"
scripts/run-fuzzers.sh

echo "== windows cross build of the core and the Windows back end, their tests under Wine"
cmake --preset mingw
cmake --build --preset mingw
# Wine's X11 driver shows the window tests' windows on the private desktop. The prefix's user has
# a name beyond the ANSI code page, so its profile, APPDATA and temporary folder have one too.
wine_user='Zoé Łukasz 東京'
scripts/with-desktop.sh scripts/with-wine.sh --prefix build/mingw/wineprefix --user "$wine_user" \
    ctest --preset mingw

echo "== the same under Wine with the system code page UTF-8 (65001)"
scripts/with-desktop.sh scripts/with-wine.sh --prefix build/mingw/wineprefix-utf8 \
    --user "$wine_user" --acp 65001 ctest --preset mingw

echo "== release with benchmarks"
cmake --preset release
cmake --build --preset release

echo "== debian package"
scripts/test-package.sh

echo "All test suites passed."
