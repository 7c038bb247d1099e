#!/usr/bin/env bash
# The command on terminals and in pipes: the picture goes into a pipe (byte for byte the
# file, nothing left in the temporary folder) but never onto a terminal, the progress line
# of a long export appears on a terminal only, unless --quiet, and an interrupt leaves no
# file. `script` gives the command a pseudo-terminal.
set -euo pipefail
program="$(realpath "$1")"
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
cd "$folder"

# Runs the command under a pseudo-terminal; what the terminal showed goes to "shown".
on_terminal() {
    script --quiet --return --command "$(printf '%q ' "$program" "$@")" typescript > shown
}

fail() {
    echo "$1" >&2
    cat -v "${2:-/dev/null}" >&2
    exit 1
}

"$program" --export - --format png --set X=40 | file - > type
grep -q 'PNG image data, 40 x 256' type || fail "standard output holds no PNG:" type
mkdir scratch
for format in png bmp jpeg svg; do
    "$program" --export "g.$format" --set X=33
    TMPDIR="$PWD/scratch" "$program" --export - --format "$format" --set X=33 > piped
    cmp -s piped "g.$format" || fail "$format: standard output differs from the file"
done
"$program" --export /dev/stdout --format png --set X=33 | cmp -s - g.png ||
    fail "/dev/stdout is not written as standard output"
status=0
TMPDIR="$PWD/scratch" "$program" --export - --format png --set X=0 > piped 2> /dev/null || status=$?
if [ "$status" -ne 1 ] || [ -s piped ]; then
    fail "a failed export to a pipe exits with $status"
fi
[ -z "$(ls -A scratch)" ] || fail "left in the temporary folder: $(ls -A scratch)"

status=0
on_terminal --export - --format png || status=$?
[ "$status" -eq 2 ] || fail "a picture for a terminal exits with $status"
grep -q 'not written to a terminal' shown || fail "no refusal on the terminal:" shown
! grep -q 'PNG' shown || fail "picture bytes on the terminal:" shown

# Standard error into a pipe; what it carried goes to "shown".
in_pipe() {
    "$program" "$@" 2>&1 | cat > shown
}

# Long enough on one thread to pass the half second after which the line appears.
long="--export big.png --set X=12288 --set Y=12288 --set OPT=2 --threads 1"
cases=(
    "yes on_terminal $long"
    "no on_terminal $long --quiet"
    "no in_pipe $long"
)
for case in "${cases[@]}"; do
    read -r expected runner arguments <<< "$case"
    rm -f shown big.png
    # shellcheck disable=SC2086 # the arguments are words
    $runner $arguments
    [ -s big.png ] || fail "$case: no picture written"
    if grep -qE '[0-9]+% of rows, about [0-9]+ (s|min [0-9]+ s) left' shown; then
        shown=yes
    else
        shown=no
    fi
    [ "$shown" = "$expected" ] || fail "$case: progress line shown: $shown" shown
    # Erased at the end, so the prompt starts on a clean line.
    if [ "$shown" = yes ] && [[ "$(tail -c 20 shown | cat -v)" != *'^M^[[K' ]]; then
        fail "$case: progress line not erased:" shown
    fi
done
# An interrupt ends the export with 130 and leaves no file. (Job control, so that the
# background command does not ignore the interrupt.)
set -m
"$program" --export huge.png --set X=30000 --set Y=30000 --set OPT=2 --threads 1 2> shown &
pid=$!
set +m
sleep 0.5
kill -INT "$pid"
status=0
wait "$pid" || status=$?
if [ "$status" -ne 130 ] || ! grep -q interrupted shown; then
    fail "interrupt: status $status" shown
fi
[ ! -e huge.png ] || fail "an interrupted export left its picture"


# A termination request ends a write blocked in a full pipe at once: the reader (fd 3)
# never reads.
mkfifo slow
exec 3<> slow
"$program" --export - --format bmp --set X=1000 --set Y=1000 > slow 2> shown &
pid=$!
sleep 1
kill -TERM "$pid"
for _ in $(seq 50); do
    kill -0 "$pid" 2> /dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2> /dev/null; then
    kill -KILL "$pid"
    fail "a write blocked in a pipe ignores SIGTERM"
fi
status=0
wait "$pid" || status=$?
exec 3<&-
[ "$status" -eq 130 ] || fail "terminated in a blocked write: status $status" shown

# Killed outright, an export to standard output leaves nothing in the temporary folder.
TMPDIR="$PWD/scratch" "$program" --export - --format png --set X=20000 --set Y=20000 \
    --set OPT=2 --threads 1 > piped 2> /dev/null &
pid=$!
sleep 0.5
kill -KILL "$pid"
{ wait "$pid"; } 2> /dev/null || true
[ -z "$(ls -A scratch)" ] || fail "a killed export left $(ls -A scratch)"

echo "pictures go into pipes but stay off terminals; the progress line shows on terminals" \
    "only; an interrupt leaves no file, also in a blocked write"
