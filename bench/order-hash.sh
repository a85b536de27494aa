#!/bin/sh
# order-hash.sh [BUILD_DIR]: the order check. Configures BUILD_DIR (default
# build-order, beside build/) with -DKORVAX_ORDER_HASH=ON, builds the
# simulator there and prints the hash lines of two runs:
#   multiplier  the compare-icarus.sh workload at 16 copies (-X -T 101400);
#   processor   build/korvax -X -k 0 followed by eighty 1s.
# Each line gives the number of applied events and their hash (time, wire,
# value, in order) and the number of evaluations and their hash (time,
# component). Two versions of the engine that must behave alike print the
# same lines; run this in each tree and compare.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-order}
case $build in /*) ;; *) build=$PWD/$build ;; esac
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ ! -f "$build/CMakeCache.txt" ]; then
    gen=; command -v ninja >/dev/null && gen="-G Ninja"
    cmake -S "$top" -B "$build" $gen -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVAX_ORDER_HASH=ON >/dev/null
fi
cmake --build "$build" -j2 --target korvax korvax_layers bench-multgen >/dev/null

"$build/bench/bench-multgen" 16 "$work/mult.cpp" "$work/mult.v" >/dev/null
KORVAX_BUILD_DIR=$build "$top/tools/korvax-build" -o "$work/mult" "$work/mult.cpp" >/dev/null 2>&1
printf 'multiplier 16: '
"$work/mult" -X -T 101400 2>&1 >/dev/null | grep '^order hash'
printf 'processor 81 keys: '
"$build/korvax" -X -k "0$(printf '1%.0s' $(seq 80))" 2>&1 >/dev/null | grep '^order hash'
