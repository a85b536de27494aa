// The run-time signal helpers: complement, bus to number, two-bit packing.
#include <gtest/gtest.h>

#include <vector>

#include "Ph1.h"
#include "Ph2.h"
#include "Ph3.h"
#include "RTSigSup.h"
#include "netlist.h"

namespace {

const SignalValue all[5] = {ZERO, UNINITIALIZED, XXX, HIZ, ONE};

// A netlist of 40 plain wires (after the two constants) whose present
// values each test sets.
class Helpers : public testing::Test {
protected:
    std::vector<int> serials;
    void SetUp() override {
        startNetlist();
        Signal wires(40, "w");
        convertNetlist();
    }
    // Gives the first values.size() wires those values; returns their
    // serial numbers.
    const int* set(const std::vector<SignalValue>& values) {
        serials.clear();
        for (size_t i = 0; i < values.size(); i++) {
            serials.push_back(static_cast<int>(i) + 2);
            phaseThree->currentSignals[i + 2] = values[i];
        }
        return serials.data();
    }
};

}  // namespace

TEST(Complement, ValuesAndInvolution) {
    EXPECT_EQ(complement(ZERO), ONE);
    EXPECT_EQ(complement(ONE), ZERO);
    EXPECT_EQ(complement(UNINITIALIZED), XXX);
    EXPECT_EQ(complement(XXX), UNINITIALIZED);
    EXPECT_EQ(complement(HIZ), HIZ);
    EXPECT_EQ(complement(static_cast<SignalValue>(7)), HIZ);
    for (SignalValue v : all) EXPECT_EQ(complement(complement(v)), v);
}

TEST_F(Helpers, IntegerFromSignals) {
    EXPECT_EQ(integerFromSignals(3, set({ONE, ZERO, ONE})), 5);
    EXPECT_EQ(integerFromSignals(0, set({})), 0);
    for (SignalValue unknown : {UNINITIALIZED, XXX, HIZ}) {
        EXPECT_EQ(integerFromSignals(3, set({ONE, unknown, ONE})), -1);
        EXPECT_EQ(integerFromSignals(3, set({ZERO, ZERO, unknown})), -1);
    }
    EXPECT_EQ(integerFromSignals(32, set(std::vector<SignalValue>(32, ONE))), -1);  // all bits set
    std::vector<SignalValue> high(32, ZERO);
    high[31] = ONE;
    EXPECT_EQ(static_cast<unsigned int>(integerFromSignals(32, set(high))), 0x80000000u);
    // No 32-bit number has 33 bits.
    EXPECT_EQ(integerFromSignals(33, set(std::vector<SignalValue>(33, ZERO))), -1);
}

TEST_F(Helpers, PackingLayoutAndRoundTrip) {
    std::vector<SignalValue> values = {ZERO, ONE, XXX, UNINITIALIZED};
    values.insert(values.end(), 12, ZERO);
    values.push_back(ONE);
    unsigned int words[3] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    packSignals(17, set(values), words);
    EXPECT_EQ(words[0], 0x55555539u);
    EXPECT_EQ(words[1], 0x00000002u);
    EXPECT_EQ(words[2], 0xFFFFFFFFu);  // only (17-1)/16+1 = 2 words touched

    SignalValue back[17];
    unpackSignals(17, words, back);
    for (int i = 0; i < 17; i++) EXPECT_EQ(back[i], values[i]) << "value " << i;

    // No values: one word is still cleared.
    words[0] = 0xFFFFFFFF;
    packSignals(0, set({}), words);
    EXPECT_EQ(words[0], 0u);
}

TEST_F(Helpers, HizIsStoredAsXxxWithoutDisturbingItsNeighbours) {
    unsigned int word = 0;
    packSignals(3, set({ONE, HIZ, ONE}), &word);
    EXPECT_EQ(word, 2u | 3u << 2 | 2u << 4);
    SignalValue back[3];
    unpackSignals(3, &word, back);
    EXPECT_EQ(back[0], ONE);
    EXPECT_EQ(back[1], XXX);
    EXPECT_EQ(back[2], ONE);
}
