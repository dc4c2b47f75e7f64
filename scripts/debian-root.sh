# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Debian roots for scripts/debian13 and scripts/package: Debian systems of a given release,
# made once from Debian's archive and kept in the cache (CACHE in lib.sh), each named after its
# recipe, so that a change of the recipe, of its package lists or of debian/control makes a new
# root and removes the old one once no run uses it. Every root starts as a copy of the base
# root of its release (debootstrap's buildd variant: the essential packages and
# build-essential). A run works in an overlay of a root in a build folder of the clone, so that
# the cached root stays as it was made. chroot, mount and debootstrap need root. Sourced after
# lib.sh.
#   DDV_DEBIAN_MIRROR   the archive to make roots from (default http://deb.debian.org/debian)
# shellcheck shell=bash

DEBIAN_MIRROR=${DDV_DEBIAN_MIRROR:-http://deb.debian.org/debian}

# What a command in a root keeps of this session's environment: the locale and the time zone.
root_environment() {
    env | grep -E '^(LANG|LANGUAGE|LC_[A-Z]+|TZ)=' || true
}

# Runs the calling script again through sudo unless the user is root.
need_root() { # "$@" of the script
    [ "$(id -u)" -eq 0 ] && return 0
    local environment
    mapfile -t environment < <(
        root_environment
        env | grep -E '^(SOURCE_DATE_EPOCH|DEB_BUILD_OPTIONS|DDV_DEBIAN_[A-Z]+)=' || true
    )
    exec sudo env DDV_CACHE="$CACHE" "${environment[@]}" "$0" "$@"
}

# The file systems a program in a root expects, bound in for as long as the script runs, and
# the overlays they are bound into: taken down in the opposite order, on exit too.
root_mounts=()
mount_system() { # ROOTFS
    local dir
    for dir in proc sys dev; do
        mount --rbind "/$dir" "$1/$dir"
        mount --make-rslave "$1/$dir"
        root_mounts=("$1/$dir" "${root_mounts[@]}")
    done
    cp /etc/resolv.conf "$1/etc/resolv.conf"
}
unmount_roots() {
    local dir
    for dir in "${root_mounts[@]}"; do
        umount -R "$dir" || umount -R --lazy "$dir"
    done
    root_mounts=()
}
trap unmount_roots EXIT
# Takes down those that are DIR or lie below it.
unmount_below() { # DIR
    local dir kept=()
    for dir in "${root_mounts[@]}"; do
        if [ "$dir" = "$1" ] || [[ $dir == "$1"/* ]]; then
            umount -R "$dir"
        else
            kept+=("$dir")
        fi
    done
    root_mounts=("${kept[@]}")
}

# Removes a root, or refuses when anything is still mounted below it (a bound /dev would go
# with it) or on top of it (an overlay left by a run that was killed).
remove_root() { # DIR
    if findmnt -rno TARGET | grep -q "^$1/" || grep -qF "lowerdir=$1," /proc/self/mountinfo; then
        echo "$1 still has file systems mounted; not removing it" >&2
        return 1
    fi
    rm -rf "$1"
}

# A command in a root, with a clean environment but for root_environment.
in_root() { # ROOTFS COMMAND...
    local rootfs=$1 environment
    shift
    mapfile -t environment < <(root_environment)
    chroot "$rootfs" env -i HOME=/root TERM=dumb DEBIAN_FRONTEND=noninteractive \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "${environment[@]}" "$@"
}

# Installs packages in a root, as apt-get install ARGUMENTS... does, quietly but for failures.
apt_in_root() { # ROOTFS LOG APT-GET-ARGUMENTS...
    local rootfs=$1 log=$2
    shift 2
    in_root "$rootfs" apt-get -y -qq --no-install-recommends "$@" >>"$log" 2>&1 ||
        { tail -30 "$log"; return 1; }
}

# The base of every root of SUITE: the essential packages and build-essential, from the
# release's main archive alone. dpkg in it does not sync each file it writes: a root that
# breaks is made anew, never repaired. Package scripts start no services in it.
make_base_root() { # SUITE DIR
    local dir=$2
    debootstrap --foreign --variant=buildd "$1" "$dir" "$DEBIAN_MIRROR" >"$dir.log" 2>&1 ||
        { tail -30 "$dir.log"; return 1; }
    echo force-unsafe-io >"$dir/etc/dpkg/dpkg.cfg.d/unsafe-io"
    chroot "$dir" /debootstrap/debootstrap --second-stage >>"$dir.log" 2>&1 ||
        { tail -30 "$dir.log"; return 1; }
    printf '#!/bin/sh\nexit 101\n' >"$dir/usr/sbin/policy-rc.d"
    chmod 755 "$dir/usr/sbin/policy-rc.d"
}

# cached_root NAME KEY MAKE...: sets ROOTFS to the root $CACHE/NAME-KEY, made first with
# "MAKE... DIR" when there is none, and keeps it from being removed while this script runs (a
# shared lock on its .lock file). Then removes the roots of the same name that no run holds.
cached_root() {
    local name=$1 key=$2 start old fd
    shift 2
    ROOTFS="$CACHE/$name-$key"
    mkdir -p "$CACHE"
    exec {fd}>>"$ROOTFS.lock"
    flock -s "$fd"
    if [ ! -f "$ROOTFS/.complete" ]; then
        flock -x "$fd" # once another run that makes it is done
        if [ ! -f "$ROOTFS/.complete" ]; then
            start=$SECONDS
            echo "Making the root $ROOTFS (once)"
            remove_root "$ROOTFS"
            "$@" "$ROOTFS"
            touch "$ROOTFS/.complete"
            rm -f "$ROOTFS.log"
            echo "Root $name made in $(took "$start")"
        fi
        flock -s "$fd"
    fi
    # The lock files stay, so that every run locks the same file. A root that a run of older
    # scripts, which take no lock, still has mounted stays for a later run to remove.
    for old in "$CACHE/$name"-*; do
        [ -d "$old" ] && [ "$old" != "$ROOTFS" ] || continue
        (
            exec {fd}>>"$old.lock"
            flock -xn "$fd" || exit 0
            remove_root "$old" && rm -f "$old.log" || true
        )
    done
}

# base_root SUITE: sets BASE to the cached base root of SUITE.
base_root() {
    cached_root "base-$1" "$(cache_key <(declare -f make_base_root) <(echo "$DEBIAN_MIRROR $1"))" \
        make_base_root "$1"
    BASE=$ROOTFS
}

# A copy of the base root BASE, with the system bound in for the commands that follow.
copy_base_root() { # DIR
    mkdir -p "$1"
    cp -a --reflink=auto "$BASE/." "$1/"
    rm -f "$1/.complete"
    mount_system "$1"
}

# The recipe of the roots the suite runs in and the packages are installed in: the base with
# the architectures ARCHES beside the machine's own, the packages named, and a generated
# Russian locale to run under.
make_root() { # SUITE "ARCHES" PACKAGE... DIR
    local suite=$1 arches=$2 dir=${*: -1} arch
    local packages=("${@:3:$#-3}")
    copy_base_root "$dir"
    for arch in $arches; do
        in_root "$dir" dpkg --add-architecture "$arch"
    done
    in_root "$dir" apt-get update -qq
    apt_in_root "$dir" "$dir.log" install locales "${packages[@]}"
    in_root "$dir" localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
    in_root "$dir" apt-get clean
    unmount_below "$dir"
}

# use_root NAME SUITE "ARCHES" PACKAGE...: sets ROOTFS to the cached root of that recipe,
# made first when there is none.
use_root() {
    local name=$1 suite=$2 key
    shift
    base_root "$suite"
    key=$(cache_key <(declare -f make_root copy_base_root) <(echo "$BASE $*"))
    cached_root "$name" "$key" make_root "$@"
}

# use_test_root RELEASE: sets ROOTFS to the root of Debian RELEASE (12 or 13) that the suite runs
# in (scripts/debian13) and that the packages are tried in (scripts/package): what the suite
# needs (the web page's core included), lintian, and the other architectures of the packages beside the machine's own, with
# qemu-user to run their programs and their Qt platform plugins, which bring Qt, so that
# installing a package there fetches little.
use_test_root() {
    local arch native foreign=() plugins=()
    native=$(dpkg --print-architecture)
    for arch in "${PACKAGE_ARCHES[@]}"; do
        [ "$arch" = "$native" ] && continue
        foreign+=("$arch")
        plugins+=("qt6-qpa-plugins:$arch")
    done
    use_root "debian$1" "${DEBIAN_SUITES[$1]}" "${foreign[*]}" "${BUILD_PACKAGES[@]}" \
        "${TEST_PACKAGES[@]}" "${WEB_PACKAGES[@]}" lintian qemu-user-static "${plugins[@]}"
}

# The clean root a package for ARCH is built in: the base with, for another architecture,
# that architecture beside the machine's own and Debian's cross compilers
# (crossbuild-essential-ARCH, as sbuild installs them), and then what debian/control declares
# for building for ARCH, with the cross profile for another architecture, and nothing else,
# resolved by apt.
make_build_root() { # SUITE ARCH CONTROL DIR
    local arch=$2 control=$3 dir=$4 host=()
    copy_base_root "$dir"
    if [ "$arch" != "$(in_root "$dir" dpkg --print-architecture)" ]; then
        in_root "$dir" dpkg --add-architecture "$arch"
        in_root "$dir" apt-get update -qq
        apt_in_root "$dir" "$dir.log" install "crossbuild-essential-$arch"
        host=(-a "$arch" -P cross)
    else
        in_root "$dir" apt-get update -qq
    fi
    mkdir -p "$dir/tmp/declared/debian"
    cp "$control" "$dir/tmp/declared/debian/control"
    apt_in_root "$dir" "$dir.log" build-dep "${host[@]}" /tmp/declared
    rm -rf "$dir/tmp/declared"
    in_root "$dir" apt-get clean
    unmount_below "$dir"
}

# use_build_root SUITE ARCH: sets ROOTFS to the cached clean root for building the package
# for ARCH on SUITE, made first when there is none: a change of the build dependencies in
# debian/control makes another.
use_build_root() {
    local suite=$1 arch=$2 key
    base_root "$suite"
    key=$(cache_key <(declare -f make_build_root copy_base_root) <(echo "$BASE $arch") \
        <(awk '/^[^ \t#]/ { declared = /^Build-(Depends|Conflicts)/ } declared' "$ROOT/debian/control"))
    cached_root "build-$suite-$arch" "$key" make_build_root "$suite" "$arch" "$ROOT/debian/control"
}

# overlay_root DIR: mounts this run's root at DIR/root, the cached ROOTFS with this run's
# changes above it in DIR/changes (removed first), and binds the system in. Sets RUN_ROOT.
overlay_root() {
    local dir=$1
    RUN_ROOT="$dir/root"
    ! mountpoint -q "$RUN_ROOT" || umount -R "$RUN_ROOT" # left by a run that was killed
    remove_root "$dir/changes"
    rm -rf "$dir/work"
    mkdir -p "$RUN_ROOT" "$dir/changes" "$dir/work"
    mount -t overlay overlay -o "lowerdir=$ROOTFS,upperdir=$dir/changes,workdir=$dir/work" "$RUN_ROOT"
    root_mounts=("$RUN_ROOT" "${root_mounts[@]}")
    mount_system "$RUN_ROOT"
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
