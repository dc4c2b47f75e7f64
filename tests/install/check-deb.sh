#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks a built Debian package (scripts/package runs it in a root of the package's release):
# its version and architecture, the dependencies that the program loads at run time or that
# dpkg-shlibdeps found, the files the desktop and man find it by, and the hardening of the
# program, which lintian does not see.
# Usage: check-deb.sh PACKAGE.deb VERSION ARCH
set -euo pipefail

deb=$1
version=$2
arch=$3
echo "package: $(basename "$deb")"

failed=0
check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=1; fi
}

field() { dpkg-deb -f "$deb" "$1"; }
check "version $version" test "$(field Version)" = "$version"
check "architecture $arch" test "$(field Architecture)" = "$arch"
depends=$(field Depends)
echo "Depends: $depends"
# Qt's libraries by the names of the package's release (with the t64 suffix of Debian 13), and
# the platform plugins and fonts the program loads at run time.
for package in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation; do
    check "depends on $package" grep -Eq "(^|, )$package(t64)?( |,|$)" <<<"$depends"
done
check "recommends Qt's Russian catalogue" test "$(field Recommends)" = qt6-translations-l10n

listing=$(dpkg-deb -c "$deb")
contents=$(awk '{print $NF}' <<<"$listing")
for path in ./usr/share/applications/ddvelmor.desktop \
            ./usr/share/metainfo/org.example.ddvelmor.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/ddvelmor.svg \
            ./usr/share/icons/hicolor/16x16/apps/ddvelmor.png \
            ./usr/share/icons/hicolor/256x256/apps/ddvelmor.png \
            ./usr/share/man/man1/ddvelmor.1.gz ./usr/share/man/ru/man1/ddvelmor.1.gz; do
    check "holds $path" grep -qx -- "$path" <<<"$contents"
done
check "program is executable" grep -Eq '^-rwxr-xr-x .* \./usr/bin/ddvelmor$' <<<"$listing"

# lintian sees neither the stack protector nor a missing one; the program has functions with
# arrays on the stack, so it calls the protector's failure handler.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
check "program has the stack protector" grep -q ' __stack_chk_fail' \
    <(readelf --dyn-syms -W "$work/usr/bin/ddvelmor")

exit "$failed"
