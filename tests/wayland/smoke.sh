#!/usr/bin/env bash
# Smoke test of the real program running natively on a private headless Wayland desktop: start
# it with an empty home, wait for the first frame of its main window, end it with SIGTERM (as
# logging out does) and check that it ended with status 0 and saved its settings.
#   smoke.sh mutter|kwin|sway|weston MORVANE_BINARY OUTPUT_FOLDER
set -euo pipefail

compositor=$1
binary=$2
out=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

if [ -z "${MORVANE_IN_WAYLAND:-}" ]; then
    case "$compositor" in
        kwin) needed=kwin_wayland ;;
        *) needed=$compositor ;;
    esac
    for tool in "$needed" wayland-info dbus-run-session; do
        command -v "$tool" >/dev/null || { echo "$tool is missing: skipped."; exit 77; }
    done
    mkdir -p "$out"
    rm -f "$out"/*.log
    # On sway, as root, the program runs as nobody: its log folder must be theirs.
    if [ "$compositor" = sway ] && [ "$(id -u)" -eq 0 ]; then
        chown 65534:65534 "$out"
    fi
    MORVANE_IN_WAYLAND=1 exec "$root/scripts/with-wayland.sh" "$compositor" -- "$0" "$@"
fi

# with-wayland.sh gave us a fresh runtime folder as home: nothing can reach the real one.
export APPDATA="$HOME/appdata" XDG_CONFIG_HOME="$HOME/config" QT_QPA_PLATFORM=wayland
if ! "$root/scripts/wayland-first-frame.py" --log "$out/morvane.log" Morvane -- "$binary"; then
    echo "--- the program's output (without its Wayland requests):"
    grep -v -E '^\[ *[0-9.]+\] ' "$out/morvane.log" || true
    exit 1
fi
[ -f "$APPDATA/mvsetting.ini" ] || { echo "SIGTERM did not save the settings."; exit 1; }
echo "Ended cleanly on SIGTERM on $compositor."
