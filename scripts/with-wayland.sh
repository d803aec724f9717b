#!/usr/bin/env bash
# Runs a command on a private headless Wayland desktop, as a login manager would start it:
#   scripts/with-wayland.sh mutter|kwin|sway|weston [--] COMMAND...
# Each desktop gets its own runtime folder and session bus; the command finds WAYLAND_DISPLAY,
# XDG_RUNTIME_DIR, XDG_SESSION_TYPE=wayland and XDG_CURRENT_DESKTOP set, MORVANE_TEST_COMPOSITOR
# naming the compositor, and MORVANE_TEST_INPUT holding a shell command that makes real input on
# it (empty where the compositor has no seat). With MORVANE_WL_XWAYLAND=1, mutter also offers
# XWayland and the command finds its DISPLAY and XAUTHORITY set. sway refuses to run as root: there the compositor
# and the command run as nobody (65534). Everything started here is stopped on exit.
set -euo pipefail

compositor=${1:?usage: with-wayland.sh mutter|kwin|sway|weston [--] COMMAND...}
shift
[ "${1:-}" = "--" ] && shift
[ $# -gt 0 ] || { echo "with-wayland.sh: no command" >&2; exit 2; }

here=$(cd "$(dirname "$0")" && pwd)
socket=wl-morvane
runtime=$(mktemp -d)
chmod 0700 "$runtime"
cleanup() {
    [ -n "${compositor_pid:-}" ] && kill "$compositor_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

# The command runs as `as_user` (empty: ourselves) with this environment.
as_user=()
case "$compositor" in
    mutter) desktop=GNOME ;;
    kwin) desktop=KDE ;;
    sway) desktop=sway ;;
    weston) desktop=weston ;;
    *) echo "with-wayland.sh: unknown compositor $compositor" >&2; exit 2 ;;
esac
if [ "$compositor" = sway ] && [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$runtime"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi

# Everything below runs inside one private session bus, so the compositor's D-Bus interfaces
# (mutter's) are on the bus the command sees.
export MORVANE_WL_COMPOSITOR=$compositor MORVANE_WL_SOCKET=$socket MORVANE_WL_HERE=$here
export XDG_RUNTIME_DIR=$runtime HOME=$runtime TMPDIR=$runtime
export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=$desktop MORVANE_TEST_COMPOSITOR=$compositor
unset DISPLAY WAYLAND_DISPLAY
status=0
"${as_user[@]}" dbus-run-session -- bash -c '
set -euo pipefail
log=$XDG_RUNTIME_DIR/compositor.log
case "$MORVANE_WL_COMPOSITOR" in
    mutter)
        x11=--no-x11
        [ "${MORVANE_WL_XWAYLAND:-}" = 1 ] && x11=
        MUTTER_DEBUG_RESET_IDLETIME=1 mutter --headless --wayland $x11 \
            --virtual-monitor 1280x1024 --wayland-display="$MORVANE_WL_SOCKET" >"$log" 2>&1 &
        input="/usr/bin/python3 $MORVANE_WL_HERE/wayland-input.py mutter" ;;
    kwin)
        # The installed binary carries a file capability that sandboxes refuse: run a copy.
        cp /usr/bin/kwin_wayland "$XDG_RUNTIME_DIR/kwin_wayland"
        KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 "$XDG_RUNTIME_DIR/kwin_wayland" --virtual \
            --width 1280 --height 1024 --socket "$MORVANE_WL_SOCKET" --no-lockscreen \
            >"$log" 2>&1 &
        input=${MORVANE_KWIN_FAKE_INPUT:-} ;;
    sway)
        printf "output HEADLESS-1 resolution 1280x1024\n" >"$XDG_RUNTIME_DIR/sway.conf"
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
            sway -c "$XDG_RUNTIME_DIR/sway.conf" >"$log" 2>&1 &
        input="swaymsg seat seat0 cursor move 10 10" ;;
    weston)
        weston --backend=headless-backend.so --socket="$MORVANE_WL_SOCKET" --width=1280 \
            --height=1024 --idle-time=0 >"$log" 2>&1 &
        input="" ;;
esac
pid=$!
trap "kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true" EXIT
ready=
for _ in $(seq 1 150); do
    kill -0 $pid 2>/dev/null || break
    if [ "$MORVANE_WL_COMPOSITOR" = sway ]; then
        # sway names its own socket (wayland-N) and its IPC socket.
        for s in "$XDG_RUNTIME_DIR"/wayland-[0-9]; do
            [ -S "$s" ] && export WAYLAND_DISPLAY=${s##*/}
        done
        for s in "$XDG_RUNTIME_DIR"/sway-ipc.*.sock; do
            [ -S "$s" ] && export SWAYSOCK=$s
        done
        [ -n "${SWAYSOCK:-}" ] || { sleep 0.1; continue; }
    else
        export WAYLAND_DISPLAY=$MORVANE_WL_SOCKET
    fi
    if [ -n "${WAYLAND_DISPLAY:-}" ] && [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] &&
        timeout 2 wayland-info >/dev/null 2>&1; then
        ready=1
        break
    fi
    sleep 0.1
done
if [ -z "$ready" ]; then
    echo "with-wayland.sh: $MORVANE_WL_COMPOSITOR did not start" >&2
    cat "$log" >&2
    exit 1
fi
if [ "$MORVANE_WL_COMPOSITOR" = mutter ]; then
    # Its D-Bus interfaces come a moment after the socket.
    for _ in $(seq 1 100); do
        gdbus introspect --session --dest org.gnome.Mutter.IdleMonitor \
            --object-path /org/gnome/Mutter/IdleMonitor/Core >/dev/null 2>&1 && break
        sleep 0.1
    done
fi
if [ "${MORVANE_WL_XWAYLAND:-}" = 1 ]; then
    # mutter holds its X displays itself (their lock files name it) and starts XWayland when
    # the first X client comes; the lowest of them is the public one.
    for _ in $(seq 1 100); do
        for lock in $(ls /tmp/.X*-lock 2>/dev/null | sort -V); do
            if [ "$(tr -d " " <"$lock" 2>/dev/null)" = "$pid" ]; then
                n=${lock#/tmp/.X}
                export DISPLAY=:${n%-lock}
                break
            fi
        done
        auth=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n1)
        [ -n "${DISPLAY:-}" ] && [ -n "$auth" ] && break
        sleep 0.1
    done
    [ -n "${DISPLAY:-}" ] || { echo "with-wayland.sh: no XWayland display" >&2; exit 1; }
    export XAUTHORITY=$auth
fi
export MORVANE_TEST_INPUT=$input
unset MORVANE_WL_COMPOSITOR MORVANE_WL_SOCKET MORVANE_WL_HERE
"$@"
' morvane-wayland "$@" || status=$?
exit $status
