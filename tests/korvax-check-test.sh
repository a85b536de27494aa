#!/usr/bin/env bash
# korvax-check-test.sh SOURCE_DIR BUILD_DIR: grades the circuits of
# tests/grading (correct ones of different structures and timings, a wrong
# one with the same file name as a correct one (its failing lines listed
# below its verdict), one that does not compile,
# one that oscillates for ever, one whose output is named differently, one
# that compiles but is miswired) against one vectors file, and checks every
# verdict line, the summary and the exit status; then vectors that cannot be
# read or are malformed, or have names that begin with a dash or hold a
# control character.
set -u
src=$1
export KORVAX_BUILD_DIR=$2
cd "$src/tests/grading"
check="$src/tools/korvax-check"

out=$("$check" -j 2 -t 3 majority.vec a/majority.cpp nand.cpp slow.cpp xor.cpp mux.cpp b/majority.cpp \
  broken.cpp ring.cpp misnamed.cpp widths.cpp 2>/dev/null)
status=$?
expected=(
  '^PASS a/majority\.cpp 6/6$'
  '^PASS nand\.cpp 6/6$'
  '^PASS slow\.cpp 6/6$'
  '^PASS xor\.cpp 6/6$'
  '^PASS mux\.cpp 6/6$'
  '^FAIL b/majority\.cpp 4/6$'
  '^  line 3: out is 1 expected 0 at time [0-9]+$'
  '^  line 7: out is 1 expected 0 at time [0-9]+$'
  '^BUILD ERROR broken\.cpp: .*broken\.cpp:[0-9]+:[0-9]+: error: .*Ore'
  '^TIMEOUT ring\.cpp \(time reached [0-9]+, still changing: tick\)$'
  '^FAIL misnamed\.cpp 0/6 \(exit status 2: .*majority\.vec:2: unknown name out: .*\)$'
  '^BUILD ERROR widths\.cpp: I/O length error--Adder Adder at ab dataIn\.length = 8 out\.length = 3$'
  '^5 passed, 5 failed$'
)
failures=0
mapfile -t lines <<<"$out"
if [ "${#lines[@]}" -ne "${#expected[@]}" ]; then
  echo "FAIL: ${#lines[@]} lines, expected ${#expected[@]}"
  failures=1
fi
for i in "${!expected[@]}"; do
  if ! [[ ${lines[$i]:-} =~ ${expected[$i]} ]]; then
    echo "FAIL: line $((i + 1)): '${lines[$i]:-}' does not match ${expected[$i]}"
    failures=1
  fi
done
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, expected 1"; failures=1; }

# A circuit that oscillates: its TIMEOUT line carries the loop the run
# found (the free-running clock of ring.cpp above carries none).
out=$("$check" -t 3 majority.vec oscillator.cpp 2>/dev/null)
[[ "$out" == "TIMEOUT oscillator.cpp (time reached "[0-9]*", still changing: r; no quiet moment after 1000000 events: the circuit oscillates through r[0]: \
Nand at bb, in oscillator.cpp:11; r[1]: Not at bc, in oscillator.cpp:12; r[2]: Not at cc, in oscillator.cpp:13)
0 passed, 1 failed" ]] || { echo "FAIL: the oscillating circuit gave: $out"; failures=1; }

# Every circuit passing: status 0.
"$check" -t 3 majority.vec nand.cpp >/dev/null 2>&1 || { echo "FAIL: a passing circuit gave status $?"; failures=1; }
# Vectors that cannot be read: status 2 before anything is built.
"$check" missing.vec nand.cpp >/dev/null 2>&1
s=$?
[ "$s" -eq 2 ] || { echo "FAIL: unreadable vectors gave status $s, expected 2"; failures=1; }
# Malformed vectors: the message of -v once, naming the file as given, on
# standard error; nothing on standard output; status 2; nothing built.
tmp=$(mktemp -d)
err=$(TMPDIR=$tmp "$check" broken.vec nand.cpp broken.cpp 2>&1 >"$tmp/out")
s=$?
[ "$s" -eq 2 ] || { echo "FAIL: malformed vectors gave status $s, expected 2"; failures=1; }
[ "$err" = "broken.vec:2: no NAME=VALUE after the step -" ] || { echo "FAIL: malformed vectors said: $err"; failures=1; }
[ ! -s "$tmp/out" ] || { echo "FAIL: malformed vectors printed: $(cat "$tmp/out")"; failures=1; }
[ -z "$(ls "$tmp")" ] || [ "$(ls "$tmp")" = out ] || { echo "FAIL: malformed vectors built: $(ls "$tmp")"; failures=1; }
rm -rf "$tmp"

# A vectors file whose name begins with a dash and has a blank in it
# (after "--"), and one with a control character, which is refused.
tmp=$(mktemp -d)
cp majority.vec "$tmp/-my vectors.vec"
cp nand.cpp "$tmp/"
got=$(cd "$tmp" && "$check" -t 3 -- "-my vectors.vec" nand.cpp 2>&1)
s=$?
[ "$s" -eq 0 ] && [ "$got" = $'PASS nand.cpp 6/6\n1 passed, 0 failed' ] || { echo "FAIL: a vectors name with a dash: $s $got"; failures=1; }
cp majority.vec "$tmp/tab"$'\t'".vec"
got=$(cd "$tmp" && "$check" -t 3 -- "tab"$'\t'".vec" nand.cpp 2>&1)
s=$?
[ "$s" -eq 2 ] && [ "$got" = "korvax-check: the test vectors' name has a control character: \$'tab\\t.vec'" ] ||
  { echo "FAIL: a vectors name with a tab: $s $got"; failures=1; }
rm -rf "$tmp"

[ "$failures" -eq 0 ] && echo "korvax-check: all verdicts as expected"
printf '%s\n' "$out"
exit "$failures"
