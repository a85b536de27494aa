#!/usr/bin/env bash
# bench/library-build.sh [-r ROUNDS] TREE… : the first build of the library,
# what a student waits for before the first circuit, for each source tree
# given (for example a worktree of an older commit beside this one), in
# turns so that the machine's noise falls on all of them alike. Each round
# and tree starts from an empty build folder of its own:
#   configure  cmake -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo;
#   library    the tree's own `tools/korvax-build -l` into that folder
#              (KORVAX_BUILD_DIR), that is whatever the tree's korvax-build
#              builds before it can build a circuit: the library's archives
#              and, where the tree has them, the precompiled korvax.h and
#              the korvax-vectors checker; two jobs at a time.
# CPU time is user + system of every process (the compilers included), the
# least and the median of ROUNDS (default 3); wall time likewise. No compiler
# launcher is used, so a compiler cache never answers for the compiler.
# Prints one line per tree and measure, with the number of build steps run.
set -eu
rounds=3
if [ "${1:-}" = -r ]; then rounds=$2; shift 2; fi
[ $# -ge 1 ] || { echo "usage: bench/library-build.sh [-r ROUNDS] TREE..." >&2; exit 2; }
command -v ninja >/dev/null || { echo "bench/library-build.sh: needs ninja" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export CMAKE_BUILD_PARALLEL_LEVEL=2

# measure FILE COMMAND…: appends "cpu wall" of the command and all its
# children to FILE; a failing command ends the benchmark.
measure() {
  local file=$1; shift
  if ! /usr/bin/time -f '%U %S %e' -o "$work/time" "$@" >"$work/out" 2>&1; then
    cat "$work/out" >&2
    echo "bench/library-build.sh: failed: $*" >&2
    exit 1
  fi
  awk '{ printf "%.3f %.3f\n", $1 + $2, $3 }' "$work/time" >>"$file"
}

for ((r = 1; r <= rounds; r++)); do
  i=0
  for tree in "$@"; do
    i=$((i + 1))
    tree=$(cd "$tree" && pwd)
    dir=$work/build.$i
    rm -rf "$dir"
    measure "$work/configure.$i" cmake -S "$tree" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER_LAUNCHER=
    measure "$work/library.$i" env KORVAX_BUILD_DIR="$dir" "$tree/tools/korvax-build" -l
    # .ninja_log: a header line, then one line per output written.
    tail -n +2 "$dir/.ninja_log" | cut -f4 >"$work/outputs.$i"
    rm -rf "$dir"
  done
done

# stats FILE COLUMN: the least and the median of a column.
stats() {
  cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 } END { printf "least %.2f median %.2f", v[1], v[int((NR + 1) / 2)] }'
}
i=0
for tree in "$@"; do
  i=$((i + 1))
  echo "$tree: configure CPU s $(stats "$work/configure.$i" 1), wall s $(stats "$work/configure.$i" 2)"
  echo "$tree: library CPU s $(stats "$work/library.$i" 1), wall s $(stats "$work/library.$i" 2)" \
    "($(grep -c . "$work/outputs.$i") outputs, $(grep -c '\.o$' "$work/outputs.$i") objects)"
done
