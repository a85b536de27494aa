#!/bin/sh
# compare-icarus.sh [-r RUNS] [COPIES…]: Korvax against Icarus Verilog on the
# same circuit and simulated time (see multgen.cpp): C LFSR-fed 16 x 16 array
# multipliers clocked for 100 cycles, C = 1 4 16 64 142 by default.
#
# Installs Icarus Verilog from Debian's packages when it is missing (as
# root), builds the generator and, per size, the Korvax executable
# (tools/korvax-build, -O2) and the Icarus program (iverilog) from the
# scalar-net Verilog. Runs each RUNS times (default 3), one after the other,
# and keeps the least CPU time (user + system) of each: on a shared machine
# it varies far less than wall time. A size counts only if both wrote the
# same sequence of products. Prints per size: gates, Korvax CPU seconds,
# Icarus compile and run CPU seconds, how many times faster Korvax runs
# than Icarus, events applied by Korvax, nanoseconds of Korvax CPU time per
# event, and the peak resident memory of each run.
set -eu

runs=3
if [ "${1:-}" = "-r" ]; then runs=$2; shift 2; fi
sizes=${*:-1 4 16 64 142}
top=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVAX_BUILD:-$top/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! command -v iverilog >/dev/null 2>&1; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "compare-icarus: Icarus Verilog is missing; install the Debian package iverilog" >&2
        exit 1
    fi
    apt-get install -y iverilog >/dev/null
fi
[ -x /usr/bin/time ] || { echo "compare-icarus: needs /usr/bin/time (Debian package time)" >&2; exit 1; }

{ cmake --build "$build" --target bench-multgen korvax_layers || cmake --build "$build" --target bench-multgen korvax_sim; } >/dev/null 2>&1
gen=$build/bench/bench-multgen

# timed OUT LOG CMD…: runs CMD with standard error into OUT; LOG gets
# "user system maxKB", which cputime turns into "seconds maxKB".
timed() {
    out=$1 log=$2
    shift 2
    /usr/bin/time -f "%U %S %M" -o "$log" "$@" >/dev/null 2>"$out"
    cputime "$log"
}
cputime() { awk '{ printf "%.2f %d\n", $1 + $2, $3 }' "$1" >"$1.s" && mv "$1.s" "$1"; }

# best LOGS…: the fastest of the runs, "seconds maxKB".
best() { sort -n "$@" | head -1; }

printf '%7s %8s %9s %11s %9s %8s %12s %9s %9s %9s\n' copies gates korvax_s icarus_cc_s icarus_s speedup korvax_events ns_per_ev korvax_MB icarus_MB
for c in $sizes; do
    dir=$work/c$c
    mkdir -p "$dir"
    gates=$("$gen" "$c" "$dir/mult.cpp" "$dir/mult.v")
    KORVAX_BUILD_DIR=$build "$top/tools/korvax-build" -o "$dir/mult" "$dir/mult.cpp" >/dev/null 2>&1
    timed "$dir/cc.err" "$dir/cc.time" iverilog -o "$dir/mult.vvp" "$dir/mult.v"
    i=0
    while [ "$i" -lt "$runs" ]; do
        timed "$dir/k.err" "$dir/k.$i" "$dir/mult" -X -T 101400
        /usr/bin/time -f "%U %S %M" -o "$dir/i.$i" vvp -n "$dir/mult.vvp" >"$dir/i.out" 2>/dev/null
        cputime "$dir/i.$i"
        i=$((i + 1))
    done
    grep -E '^[0-9a-f]+$' "$dir/k.err" >"$dir/k.lines" || true
    grep -E '^[0-9a-f]+$' "$dir/i.out" >"$dir/i.lines" || true
    if ! cmp -s "$dir/k.lines" "$dir/i.lines" || [ "$(wc -l <"$dir/k.lines")" -ne 100 ]; then
        echo "copies $c: the product sequences differ ($(wc -l <"$dir/k.lines") and $(wc -l <"$dir/i.lines") lines); not counted" >&2
        continue
    fi
    events=$(sed -n 's/^events //p' "$dir/k.err")
    set -- $(best "$dir"/k.[0-9]*)
    ks=$1 kmb=$2
    set -- $(best "$dir"/i.[0-9]*)
    is=$1 imb=$2
    set -- $(cat "$dir/cc.time")
    cs=$1
    awk -v c="$c" -v g="$gates" -v ks="$ks" -v cs="$cs" -v is="$is" -v ev="$events" -v kmb="$kmb" -v imb="$imb" 'BEGIN {
        printf "%7d %8d %9.2f %11.2f %9.2f %8.1f %12d %9.0f %9.1f %9.1f\n",
            c, g, ks, cs, is, (ks > 0 ? is / ks : 0), ev, (ev > 0 ? ks * 1e9 / ev : 0), kmb / 1024, imb / 1024 }'
done
