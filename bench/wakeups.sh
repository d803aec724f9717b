#!/usr/bin/env bash
# How often a program wakes while nothing is happening: its context switches (voluntary and
# not, summed over its threads) over 20 s once its window is up and start-up has settled, for
# Morvane with no task, Morvane with one countdown task due in an hour, and a bare Qt window.
# Each run has an empty home of its own, on a private X desktop. Builds both (release) first.
#   bench/wakeups.sh            BUILD_DIR overrides the build folder (default build/release).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/release}
settle=3
span=20

if [ -z "${MORVANE_BENCH_DESKTOP:-}" ]; then
    cmake --preset release -B "$build" >/dev/null
    cmake --build "$build" -j2 --target morvane morvane_bench_bare_window
    MORVANE_BENCH_DESKTOP=x11 exec scripts/with-desktop.sh "$0"
fi

homes=$(mktemp -d)
trap 'rm -rf "$homes"' EXIT
# shellcheck source=bench/desktop-run.sh
source bench/desktop-run.sh

# Context switches of every thread of `pid` so far.
switches() { # pid
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(non)?voluntary_ctxt_switches:/ { n += $2 } END { print n + 0 }'
}

# Prints "<case> <switches> in 20 s (<per second>/s)".
measure() { # case home binary title
    local before after
    start_and_wait "$2" "$3" "$4"
    sleep "$settle"
    before=$(switches "$pid")
    sleep "$span"
    after=$(switches "$pid")
    stop "$pid"
    awk -v c="$1" -v n=$((after - before)) -v s="$span" \
        'BEGIN { printf "%-28s %6d switches in %d s (%.1f/s)\n", c, n, s, n / s }'
}

morvane="$build/src/app/morvane"
bare="$build/bench/morvane_bench_bare_window"

measure "morvane, no task" "$(new_home)" "$morvane" Morvane

# A countdown restarts from the moment the list is loaded: due an hour after start.
home=$(new_home)
write_settings "$home"
printf 'app\t/usr/bin/app\tNone\t2030/01/01 10:00:00\tNone\tClose - After 00-01-00-00\t\r\n' \
    >"$home/config/morvane/default.mtf"
measure "morvane, one task in 1 h" "$home" "$morvane" Morvane

measure "bare Qt window" "$(new_home)" "$bare" "Bare Qt window"
