#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# The installer as a user without administrator rights runs it, silently, in a fresh Wine
# prefix: the program lands in the user's local programs folder with a Start-menu entry and
# an entry among the installed programs; the uninstaller removes all of it, and after the
# next start of Windows the prefix holds the files it held before. The installed folder holds
# the licence, notice and source files (check-download-files.sh).
#   check-installer.sh WINE INSTALLER PORTABLE-FOLDER VERSION QT_VERSION
set -euo pipefail
wine=$1
installer=$2
portable=$3
version=$4
qt_version=$5
wineserver="$(dirname "$wine")/wineserver"

tmp=$(mktemp -d)
# Neither Mono nor Gecko is needed, and winemenubuilder would copy Start-menu entries into the
# Linux desktop's menu.
export WINEPREFIX="$tmp/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEPATH
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$tmp"' EXIT

failed=0
check() { # DESCRIPTION COMMAND...
    local description=$1
    shift
    if "$@"; then echo "ok: $description"; else echo "FAILED: $description"; failed=1; fi
}

check "the installer asks for no administrator rights" \
    grep -aq 'requestedExecutionLevel level="asInvoker"' "$installer"

"$wine" wineboot --init
"$wineserver" -w
# The uninstaller runs from a copy of itself in the temporary folder, removed at the next
# start of Windows; Wine leaves the emptied folder of that copy, which is not compared.
files() { (cd "$WINEPREFIX/drive_c" && find . -not \( -type d -path './users/*/Temp/*' \) | LC_ALL=C sort); }
files >"$tmp/before"

unix_path() { "$wine" winepath -u "$("$wine" cmd /c echo "%$1%" | tr -d '\r')" | tr -d '\r'; }
folder="$(unix_path LOCALAPPDATA)/Programs/DD for Velmor"
shortcut="$(unix_path APPDATA)/Microsoft/Windows/Start Menu/Programs/DD for Velmor.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\ddvelmor'

"$wine" "$installer" /S
"$wineserver" -w
listing() { (cd "$1" && find . -type f | LC_ALL=C sort); }
check "installed the files of the portable folder and the uninstaller" \
    diff <({ listing "$portable"; echo ./uninstall.exe; } | LC_ALL=C sort) <(listing "$folder")
check "installed the licence, notice and source files" \
    "$(dirname "$0")/check-download-files.sh" "$folder" "$version" "$qt_version"
check "Start-menu entry" test -f "$shortcut"
check "the Start-menu entry starts ddvelmor.exe" grep -aq 'ddvelmor\.exe' "$shortcut"
check "entry among the installed programs, version $version" \
    bash -c "'$wine' reg query '$key' /v DisplayVersion | tr -d '\r' | grep -q 'REG_SZ *$version\$'"

"$wine" "$folder/uninstall.exe" /S
"$wineserver" -w
check "uninstalled: folder removed" test ! -e "$folder"
check "uninstalled: Start-menu entry removed" test ! -e "$shortcut"
check "uninstalled: no entry among the installed programs" \
    bash -c "! '$wine' reg query '$key' >/dev/null 2>&1"
"$wine" wineboot --restart
"$wineserver" -w
files >"$tmp/after"
check "uninstalled: every file the installer made is gone" diff "$tmp/before" "$tmp/after"
check "uninstalled: no trace in the registry" \
    bash -c "! grep -il 'ddvelmor\|DD for Velmor' '$WINEPREFIX'/*.reg"

exit "$failed"
