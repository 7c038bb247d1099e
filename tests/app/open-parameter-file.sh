#!/usr/bin/env bash
# `tonzug FILE.tzg` opens the window with the file loaded: the set it shows is the set the
# window writes into the settings file when it is told to end. A file that cannot be read
# leaves the window with the last settings.
set -euo pipefail
source "$(dirname "$0")/window-process.sh"
program="$(realpath "$1")"
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
export XDG_CONFIG_HOME="$folder/config" QT_QPA_PLATFORM=offscreen
settings="$XDG_CONFIG_HOME/Tonzug/Tonzug.ini"
mkdir -p "$(dirname "$settings")"
printf '[LAST]\nSTCOL=255\nEDCOL=65280\nX=77\nY=33\nMID=50\nMBR=1\nSBR=1\nEBR=1\nMDCHK=0\nOPT=0\nFRB=0\n' \
    > "$settings"
printf '[LAST]\nSTCOL=16711680\nEDCOL=0\nX=640\nY=48\nMID=25\nMBR=1\nSBR=3\nEBR=1\nMDCHK=0\nOPT=0\nFRB=1\n' \
    > "$folder/-sample.tzg"

# Starts the window with the given arguments and ends it once it catches SIGTERM, which
# it does from the moment the named file is being loaded; the settings file then holds
# what the window showed.
run_window() {
    "$program" "$@" &
    end_window_when_ready $!
}

expect_setting() {
    if ! grep -qx "$1" "$settings"; then
        echo "$2: expected $1 in the settings file:" >&2
        cat "$settings" >&2
        exit 1
    fi
}

# `--` lets a name start with "-".
run_window -- "$folder/-sample.tzg"
for line in X=640 Y=48 MID=25 SBR=3 STCOL=16711680 FRB=1; do
    expect_setting "$line" "a loaded parameter file"
done
(cd "$folder" && run_window ./-sample.tzg)
expect_setting X=640 "a relative name"

printf '[LAST]\nX=77\n' > "$settings"
run_window "$folder/missing.tzg"
expect_setting X=77 "a file that cannot be read"
echo "parameter files open in the window"
