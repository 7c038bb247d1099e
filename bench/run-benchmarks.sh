#!/usr/bin/env bash
# Builds a Release tree of its own, runs the Google Benchmark cases of tonzug_bench, then
# times whole `tonzug --export` processes beside the minimal libpng writer (png_reference,
# the same rows on one thread) in the same run, and the peak memory of a 16384 x 16384
# export.
#
#   bench/run-benchmarks.sh [BUILD_DIR]
#
# The export uses every core the process may run on; `taskset -c 0` gives the one-thread
# figures.
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
cmake --build "$build" -j2 --target tonzug tonzug_bench png_reference >/dev/null
tonzug="$build/src/app/tonzug"
bench="$build/bench/tonzug_bench"
reference="$build/bench/png_reference"

echo
echo "== Google Benchmark (tonzug_bench)"
"$bench" --benchmark_min_time=0.2

# Times NAME COMMAND pairs in one hyperfine run: mean, deviation and the ratio to the first.
time_commands() {
    local names=() commands=()
    while (($#)); do names+=("$1"); commands+=("$2"); shift 2; done
    # No shell in between: the arguments hold '#' and the timing is the program's.
    hyperfine -N --warmup 2 --runs "$runs" --style none --export-json "$out/run.json" \
        "${commands[@]}" >/dev/null 2>&1
    python3 - "$out/run.json" "${names[@]}" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
names = sys.argv[2:]
for name, r in zip(names, results):
    print("  %-22s %8.1f ms (+- %5.1f)  %.2f x %s" % (name, r["mean"] * 1e3, r["stddev"] * 1e3,
                                                   r["mean"] / results[0]["mean"], names[0]))
PY
}

colours=(--set STCOL=#ff2000 --set EDCOL=#0030ff)
shapes=(0 1 2)
names=(horizontal vertical circle)
if command -v hyperfine >/dev/null; then
    echo
    echo "== Whole process: the default 25 x 256 export beside the reference"
    time_commands "png_reference" "$reference 25 256 1 $out/r.png" \
        "tonzug" "$tonzug --export $out/t.png"

    echo
    echo "== Whole process: PNG at 4096 x 4096 beside the reference, into $OUT_DIR"
    for i in "${!shapes[@]}"; do
        echo "${names[$i]}:"
        export_command="$tonzug --export $out/t.png --set X=4096 --set Y=4096 --set OPT=${shapes[$i]} ${colours[*]}"
        time_commands "png_reference" "$reference 4096 4096 ${shapes[$i]} $out/r.png" \
            "tonzug, every core" "$export_command" \
            "tonzug, one thread" "taskset -c 0 $export_command"
        if command -v pngcheck >/dev/null; then pngcheck -q "$out/t.png"; fi
        printf '  %-22s %10d bytes (reference %d)\n' "file" "$(stat -c %s "$out/t.png")" \
            "$(stat -c %s "$out/r.png")"
    done

    echo
    echo "== Whole process: 16-bit and dithered PNG at 4096 x 4096 beside plain 8 bits"
    for i in "${!shapes[@]}"; do
        echo "${names[$i]}:"
        export_command="$tonzug --export $out/t.png --set X=4096 --set Y=4096 --set OPT=${shapes[$i]} ${colours[*]}"
        time_commands "plain 8 bits" "$export_command" \
            "16 bits" "$export_command --set DEPTH=16" \
            "dithered 8 bits" "$export_command --set DITHER=1"
    done

    echo
    echo "== Whole process: JPEG and BMP at 4096 x 4096"
    for kind in jpg bmp; do
        for i in "${!shapes[@]}"; do
            export_command="$tonzug --export $out/t.$kind --set X=4096 --set Y=4096 --set OPT=${shapes[$i]} ${colours[*]}"
            echo "$kind ${names[$i]}:"
            time_commands "tonzug, every core" "$export_command" \
                "tonzug, one thread" "taskset -c 0 $export_command"
        done
    done
fi

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
