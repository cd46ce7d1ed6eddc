#!/usr/bin/env bash
# The real program played to the end, twice: it must count every frame, quit
# by itself with status 0, print nothing else (MESA_DEBUG=1 would print GL
# usage errors), and print the same each time.
source "$(dirname "$0")/e2e_lib.sh"
bin=$1

counter_lines 1 4200 >"$dir/expected"
for run in 1 2; do
  MESA_DEBUG=1 timeout 300 "$bin" >"$dir/out$run" 2>"$dir/err$run"
  expect_status $? 0 "run $run"
  expect_file "$dir/out$run" "$dir/expected" "standard output of run $run"
  expect_text "$dir/err$run" "" "standard error of run $run"
done
cmp -s "$dir/out1" "$dir/out2" || fail "the two runs printed differently"
echo "ok: two runs of 4200 frames, byte-identical output, exit status 0, no GL usage errors"
