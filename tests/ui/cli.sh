#!/usr/bin/env bash
# The command line and the session-bus interface of the real program on a private X desktop
# (run it through scripts/with-desktop.sh): every command form with no instance and against a
# running one, bad arguments that change nothing, and the bus interface through gdbus and busctl.
#   cli.sh MORVANE_BINARY OUTPUT_FOLDER
set -euo pipefail

if [ -z "${DISPLAY:-}" ] || [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    echo "No X display or session bus (run through scripts/with-desktop.sh): skipped."
    exit 77
fi
for tool in gdbus busctl xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: skipped."; exit 77; }
done

binary=$1
out=$2
mkdir -p "$out"
home=$(mktemp -d)
monitor=
sleeper=
instance=
cleanup() {
    [ -n "$monitor" ] && kill "$monitor" 2>/dev/null || true
    [ -n "$sleeper" ] && kill "$sleeper" 2>/dev/null || true
    if [ -n "$instance" ] && kill -0 "$instance" 2>/dev/null; then
        kill -TERM "$instance"
        timeout 20 tail --pid="$instance" -f /dev/null || true
    fi
    rm -rf "$home"
}
trap cleanup EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config"
kept="$XDG_CONFIG_HOME/morvane/default.mtf"
name=io.github.morvane.Morvane
object=/io/github/morvane/Morvane
interface=io.github.morvane.Morvane1

fail() { echo "FAIL: $*"; exit 1; }
# Runs morvane with the arguments; sets status, stdout and stderr.
run() {
    status=0
    timeout 60 "$binary" "$@" >"$out/stdout" 2>"$out/stderr" || status=$?
    stdout=$(cat "$out/stdout")
    stderr=$(cat "$out/stderr")
}
expect() { # STATUS ARGS...
    local want=$1
    shift
    run "$@"
    [ "$status" -eq "$want" ] || fail "morvane $* exited $status, not $want: $stderr"
}
owned() { gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.NameHasOwner "$name" | grep -q true; }
# Waits at most 20 s for a command to succeed.
until_true() {
    local deadline=$((SECONDS + 20))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# No instance: listing and cancelling say so; nothing is started.
expect 1 --list
expect 1 --cancel all
[[ $stderr == *"not running"* ]] || fail "no reason: $stderr"
owned && fail "an instance was started"

# Bad arguments: exit 2 with one line saying why, and nothing starts or changes.
bad=(
    "--frobnicate"
    "--shutdown --in 30"
    "--shutdown --in 0m"
    "--shutdown --in -5m"
    "--shutdown --at 25:00"
    "--shutdown"
    "--in 5m"
    "--close= --in 5m"
    "--suspend --lock --now"
    "--shutdown --in 5m --grace 10s"
    "--shutdown --when-quiet cpu=101"
    "--shutdown --when-exits 0"
)
check_bad() {
    local args
    for args in "${bad[@]}"; do
        # shellcheck disable=SC2086
        expect 2 $args
        [ "$(wc -l <"$out/stderr")" -eq 1 ] || fail "morvane $args: not one line: $stderr"
    done
}
check_bad
owned && fail "bad arguments started an instance"

# The kept list is on: what the command line adds is on disk at once.
mkdir -p "$XDG_CONFIG_HOME/morvane"
printf '1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' >"$XDG_CONFIG_HOME/morvane/mvsetting.ini"

# A task with no instance running starts one, with its window, and prints the task's id.
expect 0 --shutdown --in 30m
first=$stdout
[[ $first =~ ^[0-9]+$ ]] || fail "no id printed: $stdout"
owned || fail "no instance owns the name"
# The instance this test started, as our private bus knows it: the one to end afterwards.
instance=$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.GetConnectionUnixProcessID "$name" |
    sed -E 's/.*uint32 ([0-9]+).*/\1/')
until_true xdotool search --onlyvisible --name '^Morvane$' >/dev/null || fail "no window"
grep -q 'Shutdown PC' "$kept" || fail "the kept list lacks the task"

# Bad arguments against a running instance leave the kept list byte for byte.
cp "$kept" "$out/kept-before"
check_bad
expect 2 --close no-such-program-here --now
[[ $stderr == *"no running program"* ]] || fail "missing program not refused: $stderr"
cmp -s "$kept" "$out/kept-before" || fail "a refused request changed the kept list"

# Signals, heard by whoever listens on the bus.
gdbus monitor --session --dest "$name" --object-path "$object" >"$out/signals" 2>&1 &
monitor=$!
until_true grep -q "Monitoring" "$out/signals" || true

# Every form against the running instance.
expect 0 --run "$(command -v true)" --at 23:59 --repeat day
second=$stdout
sleep 600 &
sleeper=$!
expect 0 --close sleep --idle 20m --quit
third=$stdout
expect 0 --list
[ "$(grep -c . <<<"$stdout")" -eq 3 ] || fail "--list: $stdout"
[ "$(cut -f1 <<<"$stdout" | tr '\n' ' ')" = "$first $second $third " ] || fail "ids: $stdout"
grep -qP "^$first\t[0-9/: ]+ \(in 0:[0-9]{2}:[0-9]{2}\)\tshutdown\tonce$" <<<"$stdout" ||
    fail "--list line: $stdout"
grep -qP "^$third\tafter 20m without activity\tclose sleep, then quit\tonce$" <<<"$stdout" ||
    fail "--list idle line: $stdout"
expect 0 --cancel "$second"
expect 2 --cancel "$second"
expect 0 --show
expect 0
[ "$(xdotool search --onlyvisible --name '^Morvane$' | wc -l)" -eq 1 ] ||
    fail "a second start opened a window"

# The bus interface: introspection, add, list, cancel, and a task that fires.
busctl --user introspect "$name" "$object" "$interface" >"$out/introspect"
for member in AddTask ListTasks CancelTask CancelAll Show TaskAdded TaskRemoved TaskFired; do
    grep -q "\.$member " "$out/introspect" || fail "introspection lacks $member"
done
added=$(gdbus call --session --dest "$name" --object-path "$object" \
    --method "$interface.AddTask" "{'run': <'$(command -v true)'>, 'now': <true>}")
fired=$(sed -E 's/.*uint64 ([0-9]+).*/\1/' <<<"$added")
if gdbus call --session --dest "$name" --object-path "$object" \
    --method "$interface.AddTask" "{'action': <'shutdown'>, 'in': <'0s'>}" 2>"$out/refused"; then
    fail "a zero countdown was accepted"
fi
grep -q "Refused" "$out/refused" || fail "no refusal: $(cat "$out/refused")"
until_true grep -q "TaskFired (uint64 $fired," "$out/signals" || fail "no TaskFired for $fired"
gdbus call --session --dest "$name" --object-path "$object" --method "$interface.ListTasks" \
    >"$out/listed"
grep -q "'close sleep, then quit'" "$out/listed" || fail "ListTasks: $(cat "$out/listed")"
gdbus call --session --dest "$name" --object-path "$object" --method "$interface.CancelTask" \
    "$third" >/dev/null
# When a program exits, and when the network goes quiet: a real child and the real counters
# (a level no machine reaches, so that a busy test machine cannot hold it back).
sleep 600 &
watched=$!
expect 0 --run "$(command -v touch) $home/exited" --when-exits "$watched"
expect 0 --run "$(command -v touch) $home/quiet" --when-quiet network=10000000 --for 1s
until_true test -e "$home/quiet" || fail "the quiet task did not run"
[ -e "$home/exited" ] && fail "the exit task ran while its program runs"
kill "$watched"
wait "$watched" 2>/dev/null || true
until_true test -e "$home/exited" || fail "the exit task did not run when its program ended"
expect 2 --shutdown --when-exits "$watched"
[[ $stderr == *"is not running"* ]] || fail "an ended program was accepted: $stderr"

expect 0 --cancel all
expect 0 --list
[ -z "$stdout" ] || fail "tasks left after --cancel all: $stdout"
until_true grep -q "TaskRemoved (uint64 $first," "$out/signals" || fail "no TaskRemoved for $first"
grep -q "TaskAdded (uint64 $second," "$out/signals" || fail "no TaskAdded for $second"
[ ! -e "$kept" ] || [ -z "$(tr -d '\r\n' <"$kept")" ] || fail "the kept list still has tasks"
echo "The command line and the bus interface answered as expected."
