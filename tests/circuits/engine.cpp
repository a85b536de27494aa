// Test components on the event engine, printing what they see so that the
// process tests capture the run's behaviour on standard error.
//
// -u 0 N picks the circuit:
//   0 (default)  a toggler (self-activating, 7/10) watched by a pane that
//                prints the toggler's wire and a constant, and a keyboard
//                hook that prints the state it finds and queues an event;
//   1            two tri-state drivers of one bus, a time warp, and a
//                silent toggler that keeps time moving.
#include <cstdio>

#include "korvax.h"

namespace {

SecondaryEvaluatePointer noSecondary{nullptr};

const int quickTime = 7;
const int lazyTime = 10;

SignalValue wire(int c, int p) { return phaseThree->currentSignals[phaseTwo->dataInputs[c][p]]; }

// Drives its output to the other level once it has settled.
void toggler(int c) {
    int out = phaseTwo->outputs[c][0];
    SignalValue now = phaseThree->currentSignals[out];
    std::fprintf(stderr, "toggler at %lu sees %s\n", phaseFour->time, signalValueName(now));
    if (now != XXX) phaseFour->signalTransition(out, now == ONE ? ZERO : ONE, quickTime, lazyTime);
}

// A toggler that prints nothing: it keeps time moving, since an empty
// event heap does not end a run.
void ticker(int c) {
    int out = phaseTwo->outputs[c][0];
    SignalValue now = phaseThree->currentSignals[out];
    if (now != XXX) phaseFour->signalTransition(out, now == ONE ? ZERO : ONE, quickTime, lazyTime);
}

// The pane: prints both its inputs.
void pane(int c) {
    std::fprintf(stderr, "pane at %lu: t = %s, One = %s\n", phaseFour->time, signalValueName(wire(c, 0)),
                 signalValueName(wire(c, 1)));
}

// The keyboard hook, called at start and at every restart.
void hook(int c) {
    std::fprintf(stderr, "hook at %lu: state = %d, queued = %d\n", phaseFour->time, phaseTwo->state[c],
                 phaseFour->skewHeap.getLength());
    phaseTwo->state[c] = 1;
    phaseFour->signalTransition(phaseTwo->outputs[c][0], ONE, 500, 600);
}

// A tri-state driver: ONE for the buffer at index 1, ZERO for the others.
void driver(int c) {
    phaseFour->tsbSignalTransition(c, phaseTwo->outputs[c][0], c == 1 ? ONE : ZERO, quickTime, lazyTime);
}

// Asks for ONE late, then for HIZ early: the HIZ moves behind the ONE.
void warp(int c) {
    int out = phaseTwo->outputs[c][0];
    phaseFour->signalTransition(out, ONE, quickTime, lazyTime);
    phaseFour->signalTransition(out, HIZ, 1, 2);
}

void add(functionPointer evaluate, functionPointer drawDynamic, functionPointer hookFn, int selfActivating,
         const char* name, const char* position, const Signal& in, const Signal& out, int overloadable = 0) {
    Signal none(0, "UnNamed");
    addStandardComponent(evaluate, noSecondary, nullptr, drawDynamic, hookFn, nullptr, overloadable,
                         selfActivating, name, SD(position), in, none, out, 0, nullptr, 0, nullptr, 0, 0, 0);
}

}  // namespace

void simnet() {
    if (userRunTimeFlag[0] == 1) {
        Signal bus(1, "bus"), late(1, "late"), tick(1, "tick");
        Signal none(0, "UnNamed");
        add(ticker, nullptr, nullptr, 1, "Ticker", "aa", tick, tick);
        add(driver, nullptr, nullptr, 0, "Tsb", "ab", none, bus, 1);
        add(driver, nullptr, nullptr, 0, "Tsb", "ac", none, bus, 1);
        add(nullptr, nullptr, warp, 0, "Warp", "ad", none, late);
        return;
    }
    Signal t(1, "t"), h(1, "h");
    add(toggler, nullptr, nullptr, 1, "Toggler", "aa", t, t);
    add(nullptr, pane, nullptr, 0, "Pane", "ab", (One, t), Signal(0, "UnNamed"));
    add(nullptr, nullptr, hook, 0, "Hook", "ac", Signal(0, "UnNamed"), h);
}
