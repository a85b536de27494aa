#!/usr/bin/env bash
# bench/input.sh [BUILD_DIR [ROUNDS [OTHER_KORVAX]]]: the processor's window
# operated by keys under an X server of its own (Xvfb), ROUNDS times
# (default 3), side by side in each round:
# 1. processor time of an idle window over 10 s (and of OTHER_KORVAX, an
#    older build, when given);
# 2. clock cycles per second stepped by keys sent to the window as fast as
#    xdotool sends them (key 0, then 80 presses of key 1: 40 cycles, until
#    Reg1 shows FFFE; xdotool waits KEY_DELAY ms, default 5, between
#    keys), against the same keys typed by -k without a window (-X, probe
#    lines discarded), each including building the netlist; then the same
#    keys typed as fast as the window answers (2b below), where xdotool's
#    pace no longer counts;
# 3. the time from a clock key typed through XTEST to the changed pixel of
#    the clock switch's pane: KEYS presses (default 50), each read back by
#    bench-keys as fast as the server answers; each time, the median and
#    the 95th percentile. SKIP_IDLE=1 leaves out part 1.
set -eu
build=${1:-build}
rounds=${2:-3}
other=${3:-}
korvax=$build/korvax xpeek=$build/tests/xpeek centres=$build/tests/pane-centres

tmp=$(mktemp -d /tmp/korvax-bench-XXXXXX)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
server=$!
pids=($server)
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$tmp"' EXIT
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$tmp/display")
now() { date +%s.%N; }
"$centres" 1025 825 | awk '{ print $2, $4, $5 }' >"$tmp/centres"
at() { awk -v p="$1" '$1 == p { print $2, $3; exit }' "$tmp/centres"; }
reg1=()
for p in gk.ae gl.aa gl.ab gl.ac gl.ad gl.ae gm.aa gm.ab gm.ac gm.ad gm.ae gn.aa gn.ab gn.ac gn.ad gn.ae; do
  reg1+=($(at "$p"))
done
fffe="$(printf '#008000\n%.0s' $(seq 15))"$'\n#F0FFF0'
clock=$(at bd.ac-ae)

# window PROGRAM LABEL: starts PROGRAM in a window titled with LABEL, waits
# for it and focuses it; sets pid and wid.
window() {
  "$1" -W "$2" >/dev/null 2>&1 &
  pid=$!
  pids+=($pid)
  "$xpeek" window "Korvax v20190215$2" >/dev/null
  wid=$(xdotool search --name "^Korvax v20190215$2\$" | head -n1)
  xdotool windowfocus --sync "$wid"
}
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

for r in $(seq "$rounds"); do
  if [ "${SKIP_IDLE:-}" != 1 ]; then
  # 1. Idle windows, side by side over the same 10 s.
  window "$korvax" " idle$r"
  idle=$pid
  if [ -n "$other" ]; then window "$other" " old$r"; old=$pid; fi
  sleep 1
  a=$(ticks $idle); [ -n "$other" ] && ao=$(ticks $old)
  sleep 10
  b=$(ticks $idle); [ -n "$other" ] && bo=$(ticks $old)
  line="round $r: idle 10 s: $(echo "($b - $a) * 100 / $hz / 10" | bc -l | xargs printf '%.2f')% of a core"
  [ -n "$other" ] && line+=", older build $(echo "($bo - $ao) * 100 / $hz / 10" | bc -l | xargs printf '%.1f')%"
  echo "$line"
  kill $idle; [ -n "$other" ] && kill $old
  fi

  # 2. Forty cycles by keys in the window, and by -k headless.
  c0=$(now)
  window "$korvax" " keys$r"
  xdotool key --delay "${KEY_DELAY:-5}" 0 $(printf '1 %.0s' $(seq 80))
  for _ in $(seq 600); do
    [ "$("$xpeek" pixels "Korvax v20190215 keys$r" "${reg1[@]}")" = "$fffe" ] && break
  done
  c1=$(now)
  "$korvax" -X -k "0$(printf '1%.0s' $(seq 80))" >/dev/null 2>&1
  c2=$(now)
  printf 'round %d: 40 cycles by keys in the window %.2f s (%.1f cycles/s), by -k headless %.2f s (%.1f cycles/s)\n' \
    "$r" "$(echo "$c1 - $c0" | bc -l)" "$(echo "40 / ($c1 - $c0)" | bc -l)" \
    "$(echo "$c2 - $c1" | bc -l)" "$(echo "40 / ($c2 - $c1)" | bc -l)"

  # 2b. The same forty cycles typed as fast as the window answers: after
  #     key 0, bench-keys sends each press of key 1 as soon as the clock
  #     switch's pane shows the previous one, with no pause; the time is
  #     bench-keys' whole run. Reg1 must then show FFFE (no cycle lost).
  keysWindow=$pid
  window "$korvax" " fast$r"
  xdotool key 0
  sleep 0.3
  f0=$(now)
  "$build/bench/bench-keys" "Korvax v20190215 fast$r" $clock 80 0 >/dev/null
  f1=$(now)
  state="Reg1 not FFFE: a cycle was lost"
  for _ in $(seq 100); do
    [ "$("$xpeek" pixels "Korvax v20190215 fast$r" "${reg1[@]}")" = "$fffe" ] && { state="Reg1 FFFE"; break; }
  done
  kill $pid
  xdotool windowfocus --sync "$(xdotool search --name "^Korvax v20190215 keys$r\$" | head -n1)"
  printf 'round %d: 40 cycles by keys as fast as the window answers %.3f s (%.0f cycles/s, %s)\n' \
    "$r" "$(echo "$f1 - $f0" | bc -l)" "$(echo "40 / ($f1 - $f0)" | bc -l)" "$state"

  # 3. Key press to redrawn pane: KEYS (default 50) presses sent through
  #    XTEST and read back by one program (bench-keys), so that neither
  #    xdotool's nor xpeek's start-up is counted.
  "$build/bench/bench-keys" "Korvax v20190215 keys$r" $clock "${KEYS:-50}" | sed "s/^/round $r: /"
  kill $keysWindow
done
