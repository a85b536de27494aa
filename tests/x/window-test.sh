#!/usr/bin/env bash
# window-test.sh KORVAX XPEEK PANE_CENTRES BUILD_DIR: the processor in a
# real window. Starts its own X server (Xvfb, display number of its own
# choosing), runs KORVAX in it and checks the window's title, geometry and
# colours against what the same circuit prints without a window, the -g
# sizes the server cannot make, and the end when the server goes away.
# Leaves screenshots at level 1 and at the deepest level in BUILD_DIR.
set -u
korvax=$1 xpeek=$2 centres=$3 out=$4
. "$(dirname "$0")/xserver.sh"
start_xvfb

# Pane centres by position string: "position x y".
"$centres" 1025 825 | awk '{ print $2, $4, $5 }' >"$tmp/centres"
at() { awk -v p="$1" '$1 == p { print $2, $3; exit }' "$tmp/centres"; }

# 1. Level 1 as the stock run leaves it with no key pressed. The values
#    each probe should show come from the same run without a window.
"$korvax" -X 2>&1 >/dev/null | awk '/Probe for/ { p = $0; sub(/  Value = .*/, "", p); sub(/.* at /, "", p);
  v = $0; sub(/.*  Value = /, "", v); value[p] = v } END { for (p in value) print p, value[p] }' >"$tmp/values"
start plain -W " check"
geometry=$("$xpeek" window "Korvax v20190215 check") || fail "the window did not appear"
[ "$(echo "$geometry" | sed -n 1p)" = "Korvax v20190215 check" ] || fail "title: $(echo "$geometry" | sed -n 1p)"
[ "$(echo "$geometry" | sed -n 2p)" = "100 25 1025 825 5" ] || fail "geometry: $(echo "$geometry" | sed -n 2p)"

points=() want=""
for p in aa.aa aa.ae ab.aa ba.ae gk.ae gn.ae fk.ae ca ff.aa-ab ff.ad-ae ak.aa-ac; do
  v=$(awk -v p="$p" '$1 == p { print $2 }' "$tmp/values")
  [ -n "$v" ] || { fail "no probe at $p"; continue; }
  points+=($(at "$p"))
  want+="$(colour "$v")"$'\n'
done
settle "Korvax v20190215 check" "${want%$'\n'}" "${points[@]}" || fail "probe panes at level 1"
# The reset switch is ONE: a solid box in the foreground colour.
settle "Korvax v20190215 check" "#000000" $(at ad.ac-ae) || fail "reset switch pane"
grep -q "Probe for" "$tmp/plain.err" && fail "probes printed lines although a window was open"
# Standard error goes to a file here, through a buffer: what the run wrote
# reaches it while the window waits, not when the program ends.
grep -q '^There are [0-9]* components\.$' "$tmp/plain.err" ||
  fail "the counts had not reached standard error while the window waited"
"$xpeek" png "Korvax v20190215 check" "$out/window-level1.png" || fail "screenshot at level 1"

# 2. The deepest level (-F E: most detail).
start deep -W " deep" -F E
settle "Korvax v20190215 deep" "#000000" $(at ad.ac-ae) || fail "reset switch pane at the deepest level"
"$xpeek" png "Korvax v20190215 deep" "$out/window-deepest.png" || fail "screenshot at the deepest level"

# 3. A blue background, in a window of the size and place -g asks for.
start blue -W " blue" -c 0 0 255 -g 600x400+10+20
geometry=$("$xpeek" window "Korvax v20190215 blue") || fail "the blue window did not appear"
[ "$(echo "$geometry" | sed -n 2p)" = "10 20 600 400 5" ] || fail "geometry of -g: $(echo "$geometry" | sed -n 2p)"
settle "Korvax v20190215 blue" "#0000FF" 595 395 || fail "background of -c 0 0 255"

# 4. Reset released and eighty clock edges typed into the window's run:
#    Reg1 ends as 1111 1111 1111 1110.
start keys -W " keys" -k "0$(printf '1%.0s' $(seq 80))"
points=() want=""
for p in gk.ae gl.aa gl.ab gl.ac gl.ad gl.ae gm.aa gm.ab gm.ac gm.ad gm.ae gn.aa gn.ab gn.ac gn.ad gn.ae; do
  points+=($(at "$p"))
  want+="$(colour $([ "$p" = gn.ae ] && echo ZERO || echo ONE))"$'\n'
done
settle "Korvax v20190215 keys" "${want%$'\n'}" "${points[@]}" || fail "Reg1 after eighty clock presses"

# 5. -g sizes below 1 and past what the server's coordinates hold are
#    clamped with a warning, and the window opens and runs (a size of 0
#    used to end the run at once with status 0; 100000 wrapped to 34464).
for case in "0x10 1x10 100 25" "100000x100000+0+0 32767x32767 0 0"; do
  read -r asked size x y <<<"$case"
  start size -W " size" -g "$asked"
  spid=$started_pid
  geometry=$("$xpeek" window "Korvax v20190215 size") || fail "-g $asked: no window"
  [ "$(echo "$geometry" | sed -n 2p)" = "$x $y ${size/x/ } 5" ] || fail "-g $asked: geometry $(echo "$geometry" | sed -n 2p)"
  warning="Warning -- option -g $asked asks for a window size outside 1..32767; clamped to $size."
  grep -qxF "$warning" "$tmp/size.err" || fail "-g $asked: no warning: $(cat "$tmp/size.err")"
  kill -0 "$spid" 2>/dev/null || fail "-g $asked: the run ended"
  kill "$spid"
  wait "$spid" 2>/dev/null
done

# 6. The X server killed while the window runs (busy with a long key
#    string): status 1 every time. SIGPIPE is ignored while the connection
#    is open (bit 13 of SigIgn), so a write to the dead server is an I/O
#    error like a failed read, never the signal (status 141).
for i in 1 2 3 4 5; do
  start_xvfb
  start loss$i -W " loss" -k "0$(printf '1%.0s' $(seq 2000))"
  lpid=$started_pid
  "$xpeek" window "Korvax v20190215 loss" >/dev/null || { fail "loss $i: no window"; break; }
  ignored=$(awk '/^SigIgn:/ { print $2 }' "/proc/$lpid/status")
  [ $(( 0x$ignored & 0x1000 )) -ne 0 ] || fail "loss $i: SIGPIPE not ignored while the window is open (SigIgn $ignored)"
  sleep 0.$((RANDOM % 5))
  kill -9 "$xvfb_pid"
  if ends_within "$lpid" 5; then
    [ "$ended_status" = 1 ] || fail "loss $i: exit status $ended_status, not 1"
  else
    fail "loss $i: still running 5 s after the X server went"
    kill -9 "$lpid" 2>/dev/null
  fi
done

exit $status
