# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Debian roots for scripts/debian13 and scripts/raspberry-pi: a Debian system of a given
# release, made once with debootstrap from Debian's archive and kept in the cache (CACHE in
# lib.sh), named after its recipe, so that a change of the recipe or of its package lists makes
# a new root and removes the old one. A run works in an overlay of the root in a build folder
# of the clone, so that the cached root stays as it was made. chroot, mount and debootstrap
# need root. Sourced after lib.sh.
#   DDV_DEBIAN_MIRROR   the archive to make roots from (default http://deb.debian.org/debian)
# shellcheck shell=bash

DEBIAN_MIRROR=${DDV_DEBIAN_MIRROR:-http://deb.debian.org/debian}

# What a command in a root keeps of this session's environment: the locale, the time of the
# sources and which Raspberry Pi architectures to build.
root_environment() {
    env | grep -E '^(LANG|LANGUAGE|LC_[A-Z]+|SOURCE_DATE_EPOCH|DDV_RASPBERRY_PI_ARCHES)=' || true
}

# Runs the calling script again through sudo unless the user is root.
need_root() { # "$@" of the script
    [ "$(id -u)" -eq 0 ] && return 0
    local environment
    mapfile -t environment < <(root_environment)
    exec sudo env DDV_CACHE="$CACHE" ${DDV_DEBIAN_MIRROR:+DDV_DEBIAN_MIRROR="$DDV_DEBIAN_MIRROR"} \
        "${environment[@]}" "$0" "$@"
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
        umount -R "$dir"
    done
    root_mounts=()
}
trap unmount_roots EXIT

# Removes a root, or refuses when anything is still mounted below it: a bound /dev would go
# with it.
remove_root() { # DIR
    if findmnt -rno TARGET | grep -q "^$1/"; then
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

# The recipe: the base system of SUITE, the architectures ARCHES beside the machine's own,
# the packages named, and a generated Russian locale to run under.
make_root() { # DIR SUITE "ARCHES" PACKAGE...
    local dir=$1 suite=$2 arches=$3 arch
    shift 3
    debootstrap --variant=minbase "$suite" "$dir" "$DEBIAN_MIRROR" >"$dir.log" 2>&1 ||
        { tail -30 "$dir.log"; return 1; }
    # Package scripts start no services in the root.
    printf '#!/bin/sh\nexit 101\n' >"$dir/usr/sbin/policy-rc.d"
    chmod 755 "$dir/usr/sbin/policy-rc.d"
    mount_system "$dir"
    for arch in $arches; do
        in_root "$dir" dpkg --add-architecture "$arch"
    done
    in_root "$dir" apt-get update -qq
    in_root "$dir" apt-get install -y -qq --no-install-recommends locales "$@" >>"$dir.log" 2>&1 ||
        { tail -30 "$dir.log"; return 1; }
    in_root "$dir" localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
    in_root "$dir" apt-get clean
    unmount_roots
}

# use_root NAME SUITE "ARCHES" PACKAGE...: sets ROOTFS to the cached root of that recipe,
# made first when there is none.
use_root() {
    local name=$1 start old
    shift
    ROOTFS="$CACHE/$name-$(cache_key <(declare -f make_root) <(echo "$DEBIAN_MIRROR $*"))"
    [ -f "$ROOTFS/.complete" ] && return 0
    start=$SECONDS
    echo "Making the root $ROOTFS (once)"
    mkdir -p "$CACHE"
    remove_root "$ROOTFS"
    make_root "$ROOTFS" "$@"
    touch "$ROOTFS/.complete"
    rm -f "$ROOTFS.log"
    echo "Root made in $(took "$start")"
    for old in "$CACHE/$name"-*; do
        [ "$old" = "$ROOTFS" ] || [ ! -d "$old" ] || remove_root "$old"
    done
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
