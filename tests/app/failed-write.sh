#!/usr/bin/env bash
# Writes that fail, and targets that must not be written: each is reported in one line
# with exit status 1, and leaves no file and the target as it was.
set -uo pipefail
program="$1"
folder="$(mktemp -d)"
err="$(mktemp)"
trap 'rm -rf "$folder" "$err"' EXIT

fail() {
    echo "$1" >&2
    cat "$err" >&2
    exit 1
}

# Exit status 1 and the message part on standard error, else the test fails.
expect_failure() {
    local status="$1" part="$2" what="$3"
    if [ "$status" -ne 1 ] || ! grep -qF -- "$part" "$err"; then
        fail "$what: status $status, expected 1 and '$part'"
    fi
}

# A write that fails part way (here at the file size limit, as on a full disk), for each
# kind of picture. The pictures do not compress far, so the failure meets the compressors'
# own writes.
for kind in bmp png jpg; do
    status=0
    # SIGXFSZ ignored, so that the write fails with EFBIG instead of ending the program.
    (trap '' XFSZ && ulimit -f 64 && exec "$program" --export "$folder/big.$kind" \
        --set X=3000 --set Y=3000 --set OPT=2 --set FRB=1) 2> "$err" || status=$?
    expect_failure "$status" "cannot write $folder/big.$kind: File too large" "$kind"
    [ -z "$(ls -A "$folder")" ] || fail "$kind: left $(ls -A "$folder")"
done

# Standard output that fails: full, closed, or a reader that stops early (SIGPIPE ignored).
wide="--set X=2000 --set Y=2000 --set OPT=2"
cases=(
    "No space left on device|--export - --format bmp $wide > /dev/full"
    "No space left on device|--css > /dev/full"
    "No space left on device|--help > /dev/full"
    "Bad file descriptor|--css 1<&-"
    "Broken pipe|--export - --format png $wide | head -c 10 > /dev/null"
)
for case in "${cases[@]}"; do
    IFS='|' read -r reason command <<< "$case"
    # shellcheck disable=SC2086 # the command is words and redirections
    (trap '' PIPE && eval "\"\$program\" $command; exit \${PIPESTATUS[0]}") 2> "$err"
    expect_failure $? "cannot write to standard output: $reason" "$command"
done

# Targets that are not regular files are refused before anything is rendered, and stay.
mkfifo "$folder/pipe.png"
mkdir "$folder/folder.png"
targets=("pipe.png|not a regular file" "folder.png|Is a directory")
if [ "$(id -u)" -eq 0 ] && mknod "$folder/null.png" c 1 3; then
    targets+=("null.png|not a regular file")  # a copy of /dev/null
fi
for target in "${targets[@]}"; do
    IFS='|' read -r name reason <<< "$target"
    before="$(stat -c %F "$folder/$name")"
    "$program" --export "$folder/$name" --set X=5 2> "$err"
    expect_failure $? "$reason" "$name"
    [ "$(stat -c %F "$folder/$name")" = "$before" ] || fail "$name was replaced"
done
rm -rf "${folder:?}"/*

# A replaced picture keeps the permissions, but not the set-user-ID and set-group-ID bits.
touch "$folder/kept.png"
chmod 6754 "$folder/kept.png"
"$program" --export "$folder/kept.png" --set X=5 || fail "export over an existing picture"
[ "$(stat -c %a "$folder/kept.png")" = 754 ] || fail "mode $(stat -c %a "$folder/kept.png")"
rm -f "$folder/kept.png"

# A path just short of the limit works, though the temporary name is longer.
long="$folder"
while [ $((${#long} + 101)) -le 3985 ]; do
    long="$long/$(printf 'd%.0s' {1..100})"
done
mkdir -p "$long"
name="$(printf 'n%.0s' $(seq $((4090 - ${#long} - 5))))"  # 100 to 200 bytes
"$program" --export "$long/$name.png" --set X=5 2> "$err" || fail "a path of 4090 bytes"
[ -s "$long/$name.png" ] || fail "no picture at the long path"
rm -rf "${folder:?}"/*

# Matched in the captured text: with pipefail, "grep -q" that stops reading early would let
# ldd die of SIGPIPE and fail the test now and then.
if [[ "$(ldd "$program")" == *libasan* ]]; then
    # AddressSanitizer reserves far more address space than any limit below.
    echo "failed writes and refused targets are reported (memory limits not tried)"
    exit 0
fi

# Without enough memory every export fails with one line, the 16-bit ones as the 8-bit.
wide="--set X=4194304 --set OPT=0"
for depth in "DEPTH=8" "DEPTH=16" "DITHER=1"; do
    status=0
    # shellcheck disable=SC2086 # the options are words
    (ulimit -v 160000 && exec "$program" --export "$folder/oom.png" $wide --set Y=4 \
        --set "$depth" --threads 2) 2> "$err" || status=$?
    expect_failure "$status" "not enough memory" "$depth without memory"
done

# Very wide pictures stay within a bounded memory on any number of threads.
for depth in "DEPTH=8" "DEPTH=16"; do
    # shellcheck disable=SC2086 # the options are words
    (ulimit -v 1000000 && exec "$program" --export "$folder/wide.png" $wide --set Y=64 \
        --set "$depth" --threads 64) 2> "$err" || fail "$depth: too much memory"
done
echo "failed writes and refused targets are reported and leave nothing behind"
