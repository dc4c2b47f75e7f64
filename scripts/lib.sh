# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the scripts: installs missing Debian packages and builds.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and running the program needs, Qt's Russian catalogue of its own texts included.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev fonts-liberation
                qt6-translations-l10n)

# What making the Debian packages needs on this machine, and scripts/debian13 too: the
# source-package tools, Debian's own tools that build, test and install them in systems of their
# release made without root (scripts/debian-root.sh), the helpers that map a user's subordinate
# ids, and diffoscope to show where two builds differ.
PACKAGE_PACKAGES=(dpkg-dev mmdebstrap sbuild autopkgtest piuparts uidmap diffoscope-minimal)

# What making a release needs on top: the source is what git records.
RELEASE_PACKAGES=(git)

# What the test suite needs on top: unit test and benchmark libraries, MPFR (a reference the
# number core is compared with), an X server with a window manager, a session bus and a Russian
# keyboard layout (setxkbmap) for the end-to-end tests, the tools it checks the installed files
# and the licences with, and Clang with its sanitizer runtimes and the symbolizer their reports
# name functions with.
TEST_PACKAGES=(libgtest-dev libgmock-dev libmpfr-dev libbenchmark-dev xvfb xauth dbus-daemon
               xdotool xclip x11-utils x11-xkb-utils openbox imagemagick time desktop-file-utils
               appstream man-db file "${RELEASE_PACKAGES[@]}" reuse clang libclang-rt-dev llvm
               librsvg2-bin python3)

# What building the web page's core needs: Debian's emscripten, and Node, which runs emcc's
# optimiser and, in the tests, the WebAssembly core.
WEB_PACKAGES=(cmake ninja-build emscripten nodejs)

# What building, serving and testing the web page itself needs on top: Python for putting the
# site together, and the browsers the tests drive: Chromium and Firefox ESR headless, WebKitGTK
# through its WebDriver on a private X server, in a locale that localedef makes when it is
# missing. npm comes with Node.js where Node.js is not Debian's own.
WEB_PAGE_PACKAGES=(python3)
WEB_TEST_BROWSERS=(chromium firefox-esr webkit2gtk-driver xvfb xauth locales)

# The cross tool chain, Debian's Qt for its moc, rcc and uic and for the version of Qt to
# build, Qt's Russian catalogue, the source-package tools, GoogleTest's sources, the
# installer maker, git and diffoscope for the second build from the source tarball; Wine with
# its fonts and what the tests under it use (tesseract reads the installer's pages; locales has
# the sources of the Russian locale, which they compile).
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n dpkg-dev xz-utils
                  googletest nsis "${RELEASE_PACKAGES[@]}" diffoscope-minimal
                  wine64 fonts-wine fonts-liberation python3 python3-pefile
                  xvfb xauth dbus-daemon openbox xdotool x11-utils xclip imagemagick tesseract-ocr
                  locales)

# What the scripts build once and keep outside the clone (Qt for Windows, the Debian tarballs):
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
# may carry an architecture (qt6-base-dev:arm64); one without is this machine's, or one for
# all architectures, but not one installed for another architecture only.
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

# emscripten_environment: emcc works with a cache of system libraries of its own (EM_CACHE), one
# for each version of Debian's emscripten in the cache folder, and never writes under /usr,
# where Debian keeps the libraries it ships prebuilt. The first time, that cache is filled
# with links to those, so that emcc builds only what Debian does not ship. emcc's optimiser
# finds Debian's acorn through NODE_PATH.
emscripten_environment() {
    local prebuilt=/usr/share/emscripten/cache version
    version=$(dpkg-query -W -f='${Version}' emscripten)
    export EM_CACHE="$CACHE/emscripten-$version" EM_FROZEN_CACHE=
    export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
    if [ ! -e "$EM_CACHE/sysroot_install.stamp" ] && [ -e "$prebuilt/sysroot_install.stamp" ]; then
        rm -rf "$EM_CACHE" "$EM_CACHE.new"
        mkdir -p "$EM_CACHE.new"
        cp -rs "$prebuilt/sysroot" "$EM_CACHE.new/"
        cp "$prebuilt/sysroot_install.stamp" "$EM_CACHE.new/"
        mv "$EM_CACHE.new" "$EM_CACHE"
    fi
}

# build_web_core DIR: the web page's core (web/) built with emscripten in DIR, warnings as
# errors: DIR/web/ddvelmor-core.mjs with ddvelmor-core.wasm beside it.
build_web_core() {
    local dir=$1
    emscripten_environment
    emcmake cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDDV_WERROR=ON >/dev/null
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

# ensure_web_packages [PACKAGE...]: WEB_PACKAGES, WEB_PAGE_PACKAGES and those given, and npm
# where Node.js does not bring its own.
ensure_web_packages() {
    ensure_packages "${WEB_PACKAGES[@]}" "${WEB_PAGE_PACKAGES[@]}" "$@"
    command -v npm >/dev/null || ensure_packages npm
}

# build_web_site NATIVE DIR: the web page's static site in DIR/site. The core is built in
# DIR/core (build_web_core); the page generator and the Author picture's tool are built in the native
# build folder NATIVE (configured here when it is not yet) and write the markup, the style
# sheets, the manifest and the picture into DIR/generated; web/assemble.py puts the site together.
build_web_site() {
    local native dir
    native=$(realpath -m "$1")
    dir=$(realpath -m "$2")
    [ -f "$native/CMakeCache.txt" ] ||
        cmake -S "$ROOT" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
            -DDDV_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$native" --parallel "$(nproc)" --target ddv_page_generator ddv_save_author_picture
    build_web_core "$dir/core"
    mkdir -p "$dir/generated"
    "$native/web/generator/ddv_page_generator" "$ROOT/web/page" "$dir/generated"
    QT_QPA_PLATFORM=offscreen "$native/desktop/info/ddv_save_author_picture" "$dir/generated/author.png"
    python3 "$ROOT/web/assemble.py" "$dir/generated" "$dir/core/web" "$dir/site"
}

# web_npm_ci: the browser tests' npm packages, as the lock file pins them, in tests/web/; npm's
# cache outside the clone, in the scripts' cache folder.
web_npm_ci() {
    (cd "$ROOT/tests/web" && npm_config_cache="$CACHE/npm" npm ci --ignore-scripts --no-audit \
        --no-fund --loglevel=error >/dev/null)
}

# test_web_site NATIVE: builds the web page (build_web_site into build-web/) and runs its browser
# tests in Chromium and Firefox ESR, headless, and in WebKitGTK. Needs WEB_PACKAGES and
# WEB_TEST_BROWSERS (ensure_web_packages).
test_web_site() {
    local engine start
    build_web_site "$1" "$ROOT/build-web"
    web_npm_ci
    for engine in chromium firefox webkit; do
        start=$SECONDS
        echo "The web page's browser tests in $engine:"
        DDV_WEB_ENGINE=$engine DDV_WEB_SITE="$ROOT/build-web/site" DDV_WEB_LOCALES="$CACHE/locales" \
            xvfb-run -a node --test --test-force-exit "$ROOT/tests/web/page.test.mjs"
        echo "Browser tests in $engine passed in $(took "$start")"
    done
}

# make_web_zip OUT.zip NATIVE DIR: the web page's static site (build_web_site NATIVE DIR) as a
# zip whose one folder is named after OUT, with the time source_date_epoch: the same bytes
# from any clone of the same commit.
make_web_zip() {
    local out folder
    out=$(realpath -m "$1")
    build_web_site "$2" "$3"
    folder="$(realpath -m "$3")/$(basename "$out" .zip)"
    rm -rf "$folder"
    cp -r "$(realpath -m "$3")/site" "$folder"
    python3 "$ROOT/cmake/pack-zip.py" "$folder" "$out" "$(source_date_epoch)"
}
