#!/usr/bin/env bash
# Runs a command inside a private X desktop: its own Xvfb display, an openbox window manager so
# windows get focus, and a private session bus. Everything started here is stopped on exit.
set -euo pipefail

if [ -n "${MORVANE_IN_DESKTOP:-}" ]; then
    exec "$@"
fi

tmp=$(mktemp -d)
cleanup() {
    [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

exec 3>"$tmp/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 1 100); do
    [ -s "$tmp/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$tmp/xvfb.log"; exit 1; }
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$tmp/display")"

openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
wm_pid=$!
# openbox sets _NET_SUPPORTING_WM_CHECK on the root window once it manages the screen.
for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

export MORVANE_IN_DESKTOP=1
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
status=0
dbus-run-session -- "$@" || status=$?
exit $status
