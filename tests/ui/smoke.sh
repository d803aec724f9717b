#!/usr/bin/env bash
# Smoke test of the real program on an X desktop (run it through scripts/with-desktop.sh):
# start it with a private home, wait until its main window is mapped, photograph the screen,
# check that a second copy stays away, and end it with Ctrl+Q; close one with a task through the
# close box and keep the task; then end a new one with SIGTERM.
#   smoke.sh MORVANE_BINARY OUTPUT_FOLDER
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
    echo "No X display (run through scripts/with-desktop.sh): skipped."
    exit 77
fi
for tool in xdotool xwininfo import identify; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: skipped."; exit 77; }
done

binary=$1
out=$2
mkdir -p "$out"
home=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
    fi
    rm -rf "$home"
}
trap cleanup EXIT

# Nothing the program writes may reach the real home: kept list, settings, autostart entry.
export HOME="$home" APPDATA="$home/appdata" XDG_CONFIG_HOME="$home/config"

# The main window's id once it is visible, empty after 20 s. xdotool gives up when a window it
# is looking at vanishes meanwhile (a frame the window manager is still tearing down after the
# last run): then it looks again.
main_window() {
    local deadline=$((SECONDS + 20)) found=
    while [ -z "$found" ] && [ $SECONDS -lt $deadline ]; do
        found=$(timeout 20 xdotool search --sync --onlyvisible --name '^Morvane$' 2>/dev/null |
            head -n1 || true)
    done
    echo "$found"
}

"$binary" >"$out/morvane.log" 2>&1 &
pid=$!

wid=$(main_window)
if [ -z "$wid" ]; then
    echo "The main window did not appear."
    cat "$out/morvane.log"
    exit 1
fi
deadline=$((SECONDS + 10))
until xwininfo -id "$wid" | grep -q 'IsViewable'; do
    [ $SECONDS -lt $deadline ] || { echo "The window never became viewable."; exit 1; }
done
geometry=$(xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
echo "Main window $wid mapped at $geometry"

import -window root "$out/screen.png"
colors=$(identify -format '%k' "$out/screen.png")
echo "Screenshot $out/screen.png with $colors colours"
[ "$colors" -gt 50 ] || { echo "The screenshot is blank."; exit 1; }

# A second copy ends at once without a window of its own.
timeout 20 "$binary" >"$out/second.log" 2>&1
windows=$(xdotool search --onlyvisible --name '^Morvane$' | wc -l)
[ "$windows" -eq 1 ] || { echo "Expected one main window, found $windows."; exit 1; }

# Ctrl+Q with an empty list ends without a question, through the unload sequence.
xdotool windowactivate --sync "$wid" key --clearmodifiers ctrl+q
if ! timeout 20 tail --pid="$pid" -f /dev/null; then
    echo "The program did not end on Ctrl+Q."
    exit 1
fi
wait "$pid"
pid=
[ -f "$APPDATA/mvsetting.ini" ] || { echo "Ending did not write the settings."; exit 1; }
echo "Ended cleanly on Ctrl+Q."

# The close box with a task the list does not keep asks first; Enter keeps it, and the next
# start brings it back.
"$binary" >>"$out/morvane.log" 2>&1 &
pid=$!
wid=$(main_window)
[ -n "$wid" ] || { echo "The main window did not appear for the close box."; exit 1; }
timeout 20 "$binary" --shutdown --in 30m >/dev/null || { echo "The task was not added."; exit 1; }
xdotool windowactivate --sync "$wid" key --clearmodifiers alt+F4
question=$(timeout 20 xdotool search --sync --onlyvisible --name '^Exit$' 2>/dev/null | head -n1 ||
    true)
[ -n "$question" ] || { echo "The close box lost a task without a word."; exit 1; }
import -window root "$out/keep-question.png"
xdotool windowactivate --sync "$question" key --clearmodifiers Return
if ! timeout 20 tail --pid="$pid" -f /dev/null; then
    echo "The program did not end once the task was kept."
    exit 1
fi
wait "$pid"
pid=
grep -q 'Shutdown PC' "$APPDATA/default.mtf" || { echo "The task was not kept."; exit 1; }
"$binary" >>"$out/morvane.log" 2>&1 &
pid=$!
[ -n "$(main_window)" ] || { echo "The main window did not appear after keeping."; exit 1; }
listed=$(timeout 20 "$binary" --list)
[ "$(grep -c . <<<"$listed")" -eq 1 ] || { echo "The kept task did not come back: $listed"; exit 1; }
timeout 20 "$binary" --cancel all >/dev/null
kill -TERM "$pid"
timeout 20 tail --pid="$pid" -f /dev/null || { echo "The program did not end on SIGTERM."; exit 1; }
wait "$pid" || true
pid=
echo "The close box kept a task on asking, and the next start brought it back."

# Logging out sends SIGTERM: the program ends through the same unload sequence.
rm "$APPDATA/mvsetting.ini"
"$binary" >>"$out/morvane.log" 2>&1 &
pid=$!
[ -n "$(main_window)" ] || { echo "The main window did not appear again."; exit 1; }
kill -TERM "$pid"
if ! timeout 20 tail --pid="$pid" -f /dev/null; then
    echo "The program did not end on SIGTERM."
    exit 1
fi
wait "$pid" || true
pid=
[ -f "$APPDATA/mvsetting.ini" ] || { echo "SIGTERM did not save the settings."; exit 1; }
echo "Ended cleanly on SIGTERM."

# A hundred thousand tasks due at once: they fire in passes that leave the window answering, and
# SIGTERM ends the program at once with every repeating task kept. A temporary a killed save
# left behind is gone after the start.
printf '1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' >"$APPDATA/mvsetting.ini"
awk 'BEGIN { for (i = 0; i < 100000; i++)
    printf "gone%d\t/nonexistent/gone\tNone\t2020/01/01 00:00:00\t%s\tClose - Normal\t\r\n",
        i, (i % 2 ? "Every Day" : "None") }' >"$APPDATA/default.mtf"
echo half >"$APPDATA/.default.mtf.123456.tmp"
"$binary" >>"$out/morvane.log" 2>&1 &
pid=$!
[ -n "$(main_window)" ] || { echo "The main window did not appear with 100,000 tasks."; exit 1; }
# Some passes have run once the kept list shrank (the one-off tasks that fired are gone).
deadline=$((SECONDS + 30))
until [ "$(grep -c . "$APPDATA/default.mtf")" -lt 100000 ]; do
    [ $SECONDS -lt $deadline ] || { echo "No task fired within 30 s."; exit 1; }
    sleep 0.2
done
[ ! -e "$APPDATA/.default.mtf.123456.tmp" ] || { echo "The stale temporary is still there."; exit 1; }
start=$(date +%s%N)
kill -TERM "$pid"
if ! timeout 20 tail --pid="$pid" -f /dev/null; then
    echo "The program did not end on SIGTERM with 100,000 tasks."
    exit 1
fi
wait "$pid" || true
pid=
echo "Ended $(( ($(date +%s%N) - start) / 1000000 )) ms after SIGTERM with 100,000 tasks."
daily=$(grep -c 'Every Day' "$APPDATA/default.mtf")
[ "$daily" -eq 50000 ] || { echo "Expected the 50000 daily tasks kept, found $daily."; exit 1; }
