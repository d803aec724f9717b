#!/usr/bin/env bash
# Takes the README's screenshots on a private X desktop: the main window with a few tasks, the
# task editor with a program chosen from the list, the warning notice and the tray menu.
#   docs/screenshots.sh [BUILD_DIR]      (default build/debug; the program must be built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/debug}
if [ -z "${MORVANE_IN_DESKTOP:-}" ]; then
    exec scripts/with-desktop.sh "$0" "$@"
fi

home=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$home"
}
trap cleanup EXIT
export HOME="$home" APPDATA="$home/appdata" XDG_CONFIG_HOME="$home/config"
mkdir -p "$APPDATA"
printf '1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' >"$APPDATA/mvsetting.ini"
tab=$'\t'
# Due tomorrow, so nothing fires while the pictures are taken.
day=$(date -d tomorrow +%Y/%m/%d)
{
    printf 'xclock%s/usr/bin/xclock%s1234%s%s 18:00:00%sEvery Day%sClose - Normal%s\r\n' \
        "$tab" "$tab" "$tab" "$day" "$tab" "$tab" "$tab"
    printf 'backup.sh%s/home/me/bin/backup.sh%sNone%s%s 02:30:00%sEvery Day%sRun - Normal%s\r\n' \
        "$tab" "$tab" "$tab" "$day" "$tab" "$tab" "$tab"
    printf 'xterm%s/usr/bin/xterm%s2210%s%s 09:00:00%sNone%sClose - AfterNoMouseMoving 00-00-30-00%sTurn Off the Monitor\r\n' \
        "$tab" "$tab" "$tab" "$day" "$tab" "$tab" "$tab"
    printf 'Empty%sNone%sNone%s%s 23:00:00%sNone%sClose - After 00-02-00-00%sShutdown PC - Q\r\n' \
        "$tab" "$tab" "$tab" "$day" "$tab" "$tab" "$tab"
} >"$APPDATA/default.mtf"

# A few programs for the editor's list.
xclock -geometry 120x120+1100+40 & pids+=($!)
xterm -geometry 60x10+900+700 & pids+=($!)

"$build/src/app/morvane" & pids+=($!)
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Morvane$' | head -n1)

# Crops the screen to a window and the frame the window manager drew around it.
shoot() {
    local frame=$1 parent root
    while :; do
        parent=$(xwininfo -tree -id "$frame" | awk '/Parent window id/ {print $4}')
        root=$(xwininfo -tree -id "$frame" | awk '/Root window id/ {print $4}')
        [ "$parent" = "$root" ] && break
        frame=$parent
    done
    local info
    info=$(xwininfo -id "$frame")
    local x y w h
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    w=$(awk '/Width:/ {print $2}' <<<"$info")
    h=$(awk '/Height:/ {print $2}' <<<"$info")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
}

# Waits until a window has been painted: its picture stops changing.
settle() {
    local last="" now
    for _ in $(seq 1 50); do
        now=$(import -window "$1" -depth 8 rgb:- 2>/dev/null | md5sum)
        [ "$now" = "$last" ] && return 0
        last=$now
    done
}

xdotool windowmove "$main" 40 40
xdotool windowactivate --sync "$main"
settle "$main"
shoot "$main" docs/screenshot-main.png

xdotool key --clearmodifiers ctrl+a
editor=$(timeout 20 xdotool search --sync --onlyvisible --name '^Add a Task$' | head -n1)
xdotool windowmove "$editor" 40 40
settle "$editor"
# Choose xterm from the list by typing its name.
xdotool mousemove --window "$editor" 200 200 click 1
xdotool type --delay 50 xterm
settle "$editor"
# An interval of one hour and thirty minutes.
xdotool mousemove --window "$editor" 190 566 click 1 key --clearmodifiers ctrl+a type 01
xdotool mousemove --window "$editor" 310 566 click 1 key --clearmodifiers ctrl+a type 30
xdotool mousemove --window "$editor" 8 700
settle "$editor"
shoot "$editor" docs/screenshot-editor.png

# The warning notice and the tray menu over the UI tests' fake platform, grabbed by Qt itself:
# openbox has no tray to open the menu from, and the warning needs a task falling due.
MORVANE_SCREENSHOTS="$PWD/docs" QT_QPA_PLATFORM=xcb \
    "$build/tests/ui/ExtrasTest" screenshotsOfTheWarningAndTheTrayMenu
echo "Wrote docs/screenshot-{main,editor,warning,tray}.png"
