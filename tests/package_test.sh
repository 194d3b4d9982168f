#!/usr/bin/env bash
# The Debian package: built by cpack from the build tree, it holds the game,
# every data file the build made, the menu entry and icons, the manual page
# and the copyright, depends on what the game needs at run time, and passes
# desktop-file-validate and lintian.
#
#   tests/package_test.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: tests/package_test.sh BUILD_DIR}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >/dev/null

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

deb=$(find "$out" -maxdepth 1 -name '*.deb')
version=$(dpkg-deb -f "$deb" Version)
[[ "$deb" == "$out/kestrune_${version}_amd64.deb" ]] || fail "package file named $deb"

# Mode and path of every file, as a player's system gets them.
contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {entry = $1; for (i = 6; i <= NF; i++) entry = entry " " $i; print entry}')
expected=(
  "-rwxr-xr-x ./usr/games/kestrune"
  "lrwxrwxrwx ./usr/bin/kestrune -> ../games/kestrune"
  "-rwxr-xr-x ./usr/libexec/kestrune/kestrune"
  "-rw-r--r-- ./usr/share/applications/kestrune.desktop"
  "-rw-r--r-- ./usr/share/man/man6/kestrune.6.gz"
  "-rw-r--r-- ./usr/share/doc/kestrune/copyright"
  "-rw-r--r-- ./usr/share/doc/kestrune/changelog.gz"
  "-rw-r--r-- ./usr/share/lintian/overrides/kestrune"
)
for size in 16 24 32 48 64 128 256; do
  expected+=("-rw-r--r-- ./usr/share/icons/hicolor/${size}x${size}/apps/kestrune.png")
done
while read -r file; do
  expected+=("-rw-r--r-- ./usr/share/games/kestrune/$file")
done < <(cd "$build/bin" && find Library model image sound -type f)
for entry in "${expected[@]}"; do
  grep -qxF -- "$entry" <<<"$contents" || fail "missing: $entry"
done
unexpected=$(grep -vxF -f <(printf '%s\n' "${expected[@]}") <<<"$contents" || true)
[[ -z "$unexpected" ]] || fail "unexpected: $unexpected"

# Stems, not exact names: library package names carry their ABI versions.
depends=$(dpkg-deb -f "$deb" Depends)
for stem in libc6 libstdc++6 libglew libglut libglx0 libpng16 libsdl2-2.0 libsdl2-mixer libgl1-mesa-dri; do
  [[ ", $depends" == *", $stem"* ]] || fail "no dependency on $stem: $depends"
done
[[ "$(dpkg-deb -f "$deb" Recommends)" == xfonts-base ]] || fail "xfonts-base is not recommended"

dpkg-deb -x "$deb" "$out/root"
desktop-file-validate "$out/root/usr/share/applications/kestrune.desktop" || fail "the desktop entry is invalid"
for size in 16 24 32 48 64 128 256; do
  icon="$out/root/usr/share/icons/hicolor/${size}x${size}/apps/kestrune.png"
  [[ "$(identify -format '%wx%h' "$icon")" == "${size}x${size}" ]] || fail "$icon is not ${size}x${size}"
done
lintian --fail-on error,warning "$deb" || fail "lintian"

echo "package test: $failures failed"
((failures == 0))
