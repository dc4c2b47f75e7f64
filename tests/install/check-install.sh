#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the built project into a scratch prefix and checks the desktop integration: the
# program, its desktop entry, its icons in the hicolor theme and its AppStream record, each
# valid and naming the others consistently. With --installed, the same of the program the
# system has installed in /usr (the Debian package's test), and that man finds its pages.
# Usage: check-install.sh BUILD_DIR VERSION
#        check-install.sh --installed VERSION
set -euo pipefail

version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$1" = --installed ]; then
    prefix=/usr
else
    prefix=$work/usr
    cmake --install "$1" --prefix "$prefix" >"$work/install.log"
fi

failed=0
ok() { echo "ok: $1"; }
fail() { echo "FAILED: $1"; failed=1; }
check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then ok "$what"; else fail "$what"; fi
}

desktop=$prefix/share/applications/ddvelmor.desktop
metainfo=$prefix/share/metainfo/org.example.ddvelmor.metainfo.xml
check "program installed" test -x "$prefix/bin/ddvelmor"
check "desktop entry installed" test -f "$desktop"
check "AppStream record installed" test -f "$metainfo"
for size in 16 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/ddvelmor.png
    check "${size}x${size} icon" grep -q "PNG image data, $size x $size," <(file "$png")
done
check "scalable icon" grep -q "SVG" <(file "$prefix/share/icons/hicolor/scalable/apps/ddvelmor.svg")

check "desktop entry valid" desktop-file-validate "$desktop"
check "AppStream record valid" appstreamcli validate --pedantic --no-net "$metainfo"

# A terminal without Cyrillic letters (the C locale) still reads every quoted text of the
# English manual page, and groff has nothing to warn about.
man_page=$prefix/share/man/man1/ddvelmor.1.gz
LC_ALL=C MANWIDTH=80 man --warnings -l "$man_page" >"$work/man.txt" 2>"$work/man.log" || true
check "manual page renders under the C locale" test -s "$work/man.txt"
check "manual page has no groff warnings" test ! -s "$work/man.log"
check "manual page quotes Russian texts in Latin letters" grep -q '"Raschet" (calculation)' "$work/man.txt"

# The entry's fields against the installed files and the running program: Qt names its
# X11 window instance after the program file and its Wayland app id after the desktop file.
entry() { sed -n "s/^$1=//p" "$desktop"; }
check "entry named DD for Velmor" test "$(entry Name)" = "DD for Velmor"
check "entry runs the installed program" test -x "$prefix/bin/$(entry Exec)"
check "entry icon is the themed icon" test "$(entry Icon)" = ddvelmor
check "window class is the program's" test "$(entry StartupWMClass)" = ddvelmor
check "record launches the desktop entry" \
    grep -q '<launchable type="desktop-id">ddvelmor.desktop</launchable>' "$metainfo"
check "record provides the program" grep -q "<binary>$(entry Exec)</binary>" "$metainfo"
check "record's release is $version" grep -q "<release version=\"$version\"" "$metainfo"
check "record carries the screenshot" grep -q '<image>https://.*main-window\.png</image>' "$metainfo"

if [ "$1" = --installed ]; then
    check "man finds the manual page" test "$(man -w ddvelmor)" = "$man_page"
    check "man finds the Russian manual page for Russian" \
        test "$(man -L ru -w ddvelmor)" = "$prefix/share/man/ru/man1/ddvelmor.1.gz"
fi

exit "$failed"
