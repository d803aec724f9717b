#!/usr/bin/env bash
# Fails when a C++ file of ours is not formatted as .clang-format says; with --fix, formats them.
# The build's `format` and `format-check` targets run this, so the file list lives here only.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(--dry-run -Werror)
if [ "${1:-}" = "--fix" ]; then
    mode=(-i)
fi
git ls-files -co --exclude-standard -- '*.cpp' '*.h' | xargs -r clang-format "${mode[@]}"
