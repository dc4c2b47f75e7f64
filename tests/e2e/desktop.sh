# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Helpers of the desktop sessions (session.sh, tests/windows/wine-session.sh): waiting,
# finding windows by their exact title and starting the window manager. Sourced; the
# session sets $out, where fail() leaves a screenshot.
# shellcheck shell=bash

fail() {
    echo "FAIL: $*" >&2
    echo "windows on the screen:" >&2
    for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        echo "  $w $(xdotool getwindowname "$w" 2>/dev/null)" >&2
    done
    xwininfo -root -tree 2>/dev/null | grep -v "has no name" | head -20 >&2 || true
    import -window root "$out/failure.png" 2>/dev/null || true
    exit 1
}

# Waits up to $1 seconds for a command to succeed.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# The exact window title, as a regular expression anchored at both ends.
title_regex() { printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\.*^$/()+?{}|]/\\&/g')"; }

find_window() { xdotool search --onlyvisible --name "$(title_regex "$1")" | head -n 1; }

closed() { ! xdotool search --onlyvisible --name "$(title_regex "$1")" >/dev/null; }

# Starts openbox and returns once it manages a window: a client mapped while it is still
# starting can be left unmanaged for a long time. Sets $wm to its process id.
start_window_manager() {
    managed_clients() { xprop -root _NET_CLIENT_LIST | grep -q 'window id'; }
    wm_running() { kill -0 $wm && xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
    openbox --sm-disable &
    wm=$!
    wait_for 20 wm_running || fail "openbox did not start"
    xmessage -name probe "probe" &
    local probe=$!
    wait_for 20 managed_clients || fail "openbox manages no window"
    kill $probe
    wait $probe 2>/dev/null || true
}
