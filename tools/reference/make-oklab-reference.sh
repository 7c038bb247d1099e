#!/usr/bin/env bash
# Installs the pinned colorjs.io into a temporary folder (never into the repository) and
# writes tests/color/OklabReference.inc and tests/color/CssColorReference.inc with it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$here/package.json" "$here/make-oklab-reference.mjs" "$here/make-css-color-reference.mjs" "$work/"
(cd "$work" && npm install --no-audit --no-fund --silent)
node "$work/make-oklab-reference.mjs" --output "$here/../../tests/color/OklabReference.inc"
node "$work/make-css-color-reference.mjs" --output "$here/../../tests/color/CssColorReference.inc"
