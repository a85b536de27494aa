#!/usr/bin/env bash
# korvax-check-batch.sh SOURCE_DIR BUILD_DIR: grades a class's worth of
# honest submissions of one exercise (tests/grading/count: a two-wire count
# of the ONEs among three switches), correct ones of several structures and
# wrong ones of the usual kinds, with file names that need quoting in XML
# and JSON, one that is not UTF-8, and three refused ones; checks every
# verdict and the failing lines shown under them, then reads the JUnit and
# JSON reports back with Python's parsers and checks them against the
# console and each other, and what --keep kept. Then --allow (a component
# of another kind named with its line; an unknown kind a usage error) and
# report files that cannot be written.
set -u
src=$1
export KORVAX_BUILD_DIR=$2
check="$src/tools/korvax-check"
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
cd "$t" || exit 1
cp -r "$src/tests/grading/count" "$src/tests/grading/count.vec" .
markup='--json <&>"q".cpp'
latin1=$'caf\xe9.cpp'
cp count/gates.cpp "./$markup"
cp count/parity.cpp "./$latin1"
files=(count/gates.cpp count/parity.cpp count/adder.cpp count/nand.cpp count/sop.cpp count/mux.cpp count/slow.cpp
  count/chatty.cpp count/swapped.cpp count/nocarry.cpp count/orsum.cpp count/twoinputs.cpp count/nor.cpp
  count/stuck.cpp count/wide.cpp count/floating.cpp count/typo.cpp count/renamed.cpp count/miswired.cpp
  count/loop.cpp "$markup" "$latin1" $'tab\tname.cpp' $'cr\rname.cpp' $'del\x7fname.cpp')
failures=0
fail() { echo "FAIL: $*"; failures=1; }

out=$("$check" -j 2 -t 2 --junit r.xml --json r.json --keep kept -- count.vec "${files[@]}" 2>stderr)
status=$?
[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
[ -s stderr ] && fail "standard error: $(head -3 stderr)"
verdicts=(
  '^PASS count/gates\.cpp 14/14$'
  '^PASS count/parity\.cpp 14/14$'
  '^PASS count/adder\.cpp 14/14$'
  '^PASS count/nand\.cpp 14/14$'
  '^PASS count/sop\.cpp 14/14$'
  '^PASS count/mux\.cpp 14/14$'
  '^PASS count/slow\.cpp 14/14$'
  '^PASS count/chatty\.cpp 14/14$'
  '^FAIL count/swapped\.cpp 5/14$'
  '^FAIL count/nocarry\.cpp 10/14$'
  '^FAIL count/orsum\.cpp 9/14$'
  '^FAIL count/twoinputs\.cpp 7/14$'
  '^FAIL count/nor\.cpp 0/14$'
  '^FAIL count/stuck\.cpp 3/14$'
  '^FAIL count/wide\.cpp 0/14 \(exit status 2: .*count\.vec:8: value 0b10 has 2 letters for count, a bus of 3 wires\)$'
  '^FAIL count/floating\.cpp 3/14$'
  "^BUILD ERROR count/typo\\.cpp: count/typo\\.cpp:7:[0-9]+: error: expected '\\)' before 'count'$"
  '^FAIL count/renamed\.cpp 0/14 \(exit status 2: .*count\.vec:4: unknown name count: '
  '^BUILD ERROR count/miswired\.cpp: I/O length error--Adder Adder at ab dataIn\.length = 3 out\.length = 2$'
  "^TIMEOUT count/loop\\.cpp \\(time reached [0-9]+, still changing: tick<&\"'>\\)$"
  "^PASS --json <&>\"q\"\\.cpp 14/14$"
  $'^PASS caf\xe9\\.cpp 14/14$'
  "^REFUSED \\\$'tab\\\\tname\\.cpp': a file name with a control character$"
  "^REFUSED \\\$'cr\\\\rname\\.cpp': a file name with a control character$"
  "^REFUSED \\\$'del\\\\177name\\.cpp': a file name with a control character$"
  '^10 passed, 15 failed$'
)
mapfile -t lines <<<"$out"
mapfile -t heads < <(grep -a -v '^  ' <<<"$out")
[ "${#heads[@]}" -eq "${#verdicts[@]}" ] || fail "${#heads[@]} verdict lines, expected ${#verdicts[@]}"
for i in "${!verdicts[@]}"; do
  [[ ${heads[$i]:-} =~ ${verdicts[$i]} ]] || fail "verdict $((i + 1)): '${heads[$i]:-}' does not match ${verdicts[$i]}"
done

# The lines under a verdict: "details VERDICT_LINE": the indented lines that
# follow it.
details() { awk -v head="$1" '$0 == head { on = 1; next } on && /^  / { print; next } { on = 0 }' <<<"$out"; }
# Outputs swapped: a count of 1 reads 2 and 2 reads 1, in every form the
# vectors use (decimal, 0b and 0x lines 8 and 9), each shown in binary and
# decimal.
expected='  line 5: count is 0b10 (2) expected 0b01 (1) at time 50
  line 6: count is 0b01 (1) expected 0b10 (2) at time 80
  line 8: count is 0b01 (1) expected 0b10 (2) at time 120
  line 9: count is 0b10 (2) expected 0b01 (1) at time 150
  line 11: count is 0b10 (2) expected 0b01 (1) at time 190
  line 12: count is 0b01 (1) expected 0b10 (2) at time 220
  line 14: count is 0b01 (1) expected 0b10 (2) at time 260
  line 15: count is 0b10 (2) expected 0b01 (1) at time 290
  line 17: count is 0b01 (1) expected 0b10 (2) at time 360'
got=$(details "FAIL count/swapped.cpp 5/14")
[ "$got" = "$expected" ] || fail "swapped's lines:"$'\n'"$got"
# Always 0: eleven lines fail, ten are shown.
got=$(details "FAIL count/stuck.cpp 3/14")
[ "$(grep -a -c '^  line ' <<<"$got")" -eq 10 ] && [ "$(tail -n1 <<<"$got")" = "  … and 1 more" ] ||
  fail "stuck's lines:"$'\n'"$got"
grep -q -x '  line 5: count is 0b00 (0) expected 0b01 (1) at time [0-9]*' <<<"$got" || fail "stuck's line 5: $got"
# A wire nothing drives is shown as it is, beside a known expectation.
details "FAIL count/floating.cpp 3/14" | grep -q -x '  line 4: count is 0bZ0 expected 0b00 (0) at time [0-9]*' ||
  fail "floating's line 4: $(details "FAIL count/floating.cpp 3/14" | head -1)"
# Nothing under a passing circuit, a build error or a refusal.
for head in "PASS count/gates.cpp 14/14" "${heads[16]}" "${heads[22]}"; do
  [ -z "$(details "$head")" ] || fail "lines under $head: $(details "$head")"
done

# The reports read back, against the console and each other.
for f in "${files[@]}"; do
  if [[ $f == *[[:cntrl:]]* ]]; then printf '%q\n' "$f"; else printf '%s\n' "$f"; fi
done >names
printf '%s\n' "$out" >console
python3 - >py.out 2>&1 <<'PY' || fail "the reports:"$'\n'"$(cat py.out)"
import json, re, sys
import xml.etree.ElementTree as ET

# The console as the reports give it: UTF-8, a byte that is not part of a
# character dropped.
with open("console", "rb") as f:
    console = f.read().decode("utf-8", errors="ignore")[:-1]
heads = [l for l in console.split("\n") if not l.startswith("  ")][:-1]
# The circuits' names, the same way.
with open("names", "rb") as f:
    names = f.read().decode("utf-8", errors="ignore").split("\n")[:-1]
root = ET.parse("r.xml").getroot()
with open("r.json", encoding="utf-8") as f:
    report = json.load(f)
problems = []
def expect(ok, what):
    if not ok:
        problems.append(what)

# JUnit: one testsuite per circuit, in order, one testcase per check line.
expect(root.tag == "testsuites", "the root is " + root.tag)
suites = root.findall("testsuite")
expect(len(suites) == len(heads), "%d testsuites for %d circuits" % (len(suites), len(heads)))
checkLines = [4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17]
totals = {"tests": 0, "failures": 0, "errors": 0}
passing = {}
for suite, head in zip(suites, heads):
    name = suite.get("name")
    expect(name == names[len(passing)], "suite %r for %r" % (name, names[len(passing)]))
    cases = suite.findall("testcase")
    expect([c.get("name").split(":")[0] for c in cases] == ["line %d" % n for n in checkLines],
           "%s: testcases %s" % (name, [c.get("name") for c in cases]))
    nFail = sum(1 for c in cases if c.find("failure") is not None)
    nError = sum(1 for c in cases if c.find("error") is not None)
    expect(all(len(list(c)) <= 1 for c in cases), name + ": a testcase with two results")
    expect(suite.get("tests") == str(len(cases)) and suite.get("failures") == str(nFail)
           and suite.get("errors") == str(nError), name + ": counts " + str(suite.attrib))
    for k in totals:
        totals[k] += int(suite.get(k))
    passing[name] = len(cases) - nFail - nError
    m = re.search(r" (\d+)/(\d+)", head)
    if head.startswith(("PASS", "FAIL")) and m:
        expect(passing[name] == int(m.group(1)) and len(cases) == int(m.group(2)),
               "%s: %d passing testcases, the console says %s" % (name, passing[name], m.group(0)))
    for c in cases:
        for result in list(c):
            expect(result.get("message") and result.get("message") in result.text,
                   name + ": a result without its message")
    expect(head in suite.find("system-out").text, name + ": system-out " + repr(suite.find("system-out").text))
expect({k: root.get(k) for k in totals} == {k: str(v) for k, v in totals.items()}, "testsuites counts " + str(root.attrib))

def message(suiteName, line):
    for suite in suites:
        if suite.get("name") == suiteName:
            for c in suite.findall("testcase"):
                if c.get("name").startswith("line %d:" % line):
                    r = list(c)
                    return (r[0].tag, r[0].get("message")) if r else ("ok", None)
    return None

expect(message("count/swapped.cpp", 5) == ("failure", "count is 0b10 (2) expected 0b01 (1) at time 50"),
       "swapped line 5: %s" % (message("count/swapped.cpp", 5),))
expect(message("count/swapped.cpp", 4) == ("ok", None), "swapped line 4: %s" % (message("count/swapped.cpp", 4),))
tag, text = message("count/typo.cpp", 9)
expect(tag == "error" and re.match(r"BUILD ERROR: count/typo.cpp:7:\d+: error: expected '\)' before 'count'$", text),
       "typo line 9: %s %s" % (tag, text))
tag, text = message("count/loop.cpp", 4)
expect(tag == "failure" and re.match(r"not reached: TIMEOUT \(time reached \d+, still changing: tick<&\"'>\)$", text),
       "loop line 4: %s %s" % (tag, text))
tag, text = message('--json <&>"q".cpp', 17)
expect(tag == "ok", "the markup name's line 17: %s" % tag)
expect(message("caf.cpp", 4) == ("ok", None), "the Latin-1 name: %s" % suites[21].get("name"))
tag, text = message("$'tab\\tname.cpp'", 4)
expect(tag == "error" and text == "REFUSED: a file name with a control character", "tab name: %s %s" % (tag, text))

# JSON: the same results, one test per circuit and line, and the console.
tests = report["tests"]
expect(report["output"] == console + "\n", "output differs from the console")
expect(len(tests) == 14 * len(heads), "%d tests" % len(tests))
expect(len({t["name"] for t in tests}) == len(tests), "test names repeat")
expect(all(set(t) == {"name", "score", "max_score", "output"} and t["score"] in (0, 1) and t["max_score"] == 1
           and isinstance(t["output"], str) and t["output"] for t in tests), "a test of another layout")
expect(report["score"] == sum(t["score"] for t in tests) == sum(passing.values()) == 8 * 14 + 5 + 10 + 9 + 7 + 3 + 3 + 2 * 14,
       "score %s, tests %d, JUnit %d" % (report["score"], sum(t["score"] for t in tests), sum(passing.values())))
byName = {t["name"]: t for t in tests}
t = byName.get("count/swapped.cpp line 5: a count=1")
expect(t is not None and t["score"] == 0 and t["output"] == "count is 0b10 (2) expected 0b01 (1) at time 50",
       "swapped line 5 in JSON: %s" % t)
t = byName.get('--json <&>"q".cpp line 4: - count=0')
expect(t is not None and t["score"] == 1, "the markup name in JSON: %s" % t)
expect("caf.cpp line 4: - count=0" in byName, "the Latin-1 name in JSON")
expect(any(n.startswith("count/loop.cpp line 4") and "tick<&\"'>" in t["output"] for n, t in byName.items()),
       "loop's bus name in JSON")
if problems:
    print("\n".join(problems))
    sys.exit(1)
PY

# What --keep kept: numbered by place in the batch.
kept=kept/1-gates.cpp
[ -f "$kept/build.log" ] && [ -f "$kept/output" ] || fail "gates: kept $(ls "$kept" 2>&1)"
[ "$(head -1 "$kept/netlist.knl" 2>/dev/null)" = "korvax-netlist 1" ] || fail "gates: no netlist kept"
grep -q -x '14 passed, 0 failed' "$kept/output" || fail "gates: the output kept: $(tail -2 "$kept/output")"
[ "$(cat "$kept/verdict")" = "PASS count/gates.cpp 14/14" ] || fail "gates: verdict kept: $(cat "$kept/verdict")"
grep -q "typo.cpp:7:[0-9]*: error:" kept/17-typo.cpp/build.log || fail "typo: the build log kept: $(head -3 kept/17-typo.cpp/build.log)"
[ ! -e kept/17-typo.cpp/netlist.knl ] || fail "typo: a netlist kept"
[ "$(cat kept/9-swapped.cpp/verdict)" = "$(printf 'FAIL count/swapped.cpp 5/14\n%s' "$expected")" ] ||
  fail "swapped: verdict kept: $(cat kept/9-swapped.cpp/verdict)"
[ -d "kept/21-$markup" ] && [ -d kept/23-refused ] || fail "kept: $(ls kept)"

# --allow: a kind outside the list fails, naming the component's place and
# every further one; the kinds that feed a circuit need not be listed.
out=$("$check" -j 2 -t 2 --allow And,Or,Not,Xor --json allow.json -- count.vec count/gates.cpp count/nand.cpp \
  count/adder.cpp count/sop.cpp count/mux.cpp 2>&1)
status=$?
expected="PASS count/gates.cpp 14/14
FAIL count/nand.cpp 0/14 (count/nand.cpp:8: Nand is not allowed (only And, Or, Not, Xor): build it from gates)
$(for l in 9 10 11 12 13 14 15 16; do echo "  count/nand.cpp:$l: Nand is not allowed either"; done)
FAIL count/adder.cpp 0/14 (count/adder.cpp:7: Adder is not allowed (only And, Or, Not, Xor): build it from gates)
  count/adder.cpp:8: Adder is not allowed either
PASS count/sop.cpp 14/14
FAIL count/mux.cpp 0/14 (count/mux.cpp:12: Mux is not allowed (only And, Or, Not, Xor): build it from gates)
  count/mux.cpp:13: Mux is not allowed either
2 passed, 3 failed"
[ "$out" = "$expected" ] || fail "--allow:"$'\n'"$out"
[ "$status" -eq 1 ] || fail "--allow: status $status"
python3 -c 'import json, sys; r = json.load(open("allow.json")); sys.exit(r["score"] != 28)' || fail "--allow: JSON score"
# A kind that is none: one line, status 2, nothing graded.
err=$("$check" --allow And,Nand,Andd -- count.vec count/gates.cpp 2>&1 >stdout)
status=$?
[ "$status" -eq 2 ] && [ "$(wc -l <<<"$err")" -eq 1 ] && [[ $err == "korvax-check: --allow: no component kind is called Andd "* ]] &&
  [ ! -s stdout ] || fail "an unknown kind: status $status: $err $(cat stdout)"
for wrong in "And,,Or" "And Or" ","; do
  "$check" --allow "$wrong" -- count.vec count/gates.cpp >/dev/null 2>&1
  status=$?
  [ "$status" -eq 2 ] || fail "--allow '$wrong': status $status"
done
# Every kind of the library is one --allow takes (the next fault is the
# missing vectors file).
every=$(sed -n 's/^ *{{"\([A-Za-z]*\)", [a-zA-Z]*Role, .*/\1/p' "$src/sim/Kinds.cpp" | paste -sd,)
[ "$(tr , '\n' <<<"$every" | wc -l)" -ge 39 ] || fail "the kinds read from Kinds.cpp: $every"
err=$("$check" --allow "$every" -- missing.vec count/gates.cpp 2>&1)
[[ $err == "korvax-check: cannot read the test vectors missing.vec" ]] || fail "every kind: $err"

# Report files: one that cannot be made is refused before anything is
# built; one over the vectors too, leaving them as they were; a write that
# fails at the end is status 2.
before=$(md5sum count.vec)
for report in --junit --json; do
  err=$("$check" "$report" no/such/folder/r -- count.vec count/gates.cpp 2>&1)
  status=$?
  [ "$status" -eq 2 ] && [ "$err" = "korvax-check: cannot write no/such/folder/r" ] || fail "$report no/such/folder/r: $status $err"
  err=$("$check" "$report" ./count.vec -- count.vec count/gates.cpp 2>&1)
  status=$?
  [ "$status" -eq 2 ] && [[ $err == *"would be overwritten" ]] || fail "$report over the vectors: $status $err"
done
[ "$before" = "$(md5sum count.vec)" ] || fail "the vectors changed"
err=$("$check" --keep count.vec -- count.vec count/gates.cpp 2>&1)
[ "$?" -eq 2 ] && [ "$err" = "korvax-check: cannot make the folder count.vec" ] || fail "--keep on a file: $err"
"$check" --junit /dev/full -- count.vec count/gates.cpp >/dev/null 2>err
status=$?
[ "$status" -eq 2 ] && grep -q -x "korvax-check: cannot write /dev/full" err || fail "--junit /dev/full: $status $(cat err)"

[ "$failures" -eq 0 ] && echo "korvax-check: a batch of $((${#files[@]})) graded as expected, its reports read back"
printf '%s\n' "${lines[@]}"
exit "$failures"
