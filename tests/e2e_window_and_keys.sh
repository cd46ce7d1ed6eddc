#!/usr/bin/env bash
# The real program on the test X server: its window, ordinary keys, Escape.
set -u
bin=$1
dir=$(mktemp -d)
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$dir"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; echo "--- stderr of the program:" >&2; cat "$dir/err" >&2; exit 1; }

MESA_DEBUG=1 "$bin" >"$dir/out" 2>"$dir/err" &
pid=$!

wid=$(timeout 30 xdotool search --sync --pid "$pid" --name '^starwhirl$' | head -n 1)
[ -n "$wid" ] || fail "no window titled starwhirl appeared"
[ "$(xdotool getwindowname "$wid")" = starwhirl ] || fail "window title is '$(xdotool getwindowname "$wid")'"
xdotool getwindowgeometry "$wid" | grep -q 'Geometry: 800x600' ||
  fail "window is not 800x600: $(xdotool getwindowgeometry "$wid")"

for key in a A space; do
  xdotool windowfocus --sync "$wid" key "$key" || fail "could not send $key"
done
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the program ended after ordinary keys"

xdotool windowfocus --sync "$wid" key Escape || fail "could not send Escape"
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] || fail "exit status $status after Escape"

last=$(tail -n 1 "$dir/out")
[ -n "$last" ] || fail "no frame counter was printed"
awk -v n="$last" 'BEGIN { exit !(n < 4200) }' || fail "ran to the end ($last) instead of stopping on Escape"
if grep -q 'Mesa: User error' "$dir/err"; then fail "GL usage errors"; fi
echo "ok: window 800x600 titled starwhirl, ordinary keys ignored, Escape ended at frame $last with status 0"
