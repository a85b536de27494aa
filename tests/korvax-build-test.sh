#!/usr/bin/env bash
# korvax-build-test.sh SOURCE_DIR BUILD_DIR: builds a circuit written in a
# fresh directory with tools/korvax-build, run from that directory, and runs
# the result: the path printed last must be the executable, and the circuit
# must report its counts. Then builds and runs the example in the README.
set -eu
src=$1 build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/two.cpp" <<'CPP'
#include "korvax.h"
void simnet() {
    Signal a(3, "a");
    addStandardComponent(nullptr, nullptr, "Box", SD("aa"), a, Signal(0, "UnNamed"), Signal(2, "y"));
}
CPP
cd "$work"
out=$(KORVAX_BUILD_DIR="$build" "$src/tools/korvax-build" -o bin/two two.cpp 2>/dev/null | tail -n 1)
[ "$out" = "$work/bin/two" ] || { echo "last line was '$out', expected $work/bin/two"; exit 1; }
err=$("$out" -X -E 2>&1 >/dev/null)
expected="There are 1 components.
There are 7 signals.
Warning -- signal[2] a[0] has no driver, cmp = 0 Box at aa has unconnected DATA input, position = 0
  in two.cpp:4
Warning -- signal[3] a[1] has no driver, cmp = 0 Box at aa has unconnected DATA input, position = 1
  in two.cpp:4
Warning -- signal[4] a[2] has no driver, cmp = 0 Box at aa has unconnected DATA input, position = 2
  in two.cpp:4
There are 3 inputUnconnectedWarnings"
[ "$err" = "$expected" ] || { echo "unexpected standard error:"; echo "$err"; exit 1; }
# Building it printed the circuit's warnings, without the counts, and the
# path last.
built=$(KORVAX_BUILD_DIR="$build" "$src/tools/korvax-build" -o bin/two two.cpp 2>&1 >/dev/null | grep -v -E '^\[|^ninja:')
warnings=$(printf '%s\n' "$expected" | grep -v '^There are [0-9]* \(components\|signals\)\.$')
[ "$built" = "$warnings" ] || { echo "korvax-build printed:"; echo "$built"; echo "expected:"; echo "$warnings"; exit 1; }

# A circuit that compiles but is miswired: its messages with their lines,
# the refusal, status 1, no path on standard output and no executable; -s
# skips the check and builds it.
cat > wrong.cpp <<'CPP'
#include "korvax.h"
void simnet() {
    Signal a(8, "a"), s(3, "s");
    Adder(SD("aa"), a, s);
}
CPP
set +e
printed=$(KORVAX_BUILD_DIR="$build" "$src/tools/korvax-build" -n -o bin/wrong wrong.cpp 2>"$work/wrong.err")
status=$?
set -e
expected="I/O length error--Adder Adder at aa dataIn.length = 8 out.length = 3
  expected: out of 4 wires for 8 inputs
  in wrong.cpp:4
1 Fatal Diagnostic(s)--Can't Continue.
korvax-build: the circuit has errors (above); nothing was built"
[ "$status" = 1 ] || { echo "miswired circuit: status $status, expected 1"; exit 1; }
[ -z "$printed" ] || { echo "miswired circuit printed on standard output: $printed"; exit 1; }
[ "$(cat "$work/wrong.err")" = "$expected" ] || { echo "miswired circuit said:"; cat "$work/wrong.err"; exit 1; }
[ ! -e bin/wrong ] || { echo "miswired circuit left an executable"; exit 1; }
out=$(KORVAX_BUILD_DIR="$build" "$src/tools/korvax-build" -n -s -o bin/wrong wrong.cpp 2>/dev/null)
[ "$out" = "$work/bin/wrong" ] && [ -x bin/wrong ] || { echo "-s did not build the miswired circuit: $out"; exit 1; }
# An assignment between buses is refused the same way, naming its line.
cat > assigned.cpp <<'CPP'
#include "korvax.h"
void simnet() {
    Signal a(2, "a"), b(2, "b");
    b = a;
}
CPP
set +e
KORVAX_BUILD_DIR="$build" "$src/tools/korvax-build" -n -o bin/assigned assigned.cpp >/dev/null 2>"$work/assigned.err"
status=$?
set -e
[ "$status" = 1 ] && grep -qx '  in assigned.cpp:4' "$work/assigned.err" ||
  { echo "assignment: status $status, said:"; cat "$work/assigned.err"; exit 1; }

# The default output goes to build/circuits/<name>.
out=$(KORVAX_BUILD_DIR="$build" "$src/tools/korvax-build" two.cpp 2>/dev/null | tail -n 1)
[ "$out" = "$build/circuits/two" ] && [ -x "$out" ] || { echo "default output was '$out'"; exit 1; }

# A circuit whose build function is misspelt: one line naming the files,
# status 1, and no executable.
cat > misspelt.cpp <<'CPP'
#include "korvax.h"
void simNet() { Signal a(1, "a"); }
CPP
echo 'int helper() { return 1; }' > helper.cpp
set +e
err=$(KORVAX_BUILD_DIR="$build" "$src/tools/korvax-build" -o bin/misspelt misspelt.cpp helper.cpp 2>&1 >/dev/null)
status=$?
set -e
last=$(printf '%s\n' "$err" | tail -n 1)
[ "$status" = 1 ] || { echo "misspelt simnet: status $status, expected 1"; exit 1; }
[ "$last" = 'no function `void simnet()` is defined in misspelt.cpp helper.cpp' ] || { echo "misspelt simnet said: $err"; exit 1; }
! printf '%s\n' "$err" | grep -q "undefined reference" || { echo "misspelt simnet reached the linker: $err"; exit 1; }
[ ! -e bin/misspelt ] || { echo "misspelt simnet left an executable"; exit 1; }

# The README's own example builds and does what the README says.
awk '/^```c[+][+]$/{on=1; next} on && /^```$/{exit} on' "$src/README.md" > majority.cpp
grep -q 'void simnet' majority.cpp || { echo "no example circuit found in the README"; exit 1; }
out=$(KORVAX_BUILD_DIR="$build" "$src/tools/korvax-build" -o majority majority.cpp 2>/dev/null | tail -n 1)
last=$("$out" -X -k ab 2>&1 >/dev/null | tail -n 1)
[ "$last" = "Time = 70  Probe for out at bd  Value = ONE" ] || { echo "README example ended with: $last"; exit 1; }
echo "README example: ok"
echo "korvax-build: ok"
