# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by scripts/run, scripts/test and scripts/package: installs missing Debian packages
# and builds.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and running the program needs, Qt's Russian catalogue of its own texts included.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev fonts-liberation
                qt6-translations-l10n)

# What making the Debian package needs on top: Debian's build flags and dependency tools.
PACKAGE_PACKAGES=(dpkg-dev file)

# What the test suite needs on top: unit test and benchmark libraries, an X server with a
# window manager for the end-to-end tests, and the packaging and licensing tools it checks
# with.
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-utils openbox
               imagemagick time desktop-file-utils appstream man-db
               "${PACKAGE_PACKAGES[@]}" lintian reuse clang libclang-rt-dev librsvg2-bin python3)

# Installs the packages that are not installed yet; does nothing when all are there.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# configure_and_build DIR [cmake options...]
configure_and_build() {
    local dir=$1
    shift
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}

# debian_build_flags NAME: one of the flag sets Debian builds its packages with (CPPFLAGS,
# CXXFLAGS, LDFLAGS), all hardening included: fortified functions, stack protector, read-only
# relocations, immediate binding. Asked from the source folder, which the flags map to "." in
# the debugging information.
debian_build_flags() {
    (cd "$ROOT" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1")
}

# build_debian_package DIR: builds the program alone in DIR with Debian's flags and makes the
# Debian package there.
build_debian_package() {
    local dir=$1
    configure_and_build "$dir" -DBUILD_TESTING=OFF -DDDV_BUILD_BENCHMARKS=OFF \
        -DCMAKE_CXX_FLAGS="$(debian_build_flags CPPFLAGS) $(debian_build_flags CXXFLAGS)" \
        -DCMAKE_EXE_LINKER_FLAGS="$(debian_build_flags LDFLAGS)"
    rm -f "$dir"/*.deb
    (cd "$dir" && cpack -G DEB)
}
