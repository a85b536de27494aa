#!/bin/sh
# bench/stderr-file.sh OLD_BUILD NEW_BUILD [ROUNDS [PRESSES]]: headless
# throughput with standard error going to a file, where the probe lines of
# the stock processor go: two builds' korvax -X -k (key 0, then PRESSES
# presses of key 1, default 50000) in turns, ROUNDS times (default 5), each
# run's CPU seconds (user + system) and the bytes written; then the least
# of each and their ratio new / old. The two must write the same bytes.
set -eu
[ $# -ge 2 ] || { echo "usage: stderr-file.sh OLD_BUILD NEW_BUILD [ROUNDS [PRESSES]]" >&2; exit 2; }
old=$1 new=$2 rounds=${3:-5} presses=${4:-50000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
keys="0$(printf '1%.0s' $(seq "$presses"))"
run() {  # run BUILD NAME: CPU seconds of one run; its standard error in $work/NAME
    /usr/bin/time -f '%U %S' -o "$work/$2.time" "$1/korvax" -X -k "$keys" >/dev/null 2>"$work/$2"
    awk '{ printf "%.3f", $1 + $2 }' "$work/$2.time"
}
bestOld= bestNew=
for r in $(seq "$rounds"); do
    a=$(run "$old" old) b=$(run "$new" new)
    cmp -s "$work/old" "$work/new" || { echo "the two builds wrote different standard error" >&2; exit 1; }
    echo "round $r: old $a s, new $b s CPU, $(wc -c <"$work/new") bytes of standard error"
    bestOld=$(echo "$a ${bestOld:-$a}" | awk '{ print ($1 < $2) ? $1 : $2 }')
    bestNew=$(echo "$b ${bestNew:-$b}" | awk '{ print ($1 < $2) ? $1 : $2 }')
done
echo "least: old $bestOld s, new $bestNew s, new/old $(echo "$bestNew $bestOld" | awk '{ printf "%.3f", $1 / $2 }')"
