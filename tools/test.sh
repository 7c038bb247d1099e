#!/usr/bin/env bash
# Installs what is missing, builds Tonzug twice (optimised, and with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs every test in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
jobs="$(nproc)"

# The sources keep the format of .clang-format at the root.
git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

# A compiler cache, where the machine has one, spares rebuilding what an earlier run built.
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$PWD"
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

run_suite() {
    local folder="$1"
    shift
    cmake -S . -B "$folder" -DTONZUG_BUILD_TESTS=ON -DTONZUG_BUILD_BENCHMARKS=OFF \
        -DTONZUG_WARNINGS_AS_ERRORS=ON "${launcher[@]}" "$@"
    cmake --build "$folder" -j"$jobs"
    ctest --test-dir "$folder" --output-on-failure -j"$jobs" --timeout 600
}

run_suite build/test-release -DCMAKE_BUILD_TYPE=Release
# Qt and fontconfig keep caches alive until exit; leaks are not what this run is for.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite build/test-sanitize -DCMAKE_BUILD_TYPE=Debug -DTONZUG_SANITIZE=ON
