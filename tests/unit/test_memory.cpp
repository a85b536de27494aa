// The library's registration records and the read/write memory's evaluator
// on words wider than one storage variable, driven by setting wire values
// directly: port order, the per-port edge, reads posted 10 ticks ahead, and
// addresses beyond the last word.
#include <gtest/gtest.h>

#include <string>

#include "korvax.h"
#include "netlist.h"

namespace {

// Builds the circuit `build` into phases two to four, as Sim does.
class Library : public testing::Test {
protected:
    void SetUp() override { startNetlist(); }
    void convert() {
        convertNetlist();
        phaseFour = new PhaseFour;
    }
    void TearDown() override {
        delete phaseFour;
        phaseFour = nullptr;
    }
    // One write port's control group as a number: address, strobe, enable.
    static unsigned long port(unsigned long address, unsigned long strobe, unsigned long enable) {
        return address | strobe << 2 | enable << 3;
    }
    static void set(const Signal& bus, unsigned long value) {
        for (int i = 0; i < bus.length; i++)
            phaseThree->currentSignals[bus.serialNumber[i]] = (value >> i) & 1 ? ONE : ZERO;
    }
    // The events posted for `bus`, most significant bit first, as one
    // letter per bit (0, 1, U, X), all at time `at`; empties the heap.
    static std::string posted(const Signal& bus, unsigned long at) {
        std::string bits(bus.length, '-');
        SkewHeap& h = phaseFour->skewHeap;
        while (!h.isEmpty()) {
            const Event e = h.min();
            h.removeMin();
            EXPECT_EQ(e.time, at);
            for (int i = 0; i < bus.length; i++)
                if (bus.serialNumber[i] == e.signalSerialNumber)
                    bits[bus.length - 1 - i] = "0UX?1"[e.sigValue];
        }
        return bits;
    }
};

}  // namespace

TEST_F(Library, RegistrationCarriesGeometryLabelsAndEmptyGroups) {
    Signal d(4, "d"), s(2, "s"), code(2, "code"), valid(1, "valid"), text(10, "text");
    Adder(SD("aa"), (d, d), d);
    Encoder(SD("ab", "pri"), d, code, valid);
    Stderr(SD("ac"), text);
    Signal ctl(2 * 2 + 1 * (2 + 2), "ctl"), in(20, "in"), out(40, "out");
    Ram(SD("ad"), ctl, in, out, 3, 20, 2, 2, 1);
    RegisterFile(SD("ae", "regs"), ctl, in, out, 4, 20, 2, 2, 1);
    unsigned char contents[4 * 2] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
    Signal addr(2, "addr"), word(9, "word");
    Rom(SD("af"), addr, word, 4, 9, contents);
    contents[0] = 0xFF;
    convert();
    const PhaseTwo& p = *phaseTwo;

    ASSERT_EQ(p.numberOfIntegerParameters[0], 1);
    EXPECT_EQ(p.integerParameters[0][0], 4);
    EXPECT_EQ(p.numberOfControlInputs[0], 0);
    EXPECT_STREQ(p.decal[0], "Adder");
    // Encoder outputs: the code low, valid last.
    EXPECT_STREQ(p.decal[1], "pri");
    ASSERT_EQ(p.numberOfOutputs[1], 3);
    EXPECT_EQ(p.outputs[1][2], valid.serialNumber[0]);
    EXPECT_EQ(p.numberOfOutputs[2], 0);
    EXPECT_EQ(p.numberOfControlInputs[2], 0);
    EXPECT_EQ(p.numberOfDataInputs[2], 10);

    // 20-bit words take two 32-bit variables each.
    const int ram[8] = {3, 20, 2, 2, 1, 2, 6, 0};
    ASSERT_EQ(p.numberOfIntegerParameters[3], 8);
    for (int i = 0; i < 8; i++) EXPECT_EQ(p.integerParameters[3][i], ram[i]) << i;
    EXPECT_EQ(p.numberOfInternal32BitVariables[3], 6);
    EXPECT_EQ(p.numberOfInternal8BitVariables[3], 1);
    EXPECT_STREQ(p.decal[3], "Ram");
    EXPECT_EQ(p.integerParameters[4][7], 1);
    EXPECT_STREQ(p.decal[4], "regs");

    ASSERT_EQ(p.numberOfIntegerParameters[5], 3);
    EXPECT_EQ(p.integerParameters[5][2], 2);
    ASSERT_EQ(p.numberOfByteParameters[5], 8);
    EXPECT_EQ(p.byteParameters[5][0], 0x01);  // copied before the caller changed it
    EXPECT_EQ(p.numberOfControlInputs[5], 0);
}

TEST_F(Library, WideWordsPortOrderAndAddressesBeyondTheLastWord) {
    // Two read ports, two write ports, 3 words of 20 bits, 2 address bits:
    // address 3 exists on the bus but not in the memory.
    Signal r0(2, "r0"), r1(2, "r1"), w0(2, "w0"), s0(1, "s0"), e0(1, "e0"), w1(2, "w1"), s1(1, "s1"),
        e1(1, "e1");
    Signal d0(20, "d0"), d1(20, "d1"), q0(20, "q0"), q1(20, "q1");
    Ram(SD("aa"), ((e1, s1, w1), (e0, s0, w0), r1, r0), (d1, d0), (q1, q0), 3, 20, 2, 2, 2);
    convert();
    phaseFour->runInitialize();
    set((e1, s1, w1, e0, s0, w0, r1, r0), 0);
    multiPortRam(0);  // clears, arms both ports once the enables are known
    phaseFour->skewHeap.clear();
    multiPortRam(0);
    phaseFour->skewHeap.clear();

    // Both ports write word 2 in one evaluation: port 1 wins, and read port
    // 1 sees it in the same evaluation.
    set(d0, 0xAAAAA);
    set(d1, 0x3A5A5);
    const Signal ports = (e1, s1, w1, e0, s0, w0);
    set(ports, port(2, 1, 1) | port(2, 1, 1) << 4);
    set(r1, 2);
    set(r0, 3);
    phaseFour->time = 50;
    multiPortRam(0);
    EXPECT_EQ(posted(q1, 60), "00111010010110100101");
    phaseFour->time = 0;
    set(r0, 1);
    multiPortRam(0);
    const std::string q0Word = posted((q1, q0), 10).substr(20);
    EXPECT_EQ(q0Word, std::string(20, 'U'));

    // Address 3: XXX on read; a write is refused with the report and its
    // edge is used up, so holding the strobe writes nothing more.
    set(r0, 3);
    set(ports, port(3, 0, 1) | port(2, 0, 1) << 4);
    multiPortRam(0);  // the strobes fall: both ports armed again
    phaseFour->skewHeap.clear();
    set(ports, port(3, 1, 1) | port(2, 0, 1) << 4);
    testing::internal::CaptureStderr();
    multiPortRam(0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "ERROR-- Ram at aa componentNumber = 0\n"
              "     Attempt to write beyond the last word, address = 3 words = 3.\n");
    EXPECT_EQ(posted(q0, 10), std::string(20, 'X'));
    testing::internal::CaptureStderr();
    multiPortRam(0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    phaseFour->skewHeap.clear();

    // The words below were not disturbed.
    set(r0, 2);
    set(r1, 0);
    multiPortRam(0);
    EXPECT_EQ(posted((q1, q0), 10), std::string(20, 'U') + "00111010010110100101");
}
