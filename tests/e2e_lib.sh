# Shared by the whole-program test scripts: a scratch folder that is removed
# at the end, programs that are stopped at the end, and exact comparisons.
# No -e or pipefail: a program's failing status is what most tests look at
# (expect_status), and some pipelines end on purpose in a reader that quits
# early (head, grep -q), which is the point of the console tests.
set -u
dir=$(mktemp -d)
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$dir"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# The console lines the show prints for frames FIRST to LAST.
counter_lines() { seq "$1" "$2" | sed 's/$/.000000/'; }

# expect_status ACTUAL EXPECTED WHAT
expect_status() { [ "$1" -eq "$2" ] || fail "$3: exit status $1, expected $2"; }

# expect_file FILE EXPECTED-FILE WHAT: the two files are byte for byte equal.
expect_file() {
  if ! cmp -s "$1" "$2"; then
    { echo "--- expected $3 (first lines):"; head -n 5 "$2"; echo "--- got ($(wc -l <"$1") lines):"; head -n 5 "$1"; } >&2
    fail "$3 is not as expected"
  fi
}

# expect_text FILE TEXT WHAT: the file holds exactly TEXT (empty: nothing).
expect_text() {
  if [ -z "$2" ]; then : >"$dir/expected-text"; else printf '%s\n' "$2" >"$dir/expected-text"; fi
  expect_file "$1" "$dir/expected-text" "$3"
}

# The id of the show's window once it is mapped.
window_of() { timeout 30 xdotool search --sync --onlyvisible --pid "$1" --name '^starwhirl$' | head -n 1; }

# Ends the show at PID with Escape and waits; sets $status.
press_escape() {
  xdotool windowfocus --sync "$2" key Escape || fail "could not send Escape"
  wait "$1"
  status=$?
}

# wait_for_children PID COUNT CONDITION...: waits until PID has COUNT children
# and CONDITION holds; sets $children.
wait_for_children() {
  local pid=$1 count=$2
  shift 2
  for _ in $(seq 100); do
    children=$(pgrep -P "$pid" | tr '\n' ' ')
    [ "$(echo $children | wc -w)" -eq "$count" ] && "$@" && return 0
    sleep 0.1
  done
  fail "expected $count children of $pid, got: $children"
}

# expect_gone WHAT PIDS...: every one of PIDS ends soon.
expect_gone() {
  local what=$1 pid
  shift
  for pid in "$@"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "child $pid ($(ps -o comm= -p "$pid")) outlived $what"
  done
  return 0
}
