#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every bank name a player may give, to the desktop program (played offscreen by the play
# driver) and to vornikat-script: a bank that cannot be read ends with the failure box and
# status 1, and one line on standard error names it exactly as given, escaped; with no bank
# anywhere, the line lists the places looked at.
# Usage: check_bank_names.sh VORNIKAT VORNIKAT_SCRIPT PLAY_DRIVER BANK
set -uo pipefail
vornikat="$1" script="$2" driver="$3" bank="$4"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -m 0700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export QT_QPA_PLATFORM=offscreen
cd "$work" || exit 1
failures=0
# A sanitized build wants its runtime loaded before the driver, and its leak report to list no
# suppressions on stderr.
preload="$(ldd "$vornikat" | awk '/libasan/ { print $3 }') $driver"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0"

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The lines of the program's own on stderr (the driver's and the offscreen platform's left out).
own_lines() {
    grep -v -e '^play-driver: ' -e '^Невосможно' -e 'propagateSizeHints' "$1"
}

# play NAME_FOR_THE_REPORT EXPECTED_STATUS EXPECTED_LINE PROGRAM [ARGUMENT...]
play() {
    local what="$1" status="$2" line="$3"
    shift 3
    timeout 60 env LD_PRELOAD="$preload" "$@" >"$work/out" 2>"$work/err"
    local ended=$?
    [[ $ended == "$status" ]] || fail "$what: status $ended, not $status"
    if [[ $status == 1 ]]; then
        grep -q '^play-driver: box: Файл data.bin повреждён или отсутствует!$' "$work/err" ||
            fail "$what: no failure box"
    else
        grep -q '^play-driver: main window: ' "$work/err" || fail "$what: the quiz did not start"
    fi
    local own
    own="$(own_lines "$work/err")"
    [[ "$own" == "$line" ]] || fail "$what: stderr says [$own], not [$line]"
}

play 'an empty name' 1 'vornikat: the question bank "" cannot be read' "$vornikat" ""
play 'a missing file' 1 'vornikat: the question bank "-x/nope.bin" cannot be read' \
    "$vornikat" -- -x/nope.bin
mkdir "$work/folder.bin"
play 'a folder' 1 'vornikat: the question bank "folder.bin" cannot be read' "$vornikat" folder.bin
play 'a name with a newline and escape codes' 1 \
    'vornikat: the question bank "x\nvornikat: \x1b[31my" cannot be read' \
    "$vornikat" $'x\nvornikat: \e[31my'
play 'a missing name that is not UTF-8' 1 'vornikat: the question bank "b\xff.bin" cannot be read' \
    "$vornikat" $'b\xff.bin'
cp "$bank" $'b\xff.bin'
play 'a bank whose name is not UTF-8' 0 '' "$vornikat" $'b\xff.bin'

# A name that begins with a dash is an option, named whole rather than letter by letter.
timeout 60 "$vornikat" -dash.bin >"$work/out" 2>"$work/err"
ended=$?
[[ $ended == 1 ]] || fail "a leading dash: status $ended, not 1"
[[ "$(cat "$work/err")" == "vornikat: Unknown option 'dash.bin'." ]] ||
    fail "a leading dash: stderr says [$(cat "$work/err")]"

# A copy of the program in a folder of its own, with no bank beside it, in the player's data
# folder or installed with it.
mkdir "$work/bin"
cp "$vornikat" "$work/bin/vornikat"
play 'no bank anywhere' 1 "vornikat: no question bank found; looked for \"$work/bin/data.bin\", \
\"$work/data/vornikat/data.bin\", \"$work/share/vornikat/shipped/data.bin\"" "$work/bin/vornikat"

# Installed (the shipped bank's folder beside it), the program's own folder is the system's and
# no place for a bank.
mkdir -p "$work/share/vornikat/shipped"
play 'no bank in an installed copy' 1 "vornikat: no question bank found; looked for \
\"$work/data/vornikat/data.bin\", \"$work/share/vornikat/shipped/data.bin\"" "$work/bin/vornikat"

# vornikat-script: the same failure box in its trace, the same kind of line on stderr.
script_run() {
    local what="$1" line="$2" folder="$3"
    printf 'yes\nok\nok\n' | timeout 60 "$script" --dir "$folder" >"$work/out" 2>"$work/err" ||
        fail "$what: vornikat-script ended with $?"
    grep -q '^msgbox 16 "Файл data.bin повреждён' "$work/out" || fail "$what: no failure box"
    [[ "$(cat "$work/err")" == "$line" ]] || fail "$what: stderr says [$(cat "$work/err")]"
}
script_run 'an empty folder name' \
    'vornikat-script: no readable question bank data.bin in the folder ""' ""
script_run 'a missing folder' \
    'vornikat-script: no readable question bank data.bin in the folder "no\nwhere"' $'no\nwhere'

[[ $failures == 0 ]] || exit 1
echo "every bank name answered"
