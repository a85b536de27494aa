#!/usr/bin/env bash
# picture-test.sh KORVAX XPEEK BUILD_DIR: the SVG picture against the window.
# The processor's first picture, held there by -K 3 (paused before the first
# cycle), is photographed in the test's own Xvfb at the full view and at the
# deepest level; -s draws the same with no X server at all, rsvg-convert
# rasters it, and the two must look alike: at most 6% of the pixels may
# differ by more than 30% (text and slanted lines are rasterised a little
# differently; tests/unit/test_picture.cpp compares the primitives
# themselves). Then Control-s in the window saves the view as korvax-1.svg,
# korvax-2.svg, … in the working directory. Both rasters and screenshots
# stay in BUILD_DIR.
set -u
korvax=$1 xpeek=$2 out=$3
. "$(dirname "$0")/xserver.sh"
for tool in xdotool rsvg-convert compare; do
  command -v $tool >/dev/null || { echo "$tool is not installed (make test installs it)" >&2; exit 1; }
done
start_xvfb

# alike WINDOW.png PICTURE.png: the share of differing pixels is small.
alike() {
  local differing total
  differing=$(compare -metric AE -fuzz 30% "$1" "$2" null: 2>&1) || [ $? -eq 1 ] || { fail "compare: $differing"; return 1; }
  total=$(identify -format '%[fx:w*h]' "$1")
  echo "$(basename "$2"): $differing of $total pixels differ"
  [ "$(identify -format '%wx%h' "$1")" = "$(identify -format '%wx%h' "$2")" ] || { fail "sizes differ"; return 1; }
  awk -v d="$differing" -v t="$total" 'BEGIN { exit !(d <= 0.06 * t) }' || fail "$2 does not look like $1"
}

# shot NAME LABEL ARGS…: the window's first picture as $out/window-NAME.png,
# and -s with the same arguments as $out/picture-NAME.png.
shot() {
  local name=$1 label=$2; shift 2
  start "$name" -W "$label" -K 3 "$@"
  "$xpeek" window "Korvax v20190215$label" >/dev/null || { fail "window $label did not appear"; return; }
  sleep 1  # the first picture is drawn once the window is mapped; paused, nothing changes after it
  "$xpeek" png "Korvax v20190215$label" "$out/window-$name.png" || { fail "screenshot $name"; return; }
  (unset DISPLAY; "$korvax" -K 3 -s "$tmp/$name.svg" "$@" >/dev/null 2>"$tmp/$name-svg.err") ||
    { fail "-s $name: status $?: $(cat "$tmp/$name-svg.err")"; return; }
  rsvg-convert -o "$out/picture-$name.png" "$tmp/$name.svg" || { fail "rsvg-convert $name"; return; }
  alike "$out/window-$name.png" "$out/picture-$name.png"
}
shot first " first"
shot first-deepest " deepest" -F E

# Control-s in the paused window: korvax-1.svg, then korvax-2.svg, each said
# on standard error, in the working directory; the first looks like the
# window.
mkdir "$tmp/saves"
(cd "$tmp/saves" && exec "$korvax" -W " save" -K 3 >"$tmp/save.out" 2>"$tmp/save.err") &
pids+=($!)
"$xpeek" window "Korvax v20190215 save" >/dev/null || fail "window save did not appear"
sleep 1
wid=$(xdotool search --name "^Korvax v20190215 save\$" | head -n1)
xdotool windowfocus --sync "$wid"
xdotool key ctrl+s
for _ in $(seq 50); do grep -q korvax-1.svg "$tmp/save.err" && break; sleep 0.1; done
xdotool key ctrl+s
for _ in $(seq 50); do grep -q korvax-2.svg "$tmp/save.err" && break; sleep 0.1; done
grep -qx "Saved the view as korvax-1.svg" "$tmp/save.err" || fail "first Control-s said: $(cat "$tmp/save.err")"
grep -qx "Saved the view as korvax-2.svg" "$tmp/save.err" || fail "second Control-s said: $(cat "$tmp/save.err")"
if [ -f "$tmp/saves/korvax-1.svg" ]; then
  "$xpeek" png "Korvax v20190215 save" "$out/window-save.png"
  rsvg-convert -o "$out/picture-saved.png" "$tmp/saves/korvax-1.svg" && alike "$out/window-save.png" "$out/picture-saved.png"
else
  fail "no korvax-1.svg"
fi
exit $status
