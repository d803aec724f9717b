#!/usr/bin/env bash
# Start-up benchmark: time from exec to the first mapped main window, and resident memory 5 s
# later, for Morvane and for a bare Qt 6 window with a menu bar and a list, run alternately on a
# private Xvfb desktop. Builds both (release) first.
#   bench/startup.sh [RUNS]        BUILD_DIR overrides the build folder (default build/release).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
build=${BUILD_DIR:-build/release}

if [ -z "${MORVANE_IN_DESKTOP:-}" ]; then
    cmake --preset release -B "$build" >/dev/null
    cmake --build "$build" -j2 --target morvane morvane_bench_bare_window \
        morvane_bench_wait_for_window
    exec scripts/with-desktop.sh "$0" "$@"
fi

wait_for="$build/bench/morvane_bench_wait_for_window"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
# Morvane gets an empty home of its own: first start, no kept list.
export APPDATA="$home/appdata" XDG_CONFIG_HOME="$home/config"

declare -a bare_ms bare_kb morvane_ms morvane_kb
measure() { # name title binary -> "ms kb"
    local out
    out=$("$wait_for" "$2" 5 "$3")
    echo "$out" | sed -E 's/map_ms=([0-9]+) rss_kb=([0-9]+)/\1 \2/'
}
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

# One unmeasured start each warms the file cache.
"$wait_for" "Bare Qt window" 0 "$build/bench/morvane_bench_bare_window" >/dev/null
"$wait_for" "Morvane" 0 "$build/src/app/morvane" >/dev/null

printf '%-4s %-10s %10s %10s\n' run program map_ms rss_kb
for i in $(seq 1 "$runs"); do
    read -r ms kb < <(measure bare "Bare Qt window" "$build/bench/morvane_bench_bare_window")
    bare_ms+=("$ms"); bare_kb+=("$kb")
    printf '%-4s %-10s %10s %10s\n' "$i" bare "$ms" "$kb"
    read -r ms kb < <(measure morvane "Morvane" "$build/src/app/morvane")
    morvane_ms+=("$ms"); morvane_kb+=("$kb")
    printf '%-4s %-10s %10s %10s\n' "$i" morvane "$ms" "$kb"
done

bm=$(median "${bare_ms[@]}"); bk=$(median "${bare_kb[@]}")
mm=$(median "${morvane_ms[@]}"); mk=$(median "${morvane_kb[@]}")
echo
printf 'median     bare: %s ms, %s kB   morvane: %s ms, %s kB\n' "$bm" "$bk" "$mm" "$mk"
awk -v bm="$bm" -v bk="$bk" -v mm="$mm" -v mk="$mk" 'BEGIN {
    printf "ratio      start-up %.2f x, memory %.2f x (target: at most 1.5 x each)\n", mm/bm, mk/bk }'
