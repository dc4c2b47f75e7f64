#!/usr/bin/env bash
# Builds the Debian package of the built project and checks its control fields and contents.
# Usage: check-deb.sh BUILD_DIR VERSION
set -euo pipefail

build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" ||
    { cat "$work/cpack.log"; exit 1; }
debs=("$work"/*.deb)
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
check "maintainer" grep -q '@example.org>$' <<<"$(field Maintainer)"
# Each dependency as a separate name, with or without the t64 suffix of newer releases.
for package in libqt6widgets6 libqt6gui6 libqt6core6; do
    check "depends on $package" grep -Eq "(^|, )$package(t64)?( |,|$)" <<<"$depends"
done
for package in qt6-qpa-plugins fonts-liberation; do
    check "depends on $package" grep -Eq "(^|, )$package( |,|$)" <<<"$depends"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/ddvelmor ./usr/share/applications/ddvelmor.desktop \
            ./usr/share/metainfo/org.example.ddvelmor.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/ddvelmor.svg \
            ./usr/share/icons/hicolor/16x16/apps/ddvelmor.png \
            ./usr/share/icons/hicolor/32x32/apps/ddvelmor.png \
            ./usr/share/icons/hicolor/48x48/apps/ddvelmor.png \
            ./usr/share/icons/hicolor/256x256/apps/ddvelmor.png; do
    check "holds $path" grep -qx -- "$path" <<<"$contents"
done
check "program is executable" grep -Eq '^-rwxr-xr-x .* \./usr/bin/ddvelmor$' \
    <(dpkg-deb -c "$deb")

exit "$failed"
