#!/usr/bin/env bash
# Runs a command against a fresh 64-bit Wine prefix: quiet, no debugger or crash dialog, and one
# wineserver kept alive for the whole command so each Windows program starts in a fraction of a
# second. Everything started here is stopped on exit.
#
#   scripts/with-wine.sh [--prefix DIR] [--user NAME] [--acp 65001] CMD...
#
# DIR (default: a temporary folder) is created anew; a folder that exists must be one this script
# made before. Inside CMD, `wine program.exe` runs in that prefix.
#
# --user NAME   the prefix's Windows user is NAME, so its profile, APPDATA, the roaming known
#               folder and the temporary folder all hold NAME ("Zoé Łukasz 東京" has letters
#               beyond the ANSI code page). Wine names the profile after the Unix user.
# --acp 65001   the system's ANSI (and OEM) code page is UTF-8, Windows' "Use Unicode UTF-8 for
#               worldwide language support" option. Wine 8 reads the code page from the Unix
#               locale, not from the registry value that option sets (it is set too): the
#               system locale becomes hi-IN, a locale whose code page is UTF-8, while the user's
#               own locale stays en-US.
# MORVANE_WINE_ACP and MORVANE_WINE_USER tell the tests which ANSI code page and user the prefix
# has, so they can check both took.
#
# Windows programs see the locale this script sets, never the caller's: Wine keeps file names in
# the Unix locale's character set, so it is always a UTF-8 one (names beyond ASCII work), and the
# Windows side is American English with the western code page 1252 unless --acp says otherwise.
set -euo pipefail

prefix=
user=
acp=
while [ $# -gt 0 ]; do
    case $1 in
    --prefix) prefix=$2; shift 2 ;;
    --user) user=$2; shift 2 ;;
    --acp) acp=$2; shift 2 ;;
    *) break ;;
    esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--prefix DIR] [--user NAME] [--acp 65001] CMD..." >&2; exit 2; }
if [ -n "$acp" ] && [ "$acp" != 65001 ]; then
    echo "$0: --acp takes 65001 (UTF-8) only; other code pages come with their locale" >&2
    exit 2
fi

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

unset LANGUAGE LC_ALL LC_CTYPE LC_MESSAGES
if [ -n "$acp" ]; then
    # Compiled into the prefix (a second or two each), so nothing is installed on the machine.
    export LOCPATH=$WINEPREFIX/locale
    mkdir -p "$LOCPATH"
    for locale in hi_IN en_US; do
        localedef -i $locale -f UTF-8 "$LOCPATH/$locale.UTF-8" >/dev/null 2>&1 ||
            [ -e "$LOCPATH/$locale.UTF-8/LC_CTYPE" ] ||
            { echo "$0: cannot compile the $locale.UTF-8 locale" >&2; exit 1; }
    done
    # The system locale (hence the code page) comes from LC_CTYPE, the user's from the rest.
    export LANG=en_US.UTF-8 LC_CTYPE=hi_IN.UTF-8 MORVANE_WINE_ACP=$acp
else
    export LC_ALL=C.UTF-8 MORVANE_WINE_ACP=1252
fi
if [ -n "$user" ]; then
    export USER=$user LOGNAME=$user MORVANE_WINE_USER=$user
fi

wineserver -p
# The prefix's services (services.exe, winedevice.exe, ...) live as long as the server does and
# keep the descriptors they were started with: start them here, away from the caller's pipes,
# or whoever reads the command's output (ctest) waits for them forever.
wine wineboot --init </dev/null >"$WINEPREFIX/wineboot.log" 2>&1
if [ -n "$user" ] && [ ! -d "$WINEPREFIX/drive_c/users/$user" ]; then
    echo "$0: the prefix has no profile for the user $user" >&2
    exit 1
fi
if [ -n "$acp" ]; then
    # What the Windows option writes; Wine takes the locale's code page instead (see above).
    for value in ACP OEMCP; do
        wine reg add 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v $value /t REG_SZ \
            /d "$acp" /f </dev/null >/dev/null 2>&1
    done
fi
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
