#!/usr/bin/env bash
# explain-test.sh CIRCUIT XPEEK CENTRES BUILD_DIR: Shift with button 1 in a
# real window. The test circuit's flip-flop whose D is Not of an undriven
# input is clocked once with key c, so that it loads XXX; Shift-click on it
# prints the chain of causes (the Dff loaded while d was unknown, d from the
# Not, u driven by nothing) and outlines the Dff and the Not in the XXX
# colour until the next repaint (Control-l). A plain click prints nothing.
# Screenshots: BUILD_DIR/window-explain.png and window-explain-repainted.png.
set -u
korvax=$1 xpeek=$2 centres=$3 out=$4
. "$(dirname "$0")/xserver.sh"
command -v xdotool >/dev/null || { echo "xdotool is not installed (make test installs it)" >&2; exit 1; }
start_xvfb

title="Korvax v20190215 explain"
"$centres" -u 0 5 >"$tmp/centres" || fail "component-centres"
# index x y w h decal: the Dff is the third component, the Not the second.
read -r _ dx dy dw dh _ < <(sed -n 3p "$tmp/centres")
read -r _ nx ny nw nh _ < <(sed -n 2p "$tmp/centres")
[ -n "${dx:-}" ] && [ -n "${nx:-}" ] || { fail "no centres: $(cat "$tmp/centres")"; exit 1; }

start explain -u 0 5 -W " explain"
"$xpeek" window "$title" >/dev/null || { fail "the window did not appear"; exit 1; }
wid=$(xdotool search --name "^$title\$" | head -n1)
xdotool windowfocus --sync "$wid"
sleep 0.5
xdotool key c
sleep 0.5
# A plain click in direct mode says nothing.
xdotool mousemove --window "$wid" "$dx" "$dy" click 1
xdotool mousemove --window "$wid" "$dx" "$dy" keydown shift click 1 keyup shift
for _ in $(seq 50); do grep -q "an input nothing drives" "$tmp/explain.err" && break; sleep 0.1; done
sleep 0.3

grep -q '^Why q\[0\] is XXX at time [0-9]*:$' "$tmp/explain.err" || fail "no chain for q[0]: $(cat "$tmp/explain.err")"
grep -q 'set by Dff at ac, in tests/circuits/explain.cpp:[0-9]*' "$tmp/explain.err" || fail "the chain does not name the Dff"
grep -q 'loaded at time [0-9]* while an input it loads was unknown:' "$tmp/explain.err" || fail "the load is not said"
grep -q 'set by Not at ab, in tests/circuits/explain.cpp:[0-9]*' "$tmp/explain.err" || fail "the chain does not name the Not"
grep -q 'u\[0\] is UNINITIALIZED from the start: origin: an input nothing drives' "$tmp/explain.err" ||
  fail "the chain does not end at the undriven input"
[ "$(grep -c '^Why ' "$tmp/explain.err")" = 1 ] || fail "the plain click or the Shift-click explained more than once"

# The outlines: four pixels outside each rectangle, left edge, in the XXX colour.
xxx=$(colour XXX)
dl=$((dx - dw / 2 - 4)) nl=$((nx - nw / 2 - 4))
settle "$title" "$(printf '%s\n%s' "$xxx" "$xxx")" "$dl" "$dy" "$nl" "$ny" || fail "the Dff and the Not are not outlined"
"$xpeek" png "$title" "$out/window-explain.png" || fail "screenshot"

# Control-l repaints: the outlines are gone.
xdotool key ctrl+l
sleep 0.5
"$xpeek" pixels "$title" "$dl" "$dy" >"$tmp/after"
[ "$(cat "$tmp/after")" != "$xxx" ] || fail "the outline is still there after the repaint"
"$xpeek" png "$title" "$out/window-explain-repainted.png" || fail "screenshot after the repaint"
exit $status
