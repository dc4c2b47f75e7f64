# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the scripts: installs missing Debian packages and builds.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and running the program needs, Qt's Russian catalogue of its own texts included.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev fonts-liberation
                qt6-translations-l10n)

# What making the Debian packages needs on this machine (they are built and tried in Debian
# roots, scripts/debian-root.sh): the source-package tools, debootstrap, and diffoscope to show
# where two builds differ.
PACKAGE_PACKAGES=(dpkg-dev debootstrap diffoscope-minimal)

# What making a release needs on top: the source is what git records.
RELEASE_PACKAGES=(git)

# What the test suite needs on top: unit test and benchmark libraries, an X server with a
# window manager and a session bus for the end-to-end tests, the tools it checks the installed
# files and the licences with, and Clang with its sanitizer runtimes and the symbolizer their
# reports name functions with.
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth dbus-daemon xdotool xclip
               x11-utils openbox imagemagick time desktop-file-utils appstream man-db file
               "${RELEASE_PACKAGES[@]}" reuse clang libclang-rt-dev llvm librsvg2-bin python3)

# What the scripts build once and keep outside the clone (Qt for Windows, the Debian roots):
# ~/.cache/ddvelmor, or the folder DDV_CACHE names.
CACHE=${DDV_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/ddvelmor}

# A short key of what the given files say, blank lines and comments left out: a cached build
# sits in a folder named after it, so that a change of recipe builds anew beside the old one.
cache_key() { sed '/^[[:space:]]*\(#.*\)\{0,1\}$/d' "$@" | sha256sum | cut -c1-12; }

# Seconds since $1, as minutes and seconds.
took() { printf '%dm%02ds' $(((SECONDS - $1) / 60)) $(((SECONDS - $1) % 60)); }

# Runs a command as root: through sudo when the user is not root.
as_root() {
    if [ "$(id -u)" -ne 0 ]; then
        sudo "$@"
    else
        "$@"
    fi
}

# Installs the packages that are not installed yet; does nothing when all are there. A name
# may carry an architecture (qt6-base-dev:arm64, see cross_packages); one without is this
# machine's, or one for all architectures, but not one installed for another architecture only.
ensure_packages() {
    local missing=() native pkg arch
    native=$(dpkg --print-architecture)
    for pkg in "$@"; do
        arch="$native|all"
        [[ $pkg == *:* ]] && arch=${pkg##*:}
        if ! dpkg-query -W -f='${Architecture} ${Status}\n' "$pkg" 2>/dev/null |
            grep -Eqx "($arch) install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing: ${missing[*]}"
    # Waits for another apt or dpkg run to finish rather than failing at once.
    local wait=(-o DPkg::Lock::Timeout=900)
    as_root env DEBIAN_FRONTEND=noninteractive apt-get "${wait[@]}" update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get "${wait[@]}" install -y -qq \
        --no-install-recommends "${missing[@]}"
}

# The Debian releases and architectures the packages are made for (scripts/package), by the
# release's number and its suite: all unless DDV_DEBIAN_RELEASES and DDV_DEBIAN_ARCHES name
# fewer. arm64 serves a 64-bit Raspberry Pi system, armhf (ARMv7) a 32-bit one.
declare -A DEBIAN_SUITES=([12]=bookworm [13]=trixie)
PACKAGE_ARCHES=(amd64 arm64 armhf)
read -ra DEBIAN_RELEASES <<<"${DDV_DEBIAN_RELEASES:-12 13}"
read -ra DEBIAN_ARCHES <<<"${DDV_DEBIAN_ARCHES:-${PACKAGE_ARCHES[*]}}"

# configure_and_build DIR [cmake options...]
configure_and_build() {
    local dir=$1
    shift
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}

# run_desktop_tests_in_other_locale BUILD_DIR: the tests that show windows (CTest label
# desktop) once more, under a Russian locale as most users have it, or under C.UTF-8 when the
# session's locale is Russian: results in the regional format, window titles and Qt's own
# texts under both. The locale need not be generated.
run_desktop_tests_in_other_locale() {
    local other=ru_RU.UTF-8
    case ${LC_ALL:-${LC_NUMERIC:-${LANG:-}}} in
    ru*) other=C.UTF-8 ;;
    esac
    echo "The tests that show windows again, under LC_ALL=$other:"
    (cd "$1" && LC_ALL=$other ctest --label-regex '^desktop$' --output-on-failure --parallel "$(nproc)")
}

# The time that stands for the sources in everything built from them (SOURCE_DATE_EPOCH, in
# seconds since 1970): when not given, the time of the commit in a git clone, or in an
# unpacked source tarball, the time its files carry.
source_date_epoch() {
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        echo "$SOURCE_DATE_EPOCH"
    elif [ -e "$ROOT/.git" ]; then
        git -C "$ROOT" log -1 --format=%ct
    else
        stat -c %Y "$ROOT/CMakeLists.txt"
    fi
}

# same_build FILE OTHER: whether two builds of a file are the same, byte for byte; when they
# are not, diffoscope shows where they differ.
same_build() {
    cmp -s "$1" "$2" && return 0
    echo "FAILED: $1 and $2 differ:" >&2
    diffoscope --text - "$1" "$2" 2>&1 | head -150 >&2 || true
    return 1
}

# make_source_tarball OUT.tar.gz VERSION: the source tree as ddvelmor-VERSION/, with what a
# clone has (no .git, nothing that builds leave): names in order, times from
# source_date_epoch, owner and group 0, permissions as git records them, no time in the gzip
# header. In an unpacked tarball, its own files.
make_source_tarball() {
    local out=$1 version=$2
    (
        cd "$ROOT"
        if [ -e .git ]; then
            git ls-files -z
        else
            find . \( -path './build*' -o -path ./dist -o -path ./.cache \) -prune -o -type f -printf '%P\0'
        fi | LC_ALL=C sort -z |
            tar --create --format=gnu --transform="s,^,ddvelmor-$version/," \
                --mtime="@$(source_date_epoch)" --owner=0 --group=0 --numeric-owner \
                --mode=u=rwX,go=rX --no-recursion --null --files-from=- |
            gzip -9n
    ) >"$out"
}
