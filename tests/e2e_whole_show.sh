#!/usr/bin/env bash
# The real program played to the end, twice: it must count every frame, quit
# by itself with status 0, make no GL usage error, and print the same each time.
set -u
bin=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

seq 1 4200 | sed 's/$/.000000/' >"$dir/expected"
for run in 1 2; do
  MESA_DEBUG=1 timeout 300 "$bin" >"$dir/out$run" 2>"$dir/err$run"
  status=$?
  [ "$status" -eq 0 ] || { cat "$dir/err$run" >&2; fail "run $run: exit status $status"; }
  if grep -q 'Mesa: User error' "$dir/err$run"; then
    grep 'Mesa: User error' "$dir/err$run" | head -n 5 >&2
    fail "run $run: GL usage errors"
  fi
  cmp -s "$dir/expected" "$dir/out$run" ||
    fail "run $run: standard output is not the lines 1.000000 ... 4200.000000 ($(wc -l <"$dir/out$run") lines, last: $(tail -n 1 "$dir/out$run"))"
done
cmp -s "$dir/out1" "$dir/out2" || fail "the two runs printed differently"
echo "ok: two runs of 4200 frames, exit status 0, no GL usage errors"
