#!/usr/bin/env bash
# The show's standard output closed, full or slow.
source "$(dirname "$0")/e2e_lib.sh"
bin=$1
counter_lines 1 5 >"$dir/first5"
counter_lines 1 4200 >"$dir/all"

# The reader goes away: the next write ends the show by SIGPIPE, as for any
# program, long before the show would end by itself.
timeout 60 "$bin" 2>"$dir/err" | head -n 5 >"$dir/out"
status=${PIPESTATUS[0]}
expect_status "$status" 141 "closed pipe"
expect_file "$dir/out" "$dir/first5" "the lines read before the pipe closed"
expect_text "$dir/err" "" "standard error after a closed pipe"

# The same with SIGPIPE ignored, as some launchers leave it: the failed write
# is noticed and the show ends with one line and status 1.
(
  trap '' PIPE
  timeout 60 "$bin" 2>"$dir/err" | head -n 5 >"$dir/out"
  echo "${PIPESTATUS[0]}" >"$dir/status"
)
expect_status "$(cat "$dir/status")" 1 "closed pipe with SIGPIPE ignored"
expect_file "$dir/out" "$dir/first5" "the lines read before the pipe closed"
expect_text "$dir/err" "starwhirl: standard output was closed (Broken pipe); ending the show" \
  "standard error after a closed pipe with SIGPIPE ignored"

# A full disk: the show is what the viewer watches, so it plays on to its end,
# says once that the counter was lost, and ends with status 1, not 0.
full_message="starwhirl: cannot write the frame counter to standard output (No space left on device); the show goes on"
timeout 300 "$bin" >/dev/full 2>"$dir/err"
expect_status $? 1 "standard output on /dev/full"
expect_text "$dir/err" "$full_message" "standard error with standard output on /dev/full"

# Ended early with Escape, after the first failed write: the line that says
# so is the sign that the write has failed.
"$bin" >/dev/full 2>"$dir/err" &
pid=$!
started+=("$pid")
wid=$(window_of "$pid")
[ -n "$wid" ] || fail "no window appeared"
for _ in $(seq 300); do
  [ -s "$dir/err" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the show ended when its output failed"
  sleep 0.1
done
[ -s "$dir/err" ] || fail "the show did not say that its output failed"
kill -0 "$pid" 2>/dev/null || fail "the show did not go on after its output failed"
press_escape "$pid" "$wid"
expect_status "$status" 1 "Escape with standard output on /dev/full"
expect_text "$dir/err" "$full_message" "standard error after Escape with standard output on /dev/full"

# Standard output closed before the start: its number must not go to the X
# connection (the show would write its lines into the X protocol and hang).
# Lines that go nowhere are lost lines: the show plays on and ends with 1.
timeout 300 "$bin" >&- 2>"$dir/err"
expect_status $? 1 "standard output closed"
expect_text "$dir/err" "starwhirl: standard output is closed; the frame counter is not written, the show goes on" \
  "standard error with standard output closed"
timeout 300 "$bin" <&- 2>&- >"$dir/out"
expect_status $? 0 "standard input and error closed"
expect_file "$dir/out" "$dir/all" "the lines with standard input and error closed"

# A slow reader loses nothing.
timeout 300 "$bin" 2>"$dir/err" | (sleep 3; cat) >"$dir/out"
expect_status "${PIPESTATUS[0]}" 0 "slow reader"
expect_file "$dir/out" "$dir/all" "the lines a slow reader got"
expect_text "$dir/err" "" "standard error with a slow reader"

echo "ok: closed pipe (141, or 1 with one line when SIGPIPE is ignored), /dev/full (plays on, one line, 1), closed standard streams, slow reader (all 4200 lines)"
