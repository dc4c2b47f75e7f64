# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Debian systems for scripts/package, scripts/debian13 and scripts/debian13-windows: tarballs
# that mmdebstrap makes without root, kept in the cache (CACHE in lib.sh), each named after its
# recipe, so that a change of the recipe, of its package lists or of the build dependencies in
# debian/control makes a new one and removes the old. Entered through a user namespace
# (unshare), never as root. Sourced after lib.sh.
# The hooks and commands in single quotes expand their own "$1" (mmdebstrap's, the shell's).
# shellcheck shell=bash disable=SC2016

# debian_tarball NAME MMDEBSTRAP-ARGUMENTS...: sets TARBALL to $CACHE/NAME-KEY.tar, made first
# when there is none. The key is a hash of the arguments, the clone's folder left out, and of
# the build dependencies that debian/control declares.
debian_tarball() {
    local name=$1 key start
    shift
    key=$(cache_key <(printf '%s\n' "${@//$ROOT/.}") \
        <(awk '/^[^ \t#]/ { declared = /^Build-(Depends|Conflicts)/ } declared' "$ROOT/debian/control"))
    TARBALL=$CACHE/$name-$key.tar
    [ ! -f "$TARBALL" ] || return 0
    start=$SECONDS
    echo "Making $TARBALL (once)"
    mkdir -p "$CACHE"
    mmdebstrap --mode=unshare --format=tar "$@" "$TARBALL.$$" \
        >"$TARBALL.$$.log" 2>&1 || { tail -40 "$TARBALL.$$.log"; rm -f "$TARBALL.$$"; return 1; }
    mv "$TARBALL.$$" "$TARBALL"
    rm -f "$TARBALL.$$.log"
    find "$CACHE" -maxdepth 1 -name "$name-????????????.tar" ! -path "$TARBALL" -delete
    echo "$TARBALL made in $(took "$start")"
}

# build_tarball SUITE ARCH: the tarball sbuild builds the package for ARCH in: the buildd variant
# (the essential packages and build-essential), for another architecture with that architecture
# beside the machine's own, Debian's cross compilers as sbuild installs them and the release's
# own apt solver (apt-utils; else sbuild copies in the machine's, which needs the machine's
# libapt), and what debian/control declares for building for ARCH (with the cross profile for
# another architecture), resolved by apt, and nothing else.
build_tarball() {
    local suite=$1 arch=$2 native host=() arches
    native=$(dpkg --print-architecture)
    arches=$native
    if [ "$arch" != "$native" ]; then
        arches=$native,$arch
        host=(--include="crossbuild-essential-$arch,apt-utils")
        host+=(--customize-hook="chroot \"\$1\" apt-get build-dep -y -qq -a $arch -P cross /tmp/declared")
    else
        host=(--customize-hook='chroot "$1" apt-get build-dep -y -qq /tmp/declared')
    fi
    debian_tarball "$suite-$arch-sbuild" --variant=buildd --architectures="$arches" \
        --customize-hook='mkdir -p "$1/tmp/declared/debian"' \
        --customize-hook="upload $ROOT/debian/control /tmp/declared/debian/control" \
        "${host[@]}" --customize-hook='rm -rf "$1/tmp/declared"' "$suite"
}

# test_tarball RELEASE: the tarball of Debian RELEASE (12 or 13) that the suite runs in
# (scripts/debian13): what the suite needs (the web page's core included) and a generated
# Russian locale.
test_tarball() {
    debian_tarball "${DEBIAN_SUITES[$1]}-test" --variant=buildd \
        --include="$(IFS=,; echo "${BUILD_PACKAGES[*]},${TEST_PACKAGES[*]},${WEB_PACKAGES[*]},locales")" \
        --customize-hook='chroot "$1" localedef -i ru_RU -f UTF-8 ru_RU.UTF-8' "${DEBIAN_SUITES[$1]}"
}

# testbed_tarball SUITE: the fresh system autopkgtest tests a package in, with apt, and the other
# architectures of the packages beside the machine's own, for those it runs under qemu-user.
# What the tests need besides the package (debian/tests/control), the emulator and dpkg-dev,
# with which autopkgtest unpacks the source package, come with it, so that a test installs
# only the package and what the package depends on.
testbed_tarball() {
    local tools
    tools=$(awk '/^[^ \t#]/ { depends = /^Depends:/ } depends' "$ROOT/debian/tests/control" |
        sed 's/^Depends://' | tr -d ' \t\n' | tr ',' '\n' | grep -vx -e '@' -e '' | paste -sd,)
    debian_tarball "$1-testbed" --variant=apt --architectures="$(IFS=,; echo "${PACKAGE_ARCHES[*]}")" \
        --include="$tools,qemu-user-static,dpkg-dev" "$1"
}

# lintian_tarball SUITE: the release's lintian.
lintian_tarball() {
    debian_tarball "$1-lintian" --variant=apt --include=lintian "$1"
}

# piuparts_tarball SUITE: the minimal system piuparts installs the packages in.
piuparts_tarball() {
    debian_tarball "$1-piuparts" --variant=minbase "$1"
}

# unshare maps the user's subordinate user and group ids (/etc/subuid, /etc/subgid), which
# adduser gives every new user but root; the install step gives them where they are missing.
# For root, Debian 12's `unshare --map-auto` (autopkgtest's unshare server) takes the first
# line of another user too, so root's line goes first.
ensure_subordinate_ids() {
    local user file lines
    user=$(id -un)
    if ! grep -q "^$user:" /etc/subuid || ! grep -q "^$user:" /etc/subgid; then
        echo "Giving $user subordinate user and group ids for user namespaces"
        as_root usermod --add-subuids 1000000-1065535 --add-subgids 1000000-1065535 "$user"
    fi
    [ "$(id -u)" -eq 0 ] || return 0
    for file in /etc/subuid /etc/subgid; do
        [ "$(head -n 1 "$file" | cut -d: -f1)" != root ] || continue
        echo "Putting root's subordinate ids first in $file"
        lines=$(grep '^root:' "$file"; grep -v '^root:' "$file")
        printf '%s\n' "$lines" >"$file"
    done
}

# unpack_tarball TARBALL DIR: the system of TARBALL, anew in DIR/root, every file owned by the
# user, whom enter_system maps to root.
unpack_tarball() {
    rm -rf "$2"
    mkdir -p "$2/root"
    unshare --map-root-user tar -xf "$1" -C "$2/root" --no-same-owner --exclude='./dev/*'
}

# enter_system DIR [--bind OUTSIDE INSIDE]... COMMAND...: runs COMMAND as root of a user
# namespace in the system unpacked in DIR, with /proc of its own, /sys and /dev bound in, the
# folders named bound in too, and a clean environment but for the locale and the time zone.
enter_system() {
    local dir=$1 binds=() environment
    shift
    while [ "$1" = --bind ]; do
        binds+=("$2" "$dir/root$3")
        mkdir -p "$dir/root$3"
        shift 3
    done
    mapfile -t environment < <(env | grep -E '^(LANG|LANGUAGE|LC_[A-Z]+|TZ)=' || true)
    unshare --map-root-user --mount --pid --fork --kill-child sh -euc '
        root=$1 binds=$2
        shift 2
        mount -t proc proc "$root/proc"
        mount --rbind /sys "$root/sys"
        mount --rbind /dev "$root/dev"
        while [ "$binds" -gt 0 ]; do
            mount --bind "$1" "$2"
            shift 2
            binds=$((binds - 1))
        done
        cp /etc/resolv.conf "$root/etc/resolv.conf"
        exec /usr/sbin/chroot "$root" "$@"' - "$dir/root" $((${#binds[@]} / 2)) "${binds[@]}" env -i HOME=/root \
        TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        "${environment[@]}" "$@"
}

# copy_tree DEST: the tree as it stands, the clone's commit with the changes not committed
# yet, without what git ignores (builds); in an unpacked source tarball, its files.
copy_tree() {
    local dest=$1
    rm -rf "$dest"
    if [ -e "$ROOT/.git" ]; then
        git clone --quiet --no-hardlinks "$ROOT" "$dest"
        (cd "$ROOT" && {
            git diff -z --name-only --diff-filter=d HEAD
            git ls-files -z --others --exclude-standard
        } | tar --create --null --files-from=-) | tar --extract --directory="$dest"
        (cd "$ROOT" && git diff -z --name-only --diff-filter=D HEAD) | (cd "$dest" && xargs -0r rm -f)
    else
        mkdir -p "$dest"
        (cd "$ROOT" && find . \( -path './build*' -o -path ./dist -o -path ./.cache \) -prune -o \
            -type f -print0 | tar --create --null --files-from=-) | tar --extract --directory="$dest"
    fi
}
