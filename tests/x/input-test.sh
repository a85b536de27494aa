#!/usr/bin/env bash
# input-test.sh KORVAX XPEEK PANE_CENTRES BUILD_DIR [REPEATS]: operating the
# processor's window under the test's own Xvfb, with keys and buttons sent
# through XTEST (xdotool) after giving the window the input focus: clock
# presses, restart, lines, labels, levels, super probes, pause, the two
# zoom modes, a window unmapped and mapped again, F10 and the close
# request, the cost of an idle window, and the X server killed while keys arrive (REPEATS times,
# 20 unless given). Screenshots of the zoomed views in BUILD_DIR.
set -u
korvax=$1 xpeek=$2 centres=$3 out=$4 repeats=${5:-20}
. "$(dirname "$0")/xserver.sh"
command -v xdotool >/dev/null || { echo "xdotool is not installed (make test installs it)" >&2; exit 1; }
start_xvfb

"$centres" 1025 825 | awk '{ print $2, $4, $5 }' >"$tmp/centres"
at() { awk -v p="$1" '$1 == p { print $2, $3; exit }' "$tmp/centres"; }

# open LABEL: waits for the window titled "Korvax v20190215" LABEL and gives
# it the input focus; sets title and wid.
open() {
  title="Korvax v20190215$1"
  "$xpeek" window "$title" >/dev/null || { fail "window$1 did not appear"; return 1; }
  wid=$(xdotool search --name "^$title\$" | head -n1)
  xdotool windowfocus --sync "$wid"
}
keys() { xdotool key --delay 15 "$@"; }
# snap NAME: the window's picture in $tmp/NAME.png.
snap() { "$xpeek" png "$title" "$tmp/$1.png"; }
# steady NAME: waits until the picture stays the same for half a second
# (the circuit has settled), then keeps it as NAME.
steady() {
  snap "$1"
  for _ in $(seq 40); do
    sleep 0.5
    snap now
    cmp -s "$tmp/now.png" "$tmp/$1.png" && return 0
    mv "$tmp/now.png" "$tmp/$1.png"
  done
  fail "the picture did not settle"
}
# picture_is NAME same|different: waits (up to 20 s) until the window's
# picture is (or is not) the one saved as NAME.
picture_is() {
  for _ in $(seq 40); do
    snap now
    if cmp -s "$tmp/now.png" "$tmp/$1.png"; then [ "$2" = same ] && return 0
    else [ "$2" = different ] && return 0; fi
    sleep 0.5
  done
  return 1
}

# Reg1, most significant bit first, and the switches.
reg1=() reg1ones=""
for p in gk.ae gl.aa gl.ab gl.ac gl.ad gl.ae gm.aa gm.ab gm.ac gm.ad gm.ae gn.aa gn.ab gn.ac gn.ad gn.ae; do
  reg1+=($(at "$p"))
  reg1ones+="$(colour $([ "$p" = gn.ae ] && echo ZERO || echo ONE))"$'\n'
done
reg1ones=${reg1ones%$'\n'}
reset=$(at ad.ac-ae) clock=$(at bd.ac-ae)

# 1. The reset released and eighty clock presses: Reg1 shows FFFE. F1
#    restarts: the panes show what they showed at the start.
start keys -W " keys"
kpid=$started_pid
open " keys"
settle "$title" "#000000" $reset || fail "reset switch at the start"
"$xpeek" pixels "$title" "${reg1[@]}" >"$tmp/reg1-start"
keys 0 $(printf '1 %.0s' $(seq 80))
settle "$title" "$reg1ones" "${reg1[@]}" || fail "Reg1 after eighty clock presses"

# 5. Unmapped and mapped again, the window redraws its panes.
xdotool windowunmap --sync "$wid"
xdotool windowmap --sync "$wid"
settle "$title" "$reg1ones" "${reg1[@]}" || fail "Reg1 after the window was mapped again"
xdotool windowfocus --sync "$wid"

# 2. F2 and F3 take the lines and labels away and back; Control-z shows the
#    deepest level, Control-a level 1 again.
steady level1
cp "$tmp/level1.png" "$out/input-level1.png"
for k in F2 F3; do
  keys $k
  picture_is level1 different || fail "$k changed nothing"
  keys $k
  picture_is level1 same || fail "$k twice did not give the picture back"
done
keys ctrl+z
picture_is level1 different || fail "Control-z changed nothing"
keys ctrl+a
picture_is level1 same || fail "Control-a did not return to level 1"

# 3. Down pauses: a clock press changes no pane until Down again.
"$xpeek" pixels "$title" $clock >"$tmp/clock"
keys Down 1
sleep 1
[ "$("$xpeek" pixels "$title" $clock)" = "$(cat "$tmp/clock")" ] || fail "a clock press acted while paused"
keys Down
for _ in $(seq 40); do [ "$("$xpeek" pixels "$title" $clock)" != "$(cat "$tmp/clock")" ] && break; sleep 0.25; done
[ "$("$xpeek" pixels "$title" $clock)" != "$(cat "$tmp/clock")" ] || fail "the paused clock press did not act after Down"
keys 1  # the clock back where it was

# 4. Direct mode (F9): button 1 at (0, 0), button 3 at (512, 412) zooms
#    into the top-left quarter, magnified 1025/512 and 825/412: a probe
#    pane (the first there showing ONE) lands where it would in the whole
#    schematic on a window of 2052 × 1652 pixels. Button 2 shows
#    everything again.
keys ctrl+l  # the pictures compared below are all whole repaints
steady before9
keys F9
sleep 1
snap direct
probe=""
for p in $(awk '$2 < 480 && $3 < 380 { print $1 }' "$tmp/centres"); do
  [ "$("$xpeek" pixels "$title" $(at "$p"))" = "$(colour ONE)" ] && { probe=$p; break; }
done
[ -n "$probe" ] || fail "no probe showing ONE in the top-left quarter"
read -r zx zy <<<"$("$centres" 2052 1652 | awk -v p="${probe:-aa.aa}" '$2 == p { print $4, $5; exit }')"
xdotool mousemove --window "$wid" 0 0 click 1 mousemove --window "$wid" 512 412 click 3
settle "$title" "$(colour ONE)" $zx $zy || fail "probe $probe after the direct zoom: not at $zx $zy"
snap zoomed
cp "$tmp/zoomed.png" "$out/input-direct-zoom.png"
xdotool click 2
picture_is direct same || fail "button 2 did not show the whole schematic again"
#    Windowing mode (F9 again): the dashed sub-window, in the middle,
#    dragged 100 pixels right from inside; button 2 zooms to it, button 3
#    and a repaint give the first picture back.
keys F9
picture_is before9 same || fail "windowing mode did not give the picture back"
column() {  # the colours down pixel column $1 from y 320 to 500, by tens
  local pts=()
  for y in $(seq 320 10 500); do pts+=($1 $y); done
  "$xpeek" pixels "$title" "${pts[@]}"
}
column 384 | grep -q "#FF0000" || fail "no sub-window outline at x 384"
xdotool mousemove --window "$wid" 512 412 mousedown 1 mousemove --window "$wid" 562 412 \
  mousemove --window "$wid" 612 412 mouseup 1
sleep 1
column 484 | grep -q "#FF0000" || fail "the dragged outline is not at x 484"
column 384 | grep -q "#FF0000" && fail "the outline stayed at x 384 after the drag"
xdotool click 2
picture_is before9 different || fail "button 2 did not zoom to the sub-window"
snap windowed
cp "$tmp/windowed.png" "$out/input-subwindow-zoom.png"
xdotool click 3
keys ctrl+l
picture_is before9 same || fail "button 3 and a repaint did not give the whole picture back"

# F10 ends the run with status 0.
keys F10
if ends_within "$kpid" 10; then
  [ "$ended_status" = 0 ] || fail "F10: exit status $ended_status"
else
  fail "F10 did not end the run"
fi

# The window manager's close request ends the run as F10 does.
start close -W " close"
cpid=$started_pid
open " close"
"$xpeek" close "$title"
if ends_within "$cpid" 10; then
  [ "$ended_status" = 0 ] || fail "close request: exit status $ended_status"
else
  fail "the close request did not end the run"
fi

# 2 (F8). Super probes: after the next evaluation pass every tab of the
#    first picture carries a box in its wire's value colour, until a
#    repaint. Zoomed on the input tabs of the last two Reg1 probes, so
#    that a box is many pixels large; the pixels in the ONE and ZERO
#    colours are counted with the boxes shown and, for the same circuit
#    state, after F8 again.
start super -W " super" -z 985 268 1025 292
spid=$started_pid
open " super"
keys 0 1 1
steady super-start
keys F8 1 1
steady super-on
cp "$tmp/super-on.png" "$out/input-super-probes.png"
with=$("$xpeek" count "$title" "$(colour ONE)" "$(colour ZERO)")
keys F8
picture_is super-on different || fail "F8 again did not repaint"
steady super-off
without=$("$xpeek" count "$title" "$(colour ONE)" "$(colour ZERO)")
echo "value-coloured pixels: $with with super probes, $without without"
[ "$with" -gt $((without + 500)) ] || fail "F8: no super probes appeared ($with against $without pixels)"
kill "$spid"

# 7. An idle window uses under 1% of a core: CPU time over 10 s.
start idle -W " idle"
ipid=$started_pid
open " idle"
sleep 1
ticks() { awk '{ print $14 + $15 }' "/proc/$ipid/stat"; }
t0=$(ticks)
sleep 10
t1=$(ticks)
hz=$(getconf CLK_TCK)
echo "idle window: $((t1 - t0)) ticks of 1/$hz s over 10 s"
[ $(( (t1 - t0) * 100 )) -lt "$((hz * 10))" ] || fail "the idle window used $((t1 - t0)) ticks in 10 s"
kill "$ipid"

# 6. The X server killed while keys arrive: the program ends within a
#    second each time, with status 1, without a crash or a sanitizer report.
for i in $(seq "$repeats"); do
  start_xvfb
  start kill$i -W " kill"
  vpid=$started_pid
  open " kill" || break
  ( for _ in $(seq 400); do xdotool key 1 2>/dev/null || exit 0; done ) &
  typer=$!
  pids+=($typer)
  sleep 0.3
  kill -9 "$xvfb_pid"
  if ends_within "$vpid" 1; then
    grep -E -q "Sanitizer|runtime error|Segmentation|Abort" "$tmp/kill$i.err" && fail "repetition $i: $(cat "$tmp/kill$i.err")"
    echo "repetition $i: exit status $ended_status"
    [ "$ended_status" = 1 ] || fail "repetition $i: exit status $ended_status, not 1"
  else
    fail "repetition $i: still running a second after the X server went"
    kill -9 "$vpid" 2>/dev/null
  fi
  kill "$typer" 2>/dev/null
  wait "$typer" 2>/dev/null
done

exit $status
