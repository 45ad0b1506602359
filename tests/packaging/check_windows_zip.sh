#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows release zip as a Windows user and a mirror meet it: the files in their order, the
# readme as Notepad reads it, checksums that `sha256sum -c` verifies, a program without a link
# time in its header, and the same bytes when the zip is made again.
# Usage: check_windows_zip.sh RELEASE.zip PROGRAM_FOLDER
set -euo pipefail

zip="$(realpath "$1")"
folder="$(realpath "$2")"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "check-windows-zip: FAIL: $*"
    failures=$((failures + 1))
}

expected=$'Vornikat.exe\ndata.bin\nvornikat-bank.exe\nПРОЧТИ.txt\nLICENSE.txt\nTHIRD-PARTY-NOTICES.txt\nSHA256SUMS'
listed="$(zipinfo -1 "$zip")"
[[ "$listed" == "$expected" ]] || fail "the zip holds, in this order: $(tr '\n' ' ' <<<"$listed")"

unzip -q "$zip" -d "$work/unpacked"
(cd "$work/unpacked" && sha256sum -c SHA256SUMS) || fail "SHA256SUMS does not verify"
[[ "$(wc -l <"$work/unpacked/SHA256SUMS")" -eq 6 ]] || fail "SHA256SUMS does not list six files"

readme="$work/unpacked/ПРОЧТИ.txt"
[[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" == efbbbf ]] ||
    fail "ПРОЧТИ.txt does not start with a UTF-8 byte-order mark"
iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null || fail "ПРОЧТИ.txt is not UTF-8"
grep -q $'[^\r]$' "$readme" && fail "ПРОЧТИ.txt has lines without CRLF"
grep -q "@VERSION@" "$readme" && fail "ПРОЧТИ.txt names no version"
# A player meets an unsigned download's warning and Notepad's choice of encoding: both explained.
for advice in "«Подробнее»" "«Выполнить в любом случае»" "«UTF-8»"; do
    grep -q "$advice" "$readme" || fail "ПРОЧТИ.txt does not say $advice"
done
grep -q "winpthreads" "$work/unpacked/THIRD-PARTY-NOTICES.txt" ||
    fail "THIRD-PARTY-NOTICES.txt lacks the winpthreads notice"
grep -q "GCC RUNTIME LIBRARY EXCEPTION" "$work/unpacked/THIRD-PARTY-NOTICES.txt" ||
    fail "THIRD-PARTY-NOTICES.txt lacks GCC's runtime library exception"

# The link time sits at offset 8 of the COFF header, which starts 4 bytes after the "PE\0\0"
# signature that the 32-bit field at 0x3C points to.
for name in Vornikat.exe vornikat-bank.exe; do
    exe="$work/unpacked/$name"
    pe="$(od -An -tu4 -j 60 -N 4 "$exe" | tr -d ' ')"
    stamp="$(od -An -tu4 -j $((pe + 8)) -N 4 "$exe" | tr -d ' ')"
    [[ "$stamp" -eq 0 ]] || fail "$name carries its link time ($stamp)"
done

"$root/scripts/make-windows-zip" "$folder" "$work/again.zip" >/dev/null
cmp -s "$zip" "$work/again.zip" || fail "the zip made again differs"

if [[ $failures -ne 0 ]]; then
    echo "check-windows-zip: $failures failures" >&2
    exit 1
fi
echo "check-windows-zip: all checks passed"
