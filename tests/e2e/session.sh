#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# One desktop session on a real X server: the program under openbox, driven with xdotool as
# a person would, screenshots with ImageMagick. Run on the private X server of run.sh.
#   session.sh PROGRAM OUTDIR
set -euo pipefail
program=$1
out=$2
mkdir -p "$out"

source "$(dirname "$0")/desktop.sh"
start_window_manager

"$program" &
app=$!
trap 'kill $app $wm 2>/dev/null || true' EXIT

main_title="DD for Velmor ARM / AVR    by_Tamrel   v.1.0"
wait_for 30 find_window "$main_title" || fail "main window did not appear"
main=$(find_window "$main_title")
eval "$(xdotool getwindowgeometry --shell "$main")"
[ "$WIDTH" = 848 ] && [ "$HEIGHT" = 594 ] || fail "client area is ${WIDTH}x${HEIGHT}, not 848x594"
echo "main window $main: ${WIDTH}x${HEIGHT}"

# The window class ties the window to the program's menu entry and icon.
class=$(xprop -id "$main" WM_CLASS)
[ "$class" = 'WM_CLASS(STRING) = "ddvelmor", "DD for Velmor"' ] || fail "window class: $class"

# A request to resize the window must leave it as it is.
resized() {
    eval "$(xdotool getwindowgeometry --shell "$main")"
    [ "$WIDTH" != 848 ] || [ "$HEIGHT" != 594 ]
}
xdotool windowsize "$main" 1000 700
if wait_for 2 resized; then fail "window was resized to ${WIDTH}x${HEIGHT}"; fi

import -window "$main" "$out/main-window.png"

# Calculate: the button's centre is at (64, 24) in the client area.
xdotool mousemove --window "$main" 64 24 click 1
box_title="Ошибка. Неправильное значение витков RX"
wait_for 20 find_window "$box_title" || fail "turn-count warning did not appear"
box=$(find_window "$box_title")
import -window root "$out/turn-count-warning.png"
xdotool windowactivate --sync "$box" key Return
wait_for 10 closed "$box_title" || fail "warning box was not dismissed"
echo "turn-count warning shown and dismissed"

import -window "$main" "$out/main-window-calculated.png"
check_default_results "$main"

# The two information windows: each opens from its button, once, beside the main window and
# clear of its buttons, so that Author can be clicked while About is open; each closes with
# Enter or Esc, and the main window goes on working beside them.
open_info() { # BUTTON_X TITLE SCREENSHOT
    xdotool mousemove --window "$main" "$1" 24 click 1
    wait_for 20 find_window "$2" || fail "window \"$2\" did not appear"
    info=$(find_window "$2")
    eval "$(xdotool getwindowgeometry --shell "$info")"
    echo "window \"$2\": ${WIDTH}x${HEIGHT} at $X,$Y"
    import -window "$info" "$out/$3"
}

about_title="О программе v.1"
xdotool windowactivate --sync "$main"
open_info 176 "$about_title" about-window.png
[ "$WIDTH" = 624 ] && [ "$HEIGHT" = 312 ] || fail "About window is ${WIDTH}x${HEIGHT}"
# With the main window in front, a second click opens no second window but brings the open
# one to the front.
about=$info
xdotool windowactivate --sync "$main"
xdotool mousemove --window "$main" 176 24 click 1
two_about_windows() {
    [ "$(find_windows "$about_title" | wc -l)" -gt 1 ]
}
if wait_for 2 two_about_windows; then fail "a second About window opened"; fi
about_active() { [ "$(xdotool getactivewindow)" = "$about" ]; }
wait_for 5 about_active || fail "a second click left the About window behind"

# With About still open, the Author button is clicked where it is on the screen.
author_title="Автор программы"
open_info 288 "$author_title" author-window.png
[ "$WIDTH" = 496 ] && [ "$HEIGHT" = 220 ] || fail "Author window is ${WIDTH}x${HEIGHT}"
closed "$about_title" && fail "the About window closed when Author opened"
import -window root "$out/information-windows.png"
echo "About, then Author opened without moving a window"

xdotool windowactivate --sync "$(find_window "$author_title")" key Escape
wait_for 10 closed "$author_title" || fail "Esc did not close the Author window"
echo "Author window closed with Esc"
xdotool windowactivate --sync "$(find_window "$about_title")" key Return
wait_for 10 closed "$about_title" || fail "Enter did not close the About window"
echo "About window closed with Enter"

# Closing the main window ends the program.
xdotool windowactivate --sync "$main" key alt+F4
wait_for 20 bash -c "! kill -0 $app" || fail "program did not end after its window closed"
wait "$app" || fail "program exited with status $?"
echo "program ended"
