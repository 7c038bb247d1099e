#!/usr/bin/env bash
# Installs what is missing, builds Tonzug and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release \
    -DTONZUG_BUILD_TESTS=OFF -DTONZUG_BUILD_BENCHMARKS=OFF
cmake --build build/release -j"$(nproc)"
exec build/release/src/app/tonzug "$@"
