#!/usr/bin/env bash
# `tonzug --pick` on an X server with two monitors: it waits for one click and prints the
# colour under it, on either monitor; a key cancels with status 1.
set -uo pipefail
program="$1"
testing_dir="$2"
source "$testing_dir/desktop-session.sh"
trap stop_session EXIT
require_tools xdotool convert display
start_xvfb_two_monitors || exit 1
# The left monitor blue, the right one red, as the root window's background.
convert -size 800x600 xc:'#3366cc' xc:'#cc3322' +append "$session_folder/root.png"
display -window root "$session_folder/root.png"
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

for place in "300 200 #3366CC" "1300 400 #CC3322"; do
    read -r x y color <<< "$place"
    pick_with mousemove "$x" "$y" click 1
    status=$?
    if [ "$status" -ne 0 ] || [ "$(cat "$session_folder/out")" != "$color" ]; then
        echo "click at $x, $y: status $status, printed '$(cat "$session_folder/out")'" >&2
        cat "$session_folder/err" >&2
        exit 1
    fi
done
pick_with key Escape
status=$?
if [ "$status" -ne 1 ] || [ -s "$session_folder/out" ]; then
    echo "Escape: status $status, printed '$(cat "$session_folder/out")'" >&2
    exit 1
fi
echo "picked with a click on each monitor, Escape cancelled"
