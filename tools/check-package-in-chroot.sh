#!/usr/bin/env bash
# Release step: installs a built package in a fresh, minimal Debian 12 system (a chroot
# that mmdebstrap makes and throws away) and checks it as a user meets it: apt installs
# it with its dependencies; `tonzug --version` and an export work without a display; the
# window starts under Xvfb, also as "open with" starts it for a parameter file; and
# `apt remove` leaves nothing behind. Needs root and Debian's mirrors; takes minutes.
#   bash tools/check-package-in-chroot.sh build/tonzug_VERSION_amd64.deb
set -euo pipefail

if [[ ${1:-} != --inside ]]; then
    package="$(realpath "$1")"
    self="$(realpath "$0")"
    command -v mmdebstrap >/dev/null || {
        echo "mmdebstrap is missing: apt-get install mmdebstrap" >&2
        exit 1
    }
    # The hooks run in the new system; "null" keeps nothing of it afterwards.
    exec mmdebstrap --variant=apt --format=null \
        --customize-hook="copy-in $package /tmp" \
        --customize-hook="copy-in $self /tmp" \
        --customize-hook="chroot \"\$1\" bash /tmp/$(basename "$self") --inside /tmp/$(basename "$package")" \
        bookworm /dev/null
fi

# Inside the new system, as root.
package="$2"
export DEBIAN_FRONTEND=noninteractive HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/runtime LC_ALL=C.UTF-8
mkdir -p "$HOME"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
apt_get() { apt-get -y -q -o Dpkg::Use-Pty=0 "$@" >/tmp/apt.log 2>&1 || { cat /tmp/apt.log; exit 1; }; }
step() { echo "== $*"; }
fail() {
    echo "FAILED: $*"
    exit 1
}

# What a system without the package holds, ignoring the logs and apt's own records.
snapshot() {
    find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /tmp -o -path /run \
        -o -path /var/log -o -path /var/cache/apt -o -path /var/cache/debconf \
        -o -path /var/lib/apt -o -path /var/lib/dpkg \) -prune -o -print | sort
}

check_removed() {
    apt_get remove tonzug
    [[ $(dpkg-query -W -f='${db:Status-Abbrev}' tonzug 2>/dev/null) == un* ]] ||
        [[ -z $(dpkg-query -W -f='${db:Status-Abbrev}' tonzug 2>/dev/null) ]] ||
        fail "dpkg still lists tonzug: $(dpkg-query -W -f='${db:Status-Abbrev}' tonzug)"
    leftovers="$(snapshot | grep -i tonzug || true)"
    [[ -z $leftovers ]] || fail "left behind: $leftovers"
}

step "apt install ./$(basename "$package") on a bare Debian $(cat /etc/debian_version)"
apt_get update
apt_get install "$package"
dpkg-query -W -f='${Package} ${Version} ${db:Status-Abbrev}\n' tonzug
echo "$(grep -c '^Setting up' /tmp/apt.log) packages set up"
for program in /usr/bin/tonzug /usr/libexec/tonzug/tonzug-gui; do
    if ldd "$program" | grep 'not found'; then fail "$program misses libraries"; fi
done

step "tonzug --version and an export without a display"
[[ $(command -v tonzug) == /usr/bin/tonzug ]] || fail "tonzug is not on the PATH"
tonzug --version
tonzug --export /tmp/strip.png --set X=64 --set Y=16 --set FRB=3 --quiet
[[ $(head -c 8 /tmp/strip.png | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
    fail "the export wrote no PNG"
echo "exported /tmp/strip.png ($(stat -c %s /tmp/strip.png) bytes)"
tonzug --css --set FRB=2

step "apt remove on the bare system"
check_removed
echo "nothing of tonzug is left"

step "a desktop: Xvfb, the file-type and launcher caches, gio for \"open with\""
apt_get install xvfb xauth xdotool libglib2.0-bin shared-mime-info desktop-file-utils
apt_get install "$package"
apt_get remove tonzug
before="$(snapshot)"
apt_get install "$package"

document=/tmp/Sonnenuntergang.tzg
printf '[LAST]\nSTCOL=255\nEDCOL=16711680\nX=320\nY=200\n' >"$document"
# Compared as text: under pipefail "grep -q" could end the pipe early and fail it.
[[ $(gio info -a standard::content-type "$document") == *application/x-tonzug* ]] ||
    fail "a .tzg file is not of type application/x-tonzug"
[[ $(gio mime application/x-tonzug) == *io.github.tonzug.Tonzug.desktop* ]] ||
    fail "no launcher opens application/x-tonzug: $(gio mime application/x-tonzug)"
echo "$document is application/x-tonzug, opened by io.github.tonzug.Tonzug.desktop"

# gio open starts the launcher's Exec line with the file, as a file manager does; the
# window names the file it loaded.
cat >/tmp/open-with.sh <<'INNER'
set -eu
gio open "$1"
window="$(timeout 30 xdotool search --sync --name "$(basename "$1")" | head -1)"
echo "window title: $(xdotool getwindowname "$window")"
program="$(xdotool getwindowpid "$window")"
# The window goes before the display does.
kill "$program"
timeout 10 tail --pid="$program" -f /dev/null
INNER
xvfb-run -a -s "-screen 0 1280x800x24" bash /tmp/open-with.sh "$document" ||
    fail "the window did not open $document"

step "apt remove after the desktop check"
check_removed
after="$(snapshot)"
if ! diff <(echo "$before") <(echo "$after"); then fail "the removal changed the files above"; fi
if grep -rl -i tonzug /usr/share/mime /usr/share/applications /usr/share/icons 2>/dev/null; then
    fail "a cache still names tonzug"
fi
echo "nothing of tonzug is left; the caches no longer name it"
echo "ALL CHECKS PASSED"
