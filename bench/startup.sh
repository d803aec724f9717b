#!/usr/bin/env bash
# Start-up benchmark: time from exec to the main window's first appearance, and resident memory
# 5 s later, for Morvane and for a bare Qt 6 window with a menu bar and a list, run alternately
# on a private desktop, each start with an empty home. Builds both (release) first.
#   bench/startup.sh [RUNS] [x11|mutter|kwin|sway|all]     (defaults: 5 runs, x11)
# On X11 (Xvfb + openbox) the window counts when it is mapped; on the Wayland compositors
# (headless, both programs native through QT_QPA_PLATFORM=wayland) when the program commits
# its first frame to the toplevel, as seen by scripts/wayland-first-frame.py.
# BUILD_DIR overrides the build folder (default build/release).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
desktops=${2:-x11}
build=${BUILD_DIR:-build/release}
[ "$desktops" = all ] && desktops="x11 mutter kwin sway"

if [ -z "${MORVANE_BENCH_DESKTOP:-}" ]; then
    for desktop in $desktops; do
        case "$desktop" in
            x11 | mutter | kwin | sway) ;;
            *) echo "startup.sh: unknown desktop $desktop (x11, mutter, kwin, sway or all)" >&2
               exit 2 ;;
        esac
    done
    cmake --preset release -B "$build" >/dev/null
    cmake --build "$build" -j2 --target morvane morvane_bench_bare_window \
        morvane_bench_wait_for_window
    summary=()
    for desktop in $desktops; do
        echo "== $desktop"
        if [ "$desktop" = x11 ]; then
            launch=(scripts/with-desktop.sh)
        else
            launch=(scripts/with-wayland.sh "$desktop" --)
        fi
        # Every line shows as it comes; the median line is kept for the summary.
        result=$(MORVANE_BENCH_DESKTOP=$desktop "${launch[@]}" "$0" "$runs" "$desktop" |
            while IFS= read -r line; do
                echo "$line" >&2
                [[ "$line" != median* ]] || echo "$line"
            done)
        summary+=("$(printf '%-7s %s' "$desktop" "${result#median }")")
        echo
    done
    echo "Medians of $runs runs:"
    printf '%s\n' "${summary[@]}"
    exit 0
fi

desktop=$MORVANE_BENCH_DESKTOP
wait_for="$build/bench/morvane_bench_wait_for_window"
homes=$(mktemp -d)
trap 'rm -rf "$homes"' EXIT

# Runs a program until its window is up and `settle` seconds more: prints "ms kB". The bare
# window dies of SIGTERM at the end: it has no handler.
measure() { # title binary settle
    local home out
    # An empty home each time: every start of Morvane is a first start, no kept list.
    home=$(mktemp -d -p "$homes")
    if [ "$desktop" = x11 ]; then
        out=$(APPDATA="$home/appdata" XDG_CONFIG_HOME="$home/config" "$wait_for" "$1" "$3" \
            "$2") || true
    else
        out=$(APPDATA="$home/appdata" XDG_CONFIG_HOME="$home/config" QT_QPA_PLATFORM=wayland \
            scripts/wayland-first-frame.py --any-exit --settle "$3" "$1" -- "$2") || true
    fi
    if [[ ! "$out" =~ ^[a-z]+_ms=([0-9]+)\ rss_kb=([0-9]+) ]]; then
        echo "startup.sh: no window titled '$1' on $desktop: $out" >&2
        return 1
    fi
    echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
}
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

bare="$build/bench/morvane_bench_bare_window"
morvane="$build/src/app/morvane"
# One unmeasured start each warms the file cache.
measure "Bare Qt window" "$bare" 0 >/dev/null
measure "Morvane" "$morvane" 0 >/dev/null

declare -a bare_ms bare_kb morvane_ms morvane_kb
printf '%-4s %-10s %10s %10s\n' run program first_ms rss_kb
for i in $(seq 1 "$runs"); do
    figures=$(measure "Bare Qt window" "$bare" 5)
    read -r ms kb <<<"$figures"
    bare_ms+=("$ms"); bare_kb+=("$kb")
    printf '%-4s %-10s %10s %10s\n' "$i" bare "$ms" "$kb"
    figures=$(measure "Morvane" "$morvane" 5)
    read -r ms kb <<<"$figures"
    morvane_ms+=("$ms"); morvane_kb+=("$kb")
    printf '%-4s %-10s %10s %10s\n' "$i" morvane "$ms" "$kb"
done

bm=$(median "${bare_ms[@]}"); bk=$(median "${bare_kb[@]}")
mm=$(median "${morvane_ms[@]}"); mk=$(median "${morvane_kb[@]}")
echo
awk -v bm="$bm" -v bk="$bk" -v mm="$mm" -v mk="$mk" 'BEGIN {
    printf "median bare %s ms, %s kB; morvane %s ms, %s kB; ratio start-up %.2f x, memory %.2f x\n",
        bm, bk, mm, mk, mm/bm, mk/bk }'
echo "(target: at most 1.5 x each)"
