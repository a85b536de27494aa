# Helpers of the tests under a real X server, sourced by the scripts in this
# directory. They keep their files in $tmp and the processes they start in
# `pids`, which `cleanup` (installed on exit) ends.
tmp=$(mktemp -d /tmp/korvax-x-XXXXXX)
status=0
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; status=1; }

# start_xvfb: starts an X server of its own (display number of its own
# choosing), exports DISPLAY and sets xvfb_pid.
start_xvfb() {
  command -v Xvfb >/dev/null || { echo "Xvfb is not installed (make test installs it)" >&2; exit 1; }
  rm -f "$tmp/display"
  # -noreset: when its last client goes (a window the test has ended),
  # the server stays as it is; otherwise it resets, and a window started
  # during the reset could not connect ("Unable to open X Window").
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
  xvfb_pid=$!
  pids+=($xvfb_pid)
  for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
  [ -s "$tmp/display" ] || { cat "$tmp/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$(head -n1 "$tmp/display")
}

# The colour of each value in the window.
colour() {
  case $1 in
    ONE) echo "#008000" ;; ZERO) echo "#F0FFF0" ;; UNINITIALIZED) echo "#FFFFFF" ;;
    XXX) echo "#FF8C00" ;; HIZ) echo "#FFEBCD" ;; *) echo "?" ;;
  esac
}

# start NAME ARGS…: runs the program $korvax in the background, its output
# in $tmp/NAME.out and $tmp/NAME.err; sets started_pid.
start() {
  local name=$1; shift
  "$korvax" "$@" >"$tmp/$name.out" 2>"$tmp/$name.err" &
  started_pid=$!
  pids+=($started_pid)
}

# ends_within PID SECONDS: whether the background process PID ends within
# SECONDS (fractions allowed); if so its exit status is in ended_status.
ends_within() {
  local pid=$1 polls
  polls=$(awk -v s="$2" 'BEGIN { printf "%d", s * 20 }')
  for _ in $(seq "$polls"); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      ended_status=$?
      return 0
    fi
    sleep 0.05
  done
  kill -0 "$pid" 2>/dev/null && return 1
  wait "$pid"
  ended_status=$?
}

# settle TITLE WANT POINTS…: waits (up to a minute) until the pixels at
# POINTS read WANT, one colour per line; shows the difference otherwise.
settle() {
  local title=$1 want=$2; shift 2
  for _ in $(seq 120); do
    "$xpeek" pixels "$title" "$@" >"$tmp/got" 2>/dev/null && [ "$(cat "$tmp/got")" = "$want" ] && return 0
    sleep 0.5
  done
  diff <(echo "$want") "$tmp/got" >&2
  return 1
}
