#!/usr/bin/env bash
# The Debian package, made from this build and installed for real into a
# throwaway root with dpkg -x: its control data, its files, lintian, and the
# installed programs played: the show to its end, and a picture from the
# installed capture program byte-identical to the build's. Then the same
# build installed without root with cmake --install --prefix.
#
# What this cannot prove: that apt resolves the dependencies on another
# machine (they are checked by name only), that the package's files work
# when installed under /usr rather than in the throwaway root (the programs
# read no files of their own, so the root's place does not matter), or that
# a desktop shows the entry and icon (the entry and metadata are validated).
#
# e2e_package.sh BUILD [ARCH EMULATOR...]: a build for this machine, or for
# the Debian architecture ARCH, whose programs EMULATOR runs.
source "$(dirname "$0")/e2e_lib.sh"
build=$1
arch=${2:-$(dpkg --print-architecture)}
run=("${@:3}")
# Under emulation the pixels are what costs: the show plays in a small
# window and the pictures are small.
window=()
size=()
frame=1000
if [ ${#run[@]} -gt 0 ]; then
  window=(--window 100x75)
  size=(--size 160x120)
  frame=350
fi
capture=$build/starwhirl-capture
case $arch in
  amd64) machine="x86-64" ;;
  arm64) machine="ARM aarch64" ;;
  *) fail "no test knows what file calls a program for $arch" ;;
esac

cpack --config "$build/CPackConfig.cmake" -B "$dir/deb" >"$dir/cpack.log" 2>&1 || fail "cpack: $(tail -n 5 "$dir/cpack.log")"
deb=$(ls "$dir"/deb/starwhirl_*_"$arch".deb) || fail "no package for $arch was made: $(ls "$dir/deb")"
[ "$(dpkg-deb --field "$deb" Architecture)" = "$arch" ] || fail "the package is not for $arch: $(dpkg-deb --info "$deb")"

depends=$(dpkg-deb --field "$deb" Depends)
for needed in fonts-dejavu-core libglut3.12 libfreetype6 libfontconfig1 libc6 libstdc++6; do
  echo "$depends" | grep -q "\b$needed\b" || fail "the package does not depend on $needed: $depends"
done
[ "$(dpkg-deb --field "$deb" Package)" = starwhirl ] || fail "the package is not named starwhirl"
lintian --fail-on error "$deb" >"$dir/lintian" 2>&1 || fail "lintian: $(cat "$dir/lintian")"

root=$dir/root
dpkg -x "$deb" "$root"
for file in usr/bin/starwhirl usr/bin/starwhirl-capture usr/share/applications/starwhirl.desktop \
  usr/share/man/man1/starwhirl.1.gz usr/share/man/man1/starwhirl-capture.1.gz \
  usr/share/doc/starwhirl/copyright usr/share/doc/starwhirl/changelog.gz \
  usr/share/icons/hicolor/48x48/apps/starwhirl.png usr/share/icons/hicolor/256x256/apps/starwhirl.png; do
  [ -s "$root/$file" ] || fail "the package has no $file"
done
for program in starwhirl starwhirl-capture; do
  file -b "$root/usr/bin/$program" | grep -q "$machine" || fail "the packaged $program is not for $arch: $(file -b "$root/usr/bin/$program")"
done
# Debian's hardening, as every package has it. Control-flow protection is
# compiled in, but Debian 12's C start-up files carry no IBT/SHSTK note, so
# the linker cannot mark any program of this release with it.
hardening-check --nocfprotection "$root/usr/bin/starwhirl" "$root/usr/bin/starwhirl-capture" >"$dir/hardening" 2>&1 ||
  fail "the packaged programs are not hardened: $(grep -i 'no,' "$dir/hardening")"
# Our own files under the MIT licence, its terms those of LICENSE.
copyright=$root/usr/share/doc/starwhirl/copyright
grep -qx 'Files: \*' "$copyright" && grep -qx 'License: Expat' "$copyright" || fail "the copyright file does not say MIT: $(cat "$copyright")"
# The stand-alone License paragraph, the file's last, holds the terms.
tac "$copyright" | sed '/^License: Expat$/q' | tac | tail -n +2 | sed 's/^ //; s/^\.$//' >"$dir/terms"
sed '1,/^Copyright (c)/d' "$(dirname "$0")/../LICENSE" | sed '1{/^$/d}' >"$dir/licence-terms"
expect_file "$dir/terms" "$dir/licence-terms" "the copyright file's licence terms"
grep -q '<project_license>MIT</project_license>' "$root"/usr/share/metainfo/*.metainfo.xml ||
  fail "the AppStream metadata does not say MIT"
desktop-file-validate "$root/usr/share/applications/starwhirl.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >"$dir/appstream" 2>&1 ||
  fail "the AppStream metadata is not valid: $(cat "$dir/appstream")"
MANWIDTH=80 man -l "$root/usr/share/man/man1/starwhirl-capture.1.gz" 2>/dev/null | grep -q -- '--video FILE' ||
  fail "the capture program's manual page does not read"

counter_lines 1 4200 >"$dir/expected"
timeout 600 "${run[@]}" "$root/usr/bin/starwhirl" "${window[@]}" >"$dir/out" 2>"$dir/err"
expect_status $? 0 "the installed show"
expect_file "$dir/out" "$dir/expected" "the installed show's standard output"
expect_text "$dir/err" "" "the installed show's standard error"

"${run[@]}" "$root/usr/bin/starwhirl-capture" --frames $frame "${size[@]}" --out "$dir/installed" 2>/dev/null || fail "the installed capture failed"
"${run[@]}" "$capture" --frames $frame "${size[@]}" --out "$dir/built" 2>/dev/null || fail "the built capture failed"
cmp -s "$dir/installed/frame-$(printf %04d $frame).png" "$dir/built/frame-$(printf %04d $frame).png" || fail "the installed capture drew another picture"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
"${run[@]}" "$root/usr/bin/starwhirl-capture" --version >"$dir/version" || fail "the installed capture's --version failed"
expect_text <(sed -n 1p "$dir/version") "starwhirl-capture $version" "--version"
sed -n 3p "$dir/version" | grep -q '^MIT License ' || fail "--version names no licence: $(cat "$dir/version")"

home=$dir/home
cmake --install "$build" --prefix "$home/.local" >/dev/null || fail "cmake --install to a user's prefix failed"
"${run[@]}" "$home/.local/bin/starwhirl-capture" --version >/dev/null || fail "the user's installed capture program does not run"
[ -s "$home/.local/share/man/man1/starwhirl.1.gz" ] && [ -s "$home/.local/share/applications/starwhirl.desktop" ] ||
  fail "cmake --install left out the manual or the desktop entry"
echo "ok: $(basename "$deb"), $(stat -c %s "$deb") bytes, lintian without errors; installed show and capture play as built"
