#!/usr/bin/env bash
# e2e_web.sh CHECK PAGE_DIR NATIVE_BUILD: plays the page in headless Chromium
# (SwiftShader's WebGL, in real time: the browser paces the frames) against
# tests/web/test_server.py on 127.0.0.1, which loads harness.js into the page.
#   whole_show  the whole show: status 0, the 4200 counter lines in order,
#               the status line, the three reset frames blank, and frames
#               350, 1000, 2400 and 3500 against the native build's pictures
#               of the same frames
#   escape      Escape after frame 300 ends the show at once with status 0
#   no_webgl    a browser without WebGL: status 1 and a line saying so
here=$(cd "$(dirname "$0")/../.." && pwd)
. "$here/tests/e2e_lib.sh"
check=$1
page=$2
native=${3:-}
out=$dir/out
mkdir -p "$out"

for file in index.html starwhirl.js starwhirl.wasm; do
  [ -f "$page/$file" ] || fail "the page has no $file in $page"
done

python3 "$here/tests/web/test_server.py" "$page" "$here/tests/web/harness.js" "$out" >"$dir/port" &
started+=($!)
for _ in $(seq 50); do [ -s "$dir/port" ] && break; sleep 0.1; done
port=$(head -n 1 "$dir/port")
[ -n "$port" ] || fail "the test server did not start"

# play QUERY SECONDS [OPTION...]: opens the page and waits until it reports
# its end.
play() {
  local query=$1 seconds=$2
  shift 2
  chromium --headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader \
    --user-data-dir="$dir/profile" --no-first-run --disable-extensions "$@" \
    "http://127.0.0.1:$port/index.html?$query" >"$dir/chromium.log" 2>&1 &
  local browser=$!
  started+=($browser)
  local waited=0
  until [ -s "$out/exit" ]; do
    kill -0 "$browser" 2>/dev/null || fail "Chromium ended before the page did: $(grep -v -i dbus "$dir/chromium.log" | tail -n 5)"
    [ "$waited" -lt "$seconds" ] || fail "the page did not end within $seconds s; last counter line: $(tail -n 1 "$out/lines" 2>/dev/null)"
    sleep 1
    waited=$((waited + 1))
  done
  kill "$browser" 2>/dev/null
  wait "$browser" 2>/dev/null
  echo "the page ended after about $waited s"
}

# expect_no_errors_but [TEXT]: the page's error output is TEXT (or nothing)
# besides the emulation announcing itself, and no file was missing.
expect_no_errors_but() {
  grep -v '^WARNING: using emscripten GL' "$out/errors" >"$dir/errors" 2>/dev/null
  expect_text "$dir/errors" "${1:-}" "the page's error output"
  [ ! -e "$out/missing" ] || fail "the page asked for files it does not have: $(tr '\n' ' ' <"$out/missing")"
}
expect_no_errors() { expect_no_errors_but ""; }

case $check in
whole_show)
  play "frames=350,700,1000,1900,2400,3000,3500" 900
  expect_text "$out/exit" 0 "the exit status"
  counter_lines 1 4200 >"$dir/expected-lines"
  expect_file "$out/lines" "$dir/expected-lines" "the counter lines"
  expect_no_errors
  expect_text "$out/status-at-1000" "Frame 1000 — scene 2" "the status line at frame 1000"
  expect_text "$out/status-at-end" "The show has ended (status 0); the counter stopped at 4200." "the status line at the end"
  echo "first frame drawn $(cat "$out/first-frame-ms") ms after the page was opened" \
    "(the program started at $(cat "$out/runtime-ready-ms") ms)"
  for frame in 0700 1900 3000; do
    [ -f "$out/frame-$frame.ppm" ] || fail "the page did not report reset frame $frame"
    inked=$(tail -c +16 "$out/frame-$frame.ppm" | tr -d '\0' | wc -c)
    [ "$inked" -eq 0 ] || fail "reset frame $frame is not blank: $inked bytes of ink"
  done

  [ -n "$native" ] || fail "no native build to compare the pictures with"
  mkdir -p "$dir/native"
  "$here/tools/run-headless" "$native/tests/starwhirl-show-report" --frames "$dir/native" ||
    fail "the native pictures were not made"
  # SwiftShader and llvmpipe rasterise and blend with slightly different
  # rounding: about 1 to 2 % of the pixels differ by a level or two, and up
  # to 17 at polygon edges by more than 10 % (26 of 255 levels). A frame
  # drawn one step early or late differs in over 14,000 pixels by more than
  # 10 %, a wrong glyph or a missing planet in hundreds; so at most 100 may
  # differ by more than 10 %, and at most 5 % (24,000) at all.
  for frame in 0350 1000 2400 3500; do
    [ -f "$out/frame-$frame.ppm" ] || fail "the page did not report frame $frame"
    read -r differing big <<<"$(bash "$here/tests/compare_pictures.sh" "$out/frame-$frame.ppm" "$dir/native/frame-$frame.ppm")"
    echo "frame $frame: $differing pixels differ from the native picture, $big by more than 10 %"
    [ "$big" -le 100 ] || fail "frame $frame: $big pixels differ by more than 10 % from the native picture"
    [ "$differing" -le 24000 ] || fail "frame $frame: $differing pixels differ from the native picture"
  done
  ;;
escape)
  play "escape=300" 300
  expect_text "$out/exit" 0 "the exit status after Escape"
  last=$(tail -n 1 "$out/lines")
  last=${last%.000000}
  # The key arrives between two passes, so at most the pass after frame 300
  # runs first.
  [ "$last" -ge 300 ] && [ "$last" -le 301 ] || fail "the show went on to frame $last after Escape at frame 300"
  counter_lines 1 "$last" >"$dir/expected-lines"
  expect_file "$out/lines" "$dir/expected-lines" "the counter lines"
  expect_no_errors
  ;;
no_webgl)
  play "" 120 --disable-3d-apis
  expect_text "$out/exit" 1 "the exit status without WebGL"
  expect_no_errors_but "starwhirl: this browser gives the page no WebGL; the show needs WebGL 1 (it may be switched off in the browser's settings)"
  expect_text "$out/status-at-end" "The show has ended (status 1)." "the status line without WebGL"
  expect_text "$out/problem" "starwhirl: this browser gives the page no WebGL; the show needs WebGL 1 (it may be switched off in the browser's settings)" "what the page says"
  ;;
*)
  fail "unknown check $check"
  ;;
esac
echo "PASS: web $check"
