#!/usr/bin/env bash
# The window changed under the show while it plays, as a window manager or a
# user would: resized to extremes, unmapped and mapped again, covered by
# another window and exposed. The show must still count every frame once, end
# by itself at frame 4200 with status 0, and make no GL usage error.
source "$(dirname "$0")/e2e_lib.sh"
bin=$1
counter_lines 1 4200 >"$dir/all"
lines() { wc -l <"$dir/out"; }

# Waits, at most 10 s, until no more lines come: the clock has stopped. The
# window's new state reaches the show a moment after xdotool returns, and
# later still on a busy machine.
settles() {
  local last=-1 now
  for _ in $(seq 50); do
    now=$(lines)
    [ "$now" -eq "$last" ] && return 0
    last=$now
    sleep 0.2
  done
  return 1
}

# Waits, at most 10 s, for lines beyond the first N: the clock runs again.
resumes() {
  for _ in $(seq 50); do
    [ "$(lines)" -gt "$1" ] && return 0
    sleep 0.2
  done
  return 1
}

# Line buffered, so that the count of lines printed so far can be read.
MESA_DEBUG=1 stdbuf -oL "$bin" >"$dir/out" 2>"$dir/err" &
pid=$!
started+=("$pid")
wid=$(window_of "$pid")
[ -n "$wid" ] || fail "no window appeared"

# ended: why the show is gone, when it should not be.
ended() {
  wait "$pid"
  echo "the show ended with status $?; its standard error:" >&2
  cat "$dir/err" >&2
  fail "$1"
}

# Waits, at most 10 s, until N more frames have been counted: the show has
# drawn at the window's new state. Polled, not slept, so that a slow machine
# is waited for and a fast one does not race to the end meanwhile.
advances() {
  local from
  from=$(lines)
  for _ in $(seq 100); do
    [ "$(lines)" -ge $((from + $1)) ] && return 0
    kill -0 "$pid" 2>/dev/null || ended "the show ended while the window changed"
    sleep 0.1
  done
  return 1
}

# another_show_counts FILE N: waits, at most 30 s, until the show started
# with its output in FILE has counted N frames: long enough for this one to
# have drawn as many, had its clock run.
another_show_counts() {
  for _ in $(seq 300); do
    [ "$(wc -l <"$1")" -ge "$2" ] && return 0
    sleep 0.1
  done
  fail "the other show did not count $2 frames"
}

for size in "1 1" "4000 3000" "800 600"; do
  read -r width height <<<"$size"
  xdotool windowsize --sync "$wid" "$width" "$height" || ended "could not resize to $width x $height"
  advances 20 || fail "no frames were drawn at $width x $height"
done
xdotool getwindowgeometry "$wid" | grep -q 'Geometry: 800x600' || fail "the window did not return to 800x600"
[ "$(lines)" -lt 4000 ] || fail "the show was nearly over before the window was hidden; nothing below would be tested"

# Hidden, the show waits: no display calls come, so no frames may be counted.
xdotool windowunmap --sync "$wid" || fail "could not unmap the window"
settles || fail "frames went on being counted while the window was hidden"
before=$(lines)
stdbuf -oL "$bin" >"$dir/witness" 2>/dev/null &
witness=$!
started+=("$witness")
another_show_counts "$dir/witness" 60
kill "$witness"
wait "$witness" 2>/dev/null
[ "$(lines)" -eq "$before" ] || fail "frames were counted while the window was hidden ($before, then $(lines))"
xdotool windowmap --sync "$wid" || fail "could not map the window again"
resumes "$before" || fail "the show did not go on after the window came back"

# Covered by a second show's window at the same place: GLUT stops calling
# display, and the clock waits again. Then exposed.
stdbuf -oL "$bin" >"$dir/cover" 2>/dev/null &
cover=$!
started+=("$cover")
[ -n "$(window_of "$cover")" ] || fail "the covering window did not appear"
settles || fail "frames went on being counted while the window was covered"
before=$(lines)
another_show_counts "$dir/cover" "$(($(wc -l <"$dir/cover") + 60))"
[ "$(lines)" -eq "$before" ] || fail "frames were counted while the window was covered ($before, then $(lines))"
kill "$cover"
wait "$cover" 2>/dev/null
resumes "$before" || fail "the show did not go on after it was exposed"
xdotool windowmove --sync "$wid" 1500 1500 && xdotool windowmove --sync "$wid" 200 100 ||
  fail "could not move the window off the screen and back"

timeout 300 tail --pid="$pid" -f /dev/null || fail "the show did not end by itself"
wait "$pid"
expect_status $? 0 "the show after window changes"
expect_file "$dir/out" "$dir/all" "the console lines after window changes"
expect_text "$dir/err" "" "standard error after window changes (GL usage errors?)"
echo "ok: resized to 1x1 and 4000x3000, hidden and covered (the clock waited), moved off screen and back; 4200 lines, status 0, no GL errors"
