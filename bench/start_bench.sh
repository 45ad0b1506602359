#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The quiz's start beside an empty Qt Widgets program's: milliseconds from the fork to the first
# window mapped, on a private Xvfb with no window manager, in alternating pairs (the order turned
# round every other pair), after one unmeasured start of each. The quiz starts with the bank
# beside it and an empty score store in a fresh HOME, so its first window is the greeting box.
# Both run in a Russian locale, as the quiz's players do: the quiz then loads Qt's Russian words
# for its buttons.
# Usage: start_bench.sh BUILD_DIR [PAIRS]  (BUILD_DIR: a release build with the benchmarks)
set -euo pipefail

build="$(realpath "$1")"
pairs="${2:-15}"
quiz="$build/vornikat"
empty="$build/bench/empty_message_box"
watch="$build/bench/first_map"
for program in "$quiz" "$empty" "$watch"; do
    [[ -x "$program" ]] || { echo "start-bench: $program is not built" >&2; exit 1; }
done
[[ -f "$build/data.bin" ]] || { echo "start-bench: no $build/data.bin" >&2; exit 1; }

work="$(mktemp -d)"
xvfb=""
cleanup() {
    [[ -z "$xvfb" ]] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display of its own: Xvfb picks a free number and writes it to the pipe.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
read -r -t 10 number <"$work/display" || { echo "start-bench: Xvfb did not start" >&2; exit 1; }

# A fresh home each start: no stored score, nothing cached by an earlier start of the quiz.
start() {
    local home="$work/home"
    rm -rf "$home"
    mkdir -p "$home/config" "$home/data" "$home/cache" "$home/runtime"
    chmod 700 "$home/runtime"
    env -i PATH="$PATH" DISPLAY=":$number" QT_QPA_PLATFORM=xcb HOME="$home" \
        XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
        XDG_RUNTIME_DIR="$home/runtime" LANG=ru_RU.UTF-8 "$watch" "$1"
}

start "$quiz" >/dev/null
start "$empty" >/dev/null
: >"$work/times"
for ((i = 0; i < pairs; i++)); do
    if ((i % 2 == 0)); then
        q="$(start "$quiz")"
        e="$(start "$empty")"
    else
        e="$(start "$empty")"
        q="$(start "$quiz")"
    fi
    echo "$q $e" >>"$work/times"
    printf 'start-bench: pair %2d: vornikat %6.1f ms, empty Qt program %6.1f ms\n' $((i + 1)) "$q" "$e"
done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
quiz_median="$(awk '{ print $1 }' "$work/times" | median)"
empty_median="$(awk '{ print $2 }' "$work/times" | median)"
ratio="$(awk '{ print $1 / $2 }' "$work/times" | median)"
printf 'start-bench: %d pairs, fork to first window mapped (Xvfb, no window manager)\n' "$pairs"
printf 'start-bench: median vornikat %.1f ms, empty Qt Widgets program with one QMessageBox %.1f ms\n' \
    "$quiz_median" "$empty_median"
verdict="$(awk -v r="$ratio" 'BEGIN { print (r <= 1.0) ? "met" : "NOT met" }')"
printf 'start-bench: median of the pairwise ratios %.3fx (goal <= 1.00x: %s)\n' "$ratio" "$verdict"
