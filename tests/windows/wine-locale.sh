# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Wine takes the user's locale, and the character set of file names and command lines, from
# the Unix locale, which glibc must find compiled: under a locale the machine has not
# generated (ru_RU.UTF-8, say) Wine would still speak Russian but turn every Cyrillic letter
# of a path into "?". Sourced by the sessions under Wine.
# shellcheck shell=bash

# compile_session_locale DIR: compiles the session's locale into DIR and points glibc there
# (LOCPATH), unless glibc finds it already. C.UTF-8 is built into glibc, and stands in for the
# plain C (or POSIX) locale, whose ASCII would lose the Cyrillic letters just the same.
compile_session_locale() {
    local name=${LC_ALL:-${LC_CTYPE:-${LANG:-}}}
    case $name in
    '' | C | POSIX) export LC_ALL=C.UTF-8 && return 0 ;;
    C.*) return 0 ;;
    esac
    [ "$(LC_ALL=$name locale charmap 2>/dev/null)" = UTF-8 ] && return 0
    mkdir -p "$1"
    localedef -i "${name%%.*}" -f UTF-8 "$1/$name" >/dev/null 2>&1 || [ -e "$1/$name/LC_CTYPE" ] ||
        { echo "localedef cannot compile the locale $name" >&2; return 1; }
    export LOCPATH=$1
}
