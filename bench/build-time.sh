#!/usr/bin/env bash
# bench/build-time.sh [-r ROUNDS] TREE… : what students and teachers wait for,
# for each source tree given (a checkout whose build/ holds a built library,
# for example a worktree of an older commit beside this one), in turns so
# that the machine's noise falls on all of them alike:
#   build   tools/korvax-build of examples/full-adder.cpp (the library
#           already built): CPU time (user + system of every process) and
#           wall time, the least and the median of ROUNDS (default 5).
# Grading's time is bench/grading.sh's: korvax-check runs every build in a
# sandbox whose processes the time of its caller does not count, so only a
# control group of its own sees all of its CPU time.
# Prints one line per tree.
set -eu
rounds=5
if [ "${1:-}" = -r ]; then rounds=$2; shift 2; fi
[ $# -ge 1 ] || { echo "usage: bench/build-time.sh [-r ROUNDS] TREE..." >&2; exit 2; }
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# measure FILE COMMAND…: appends "cpu wall" of the command to FILE; the
# CPU time is that of the command and all its children.
measure() {
  local file=$1; shift
  /usr/bin/time -f '%U %S %e' -o "$work/time" "$@" >/dev/null 2>&1 || true
  awk '{ printf "%.3f %.3f\n", $1 + $2, $3 }' "$work/time" >>"$file"
}

for ((r = 1; r <= rounds; r++)); do
  i=0
  for tree in "$@"; do
    i=$((i + 1))
    measure "$work/build.$i" "$tree/tools/korvax-build" -o "$work/fa.$i" "$here/examples/full-adder.cpp"
  done
done

# stats FILE COLUMN DIVISOR: the least and the median of a column, divided.
stats() {
  cut -d' ' -f"$2" "$1" | sort -n | awk -v d="$3" '{ v[NR] = $1 / d } END { printf "least %.3f median %.3f", v[1], v[int((NR + 1) / 2)] }'
}
i=0
for tree in "$@"; do
  i=$((i + 1))
  echo "$tree: build CPU s $(stats "$work/build.$i" 1 1), wall s $(stats "$work/build.$i" 2 1)"
done
