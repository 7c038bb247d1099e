#!/bin/sh
# Runs a test program on an X server of its own with two monitors side by side, 800 x 600
# each, on one desktop of 1600 x 600: RandR monitors on a single Xvfb screen (Xvfb's
# Xinerama would lay its screens over each other). Exits with 77 (skipped) when Xvfb or
# xrandr is not installed, and with the program's own status otherwise.
for tool in Xvfb xrandr; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed"
        exit 77
    fi
done
folder=$(mktemp -d) || exit 1
# -noreset: the monitors would go with a server reset when xrandr disconnects.
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1600x600x24 \
    3>"$folder/display" 2>"$folder/server.log" &
server=$!
stop() {
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    rm -rf "$folder"
}
waited=0
while [ ! -s "$folder/display" ]; do
    waited=$((waited + 1))
    if [ "$waited" -gt 100 ] || ! kill -0 "$server" 2>/dev/null; then
        echo "Xvfb did not start:"
        cat "$folder/server.log"
        stop
        exit 1
    fi
    sleep 0.1
done
DISPLAY=":$(cat "$folder/display")"
export DISPLAY
# The left monitor takes the screen's one output, so the output adds no monitor of its own.
if ! xrandr --setmonitor links 800/211x600/158+0+0 screen >/dev/null ||
    ! xrandr --setmonitor rechts 800/211x600/158+800+0 none >/dev/null; then
    echo "the monitors could not be set up"
    stop
    exit 1
fi
mkdir -p "$folder/config"
QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$folder/config" "$@"
status=$?
stop
exit "$status"
