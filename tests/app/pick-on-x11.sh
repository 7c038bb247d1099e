#!/usr/bin/env bash
# `tonzug --pick` on an X server: it waits for one click and prints the colour under it;
# a key cancels with status 1.
set -uo pipefail
program="$1"
testing_dir="$2"
source "$testing_dir/desktop-session.sh"
trap stop_session EXIT
require_tools xdotool xsetroot
start_xvfb || exit 1
xsetroot -solid '#3366cc'
unset WAYLAND_DISPLAY XDG_SESSION_TYPE DBUS_SESSION_BUS_ADDRESS
export QT_QPA_PLATFORM=xcb

# Runs the pick and repeats the input until the program has grabbed the pointer and ends.
pick_with() {
    "$program" --pick >"$session_folder/out" 2>"$session_folder/err" &
    local pid=$!
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        xdotool "$@"
        sleep 0.2
    done
    wait "$pid"
}

pick_with mousemove 300 200 click 1
status=$?
if [ "$status" -ne 0 ] || [ "$(cat "$session_folder/out")" != "#3366CC" ]; then
    echo "click: status $status, printed '$(cat "$session_folder/out")'" >&2
    cat "$session_folder/err" >&2
    exit 1
fi
pick_with key Escape
status=$?
if [ "$status" -ne 1 ] || [ -s "$session_folder/out" ]; then
    echo "Escape: status $status, printed '$(cat "$session_folder/out")'" >&2
    exit 1
fi
echo "picked #3366CC with a click, Escape cancelled"
