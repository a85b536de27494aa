#!/bin/sh
# side-by-side.sh OLD_BUILD NEW_BUILD [-r RUNS] [COPIES…]: two builds of the
# simulator (two build folders, e.g. of two worktrees) on the multiplier
# workload of compare-icarus.sh, run in turns so that both see the same load
# on a shared machine. For each size (default 16 64 142) it builds the
# workload once per build, runs old and new alternately RUNS times (default
# 3) and prints each pair's CPU seconds (user + system) and their ratio
# new / old, then per size the lowest and highest ratio and the highest
# peak memory of each build. The two must write the same products and apply
# the same number of events.
set -eu
[ $# -ge 2 ] || { echo "usage: side-by-side.sh OLD_BUILD NEW_BUILD [-r RUNS] [COPIES...]" >&2; exit 2; }
old=$(cd "$1" && pwd) new=$(cd "$2" && pwd)
shift 2
runs=3
if [ "${1:-}" = "-r" ]; then runs=$2; shift 2; fi
sizes=${*:-16 64 142}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for b in "$old" "$new"; do { cmake --build "$b" --target bench-multgen korvax_layers || cmake --build "$b" --target bench-multgen korvax_sim; } >/dev/null 2>&1; done
# Each build is linked by the korvax-build of its own source tree, which
# knows what that build records.
tree() { sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$1/CMakeCache.txt"; }
oldTree=$(tree "$old") newTree=$(tree "$new")
for c in $sizes; do
    "$new/bench/bench-multgen" "$c" "$work/mult.cpp" "$work/mult.v" >/dev/null
    KORVAX_BUILD_DIR=$old "$oldTree/tools/korvax-build" -o "$work/old" "$work/mult.cpp" >/dev/null 2>&1
    KORVAX_BUILD_DIR=$new "$newTree/tools/korvax-build" -o "$work/new" "$work/mult.cpp" >/dev/null 2>&1
    i=0
    while [ "$i" -lt "$runs" ]; do
        for v in old new; do
            /usr/bin/time -f "%U %S %M" -o "$work/$v.time" "$work/$v" -X -T 101400 >/dev/null 2>"$work/$v.err"
        done
        if ! cmp -s "$work/old.err" "$work/new.err"; then
            echo "copies $c: old and new wrote different products or event counts" >&2
            exit 1
        fi
        awk -v c="$c" 'NR == FNR { o = $1 + $2; om = $3; next } { n = $1 + $2;
            printf "copies %4d  old %7.2f s  new %7.2f s  new/old %.3f  (RSS old %.1f MB, new %.1f MB)\n",
                c, o, n, n / o, om / 1024, $3 / 1024 }' "$work/old.time" "$work/new.time" | tee -a "$work/pairs"
        i=$((i + 1))
    done
    echo "copies $c: $(sed -n 's/^events //p' "$work/new.err") events in each run"
    # The summary of this size's pairs: fields 10 (the ratio), 13 and 16
    # (the peak memories).
    awk -v c="$c" '$2 == c {
            if (n++ == 0 || $10 < lo) lo = $10
            if (n == 1 || $10 > hi) hi = $10
            if ($13 > om) om = $13
            if ($16 > nm) nm = $16 }
        END { printf "copies %d: new/old %.3f to %.3f; peak RSS old %.1f MB, new %.1f MB\n", c, lo, hi, om, nm }' \
        "$work/pairs"
done
