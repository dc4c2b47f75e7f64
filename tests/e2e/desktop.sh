# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Helpers of the desktop sessions (session.sh, tests/windows/wine-session.sh): waiting,
# finding windows by their exact title, reading a field and starting the window manager.
# Sourced; the session sets $out, where fail() leaves a screenshot.
# shellcheck shell=bash

# The X tools convert titles and texts through the session's locale, and where that locale is
# not generated, through ASCII, which loses every Cyrillic letter. They run under C.UTF-8,
# which every Debian has; the program keeps the session's locale.
xdotool() { env LC_ALL=C.UTF-8 xdotool "$@"; }
xclip() { env LC_ALL=C.UTF-8 xclip "$@"; }
xprop() { env LC_ALL=C.UTF-8 xprop "$@"; }

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

# The visible windows whose title is exactly $1, as window managers show it (_NET_WM_NAME,
# always UTF-8). xdotool's --name matches the older WM_NAME too, which Qt and Wine write in
# the locale's encoding: under a locale that is not generated, Latin-1 garbage.
find_windows() {
    local window title
    for window in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        title=$(xprop -id "$window" -notype -f _NET_WM_NAME 8u '=$0' _NET_WM_NAME 2>/dev/null) ||
            continue
        [ "$title" = "_NET_WM_NAME=\"$1\"" ] && echo "$window"
    done
    return 0
}

# The first of them; fails when there is none.
find_window() {
    local windows
    windows=$(find_windows "$1")
    [ -n "$windows" ] && head -n 1 <<<"$windows"
}

closed() { [ -z "$(find_windows "$1")" ]; }

# A field's text, as a person would copy it: click into it, select all, copy.
field_text() { # WINDOW X Y
    printf '' | xclip -selection clipboard
    xdotool windowactivate --sync "$1"
    xdotool mousemove --window "$1" "$2" "$3" click 1
    xdotool key ctrl+a ctrl+c
    local text=
    for _ in $(seq 50); do
        text=$(xclip -o -selection clipboard 2>/dev/null || true)
        [ -n "$text" ] && break
        sleep 0.1
    done
    printf '%s' "$text"
}

# The decimal separator of the regional format the session's locale names, where it is known
# (Russian: a comma; English and C: a point); nothing otherwise.
decimal_separator() {
    case ${LC_ALL:-${LC_NUMERIC:-${LANG:-C}}} in
    ru*) echo , ;;
    C | C.* | POSIX | en*) echo . ;;
    esac
}

# After a Calculate on the default texts, the main window's result fields hold the design's
# worked example: the RX inductance and turn count at (3600, 6720) and (3600, 7320) twips and
# the TX inductance at (9840, 7320), whole numbers in any regional format; the RX and TX
# cross-sections at (3600, 7920) and (9840, 7920), 4.400082 and 5.024 (40 turns of 0.4 mm) with
# the decimal separator of the regional format, where it is known.
check_default_results() { # MAIN_WINDOW
    local inductance turns cross_section tx_inductance tx_cross_section separator
    inductance=$(field_text "$1" 296 466)
    turns=$(field_text "$1" 296 506)
    cross_section=$(field_text "$1" 296 546)
    tx_inductance=$(field_text "$1" 712 506)
    tx_cross_section=$(field_text "$1" 712 546)
    echo "RX inductance \"$inductance\", RX turns \"$turns\", RX cross-section \"$cross_section\"," \
        "TX inductance \"$tx_inductance\", TX cross-section \"$tx_cross_section\""
    [ "$inductance" = 7684 ] || fail "RX inductance is \"$inductance\", not 7684"
    [ "$turns" = 173 ] || fail "RX turn count is \"$turns\", not 173"
    [ "$tx_inductance" = 408 ] || fail "TX inductance is \"$tx_inductance\", not 408"
    separator=$(decimal_separator)
    [ -z "$separator" ] || [ "$cross_section" = "4${separator}400082" ] ||
        fail "RX cross-section is \"$cross_section\", not 4${separator}400082"
    [ -z "$separator" ] || [ "$tx_cross_section" = "5${separator}024" ] ||
        fail "TX cross-section is \"$tx_cross_section\", not 5${separator}024"
}

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
