// Phases two and three on small netlists: the arrays, the switch table,
// the dump, and the activation lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Ph1.h"
#include "Ph2.h"
#include "Ph3.h"
#include "addStCmp.h"
#include "netlist.h"

namespace {

void evaluate(int) {}

SecondaryEvaluatePointer noSecondary{nullptr};

// Each test builds its own circuit: a fresh phase one whose first two wires
// are the constants, as in a real start.
class Netlist : public testing::Test {
protected:
    void SetUp() override { startNetlist(); }
    void convert() { convertNetlist(); }
    void TearDown() override {
        if (phaseOne) {
            testing::internal::CaptureStderr();
            delete phaseOne;
            testing::internal::GetCapturedStderr();
        }
    }
    // Registered as made at the caller's line.
    static void component(const SD& sd, const Signal& in, const Signal& control, const Signal& out,
                          int selfActivating = 0, SourcePlace at = SourcePlace()) {
        addStandardComponent(evaluate, noSecondary, nullptr, nullptr, nullptr, nullptr, 0, selfActivating, "C", sd,
                             in, control, out, 0, nullptr, 0, nullptr, 0, 0, 0, at);
    }
    static std::vector<int> list(int wire) {
        const int* start = phaseThree->activationList + phaseThree->activationListStart[wire];
        return std::vector<int>(start, start + phaseThree->lengthOfActivationList(wire));
    }
    // The list as the run loop reads it, from the wire's record.
    static std::vector<int> recordedList(int wire) {
        const WireRecord& r = phaseThree->wireRecords[wire];
        const int* start = r.activations(phaseThree->activationList);
        return std::vector<int>(start, start + r.activationLength);
    }
};

Signal none() { return Signal(0, "UnNamed"); }

}  // namespace

TEST_F(Netlist, ArraysHoldTheRegisteredNetlist) {
    Signal a(2, "a"), y(1, "y"), k(1, "k");
    int params[] = {3, 4};
    unsigned char bytes[] = {9};
    addStandardComponent(evaluate, noSecondary, nullptr, nullptr, nullptr, nullptr, 1, 0, "Mem", SD("aa"), a, none(),
                         y, 2, params, 1, bytes, 5, 0, 3);
    phaseOne->switchList.add(k.serialNumber[0], 'z');
    addStandardComponent(nullptr, nullptr, "Switch", SD(SD(SD("ab"), "ba"), "cc", "sw"), none(), none(), k);
    convert();

    const PhaseTwo& p = *phaseTwo;
    EXPECT_EQ(p.numberOfComponents, 2);
    EXPECT_EQ(p.numberOfSignals, 6);
    EXPECT_EQ(p.numberOfSwitches, 1);
    EXPECT_EQ(p.maxGraphicDisplayLevel, 3);

    EXPECT_STREQ(p.signalNames[0], "Zero[0]");
    EXPECT_STREQ(p.signalNames[1], "One[0]");
    EXPECT_EQ(p.constSignals[0], 1);
    EXPECT_EQ(p.constSignals[1], 1);
    EXPECT_EQ(p.signalInitializations[0], ZERO);
    EXPECT_EQ(p.signalInitializations[1], ONE);
    EXPECT_STREQ(p.signalNames[3], "a[1]");
    EXPECT_EQ(p.constSignals[3], 0);

    EXPECT_EQ(p.runTimeCalls[0].logicEvaluate, evaluate);
    EXPECT_EQ(p.outputOverloadable[0], 1);
    EXPECT_STREQ(positionString(p.rcpos[1]), "ab.ba.cc");
    EXPECT_STREQ(p.decal[1], "sw");
    EXPECT_EQ(p.graphicLevel[1], 3);
    ASSERT_EQ(p.numberOfDataInputs[0], 2);
    EXPECT_EQ(p.dataInputs[0][0], 2);
    EXPECT_EQ(p.dataInputs[0][1], 3);
    EXPECT_EQ(p.numberOfControlInputs[0], 0);
    EXPECT_EQ(p.controlInputs[0], nullptr);
    EXPECT_EQ(p.dataInputs[1], nullptr);
    EXPECT_EQ(p.outputs[1][0], 5);
    EXPECT_EQ(p.integerParameters[0][1], 4);
    EXPECT_EQ(p.byteParameters[0][0], 9);
    EXPECT_EQ(p.integerParameters[1], nullptr);

    // Private state: arrays of exactly the registered sizes, or none.
    EXPECT_EQ(p.numberOfInternal32BitVariables[0], 5);
    ASSERT_NE(p.internal32BitVariables[0], nullptr);
    EXPECT_EQ(p.internal16BitVariables[0], nullptr);
    EXPECT_EQ(p.numberOfInternal8BitVariables[0], 3);
    ASSERT_NE(p.internal8BitVariables[0], nullptr);
    p.internal32BitVariables[0][4] = 0xFFFFFFFFu;  // the last word is usable
    p.internal8BitVariables[0][2] = 0xFF;
    EXPECT_EQ(p.internal32BitVariables[1], nullptr);

    EXPECT_EQ(p.activationsFromWindow[0][0], 'z');
    EXPECT_EQ(p.activationsFromWindow[0][1], 1);
    EXPECT_EQ(p.activationsFromWindow[0][2], 5);
    EXPECT_EQ(p.tile[1].w, 0);
}

TEST_F(Netlist, TopLevelOnlyGivesLevelOneAndNoSwitches) {
    Signal a(1, "a");
    component(SD("aa.bb.cc"), a, none(), none());
    convert();
    EXPECT_EQ(phaseTwo->maxGraphicDisplayLevel, 1);
    EXPECT_EQ(phaseTwo->numberOfSwitches, 0);
}

TEST_F(Netlist, DumpListsSignalsSwitchesAndComponents) {
    Signal a(2, "a"), k(1, "k");
    addStandardComponent(nullptr, nullptr, "Box", SD("ab"), a, none(), k);
    phaseOne->switchList.add(k.serialNumber[0], '1');
    addStandardComponent(nullptr, nullptr, "Key", SD("ac", "key"), none(), none(), k);
    convert();
    testing::internal::CaptureStderr();
    phaseTwo->dumpFromArrays();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "dumpFromArrays():\n"
              "Signal 0  Init = 0 constSignal = 1  Name = Zero[0]\n"
              "Signal 1  Init = 4 constSignal = 1  Name = One[0]\n"
              "Signal 2  Init = 1 constSignal = 0  Name = a[0]\n"
              "Signal 3  Init = 1 constSignal = 0  Name = a[1]\n"
              "Signal 4  Init = 1 constSignal = 0  Name = k[0]\n"
              "Switch 0  keyChar = 1  CompNumber = 1  SignalSerialNumber = 4\n"
              "Comp 0 eval() at (nil)  iconArray at (nil)  overLoadable = 0\n"
              "   rcpos =  ab  decal = Box \n"
              "   Inputs[2]: 2 3  Outputs[1]: 4\n"
              "Comp 1 eval() at (nil)  iconArray at (nil)  overLoadable = 0\n"
              "   rcpos =  ac  decal = key \n"
              "   Inputs[0]:  Outputs[1]: 4\n");
}

TEST_F(Netlist, ActivationListsAreAscendingAndOncePerComponent) {
    Signal w(1, "w"), c(1, "c"), unread(1, "unread"), out(1, "out");
    component(SD("aa"), (w, w), none(), unread);        // 0: w on two data inputs
    component(SD("aa"), out, w, none());                // 1: w as a control input
    component(SD("aa"), c, none(), (w, out), 1);        // 2: self-activating driver of w and out
    component(SD("aa"), w, c, Signal(1, "x"));          // 3: reads w and c
    Signal y(1, "y");
    component(SD("aa"), none(), none(), c, 0);          // 4: drives c, not self-activating
    component(SD("aa"), y, none(), none());             // 5: reads y
    convert();
    EXPECT_EQ(list(w.serialNumber[0]), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(list(out.serialNumber[0]), (std::vector<int>{1, 2}));
    EXPECT_EQ(list(c.serialNumber[0]), (std::vector<int>{2, 3}));
    EXPECT_EQ(list(y.serialNumber[0]), std::vector<int>{5});
    EXPECT_EQ(list(unread.serialNumber[0]), std::vector<int>{});
    EXPECT_EQ(list(0), std::vector<int>{});
    // The wire records hold the same lists, whether kept in the record (up
    // to two entries) or in the flat array, and a restart leaves them be.
    for (int round = 0; round < 2; round++) {
        for (int s = 0; s < phaseTwo->numberOfSignals; s++) EXPECT_EQ(recordedList(s), list(s)) << "wire " << s;
        phaseThree->resetRunTimeState();
    }
}

TEST_F(Netlist, RunTimeStateStartsDefined) {
    Signal a(1, "a"), k(2, 2u, "k"), v(1, HIZ, 0, "v");
    component(SD("aa"), a, none(), none());
    convert();
    const PhaseThree& p = *phaseThree;
    EXPECT_EQ(p.currentSignals[0], ZERO);
    EXPECT_EQ(p.currentSignals[1], ONE);
    EXPECT_EQ(p.currentSignals[a.serialNumber[0]], UNINITIALIZED);
    EXPECT_EQ(p.currentSignals[k.serialNumber[0]], ZERO);
    EXPECT_EQ(p.wireRecords[k.serialNumber[1]].scheduledSignal, ONE);
    // A declared value counts only for a constant wire.
    EXPECT_EQ(p.currentSignals[v.serialNumber[0]], UNINITIALIZED);
    EXPECT_EQ(p.wireRecords[1].scheduledTime, 0u);
    EXPECT_TRUE(p.isActivated(0));
}

TEST_F(Netlist, ConnectivityWarningsNameWireComponentAndPosition) {
    Signal floating(1, "f"), driven(1, "d");
    component(SD("ba", "G"), (floating, floating, floating), floating, driven);
    const std::string in = "  in tests/unit/test_phases.cpp:" + std::to_string(__LINE__ - 1) + "\n";
    phaseTwo = new PhaseTwo;
    phaseTwo->listsToArrays();
    testing::internal::CaptureStderr();
    delete phaseOne;
    phaseOne = nullptr;
    phaseThree = new PhaseThree;
    phaseThree->checkConnectivity();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "There are 1 components.\n"
              "There are 4 signals.\n"
              "Warning -- signal[2] f[0] has no driver, cmp = 0 G at ba has unconnected DATA input, position = 0\n" +
                  in +
                  "Warning -- signal[2] f[0] has no driver, cmp = 0 G at ba has unconnected DATA input, position = 1\n" +
                  in +
                  "Warning -- signal[2] f[0] has no driver, cmp = 0 G at ba has unconnected DATA input, position = 2\n" +
                  in + "Warning -- signal[2] has no driver, cmp = 0 G at ba has unconnected CONTROL input, position = 0\n" +
                  in + "There are 4 inputUnconnectedWarnings\n");
}
