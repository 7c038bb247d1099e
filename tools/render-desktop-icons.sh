#!/usr/bin/env bash
# Renders the application icon in the sizes of the desktop's icon theme (hicolor), which
# the install puts beside the SVG: launchers and software centres that draw no SVG take
# these. Run after changing the icon, and commit the pictures with it.
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 16 22 24 32 48 64 128 256 512; do
    rsvg-convert -w "$size" -h "$size" src/workspace/ui/icons/tonzug.svg \
        -o "data/icons/tonzug-$size.png"
done
