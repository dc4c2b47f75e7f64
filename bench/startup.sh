#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up time and peak memory of the program against a bare Qt window of the same size, as
# whole processes on a real X server (Xvfb) with openbox as the window manager. Both programs
# quit right after their first paint; they run interleaved, alternating which goes first, and
# the medians of wall time and of maximum resident set size are compared.
#
# Usage: bench/startup.sh BUILD_DIR [RUNS]     RUNS defaults to 15.
# Builds nothing: build the targets startup_window and startup_minimal in BUILD_DIR first.
# Needs xvfb-run, openbox and GNU time (Debian packages xvfb, openbox, time).

set -euo pipefail
export LC_ALL=C # a point as the decimal separator, also in $EPOCHREALTIME

usage()
{
    echo "usage: $0 BUILD_DIR [RUNS]" >&2
    exit 2
}

fail()
{
    echo "startup.sh: $*" >&2
    exit 1
}

median()
{
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

range()
{
    sort -g | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%.1f..%.1f", lo, hi }'
}

# Runs one program under GNU time; appends its wall time in ms and its peak RSS in KiB to
# the files named after it.
measure()
{
    local name=$1 program=$2 start end
    start=$EPOCHREALTIME
    if ! timeout 60 /usr/bin/time -f %M -o "$work/rss" "$program" >"$work/$name.log" 2>&1; then
        cat "$work/$name.log" >&2
        fail "$program did not start and quit cleanly"
    fi
    end=$EPOCHREALTIME
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f\n", (e - s) * 1000 }' >>"$work/$name.ms"
    tail -n 1 "$work/rss" >>"$work/$name.kb"
}

inside_x()
{
    local build=$1 runs=$2
    local minimal=$build/bench/startup_minimal window=$build/bench/startup_window
    wm=
    work=$(mktemp -d)
    trap '[[ -n $wm ]] && kill "$wm" 2>/dev/null; rm -rf "$work"' EXIT

    # A desktop session's runtime directory, so that Qt does not fall back to one of its own.
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    export QT_QPA_PLATFORM=xcb

    openbox --startup "touch $work/wm-ready" >"$work/openbox.log" 2>&1 &
    wm=$!
    for _ in $(seq 100); do
        [[ -e $work/wm-ready ]] && break
        sleep 0.1
    done
    [[ -e $work/wm-ready ]] || fail "openbox did not start"

    # Untimed first runs: disk and font caches are warm for both from here on.
    measure warmup "$minimal"
    measure warmup "$window"
    # What launching through timeout and GNU time costs by itself; part of every figure.
    for _ in 1 2 3 4 5; do
        measure launch /bin/true
    done

    for ((i = 1; i <= runs; i++)); do
        if ((i % 2)); then
            measure minimal "$minimal"
            measure window "$window"
        else
            measure window "$window"
            measure minimal "$minimal"
        fi
    done

    local min_ms win_ms min_kb win_kb launch_ms
    min_ms=$(median <"$work/minimal.ms")
    win_ms=$(median <"$work/window.ms")
    min_kb=$(median <"$work/minimal.kb")
    win_kb=$(median <"$work/window.kb")
    launch_ms=$(median <"$work/launch.ms")

    echo "Start-up to first paint on Xvfb with openbox: $runs runs each, interleaved; medians"
    printf '%-16s %10s %14s %22s\n' "" "wall ms" "peak RSS KiB" "wall ms min..max"
    printf '%-16s %10.1f %14d %22s\n' "bare Qt window" "$min_ms" "$min_kb" \
        "$(range <"$work/minimal.ms")"
    printf '%-16s %10.1f %14d %22s\n' "main window" "$win_ms" "$win_kb" \
        "$(range <"$work/window.ms")"
    awk -v a="$win_ms" -v b="$min_ms" -v c="$win_kb" -v d="$min_kb" \
        'BEGIN { printf "%-16s %9.2fx %13.2fx   (target: each at most 1.30x)\n", "ratio", a / b, c / d }'
    printf 'Launch overhead (timeout + GNU time), included in both wall times: %.1f ms\n' "$launch_ms"
}

if [[ ${1:-} == --inside-x ]]; then
    inside_x "$2" "$3"
    exit 0
fi

[[ $# -ge 1 && $# -le 2 ]] || usage
build=$(readlink -f "$1")
runs=${2:-15}
[[ $runs =~ ^[1-9][0-9]*$ ]] || usage
for program in startup_minimal startup_window; do
    [[ -x $build/bench/$program ]] || fail "$build/bench/$program is missing: build it first"
done
for tool in xvfb-run openbox /usr/bin/time; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

# One X server for the whole run, at 24-bit depth like a desktop.
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
    bash "$(readlink -f "${BASH_SOURCE[0]}")" --inside-x "$build" "$runs"
