#!/usr/bin/env bash
# Makes docs/screenshot.png (German) and docs/screenshot-en.png (English): the main window
# under a virtual X display, with a sample
# gradient (a free one of five stops from cream over orange to dark blue, at an angle,
# blended in OkLCh) instead of the user's settings.
# Usage: tools/screenshot.sh [TONZUG_BINARY]   (default: build/release/src/app/tonzug,
# built first when missing). Needs xvfb-run, xdotool and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."

binary="${1:-build/release/src/app/tonzug}"
if [[ ! -x "$binary" ]]; then
    cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release \
        -DTONZUG_BUILD_TESTS=OFF -DTONZUG_BUILD_BENCHMARKS=OFF
    cmake --build build/release -j"$(nproc)"
fi
binary="$(realpath "$binary")"

config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
color() { echo $(($1 | $2 << 8 | $3 << 16)); }  # colour values are 0x00BBGGRR
mkdir -p "$config/Tonzug"
cat > "$config/Tonzug/Tonzug.ini" <<INI
[LAST]
STCOL=$(color 255 248 225)
EDCOL=$(color 30 58 138)
X=480
Y=300
MID=40
MBR=1
SBR=1
EBR=1
MDCOL=$(color 245 154 35)
MDCHK=1
OPT=2
FRB=3
HUE=1
DEPTH=8
DITHER=0
GRADIENT=linear-gradient(160deg in oklch, #fff8e1 5%, #f59a23 30%, #d94862 55%, #6a3d9a 75%, #1e3a8a 95%)
INI

mkdir -p docs
export XDG_CONFIG_HOME="$config" TONZUG_BINARY="$binary"
unset LC_ALL LC_MESSAGES LANGUAGE
for shot in de_DE.UTF-8:screenshot.png en_US.UTF-8:screenshot-en.png; do
    output="$(realpath docs)/${shot#*:}"
    LANG="${shot%%:*}" TONZUG_SHOT="$output" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        set -euo pipefail
        "$TONZUG_BINARY" &
        program=$!
        window="$(xdotool search --sync --onlyvisible --name "^Tonzug$" | head -n 1)"
        xdotool windowsize "$window" 1100 700
        sleep 1.5
        import -window "$window" "$TONZUG_SHOT"
        kill "$program"
        wait "$program" || true
    '
    echo "wrote $output"
done
