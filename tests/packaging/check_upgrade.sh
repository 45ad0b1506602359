#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The package installed over the previous version, as a player's system meets it: into a root of
# its own with dpkg --root, the previous version first, then this one, around a player who has a
# stored score and a bank of their own. After the upgrade both are kept, byte for byte, and
# played (the greeting of that score, the first question of that bank); dpkg knows only the new
# version and every file of the package is its, none of the old one is left; removed, the
# package leaves nothing of its own and nothing of the player's touched.
# The previous version is packed by CPack from the same release build with its version set back,
# which costs no compilation: what an upgrade must do does not depend on what the files hold.
# Usage: check_upgrade.sh PACKAGE.deb RELEASE_BUILD_DIR PLAY_DRIVER.so
set -euo pipefail

deb="$(realpath "$1")"
build="$(realpath "$2")"
driver="$(realpath "$3")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "check-upgrade: FAIL: $*"
    failures=$((failures + 1))
}

version="$(dpkg-deb --field "$deb" Version)"
previous=1.0.0
dpkg --compare-versions "$version" gt "$previous" ||
    fail "the package's version $version is not newer than $previous: it would not upgrade"
echo "check-upgrade: $previous, packed from $build, upgraded to $version"
(cd "$build" && cpack --config CPackConfig.cmake -B "$work/previous" \
    -D CPACK_PACKAGE_VERSION="$previous" -D CPACK_DEBIAN_PACKAGE_VERSION="$previous") \
    >"$work/cpack.txt" 2>&1 || { cat "$work/cpack.txt"; exit 1; }
old="$work/previous/vornikat_${previous}_amd64.deb"
[[ "$(dpkg-deb --field "$old" Version)" == "$previous" ]] || fail "the previous package is not $previous"

# dpkg wants root to set owners; elsewhere fakeroot stands in. The root holds no dependencies.
root="$work/root"
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
touch "$root/var/lib/dpkg/status"
as_root=()
[[ "$(id -u)" -eq 0 ]] || as_root=(fakeroot)
dpkg_root() {
    "${as_root[@]}" dpkg --root="$root" --log=/dev/null --force-depends "$@"
}
dpkg_root --install "$old" >"$work/dpkg.txt" 2>&1 || { cat "$work/dpkg.txt"; exit 1; }

# The player: a score stored by the previous version, and a bank of their own.
home="$work/home"
mkdir -p "$home/.config/vornikat" "$home/.local/share/vornikat" "$work/runtime"
chmod 700 "$work/runtime"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Vornikat]\n"LastScore"=" 33"\n' \
    >"$home/.config/vornikat/registry.reg"
printf '%s\n' 'Какой банк играет?' 'A) Свой' 'B) Чужой' 'C) Никакой' 'D) Оба' 'E) Все' 'ANSWER: A' \
    >"$work/own.txt"
"$root/usr/bin/vornikat-bank" build "$work/own.txt" -o "$home/.local/share/vornikat/data.bin"
players_files() { (cd "$home" && find . -type f -exec sha256sum {} + | sort); }
before="$(players_files)"

dpkg_root --install "$deb" >"$work/dpkg.txt" 2>&1 || { cat "$work/dpkg.txt"; exit 1; }
grep -q "over ($previous)" "$work/dpkg.txt" || fail "dpkg did not upgrade: $(cat "$work/dpkg.txt")"
installed="$(dpkg-query --admindir="$root/var/lib/dpkg" --show --showformat='${Package} ${Version} ${Status}\n')"
[[ "$installed" == "vornikat $version install ok installed" ]] || fail "dpkg knows: $installed"
[[ "$(players_files)" == "$before" ]] || fail "the upgrade changed the player's files"

# Every file in the root is the new package's, and every file of it is there.
dpkg-query --admindir="$root/var/lib/dpkg" --listfiles vornikat | sort >"$work/listed.txt"
(cd "$root" && find usr \( -type f -o -type l \) -printf '/%p\n' | sort) >"$work/present.txt"
stale="$(comm -13 "$work/listed.txt" "$work/present.txt")"
[[ -z "$stale" ]] || fail "files the package does not list: $stale"
missing="$(comm -23 "$work/listed.txt" "$work/present.txt" | while read -r path; do
    [[ -d "$root$path" ]] || echo "$path"
done)"
[[ -z "$missing" ]] || fail "files the package lists that are missing: $missing"
leftovers="$(find "$root" -name '*.dpkg-*')"
[[ -z "$leftovers" ]] || fail "dpkg left: $leftovers"

echo "check-upgrade: playing the upgraded program"
status=0
env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen LD_PRELOAD="$driver" \
    timeout 60 "$root/usr/bin/vornikat" >"$work/play.txt" 2>&1 || status=$?
sed 's/^/  /' "$work/play.txt"
grep -q '^play-driver: box: Привет чайник' "$work/play.txt" ||
    fail "the greeting is not the one of the stored score 33"
grep -q '^play-driver: main window: Какой банк играет?$' "$work/play.txt" ||
    fail "the main window does not show the player's own bank"
[[ $status -eq 0 ]] || fail "the upgraded program ended with status $status"

played="$(players_files)"
dpkg_root --purge vornikat >"$work/dpkg.txt" 2>&1 || { cat "$work/dpkg.txt"; exit 1; }
left="$(find "$root" -not -type d -not -path "$root/var/lib/dpkg/*")"
[[ -z "$left" ]] || fail "the removed package left: $left"
[[ "$(players_files)" == "$played" ]] || fail "the removal changed the player's files"

if [[ $failures -ne 0 ]]; then
    echo "check-upgrade: $failures failures" >&2
    exit 1
fi
echo "check-upgrade: all checks passed"
