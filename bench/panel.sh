#!/usr/bin/env bash
# bench/panel.sh [BUILD_DIR [CYCLES [ROUNDS]]]: what the watch panel costs
# on the processor's window, under an X server of its own (Xvfb).
#
# 1. The panel's redraws (bench-panel): every line remade and drawn, a
#    sample with nothing changed, one line changed; each with a round trip
#    to the server.
# 2. The stored program stepped by -k in the window (key 0, then 2 x CYCLES
#    presses of key 1, default 300 cycles) with the panel hidden and with
#    it shown (-F ';' replays F11 before the first picture), in turns,
#    ROUNDS times (default 5), and beside them the hidden panel in a
#    window as narrow as the schematic's part of the shown one (-g), since
#    a narrower schematic costs the server less to draw. The runs go on
#    after their last key, so each is stopped by -T just before the time at
#    which the headless run ends. Each figure includes building the
#    netlist; the medians of the wall-clock and of the simulator's
#    processor time, and their ratios, close the output.
set -eu
build=${1:-build}
cycles=${2:-300}
rounds=${3:-5}
korvax=$build/korvax

tmp=$(mktemp -d /tmp/korvax-bench-XXXXXX)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$tmp"' EXIT
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$tmp/display")

"$build/bench/bench-panel" 200 | tee "$tmp/redraws"
band=$(awk '/^panel band:/ { print $3 }' "$tmp/redraws")
narrow=$((1025 - band))x825

keys="0$(printf '1%.0s' $(seq $((2 * cycles))))"
end=$("$korvax" -X -k "$keys" 2>&1 >/dev/null | awk '/^Time = / { t = $3 } END { print t }')
# run ARGS…: one windowed run; prints its wall-clock and its processor
# time (user and system) in seconds.
TIMEFORMAT='%R %U %S'
run() { { time "$korvax" -k "$keys" -T $((end - 1)) "$@" >/dev/null 2>&1; } 2>&1 | awk '{ print $1, $2 + $3 }'; }
for r in $(seq "$rounds"); do
  read -r hw hc <<<"$(run)"
  read -r sw sc <<<"$(run -F ';')"
  read -r nw nc <<<"$(run -g "$narrow")"
  echo "$hw $sw $nw $hc $sc $nc" >>"$tmp/times"
  printf 'round %d: %d cycles, wall (processor) s: panel hidden %.2f (%.2f), shown %.2f (%.2f), hidden at %s %.2f (%.2f)\n' \
    "$r" "$cycles" "$hw" "$hc" "$sw" "$sc" "$narrow" "$nw" "$nc"
done
median() { sort -n -k"$1","$1" "$tmp/times" | awk -v k="$1" '{ v[NR] = $k } END { print v[int((NR + 1) / 2)] }'; }
for k in 1 4; do
  h=$(median $k) s=$(median $((k + 1))) n=$(median $((k + 2)))
  what=$([ $k = 1 ] && echo "wall-clock" || echo "processor time")
  printf 'median %s: hidden %.2f s, shown %.2f s, hidden at %s %.2f s; shown/hidden %.3f, shown/narrow hidden %.3f\n' \
    "$what" "$h" "$s" "$narrow" "$n" "$(echo "$s / $h" | bc -l)" "$(echo "$s / $n" | bc -l)"
done
