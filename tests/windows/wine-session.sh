#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# The portable Windows program as a user starts it: unpacked from its zip into a fresh Wine
# prefix, onto a Russian user's desktop (a folder whose path has Cyrillic letters and
# blanks), with nothing on the DLL path but the folder itself, under openbox on the private X
# server of tests/e2e/run.sh. A click on "Расчет" writes the default run's results and raises
# the turn-count box. Screenshots go to OUTDIR. The unpacked folder also holds the
# licence, notice and source files (check-download-files.sh).
#   wine-session.sh WINE ZIP OUTDIR VERSION QT_VERSION
set -euo pipefail
wine=$1
zip=$2
out=$3
version=$4
qt_version=$5
mkdir -p "$out"
source "$(dirname "$0")/../e2e/desktop.sh"
source "$(dirname "$0")/wine-locale.sh"

tmp=$(mktemp -d)
compile_session_locale "$tmp/locales" || exit 1
# Neither Mono nor Gecko is needed, and winemenubuilder would copy Start-menu entries into the
# Linux desktop's menu.
export WINEPREFIX="$tmp/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEPATH
app=
wm=
# Only the script itself cleans up, not a subshell of it that a signal ends.
cleanup() {
    [ "$BASHPID" = $$ ] || return 0
    [ -z "$app" ] || kill "$app" 2>/dev/null || true
    "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
    [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

"$wine" wineboot --init
start_window_manager
desktop=$("$wine" winepath -u 'C:\users\Пользователь\Рабочий стол' | tr -d '\r')
mkdir -p "$desktop"
(cd "$desktop" && cmake -E tar xf "$zip")
folder=$(find "$desktop" -maxdepth 1 -name 'ddvelmor-*-win64' -type d)
[ -f "$folder/ddvelmor.exe" ] || fail "the zip holds no ddvelmor-*-win64/ddvelmor.exe"
"$(dirname "$0")/check-download-files.sh" "$folder" "$version" "$qt_version" ||
    fail "the zip lacks files that must go with the program"
(cd "$folder" && exec "$wine" ddvelmor.exe) &
app=$!

main_title="DD for Velmor ARM / AVR    by_Tamrel   v.1.0"
wait_for 60 find_window "$main_title" || fail "main window did not appear"
main=$(find_window "$main_title")
eval "$(xdotool getwindowgeometry --shell "$main")"
echo "main window $main: ${WIDTH}x${HEIGHT}"
[ "$WIDTH" = 848 ] && [ "$HEIGHT" = 594 ] || fail "client area is ${WIDTH}x${HEIGHT}, not 848x594"
import -window "$main" "$out/windows-main-window-start.png"

# Calculate: the button's centre is at (64, 24) in the client area.
xdotool mousemove --window "$main" 64 24 click 1
box_title="Ошибка. Неправильное значение витков RX"
wait_for 30 find_window "$box_title" || fail "turn-count warning did not appear"
box=$(find_window "$box_title")
import -window root "$out/windows-turn-count-warning.png"
xdotool windowactivate --sync "$box" key Return
wait_for 10 closed "$box_title" || fail "warning box was not dismissed"
echo "turn-count warning shown and dismissed"

check_default_results "$main"

# Back to the first field, so that the screenshot shows no selection.
xdotool mousemove --window "$main" 296 194 click 1
xdotool mousemove --window "$main" 860 600
import -window "$main" "$out/windows-main-window.png"

# Closing the main window ends the program.
xdotool windowactivate --sync "$main" key alt+F4
wait_for 30 bash -c "! kill -0 $app" || fail "program did not end after its window closed"
wait "$app" || fail "program exited with status $?"
app=
echo "program ended"
