# Shared by scripts/run and scripts/test: installs missing Debian packages and builds.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and running the program needs.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev fonts-liberation)

# What the test suite needs on top: unit test and benchmark libraries, an X server with a
# window manager for the end-to-end tests, and the packaging, licensing and resource tools it
# checks with.
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-utils openbox
               imagemagick time desktop-file-utils appstream binutils-mingw-w64-x86-64
               dpkg-dev file reuse clang libclang-rt-dev librsvg2-bin python3)

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
