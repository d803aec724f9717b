#!/usr/bin/env bash
# Runs clang-tidy, as .clang-tidy configures it, over our sources in src/ and fails on any finding.
# Uses the compile commands of the `tidy` configure preset (configured here; only the generated Wayland protocol code is built).
#
#   scripts/run-clang-tidy.sh [-OPTION=VALUE...] [FILE_REGEX...]
#
# Options go to run-clang-tidy (e.g. -fix); FILE_REGEXes narrow the run (default: all of src/).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

options=()
files=()
for arg in "$@"; do
    case "$arg" in
    -*) options+=("$arg") ;;
    *) files+=("$arg") ;;
    esac
done
# Our own sources only: moc output lives in the build folder, Qt and system headers elsewhere.
[ ${#files[@]} -gt 0 ] || files=("^$root/src/")

cmake --preset tidy >/dev/null
# The Wayland layer includes client code that wayland-scanner generates at build time.
cmake --build build/tidy --target morvane_wayland_protocol_code >/dev/null

runner=$(command -v run-clang-tidy-14 || command -v run-clang-tidy)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
"$runner" -p build/tidy -j "${MORVANE_TIDY_JOBS:-2}" -quiet -header-filter="^$root/src/" \
    "${options[@]}" "${files[@]}" >"$log" 2>&1 || status=$?
# Findings only: no colours, no per-file command lines or compiler counts.
sed -e 's/\x1b\[[0-9;]*m//g' "$log" |
    grep -v -E '^clang-tidy(-[0-9]+)? |^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' || true
if [ "$status" -ne 0 ]; then
    echo "== findings per check (a header's finding counts once)"
    sed -e 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '^/.*:[0-9]+:[0-9]+: (warning|error): ' |
        sort -u | grep -o -E '\[[a-z0-9.-]+(,-warnings-as-errors)?\]$' |
        sed -e 's/,-warnings-as-errors//' -e 's/[][]//g' | sort | uniq -c | sort -rn || true
fi
exit "$status"
