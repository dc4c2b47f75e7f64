#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# What a Windows download must carry beside the program, checked in the folder a user gets
# from it (the unpacked zip, the installed program): the program's licence as Notepad shows
# it, a notice that names every bundled file with the licences Qt, GCC and MinGW-w64 ask for,
# where the source is, and Qt's Russian catalogue as Debian ships it.
#   check-download-files.sh FOLDER VERSION QT_VERSION
set -euo pipefail
folder=$1
version=$2
qt_version=$3
licence="$(dirname "$0")/../../LICENSE"

failed=0
check() { # DESCRIPTION COMMAND...
    local description=$1
    shift
    if "$@"; then echo "ok: $description"; else echo "FAILED: $description"; failed=1; fi
}
# Every line of the file ends in CR LF.
windows_lines() { [ "$(grep -c $'\r$' "$1")" = "$(wc -l <"$1")" ]; }
holds() { grep -qF -- "$2" "$1"; } # FILE TEXT

check "LICENSE.txt is the program's licence with Windows line ends" \
    cmp -s <(sed 's/$/\r/' "$licence") "$folder/LICENSE.txt"

notice="$folder/NOTICE.txt"
check "NOTICE.txt has Windows line ends" windows_lines "$notice"
while read -r file; do
    check "NOTICE.txt names ${file//\//\\}" holds "$notice" "${file//\//\\}"
done < <(cd "$folder" && find . -name '*.dll' -o -name '*.qm' | sed 's,^\./,,' | LC_ALL=C sort)
check "NOTICE.txt names Qt $qt_version" holds "$notice" "Qt $qt_version"
check "NOTICE.txt holds the LGPL, version 3" \
    bash -c "grep -q 'GNU LESSER GENERAL PUBLIC LICENSE' '$notice' && grep -q 'Version 3, 29 June 2007' '$notice'"
# The recipe builds these into Qt from Qt's own copies (cmake/windows-qt.cmake).
for library in 'Freetype 2' 'HarfBuzz' 'PCRE2' '(zlib)' 'LibPNG' 'Unicode Character Database'; do
    check "NOTICE.txt gives the licence of $library, compiled into Qt" holds "$notice" "$library"
done
check "NOTICE.txt holds the GCC Runtime Library Exception 3.1" \
    bash -c "grep -q 'GCC RUNTIME LIBRARY EXCEPTION' '$notice' && grep -q 'Version 3.1, 31 March 2009' '$notice'"
check "NOTICE.txt gives the licences of winpthreads and the MinGW-w64 run-time" \
    bash -c "grep -q 'mingw-w64-libraries/winpthreads/' '$notice' && grep -q 'mingw-w64-crt/' '$notice'"

source_file="$folder/SOURCE.txt"
check "SOURCE.txt has Windows line ends" windows_lines "$source_file"
check "SOURCE.txt names the source tarball ddvelmor-$version.tar.gz" \
    holds "$source_file" "ddvelmor-$version.tar.gz"
check "SOURCE.txt names Debian's source package qt6-base $qt_version and the recipe" \
    bash -c "grep -q 'qt6-base $qt_version' '$source_file' && grep -q 'cmake/windows-qt.cmake' '$source_file'"

check "translations/qtbase_ru.qm is Debian's catalogue of Qt $qt_version" \
    cmp -s /usr/share/qt6/translations/qtbase_ru.qm "$folder/translations/qtbase_ru.qm"

exit "$failed"
