#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Peak memory of "vornikat-bank check" and "dump" on 2 GB files, beside the same commands on the
# shipped bank: a bank followed by 2 GB (a sparse file), and 2 GB of Aiken text read as a bank.
# Each reads no further than a bank can go, so both cost about what the bank alone does.
#   bench/bank_tool_memory.sh VORNIKAT_BANK [SOURCE.txt]
set -euo pipefail
tool="$1"
source="${2:-$(dirname "$0")/../bank/questions.txt}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$tool" build "$source" -o "$work/bank.bin"
cp "$work/bank.bin" "$work/bank-2g.bin"
truncate -s 2G "$work/bank-2g.bin"
# 2 GB of real text: the source over and over, written out, not sparse.
(yes "$(cat "$source")" || true) | head -c 2G >"$work/text-2g.txt"

peak() {
    /usr/bin/time -f '%M %e' -o "$work/time" "$tool" "$@" >/dev/null 2>&1 || true
    read -r kilobytes seconds < <(tail -n 1 "$work/time")
    printf '%-8s %-14s %8d KB  %6.2f s\n' "$1" "$(basename "$2")" "$kilobytes" "$seconds"
}
printf '%-8s %-14s %11s  %8s\n' command file "peak RSS" time
for file in bank.bin bank-2g.bin text-2g.txt; do
    for command in check dump; do
        peak "$command" "$work/$file"
    done
done
