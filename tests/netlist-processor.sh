#!/usr/bin/env bash
# netlist-processor.sh KORVAX KORVAX_RUN VECTORS: the stock processor run
# compiled and through its netlist file (-N, then korvax-run) with the same
# options, under the same name: the build and check (-X -E), the
# 81-key transcript (-X -k 0 and eighty 1s), and its test vectors (-X -v).
# Standard output, standard error and exit status must be byte for byte
# the same. -P, -e and -A, which a netlist cannot serve, are refused.
set -u
korvax=$1 run=$2 vectors=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
failures=0
(exec -a korvax "$korvax" -X -N processor.knl >/dev/null 2>"$tmp/write.err") ||
  { echo "FAIL: -N ended with status $?: $(cat "$tmp/write.err")"; exit 1; }
keys="0$(printf '1%.0s' $(seq 80))"
for args in "-X -E" "-X -k $keys" "-X -v $vectors"; do
  # shellcheck disable=SC2086
  (exec -a korvax "$korvax" $args >compiled.out 2>compiled.err); a=$?
  # shellcheck disable=SC2086
  (exec -a korvax "$run" processor.knl $args >netlist.out 2>netlist.err); b=$?
  name=${args:0:20}
  if [ "$a" -ne "$b" ]; then echo "FAIL: $name: status $a compiled, $b through the netlist"; failures=1; fi
  for s in out err; do
    if ! cmp -s "compiled.$s" "netlist.$s"; then
      echo "FAIL: $name: standard $s differs:"; diff "compiled.$s" "netlist.$s" | head -10; failures=1
    fi
  done
  echo "$name: status $a, $(wc -c <compiled.out) bytes of output, $(wc -l <compiled.err) lines of messages"
done
# What a netlist file cannot hold is refused, not run without it: the
# watches of -P and -e, and the program of -A.
for args in "-X -P" "-X -e clock" "-X -A prog.s"; do
  (exec -a korvax "$run" processor.knl $args >netlist.out 2>netlist.err); b=$?
  if [ "$b" -ne 2 ] || [ "$(wc -l <netlist.err)" -ne 1 ] || ! grep -q '^korvax-run: ' netlist.err; then
    echo "FAIL: korvax-run $args: status $b, said: $(cat netlist.err)"; failures=1
  fi
done
[ "$failures" -eq 0 ] && echo "the processor runs alike compiled and through its netlist"
exit "$failures"
