#!/usr/bin/env bash
# starwhirl-capture's encoder settings: a soundtrack laid under the video (cut
# or padded to its length, the picture unchanged), audio files it cannot use
# refused before the first frame, no file left when interrupted, and --crf
# and --preset reaching x264.
source "$(dirname "$0")/e2e_lib.sh"
bin=$(realpath "$1")

capture() {  # what, arguments...
  local what=$1
  shift
  "$bin" "$@" 2>"$dir/err" || fail "$what: exit status $?: $(cat "$dir/err")"
}
# streams VIDEO: "codec_type,codec_name" of each stream, one a line.
streams() { ffprobe -v error -show_entries stream=codec_type,codec_name -of csv=p=0 "$1" | tr '\n' ' '; }
# audio_seconds VIDEO: the audio stream's duration in milliseconds.
audio_ms() { ffprobe -v error -select_streams a:0 -show_entries stream=duration -of csv=p=0 "$1" | awk '{ printf "%d", $1 * 1000 }'; }
# picture VIDEO: the decoded video frames' checksums, without the timestamps,
# whose units differ between containers.
picture() { ffmpeg -v error -i "$1" -map 0:v -f framemd5 - | grep -v '^#' | awk -F', *' '{ print $NF }'; }

ffmpeg -v error -f lavfi -i sine=frequency=440:duration=3 "$dir/long.wav" || fail "cannot make long.wav"
ffmpeg -v error -f lavfi -i sine=frequency=660:duration=0.3 -c:a flac "$dir/-short.flac" || fail "cannot make -short.flac"

# One second of video (frames 690 to 749 at 60 frames/s) under each.
capture "silent video" --video "$dir/silent.mp4" --from 690 --to 749
capture "video over a longer soundtrack" --video "$dir/long.mp4" --from 690 --to 749 --audio "$dir/long.wav"
(cd "$dir" && "$bin" --video short.mkv --from 690 --to 749 --audio -short.flac 2>"$dir/err") ||
  fail "video over a shorter soundtrack: $(cat "$dir/err")"
[ "$(streams "$dir/silent.mp4")" = "h264,video " ] || fail "the silent video holds: $(streams "$dir/silent.mp4")"
for video in long.mp4 short.mkv; do
  [ "$(streams "$dir/$video")" = "h264,video aac,audio " ] || fail "$video holds: $(streams "$dir/$video")"
  [ "$(picture "$dir/$video")" = "$(picture "$dir/silent.mp4")" ] || fail "the soundtrack changed $video's frames"
done
ms=$(audio_ms "$dir/long.mp4")
[ "$ms" -ge 990 ] && [ "$ms" -le 1050 ] || fail "the 3 s soundtrack was not cut to the 1 s video: ${ms} ms"
# Matroska keeps no duration per stream: the audio's last packet tells.
ms=$(ffprobe -v error -select_streams a:0 -show_entries packet=pts_time,duration_time -of csv=p=0 "$dir/short.mkv" |
  tail -n 1 | awk -F, '{ printf "%d", ($1 + $2) * 1000 }')
[ "$ms" -ge 990 ] && [ "$ms" -le 1050 ] || fail "the 0.3 s soundtrack was not padded to the 1 s video: ${ms} ms"
# The padding is silence: the last tenth of a second has no level.
level=$(ffmpeg -v info -ss 0.8 -i "$dir/short.mkv" -map 0:a -af volumedetect -f null - 2>&1 | sed -n 's/.*max_volume: //p')
[ "$level" = "-91.0 dB" ] || fail "the padding is not silent: max volume $level"

# refused LINE ARGUMENTS...: status 2, that one line, no video left.
refused() {
  local line=$1 status=0
  shift
  "$bin" "$@" >"$dir/out" 2>"$dir/err" || status=$?
  expect_status "$status" 2 "$*"
  expect_text "$dir/err" "starwhirl-capture: $line" "standard error of $*"
  [ -z "$(ls "$dir" | grep '^refused')" ] || fail "$*: a refused capture left $(ls "$dir" | grep '^refused')"
}
refused "cannot read --audio $dir/missing.wav: No such file or directory" \
  --video "$dir/refused.mp4" --audio "$dir/missing.wav"
refused "--audio $dir is a folder; give an audio file" --video "$dir/refused.mp4" --audio "$dir"
refused "--audio $dir/silent.mp4 holds no audio stream" --video "$dir/refused.mp4" --audio "$dir/silent.mp4"
echo "not a sound" >"$dir/junk.wav"
refused "ffmpeg cannot read --audio $dir/junk.wav (it says: Invalid data found when processing input)" \
  --video "$dir/refused.mp4" --audio "$dir/junk.wav"
mkfifo "$dir/pipe.wav"
refused "--audio $dir/pipe.wav is not a plain file; give an audio file (it is read twice)" \
  --video "$dir/refused.mp4" --audio "$dir/pipe.wav"
if [ "$(id -u)" -ne 0 ]; then
  cp "$dir/long.wav" "$dir/locked.wav" && chmod 000 "$dir/locked.wav"
  refused "cannot read --audio $dir/locked.wav: Permission denied" --video "$dir/refused.mp4" --audio "$dir/locked.wav"
fi
refused '--preset expects one of ultrafast, superfast, veryfast, faster, fast, medium, slow, slower, veryslow, placebo; not "quick"' \
  --video "$dir/refused.mp4" --preset quick
refused '--crf expects a whole number from 0 (best, largest) to 51 (worst, smallest), not "60"' \
  --video "$dir/refused.mp4" --crf 60

# Interrupted while encoding with a soundtrack: ffmpeg ends, nothing is left.
"$bin" --video "$dir/interrupted.mp4" --audio "$dir/long.wav" 2>"$dir/err" &
pid=$!
started+=("$pid")
for _ in $(seq 100); do ls "$dir" | grep -q '^interrupted\.partial' && break; sleep 0.1; done
sleep 0.5
kill -INT "$pid"
status=0
wait "$pid" || status=$?
expect_status "$status" 130 "SIGINT to a capture with a soundtrack"
[ -z "$(ls "$dir" | grep '^interrupted')" ] || fail "an interrupted capture left $(ls "$dir" | grep '^interrupted')"

# The settings reach x264, which writes them into the stream.
capture "--crf 40" --video "$dir/small.mp4" --from 690 --to 749 --crf 40
capture "--preset ultrafast" --video "$dir/fast.mp4" --from 690 --to 749 --preset ultrafast
settings() { grep -a -o 'options: [^[:cntrl:]]*' "$1" | head -n 1; }
# has VIDEO SETTING...: x264 wrote each SETTING into VIDEO.
has() {
  local video=$1 setting
  shift
  for setting in "$@"; do settings "$video" | grep -q " $setting " || fail "$video was not encoded with $setting: $(settings "$video")"; done
}
has "$dir/silent.mp4" crf=23.0 subme=7   # medium
has "$dir/small.mp4" crf=40.0 subme=7
has "$dir/fast.mp4" crf=23.0 subme=0     # ultrafast
[ "$(stat -c %s "$dir/small.mp4")" -lt "$(stat -c %s "$dir/silent.mp4")" ] || fail "--crf 40 made no smaller file"

echo "ok: a soundtrack cut and padded to the video with its frames unchanged; missing, unreadable, silent, junk" \
  "and piped audio refused; no file left when interrupted; --crf and --preset reach x264"
