#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# compare.sh CASES REFERENCE NODE DRIVE MODULE_DIR WORK_DIR [COUNT]: writes the cases, runs
# them through the native core (REFERENCE) and through the WebAssembly core under Node
# (DRIVE), and fails unless every line of the two results is the same, byte for byte. Names
# the first cases that differ.
set -euo pipefail
cases=$1 reference=$2 node=$3 drive=$4 module=$5 work=$6 count=${7:-100000}

mkdir -p "$work"
start=$(date +%s%N)
"$cases" "$count" >"$work/cases.txt"
"$reference" <"$work/cases.txt" >"$work/native.txt"
native=$(date +%s%N)
"$node" "$drive" "$module" <"$work/cases.txt" >"$work/wasm.txt"
wasm=$(date +%s%N)

total=$(wc -l <"$work/cases.txt")
if ! cmp -s "$work/native.txt" "$work/wasm.txt"; then
    differing=$(diff "$work/native.txt" "$work/wasm.txt" | grep -c '^<' || true)
    echo "FAILED: the WebAssembly core and the native one differ on $differing of $total cases:"
    paste -d '\n' "$work/cases.txt" "$work/native.txt" "$work/wasm.txt" |
        awk 'NR % 3 == 1 { c = $0 } NR % 3 == 2 { n = $0 } NR % 3 == 0 && n != $0 {
                 print "case:   " substr(c, 1, 300); print "native: " substr(n, 1, 600)
                 print "wasm:   " substr($0, 1, 600); if (++shown == 5) exit }'
    exit 1
fi
echo "The WebAssembly core and the native one agree on all $total cases" \
     "(cases and native run $(((native - start) / 1000000)) ms, WebAssembly under Node" \
     "$(((wasm - native) / 1000000)) ms); files in $work"
