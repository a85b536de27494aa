// A ROM-driven message printer: a counter steps through a ROM holding a
// text, and a Stderr component writes one character per clock cycle until
// it meets the terminating zero, which stops the run.
//
// The counter counts on the falling clock edge; the ROM's output has
// settled well before the next rising edge, which strobes Stderr. Stderr is
// enabled only while the character is known and not zero: at the first
// rising edge the ROM has not been read yet, and the zero is not printed.
// The stop fires only at a rising edge whose character is zero, so the
// address changing in between never stops it early.
//   tools/korvax-build examples/rom-message.cpp && build/circuits/rom-message -X
#include "korvax.h"

void simnet() {
    static const char text[16] = "Hello, Korvax!\n";  // 15 characters and the zero
    unsigned char contents[16];
    for (int i = 0; i < 16; i++) contents[i] = static_cast<unsigned char>(text[i]);

    Signal clock(1, "clock"), clear(1, "clear"), address(4, "address"), character(8, "character");
    Clock(SD("aa"), clock, 100, 0, 200, Zero);
    PowerOn(SD("ab"), clear, 60, Zero);
    Counter(SD("ba", "step"), (clear, clock), address);
    Rom(SD("bb", "text"), address, character, 16, 8, contents);
    Signal zero(1, "zero"), printable(1, "printable"), end(1, "end");
    Nor(SD("ca"), character, zero);
    Not(SD("cb"), zero, printable);
    // Stderr's input: [0 .. 7] the code, [8] strobe, [9] enable.
    Stderr(SD("bc", "print"), (printable, clock, character));
    And(SD("cc"), (clock, zero), end);
    Stop(SD("cd"), end);
}
