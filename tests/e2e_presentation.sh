#!/usr/bin/env bash
# What each presentation shows, watched by a probe preloaded over
# glXSwapBuffers. A frame of scenes 2 to 4 is presented twice; after a swap
# the back buffer may hold anything, and the probe makes it hold a colour the
# show never draws. Kept frames must never show it; on Mesa's software path,
# whose swaps copy, the show presents directly and the pixels are the same
# either way. Frames are kept with OpenGL 1.1 alone: the runs that keep them
# have Mesa play a driver without framebuffer objects, and report any GL
# error the show makes.
source "$(dirname "$0")/e2e_lib.sh"
bin=$1
probe=$2
checks=${3:-all}
# The frames of scenes 2 to 4: 1199 + 1099 + 1199, each presented twice.
second_presentations=3497
# Mesa keeps its EXT framebuffer objects whatever it is told.
old_driver=(MESA_DEBUG=1 MESA_GL_VERSION_OVERRIDE=2.1 MESA_EXTENSION_OVERRIDE=-GL_ARB_framebuffer_object)

# play NAME [VARIABLE=value...]: the whole show under the probe.
play() {
  local name=$1
  shift
  timeout 300 env "$@" LD_PRELOAD="$probe" SWAP_PROBE_REPORT="$dir/$name.report" "$bin" >"$dir/$name.out" 2>"$dir/$name.err"
  expect_status $? 0 "$name"
  expect_file "$dir/$name.out" "$dir/expected" "standard output of $name"
  expect_text "$dir/$name.err" "" "standard error of $name"
}
report() { sed -n "s/^$2 //p" "$dir/$1.report"; }

counter_lines 1 4200 >"$dir/expected"

play kept "${old_driver[@]}" SWAP_PROBE_POISON=1 STARWHIRL_KEEP_FRAME=1
[ "$(report kept presentations)" = 7697 ] || fail "kept: $(report kept presentations) presentations, not 7697"
[ "$(report kept poisoned)" = 0 ] || fail "kept: $(report kept poisoned) presentations showed what the swap left behind"

# Without the variable the software path is trusted to keep the back buffer,
# so the hostile swap shows through at every second presentation: the probe
# sees the fault it is there to catch.
play trusted SWAP_PROBE_POISON=1
[ "$(report trusted poisoned)" = "$second_presentations" ] ||
  fail "trusted: $(report trusted poisoned) poisoned presentations, expected $second_presentations"

if [ "$checks" = all ]; then
  # One after the other: a second window on the same screen would cover
  # the first, and a covered window is not drawn.
  play plain SWAP_PROBE_HASH=1
  play copied "${old_driver[@]}" SWAP_PROBE_HASH=1 STARWHIRL_KEEP_FRAME=1
  [ "$(report plain presentations)" = 7697 ] || fail "plain: $(report plain presentations) presentations, not 7697"
  cmp -s "$dir/plain.report" "$dir/copied.report" || fail "kept copies changed the pixels of a presentation"
fi

# An indirect GLX context sends every call through the X protocol, which
# carries OpenGL 1.x and little more; its swap model is unknown, so frames
# are kept. It needs an X server of its own that allows such contexts. Not
# under AddressSanitizer: Mesa's indirect GLX reads its empty version string
# one byte past its end (strtol, inside glutCreateWindow), which ASan stops.
if ldd "$bin" | grep -q libasan; then
  echo "note: the indirect GLX context is not tried under AddressSanitizer"
else
  Xvfb -displayfd 3 +iglx -screen 0 1280x1024x24 -noreset 3>"$dir/iglx-display" 2>/dev/null &
  started+=("$!")
  for _ in $(seq 100); do [ -s "$dir/iglx-display" ] && break; sleep 0.1; done
  [ -s "$dir/iglx-display" ] || fail "the X server for indirect GLX did not start"
  DISPLAY=:$(cat "$dir/iglx-display") LIBGL_ALWAYS_INDIRECT=1 timeout 300 "$bin" >"$dir/indirect.out" 2>"$dir/indirect.err"
  expect_status $? 0 "an indirect GLX context"
  expect_file "$dir/indirect.out" "$dir/expected" "standard output with an indirect GLX context"
  expect_text "$dir/indirect.err" "" "standard error with an indirect GLX context"
fi

STARWHIRL_KEEP_FRAME=yes timeout 60 "$bin" >/dev/null 2>"$dir/bad.err" &
pid=$!
started+=("$pid")
wid=$(window_of "$pid") || fail "no window"
press_escape "$pid" "$wid"
expect_status "$status" 0 "an unknown STARWHIRL_KEEP_FRAME"
expect_text "$dir/bad.err" 'starwhirl: STARWHIRL_KEEP_FRAME is "yes", not 0 or 1; ignoring it' "its warning"
echo "ok: 7697 presentations; kept frames never show a hostile swap's leftovers, without framebuffer objects; same pixels with and without copies; the whole show on an indirect GLX context"
