#!/usr/bin/env bash
# starwhirl-capture as a user runs it: pictures, video, bad input, a missing
# ffmpeg, other people's files, closed streams and interruptions.
source "$(dirname "$0")/e2e_lib.sh"
bin=$(realpath "$1")
# partial_of NAME EXT: the unfinished file of NAME.EXT, if there is one.
partial_of() { ls "$dir/$1".partial-??????"$2" 2>/dev/null; }

# Width, height, bit depth and colour type from a PNG's header.
png_header() { od -An -tu1 -j16 -N10 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8, $9, $10 }'; }

"$bin" --frames 0,250,701,2500,3500 --out "$dir/pics" 2>"$dir/err" || { cat "$dir/err" >&2; fail "pictures: exit status $?"; }
for f in 0000 0250 0701 2500 3500; do
  p="$dir/pics/frame-$f.png"
  [ -s "$p" ] || fail "no $p"
  [ "$(png_header "$p")" = "800 600 8 2" ] || fail "$p is not an 800x600 8-bit RGB PNG: $(png_header "$p")"
done
[ "$(ls "$dir/pics" | wc -l)" -eq 5 ] || fail "unexpected files: $(ls "$dir/pics")"

"$bin" --video "$dir/show.mp4" --from 690 --to 749 --fps 30 2>"$dir/err" || { cat "$dir/err" >&2; fail "video: exit status"; }
info=$(ffprobe -v error -count_frames -select_streams v:0 \
  -show_entries stream=codec_name,pix_fmt,width,height,nb_read_frames -of csv=p=0 "$dir/show.mp4")
[ "$info" = "h264,800,600,yuv420p,60" ] || fail "video is '$info'"
grep -q 'frames 750/750' "$dir/err" || fail "no progress line: $(cat "$dir/err")"

"$bin" --help | grep -q -- '--video FILE' || fail "--help does not describe --video"

expect_refusal() {  # expected-status, message part, arguments...
  local want=$1 says=$2
  shift 2
  env PATH="${CAPTURE_PATH:-$PATH}" "$bin" "$@" >"$dir/out" 2>"$dir/err"
  local status=$?
  [ "$status" -eq "$want" ] || fail "$*: exit status $status, wanted $want"
  [ "$(wc -l <"$dir/err")" -eq 1 ] || fail "$*: wanted one line on stderr, got: $(cat "$dir/err")"
  grep -qF -- "$says" "$dir/err" || fail "$*: stderr does not say '$says': $(cat "$dir/err")"
}
expect_refusal 2 'unknown option "--bogus"' --bogus
expect_refusal 2 'expects a frame number, not "x"' --frames 1,x --out "$dir/never"
expect_refusal 2 'is past the show'"'"'s last frame, 4199 (frames run from 0 to 4199)' --frames 99999999999999999999
expect_refusal 2 'before the show' --frames -1
expect_refusal 2 'past the show' --frames 4200
expect_refusal 2 'is after --to' --video "$dir/v.mp4" --from 20 --to 10
touch "$dir/file"
expect_refusal 2 'is not a folder' --frames 1 --out "$dir/file"
expect_refusal 2 'cannot use folder' --video /nonexistent-folder/v.mp4
[ ! -e "$dir/never" ] || fail "a refused run created its output folder"
CAPTURE_PATH=/nonexistent expect_refusal 1 'ffmpeg program is not installed' --video "$dir/v.mp4"

# Targets that cannot work are refused before the first frame.
mkdir "$dir/adir"
expect_refusal 2 "--video $dir/adir is a folder" --video "$dir/adir"
expect_refusal 2 "--video $dir/adir/ names a folder" --video "$dir/adir/"
expect_refusal 2 "ffmpeg cannot write a video named $dir/out.xyz (it says: Unable to find a suitable output format" \
  --video "$dir/out.xyz"
[ -z "$(ls "$dir/adir")" ] && [ ! -e "$dir/out.xyz" ] && [ -z "$(partial_of out .xyz)" ] ||
  fail "a refused video left files: $(ls "$dir" "$dir/adir")"

# Other people's files are never touched, whatever their names; a name that
# starts with "-" is still a file name.
echo precious >"$dir/keep.partial.mp4"
echo precious >"$dir/pics/frame-0003.png.partial"
(cd "$dir" && "$bin" --video -x.mp4 --to 5 --frames 3 --out pics 2>"$dir/err") || fail "-x.mp4: $(cat "$dir/err")"
(cd "$dir" && "$bin" --video keep.mp4 --to 5 2>"$dir/err") || fail "keep.mp4: $(cat "$dir/err")"
[ -s "$dir/-x.mp4" ] && [ -s "$dir/keep.mp4" ] && [ -s "$dir/pics/frame-0003.png" ] || fail "a video or picture is missing"
[ "$(cat "$dir/keep.partial.mp4")" = precious ] || fail "the capture overwrote keep.partial.mp4"
[ "$(cat "$dir/pics/frame-0003.png.partial")" = precious ] || fail "the capture overwrote frame-0003.png.partial"
[ -z "$(ls "$dir" "$dir/pics" | grep -- '-......\.\(mp4\|png\)$')" ] || fail "temporary files were left: $(ls "$dir" "$dir/pics")"

# Standard error closed: its number must not go to the X connection, where
# the progress text would corrupt the protocol and hang the capture.
timeout 60 "$bin" --frames 7 --out "$dir/pics" 2>&-
expect_status $? 0 "standard error closed"
[ -s "$dir/pics/frame-0007.png" ] || fail "no picture with standard error closed"

"$bin" --video "$dir/whole.mp4" 2>"$dir/err" &
pid=$!
for _ in $(seq 100); do [ -n "$(partial_of whole .mp4)" ] && break; sleep 0.1; done
[ -n "$(partial_of whole .mp4)" ] || fail "no partial video appeared while capturing"
sleep 0.5
kill -INT "$pid"
wait "$pid"
status=$?
[ "$status" -ne 0 ] || fail "an interrupted capture exited with status 0"
grep -q 'interrupted' "$dir/err" || fail "no word of the interruption: $(cat "$dir/err")"
[ ! -e "$dir/whole.mp4" ] && [ -z "$(partial_of whole .mp4)" ] || fail "an interrupted capture left a video file"

# Without an X display the capture runs its own X server. A signal to the
# program the user started ends the server and ffmpeg too, removes the
# unfinished video, and the program ends by that signal.
env -u DISPLAY "$bin" --video "$dir/headless.mp4" 2>"$dir/err" &
pid=$!
# Its children once it is encoding: the X server and ffmpeg.
encoding() { [ -n "$(partial_of headless .mp4)" ]; }
wait_for_children "$pid" 2 encoding
sleep 0.5
kill -TERM "$pid"
wait "$pid"
expect_status $? 143 "SIGTERM to a capture without a display"
expect_gone "the capture" $children
[ ! -e "$dir/headless.mp4" ] && [ -z "$(partial_of headless .mp4)" ] || fail "a terminated capture left a video file"

echo "ok: pictures, video, refusals, missing ffmpeg, others' files kept, closed stderr, interruption with and without a display"
