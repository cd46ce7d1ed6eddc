#!/usr/bin/env bash
# What each make command installs: `make run` only what builds and plays the
# show, every command what the commands it runs first install, `make test-all`
# the whole list, every name one apt knows; and the installer's view of a
# machine, architectures included. Nothing is installed.
# Usage: setup_packages.sh SOURCE-DIR
source "$(dirname "$0")/e2e_lib.sh"
src=$1
unset MAKEFLAGS MFLAGS MAKELEVEL

packages_of() {
  make -s -C "$src" packages FOR="$1" >"$dir/$1" || fail "make packages FOR=$1 failed"
  [ -s "$dir/$1" ] || fail "make packages FOR=$1 lists nothing"
}
commands=(run build test package bench windows test-windows web serve-web bench-web test-web arm64 package-arm64 test-arm64 test-all)
for command in "${commands[@]}"; do packages_of "$command"; done

# Nothing of the tests, the other platforms, the package checks or the bench.
for heavy in libgtest-dev xdotool ffmpeg wine wine64 g++-mingw-w64-x86-64-posix emscripten chromium \
    firefox-esr lintian devscripts gnuplot-nox linux-perf; do
  ! grep -qx -- "$heavy" "$dir/run" || fail "make run would install $heavy"
done
grep -qx xvfb "$dir/run" || fail "make run would not install Xvfb, for machines without a display"
# No package of one architecture only: make run works on any Debian.
! grep -q : "$dir/run" || fail "make run names a package of one architecture: $(grep : "$dir/run")"

# includes COMMAND EARLIER: COMMAND runs EARLIER first, so installs all of its list.
includes() {
  missing=$(sort "$dir/$1" | comm -13 - <(sort "$dir/$2"))
  [ -z "$missing" ] || fail "make $1 would not install what make $2 does: $missing"
}
for command in build package bench windows web arm64; do includes "$command" run; done
includes test build
includes test-windows build
includes test-windows windows
includes test-web build
includes test-web web
includes bench-web web
includes package-arm64 arm64
includes test-arm64 build
includes test-arm64 arm64
# make test-all installs whatever any other command would.
for command in "${commands[@]}"; do includes test-all "$command"; done

# make test-all (what CI runs on a fresh machine) installs every package listed.
sed -n 's/^\[\(.*\)\]$/\1/p' "$src/debian-packages.txt" >"$dir/groups"
mapfile -t groups <"$dir/groups"
"$src/tools/install-packages" --dry-run "${groups[@]}" | sort >"$dir/everything"
[ "$(sort "$dir/test-all")" = "$(cat "$dir/everything")" ] ||
  fail "make test-all would not install: $(sort "$dir/test-all" | comm -13 - "$dir/everything")"

# Every name is one apt knows (a misspelt one fails on a fresh machine only).
mapfile -t everything <"$dir/everything"
apt-cache policy "${everything[@]}" 2>/dev/null |
  awk '/^[^ ]/ { name = substr($0, 1, length($0) - 1) } /^  Candidate:/ && $2 != "(none)" { print name }' |
  sort >"$dir/known"
unknown=$(comm -23 "$dir/everything" "$dir/known")
[ -z "$unknown" ] || fail "apt has no package to install for: $unknown"

# The make commands hand the installer their groups, and make run builds the
# programs without the tests, which need GoogleTest.
make -n -C "$src" run >"$dir/run-commands" || fail "make -n run failed"
grep -qx 'tools/install-packages play' "$dir/run-commands" || fail "make run does not install the play group alone"
grep -q -- '-DBUILD_TESTING=OFF' "$dir/run-commands" || fail "make run builds the tests"
make -n -C "$src" test >"$dir/test-commands" 2>/dev/null
grep -q -- '-DBUILD_TESTING=ON' "$dir/test-commands" || fail "make test builds without the tests"

# The installer's view: a name alone is the machine's own architecture (or
# "all"), NAME:ARCH another one, added to dpkg first when it does not know it.
native=$(dpkg --print-architecture)
printf '[mine]\nmake\nmake:%s\nfonts-dejavu-core\nno-such-package-here\n[foreign]\nlibc6:s390x\nzlib1g:s390x\n' \
  "$native" >"$dir/list"
STARWHIRL_PACKAGE_LIST=$dir/list "$src/tools/install-packages" --missing mine foreign >"$dir/missing"
expect_text "$dir/missing" "no-such-package-here
libc6:s390x
zlib1g:s390x
architecture s390x" "what install-packages finds missing"
STARWHIRL_PACKAGE_LIST=$dir/list "$src/tools/install-packages" --missing nothing 2>"$dir/error"
expect_status $? 2 "an unknown group"
grep -q "no group 'nothing'" "$dir/error" || fail "an unknown group is not named: $(cat "$dir/error")"
echo "ok"
