#!/usr/bin/env bash
# The Windows build under Wine, in a plain prefix such as a user has: the
# whole show, also on a driver without framebuffer objects, Escape, a closed
# and a full standard output, an X server without OpenGL, a system without
# fonts, and how its font and pictures compare with the Linux build's. Wine
# ends lines with CR LF; tools/wine-run takes the CRs out of standard
# output, and they are taken out of standard error here.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1
report_exe=$2
report_linux=$3
# The Windows build's own prefix, whatever the user's environment says.
export WINEPREFIX=$4
wine_run=("$(dirname "$0")/../tools/wine-run" "$WINEPREFIX")
export WINEDEBUG=-all LIBGL_ALWAYS_SOFTWARE=1
# Wine's own helper processes stay on after a program, writing to the
# standard error they were started with when the X server goes: start them
# with a program whose standard error goes nowhere, and stop them before the
# server goes.
"${wine_run[@]}" "$report_exe" --font >"$dir/font-windows" 2>/dev/null || fail "the font report did not run"
trap 'wineserver -k 2>/dev/null; cleanup' EXIT
crless() { tr -d '\r' <"$1" >"$1.unix"; mv "$1.unix" "$1"; }

# Run 2 on an OpenGL 2.1 driver without framebuffer objects (Mesa keeps
# its EXT ones whatever it is told; they are not what the show would use).
counter_lines 1 4200 >"$dir/expected"
for run in 1 2; do
  driver=()
  [ "$run" = 2 ] && driver=(MESA_GL_VERSION_OVERRIDE=2.1 MESA_EXTENSION_OVERRIDE=-GL_ARB_framebuffer_object)
  timeout 300 env "${driver[@]}" "${wine_run[@]}" "$exe" >"$dir/out$run" 2>"$dir/err$run"
  expect_status $? 0 "run $run"
  crless "$dir/err$run"
  expect_file "$dir/out$run" "$dir/expected" "standard output of run $run"
  expect_text "$dir/err$run" "" "standard error of run $run"
done

"${wine_run[@]}" "$exe" >/dev/null 2>"$dir/err" &
pid=$!
started+=("$pid")
wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^starwhirl$' | head -n 1)
[ -n "$wid" ] || fail "no window named starwhirl appeared"
press_escape "$pid" "$wid"
expect_status "$status" 0 "Escape"

# No SIGPIPE on Windows: the failed write itself ends the show. The C
# runtime there buffers a pipe's output, so the failure comes a few hundred
# lines in, still at once.
timeout 60 wine "$exe" 2>"$dir/err" | head -n 1 >"$dir/out"
expect_status "${PIPESTATUS[0]}" 1 "standard output read by head -n 1"
crless "$dir/err"
expect_text "$dir/err" "starwhirl: standard output was closed (Broken pipe); ending the show" \
  "standard error after the reader went away"
timeout 300 wine "$exe" >/dev/full 2>"$dir/err"
expect_status $? 1 "standard output on /dev/full"
crless "$dir/err"
expect_text "$dir/err" \
  "starwhirl: cannot write the frame counter to standard output (No space left on device); the show goes on" \
  "standard error with standard output on /dev/full"

# The options are read as on Linux, before any window.
"${wine_run[@]}" "$exe" --version >"$dir/out" 2>"$dir/err"
expect_status $? 0 "--version"
grep -qx 'starwhirl [0-9]*\.[0-9]*\.[0-9]*' "$dir/out" || fail "--version printed: $(cat "$dir/out")"
"${wine_run[@]}" "$exe" --bogus >"$dir/out" 2>"$dir/err"
expect_status $? 2 "--bogus"
crless "$dir/err"
expect_text "$dir/err" 'starwhirl: unknown option "--bogus" (see starwhirl --help)' "standard error of --bogus"

# An X server without GLX: Windows then has no pixel format for OpenGL.
Xvfb -displayfd 3 -extension GLX -screen 0 1280x1024x24 -noreset 3>"$dir/no-glx-display" 2>/dev/null &
started+=("$!")
for _ in $(seq 100); do [ -s "$dir/no-glx-display" ] && break; sleep 0.1; done
[ -s "$dir/no-glx-display" ] || fail "the X server without GLX did not start"
DISPLAY=:$(cat "$dir/no-glx-display") timeout 60 wine "$exe" >/dev/null 2>"$dir/err"
expect_status $? 1 "an X server without GLX"
crless "$dir/err"
expect_text "$dir/err" "starwhirl: the system offers no OpenGL window: no pixel format of the screen draws \
OpenGL in RGB (under Wine, the X server needs the GLX extension)" "standard error on an X server without GLX"

# A fresh prefix that sees no fonts of the host's: Windows has no face for
# "verdana" or any other name.
mkdir "$dir/no-fonts"
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$dir/no-fonts.conf"
(
  export WINEPREFIX=$dir/no-fonts FONTCONFIG_FILE=$dir/no-fonts.conf
  trap 'wineserver -k 2>/dev/null' EXIT
  wineboot --init >/dev/null 2>&1 && wineserver -w
  timeout 120 wine "$exe" >/dev/null 2>"$dir/err"
  expect_status $? 1 "a system without fonts"
  crless "$dir/err"
  expect_text "$dir/err" 'starwhirl: cannot find font "verdana": Windows knows no font that could stand in for it' \
    "standard error on a system without fonts"
) || exit 1

# The same face (Wine and fontconfig both answer "verdana" with DejaVu Sans
# here) at the same cell height: the same ascent, cell and pixel advances;
# the em advances agree to within hinting, which GDI applies at em size.
"$report_linux" --font >"$dir/font-linux" || fail "the Linux font report did not run"
paste "$dir/font-windows" "$dir/font-linux" | awk '
  NR <= 2 && $2 != $4 { print "FAIL: " $1 " " $2 " on Windows, " $4 " on Linux"; bad = 1 }
  NR > 2 && $2 != $5 { print "FAIL: code " $1 " advances " $2 " pixels on Windows, " $5 " on Linux"; bad = 1 }
  NR > 2 { d = $3 - $6; if (d < 0) d = -d; if (d > 0.002) { print "FAIL: code " $1 " em advance " $3 " against " $6; bad = 1 } }
  END { exit bad }' >&2 || fail "the Windows font's metrics differ from the Linux font's"

# Frames played from 0 on both: the 3D set pieces must be identical; the
# text differs only where GDI's 16 grey levels of antialiasing and FreeType's
# 255 round differently, at glyph edges, and that stays under 3 % of the
# picture in pixels that differ by more than 10 %.
mkdir "$dir/windows" "$dir/linux"
"${wine_run[@]}" "$report_exe" --frames "Z:$dir/windows" >/dev/null 2>"$dir/err" || fail "Windows frames: $(cat "$dir/err")"
"$report_linux" --frames "$dir/linux" || fail "the Linux frames were not written"
for frame in 0350 1000 2400 3500; do
  read -r differing big <<<"$(bash "$(dirname "$0")/compare_pictures.sh" "$dir/windows/frame-$frame.ppm" "$dir/linux/frame-$frame.ppm")"
  above=$(head -c $((15 + 800 * 420 * 3)) "$dir/windows/frame-$frame.ppm" | cmp -l - <(head -c $((15 + 800 * 420 * 3)) "$dir/linux/frame-$frame.ppm") | wc -l)
  echo "frame $frame: $differing pixels differ, $big by more than 10 %, $above bytes above the text band"
  [ "$above" -eq 0 ] || fail "frame $frame differs above the text band, where only the 3D objects are"
  [ "$big" -lt 14400 ] || fail "frame $frame: $big pixels differ by more than 10 %"
done
echo "ok: the whole show twice, once without framebuffer objects; Escape; a closed and a full standard output; --version and an unknown option; no GLX and no fonts said in one line; the same font metrics; the same 3D pictures"
