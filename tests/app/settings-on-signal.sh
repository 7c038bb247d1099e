#!/usr/bin/env bash
# The settings are written when the system asks the program to end, as on any close:
# start the window without a settings file, send SIGTERM, and look for the file.
set -euo pipefail
program="$1"
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT

XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=offscreen "$program" &
pid=$!
# Wait until the program catches SIGTERM (bit 15 of its caught-signal mask), so the
# signal reaches the handler and not the default action.
for _ in $(seq 200); do
    mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    if (( (16#$mask >> 14) & 1 )); then
        break
    fi
    sleep 0.05
done
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
ini="$config/Tonzug/Tonzug.ini"
if [ "$status" -ne 0 ] || ! grep -q '^\[LAST\]' "$ini" || ! grep -q '^X=25' "$ini"; then
    echo "exit status $status; settings file:" >&2
    cat "$ini" >&2 || true
    exit 1
fi
echo "settings written on SIGTERM"
