#!/usr/bin/env bash
# Builds the Debian package from the release preset and checks it the way a user meets it:
# lintian, the installed desktop entry and AppStream data, `apt-get install` of the .deb,
# /usr/bin/morvane started on a private desktop in French and ended by SIGTERM, and
# `apt-get remove` leaving nothing of it under /usr. Runs as root (as CI does) or through sudo:
# it installs and removes the package "morvane" on this machine.
set -euo pipefail
cd "$(dirname "$0")/.."

readonly app_id=io.github.morvane.Morvane

fail() {
    echo "test-package: $*" >&2
    exit 1
}

# Runs the command until it succeeds; fails after LIMIT seconds.
wait_for() {
    local limit=$1
    shift
    local end=$((SECONDS + limit))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.1
    done
}

has_exited() {
    [ ! -e "/proc/$1" ] || [ "$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null)" = Z ]
}

main_window() {
    window=$(xdotool search --onlyvisible --pid "$1" --name '^Morvane$' 2>/dev/null | head -n1)
    [ -n "$window" ]
}

# The accessibility tree shows the captions as the user reads them: wait for the main window's
# "Add a Task" button in French.
french_caption_shown() {
    /usr/bin/python3 - "$1" <<'EOF'
import sys
import time

import pyatspi

pid = int(sys.argv[1])
wanted = "Ajouter une tâche"
deadline = time.monotonic() + 30


def find(node, depth=0):
    if node is None or depth > 12:
        return False
    try:
        if node.name == wanted and node.getRole() == pyatspi.ROLE_PUSH_BUTTON:
            return True
        return any(find(child, depth + 1) for child in node)
    except Exception:  # a node that went away while we walked
        return False


while time.monotonic() < deadline:
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == pid and find(app):
                sys.exit(0)
        except Exception:
            pass
    time.sleep(0.2)
print("no button captioned %r in the program's accessibility tree" % wanted, file=sys.stderr)
sys.exit(1)
EOF
}

# On the private desktop, from a fresh HOME: the installed program, in French.
run_installed() {
    local expected_version=$1
    local version
    # Answered before any window: works without a display.
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/morvane --version) ||
        fail "--version failed"
    [ "$version" = "morvane $expected_version" ] || fail "--version printed '$version'"
    env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/morvane --help | grep -q '^Usage: morvane' ||
        fail "--help printed no usage"
    # The command line's companions: completion and the bus interface's description.
    [ -f /usr/share/bash-completion/completions/morvane ] || fail "no bash completion installed"
    [ -s /usr/share/dbus-1/interfaces/io.github.morvane.Morvane1.xml ] ||
        fail "no bus interface description installed"

    local appdata="$HOME/.config/morvane"
    mkdir -p "$appdata"
    echo fr >"$appdata/mvfr.dat"
    local log="$HOME/morvane.log"
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb env -u WAYLAND_DISPLAY \
        /usr/bin/morvane >"$log" 2>&1 &
    local pid=$!
    window=
    if ! wait_for 30 main_window "$pid"; then
        cat "$log"
        kill -KILL "$pid" 2>/dev/null || true
        fail "no Morvane window appeared"
    fi
    # A desktop matches the window to its entry by this class.
    local wm_class wanted_class
    wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
    wanted_class=$(sed -n 's/^StartupWMClass=//p' "/usr/share/applications/$app_id.desktop")
    [ "$wm_class" = "$wanted_class" ] || {
        kill -KILL "$pid"
        fail "window class '$wm_class', desktop entry expects '$wanted_class'"
    }
    french_caption_shown "$pid" || {
        kill -KILL "$pid"
        fail "the window is not in French"
    }

    kill -TERM "$pid"
    if ! wait_for 30 has_exited "$pid"; then
        kill -KILL "$pid"
        fail "SIGTERM did not end the program"
    fi
    local status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || {
        cat "$log"
        fail "the program ended with status $status"
    }
    [ -s "$appdata/mvsetting.ini" ] || fail "no settings were saved on SIGTERM"
    echo "test-package: /usr/bin/morvane started in French and ended cleanly"
}

if [ "${1:-}" = --installed-run ]; then
    run_installed "$2"
    exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
apt_get() {
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=300 "$@"
}

echo "== package: build"
cmake --preset release
rm -f build/release/morvane_*.deb
cmake --build --preset release --target package
debs=(build/release/morvane_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "expected one package, found: ${debs[*]}"
fi
deb=${debs[0]}

echo "== package: contents and lintian"
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v -e '^\./$' -e '^\./usr/' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
lintian --fail-on error "$deb"

tmp=$(mktemp -d)
installed=false
cleanup() {
    if $installed; then
        apt_get remove -y -qq morvane >/dev/null || true
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT

echo "== package: install"
apt_get install -y -qq "$PWD/$deb"
installed=true
dpkg-query -L morvane >"$tmp/files"
desktop-file-validate "/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml"

echo "== package: start the installed program"
version=$(dpkg-deb -f "$deb" Version)
mkdir "$tmp/home"
env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$tmp/home" \
    scripts/with-desktop.sh "$PWD/scripts/test-package.sh" --installed-run "${version%-*}"

echo "== package: remove"
apt_get remove -y -qq morvane
installed=false
leftovers=()
while IFS= read -r path; do
    case "$path" in
    /usr | /usr/*) ;;
    /.) continue ;;
    *) fail "the package held $path, outside /usr" ;;
    esac
    if [ -L "$path" ] || [ -f "$path" ]; then
        leftovers+=("$path")
    elif [ -d "$path" ] && [ -z "$(ls -A "$path")" ] && ! dpkg-query -S "$path" >/dev/null 2>&1; then
        # An empty folder no other package owns was ours alone.
        leftovers+=("$path/")
    fi
done <"$tmp/files"
[ ${#leftovers[@]} -eq 0 ] || fail "left behind after removal: ${leftovers[*]}"

echo "== package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB," \
    "installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
echo "Package test passed."
