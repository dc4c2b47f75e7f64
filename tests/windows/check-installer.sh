#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# The installer as a Russian user without administrator rights meets it, in a fresh Wine
# prefix under openbox on the private X server of tests/e2e/run.sh, in a folder whose path has
# Cyrillic letters and blanks:
# - a silent install there gives the files of the portable folder, a Start-menu entry and
#   the values "Apps and features" shows, its size that of the installed files; the program
#   started from the Start-menu entry's target computes the default run;
# - while that program runs, the installer and the uninstaller refuse, silently with a
#   non-zero exit code, and leave the folder as it was;
# - an installer whose file list has one file more, then the current one over it: the extra
#   file goes, the user's own file stays, one entry among the installed programs;
# - the installer's pages (the footer names the program and its version), where the last one
#   puts a shortcut on the desktop;
# - the silent uninstall leaves no file, shortcut or registry key of the program behind.
# Screenshots of every page go to OUTDIR.
#   check-installer.sh WINE MAKENSIS INSTALLER NSI PORTABLE VERSION QT_VERSION HOMEPAGE OUTDIR
set -euo pipefail
wine=$1
makensis=$2
installer=$3
nsi=$4
portable=$5
version=$6
qt_version=$7
homepage=$8
out=$9
mkdir -p "$out"
here=$(dirname "$0")
source "$here/../e2e/desktop.sh"
wineserver="$(dirname "$wine")/wineserver"

tmp=$(mktemp -d)
# The user's Windows speaks Russian.
export LC_ALL=ru_RU.UTF-8
source "$here/wine-locale.sh"
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
    "$wineserver" -k 2>/dev/null || true
    [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

failed=0
check() { # DESCRIPTION COMMAND...
    local description=$1
    shift
    if "$@"; then echo "ok: $description"; else echo "FAILED: $description"; failed=1; fi
}

check "the installer asks for no administrator rights" \
    grep -aq 'requestedExecutionLevel level="asInvoker"' "$installer"

"$wine" wineboot --init
# The user's folders are folders of the prefix, not links to the Linux home folder, so that
# a desktop shortcut stays in the prefix.
user_folders="$WINEPREFIX/drive_c/users/$(id -un)"
find "$user_folders" -maxdepth 1 -type l -exec sh -c 'rm "$1" && mkdir "$1"' sh {} \;
start_window_manager

unix_path() { "$wine" winepath -u "$1" | tr -d '\r'; }
# A Russian user's folders: the installer downloaded, and the program installed, into folders
# whose paths have Cyrillic letters and blanks.
downloads='C:\users\Пользователь\Загрузки'
target='C:\users\Пользователь\Мои программы\DD for Velmor'
mkdir -p "$(unix_path "$downloads")" "$(unix_path 'C:\users\Пользователь\Мои программы')"
folder=$(unix_path "$target")
start_menu="$(unix_path "$("$wine" cmd /c echo '%APPDATA%' | tr -d '\r')")/Microsoft/Windows/Start Menu/Programs/DD for Velmor.lnk"
desktop="$user_folders/Desktop/DD for Velmor.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\ddvelmor'
"$wineserver" -w
# The uninstaller runs from a copy of itself in the temporary folder, removed at the next
# start of Windows; Wine leaves the emptied folder of that copy, which is not compared.
files() { (cd "$WINEPREFIX/drive_c" && find . -not \( -type d -path './users/*/Temp/*' \) | LC_ALL=C sort); }
files >"$tmp/before"

# Runs an installer or uninstaller with a command line as an administrator types it: /D= and
# _?= take the rest of the line, blanks included, without quotes. Returns its exit code once
# it has ended.
run() { # WINDOWS-PATH ARGUMENTS
    "$wine" cmd /c "$1 $2"
}
cp "$installer" "$(unix_path "$downloads")/setup.exe"
setup="$downloads\\setup.exe"

listing() { (cd "$1" && find . -type f | LC_ALL=C sort); }
installed_files() { { listing "$portable"; echo ./uninstall.exe; } | LC_ALL=C sort; }
# The uninstall key as reg exports it (UTF-16), one "name"=value a line in UTF-8.
registry() { # KEY
    (cd "$tmp" && "$wine" reg export "$1" key.reg /y >/dev/null) || return 1
    iconv -f UTF-16 -t UTF-8 "$tmp/key.reg" | tr -d '\r' | grep '^"'
}
value() { sed -n "s/^\"$1\"=//p" "$tmp/values"; }
quoted() { local text=${1//\\/\\\\}; printf '"%s"' "${text//\"/\\\"}"; }

# 1. Silently, into the Russian user's folder.
check "silent install into $target" run "$setup" "/S /D=$target"
check "installed the files of the portable folder and the uninstaller" \
    diff <(installed_files) <(listing "$folder")
check "installed the licence, notice and source files" \
    "$here/check-download-files.sh" "$folder" "$version" "$qt_version"
check_registry() {
    registry "$key" >"$tmp/values" || { echo "FAILED: no uninstall key"; failed=1; return; }
    echo "The entry among the installed programs:"
    sed 's/^/    /' "$tmp/values"
    local size
    size=$(find "$folder" -type f ! -name "$user_file" -printf '%s\n' | awk '{ s += $1 } END { print int((s + 1023) / 1024) }')
    check "DisplayName" [ "$(value DisplayName)" = '"DD for Velmor"' ]
    check "DisplayVersion $version" [ "$(value DisplayVersion)" = "\"$version\"" ]
    check "Publisher" [ "$(value Publisher)" = '"Tamrel"' ]
    check "DisplayIcon, the program's icon" [ "$(value DisplayIcon)" = "$(quoted "$target\\ddvelmor.exe,0")" ]
    check "InstallLocation" [ "$(value InstallLocation)" = "$(quoted "$target")" ]
    check "UninstallString" [ "$(value UninstallString)" = "$(quoted "\"$target\\uninstall.exe\"")" ]
    check "QuietUninstallString" [ "$(value QuietUninstallString)" = "$(quoted "\"$target\\uninstall.exe\" /S")" ]
    check "URLInfoAbout, the home page" [ "$(value URLInfoAbout)" = "\"$homepage\"" ]
    check "NoModify and NoRepair" [ "$(value NoModify) $(value NoRepair)" = "dword:00000001 dword:00000001" ]
    check "EstimatedSize: the installed files, $size KiB" [ "$(value EstimatedSize)" = "$(printf 'dword:%08x' "$size")" ]
}
user_file="Мои заметки.txt"
check_registry

# 2. The program, as the Start-menu entry starts it, computes the default run under the
# Russian locale: the RX inductance, the turn count (which raises the turn-count box) and
# the RX cross-section with a decimal comma.
check "Start-menu entry" test -f "$start_menu"
mapfile -t shortcut < <(python3 "$here/read-shortcut.py" "$start_menu" cp1251)
check "the Start-menu entry starts the installed ddvelmor.exe" [ "${shortcut[0]}" = "$target\\ddvelmor.exe" ]
check "the Start-menu entry starts it in its folder" [ "${shortcut[1]}" = "$target" ]
(cd "$(unix_path "${shortcut[1]}")" && exec "$wine" "${shortcut[0]}") &
app=$!
main_title="DD for Velmor ARM / AVR    by_Tamrel   v.1.0"
wait_for 60 find_window "$main_title" || fail "the installed program's window did not appear"
main=$(find_window "$main_title")
xdotool mousemove --window "$main" 64 24 click 1
box_title="Ошибка. Неправильное значение витков RX"
wait_for 30 find_window "$box_title" || fail "turn-count warning did not appear"
xdotool windowactivate --sync "$(find_window "$box_title")" key Return
wait_for 10 closed "$box_title" || fail "warning box was not dismissed"
check_default_results "$main"
xdotool mousemove --window "$main" 296 194 click 1
import -window "$main" "$out/installed-main-window.png"

# 3. While it runs: the installer and the uninstaller refuse and change nothing. The
# uninstaller runs from a copy, as it starts itself, so that its exit code can be seen.
sums() { (cd "$folder" && find . -type f -exec sha256sum {} + | LC_ALL=C sort); }
sums >"$tmp/sums"
refused() { local status=0; run "$@" || status=$?; [ "$status" -ne 0 ]; }
copy='C:\users\Пользователь\Загрузки\uninstall-copy.exe'
cp "$folder/uninstall.exe" "$(unix_path "$copy")"
check "the installer refuses while the program runs" refused "$setup" /S
check "the uninstaller refuses while the program runs" refused "$copy" "/S _?=$target"
check "the folder is as it was" diff "$tmp/sums" <(sums)
# Not silent, the uninstaller asks to close the program first (Retry / Cancel).
other_window() { xdotool search --onlyvisible --name 'DD for Velmor' 2>/dev/null | grep -vx "$main" | head -n 1; }
run "$copy" "_?=$target" &
uninstaller=$!
wait_for 30 other_window || fail "the uninstaller asked nothing"
sleep 1
import -window root "$out/uninstaller-program-running.png"
xdotool windowactivate --sync "$(other_window)" key Escape
wait "$uninstaller" && fail "the uninstaller went on after Cancel"
check "the folder is as it was after Cancel" diff "$tmp/sums" <(sums)
xdotool windowactivate --sync "$main" key alt+F4
wait_for 30 bash -c "! kill -0 $app" || fail "program did not end after its window closed"
wait "$app" || fail "program exited with status $?"
app=
# With the program closed, the uninstaller asks whether to remove it; Cancel keeps it.
run "$copy" "_?=$target" &
uninstaller=$!
wait_for 30 bash -c "xdotool search --onlyvisible --name '^Удаление DD for Velmor' | grep -q ." ||
    fail "the uninstaller's window did not appear"
sleep 1
import -window "$(xdotool search --onlyvisible --name '^Удаление DD for Velmor' | head -n 1)" \
    "$out/uninstaller-confirm.png"
xdotool key Escape
wait "$uninstaller" && fail "the uninstaller went on after Cancel"
check "the folder is as it was after the uninstaller was cancelled" diff "$tmp/sums" <(sums)
rm "$(unix_path "$copy")"

# 4. Over an earlier installation whose file list has one file more, with a file of the
# user's own in the folder.
mkdir -p "$tmp/earlier/imageformats"
cp -r "$portable/." "$tmp/earlier/"
echo "a plug-in the current version no longer ships" >"$tmp/earlier/imageformats/qico.dll"
sed '/^!macro ForEachInstalledFile/a\    !insertmacro ${MACRO} "$INSTDIR\\imageformats" "imageformats\\qico.dll"' \
    "$nsi" >"$tmp/earlier.nsi"
# Stored without compression, which takes a second rather than a minute.
LC_ALL=C.UTF-8 "$makensis" -V1 -INPUTCHARSET UTF8 "-XSetCompressor /FINAL zlib" "-XSetCompress off" \
    -DPORTABLE="$tmp/earlier" \
    -DOUTFILE="$(unix_path "$downloads")/earlier.exe" "$tmp/earlier.nsi"
check "an earlier installer with one file more installs over it" run "$downloads\\earlier.exe" /S
check "the earlier installation has its extra file" test -f "$folder/imageformats/qico.dll"
echo "notes of the user's own" >"$folder/$user_file"
check "the current installer installs over the earlier one into the same folder" run "$setup" /S
check "the extra file and its folder are gone, the user's own file stays" \
    diff <({ installed_files; echo "./$user_file"; } | LC_ALL=C sort) <(listing "$folder")
check_registry
registry 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' >"$tmp/all" || true
check "one entry among the installed programs" [ "$(grep -c '^"DisplayName"="DD for Velmor"$' "$tmp/all")" = 1 ]

# 5. The pages, as the user sees them installing over the installation: the footer names the
# program and its version; on the last page the program is not started and a desktop
# shortcut is asked for.
installer_window() { xdotool search --onlyvisible --name '^Установка DD for Velmor' 2>/dev/null | head -n 1; }
"$wine" "$(unix_path "$setup")" &
gui=$!
wait_for 60 installer_window || fail "the installer's window did not appear"
window=$(installer_window)
page() { # NAME
    sleep 1
    import -window "$window" "$out/installer-$1.png"
}
page licence
eval "$(xdotool getwindowgeometry --shell "$window")"
# The footer, at the left of the line above the buttons, read at four times its size.
convert "$out/installer-licence.png" -crop "200x24+4+$((HEIGHT - 58))" -resize 400% \
    -colorspace Gray -normalize "$tmp/footer.png"
footer=$(tesseract "$tmp/footer.png" - -l eng --psm 7 2>/dev/null | head -n 1)
echo "the footer reads \"$footer\""
# Tesseract's versions differ in a letter here and there (Debian 13's reads a "¥" for the V).
check "the footer names DD for Velmor $version, not the installer's maker" \
    grep -q "^DD for .*elmor ${version//./\\.}" <<<"$footer"
check "the footer does not name Nullsoft" bash -c "! grep -qi nullsoft <<<'$footer'"
xdotool windowactivate --sync "$window" key Return
page folder
touch "$tmp/started"
xdotool key Return
page installing
# The installation writes the uninstaller anew, then the uninstall key.
written() {
    [ "$folder/uninstall.exe" -nt "$tmp/started" ] && "$wine" reg query "$key" /v EstimatedSize
}
wait_for 120 written || fail "the installation did not end"
page finished
# The first box (start the program) has the focus: clear it, tick the next.
xdotool key space Tab space
page finished-chosen
xdotool key Return
wait "$gui" || fail "the installer exited with status $?"
"$wineserver" -w
check "the desktop shortcut was made" test -f "$desktop"
check "a silent install over it keeps the desktop shortcut" run "$setup" /S
check "the desktop shortcut is still there" test -f "$desktop"
check "the folder keeps the user's file" \
    diff <({ installed_files; echo "./$user_file"; } | LC_ALL=C sort) <(listing "$folder")

# 6. Silently removed: only the user's own file stays in the folder.
"$wine" "$folder/uninstall.exe" /S
"$wineserver" -w
check "uninstalled: only the user's own file is left in the folder" \
    diff <(echo "./$user_file") <(listing "$folder")
check "uninstalled: Start-menu entry removed" test ! -e "$start_menu"
check "uninstalled: desktop shortcut removed" test ! -e "$desktop"
check "uninstalled: no entry among the installed programs" \
    bash -c "! '$wine' reg query '$key' >/dev/null 2>&1"
rm "$folder/$user_file" "$(unix_path "$downloads")"/*.exe
rmdir "$folder"
"$wine" wineboot --restart
"$wineserver" -w
files >"$tmp/after"
check "uninstalled: every file the installers made is gone" diff "$tmp/before" "$tmp/after"
check "uninstalled: no trace in the registry" \
    bash -c "! grep -il 'ddvelmor\|DD for Velmor' '$WINEPREFIX'/*.reg"

exit "$failed"
