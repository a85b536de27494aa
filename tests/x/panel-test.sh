#!/usr/bin/env bash
# panel-test.sh KORVAX XPEEK BUILD_DIR: the watch panel of the processor's
# window under the test's own Xvfb. -P shows it from the start at the
# window's right, beside a schematic that ends where it begins; F11 hides
# it, and the window is then the very picture of a run that never showed
# it; F11 shows it again as it was; zooming the schematic leaves its pixels
# alone; stepping the clock changes them. Leaves screenshots in BUILD_DIR:
# panel-stalled.png (IF stalled by the load), panel-bubble.png (the bubble
# in ID), panel-zoomed.png (the schematic zoomed in, the panel as it was),
# panel-hidden.png (after F11).
set -u
korvax=$1 xpeek=$2 out=$3
. "$(dirname "$0")/xserver.sh"
command -v xdotool >/dev/null || { echo "xdotool is not installed (make test installs it)" >&2; exit 1; }
command -v convert >/dev/null || { echo "ImageMagick's convert is not installed (make test installs it)" >&2; exit 1; }
start_xvfb

# The stored program's load stalls IF after reset and 28 clock presses; two
# more and the bubble is in ID (the -P lines headless say the same).
stalled="0$(printf '1%.0s' $(seq 28))"
bubble="0$(printf '1%.0s' $(seq 30))"

open() {
  title="Korvax v20190215$1"
  "$xpeek" window "$title" >/dev/null || { fail "window$1 did not appear"; return 1; }
  wid=$(xdotool search --name "^$title\$" | head -n1)
  xdotool windowfocus --sync "$wid"
}
snap() { "$xpeek" png "$title" "$tmp/$1.png"; }
# steady NAME: the picture once it stays the same for half a second.
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
# crop NAME X Y W H: the part of picture NAME as $tmp/NAME-crop.png.
crop() { convert "$tmp/$1.png" -crop "$4x$5+$2+$3" +repage "$tmp/$1-crop.png"; }
# dark NAME X Y W H: how many black pixels that part of picture NAME holds.
dark() { convert "$tmp/$1.png" -crop "$4x$5+$2+$3" +repage txt:- | grep -c '#000000'; }
# same A B: whether two pictures have the same pixels.
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

# 0. The run without the panel, repainted (Control-l), for part 2; the
#    window is gone before the next opens at the same place (a window
#    covered by another has no pixels to read).
start plain -W " plain" -k "$stalled"
ppid=$started_pid
open " plain"
steady plain-first
xdotool key ctrl+l
steady plain
kill "$ppid" 2>/dev/null
wait "$ppid" 2>/dev/null

# 1. -P: the panel from the start. Its band: the text's cells (6 pixels in
#    the server's fixed font), its left border a black column from top to
#    bottom, text inside it, and the schematic's lines and panes left of it.
start stalled -W " stalled" -P -k "$stalled"
spid=$started_pid
open " stalled"
steady stalled
cp "$tmp/stalled.png" "$out/panel-stalled.png"
grep -q 'IF=000E add r0, r0, r3 (stalled)' "$tmp/stalled.err" || fail "-P in the window printed no stalled IF line"
# The band is 37 characters and 10 pixels wide (232 pixels): it begins at 793.
border=$(dark stalled 793 0 1 825)
[ "$border" -eq 825 ] || fail "the panel's border: $border black pixels of 825 at x 793"
left=$(dark stalled 792 0 1 825)
[ "$left" -lt 825 ] || fail "the column left of the panel is all black: the band is not where it should be"
text=$(dark stalled 794 1 230 260)
[ "$text" -gt 1500 ] || fail "the panel's text: only $text black pixels"
below=$(dark stalled 794 262 230 560)
[ "$below" -eq 0 ] || fail "$below black pixels below the panel's sixteen watches"
# The schematic reaches the band but not into it: black pixels just left of it.
[ "$(dark stalled 760 0 32 825)" -gt 100 ] || fail "the schematic does not reach the band"

# 2. F11 hides it: the picture is then the one of the same run without the
#    panel, repainted, pixel for pixel.
xdotool key F11
steady hidden
same "$tmp/hidden.png" "$tmp/plain.png" || fail "with the panel hidden the window differs from a run without it"
cp "$tmp/hidden.png" "$out/panel-hidden.png"

# 3. F11 again: the panel as it was.
xdotool key F11
steady again
crop stalled 793 0 232 825
crop again 793 0 232 825
same "$tmp/stalled-crop.png" "$tmp/again-crop.png" || fail "the panel shown again differs from the first"

# 4. Zooming the schematic (button 2 in windowing mode zooms to the
#    sub-window, twice) changes the schematic, not the panel.
xdotool mousemove --window "$wid" 400 400 click 2
sleep 0.3
xdotool click 2
steady zoomed
cp "$tmp/zoomed.png" "$out/panel-zoomed.png"
crop zoomed 793 0 232 825
same "$tmp/zoomed-crop.png" "$tmp/stalled-crop.png" || fail "zooming changed the panel"
same "$tmp/zoomed.png" "$tmp/stalled.png" && fail "the schematic did not zoom"

# 5. The whole schematic again (button 3), two more clock presses: the
#    bubble; the panel's pixels change.
xdotool click 3
xdotool key 1 1
steady bubble
cp "$tmp/bubble.png" "$out/panel-bubble.png"
crop bubble 793 0 232 825
same "$tmp/bubble-crop.png" "$tmp/again-crop.png" && fail "the panel did not change with the clock"
kill "$spid" 2>/dev/null

# 6. The same state reached by -k alone shows the same panel.
start keyed -W " keyed" -P -k "$bubble"
kpid=$started_pid
open " keyed"
steady keyed
crop keyed 793 0 232 825
same "$tmp/keyed-crop.png" "$tmp/bubble-crop.png" || fail "the panel after typed keys differs from the one after -k"
kill "$kpid" 2>/dev/null

exit $status
