#!/usr/bin/env bash
# starwhirl-capture at other sizes: --size 800x600 is the default exactly, a
# frame drawn at twice the size is the same picture, a 1080p video, and
# sizes that cannot work refused before the first frame.
source "$(dirname "$0")/e2e_lib.sh"
bin=$(realpath "$1")
compare=$(dirname "$0")/compare_pictures.sh

png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }
# to_ppm PNG PPM [FILTER]: the picture as a binary PPM, through an ffmpeg filter.
to_ppm() { ffmpeg -v error -y -i "$1" ${3:+-vf "$3"} -f image2 -c:v ppm "$2" || fail "ffmpeg could not read $1"; }
capture() {  # what, arguments...
  local what=$1
  shift
  "$bin" "$@" 2>"$dir/err" || fail "$what: exit status $?: $(cat "$dir/err")"
}

capture "pictures" --frames 350,2400 --out "$dir/plain"
capture "pictures at --size 800x600" --frames 350,2400 --out "$dir/sized" --size 800x600
capture "video" --video "$dir/plain.mp4" --to 30
capture "video at --size 800x600" --video "$dir/sized.mp4" --to 30 --size 800x600
for file in plain/frame-0350.png plain/frame-2400.png plain.mp4; do
  cmp -s "$dir/$file" "$dir/${file/plain/sized}" || fail "${file/plain/sized} differs from $file made without --size"
done

# Frame 2400 drawn at 1600x1200 and scaled down by two is frame 2400 at
# 800x600: the Sun, the planets and the text where they were. Edges and
# glyphs sampled at another scale differ slightly: 833 pixels differ by more
# than 10 % in some colour; shifting the 800x600 picture by one pixel makes
# over 3000 differ.
capture "a picture at 1600x1200" --frames 2400 --out "$dir/double" --size 1600x1200
[ "$(png_size "$dir/double/frame-2400.png")" = 1600x1200 ] || fail "the picture is $(png_size "$dir/double/frame-2400.png")"
to_ppm "$dir/plain/frame-2400.png" "$dir/plain.ppm"
to_ppm "$dir/double/frame-2400.png" "$dir/half.ppm" scale=800:600:flags=area
read -r differing big < <(bash "$compare" "$dir/plain.ppm" "$dir/half.ppm")
[ "$big" -le 1500 ] || fail "frame 2400 at 1600x1200, scaled down, has $big pixels off by more than 10 % (at most 1500)"

capture "a 1080p video" --video "$dir/hd.mp4" --to 9 --size 1920x1080
info=$(ffprobe -v error -count_frames -select_streams v:0 \
  -show_entries stream=codec_name,pix_fmt,width,height,nb_read_frames -of csv=p=0 "$dir/hd.mp4")
[ "$info" = "h264,1920,1080,yuv420p,10" ] || fail "the 1080p video is '$info'"

refused() {  # line, arguments...
  local line=$1
  shift
  "$bin" "$@" >"$dir/out" 2>"$dir/err"
  expect_status $? 2 "$*"
  expect_text "$dir/err" "starwhirl-capture: $line" "standard error of $*"
  [ ! -e "$dir/never" ] && [ -z "$(ls "$dir" | grep refused)" ] || fail "$*: a refused capture wrote files"
}
refused '--size expects WIDTHxHEIGHT, each side from 1 to 32767 pixels (e.g. 1920x1080), not "1920"' \
  --frames 1 --out "$dir/never" --size 1920
refused '--size 1921x1080 cannot be a video: the encoder (H.264, yuv420p) needs an even width and height; try 1920x1080' \
  --video "$dir/refused.mp4" --size 1921x1080
refused '--size 16384x16384 is too large for a video: ffmpeg takes pictures of fewer than about 268 million pixels, and its H.264 encoder at most 16384 pixels a side; try 16384x16128' \
  --video "$dir/refused.mp4" --size 16384x16384
# Past what the driver draws (16384 on each side for Mesa's llvmpipe).
"$bin" --frames 1 --out "$dir/never" --size 32767x32767 >"$dir/out" 2>"$dir/err"
expect_status $? 2 "--size 32767x32767"
[ "$(wc -l <"$dir/err")" -eq 1 ] &&
  grep -qx 'starwhirl-capture: --size 32767x32767 is larger than this OpenGL driver can draw: at most [0-9]*x[0-9]*' "$dir/err" ||
  fail "--size 32767x32767: $(cat "$dir/err")"
[ -z "$(ls -A "$dir/never")" ] || fail "--size 32767x32767: a refused capture wrote pictures"

# Too little memory for frames this large: one line naming the size and what
# it needs, and nothing left behind. Not under AddressSanitizer, which
# reserves more address space than the limit allows.
if ldd "$bin" | grep -q libasan; then
  echo "note: a capture without enough memory is not tried under AddressSanitizer"
else
  (ulimit -v $((3 * 1024 * 1024)) && exec "$bin" --size 16384x16128 --frames 0 --out "$dir/big" \
    --video "$dir/big.mp4" --to 0) >"$dir/out" 2>"$dir/err"
  expect_status $? 1 "a capture without enough memory"
  tail -n 1 "$dir/err" | grep -qx 'starwhirl-capture: not enough memory for frames of 16384x16128: each needs about 3.4 GiB (the offscreen frame and copies of it); try a smaller --size' ||
    fail "a capture without enough memory: $(cat "$dir/err")"
  [ ! -e "$dir/big" ] && [ -z "$(ls "$dir" | grep '^big')" ] || fail "a capture without enough memory left files: $(ls "$dir")"
fi

echo "ok: --size 800x600 byte-identical to no --size; frame 2400 at 1600x1200 scaled down has $big pixels off by more than 10 % ($differing differ at all); a 1920x1080 video; malformed, odd and too large sizes refused; too little memory said"
