#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# The commands the guides tell a reader to run are there to run: every scripts/NAME and .ci/run
# that README.md, README.ru.md, CONTRIBUTING.md, docs/*.md or fuzz/README.md names must be an
# executable file; a NAME.sh is sourced by the scripts and need only exist. Names each one
# that is not, with the guide and line that name it.
#   check-doc-commands.sh SOURCE_DIR
set -euo pipefail
root=${1:?usage: check-doc-commands.sh SOURCE_DIR}
cd "$root"

guides=(README.md README.ru.md CONTRIBUTING.md)
for guide in "${guides[@]}"; do
    [ -f "$guide" ] || { echo "$guide is missing" >&2; exit 1; }
done
shopt -s nullglob
guides+=(docs/*.md fuzz/*.md)

status=0
named=0
# grep -o prints each name with the character before it (none at the start of a line), so that
# a path that merely ends in scripts/NAME is not taken for one; a full stop ends a sentence.
while IFS=: read -r guide line match; do
    name=$match
    [[ $name == scripts/* || $name == .ci/run ]] || name=${name:1}
    name=${name%.}
    named=$((named + 1))
    if [[ $name == *.sh ]]; then
        [ -f "$name" ] && continue
        echo "$guide:$line names $name, which does not exist" >&2
    elif [ ! -e "$name" ]; then
        echo "$guide:$line names $name, which does not exist" >&2
    elif [ ! -f "$name" ] || [ ! -x "$name" ]; then
        echo "$guide:$line names $name, which is not an executable file" >&2
    else
        continue
    fi
    status=1
done < <(grep -onE '(^|[^A-Za-z0-9_./-])(scripts/[A-Za-z0-9_][A-Za-z0-9_.-]*|\.ci/run)' \
             "${guides[@]}")

if [ "$named" -eq 0 ]; then
    echo "no scripts/NAME found in ${guides[*]}: the guides must name the commands" >&2
    exit 1
fi
[ "$status" -eq 0 ] && echo "the $named commands the guides name are all there"
exit "$status"
