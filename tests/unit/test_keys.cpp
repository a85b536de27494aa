// The key commands and the display-less window: run-control and display
// effects of every code, the "Unused" messages, the bound on slow motion,
// and the view arithmetic.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "Ph1.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "addStCmp.h"
#include "netlist.h"
#include "cmdLine.h"
#include "display/Ph5.h"
#include "display/WindowIn.h"

namespace {

SecondaryEvaluatePointer noSecondary{nullptr};
int panesDrawn;  // calls of the test pane
void countPane(int) { panesDrawn++; }

// A circuit three levels deep with one pane at level 1, so that repaints
// can be counted.
class Keys : public testing::Test {
protected:
    void SetUp() override {
        startNetlist();
        Signal none(0, "UnNamed");
        SD top("aa");
        addStandardComponent(nullptr, noSecondary, nullptr, countPane, nullptr, nullptr, 0, 0, "P", top, One, none,
                             none, 0, nullptr, 0, nullptr, 0, 0, 0);
        addStandardComponent(nullptr, nullptr, "Deep", SD(SD(top, "ab"), "ac"), Signal(1, "w"), none, none);
        convertNetlist();
        phaseFive = new PhaseFive;
        done = reStart = haltFlag = stallLevel = displayTimeFlag = connectMuxOnlyFlag = 0;
        panesDrawn = 0;
    }
    void TearDown() override {
        delete phaseFive;
        phaseFive = nullptr;
        done = reStart = haltFlag = stallLevel = displayTimeFlag = connectMuxOnlyFlag = 0;
    }
    int& level() { return phaseFive->currentGraphicDisplayLevel; }
};

}  // namespace

TEST_F(Keys, RunControlAndFlagsNeedNoRepaint) {
    FunctionKeyOperate(1);
    EXPECT_EQ(reStart, 1);
    FunctionKeyOperate(10);
    EXPECT_EQ(done, 1);
    FunctionKeyOperate(6);
    EXPECT_EQ(displayTimeFlag, 1);
    FunctionKeyOperate(7);
    EXPECT_EQ(connectMuxOnlyFlag, 1);
    FunctionKeyOperate(6);
    FunctionKeyOperate(7);
    EXPECT_EQ(displayTimeFlag, 0);
    EXPECT_EQ(connectMuxOnlyFlag, 0);
    EXPECT_EQ(panesDrawn, 0);
}

TEST_F(Keys, DisplayFlagsToggleAndRepaint) {
    PhaseFive& p5 = *phaseFive;
    struct {
        int code;
        int* flag;
        int initial;
    } flags[] = {{2, &p5.interconnectFlag, 1}, {3, &p5.labelGateFlag, 1},     {4, &p5.drawComponentLeadsFlag, 1},
                 {5, &p5.labelLinesFlag, 0},   {8, &p5.superProbeSelect, 0}, {9, &p5.newWindowingMode, 1}};
    for (auto& f : flags) {
        EXPECT_EQ(*f.flag, f.initial) << "F" << f.code;
        panesDrawn = 0;
        FunctionKeyOperate(f.code);
        EXPECT_EQ(*f.flag, f.initial ^ 1) << "F" << f.code;
        EXPECT_EQ(panesDrawn, 1) << "F" << f.code;  // repainted
        FunctionKeyOperate(f.code);
        EXPECT_EQ(*f.flag, f.initial) << "F" << f.code;
    }
    panesDrawn = 0;
    FunctionKeyOperate(31);  // re-paint
    EXPECT_EQ(panesDrawn, 1);
}

TEST_F(Keys, LevelStaysWithinOneAndTheDeepest) {
    ASSERT_EQ(phaseTwo->maxGraphicDisplayLevel, 3);
    EXPECT_EQ(level(), 1);
    FunctionKeyOperate(29);  // less detail at level 1: unchanged, repainted
    EXPECT_EQ(level(), 1);
    EXPECT_EQ(panesDrawn, 1);
    FunctionKeyOperate(20);
    EXPECT_EQ(level(), 2);
    FunctionKeyOperate(35);
    EXPECT_EQ(level(), 3);
    FunctionKeyOperate(35);  // more detail at the deepest: unchanged
    EXPECT_EQ(level(), 3);
    FunctionKeyOperate(24);
    EXPECT_EQ(level(), 1);
    FunctionKeyOperate(33);
    EXPECT_EQ(level(), 3);
    FunctionKeyOperate(37);
    EXPECT_EQ(level(), 2);
    FunctionKeyOperate(27);
    EXPECT_EQ(level(), 1);
    FunctionKeyOperate(21);
    EXPECT_EQ(level(), 3);
    EXPECT_EQ(panesDrawn, 9);  // every level key repaints
}

TEST_F(Keys, UnusedCodesOnlyPrint) {
    testing::internal::CaptureStderr();
    for (int code : {0, 11, 22, 36, 38, -1}) FunctionKeyOperate(code);
    for (int code : {-1, 4}) CursorKeyOperate(code);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Unused Function key F0\nUnused Function key F11\nUnused Function key F22\n"
              "Unused Function key F36\nUnused Function key F38\nUnused Function key F-1\n"
              "Unused Cursor key = -1\nUnused Cursor key = 4\n");
    EXPECT_EQ(reStart + done + stallLevel + haltFlag + displayTimeFlag + connectMuxOnlyFlag, 0);
    EXPECT_EQ(level(), 1);
    EXPECT_EQ(panesDrawn, 0);
}

TEST_F(Keys, CursorKeysSetSpeedAndHalt) {
    CursorKeyOperate(0);
    CursorKeyOperate(0);
    CursorKeyOperate(0);
    EXPECT_EQ(stallLevel, 3);
    CursorKeyOperate(2);
    EXPECT_EQ(stallLevel, 2);
    CursorKeyOperate(1);
    EXPECT_EQ(stallLevel, 0);
    CursorKeyOperate(2);  // not below 0
    EXPECT_EQ(stallLevel, 0);
    CursorKeyOperate(3);
    EXPECT_EQ(haltFlag, 1);
    CursorKeyOperate(3);
    EXPECT_EQ(haltFlag, 0);
    stallLevel = INT_MAX;  // slower saturates instead of overflowing
    CursorKeyOperate(0);
    EXPECT_EQ(stallLevel, INT_MAX);
}

TEST(SlowMotion, WaitDoublesPerLevelUpToTheBound) {
    EXPECT_EQ(stallSteps(0), 1u);
    EXPECT_EQ(stallSteps(1), 2u);
    EXPECT_EQ(stallSteps(10), 1024u);
    EXPECT_EQ(stallSteps(30), 1ul << 30);
    // From 31 on the shift would leave an int; the wait stays at level 30's.
    for (int level : {31, 32, 63, 64, 1000, INT_MAX}) EXPECT_EQ(stallSteps(level), 1ul << 30) << level;
    EXPECT_EQ(stallSteps(-5), 1u);
}
