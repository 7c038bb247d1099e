# Pieces of a desktop session for the tests that drive real programs, each started in a
# private folder and stopped by stop_session (call it from an EXIT trap). Sourced by
# bash scripts; a missing tool ends the script as skipped (77).

session_folder="$(mktemp -d)"
session_pids=()

stop_session() {
    local pid
    for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do
        pid="${session_pids[i]}"
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$session_folder"
}

require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "$tool is not installed"
            exit 77
        fi
    done
}

# Waits up to thirty seconds for a command to succeed (a loaded machine starts programs
# slowly).
wait_for() {
    local waited=0
    until "$@"; do
        waited=$((waited + 1))
        if [ "$waited" -gt 300 ]; then
            return 1
        fi
        sleep 0.1
    done
}

# An X server of its own: sets DISPLAY.
start_xvfb() {
    require_tools Xvfb
    # -noreset: the root background set by a test would go with a reset.
    Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 "${1:-1024x768}x24" \
        3>"$session_folder/display" 2>"$session_folder/xvfb.log" &
    session_pids+=($!)
    if ! wait_for test -s "$session_folder/display"; then
        echo "Xvfb did not start:" >&2
        cat "$session_folder/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$(cat "$session_folder/display")"
}

# Two monitors side by side, 800 x 600 each, on the one desktop of an X server of 1600 x
# 600: RandR monitors on a single Xvfb screen (Xvfb's Xinerama would lay its screens over
# each other). The left monitor takes the screen's one output, so the output adds no
# monitor of its own.
start_xvfb_two_monitors() {
    require_tools xrandr
    start_xvfb 1600x600 || return 1
    xrandr --setmonitor links 800/211x600/158+0+0 screen >/dev/null &&
        xrandr --setmonitor rechts 800/211x600/158+800+0 none >/dev/null
}

# A session bus of its own with nothing to activate: sets DBUS_SESSION_BUS_ADDRESS.
start_session_bus() {
    require_tools dbus-daemon
    if ! /usr/bin/python3 -c 'import dbus, gi' 2>/dev/null; then
        echo "Python's D-Bus modules are not installed"
        exit 77
    fi
    dbus-daemon --config-file="$testing_dir/session-bus.conf" --nofork --print-address=1 \
        >"$session_folder/bus" 2>/dev/null &
    session_pids+=($!)
    wait_for test -s "$session_folder/bus"
    DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$session_folder/bus")"
    export DBUS_SESSION_BUS_ADDRESS
}

# The accessibility bus of AT-SPI on the session bus (start that first), with its registry,
# as a desktop session has it; Qt programs started after this with
# QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 show their controls there.
start_accessibility_bus() {
    local launcher=/usr/libexec/at-spi-bus-launcher
    require_tools "$launcher" dbus-send
    if ! /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null; then
        echo "Python's AT-SPI module is not installed"
        exit 77
    fi
    "$launcher" --launch-immediately >/dev/null 2>&1 &
    session_pids+=($!)
    wait_for dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null 2>&1
}

# The fake desktop portal, answering every pick with $1 (see fake_portal.py); its calls
# are recorded in $session_folder/calls.jsonl.
start_fake_portal() {
    /usr/bin/python3 "$testing_dir/fake_portal.py" --answer "$1" \
        --record "$session_folder/calls.jsonl" >"$session_folder/portal.out" &
    session_pids+=($!)
    wait_for grep -q ready "$session_folder/portal.out"
}
