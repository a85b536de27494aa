#!/bin/sh
# recording.sh [BUILD_DIR [-r RUNS] [COPIES]]: what -Y costs. The multiplier
# workload of compare-icarus.sh (default 16 copies, -X -T 101400), built
# against BUILD_DIR (default build/), run in turns without and with
# `-Y clk` (which records the causes of every change for the whole run and
# explains the clock at its end; the chain is left out of the comparison) RUNS times (default 3). Prints each pair's
# CPU seconds (user + system), their ratio with / without, and the peak
# memory of each; the two must write the same products.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
[ $# -gt 0 ] && shift
runs=3
if [ "${1:-}" = "-r" ]; then runs=$2; shift 2; fi
copies=${1:-16}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --build "$build" -j2 --target korvax_layers bench-multgen >/dev/null
"$build/bench/bench-multgen" "$copies" "$work/mult.cpp" "$work/mult.v" >/dev/null
KORVAX_BUILD_DIR=$build "$top/tools/korvax-build" -s -o "$work/mult" "$work/mult.cpp" >/dev/null 2>&1
i=0
while [ "$i" -lt "$runs" ]; do
    /usr/bin/time -f "%U %S %M" -o "$work/off.time" "$work/mult" -X -T 101400 >/dev/null 2>"$work/off.err"
    /usr/bin/time -f "%U %S %M" -o "$work/on.time" "$work/mult" -X -T 101400 -Y clk >/dev/null 2>"$work/on.err"
    grep -v -e '^Every wire of clk' -e '^Why ' -e '^  ' "$work/on.err" | cmp -s - "$work/off.err" ||
        { echo "copies $copies: the run with -Y wrote other products" >&2; exit 1; }
    awk -v c="$copies" 'NR == FNR { o = $1 + $2; om = $3; next } { n = $1 + $2;
        printf "copies %d  off %6.2f s  -Y %6.2f s  -Y/off %.3f  (RSS off %.1f MB, -Y %.1f MB)\n",
            c, o, n, n / o, om / 1024, $3 / 1024 }' "$work/off.time" "$work/on.time"
    i=$((i + 1))
done
