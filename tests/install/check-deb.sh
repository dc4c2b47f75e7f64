#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package as scripts/package does, in a build of its own, for this machine
# or for the Debian architecture given, and checks its control fields, its contents, the
# hardening of the program and what Debian's own checker, lintian, says of it. Then makes the
# source tarball twice, under different umasks, time zones and locales, checks that both are
# the same, and builds the package again from the tarball, unpacked without git in a
# temporary folder, in a build folder of another name outside the unpacked tree: it must come
# out the same.
# Usage: check-deb.sh PACKAGE_BUILD_DIR VERSION [ARCH]
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

build=$1
version=$2
arch=${3:-$(dpkg --print-architecture)}
mkdir -p "$build"
build_debian_package "$build" "$arch" >"$build/package.log" 2>&1 ||
    { cat "$build/package.log"; exit 1; }
debs=("$build"/*.deb)
deb=${debs[0]}
echo "package: $(basename "$deb")"

failed=0
check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=1; fi
}

field() { dpkg-deb -f "$deb" "$1"; }
depends=$(field Depends)
echo "Depends: $depends"
check "package name" test "$(field Package)" = ddvelmor
check "version" test "$(field Version)" = "$version"
check "architecture $arch" test "$(field Architecture)" = "$arch"
check "maintainer" grep -q '@example.org>$' <<<"$(field Maintainer)"
# Each dependency as a separate name, with or without the t64 suffix of newer releases.
for package in libqt6widgets6 libqt6gui6 libqt6core6; do
    check "depends on $package" grep -Eq "(^|, )$package(t64)?( |,|$)" <<<"$depends"
done
for package in qt6-qpa-plugins fonts-liberation qt6-translations-l10n; do
    check "depends on $package" grep -Eq "(^|, )$package( |,|$)" <<<"$depends"
done

listing=$(dpkg-deb -c "$deb")
contents=$(awk '{print $NF}' <<<"$listing")
for path in ./usr/bin/ddvelmor ./usr/share/applications/ddvelmor.desktop \
            ./usr/share/metainfo/org.example.ddvelmor.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/ddvelmor.svg \
            ./usr/share/icons/hicolor/16x16/apps/ddvelmor.png \
            ./usr/share/icons/hicolor/32x32/apps/ddvelmor.png \
            ./usr/share/icons/hicolor/48x48/apps/ddvelmor.png \
            ./usr/share/icons/hicolor/256x256/apps/ddvelmor.png \
            ./usr/share/man/ru/man1/ddvelmor.1.gz; do
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

# Every tag fails, informational and pedantic ones included: the hardening tags that matter
# here (no immediate binding, no fortified functions) are only informational.
echo "lintian --pedantic --display-info:"
if lintian --pedantic --display-info --fail-on error,warning,info,pedantic "$deb"; then
    echo "ok: lintian reports nothing"
else
    echo "FAILED: lintian reports the tags above"
    failed=1
fi

# The source tarball as scripts/release makes it, twice.
make_source_tarball "$work/source.tar.gz" "$version"
(umask 077 && TZ=Asia/Kamchatka LC_ALL=C.UTF-8 make_source_tarball "$work/again.tar.gz" "$version")
check "the source tarball comes out the same twice" same_build "$work/source.tar.gz" "$work/again.tar.gz"
tar -xzf "$work/source.tar.gz" -C "$work"
tree="$work/ddvelmor-$version"
check "the source tarball holds the sources under ddvelmor-$version/, without .git" \
    test -f "$tree/CMakeLists.txt" -a ! -e "$tree/.git"
# With its own scripts, its time taken from its files, its files private to their owner, in a
# build folder of another name outside its tree: where the sources and the build folder are
# makes no difference to the package (build_debian_package).
again="$work/elsewhere/again"
if (cd "$tree" && umask 077 && env -u SOURCE_DATE_EPOCH TZ=Asia/Kamchatka LC_ALL=C.UTF-8 \
        scripts/package "$again" "$arch" >"$work/again.log" 2>&1); then
    check "the package built from the source tarball is the same" \
        same_build "$deb" "$again/$(basename "$deb")"
else
    cat "$work/again.log"
    check "the source tarball builds the program and the package" false
fi

exit "$failed"
