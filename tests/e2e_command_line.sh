#!/usr/bin/env bash
# The show's command line: --help and --version without a display, a bad
# option refused before any window, and the window's size and place from
# GLUT's -geometry, --window and --fullscreen, each ended with Escape; a
# window larger than the driver draws refused before its first frame.
source "$(dirname "$0")/e2e_lib.sh"
bin=$1

env -u DISPLAY timeout 10 "$bin" --help >"$dir/out" 2>"$dir/err"
expect_status $? 0 "--help without a display"
expect_text "$dir/err" "" "standard error of --help"
for topic in --fullscreen --window -geometry -display -iconic Escape "Exit status" STARWHIRL_KEEP_FRAME \
  "window was closed" "larger than the OpenGL driver" "too little memory"; do
  grep -qF -- "$topic" "$dir/out" || fail "--help says nothing of $topic"
done
env -u DISPLAY timeout 10 "$bin" --version >"$dir/out" 2>"$dir/err"
expect_status $? 0 "--version without a display"
# The version first, alone, then whose it is and under which licence.
{ sed -n 1p "$dir/out" | grep -qx 'starwhirl [0-9]*\.[0-9]*\.[0-9]*' &&
  sed -n 2p "$dir/out" | grep -qx 'Copyright (C) [0-9]\{4\} the starwhirl developers\.' &&
  sed -n 3p "$dir/out" | grep -q '^MIT License ' && [ "$(wc -l <"$dir/out")" -eq 3 ]; } ||
  fail "--version printed: $(cat "$dir/out")"
expect_text "$dir/err" "" "standard error of --version"

# Refused before anything opens a display: without one, GLUT would say so.
refused() {  # line, arguments...
  local line=$1
  shift
  env -u DISPLAY timeout 10 "$bin" "$@" >"$dir/out" 2>"$dir/err"
  expect_status $? 2 "$*"
  expect_text "$dir/out" "" "standard output of $*"
  expect_text "$dir/err" "$line" "standard error of $*"
}
refused 'starwhirl: unknown option "--bogus" (see starwhirl --help)' --bogus
refused 'starwhirl: --window expects WIDTHxHEIGHT, each side from 1 to 32767 pixels (e.g. 1920x1080), not "0x600"' \
  --window 0x600

# X takes sides up to 32767; Mesa's software renderer draws at most 16384.
# Beyond that the first frame took the X connection down (an assertion in
# xcb) or drew nothing; now the window closes before it.
for arguments in "--window 32767x32767" "-geometry 16385x100+0+0"; do
  timeout 60 "$bin" $arguments >"$dir/out" 2>"$dir/err"
  expect_status $? 2 "$arguments"
  expect_text "$dir/out" "" "standard output of $arguments"
  size=${arguments#* }
  expect_text "$dir/err" "starwhirl: ${arguments%% *} ${size%%+*} is larger than this OpenGL driver can draw: at most 16384x16384" \
    "standard error of $arguments"
done

screen=$(xdotool getdisplaygeometry | tr ' ' x)
# Plays the show with ARGUMENTS in the background; sets $pid and $wid.
play() {
  "$bin" "$@" >"$dir/out" 2>"$dir/err" &
  pid=$!
  started+=("$pid")
  wid=$(window_of "$pid")
  [ -n "$wid" ] || fail "$*: no window appeared"
}
# Waits until the window stands at POSITION with SIZE: a window asked to fill
# the screen gets its size after it is shown.
expect_window() {  # position size what
  local seen=""
  for _ in $(seq 100); do
    seen=$(xdotool getwindowgeometry "$wid" | awk '/Position/ { p = $2 } /Geometry/ { s = $2 } END { print p, s }')
    [ "$seen" = "$1 $2" ] && return 0
    sleep 0.1
  done
  fail "$3: window at $seen, expected $1 $2"
}
for case in "0,0 640x480 -geometry 640x480+0+0" "10,20 800x600 -geometry +10+20" \
  "200,100 1024x200 --window 1024x200" "200,100 800x600" "0,0 $screen --fullscreen"; do
  read -r position size arguments <<<"$case"
  play $arguments
  expect_window "$position" "$size" "${arguments:-no options}"
  press_escape "$pid" "$wid"
  expect_status "$status" 0 "Escape in the window of ${arguments:-no options}"
  expect_text "$dir/err" "" "standard error of ${arguments:-no options}"
done

# Full screen, the whole show: it still ends by itself at frame 4200.
play --fullscreen
expect_window 0,0 "$screen" "--fullscreen"
wait "$pid"
expect_status $? 0 "the whole show full screen"
counter_lines 1 4200 >"$dir/expected"
expect_file "$dir/out" "$dir/expected" "standard output of the whole show full screen"
expect_text "$dir/err" "" "standard error of the whole show full screen"

echo "ok: --help and --version without a display; --bogus and --window 0x600 refused with status 2; --window 32767x32767 and -geometry 16385x100 refused as larger than the driver draws; windows from -geometry 640x480+0+0, -geometry +10+20, --window 1024x200, no options and --fullscreen, each ended by Escape; --fullscreen filled the $screen screen and played to frame 4200 with status 0"
