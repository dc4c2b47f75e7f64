#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Compiles the program's resource script, as CMake configured it, the way the Windows build
# does, reads the result back and checks the version record and the icon in it.
# Usage: check-resources.sh BUILD/app/ddvelmor.rc SOURCE/app VERSION
set -euo pipefail

rc=$1
icons=$2
version=$3
windres=x86_64-w64-mingw32-windres
command -v "$windres" >/dev/null || { echo "$windres is missing (binutils-mingw-w64-x86-64)"; exit 1; }
# windres runs the script through a C preprocessor; the cross compiler's is not needed.
preprocessor=$(command -v cpp || command -v x86_64-linux-gnu-cpp)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$windres" --preprocessor="$preprocessor" -I "$icons" -i "$rc" -O res -o "$work/program.res"
"$windres" -i "$work/program.res" -J res -O rc -o "$work/program.rc"

failed=0
expect() { # expect DESCRIPTION EXTENDED-REGEX
    if grep -Eq -- "$2" "$work/program.rc"; then
        echo "ok: $1"
    else
        echo "FAILED: $1"
        failed=1
    fi
}

pattern=${version//./\\.}
expect "FileVersion $version" "^ *VALUE \"FileVersion\", \"$pattern\"\$"
expect "ProductVersion $version" "^ *VALUE \"ProductVersion\", \"$pattern\"\$"
expect "ProductName" '^ *VALUE "ProductName", "DD for Velmor"$'
expect "string table for English (United States), Unicode" '^ *BLOCK "040904[Bb]0"$'
expect "translation English (United States), code page 1200" '^ *VALUE "Translation", 0x409, 1200$'
expect "resources in English (United States)" '^LANGUAGE 9, 1$'
expect "file version number" '^ *FILEVERSION 1, 0, 0, 0$'
expect "application file type" '^ *FILETYPE 0x1$'

# The icon group: 32 x 32 and 16 x 16 pixels, each in 16 colours (4 bits) and 256 (8 bits).
group=$(sed -n '/RT_GROUP_ICON/,/^END/p' "$work/program.rc")
echo "$group"
for image in '"\040\040\020\000", 1, 4,' '"\020\020\020\000", 1, 4,' \
             '"\040\040\000\000", 1, 8,' '"\020\020\000\000", 1, 8,'; do
    if grep -Fq -- "$image" <<<"$group"; then
        echo "ok: icon image $image"
    else
        echo "FAILED: icon image $image"
        failed=1
    fi
done
if [ "$(grep -c 'RT_ICON \*/' "$work/program.rc")" -ne 4 ]; then
    echo "FAILED: the program file should hold exactly four icon images"
    failed=1
fi

exit "$failed"
