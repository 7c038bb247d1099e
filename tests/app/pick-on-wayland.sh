#!/usr/bin/env bash
# Picks on a real Wayland compositor (weston, drawn into an X server of its own so that
# xdotool can click into it) with a fake desktop portal on a session bus of its own:
# `tonzug --pick` prints the portal's colour, and a click on the start swatch of the real
# window takes it into the parameter set. A screenshot of the window is left in
# $TONZUG_SHOT when that is set.
set -uo pipefail
program="$1"
testing_dir="$2"
source "$testing_dir/desktop-session.sh"
trap stop_session EXIT
require_tools weston xdotool convert
start_xvfb 1024x768 || exit 1
start_session_bus || exit 1
start_fake_portal "color:0.2,0.4,0.8" || exit 1

export XDG_RUNTIME_DIR="$session_folder/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=x11-backend.so --use-pixman --shell=kiosk-shell.so --socket=tonzug-test \
    --width=1024 --height=768 >"$session_folder/weston.log" 2>&1 &
session_pids+=($!)
if ! wait_for test -S "$XDG_RUNTIME_DIR/tonzug-test"; then
    echo "weston did not start:" >&2
    cat "$session_folder/weston.log" >&2
    exit 1
fi
export WAYLAND_DISPLAY=tonzug-test QT_QPA_PLATFORM=wayland XDG_SESSION_TYPE=wayland
fail() {
    echo "$1" >&2
    exit 1
}

# The command line: the portal's colour, rounded.
printed="$("$program" --pick)" || fail "--pick failed with status $?"
[ "$printed" = "#3366CC" ] || fail "--pick printed '$printed'"

# The window, with a start colour that shows nowhere else. A colour value is 0x00BBGGRR.
export XDG_CONFIG_HOME="$session_folder/config"
mkdir -p "$XDG_CONFIG_HOME/Tonzug"
printf '[LAST]\nSTCOL=%d\nEDCOL=0\nX=256\nY=25\nMID=50\nMBR=1\nSBR=1\nEBR=1\nOPT=0\n' \
    $((0x20E010)) >"$XDG_CONFIG_HOME/Tonzug/Tonzug.ini"
"$program" &
window=$!
session_pids+=("$window")

# Where the start swatch shows on the X server: the largest patch of its colour (the
# preview's first column has it too).
find_swatch() {
    import -window root "$session_folder/shot.png" 2>/dev/null || return 1
    local box
    box="$(convert "$session_folder/shot.png" -alpha off -fill black +opaque '#10E020' \
        -fill white -opaque '#10E020' -define connected-components:verbose=true \
        -connected-components 4 null: 2>/dev/null |
        awk '/srgb\(255,255,255\)/ && $4 > area { area = $4; box = $2 } END { print box }')"
    [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
    width="${BASH_REMATCH[1]}" height="${BASH_REMATCH[2]}"
    left="${BASH_REMATCH[3]}" top="${BASH_REMATCH[4]}"
    [ "$width" -gt 4 ] && [ "$height" -gt 4 ]
}
wait_for find_swatch || fail "the start swatch did not show"
xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1

# The swatch shows the portal's colour (read beside the pointer, which weston draws).
swatch_changed() {
    import -window root "$session_folder/shot.png" 2>/dev/null &&
        [ "$(convert "$session_folder/shot.png" -crop "1x1+$((left + 2))+$((top + 2))" \
            -format '%[hex:p{0,0}]' info: 2>/dev/null)" = "3366CC" ]
}
wait_for swatch_changed || fail "the swatch did not take the portal's colour"
if [ -n "${TONZUG_SHOT:-}" ]; then
    cp "$session_folder/shot.png" "$TONZUG_SHOT"
fi
# The settings are written at the close; the start colour is then the portal's.
kill -TERM "$window"
wait "$window"
grep -q "^STCOL=$((0xCC6633))\$" "$XDG_CONFIG_HOME/Tonzug/Tonzug.ini" ||
    fail "the start colour was not saved: $(grep STCOL "$XDG_CONFIG_HOME/Tonzug/Tonzug.ini")"
grep -q '"parent_window": ""' "$session_folder/calls.jsonl" || fail "unexpected portal calls"
echo "tonzug --pick and a swatch click picked #3366CC through the portal on weston"
