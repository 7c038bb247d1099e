#!/usr/bin/env bash
# Builds a Release tree of its own, runs the Google Benchmark cases of tonzug_bench, then
# times whole `tonzug --export` processes at 4096 x 4096 and the peak memory of a
# 16384 x 16384 export.
#
#   bench/run-benchmarks.sh [BUILD_DIR]
#
# Environment: OUT_DIR  where the timed pictures go (default: /dev/shm when present, so
#                       that the figures show the program rather than the disk)
#              RUNS     runs per whole-process timing (default 10)
#              CMAKE_ARGS  extra arguments for configuring the build (split on blanks)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build="${1:-$root/build-bench}"
runs="${RUNS:-10}"
if [[ -z "${OUT_DIR:-}" ]]; then
    if [[ -d /dev/shm && -w /dev/shm ]]; then OUT_DIR=/dev/shm; else OUT_DIR="${TMPDIR:-/tmp}"; fi
fi
out="$(mktemp -d "$OUT_DIR/tonzug-bench.XXXXXX")"
trap 'rm -rf "$out"' EXIT

echo "== Build (Release) in $build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTONZUG_BUILD_TESTS=OFF \
    -DTONZUG_BUILD_BENCHMARKS=ON ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j2 --target tonzug tonzug_bench >/dev/null
tonzug="$build/src/app/tonzug"
bench="$build/bench/tonzug_bench"

echo
echo "== Google Benchmark (tonzug_bench)"
"$bench" --benchmark_min_time=0.2

echo
echo "== Whole process: tonzug --export at 4096 x 4096 into $OUT_DIR"
shapes=(0 1 2)
names=(horizontal vertical circle)
for kind in png jpg bmp; do
    for i in "${!shapes[@]}"; do
        picture="$out/g.$kind"
        command=("$tonzug" --export "$picture" --set X=4096 --set Y=4096
                 --set "OPT=${shapes[$i]}" --set STCOL=#ff2000 --set EDCOL=#0030ff)
        if command -v hyperfine >/dev/null; then
            # No shell in between: the arguments hold '#' and the timing is the program's.
            seconds="$(hyperfine -N --warmup 2 --runs "$runs" --style none \
                --export-json "$out/run.json" "${command[*]}" >/dev/null 2>&1 &&
                python3 -c 'import json,sys; r=json.load(open(sys.argv[1]))["results"][0];
print("%.3f s (+- %.3f)" % (r["mean"], r["stddev"]))' "$out/run.json")"
        else
            start="$(date +%s.%N)"
            for ((run = 0; run < runs; run++)); do "${command[@]}"; done
            end="$(date +%s.%N)"
            seconds="$(echo "($end - $start) / $runs" | bc -l | xargs printf '%.3f s')"
        fi
        printf '%-4s %-10s %s  %10d bytes\n' "$kind" "${names[$i]}" "$seconds" \
            "$(stat -c %s "$picture")"
    done
done

echo
echo "== Peak memory of a 16384 x 16384 export"
if [[ ! -x /usr/bin/time ]]; then
    apt-get install -y time >/dev/null
fi
for kind in png jpg bmp; do
    picture="$out/big.$kind"
    kilobytes="$(/usr/bin/time -f %M "$tonzug" --export "$picture" --set X=16384 --set Y=16384 \
        --set OPT=2 2>&1 >/dev/null | tail -n 1)"
    printf '%-4s circle   %6d MB peak resident\n' "$kind" "$((kilobytes / 1024))"
    rm -f "$picture"
done
