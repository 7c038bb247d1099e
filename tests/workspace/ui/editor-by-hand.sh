#!/usr/bin/env bash
# The main window driven by real key and mouse events on an X server of its own, its
# controls found through AT-SPI as a screen reader finds them (see editor_by_hand.py).
set -uo pipefail
program="$1"
testing_dir="$2"
source "$testing_dir/desktop-session.sh"
trap stop_session EXIT
require_tools xdotool xclip import compare
start_xvfb 1280x800 || exit 1
start_session_bus || exit 1
start_accessibility_bus || exit 1
unset WAYLAND_DISPLAY XDG_SESSION_TYPE
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8
export XDG_CONFIG_HOME="$session_folder/config"
mkdir -p "$XDG_CONFIG_HOME"
"$program" 2>"$session_folder/program.err" &
session_pids+=($!)
PYTHONPATH="$testing_dir" /usr/bin/python3 "$(dirname "$0")/editor_by_hand.py" "$program" \
    "$session_folder"
status=$?
[ "$status" -eq 0 ] || cat "$session_folder/program.err" >&2
exit "$status"
