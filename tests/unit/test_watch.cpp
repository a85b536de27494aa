// Watches (sim/Watch.h): the text of each format for known values and for
// wires that are not ZERO or ONE, a formatter of the circuit's own, and that
// declaring a watch adds no component and no wire to the netlist.
#include <gtest/gtest.h>

#include <string>

#include "korvax.h"
#include "netlist.h"

namespace {

class Watches : public testing::Test {
protected:
    void SetUp() override {
        watchList.clear();
        startNetlist();
    }
    static void set(const Signal& bus, unsigned long value) {
        for (int i = 0; i < bus.length; i++)
            phaseThree->currentSignals[bus.serialNumber[i]] = (value >> i) & 1 ? ONE : ZERO;
    }
    static void setWire(const Signal& bus, int position, SignalValue v) {
        phaseThree->currentSignals[bus.serialNumber[position]] = v;
    }
};

const char* onOff(unsigned long v) { return v ? "on" : "off"; }

TEST_F(Watches, FormatsOfKnownValues) {
    Signal word(16, "word"), nibbles(6, "six"), bit(1, "bit"), wide(64, "wide");
    Not(SD("aa"), bit, bit);  // a netlist needs a component
    Watch("w", word);
    Watch("d", word, WATCH_DECIMAL);
    Watch("s", word, WATCH_SIGNED);
    Watch("b", nibbles, WATCH_BINARY);
    Watch("h6", nibbles);
    Watch("s6", nibbles, WATCH_SIGNED);
    Watch("f", bit, onOff);
    Watch("wide", wide, WATCH_SIGNED);
    convertNetlist();
    set(word, 0xFFFE);
    set(nibbles, 0x25);
    set(bit, 1);
    set(wide, ~0ul);
    EXPECT_EQ(watchText(0), "FFFE");
    EXPECT_EQ(watchText(1), "65534");
    EXPECT_EQ(watchText(2), "-2");
    EXPECT_EQ(watchText(3), "100101");
    EXPECT_EQ(watchText(4), "25");  // two digits for six wires
    EXPECT_EQ(watchText(5), "-27");
    EXPECT_EQ(watchText(6), "on");
    EXPECT_EQ(watchText(7), "-1");
    set(word, 0x0005);
    set(bit, 0);
    EXPECT_EQ(watchText(0), "0005");
    EXPECT_EQ(watchText(2), "5");
    EXPECT_EQ(watchText(6), "off");
}

TEST_F(Watches, WiresNotZeroOrOne) {
    Signal word(8, "word"), bit(1, "bit");
    Not(SD("aa"), bit, bit);
    Watch("h", word);
    Watch("d", word, WATCH_DECIMAL);
    Watch("b", word, WATCH_BINARY);
    Watch("f", bit, onOff);
    convertNetlist();
    // As declared: every wire UNINITIALIZED.
    EXPECT_EQ(watchText(0), "UU");
    EXPECT_EQ(watchText(1), "U");
    EXPECT_EQ(watchText(2), "UUUUUUUU");
    EXPECT_EQ(watchText(3), "U");  // the formatter is not asked
    set(word, 0x3C);
    setWire(word, 6, HIZ);
    setWire(word, 1, XXX);
    EXPECT_EQ(watchText(0), "ZX");
    EXPECT_EQ(watchText(1), "X");
    EXPECT_EQ(watchText(2), "0Z1111X0");
    for (int i = 0; i < 8; i++) setWire(word, i, HIZ);
    EXPECT_EQ(watchText(1), "Z");
}

TEST_F(Watches, AddNoComponentAndNoWire) {
    Signal a(4, "a"), b(4, "b");
    Not(SD("aa"), a, b);
    Watch("a", a);
    Watch("both", (a, b), WATCH_BINARY);
    convertNetlist();
    EXPECT_EQ(phaseTwo->numberOfComponents, 4);  // one inverter per wire
    EXPECT_EQ(phaseTwo->numberOfSignals, 2 + 8);  // Zero, One and the two buses
    ASSERT_EQ(watchList.size(), 2u);
    EXPECT_EQ(watchList[1].label, "both");
    EXPECT_EQ(watchList[1].wires.size(), 8u);
    EXPECT_EQ(watchList[1].wires[0], b.serialNumber[0]);  // position 0: the right operand's
}

TEST_F(Watches, TooWideForANumberEndsTheBuild) {
    Signal wide(65, "wide");
    EXPECT_EXIT(Watch("wide", wide, WATCH_DECIMAL), testing::ExitedWithCode(1), "Error--Watch wide of 65 wires");
    Watch("wide", wide, WATCH_BINARY);  // any width in binary
    EXPECT_EQ(watchList.size(), 1u);
}

}  // namespace
