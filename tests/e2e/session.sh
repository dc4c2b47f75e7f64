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

# The keyboard of a Russian user: the Russian layout first, the English one beside it, and
# NumLock on. Here the comma is Shift with the key right of Ю (keycode 61), and the keypad's
# decimal key (keycode 91) gives KP_Separator, a comma.
setxkbmap -layout ru,us
xdotool key Num_Lock
comma_main_row=shift+61
comma_keypad=91

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

# A comma typed from either key enters the point the number is read by, so that the field shows
# what is read: 9.5 kHz gives 8514 µH and 185 turns, within the range, so no box.
type_over() { # X Y KEY...: the text of the field at X Y replaced by the keys typed
    xdotool windowactivate --sync "$main"
    xdotool mousemove --window "$main" "$1" "$2" click 1
    shift 2
    xdotool key ctrl+a "$@"
}
for comma in "$comma_main_row" "$comma_keypad"; do
    type_over 296 194 9 "$comma" 5
    frequency=$(field_text "$main" 296 194)
    [ "$frequency" = 9.5 ] || fail "9, comma ($comma), 5 typed show \"$frequency\", not 9.5"
done
xdotool mousemove --window "$main" 64 24 click 1
inductance=$(field_text "$main" 296 466)
[ "$inductance" = 8514 ] || fail "RX inductance of 9.5 kHz is \"$inductance\", not 8514"
closed "$box_title" || fail "a turn-count warning at 185 turns"
import -window "$main" "$out/main-window-typed-comma.png"
echo "9,5 typed from the main row and from the keypad shows 9.5 and gives 8514 µH"

# 0,25 mm for RX warns at its last digit; 0,18 then passes.
wire_title="Ошибка"
type_over 296 362 0 "$comma_keypad" 2 5
wait_for 20 find_window "$wire_title" || fail "typed 0,25 for RX raised no warning"
import -window root "$out/rx-wire-warning.png"
xdotool windowactivate --sync "$(find_window "$wire_title")" key Return
wait_for 10 closed "$wire_title" || fail "RX wire warning was not dismissed"
type_over 296 362 0 "$comma_main_row" 1 8
wire=$(field_text "$main" 296 362)
[ "$wire" = 0.18 ] && closed "$wire_title" || fail "typed 0,18 for RX shows \"$wire\" or warned"
echo "0,25 typed for RX warned, 0,18 did not"

# A click on Calculate that leaves a TX wire of 0,5 mm: the TX wire warning comes first, and
# once it is closed the command runs: the TX cross-section of 40 turns of 0.5 mm wire.
type_over 712 362 0 "$comma_keypad" 5
xdotool mousemove --window "$main" 64 24 click 1
wait_for 20 find_window "$wire_title" || fail "a click on Calculate from 0,5 mm for TX raised no warning"
import -window root "$out/tx-wire-warning-on-click.png"
xdotool windowactivate --sync "$(find_window "$wire_title")" key Return
wait_for 10 closed "$wire_title" || fail "TX wire warning was not dismissed"
cross_section=$(field_text "$main" 712 546)
closed "$box_title" || fail "a turn-count warning at 185 turns"
import -window "$main" "$out/main-window-after-click.png"
separator=$(decimal_separator)
[ "${cross_section/,/.}" = 7.85 ] && { [ -z "$separator" ] || [ "$cross_section" = "7${separator}85" ]; } ||
    fail "TX cross-section after the click is \"$cross_section\", not 7${separator:-.}85"
echo "the click on Calculate ran once the TX wire warning was closed: TX cross-section $cross_section"

# Closing the main window ends the program.
xdotool windowactivate --sync "$main" key alt+F4
wait_for 20 bash -c "! kill -0 $app" || fail "program did not end after its window closed"
wait "$app" || fail "program exited with status $?"
echo "program ended"
