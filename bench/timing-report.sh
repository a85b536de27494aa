#!/bin/sh
# timing-report.sh [BUILD_DIR [COPIES]]: the time -R takes on a large
# circuit: the multiplier workload of compare-icarus.sh at COPIES copies
# (default 671, about a million gates), built against BUILD_DIR (default
# build/). Prints the component count, the report's longest path and the
# CPU seconds and peak memory of the whole -X -R run (build of the
# netlist included) and of -X -E, which builds and checks the same and
# stops: the difference is the report's share.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
copies=${2:-671}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --build "$build" -j2 --target korvax_layers bench-multgen >/dev/null
"$build/bench/bench-multgen" "$copies" "$work/mult.cpp" "$work/mult.v" >/dev/null
KORVAX_BUILD_DIR=$build "$top/tools/korvax-build" -s -o "$work/mult" "$work/mult.cpp" >/dev/null 2>&1
for option in -E -R; do
    /usr/bin/time -f "%U %S %M" -o "$work/time" "$work/mult" -X $option >"$work/out" 2>"$work/err"
    awk -v o="$option" '{ printf "-X %s: %.2f s CPU, peak RSS %.0f MB\n", o, $1 + $2, $3 / 1024 }' "$work/time"
done
sed -n 's/^Components: /components: /p; /^Longest path/p' "$work/out"
