// Width errors of the medium- and large-scale constructors: every one is
// reported on its line (four lines for a read/write memory), counted, and
// the count ends the program after phase one. Labelled and unlabelled
// descriptors alternate, so that both the descriptor's label and the
// default label appear. The correctly sized components report nothing.
#include "korvax.h"

void simnet() {
    Signal b1(1, "b1"), b2(2, "b2"), b3(3, "b3"), b4(4, "b4"), b5(5, "b5"), b6(6, "b6"), b7(7, "b7"), b8(8, "b8"),
        b9(9, "b9");
    Adder(SD("aa", "sum"), b7, b4);
    Adder(SD("ab"), (b4, b4), b4);  // right
    Adder(SD("ac"), b9, b5);
    Increment(SD("ad", "inc"), b3, b4);
    Increment(SD("ae"), b5, b4);  // right: the upper input bit is not read
    Mux(SD("af", "sel"), b2, b7, b2);
    Decoder(SD("ag"), b2, b2, b4);
    Decoder(SD("ah", "dec"), b1, b2, b3);
    Encoder(SD("ai"), b8, b3, b2);
    Encoder(SD("aj", "enc"), b6, b3, b1);
    Gate(SD("ak", "g"), b3, b1);
    Counter(SD("al"), b1, b4);
    Counter(SD("am", "cnt"), b2, b4);  // right
    Dff(SD("an", "ff"), b3, b1);
    Jkff(SD("ao"), b5, b1);
    Register(SD("ap", "reg"), b2, b1, b3, b4);
    Register(SD("aq"), b1, b1, b4, b4);  // right
    BitAddressibleRegister(SD("ar"), b2, b1, b1, b1, b1, b2, b3, b1, b4);
    BitAddressibleRegister(SD("as", "bits"), b1, b1, b1, b1, b1, b2, b2, b1, b5);
    Stderr(SD("at", "text"), b9);
    IntOut(SD("au"), b3, b8);
    HexOut(SD("av"), b1, b8);
    RegisterFile(SD("aw", "file"), b9, b4, b4, 8, 2, 3, 2, 1);
    Ram(SD("ax"), b6, b2, b2, 4, 2, 2, 1, 1);  // right
    Ram(SD("ay"), b8, b2, b2, 4, 2, 2, 1, 2);
    // A negative address size would let the widths agree: refused too.
    Ram(SD("az", "neg"), Signal(0, "UnNamed"), b1, b1, 2, 1, -1, 1, 1);
    static const unsigned char contents[128] = {0};
    Rom(SD("ba", "rom"), b5, b8, 64, 8, contents);
    Rom(SD("bb"), b6, b8, 64, 8, contents);  // right
    Rom(SD("bc"), b6, b9, 64, 9, contents);  // right
    // Contents: a null pointer, and an array too short for 64 two-byte words.
    Rom(SD("bd", "nul"), b6, b9, 64, 9, nullptr);
    static const unsigned char shortContents[100] = {0};
    Rom(SD("be"), b6, b9, 64, 9, shortContents);
    // Eight inputs for three outputs: the message says what out should be.
    Adder(SD("bc", "wide"), b8, b3);
}
