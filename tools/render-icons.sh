#!/usr/bin/env bash
# Renders the window's SVG icons to the PNG pictures the program loads: drawing SVG at
# start-up cost a fifth of the time to the first shown window. Run after changing an SVG
# icon, and commit the pictures with it.
set -euo pipefail
cd "$(dirname "$0")/../src/workspace/ui/icons"
for icon in save-bmp save-png save-jpg edit-copy edit-undo edit-redo load-defaults document-save \
    document-open darker lighter; do
    rsvg-convert -w 24 -h 24 "$icon.svg" -o "$icon.png"
    rsvg-convert -w 48 -h 48 "$icon.svg" -o "$icon@2x.png"
done
for size in 16 32 64; do
    rsvg-convert -w "$size" -h "$size" tonzug.svg -o "tonzug-$size.png"
done
