#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts a private X server and runs one end-to-end session in it, with a D-Bus session bus of
# its own as a desktop has: Qt 6.8 asks the desktop portal over it at start-up, and without a
# bus never frees that call, which the sanitizer build reports.
#   run.sh SESSION [ARGUMENTS...]
# Xvfb picks a free display number itself (-displayfd), so sessions running side by side
# never race for the same display as xvfb-run --auto-servernum can. -noreset: by default the
# server resets each time its last client leaves, and a client connecting during that reset
# fails to open the display (a probe such as xprop leaving while openbox starts is enough).
set -euo pipefail
tmp=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
# Wait for the server to go: it removes its socket on the way out, and a server started
# right after on the same display number must not lose its own.
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$tmp"' EXIT

for _ in $(seq 200); do
    [ -s "$tmp/display" ] && break
    kill -0 $xvfb 2>/dev/null || { cat "$tmp/xvfb.log" >&2; exit 1; }
    sleep 0.1
done
[ -s "$tmp/display" ] || { echo "Xvfb did not start" >&2; exit 1; }

export DISPLAY=":$(tr -d '[:space:]' <"$tmp/display")"
dbus-run-session -- "$@"
