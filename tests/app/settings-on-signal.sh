#!/usr/bin/env bash
# The settings are written when the system asks the program to end, as on any close:
# start the window without a settings file, send SIGTERM, and look for the file.
set -euo pipefail
source "$(dirname "$0")/window-process.sh"
program="$1"
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT

XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=offscreen "$program" &
status=0
end_window_when_ready $! || status=$?
ini="$config/Tonzug/Tonzug.ini"
if [ "$status" -ne 0 ] || ! grep -q '^\[LAST\]' "$ini" || ! grep -q '^X=25' "$ini"; then
    echo "exit status $status; settings file:" >&2
    cat "$ini" >&2 || true
    exit 1
fi
echo "settings written on SIGTERM"
