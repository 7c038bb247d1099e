#!/usr/bin/env bash
# The window started as a desktop starts it, its language chosen by the environment alone:
# English for LANG=en_US.UTF-8, German for de_DE and C (see window_in_language.py).
set -uo pipefail
program="$1"
testing_dir="$2"
source "$testing_dir/desktop-session.sh"
trap stop_session EXIT
require_tools xdotool
start_xvfb 1280x800 || exit 1
start_session_bus || exit 1
start_accessibility_bus || exit 1
unset WAYLAND_DISPLAY XDG_SESSION_TYPE LC_ALL LC_MESSAGES LANGUAGE
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
status=0
for lang in en_US.UTF-8 de_DE.UTF-8 C; do
    export XDG_CONFIG_HOME="$session_folder/config-$lang"
    mkdir -p "$XDG_CONFIG_HOME"
    LANG="$lang" "$program" 2>"$session_folder/program.err" &
    window_pid=$!
    PYTHONPATH="$testing_dir" /usr/bin/python3 "$(dirname "$0")/window_in_language.py" "$lang" ||
        { status=1; cat "$session_folder/program.err" >&2; }
    kill "$window_pid" 2>/dev/null
    wait "$window_pid" 2>/dev/null
done
exit "$status"
