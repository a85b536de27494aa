// Buses whose names are no references of a waveform file as they stand, for
// the rule that makes them references: an empty name, names beginning with
// `$`, blanks and the other white-space bytes, control and non-ASCII bytes,
// replaced names that meet each other or a name kept as it is, and a name
// the second bus of another name is also given. Every bus is a constant, so
// that the build reports nothing; run with -E.
#include "korvax.h"

void simnet() {
    Signal ok(2, 1u, "ok"), twin(1, 0u, "twin"), twinAgain(1, 1u, "twin");
    Signal literalTwin(1, 0u, "twin#2");  // the name the second twin has
    Signal empty(1, 0u, ""), end(2, 2u, "$end"), dollar(1, 1u, "$");
    Signal carriage(1, 0u, "a\rb"), vertical(1, 1u, "a\vb"), feed(1, 0u, "a\fb"), blank(1, 1u, "a b");
    Signal kept(1, 0u, "a_b");
    Signal tab(3, 5u, "tab\tname"), newline(1, 0u, "new\nline");
    Signal control(1, 1u, "ctl\x01\x7f"), accented(1, 0u, "caf\xc3\xa9"), quoted(1, 1u, "say \"hi\" \\ $x");
}
