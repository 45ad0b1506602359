#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian package as a packager and a user meet it: lintian finds no error and no warning,
# the control fields say what the program needs, the programs are hardened and stripped, the
# files are where desktops and man look for them, and the program unpacked into a temporary
# root plays, offscreen, from its greeting to its main window with the bank it ships.
# Usage: check_deb.sh PACKAGE.deb PLAY_DRIVER.so
set -euo pipefail

deb="$(realpath "$1")"
driver="$(realpath "$2")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "check-deb: FAIL: $*"
    failures=$((failures + 1))
}

echo "check-deb: lintian $(basename "$deb")"
# lintian leaves a file in its temporary folder; this one goes with the rest.
if ! TMPDIR="$work" lintian --fail-on error,warning --display-info "$deb" >"$work/lintian.txt" 2>&1; then
    fail "lintian reports errors or warnings"
fi
sed 's/^/  /' "$work/lintian.txt"

field() { dpkg-deb --field "$deb" "$1"; }
[[ "$(field Section)" == education ]] || fail "section $(field Section), not education"
depends="$(field Depends)"
for needed in qt6-qpa-plugins qt6-translations-l10n libqt6widgets6 libpulse0 libc6; do
    [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "Depends lacks $needed: $depends"
done
[[ "$(field Recommends)" == "qt6-wayland, fonts-liberation2" ]] ||
    fail "Recommends: $(field Recommends)"
[[ "$(field Suggests)" == "fonts-wine" ]] || fail "Suggests: $(field Suggests)"

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in usr/bin/vornikat usr/bin/vornikat-bank usr/share/vornikat/shipped/data.bin \
    usr/share/applications/org.example.vornikat.desktop \
    usr/share/metainfo/org.example.vornikat.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/org.example.vornikat.svg \
    usr/share/man/man6/vornikat.6.gz usr/share/man/man1/vornikat-bank.1.gz \
    usr/share/doc/vornikat/copyright usr/share/doc/vornikat/changelog.gz; do
    [[ -f "$root/$file" ]] || fail "the package lacks /$file"
done
# The package is native (no Debian revision), so its one changelog is changelog.gz; its newest
# entry is the package's version.
[[ "$(zcat "$root/usr/share/doc/vornikat/changelog.gz" | head -n1)" == \
    "vornikat ($(field Version)) unstable; urgency=medium" ]] ||
    fail "the changelog's newest entry is not the package's version $(field Version)"
for size in 16 22 24 32 48 64 128 256; do
    icon="usr/share/icons/hicolor/${size}x${size}/apps/org.example.vornikat.png"
    [[ -f "$root/$icon" ]] || fail "the package lacks /$icon"
done

# What desktops, software centres and man read, checked as in the source tree: every desktop
# entry, every metainfo file and every manual page the package holds (lintian has read the
# pages with man already).
for entry in "$root"/usr/share/applications/*.desktop; do
    desktop-file-validate "$entry" || fail "$(basename "$entry") does not validate"
done
for metainfo in "$root"/usr/share/metainfo/*.xml; do
    appstreamcli validate --no-net --pedantic "$metainfo" ||
        fail "$(basename "$metainfo") does not validate"
done
# mandoc checks the section against the file's name, so the page keeps its own.
mkdir -p "$work/pages"
for page in "$root"/usr/share/man/man*/*.gz; do
    unpacked="$work/pages/$(basename "$page" .gz)"
    zcat "$page" >"$unpacked"
    mandoc -T lint -W warning "$unpacked" >"$work/lint.txt" 2>&1 || true
    [[ ! -s "$work/lint.txt" ]] || fail "$(basename "$page"): $(cat "$work/lint.txt")"
done

# Hardening, read from the programs themselves: position-independent, read-only relocations
# bound at start, the stack protector and the fortified functions, no symbols.
for program in "$root"/usr/bin/*; do
    name="$(basename "$program")"
    headers="$(readelf -W --file-header --program-headers --dynamic "$program")"
    grep -q 'Type: *DYN' <<<"$headers" || fail "$name is not position-independent"
    grep -q 'GNU_RELRO' <<<"$headers" || fail "$name has no RELRO"
    grep -q 'BIND_NOW\|FLAGS_1.*NOW' <<<"$headers" || fail "$name is not bound at start"
    symbols="$(readelf -W --dyn-syms "$program")"
    grep -q '__stack_chk_fail' <<<"$symbols" || fail "$name has no stack protector"
    grep -q '__[a-z]*_chk@' <<<"$symbols" || fail "$name has no fortified functions"
    readelf -W --section-headers "$program" | grep -q ' \.symtab ' && fail "$name is not stripped"
done

echo "check-deb: playing the unpacked program"
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
[[ -f "$driver" ]] || fail "no play driver at $driver"
status=0
env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen LD_PRELOAD="$driver" \
    timeout 60 "$root/usr/bin/vornikat" >"$work/play.txt" 2>&1 || status=$?
sed 's/^/  /' "$work/play.txt"
grep -q '^play-driver: main window: .' "$work/play.txt" ||
    fail "the unpacked program did not reach its main window"
[[ $status -eq 0 ]] || fail "the unpacked program ended with status $status"

if [[ $failures -ne 0 ]]; then
    echo "check-deb: $failures failures" >&2
    exit 1
fi
echo "check-deb: all checks passed"
