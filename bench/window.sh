#!/usr/bin/env bash
# bench/window.sh [BUILD_DIR [CYCLES [ROUNDS]]]: the processor's window
# under an X server of its own (Xvfb).
#
# 1. One full repaint at level 1 and at the deepest level, with a round
#    trip to the server after each (bench-repaint).
# 2. Clock cycles per second of the stock program stepped by -k (key 0,
#    then 2 x CYCLES presses of key 1, default 60 cycles) in the window,
#    against the same run without a window (-X, probe lines discarded),
#    side by side, ROUNDS times (default 3). The windowed run goes on after
#    its last key, so it is stopped by -T just before the time at which the
#    headless run ends. Each figure includes building the netlist (and
#    the window's opening and first picture).
# 3. The stepping alone: the same two runs with 10 x CYCLES cycles, in the
#    same round; the extra cycles over the extra time are the cycles per
#    second once the program has started.
set -eu
build=${1:-build}
cycles=${2:-60}
rounds=${3:-3}
korvax=$build/korvax

tmp=$(mktemp -d /tmp/korvax-bench-XXXXXX)
# -noreset: a desktop's X server does not start over each time its last
# client leaves; without it, every windowed run here would also wait for
# Xvfb to reset itself (about 20 ms each, measured), which is the server's
# cost and not the window's.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$tmp"' EXIT
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$tmp/display")

"$build/bench/bench-repaint" 20

keys="0$(printf '1%.0s' $(seq $((2 * cycles))))"
more="0$(printf '1%.0s' $(seq $((20 * cycles))))"
ends() { "$korvax" -X -k "$1" 2>&1 >/dev/null | awk '/^Time = / { t = $3 } END { print t }'; }
end=$(ends "$keys") moreEnd=$(ends "$more")
now() { date +%s.%N; }
for r in $(seq "$rounds"); do
  a=$(now); "$korvax" -X -k "$keys" >/dev/null 2>&1; b=$(now)
  "$korvax" -k "$keys" -T $((end - 1)) >/dev/null 2>&1; c=$(now)
  printf 'round %d: %d cycles headless %.2f s (%.0f cycles/s), in the window %.2f s (%.0f cycles/s)\n' "$r" "$cycles" \
    "$(echo "$b - $a" | bc -l)" "$(echo "$cycles / ($b - $a)" | bc -l)" \
    "$(echo "$c - $b" | bc -l)" "$(echo "$cycles / ($c - $b)" | bc -l)"
  d=$(now); "$korvax" -X -k "$more" >/dev/null 2>&1; e=$(now)
  "$korvax" -k "$more" -T $((moreEnd - 1)) >/dev/null 2>&1; f=$(now)
  printf 'round %d: stepping alone (%d against %d cycles): headless %.0f cycles/s, in the window %.0f cycles/s\n' "$r" \
    $((10 * cycles)) "$cycles" "$(echo "9 * $cycles / ($e - $d - ($b - $a))" | bc -l)" \
    "$(echo "9 * $cycles / ($f - $e - ($c - $b))" | bc -l)"
done
