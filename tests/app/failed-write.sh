#!/usr/bin/env bash
# A write that fails part way (here at the file size limit, as on a full disk) is reported
# with the system's reason and exits with 1, leaving no file, for each kind of picture.
# The pictures do not compress far, so the failure meets the compressors' own writes.
set -uo pipefail
program="$1"
folder="$(mktemp -d)"
err="$(mktemp)"
trap 'rm -rf "$folder" "$err"' EXIT
for kind in bmp png jpg; do
    status=0
    # SIGXFSZ ignored, so that the write fails with EFBIG instead of ending the program.
    (trap '' XFSZ && ulimit -f 64 && exec "$program" --export "$folder/big.$kind" \
        --set X=3000 --set Y=3000 --set OPT=2 --set FRB=1) 2> "$err" || status=$?
    left="$(ls -A "$folder")"
    if [ "$status" -ne 1 ] || [ -n "$left" ] ||
        ! grep -q "cannot write $folder/big.$kind: File too large" "$err"; then
        echo "$kind: status $status, left: $left" >&2
        cat "$err" >&2
        exit 1
    fi
done
echo "a failed write is reported and leaves no file"
