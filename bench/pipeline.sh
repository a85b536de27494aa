#!/usr/bin/env bash
# bench/pipeline.sh [BUILD_DIR]: how fast the processor simulates headless.
#
# 1. Building and checking the netlist: build/korvax -X -E (phase one to
#    phase three, no run), the mean of 20 runs.
# 2. Clock cycles per second of the stock executable: key 0, then 120
#    presses of key 1 (60 cycles, as far as the program goes before the PC
#    reaches the RAM), probe output discarded; the netlist time is
#    subtracted. Mean of 10 runs.
# 3. The same on the test bench circuit with a program that loops forever
#    (a load, a store and a backward branch), for 2000 cycles, once with the
#    probe lines discarded and once with them written to a file.
set -eu
build=${1:-build}
korvax=$build/korvax
bench=$build/tests/circuits/pipeline-bench

now() { date +%s.%N; }
# mean wall seconds of REPEATS runs of the command; its output goes to
# $sink (default: discarded)
sink=/dev/null
timeit() {
  local repeats=$1; shift
  local start end
  start=$(now)
  for _ in $(seq "$repeats"); do "$@" >"$sink" 2>&1; done
  end=$(now)
  echo "($end - $start) / $repeats" | bc -l
}
presses() { printf '1%.0s' $(seq "$1"); }

netlist=$(timeit 20 "$korvax" -X -E)
printf 'netlist build and check (1533 components, 1306 signals): %.2f ms\n' "$(echo "$netlist * 1000" | bc -l)"

stock=$(timeit 10 "$korvax" -X -k "0$(presses 120)")
printf 'stock program, 60 cycles: %.2f ms per run, %.0f cycles/s\n' \
  "$(echo "$stock * 1000" | bc -l)" "$(echo "60 / ($stock - $netlist)" | bc -l)"

if [ -x "$bench" ]; then
  # 0: setlo r1, 0x40   4: st r1 -> [r1+1]   5: ld r2 <- [r1+1]
  # 6: add r3 <- r3 + 1   7: bra -3 (to 4)
  export KORVAX_PROGRAM="0A40 0 0 0 8849 5049 1859 C7FD"
  long=$(timeit 3 "$bench" -X -k "0$(presses 4000)")
  printf 'looping program on the test bench, 2000 cycles, output discarded: %.2f s per run, %.0f cycles/s\n' \
    "$long" "$(echo "2000 / $long" | bc -l)"
  sink=$(mktemp)
  long=$(timeit 3 "$bench" -X -k "0$(presses 4000)")
  rm -f "$sink"
  printf 'looping program on the test bench, 2000 cycles, output to a file: %.2f s per run, %.0f cycles/s\n' \
    "$long" "$(echo "2000 / $long" | bc -l)"
fi
