#!/usr/bin/env bash
# Installs what Morvane needs (Debian 12), builds it, and starts it on this desktop.
#   scripts/run.sh [release|debug]      release by default
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}

scripts/install-deps.sh
cmake --preset "$preset"
cmake --build --preset "$preset" --target morvane
exec "build/$preset/src/app/morvane"
