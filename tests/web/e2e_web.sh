#!/usr/bin/env bash
# e2e_web.sh ENGINE CHECK PAGE_DIR NATIVE_BUILD: plays the page in a browser
# against tests/web/test_server.py on 127.0.0.1, which loads harness.js into
# the page. ENGINE is chromium (headless, SwiftShader's WebGL) or firefox
# (Firefox ESR on a private virtual X server, Mesa's llvmpipe); both run in
# real time: the browser paces the frames.
#   whole_show      the whole show: status 0, the 4200 counter lines in
#                   order, the status line, the three reset frames blank,
#                   and frames 350, 1000, 2400 and 3500 against the native
#                   build's pictures of the same frames; the times of the
#                   steps to the first frame
#   escape          Escape after frame 300 ends the show at once with status 0,
#                   and the ended page keeps its 4:3 box with the status line
#                   in sight
#   lost_context    the WebGL context lost after frame 300: the show ends with
#                   status 1 and the status line says why and what to do
#   strict_policy   a server's Content-Security-Policy of script-src 'self'
#                   'wasm-unsafe-eval' lets the page play; without
#                   'wasm-unsafe-eval' the status line says the policy must
#                   allow it
#   no_webgl        a browser without WebGL: status 1 and a line saying so
#   wrong_openings  the page opened as a file, without starwhirl.js, without
#                   starwhirl.wasm and with it cut short: the status line
#                   says what is wrong and what to do
#   small_window    in a 600 x 450 window the canvas keeps 4:3 inside the
#                   window and the status line stays in sight
#   full_screen     the page's control puts the show in full screen with a
#                   drawing buffer of the full-screen window's size (the
#                   screen's, as a rule), and back to 800 x 600
#                   (Firefox only: Chromium grants full screen only to a
#                   real user's gesture)
here=$(cd "$(dirname "$0")/../.." && pwd)
. "$here/tests/e2e_lib.sh"
engine=$1
check=$2
page=$3
native=${4:-}

for file in index.html page.js starwhirl.js starwhirl.wasm; do
  [ -f "$page/$file" ] || fail "the page has no $file in $page"
done
# Each browser is started in a process group of its own, which ends with it.
groups=()
trap 'for group in "${groups[@]}"; do kill -- -"$group" 2>/dev/null; done; cleanup' EXIT

# serve PAGE_DIR OUT_DIR [POLICY]: starts a test server for the page, which
# sends POLICY as its Content-Security-Policy; sets $port and $out, where its
# reports go.
serve() {
  out=$2
  mkdir -p "$out"
  python3 "$here/tests/web/test_server.py" "$1" "$here/tests/web/harness.js" "$out" "${3:-}" >"$out.port" &
  started+=($!)
  port=
  for _ in $(seq 50); do [ -s "$out.port" ] && break; sleep 0.1; done
  port=$(head -n 1 "$out.port")
  [ -n "$port" ] || fail "the test server did not start"
}

# A fresh Firefox profile: WebGL on llvmpipe (which Firefox otherwise
# refuses as a software renderer), full screen for the harness's clicks, and
# nothing that reaches out: no first-run pages, updates, reports or checks.
firefox_profile() {
  mkdir -p "$1"
  cat >"$1/user.js" <<'PREFS'
user_pref("webgl.force-enabled", true);
user_pref("full-screen-api.allow-trusted-requests-only", false);
user_pref("full-screen-api.warning.timeout", 0);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("browser.aboutwelcome.enabled", false);
user_pref("startup.homepage_welcome_url", "about:blank");
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("datareporting.healthreport.uploadEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("app.update.auto", false);
user_pref("app.update.enabled", false);
user_pref("extensions.update.enabled", false);
user_pref("browser.safebrowsing.malware.enabled", false);
user_pref("browser.safebrowsing.phishing.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("browser.sessionstore.resume_from_crash", false);
user_pref("toolkit.startup.max_resumed_crashes", -1);
PREFS
}

# The show stopped at a frame from $1 to $2 after $3 at frame $1, every
# counter line up to it written once, in order.
expect_stopped_within() {
  last=$(tail -n 1 "$out/lines")
  last=${last%.000000}
  [ "$last" -ge "$1" ] && [ "$last" -le "$2" ] || fail "the show went on to frame $last after $3 at frame $1"
  counter_lines 1 "$last" >"$dir/expected-lines"
  expect_file "$out/lines" "$dir/expected-lines" "the counter lines"
}

# play URL SECONDS [OPTION...]: opens URL (a page of the server when it
# starts with ?) and waits until the page reports its end. Options:
# --no-webgl, --window=WIDTH,HEIGHT.
plays=0
play() {
  local url=$1 seconds=$2 webgl=1 size=1024,768 option
  shift 2
  for option in "$@"; do
    case $option in
    --no-webgl) webgl=0 ;;
    --window=*) size=${option#--window=} ;;
    esac
  done
  [ "${url:0:1}" != "?" ] || url="http://127.0.0.1:$port/index.html$url"
  plays=$((plays + 1))
  local profile=$dir/profile-$plays log=$dir/browser-$plays.log
  case $engine in
  chromium)
    local flags=(--headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader
                 --user-data-dir="$profile" --no-first-run --disable-extensions --window-size="$size")
    [ "$webgl" = 1 ] || flags+=(--disable-3d-apis)
    setsid chromium "${flags[@]}" "$url" >"$log" 2>&1 &
    ;;
  firefox)
    firefox_profile "$profile"
    [ "$webgl" = 1 ] || echo 'user_pref("webgl.disabled", true);' >>"$profile/user.js"
    setsid "$here/tools/run-headless" firefox-esr --no-remote --profile "$profile" \
      --width "${size%,*}" --height "${size#*,}" "$url" >"$log" 2>&1 &
    ;;
  *) fail "unknown browser engine $engine" ;;
  esac
  local browser=$!
  groups+=("$browser")
  local waited=0
  until [ -s "$out/exit" ]; do
    kill -0 "$browser" 2>/dev/null || fail "$engine ended before the page did: $(grep -v -i dbus "$log" | tail -n 5)"
    [ "$waited" -lt "$seconds" ] || fail "the page did not end within $seconds s; last counter line: $(tail -n 1 "$out/lines" 2>/dev/null)"
    sleep 1
    waited=$((waited + 1))
  done
  kill -- -"$browser" 2>/dev/null
  wait "$browser" 2>/dev/null
  echo "$engine: the page ended after about $waited s"
}

# expect_no_errors_but [TEXT]: the page's error output is TEXT (or nothing)
# besides the emulation announcing itself, and no file was missing.
expect_no_errors_but() {
  grep -v '^WARNING: using emscripten GL' "$out/errors" >"$dir/errors" 2>/dev/null
  expect_text "$dir/errors" "${1:-}" "the page's error output"
  [ ! -e "$out/missing" ] || fail "the page asked for files it does not have: $(tr '\n' ' ' <"$out/missing")"
}
expect_no_errors() { expect_no_errors_but ""; }

# expect_cannot_play TEXT: the page gave up saying TEXT, and asked only for
# files that exist.
expect_cannot_play() {
  expect_text "$out/exit" "cannot play" "how the page ended"
  expect_text "$out/status-at-end" "$1" "the status line"
}

# A copy of the page, FILE by FILE, into DIR.
copy_page() {
  local target=$1 file
  shift
  mkdir -p "$target"
  for file in "$@"; do cp "$page/$file" "$target/"; done
}

case $check in
whole_show)
  serve "$page" "$dir/out"
  play "?frames=350,700,1000,1900,2400,3000,3500" 900
  expect_text "$out/exit" 0 "the exit status"
  counter_lines 1 4200 >"$dir/expected-lines"
  expect_file "$out/lines" "$dir/expected-lines" "the counter lines"
  expect_no_errors
  expect_text "$out/status-at-1000" "Frame 1000 — scene 2" "the status line at frame 1000"
  expect_text "$out/status-at-end" "The show has ended (status 0); the counter stopped at 4200." "the status line at the end"
  echo "$engine: after navigation, the runtime was ready at $(cat "$out/runtime-ready-ms") ms," \
    "the WebGL context made at $(cat "$out/webgl-context-ms") ms, initScene done at $(cat "$out/init-scene-ms") ms," \
    "the first frame drawn at $(cat "$out/first-frame-ms") ms"
  for frame in 0700 1900 3000; do
    [ -f "$out/frame-$frame.ppm" ] || fail "the page did not report reset frame $frame"
    inked=$(tail -c +16 "$out/frame-$frame.ppm" | tr -d '\0' | wc -c)
    [ "$inked" -eq 0 ] || fail "reset frame $frame is not blank: $inked bytes of ink"
  done

  [ -n "$native" ] || fail "no native build to compare the pictures with"
  mkdir -p "$dir/native"
  "$here/tools/run-headless" "$native/tests/starwhirl-show-report" --frames "$dir/native" ||
    fail "the native pictures were not made"
  # The browsers' WebGL (SwiftShader, llvmpipe) and the native llvmpipe
  # rasterise and blend with slightly different rounding: about 1 to 2 % of
  # the pixels differ by a level or two, and up to 17 at polygon edges by
  # more than 10 % (26 of 255 levels). A frame drawn one step early or late
  # differs in over 14,000 pixels by more than 10 %, a wrong glyph or a
  # missing planet in hundreds; so at most 100 may differ by more than 10 %,
  # and at most 5 % (24,000) at all.
  for frame in 0350 1000 2400 3500; do
    [ -f "$out/frame-$frame.ppm" ] || fail "the page did not report frame $frame"
    read -r differing big <<<"$(bash "$here/tests/compare_pictures.sh" "$out/frame-$frame.ppm" "$dir/native/frame-$frame.ppm")"
    echo "$engine: frame $frame: $differing pixels differ from the native picture, $big by more than 10 %"
    [ "$big" -le 100 ] || fail "frame $frame: $big pixels differ by more than 10 % from the native picture"
    [ "$differing" -le 24000 ] || fail "frame $frame: $differing pixels differ from the native picture"
  done
  ;;
escape)
  serve "$page" "$dir/out"
  play "?escape=300" 300
  expect_text "$out/exit" 0 "the exit status after Escape"
  # The key arrives between two passes, so at most the pass after frame 300
  # runs first.
  expect_stopped_within 300 301 "Escape"
  expect_no_errors
  # The runtime leaves the drawing buffer 1 x 1 at the end; the box is to
  # keep its shape and the last message its place.
  read -r _ left top width height _ bottom _ window_width window_height <"$out/layout-at-end"
  echo "$engine: after the end the canvas is $width x $height; the status line ends at $bottom of $window_height"
  [ "$width" -gt 0 ] && [ $((width * 3 - height * 4)) -le 4 ] && [ $((height * 4 - width * 3)) -le 4 ] ||
    fail "after the end the canvas is $width x $height, not 4:3"
  [ "$bottom" -le "$window_height" ] || fail "after the end the status line is out of sight"
  ;;
lost_context)
  serve "$page" "$dir/out"
  play "?lose=300" 300
  expect_text "$out/lost" "lost after frame 300" "the harness"
  expect_text "$out/exit" 1 "the exit status after the context was lost"
  # The browser tells the page in an event of its own, a pass or two later.
  expect_stopped_within 300 305 "losing its context"
  line=$(cat "$out/status-at-end")
  [[ $line == "The show has ended: the graphics context was lost after frame "3[0-9][0-9]" (the graphics card was reset or its driver changed). Reload the page to start the show again." ]] ||
    fail "the status line after the context was lost says: $line"
  expect_no_errors_but "starwhirl: the graphics context was lost (the graphics card was reset or its driver changed); reload the page to start the show again"
  echo "$engine: $line"
  ;;
strict_policy)
  serve "$page" "$dir/out" "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self' 'unsafe-inline'"
  play "?escape=30" 300
  expect_text "$out/exit" 0 "the exit status under a strict policy"
  expect_no_errors

  serve "$page" "$dir/out-no-wasm-eval" "script-src 'self'"
  play "?" 120
  expect_text "$out/exit" "cannot play" "how the page ended when the policy refused the compile"
  line=$(cat "$out/status-at-end")
  [[ $line == "The show cannot start: this server's Content-Security-Policy does not let the page compile starwhirl.wasm (the browser says: "*"). The policy must allow 'wasm-unsafe-eval', for example: script-src 'self' 'wasm-unsafe-eval'." ]] ||
    fail "the status line when the policy refused the compile says: $line"
  echo "$engine: with script-src 'self': $line"
  ;;
no_webgl)
  serve "$page" "$dir/out"
  play "?" 120 --no-webgl
  expect_text "$out/exit" 1 "the exit status without WebGL"
  expect_no_errors_but "starwhirl: this browser gives the page no WebGL; the show needs WebGL 1 (it may be switched off in the browser's settings)"
  expect_text "$out/status-at-end" "The show has ended (status 1)." "the status line without WebGL"
  expect_text "$out/problem" "starwhirl: this browser gives the page no WebGL; the show needs WebGL 1 (it may be switched off in the browser's settings)" "what the page says"
  ;;
wrong_openings)
  # Opened as a file, with the harness beside it reporting to the server.
  copy_page "$dir/as-file" index.html page.js starwhirl.js starwhirl.wasm
  cp "$here/tests/web/harness.js" "$dir/as-file/"
  sed -i 's|<script src="starwhirl.js"|<script src="harness.js"></script>&|' "$dir/as-file/index.html"
  serve "$dir/as-file" "$dir/out-file"
  play "file://$dir/as-file/index.html?report=http://127.0.0.1:$port" 120
  expect_cannot_play "The show cannot start from a file opened in the browser, which loads no program that way. Serve this folder with make serve-web or any static web server and open the page from there."
  echo "$engine: opened as a file: $(cat "$out/status-at-end")"

  copy_page "$dir/no-js" index.html page.js starwhirl.wasm
  serve "$dir/no-js" "$dir/out-no-js"
  play "?" 120
  expect_cannot_play "The show cannot start: starwhirl.js could not be loaded (the server has no such file or could not be reached). Put starwhirl.js beside index.html (make web builds it into build-web/)."

  copy_page "$dir/no-wasm" index.html page.js starwhirl.js
  serve "$dir/no-wasm" "$dir/out-no-wasm"
  play "?" 120
  expect_cannot_play "The show cannot start: starwhirl.wasm could not be loaded (the server answered 404 Not Found). Put starwhirl.wasm beside index.html (make web builds it into build-web/)."

  copy_page "$dir/cut-short" index.html page.js starwhirl.js
  head -c 100000 "$page/starwhirl.wasm" >"$dir/cut-short/starwhirl.wasm"
  serve "$dir/cut-short" "$dir/out-cut-short"
  play "?" 120
  expect_text "$out/exit" "cannot play" "how the page ended with its wasm cut short"
  line=$(cat "$out/status-at-end")
  [[ $line == "The show cannot start: starwhirl.wasm is damaged (the browser says: "*"). Copy it again beside index.html (make web builds it into build-web/)." ]] ||
    fail "the status line with the wasm cut short says: $line"
  echo "$engine: with the wasm cut short: $line"
  ;;
small_window)
  serve "$page" "$dir/out"
  play "?layout=2&escape=3" 120 --window=600,450
  expect_text "$out/exit" 0 "the exit status"
  read -r _ left top width height _ bottom _ window_width window_height <"$out/layout"
  echo "$engine: in a ${window_width} x ${window_height} window the canvas is $width x $height at ($left, $top); the status line ends at $bottom"
  [ "$width" -lt 800 ] || fail "the window has room for 800 x 600; the check needs a smaller one"
  [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ $((left + width)) -le "$window_width" ] && [ $((top + height)) -le "$window_height" ] ||
    fail "the canvas does not fit the window"
  [ $((width * 3 - height * 4)) -le 4 ] && [ $((height * 4 - width * 3)) -le 4 ] || fail "the canvas is not 4:3"
  [ "$bottom" -le "$window_height" ] || fail "the status line is out of sight"
  ;;
full_screen)
  [ "$engine" = firefox ] || fail "full screen is tested in Firefox only"
  serve "$page" "$dir/out"
  play "?fullscreen=30" 180
  expect_text "$out/exit" 0 "the exit status"
  expect_no_errors
  read -r width height viewport_width viewport_height screen_width screen_height window_width window_height \
    <"$out/in-full-screen" && [ -n "$window_height" ] || fail "no size in full screen: $(cat "$out/in-full-screen")"
  echo "$engine: in full screen the drawing buffer is $width x $height, the viewport $viewport_width x $viewport_height, in a $window_width x $window_height window on a $screen_width x $screen_height screen"
  # With no window manager on the virtual server, Firefox now and then leaves
  # its window at the size it opened with when it goes full screen; the page
  # can only fill the window it is given.
  [ "$width $height" = "$window_width $window_height" ] || fail "in full screen the drawing buffer is not the window's size"
  [ "$width $height" != "800 600" ] || fail "in full screen the drawing buffer stayed 800 x 600"
  [ "$window_width $window_height" = "$screen_width $screen_height" ] ||
    echo "$engine: note: the browser kept its window at $window_width x $window_height in full screen"
  [ "$viewport_width $viewport_height" = "$width $height" ] || fail "in full screen the show does not draw on the whole buffer"
  read -r width height viewport_width viewport_height _ <"$out/after-full-screen"
  [ "$width $height $viewport_width $viewport_height" = "800 600 800 600" ] ||
    fail "after full screen the drawing buffer and viewport are $width x $height, $viewport_width x $viewport_height"
  expect_text "$out/button-before" "Full screen" "the control before"
  expect_text "$out/button-in" "Leave full screen" "the control in full screen"
  expect_text "$out/button-after" "Full screen" "the control after"
  ;;
*)
  fail "unknown check $check"
  ;;
esac
echo "PASS: web $engine $check"
