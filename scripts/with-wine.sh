#!/usr/bin/env bash
# Runs a command against a fresh 64-bit Wine prefix: quiet, no debugger or crash dialog, and one
# wineserver kept alive for the whole command so each Windows program starts in a fraction of a
# second. Everything started here is stopped on exit.
#
#   scripts/with-wine.sh [--prefix DIR] CMD...
#
# DIR (default: a temporary folder) is created anew; a folder that exists must be one this script
# made before. Inside CMD, `wine program.exe` runs in that prefix.
set -euo pipefail

prefix=
if [ "${1:-}" = "--prefix" ]; then
    prefix=$2
    shift 2
fi
[ $# -gt 0 ] || { echo "usage: $0 [--prefix DIR] CMD..." >&2; exit 2; }

marker=.morvane-wineprefix
if [ -z "$prefix" ]; then
    prefix=$(mktemp -d)
    remove_prefix=1
elif [ -e "$prefix" ]; then
    if [ ! -e "$prefix/$marker" ] && [ -n "$(ls -A "$prefix")" ]; then
        echo "$prefix is not a prefix made by $0; not removing it" >&2
        exit 2
    fi
    rm -rf "$prefix"
fi
mkdir -p "$prefix"
touch "$prefix/$marker"
export WINEPREFIX
WINEPREFIX=$(cd "$prefix" && pwd)
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing of ours needs .NET or the HTML engine, and their installers would ask.
# No menu builder: it would write launchers and file associations into the user's own home.
# No debugger: besides its dialog, a crashed program it attaches to now and then exits with 0,
# which would pass a crashed test; without it the crash is the exit status.
overrides="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
export WINEDLLOVERRIDES="$overrides${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

cleanup() {
    [ -n "${keeper:-}" ] && exec 3>&-
    # Wine's cmd does not always end its pause at the end of its input: the server ends it.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    [ -n "${keeper:-}" ] && { wait "$keeper" 2>/dev/null || true; }
    [ -n "${remove_prefix:-}" ] && rm -rf "$WINEPREFIX"
    return 0
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

wineserver -p
# The prefix's services (services.exe, winedevice.exe, ...) live as long as the server does and
# keep the descriptors they were started with: start them here, away from the caller's pipes,
# or whoever reads the command's output (ctest) waits for them forever.
wine wineboot --init </dev/null >"$WINEPREFIX/wineboot.log" 2>&1
# Wine's desktop process leaves a second after the last program with windows, and the next one
# then waits some ten seconds for it to come back: a program that waits for input it never gets
# keeps it there for the whole command.
if [ -n "${DISPLAY:-}" ]; then
    keeper_input=$(mktemp -u)
    mkfifo "$keeper_input"
    wine cmd.exe /c pause <"$keeper_input" >/dev/null 2>&1 &
    keeper=$!
    exec 3>"$keeper_input"
    rm -f "$keeper_input"
    # The desktop process itself is started by the first program that touches the display, and
    # keeps that program's descriptors: start it here too, or ctest waits on it for the whole
    # run after the first window test.
    wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
fi

status=0
"$@" || status=$?
exit $status
