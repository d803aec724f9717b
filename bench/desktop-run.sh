# shellcheck shell=bash
# Shared by bench/wakeups.sh and bench/idle-cpu.sh (sourced, inside a private desktop): starts a
# program with a home of its own, waits for its window, stops it again.

# A fresh, empty home under $homes (the sourcing script's); prints its path.
# shellcheck disable=SC2154
new_home() {
    local home
    home=$(mktemp -d -p "$homes")
    mkdir -p "$home/config/morvane"
    echo "$home"
}

# Autoload on, every other setting off, as the settings file of a home.
write_settings() { # home
    printf '1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' >"$1/config/morvane/mvsetting.ini"
}

# Starts `binary` with `home` as its home and waits until a window titled `title` is mapped,
# for at most 30 s. Sets `pid`.
start_and_wait() { # home binary title
    env -u APPDATA HOME="$1" XDG_CONFIG_HOME="$1/config" "$2" >"$1/out.log" 2>&1 &
    pid=$!
    local deadline=$((SECONDS + 30))
    until xdotool search --onlyvisible --name "^$3\$" >/dev/null 2>&1; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "$(basename "$0"): $2 ended before its window showed:" >&2
            cat "$1/out.log" >&2
            return 1
        fi
        if ((SECONDS >= deadline)); then
            echo "$(basename "$0"): no window titled '$3' within 30 s" >&2
            stop "$pid"
            return 1
        fi
        sleep 0.1
    done
}

# Ends the program politely, then for good when it has not gone within 10 s.
stop() { # pid
    kill "$1" 2>/dev/null || return 0
    local deadline=$((SECONDS + 10))
    while kill -0 "$1" 2>/dev/null && ((SECONDS < deadline)); do
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
