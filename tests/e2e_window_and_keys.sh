#!/usr/bin/env bash
# The real program on the test X server: its window, a storm of keys other
# than Escape, then Escape; and without the memory to open it.
source "$(dirname "$0")/e2e_lib.sh"
bin=$1

MESA_DEBUG=1 stdbuf -oL "$bin" >"$dir/out" 2>"$dir/err" &
pid=$!
started+=("$pid")

wid=$(window_of "$pid")
[ -n "$wid" ] || fail "no window titled starwhirl appeared"
[ "$(xdotool getwindowname "$wid")" = starwhirl ] || fail "window title is '$(xdotool getwindowname "$wid")'"
xdotool getwindowgeometry "$wid" | grep -q 'Geometry: 800x600' ||
  fail "window is not 800x600: $(xdotool getwindowgeometry "$wid")"

# Letters, digits, punctuation, function and editing keys, arrows, the keypad
# and modifiers, alone and in chords. Not Control+[ : that is code 27, Escape.
keys=()
for k in {a..z} {A..Z} {0..9} F{1..12} KP_{0..9}; do keys+=("$k"); done
keys+=(space Tab Return BackSpace Delete Insert Home End Prior Next Left Right Up Down
  minus equal bracketright semicolon apostrophe grave backslash comma period slash
  KP_Enter KP_Add KP_Subtract Num_Lock Caps_Lock Caps_Lock Menu Pause Print
  Shift_L Shift_R Control_L Control_R Alt_L Alt_R Super_L
  ctrl+c ctrl+d ctrl+z ctrl+q ctrl+w alt+F4 alt+Tab shift+Tab ctrl+alt+Delete)
xdotool windowfocus --sync "$wid" || fail "could not focus the window"
for round in 1 2; do
  xdotool key --delay 2 "${keys[@]}" || fail "could not send the keys"
done
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the show ended during ${#keys[@]} x 2 keys other than Escape"

press_escape "$pid" "$wid"
expect_status "$status" 0 "Escape after the key storm"
last=$(tail -n 1 "$dir/out" | cut -d. -f1)
[ -n "$last" ] || fail "no frame counter was printed"
[ "$last" -lt 4200 ] || fail "ran to the end ($last) instead of stopping on Escape"
counter_lines 1 "$last" >"$dir/expected"
expect_file "$dir/out" "$dir/expected" "the console lines up to Escape"
expect_text "$dir/err" "" "standard error (GL usage errors?)"
# With its address space cut short the driver fails in its own words (Mesa:
# "failed to open swrast", freeglut: "Unable to create OpenGL 1.0 context");
# the show says it was memory. AddressSanitizer reserves terabytes of address
# space and cannot run under such a limit.
memory=""
if ! ldd "$bin" | grep -q libasan; then
  for limit in 150 300; do
    (ulimit -v $((limit * 1024)) && exec timeout 60 "$bin") >"$dir/out" 2>"$dir/err"
    expect_status $? 1 "ulimit -v of $limit MiB"
    grep -Eqx "starwhirl: (OpenGL|the show) could not start for want of memory: this process may use only $limit MiB of address space (ulimit -v) and had [0-9]* MiB of it left; the show needs about 400 MiB" "$dir/err" ||
      fail "with ulimit -v of $limit MiB the show said: $(cat "$dir/err")"
  done
  memory="; with ulimit -v of 150 and 300 MiB it said memory was short"
fi

echo "ok: window 800x600 titled starwhirl; $((2 * ${#keys[@]})) keys other than Escape changed nothing; Escape ended it at frame $last with status 0$memory"
