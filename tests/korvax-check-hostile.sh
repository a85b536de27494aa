#!/usr/bin/env bash
# korvax-check-hostile.sh SOURCE_DIR BUILD_DIR: grades a batch in which
# hostile submissions (tests/grading/hostile) sit between honest ones, in a
# temporary folder of its own that plays the teacher's: one forges a
# passing transcript without a circuit; one empties the vectors file,
# plants and deletes files in the teacher's folder, prints a secret and
# writes PASS lines into every standard output it can reach through /proc;
# one leaves a detached process behind and sends a secret to a listener on
# 127.0.0.1; one includes the secret at build time; one compiles for
# minutes (the build limit is 3 s here); one replaces the files of its
# folder the grader reads by links to the secret; one rewrites its netlist
# to hide a multiplexer from the rules; names with a dash, a blank and a
# quote, and one with a newline. Every hostile one must be stopped and
# every honest one keep its right verdict; the teacher's folder is as it
# was; nothing outlives the batch; the listener hears nothing.
set -u
src=$1
export KORVAX_BUILD_DIR=$2
check="$src/tools/korvax-check"
t=$(mktemp -d)
listener=
trap '[ -n "$listener" ] && kill "$listener" 2>/dev/null; rm -rf "$t"' EXIT
cd "$t" || exit 1
cp "$src/tests/grading/majority.vec" "$src/tests/grading/nand.cpp" "$src/tests/grading/xor.cpp" .
cp "$src/tests/grading/nand.cpp" ./-dash.cpp
cp "$src/tests/grading/xor.cpp" "./with space.cpp"
cp "$src/tests/grading/mux.cpp" "./quote'd.cpp"
cp "$src/tests/grading/nand.cpp" "./evil"$'\n'"PASS x 6.cpp"
mkdir b && cp "$src/tests/grading/b/majority.cpp" b/
echo "the secret of $t" >secret.txt
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 - "$port" >heard <<'PY' &
import socket, sys
s = socket.socket(); s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", int(sys.argv[1]))); s.listen(4); s.settimeout(60)
try:
    while True:
        c, _ = s.accept(); print(c.recv(100).decode(errors="replace"), flush=True); c.close()
except Exception:
    pass
PY
listener=$!
for f in forge vandal escape include slowbuild links hide; do
  sed -e "s|@TEACHER@|$t|g" -e "s|@PORT@|$port|g" "$src/tests/grading/hostile/$f.cpp" >"$f.cpp"
done
before=$(ls -A | grep -v -x -e heard -e stderr | sort; md5sum majority.vec nand.cpp secret.txt)

out=$(KORVAX_BUILD_SECONDS=3 "$check" -j 2 -t 3 -- majority.vec nand.cpp forge.cpp vandal.cpp xor.cpp escape.cpp \
  include.cpp b/majority.cpp slowbuild.cpp links.cpp hide.cpp -dash.cpp "with space.cpp" "quote'd.cpp" "evil"$'\n'"PASS x 6.cpp" 2>"$t/stderr")
status=$?
sleep 4  # past the escaped process's 3 s
expected=(
  '^PASS nand\.cpp 6/6$'
  '^FAIL forge\.cpp 0/6 \(exit status 2: .*unknown name out: '
  '^FAIL vandal\.cpp 3/6$'
  '^  line 4: out is 0 expected 1 at time [0-9]+$'
  '^  line 5: out is 0 expected 1 at time [0-9]+$'
  '^  line 6: out is 0 expected 1 at time [0-9]+$'
  '^PASS xor\.cpp 6/6$'
  '^PASS escape\.cpp 6/6$'
  '^BUILD ERROR include\.cpp: include\.cpp:2:10: fatal error: .*secret\.txt: No such file or directory$|^BUILD ERROR include\.cpp: .*secret.txt'
  '^FAIL b/majority\.cpp 4/6$'
  '^  line 3: out is 1 expected 0 at time [0-9]+$'
  '^  line 7: out is 1 expected 0 at time [0-9]+$'
  '^BUILD TIMEOUT slowbuild\.cpp$'
  '^BUILD ERROR links\.cpp: the circuit.s build ended with status 1$'
  '^PASS hide\.cpp 6/6$'
  '^PASS -dash\.cpp 6/6$'
  '^PASS with space\.cpp 6/6$'
  "^PASS quote'd\\.cpp 6/6$"
  "^REFUSED \\\$'evil\\\\nPASS x 6\\.cpp': a file name with a control character$"
  '^7 passed, 7 failed$'
)
failures=0
mapfile -t lines <<<"$out"
[ "${#lines[@]}" -eq "${#expected[@]}" ] || { echo "FAIL: ${#lines[@]} lines, expected ${#expected[@]}"; failures=1; }
for i in "${!expected[@]}"; do
  [[ ${lines[$i]:-} =~ ${expected[$i]} ]] || { echo "FAIL: line $((i + 1)): '${lines[$i]:-}' does not match ${expected[$i]}"; failures=1; }
done
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, expected 1"; failures=1; }
after=$(ls -A | grep -v -x -e heard -e stderr | sort; md5sum majority.vec nand.cpp secret.txt)
[ "$before" = "$(echo "$after")" ] || { echo "FAIL: the teacher's folder changed:"; diff <(echo "$before") <(echo "$after"); failures=1; }
grep -q "the secret" <<<"$out$(cat "$t/stderr")" && { echo "FAIL: the secret reached the output"; failures=1; }
[ -s heard ] && { echo "FAIL: the listener heard: $(cat heard)"; failures=1; }
[ -e late ] && { echo "FAIL: a process outlived the batch"; failures=1; }
# The rewritten netlist runs (above); with rules, its multiplexer is found.
got=$("$check" -t 3 --allow And,Or,Xor -- majority.vec hide.cpp xor.cpp 2>&1)
[ "$got" = "FAIL hide.cpp 0/6 (hide.cpp:39: Mux is not allowed (only And, Or, Xor): build it from gates)
PASS xor.cpp 6/6
1 passed, 1 failed" ] || { echo "FAIL: --allow on a rewritten netlist:"; echo "$got"; failures=1; }
[ "$failures" -eq 0 ] && echo "korvax-check: every hostile submission stopped, every other verdict right"
printf '%s\n' "$out"
exit "$failures"
