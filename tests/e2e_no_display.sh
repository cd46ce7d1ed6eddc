#!/usr/bin/env bash
# The show where there is no X display: GLUT's own line and a failed status,
# at once, and nothing else.
source "$(dirname "$0")/e2e_lib.sh"
bin=$1

# A display number that no server answers on.
nobody=99
while [ -e "/tmp/.X11-unix/X$nobody" ] || [ -e "/tmp/.X$nobody-lock" ]; do nobody=$((nobody + 1)); done

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
  expect_text "$dir/err" "freeglut ($bin): failed to open display '$named'" "standard error with DISPLAY $display"
done
echo "ok: with DISPLAY unset, empty or :$nobody the show ends with GLUT's one line and status 1"
