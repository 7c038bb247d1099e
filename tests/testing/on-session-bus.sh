#!/usr/bin/env bash
# Runs a test program on a session bus of its own, where nothing is activated: a portal
# shows only when the program starts the fake one. Skipped (77) without dbus-daemon or
# Python's D-Bus modules.
set -uo pipefail
testing_dir="$(dirname "$0")"
source "$testing_dir/desktop-session.sh"
trap stop_session EXIT
start_session_bus || exit 1
"$@"
