#!/usr/bin/env bash
# What Morvane costs the processor while it waits: with 10,000 tasks due next year in the kept
# list (close and run, none waiting for idleness), its processor time (user + system) over 60 s
# once its window is up and start-up has settled; then the same list with one no-mouse-movement
# task among them, which keeps the activity sampler running too. Each run has an empty home of
# its own, on a private X desktop. Builds Morvane (release) first.
#   bench/idle-cpu.sh [SECONDS]     (default 60)
# BUILD_DIR overrides the build folder (default build/release).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/release}
span=${1:-60}
settle=3
rows=10000

if [ -z "${MORVANE_BENCH_DESKTOP:-}" ]; then
    cmake --preset release -B "$build" >/dev/null
    cmake --build "$build" -j2 --target morvane
    MORVANE_BENCH_DESKTOP=x11 exec scripts/with-desktop.sh "$0" "$span"
fi

homes=$(mktemp -d)
trap 'rm -rf "$homes"' EXIT
# shellcheck source=bench/desktop-run.sh
source bench/desktop-run.sh

ticks_per_second=$(getconf CLK_TCK)

# User plus system time of `pid` so far, in clock ticks. The command name, field 2, may hold
# spaces; the fields after its closing parenthesis are counted from there.
cpu_ticks() { # pid
    local stat
    stat=$(</proc/"$1"/stat)
    stat=${stat##*) }
    awk '{ print $12 + $13 }' <<<"$stat"
}

# The kept list: `rows` tasks due at different times of one day next year, every other one a
# run task; with "idle", the first is a no-mouse-movement task instead.
write_list() { # home [idle]
    awk -v rows="$rows" -v year=$(($(date +%Y) + 1)) -v idle="${2:-}" 'BEGIN {
        for (i = 0; i < rows; ++i) {
            due = sprintf("%d/06/15 %02d:%02d:00", year, i % 24, i % 60)
            loop = i % 3 == 0 ? "None" : "Every Day"
            if (idle != "" && i == 0)
                printf "app\t/usr/bin/app\tNone\t%s\tNone\tClose - AfterNoMouseMoving 00-01-00-00\t\r\n", due
            else if (i % 2 == 1)
                printf "backup.sh\t/home/me/bin/backup.sh --all\tNone\t%s\t%s\tRun - Normal\t\r\n", due, loop
            else
                printf "app%d\t/usr/bin/app%d\tNone\t%s\t%s\tClose - Normal\t\r\n", i, i, due, loop
        }
    }' >"$1/config/morvane/default.mtf"
}

# Prints "<case> <s> s CPU per minute (<share> %)".
measure() { # case [idle]
    local home before after
    home=$(new_home)
    write_settings "$home"
    write_list "$home" "${2:-}"
    start_and_wait "$home" "$build/src/app/morvane" Morvane
    sleep "$settle"
    before=$(cpu_ticks "$pid")
    sleep "$span"
    after=$(cpu_ticks "$pid")
    stop "$pid"
    awk -v c="$1" -v t=$((after - before)) -v hz="$ticks_per_second" -v s="$span" 'BEGIN {
        cpu = t / hz
        printf "%-36s %.2f s CPU per minute (%.2f %%)\n", c, cpu * 60 / s, 100 * cpu / s }'
}

measure "10,000 waiting tasks"
measure "10,000 tasks, one no-mouse-movement" idle
echo "(goal: under 0.3 s per minute)"
