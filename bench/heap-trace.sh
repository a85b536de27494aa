#!/bin/sh
# heap-trace.sh [COPIES…]: how much of a multiplier run (the workload of
# compare-icarus.sh, default 16 copies) its event queue alone requires.
# Configures build-trace (beside build/) with -DKORVAX_HEAP_TRACE=ON, runs
# the workload there with the heap's every add and removal written to a
# trace, and replays the trace with build/bench/bench-heap -t: the same
# operations in the same order on the simulator's heap and on a bare skew
# heap, nothing else. Beside it, the least CPU time (user + system) of three
# whole runs in build/. A trace takes 16 bytes per event (1.5 GB at 142
# copies), in a temporary folder removed at the end.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build
trace=$top/build-trace
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sizes=${*:-16}
[ -x /usr/bin/time ] || { echo "heap-trace: needs /usr/bin/time (Debian package time)" >&2; exit 1; }

if [ ! -f "$trace/CMakeCache.txt" ]; then
    gen=; command -v ninja >/dev/null && gen="-G Ninja"
    cmake -S "$top" -B "$trace" $gen -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVAX_HEAP_TRACE=ON >/dev/null
fi
cmake --build "$trace" -j2 --target korvax_layers >/dev/null
cmake --build "$build" -j2 --target korvax_layers bench-multgen bench-heap >/dev/null

for c in $sizes; do
    "$build/bench/bench-multgen" "$c" "$work/mult.cpp" "$work/mult.v" >/dev/null
    KORVAX_BUILD_DIR=$trace "$top/tools/korvax-build" -o "$work/traced" "$work/mult.cpp" >/dev/null 2>&1
    KORVAX_BUILD_DIR=$build "$top/tools/korvax-build" -o "$work/mult" "$work/mult.cpp" >/dev/null 2>&1
    KORVAX_HEAP_TRACE=$work/trace "$work/traced" -X -T 101400 >/dev/null 2>&1
    for i in 1 2 3; do
        /usr/bin/time -f "%U %S" -o "$work/time.$i" "$work/mult" -X -T 101400 >/dev/null 2>&1
    done
    whole=$(cat "$work"/time.* | awk '{ s = $1 + $2; if (NR == 1 || s < m) m = s } END { printf "%.2f", m }')
    echo "copies $c: whole run $whole s CPU (least of 3)"
    "$build/bench/bench-heap" -t "$work/trace"
    rm -f "$work/trace"
done
