#!/usr/bin/env bash
# starwhirl-capture as a user runs it: pictures, video, bad input, a missing
# ffmpeg, other people's files, targets that are not plain files, odd names,
# closed streams, interruptions, a lost X server and a driver it cannot draw
# offscreen with.
source "$(dirname "$0")/e2e_lib.sh"
# A step that fails where the test does not look ends it. Not pipefail: the
# shared helpers read pgrep's empty answer through a pipe, and --help is
# read only as far as grep -q needs.
set -e
# The clean-up's kill of a program that already ended must not cut it short
# before the scratch folder goes.
trap 'set +e; umount "$dir/full" 2>/dev/null; cleanup' EXIT
bin=$(realpath "$1")
# ffmpeg's trials go here, so that the test sees what they leave.
export TMPDIR=$dir/tmp
mkdir "$TMPDIR"
# partial_of NAME EXT: the unfinished file of NAME.EXT, if there is one.
partial_of() { ls "$dir/$1".partial-??????"$2" 2>/dev/null || true; }
# frames_of VIDEO: how many frames the video holds.
frames_of() { ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 "$1"; }

# Width, height, bit depth and colour type from a PNG's header.
png_header() { od -An -tu1 -j16 -N10 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8, $9, $10 }'; }

status=0
"$bin" --frames 0,250,701,2500,3500 --out "$dir/pics" 2>"$dir/err" || status=$?
[ "$status" -eq 0 ] || fail "pictures: exit status $status: $(cat "$dir/err")"
for f in 0000 0250 0701 2500 3500; do
  p="$dir/pics/frame-$f.png"
  [ -s "$p" ] || fail "no $p"
  [ "$(png_header "$p")" = "800 600 8 2" ] || fail "$p is not an 800x600 8-bit RGB PNG: $(png_header "$p")"
done
[ "$(ls "$dir/pics" | wc -l)" -eq 5 ] || fail "unexpected files: $(ls "$dir/pics")"

"$bin" --video "$dir/show.mp4" --from 690 --to 749 --fps 30 2>"$dir/err" || status=$?
[ "$status" -eq 0 ] || fail "video: exit status $status: $(cat "$dir/err")"
info=$(ffprobe -v error -count_frames -select_streams v:0 \
  -show_entries stream=codec_name,pix_fmt,width,height,nb_read_frames -of csv=p=0 "$dir/show.mp4")
[ "$info" = "h264,800,600,yuv420p,60" ] || fail "video is '$info'"
grep -q 'frames 750/750' "$dir/err" || fail "no progress line: $(cat "$dir/err")"

"$bin" --help | grep -q -- '--video FILE' || fail "--help does not describe --video"

# expect_failure STATUS MESSAGE ARGUMENTS...: the capture ends with STATUS and
# one line on stderr that holds MESSAGE.
expect_failure() {
  local want=$1 says=$2 status=0
  shift 2
  env PATH="${CAPTURE_PATH:-$PATH}" "$bin" "$@" >"$dir/out" 2>"$dir/err" || status=$?
  [ "$status" -eq "$want" ] || fail "$*: exit status $status, wanted $want: $(cat "$dir/err")"
  [ "$(wc -l <"$dir/err")" -eq 1 ] || fail "$*: wanted one line on stderr, got: $(cat "$dir/err")"
  grep -qF -- "$says" "$dir/err" || fail "$*: stderr does not say '$says': $(cat "$dir/err")"
}
expect_failure 2 'unknown option "--bogus"' --bogus
expect_failure 2 'expects a frame number, not "x"' --frames 1,x --out "$dir/never"
expect_failure 2 'is past the show'"'"'s last frame, 4199 (frames run from 0 to 4199)' --frames 99999999999999999999
expect_failure 2 'before the show' --frames -1
expect_failure 2 'past the show' --frames 4200
expect_failure 2 'is after --to' --video "$dir/v.mp4" --from 20 --to 10
touch "$dir/file"
expect_failure 2 "$dir/file is not a folder" --frames 1 --out "$dir/file"
expect_failure 2 "$dir/file/ is not a folder" --frames 1 --out "$dir/file/"
expect_failure 2 'cannot use folder' --video /nonexistent-folder/v.mp4
[ ! -e "$dir/never" ] || fail "a refused run created its output folder"
CAPTURE_PATH=/nonexistent expect_failure 1 'ffmpeg program is not installed' --video "$dir/v.mp4"
# A folder made for pictures goes again when the capture fails before them.
env -u DISPLAY PATH=/nonexistent "$bin" --frames 1 --out "$dir/made" 2>"$dir/err" || status=$?
expect_status "$status" 1 "no X display and no Xvfb"
grep -qF 'no virtual X server' "$dir/err" || fail "no word of the missing Xvfb: $(cat "$dir/err")"
[ ! -e "$dir/made" ] || fail "a failed capture left the folder it made"
status=0

# Targets that cannot work are refused before the first frame.
mkdir "$dir/adir"
expect_failure 2 "--video $dir/adir is a folder" --video "$dir/adir"
expect_failure 2 "--video $dir/adir/ names a folder" --video "$dir/adir/"
expect_failure 2 "ffmpeg cannot write a video named $dir/out.xyz (it says: Unable to find a suitable output format" \
  --video "$dir/out.xyz"
# Picture formats write one file per frame, under a pattern: 'shot%03d.png'
# would be 0 bytes while shot001.png... pile up beside it.
for picture in single.png 'shot%03d.png' x.jpg; do
  expect_failure 2 "--video $dir/$picture names a picture, not a video; use --frames for pictures" \
    --video "$dir/$picture"
done
expect_failure 2 "ffmpeg writes a video named $dir/list.m3u8 as many files" --video "$dir/list.m3u8"
[ -z "$(ls "$dir/adir")" ] && [ -z "$(ls "$dir" | grep -v '^\(adir\|err\|file\|out\|pics\|show.mp4\|tmp\)$')" ] ||
  fail "a refused video left files: $(ls "$dir" "$dir/adir")"

# Other people's files are never touched, whatever their names; a name that
# starts with "-" is still a file name, and so is one with "%".
echo precious >"$dir/keep.partial.mp4"
echo precious >"$dir/pics/frame-0003.png.partial"
(cd "$dir" && "$bin" --video -x.mp4 --to 5 --frames 3 --out pics 2>"$dir/err") || fail "-x.mp4: $(cat "$dir/err")"
(cd "$dir" && "$bin" --video keep.mp4 --to 5 2>"$dir/err") || fail "keep.mp4: $(cat "$dir/err")"
(cd "$dir" && "$bin" --video 'shot%03d.mp4' --to 5 2>"$dir/err") || fail "shot%03d.mp4: $(cat "$dir/err")"
[ -s "$dir/-x.mp4" ] && [ -s "$dir/keep.mp4" ] && [ -s "$dir/pics/frame-0003.png" ] || fail "a video or picture is missing"
[ "$(frames_of "$dir/shot%03d.mp4")" = 6 ] || fail "shot%03d.mp4 does not hold the 6 frames"
[ "$(cat "$dir/keep.partial.mp4")" = precious ] || fail "the capture overwrote keep.partial.mp4"
[ "$(cat "$dir/pics/frame-0003.png.partial")" = precious ] || fail "the capture overwrote frame-0003.png.partial"
[ -z "$(ls "$dir" "$dir/pics" | grep -- '-......\.\(mp4\|png\)$')" ] || fail "temporary files were left: $(ls "$dir" "$dir/pics")"
[ "$(ls "$dir" | grep '^shot')" = 'shot%03d.mp4' ] ||
  fail "files beside shot%03d.mp4: $(ls "$dir")"

# The longest names the system takes: the temporary name must fit too.
long=$(printf 'x%.0s' $(seq 246)).mp4
touch "$dir/$long" && rm "$dir/$long"
"$bin" --video "$dir/$long" --to 2 2>"$dir/err" || fail "a 250-byte name: $(cat "$dir/err")"
[ "$(frames_of "$dir/$long")" = 3 ] || fail "the video with a 250-byte name does not hold its 3 frames"

# A link is written through: the video lands where it points, the link stays
# a link, and the replaced file keeps its permissions.
mkdir "$dir/elsewhere"
echo old >"$dir/elsewhere/real.mp4"
chmod 600 "$dir/elsewhere/real.mp4"
ln -s elsewhere/real.mp4 "$dir/link.mp4"
"$bin" --video "$dir/link.mp4" --to 3 2>"$dir/err" || fail "a linked target: $(cat "$dir/err")"
[ -L "$dir/link.mp4" ] || fail "the link was replaced by a file"
[ "$(readlink "$dir/link.mp4")" = elsewhere/real.mp4 ] || fail "the link points elsewhere now"
[ "$(frames_of "$dir/elsewhere/real.mp4")" = 4 ] || fail "the link's target does not hold the video"
[ "$(stat -c %a "$dir/elsewhere/real.mp4")" = 600 ] || fail "the target's mode changed to $(stat -c %a "$dir/elsewhere/real.mp4")"
[ "$(ls "$dir/elsewhere")" = real.mp4 ] || fail "files left beside the link's target: $(ls "$dir/elsewhere")"

# A FIFO is written into, never replaced: the capture says it waits for a
# reader, and the reader that comes gets the whole video.
mkfifo "$dir/fifo.mp4"
"$bin" --video "$dir/fifo.mp4" --to 29 2>"$dir/err" &
pid=$!
started+=("$pid")
says_waiting() { grep -qxF "starwhirl-capture: waiting for a program to read the FIFO $1" "$dir/err"; }
for _ in $(seq 100); do says_waiting "$dir/fifo.mp4" && break; sleep 0.1; done
says_waiting "$dir/fifo.mp4" || fail "no word of waiting for the FIFO's reader: $(cat "$dir/err")"
cat "$dir/fifo.mp4" >"$dir/from-fifo.mp4" &
reader=$!
started+=("$reader")
wait "$pid" || fail "a FIFO target: $(cat "$dir/err")"
wait "$reader" || fail "the FIFO's reader failed"
[ -p "$dir/fifo.mp4" ] || fail "the FIFO was replaced: $(ls -l "$dir/fifo.mp4")"
[ "$(frames_of "$dir/from-fifo.mp4")" = 30 ] || fail "the FIFO's reader did not get the 30 frames"
# So is a device, such as /dev/null for a trial run (here a node of our own,
# where we may make one).
if mknod "$dir/null" c 1 3 2>/dev/null; then
  "$bin" --video "$dir/null" --to 2 2>"$dir/err" || fail "a device target: $(cat "$dir/err")"
  [ -c "$dir/null" ] || fail "the device was replaced: $(ls -l "$dir/null")"
else
  echo "note: cannot make a device node here; the device target is not tried"
fi
[ -z "$(ls "$TMPDIR")" ] || fail "ffmpeg's trials left files: $(ls -R "$TMPDIR")"

# Standard error closed: its number must not go to the X connection, where
# the progress text would corrupt the protocol and hang the capture.
timeout 60 "$bin" --frames 7 --out "$dir/pics" 2>&- || status=$?
expect_status $status 0 "standard error closed"
[ -s "$dir/pics/frame-0007.png" ] || fail "no picture with standard error closed"

# run_capture NAME ARGUMENTS...: a capture of NAME.mp4 in the background,
# ended by the script's clean-up if the test stops early; sets $pid.
run_capture() {
  local name=$1
  shift
  "$@" "$bin" --video "$dir/$name.mp4" 2>"$dir/err" &
  pid=$!
  started+=("$pid")
}
# ended_cleanly NAME WHAT STATUS: the capture of NAME.mp4 ended with STATUS,
# its children gone, and no video, finished or not, left behind.
ended_cleanly() {
  local status=0
  wait "$pid" || status=$?
  expect_status "$status" "$3" "$2"
  expect_gone "$2" $children
  [ ! -e "$dir/$1.mp4" ] && [ -z "$(partial_of "$1" .mp4)" ] || fail "$2 left a video file: $(ls "$dir")"
}

run_capture whole env
# encoding NAME: the capture of NAME.mp4 has begun writing it.
encoding() { [ -n "$(partial_of "$1" .mp4)" ]; }
# Its child once it is encoding: ffmpeg.
wait_for_children "$pid" 1 encoding whole
sleep 0.5
kill -INT "$pid"
ended_cleanly whole "SIGINT to a capture" 130
grep -q 'interrupted' "$dir/err" || fail "no word of the interruption: $(cat "$dir/err")"

# Without an X display the capture runs its own X server. A signal to the
# program the user started ends the server and ffmpeg too, removes the
# unfinished video, and the program ends by that signal.
run_capture headless env -u DISPLAY
wait_for_children "$pid" 2 encoding headless
sleep 0.5
kill -TERM "$pid"
ended_cleanly headless "SIGTERM to a capture without a display" 143

# However the capture ends, its own X server ends with it; here the show's
# font cannot be found, before any frame. The server is the real one, its
# number noted on the way.
mkdir "$dir/shim" "$dir/no-fonts"
printf '#!/bin/sh\necho $$ >"%s"\nexec "%s" "$@"\n' "$dir/server-pid" "$(command -v Xvfb)" >"$dir/shim/Xvfb"
chmod +x "$dir/shim/Xvfb"
printf '<?xml version="1.0"?>\n<fontconfig><dir>%s</dir><cachedir>%s</cachedir></fontconfig>\n' \
  "$dir/no-fonts" "$dir/no-fonts/cache" >"$dir/no-fonts/fonts.conf"
env -u DISPLAY PATH="$dir/shim:$PATH" FONTCONFIG_FILE="$dir/no-fonts/fonts.conf" \
  "$bin" --frames 1 --out "$dir/no-font-pictures" 2>"$dir/err" || status=$?
expect_status "$status" 1 "a capture without the show's font"
grep -q '^starwhirl-capture: cannot find font "verdana"' "$dir/err" ||
  fail "no word of the missing font in the capture program's name: $(cat "$dir/err")"
[ ! -e "$dir/no-font-pictures" ] || fail "a capture without the show's font left the folder it made"
expect_gone "a capture without the show's font" "$(cat "$dir/server-pid")"
status=0

# The X server going away ends the capture as a signal does: ffmpeg stopped,
# the unfinished video removed, one line of ours, and a failed status.
run_capture lost env -u DISPLAY
wait_for_children "$pid" 2 encoding lost
sleep 0.5
kill -TERM "$(pgrep -P "$pid" -x Xvfb)"
ended_cleanly lost "the X server's end" 1
grep -qF "starwhirl-capture: lost the X display" "$dir/err" || fail "no word of the lost display: $(cat "$dir/err")"
! grep -v -e '^No X display found' -e '^frames ' -e '^starwhirl-capture: lost' "$dir/err" ||
  fail "more than our line when the X server went away"

# ffmpeg blocked: the first signal ends the capture at once, ffmpeg and all.
# Stand-ins first on PATH: one that hangs, one that takes the frames and
# writes nothing (trials go to the real ffmpeg), one that writes nothing at all.
mkdir "$dir/hangs" "$dir/lies" "$dir/silent"
printf '#!/bin/sh\nexec sleep 100000\n' >"$dir/hangs/ffmpeg"
printf '#!/bin/sh\ncase "$*" in *lavfi*) exec "%s" "$@";; esac\ncat >/dev/null\n' "$(command -v ffmpeg)" >"$dir/lies/ffmpeg"
printf '#!/bin/sh\nexit 0\n' >"$dir/silent/ffmpeg"
chmod +x "$dir/hangs/ffmpeg" "$dir/lies/ffmpeg" "$dir/silent/ffmpeg"
# The trial's time limit, left to run out while the other cases go on.
PATH="$dir/hangs:$PATH" "$bin" --video "$dir/limit.mp4" >/dev/null 2>"$dir/err-limit" &
limit=$!
started+=("$limit")
# TERM to the capture alone, and INT to its whole group as Ctrl-C sends it.
for signal in TERM INT; do
  PATH="$dir/hangs:$PATH" setsid "$bin" --video "$dir/trial.mp4" 2>"$dir/err" &
  pid=$!
  started+=("$pid")
  wait_for_children "$pid" 1 true
  if [ $signal = TERM ]; then kill -TERM "$pid"; else kill -INT -- "-$pid"; fi
  expect_gone "SIG$signal during ffmpeg's trial" "$pid" $children
  status=0
  wait "$pid" || status=$?
  expect_status "$status" "$([ $signal = TERM ] && echo 143 || echo 130)" "SIG$signal during ffmpeg's trial"
  expect_text "$dir/err" "starwhirl-capture: interrupted before the first frame; nothing was written" \
    "standard error of SIG$signal during ffmpeg's trial"
done
# A FIFO nobody reads: the capture says it waits, and a signal ends the wait.
mkfifo "$dir/unread.mp4"
run_capture unread env
for _ in $(seq 100); do says_waiting "$dir/unread.mp4" && break; sleep 0.1; done
says_waiting "$dir/unread.mp4" || fail "no word of waiting for the FIFO's reader: $(cat "$dir/err")"
kill -INT "$pid"
expect_gone "SIGINT while waiting for the FIFO's reader" "$pid"
wait "$pid" || status=$?
expect_status "$status" 130 "SIGINT while waiting for the FIFO's reader"
[ -p "$dir/unread.mp4" ] || fail "the FIFO was replaced"
status=0
# An encoder that says it succeeded without writing leaves the old video.
cp "$dir/keep.mp4" "$dir/kept.mp4"
env PATH="$dir/lies:$PATH" "$bin" --video "$dir/keep.mp4" --to 5 2>"$dir/err" || status=$?
expect_status "$status" 1 "an encoder that wrote nothing"
tail -n 1 "$dir/err" | grep -qxF "starwhirl-capture: ffmpeg ended without an error, but its video holds 0 of the 6 frames; $dir/keep.mp4 was left as it was" ||
  fail "an encoder that wrote nothing: $(cat "$dir/err")"
cmp -s "$dir/keep.mp4" "$dir/kept.mp4" && [ -z "$(partial_of keep .mp4)" ] || fail "the old keep.mp4 was not kept alone"
status=0
CAPTURE_PATH="$dir/silent:$PATH" expect_failure 1 \
  "ffmpeg ended its one-frame trial for $dir/v.mp4 without an error but wrote nothing" --video "$dir/v.mp4"
wait "$limit" || status=$?
expect_status "$status" 1 "a trial that hangs"
expect_text "$dir/err-limit" "starwhirl-capture: ffmpeg's one-frame trial for $dir/limit.mp4 did not end within 20 s, so it was stopped; ffmpeg seems to hang (does \`ffmpeg -version\` answer?)" \
  "standard error of a trial that hangs"
status=0
[ -z "$(ls "$TMPDIR")" ] && [ -z "$(pgrep -x sleep -a | grep 100000)" ] || fail "the stand-ins' trials left something"

# The container follows the name given, MP4 without an extension; "-" is
# standard output, refused when that is a terminal.
(cd "$dir" && "$bin" --video plain --to 2 2>"$dir/err" && "$bin" --video .mp4 --to 2 2>>"$dir/err" &&
  "$bin" --video - --to 2 >"$dir/stdout.mp4" 2>>"$dir/err") || fail "names without an extension: $(cat "$dir/err")"
for video in plain .mp4 stdout.mp4; do
  [ "$(ffprobe -v error -show_entries format=format_name -of default=nw=1:nk=1 "$dir/$video")" = mov,mp4,m4a,3gp,3g2,mj2 ] &&
    [ "$(frames_of "$dir/$video")" = 3 ] || fail "$video is not an MP4 of the 3 frames"
done
grep -qx 'wrote the video to standard output (frames 0 to 2 at 60 frames/s)' "$dir/err" || fail "$(cat "$dir/err")"
script -qec "$bin --video -" /dev/null >"$dir/terminal" && fail "--video - to a terminal was not refused"
grep -qF -- "--video - writes the video to standard output, which is a terminal here" "$dir/terminal" ||
  fail "--video - to a terminal: $(cat "$dir/terminal")"

# A target with other hard links gets a new file, as every target does; the
# other names keep the old video.
ln "$dir/kept.mp4" "$dir/linked.mp4"
"$bin" --video "$dir/kept.mp4" --to 1 2>"$dir/err" || fail "a hard-linked target: $(cat "$dir/err")"
[ "$(frames_of "$dir/kept.mp4")" = 2 ] && [ "$(frames_of "$dir/linked.mp4")" = 6 ] ||
  fail "a hard-linked target: the new video or the other name's old one is wrong"

# Targets refused before the first frame: a name one byte longer than the
# folder takes; another user's file in a sticky folder, tried as nobody since
# root may replace anything there.
expect_failure 2 "its name is 256 bytes long, and the folder $dir takes names of at most 255; give a shorter name" \
  --video "$dir/$(printf 'x%.0s' $(seq 252)).mp4"
if [ "$(id -u)" -eq 0 ]; then
  chmod 755 "$dir"
  mkdir -m 1777 "$dir/sticky"
  echo theirs >"$dir/sticky/theirs.mp4"
  echo theirs >"$dir/sticky/frame-0001.png"
  for what in "--video $dir/sticky/theirs.mp4" "--frames 1 --out $dir/sticky"; do
    status=0
    setpriv --reuid=nobody --regid=nogroup --clear-groups "$bin" $what 2>"$dir/err" || status=$?
    expect_status "$status" 2 "$what as another user in a sticky folder"
    grep -qx "starwhirl-capture: cannot replace $dir/sticky/\(theirs.mp4\|frame-0001.png\): it belongs to another user, .*" "$dir/err" ||
      fail "$what as another user in a sticky folder: $(cat "$dir/err")"
  done
  [ "$(cat "$dir/sticky/theirs.mp4" "$dir/sticky/frame-0001.png")" = "$(printf 'theirs\ntheirs')" ] || fail "the sticky folder's files changed"
else
  echo "note: not root; another user's file in a sticky folder is not tried"
fi
status=0

# A full $TMPDIR is named as the folder that is full (a small tmpfs, where
# this system lets us mount one).
mkdir "$dir/full"
if mount -t tmpfs -o size=64k tmpfs "$dir/full" 2>/dev/null; then
  dd if=/dev/zero of="$dir/full/filler" bs=4k 2>/dev/null || true
  TMPDIR="$dir/full" expect_failure 1 "the folder for ffmpeg's trial, $dir/full, is full; make room there" \
    --video "$dir/room.mp4"
  umount "$dir/full"
else
  echo "note: cannot mount a tmpfs here; a full TMPDIR is not tried"
fi

# Standard output full or closed: --help and --version say so.
for args in --help --version; do
  status=0
  "$bin" $args >/dev/full 2>"$dir/err" || status=$?
  expect_status "$status" 1 "$args to a full disk"
  expect_text "$dir/err" "starwhirl-capture: cannot write to standard output: No space left on device" "$args >/dev/full"
done
status=0
"$bin" --help >&- 2>"$dir/err" || status=$?
expect_status "$status" 1 "--help with standard output closed"
grep -qx "starwhirl-capture: cannot write to standard output: .*" "$dir/err" || fail "--help >&-: $(cat "$dir/err")"
status=0

# The private X server's own messages stay off the user's terminal, unless
# it does not start.
mkdir "$dir/chatty" "$dir/failing"
printf '#!/bin/sh\necho "_XSERVTransSocketUNIXCreateListener: server chatter" >&2\nexec "%s" "$@"\n' "$(command -v Xvfb)" >"$dir/chatty/Xvfb"
printf '#!/bin/sh\necho "Fatal server error: no screens" >&2\nexit 1\n' >"$dir/failing/Xvfb"
chmod +x "$dir/chatty/Xvfb" "$dir/failing/Xvfb"
env -u DISPLAY PATH="$dir/chatty:$PATH" "$bin" --frames 2 --out "$dir/pics" 2>"$dir/err" || fail "$(cat "$dir/err")"
! grep -q chatter "$dir/err" || fail "the X server's messages reached the terminal: $(cat "$dir/err")"
env -u DISPLAY PATH="$dir/failing:$PATH" "$bin" --frames 2 --out "$dir/pics" 2>"$dir/err" || status=$?
expect_status "$status" 1 "an X server that does not start"
expect_text "$dir/err" "No X display found: rendering on a private virtual X server (Xvfb).
Fatal server error: no screens
starwhirl-capture: no X display, and the virtual X server (Xvfb) did not start" "standard error when Xvfb does not start"
status=0

# An indirect GLX context draws no framebuffers (and answers the size limits
# with whatever it likes); the capture must say so before the first frame,
# whatever --size asks for. Not under AddressSanitizer: there Mesa's
# indirect GLX reads past its own version string as the window opens.
if ldd "$bin" | grep -q libasan; then
  echo "note: the driver without framebuffers is not tried under AddressSanitizer"
else
  Xvfb -displayfd 3 +iglx -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/iglx-display" 2>/dev/null &
  started+=("$!")
  for _ in $(seq 100); do [ -s "$dir/iglx-display" ] && break; sleep 0.1; done
  [ -s "$dir/iglx-display" ] || fail "no Xvfb with indirect GLX"
  status=0
  DISPLAY=":$(cat "$dir/iglx-display")" LIBGL_ALWAYS_INDIRECT=1 \
    "$bin" --video "$dir/indirect.mp4" --frames 3 --out "$dir/indirect-pictures" 2>"$dir/err" || status=$?
  expect_status "$status" 1 "a driver without framebuffers"
  expect_text "$dir/err" "starwhirl-capture: cannot draw offscreen: this OpenGL driver has no framebuffer objects (indirect GLX rendering has none)" \
    "standard error with a driver without framebuffers"
  [ ! -e "$dir/indirect.mp4" ] && [ -z "$(partial_of indirect .mp4)" ] || fail "a driver without framebuffers left a video file"
  [ ! -e "$dir/indirect-pictures" ] || fail "a failed capture left the folder it made"
  [ -z "$(pgrep -f -- "$dir/indirect")" ] || fail "ffmpeg outlived the capture: $(pgrep -af -- "$dir/indirect")"
fi

echo "ok: pictures, video, refusals, missing ffmpeg, others' files kept, odd names, links, FIFOs and devices," \
  "closed stderr, interruption with and without a display, a lost X server, signals while ffmpeg is blocked," \
  "the trial's time limit, a lying encoder, names without an extension, hard links, long names, sticky folders," \
  "a full TMPDIR, --help to a full disk, the X server's messages, no framebuffers"
