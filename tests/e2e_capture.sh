#!/usr/bin/env bash
# starwhirl-capture as a user runs it: pictures, video, bad input, a missing
# ffmpeg and an interruption.
set -u
bin=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

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
expect_refusal 2 'before the show' --frames -1
expect_refusal 2 'past the show' --frames 4200
expect_refusal 2 'is after --to' --video "$dir/v.mp4" --from 20 --to 10
touch "$dir/file"
expect_refusal 2 'is not a folder' --frames 1 --out "$dir/file"
expect_refusal 2 'cannot use folder' --video /nonexistent-folder/v.mp4
[ ! -e "$dir/never" ] || fail "a refused run created its output folder"
CAPTURE_PATH=/nonexistent expect_refusal 1 'ffmpeg program is not installed' --video "$dir/v.mp4"

"$bin" --video "$dir/whole.mp4" 2>"$dir/err" &
pid=$!
for _ in $(seq 100); do [ -e "$dir/whole.partial.mp4" ] && break; sleep 0.1; done
[ -e "$dir/whole.partial.mp4" ] || fail "no partial video appeared while capturing"
sleep 0.5
kill -INT "$pid"
wait "$pid"
status=$?
[ "$status" -ne 0 ] || fail "an interrupted capture exited with status 0"
grep -q 'interrupted' "$dir/err" || fail "no word of the interruption: $(cat "$dir/err")"
[ ! -e "$dir/whole.mp4" ] && [ ! -e "$dir/whole.partial.mp4" ] || fail "an interrupted capture left a video file"
echo "ok: pictures, video, refusals, missing ffmpeg, interruption"
