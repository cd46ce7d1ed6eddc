#!/usr/bin/env bash
# compare_pictures.sh A.ppm B.ppm: how many pixels of two equally sized
# binary PPM pictures differ at all, and by more than 10 % (26 of 255 levels)
# in some colour. Prints "DIFFERENT BIG".
set -euo pipefail
header=$(head -c 64 "$1" | awk 'NR <= 3 { n += length($0) + 1 } END { print n }')
{ cmp -l "$1" "$2" || true; } | awk -v header="$header" '
  function octal(text,   value, i) { value = 0; for (i = 1; i <= length(text); i++) value = value * 8 + substr(text, i, 1); return value }
  {
    pixel = int(($1 - 1 - header) / 3)
    d = octal($2) - octal($3); if (d < 0) d = -d
    differing[pixel] = 1
    if (d > 25) big[pixel] = 1
  }
  END { n = 0; m = 0; for (p in differing) n++; for (p in big) m++; print n, m }'
