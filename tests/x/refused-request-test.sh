#!/usr/bin/env bash
# tests/x/refused-request-test.sh REFUSED: a request the X server refuses
# is said once on standard error and seen by the run (which then ends with
# status 1), under an X server of the test's own.
set -u
refused=$1
. "$(dirname "$0")/xserver.sh"
start_xvfb

"$refused" >"$tmp/out" 2>"$tmp/err"
rc=$?
[ "$rc" = 0 ] || fail "the program ended with status $rc"
# Each glyph is refused twice: the cursor, then the window's use of it.
printf 'before: hook 0 seen 0\nafter: hook 6 seen 1\n' | diff - "$tmp/out" >&2 || fail "hook and flag as above"
[ "$(wc -l <"$tmp/err")" = 1 ] || fail "one line for six refused requests, got: $(cat "$tmp/err")"
grep -qx 'X server error: BadValue (integer parameter out of range for operation) in request [0-9]*; the run ends with status 1' \
  "$tmp/err" || fail "the error line: $(cat "$tmp/err")"
exit $status
