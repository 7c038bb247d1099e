#!/usr/bin/env bash
# The modes that open no window load no toolkit: the dynamic loader's own account of an
# export names no Qt library, and there is no display to lean on.
set -euo pipefail
program="$1"
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT

unset DISPLAY WAYLAND_DISPLAY
LD_DEBUG=libs "$program" --export "$folder/strip.png" 2> "$folder/loader.log"
test -s "$folder/strip.png"
if grep -i 'libQt' "$folder/loader.log"; then
    echo "the export loaded Qt" >&2
    exit 1
fi
if ldd "$program" | grep -i 'libQt'; then
    echo "the command links Qt" >&2
    exit 1
fi
echo "no Qt library loaded: $(grep -c 'calling init' "$folder/loader.log") libraries initialised"
