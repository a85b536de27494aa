// The run loop on small circuits of test components: evaluation before
// advance, index order and one evaluation per cycle, stop time, restart,
// the first picture and a replayed repaint, the shown test of the panes.
#include <gtest/gtest.h>

#include <string>

#include "Ph1.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "addStCmp.h"
#include "netlist.h"
#include "cmdLine.h"
#include "display/Ph5.h"

namespace {

SecondaryEvaluatePointer noSecondary{nullptr};
std::string trace;  // what the test components did, in order

void note(const std::string& s) {
    if (!trace.empty()) trace += ' ';
    trace += s;
}
std::string at(int c) { return std::string(phaseTwo->decal[c]) + "@" + std::to_string(phaseFour->time); }
SignalValue input(int c, int p) { return phaseThree->currentSignals[phaseTwo->dataInputs[c][p]]; }

// Drives its output to the other level once it has settled (UNINITIALIZED
// counts as ZERO): self-activating, it changes at 7 (XXX), 10 (ONE), 17,
// 20 (ZERO), 27, 30, …
void toggle(int c) {
    int out = phaseTwo->outputs[c][0];
    SignalValue now = phaseThree->currentSignals[out];
    if (now != XXX) phaseFour->signalTransition(out, now == ONE ? ZERO : ONE, 7, 10);
}
void toggler(int c) {
    note(at(c));
    toggle(c);
}
// A toggler that notes nothing: keeps time moving, since an empty heap
// does not end a run.
void ticker(int c) { toggle(c); }
// Notes when it runs and what its first input holds.
void watcher(int c) { note(at(c) + "=" + signalValueName(input(c, 0))); }
// Notes a pane drawing.
void pane(int c) { note("pane:" + at(c) + "=" + signalValueName(input(c, 0))); }
// Drives both outputs to ONE.
void twoOnes(int c) {
    note(at(c));
    for (int p = 0; p < 2; p++) phaseFour->signalTransition(phaseTwo->outputs[c][p], ONE, 7, 10);
}
// At its first evaluation from time 20 on, asks for a restart, once.
void restarter(int c) {
    unsigned int& restarted = phaseTwo->internal32BitVariables[c][0];
    if (phaseFour->time >= 20 && !restarted) {
        restarted = 1;
        reStart = 1;
        note("restart");
    }
}
// The keyboard hook: notes the state it finds, then changes it and queues
// an event that a restart must discard.
void hook(int c) {
    note("hook@" + std::to_string(phaseFour->time) + ":state=" + std::to_string(phaseTwo->state[c]) +
         ",queue=" + std::to_string(phaseFour->skewHeap.getLength()));
    phaseTwo->state[c] = 9;
    phaseFour->signalTransition(phaseTwo->outputs[c][0], ONE, 50, 60);
}
// Queues events straight into the heap, as the memory does: at 5 a value
// the wire already has, at 8 ONE then ZERO at the same time.
void directEvents(int c) {
    int w = phaseTwo->outputs[c][0];
    phaseFour->skewHeap.add(Event(5, signalChange, w, UNINITIALIZED));
    phaseFour->skewHeap.add(Event(8, signalChange, w, ONE));
    phaseFour->skewHeap.add(Event(8, signalChange, w, ZERO));
}

Signal none() { return Signal(0, "UnNamed"); }

class RunLoop : public testing::Test {
protected:
    void SetUp() override {
        trace.clear();
        done = reStart = haltFlag = stallLevel = 0;
        stopTime = 0;
        displayTimeFlag = 0;
        FunctionKeyString[0] = CursorKeyString[0] = '\0';
        startNetlist();
    }
    void TearDown() override {
        delete phaseFive;
        delete phaseFour;
        phaseFive = nullptr;
        phaseFour = nullptr;
        stopTime = 0;
        FunctionKeyString[0] = CursorKeyString[0] = '\0';
    }
    static void add(functionPointer evaluate, const char* name, const Signal& in, const Signal& out,
                    int selfActivating = 0, functionPointer drawDynamic = nullptr, functionPointer hookFn = nullptr,
                    const SD& sd = SD("aa"), int overloadable = 0) {
        addStandardComponent(evaluate, noSecondary, nullptr, drawDynamic, hookFn, nullptr, overloadable,
                             selfActivating, name, sd, in, none(), out, 0, nullptr, 0, nullptr, 1, 0, 0);
    }
    // Idle components that no wire activates, so that a few marked
    // components are a small part of the circuit.
    static void padding(int n) {
        for (int i = 0; i < n; i++) add(nullptr, "idle", none(), none());
    }
    // A silent clock at the end of the circuit.
    static void clock_() {
        Signal t(1, "tick");
        add(ticker, "tick", t, t, 1);
    }
    // Phases two to five, as Sim makes them.
    static void start() {
        convertNetlist();
        for (int c = 0; c < phaseTwo->numberOfComponents; c++) phaseTwo->internal32BitVariables[c][0] = 0;
        phaseFour = new PhaseFour;
        phaseFive = new PhaseFive;
    }
};

}  // namespace

// A toggler watched by a watcher: outputs change at 7 (XXX), 10 (ONE), 17,
// 20, 27 …; each change is seen in the next cycle at the same time.
TEST_F(RunLoop, StopTimeAppliesTheNextStepButEvaluatesNothingForIt) {
    Signal t(1, "t");
    add(toggler, "tog", t, t, 1);
    add(watcher, "w", t, none());
    start();
    stopTime = 25;
    phaseFour->run();
    EXPECT_EQ(trace,
              "tog@0 w@0=UNINITIALIZED tog@7 w@7=XXX tog@10 w@10=ONE tog@17 w@17=XXX tog@20 w@20=ZERO");
    EXPECT_EQ(phaseFour->time, 27u);
    EXPECT_EQ(phaseThree->currentSignals[t.serialNumber[0]], XXX);  // applied, not evaluated
}

// Two wires change at the same times; three listeners are marked in an
// order that is not index order. Each runs once per cycle, in index order.
TEST_F(RunLoop, EachMarkedComponentOncePerCycleInIndexOrder) {
    Signal a(1, "a"), b(1, "b");
    add(twoOnes, "d", none(), (b, a));
    add(watcher, "x", b, none());
    add(watcher, "y", a, none());
    add(watcher, "z", (a, b), none());
    padding(40);
    clock_();
    start();
    stopTime = 10;
    phaseFour->run();
    EXPECT_EQ(trace,
              "d@0 x@0=UNINITIALIZED y@0=UNINITIALIZED z@0=UNINITIALIZED "
              "x@7=XXX y@7=XXX z@7=XXX x@10=ONE y@10=ONE z@10=ONE");
}

// The same with most of the circuit marked at once: one wire fans out to
// every listener.
TEST_F(RunLoop, WideFanOutInIndexOrder) {
    Signal a(1, "a");
    add(watcher, "p", a, none());
    add(twoOnes, "d", none(), (a, a));
    add(watcher, "q", a, none());
    clock_();
    start();
    stopTime = 8;
    phaseFour->run();
    EXPECT_EQ(trace, "p@0=UNINITIALIZED d@0 q@0=UNINITIALIZED p@7=XXX q@7=XXX");
}

// At 5 the wire gets the value it has (nothing activated); at 8 two events
// of one wire share a time: both applied, the later in heap order stays,
// and the listener runs once.
TEST_F(RunLoop, UnchangedValuesActivateNothingAndSameTimeEventsAllApply) {
    Signal w(1, "w");
    add(nullptr, "src", none(), w, 0, nullptr, directEvents);
    add(watcher, "l", w, none());
    clock_();
    start();
    stopTime = 8;
    phaseFour->run();
    EXPECT_EQ(trace, "l@0=UNINITIALIZED l@8=ZERO");
}

// A restart asked for at time 20: time 0 again, pending events dropped,
// state words cleared, every component evaluated and every hook fired
// again; components' private variables survive (it restarts only once).
TEST_F(RunLoop, RestartDuringTheRun) {
    Signal t(1, "t"), h(1, "h");
    add(toggler, "tog", t, t, 1);
    add(restarter, "r", t, none());
    add(nullptr, "k", none(), h, 0, nullptr, hook);
    start();
    stopTime = 30;
    phaseFour->run();
    EXPECT_EQ(trace,
              "hook@0:state=0,queue=0 tog@0 tog@7 tog@10 tog@17 tog@20 restart "
              "hook@0:state=0,queue=0 tog@0 tog@7 tog@10 tog@17 tog@20 tog@27 tog@30");
    EXPECT_EQ(phaseFour->time, 37u);
}

// The first picture and a replayed repaint (F4) call every shown pane
// before time 0 with the initial values: constants at their value, every
// other wire UNINITIALIZED. Then evaluation at time 0 draws them again.
TEST_F(RunLoop, FirstPictureAndReplayedRepaintDrawPanesWithInitialValues) {
    Signal w(1, "w");
    add(nullptr, "pOne", One, none(), 0, pane);
    add(nullptr, "pW", w, none(), 0, pane);
    clock_();
    start();
    std::snprintf(FunctionKeyString, keyStringSize, "4");
    stopTime = 1;
    phaseFour->run();
    EXPECT_EQ(trace,
              "pane:pOne@0=ONE pane:pW@0=UNINITIALIZED "  // the repaint of F4
              "pane:pOne@0=ONE pane:pW@0=UNINITIALIZED "  // the first picture
              "pane:pOne@0=ONE pane:pW@0=UNINITIALIZED");  // evaluation at time 0
}

// Panes are drawn for components shown at the current level: ordinary ones
// from their level on, overloadable ones at their level only.
TEST_F(RunLoop, PanesFollowTheShownTest) {
    Signal w(1, "w");
    SD top("aa");
    add(nullptr, "a1", w, none(), 0, pane, nullptr, top);
    add(nullptr, "b2", w, none(), 0, pane, nullptr, SD(top, "ab"));
    add(nullptr, "c1", w, none(), 0, pane, nullptr, top, 1);
    add(nullptr, "d2", w, none(), 0, pane, nullptr, SD(top, "ad"), 1);
    add(nullptr, "e3", w, none(), 0, nullptr, nullptr, SD(SD(top, "ae"), "af"));  // makes level 3 exist
    start();
    phaseFive->drawPanes();
    EXPECT_EQ(trace, "pane:a1@0=UNINITIALIZED pane:c1@0=UNINITIALIZED");
    trace.clear();
    phaseFive->currentGraphicDisplayLevel = 2;
    phaseFive->drawPanes();
    EXPECT_EQ(trace, "pane:a1@0=UNINITIALIZED pane:b2@0=UNINITIALIZED pane:d2@0=UNINITIALIZED");
    trace.clear();
    phaseFive->currentGraphicDisplayLevel = 3;
    phaseFive->drawPanes();
    EXPECT_EQ(trace, "pane:a1@0=UNINITIALIZED pane:b2@0=UNINITIALIZED");
}

