#!/usr/bin/env bash
# The show where there is no X display: GLUT's line, ours on what to do, and a
# failed status, at once; and make run's fallback, which brings its own.
source "$(dirname "$0")/e2e_lib.sh"
bin=$1

# A display number that no server answers on, held by its lock file for as
# long as this test runs: the other tests' servers start at the same time, and
# an X server (xvfb-run -a too) leaves a number alone whose lock names a live
# process. Far from 99, where xvfb-run -a starts looking.
nobody=4200
until [ ! -e "/tmp/.X11-unix/X$nobody" ] && (set -C; printf '%10d\n' $$ >"/tmp/.X$nobody-lock") 2>/dev/null; do
  nobody=$((nobody + 1))
done
trap 'cleanup; rm -f "/tmp/.X$nobody-lock"' EXIT

advice='starwhirl: the show needs an X display: set DISPLAY to one, or play it on a virtual X server with `xvfb-run starwhirl`'
for display in unset "" ":$nobody"; do
  if [ "$display" = unset ]; then
    env -u DISPLAY timeout 10 "$bin" >"$dir/out" 2>"$dir/err"
    status=$?
    named=""
  else
    DISPLAY=$display timeout 10 "$bin" >"$dir/out" 2>"$dir/err"
    status=$?
    named=$display
  fi
  expect_status "$status" 1 "DISPLAY $display"
  expect_text "$dir/out" "" "standard output with DISPLAY $display"
  printf '%s\n' "freeglut ($bin): failed to open display '$named'" "$advice" >"$dir/expected-err"
  expect_file "$dir/err" "$dir/expected-err" "standard error with DISPLAY $display"
done
# The capture program brings its own server only when DISPLAY is unset; one
# that names a display nobody answers on is said the same way.
capture=$(dirname "$bin")/starwhirl-capture
DISPLAY=":$nobody" timeout 10 "$capture" --frames 1 --out "$dir/pictures" >"$dir/out" 2>"$dir/err"
expect_status $? 1 "starwhirl-capture with DISPLAY :$nobody"
printf '%s\n' "freeglut ($capture): failed to open display ':$nobody'" \
  "starwhirl-capture: set DISPLAY to a working X display, or unset it to render on a private virtual X server (Xvfb)" \
  >"$dir/expected-err"
expect_file "$dir/err" "$dir/expected-err" "standard error of starwhirl-capture with DISPLAY :$nobody"

# make run's fallback plays the show on a private X server of its own. A
# signal to it ends the show and the server, and it ends by that signal.
play=$(dirname "$0")/../tools/play
env -u DISPLAY "$play" "$bin" >"$dir/out" 2>"$dir/err" &
pid=$!
started+=("$pid")
has_output() { [ -s "$dir/out" ]; }
wait_for_children "$pid" 2 has_output
kill -TERM "$pid"
wait "$pid"
expect_status $? 143 "SIGTERM to make run's fallback"
expect_gone "make run's fallback" $children
expect_text "$dir/err" "No X display found: playing on a private virtual X server (Xvfb)." "make run's fallback's standard error"
head -n 1 "$dir/out" | grep -qx '1.000000' || fail "make run's fallback printed no counter lines"

echo "ok: with DISPLAY unset, empty or :$nobody the show ends with GLUT's line, ours on what to do, and status 1, and so does the capture program with DISPLAY :$nobody; make run's fallback ends with its server on SIGTERM"
