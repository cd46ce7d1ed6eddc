#!/usr/bin/env bash
# The show on machines with other fonts than ours: none at all, a damaged
# font, a different face. Each case gets a private fontconfig configuration
# that sees only the one folder the case fills.
source "$(dirname "$0")/e2e_lib.sh"
bin=$1
dejavu=/usr/share/fonts/truetype/dejavu
[ -f "$dejavu/DejaVuSans.ttf" ] || fail "needs $dejavu/DejaVuSans.ttf (fonts-dejavu-core)"

# use_fonts CASE: a configuration whose only font folder is $dir/CASE/fonts.
use_fonts() {
  mkdir -p "$dir/$1/fonts"
  cat >"$dir/$1/fonts.conf" <<CONF
<?xml version="1.0"?>
<fontconfig><dir>$dir/$1/fonts</dir><cachedir>$dir/$1/cache</cachedir></fontconfig>
CONF
  export FONTCONFIG_FILE=$dir/$1/fonts.conf
}

# expect_refusal WHAT MESSAGE: the show ends at start-up, before any frame,
# with status 1 and exactly one line.
expect_refusal() {
  timeout 60 "$bin" >"$dir/out" 2>"$dir/err"
  expect_status $? 1 "$1"
  expect_text "$dir/out" "" "standard output with $1 (no frame may be shown)"
  expect_text "$dir/err" "$2" "standard error with $1"
}

# Offset and length of the table TAG in the TrueType file FILE.
table_range() {
  local file=$1 tag=$2 count i name
  count=$(od -An -tu1 -j4 -N2 "$file" | awk '{ print $1 * 256 + $2 }')
  for ((i = 0; i < count; i++)); do
    read -r -a b <<<"$(od -An -tu1 -j$((12 + 16 * i)) -N16 "$file" | tr -s ' \n' '  ')"
    name=$(printf "\\$(printf %o "${b[0]}")\\$(printf %o "${b[1]}")\\$(printf %o "${b[2]}")\\$(printf %o "${b[3]}")")
    if [ "$name" = "$tag" ]; then
      echo $((((b[8] * 256 + b[9]) * 256 + b[10]) * 256 + b[11])) $((((b[12] * 256 + b[13]) * 256 + b[14]) * 256 + b[15]))
      return
    fi
  done
  fail "no $tag table in $file"
}

no_font='starwhirl: cannot find font "verdana": fontconfig knows no font that could stand in for it'

use_fonts none
expect_refusal "no font at all" "$no_font"

# fontconfig does not list a file that is not a font.
use_fonts not-a-font
echo "this is not a font" >"$dir/not-a-font/fonts/DejaVuSans.ttf"
expect_refusal "only a file that is not a font" "$no_font"

# Listed while whole, cut short afterwards: fontconfig's cache still offers it.
use_fonts truncated
font=$dir/truncated/fonts/DejaVuSans.ttf
cp "$dejavu/DejaVuSans.ttf" "$font"
timeout 60 "$bin" 2>/dev/null | head -n 1 >/dev/null
truncate -s 40000 "$font"
expect_refusal "a truncated font" \
  "starwhirl: cannot use font \"verdana\": cannot open $font: unknown file format (FreeType error 0x02)"

# Opens and looks whole, but its glyph outlines are garbage.
use_fonts damaged
font=$dir/damaged/fonts/DejaVuSans.ttf
cp "$dejavu/DejaVuSans.ttf" "$font"
read -r offset length <<<"$(table_range "$font" glyf)"
head -c "$length" /dev/zero | tr '\0' '\377' |
  dd of="$font" bs=65536 seek="$offset" oflag=seek_bytes conv=notrunc status=none
expect_refusal "a font with damaged glyphs" \
  "starwhirl: cannot use font \"verdana\": cannot load the glyph for code 0 from $font: invalid composite glyph (FreeType error 0x15)"

# Neither Verdana nor its usual stand-in: the one face there is serves.
use_fonts other-face
cp "$dejavu/DejaVuSansMono.ttf" "$dir/other-face/fonts/"
counter_lines 1 4200 >"$dir/all"
MESA_DEBUG=1 timeout 300 "$bin" >"$dir/out" 2>"$dir/err"
expect_status $? 0 "another face"
expect_file "$dir/out" "$dir/all" "standard output with another face"
expect_text "$dir/err" "" "standard error with another face"

echo "ok: no font, not a font, truncated and damaged fonts each end with one line and status 1; another face plays to the end"
