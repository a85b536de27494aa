// Signal transitions: how a request for a new output value becomes timed
// events. The table below gives, for each pair (value last scheduled, value
// requested), the events queued: XXX after the quick delay when the output
// leaves a definite level, then the settled value after the lazy delay. The
// ZERO and ONE rows are deliberately not mirror images.
#include <cstdio>

#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "StderrBuffer.h"

namespace {

// One queued event of a transition: its value and which delay it uses.
struct Step {
    SignalValue value;  // value the event carries
    bool lazy;          // true: the lazy delay, false: the quick one
};

// The events of one (scheduled, requested) pair, in queueing order.
struct Transition {
    int count;    // 0 (same value), 1 or 2
    Step first;   // queued first
    Step second;  // queued second, when count is 2: always the lazy delay
};

const Step none = {ZERO, false};
const Step quickXXX = {XXX, false};
constexpr Step atLazy(SignalValue v) { return {v, true}; }

// transitions[scheduled][requested], both indexed by SignalValue.
const Transition transitions[5][5] = {
    // scheduled ZERO
    {{0, none, none},
     {1, atLazy(HIZ), none},
     {1, quickXXX, none},
     {1, atLazy(HIZ), none},
     {2, quickXXX, atLazy(ONE)}},
    // scheduled UNINITIALIZED
    {{2, quickXXX, atLazy(ZERO)},
     {0, none, none},
     {1, quickXXX, none},
     {1, atLazy(HIZ), none},
     {2, quickXXX, atLazy(ONE)}},
    // scheduled XXX
    {{1, atLazy(ZERO), none},
     {1, atLazy(HIZ), none},
     {0, none, none},
     {1, atLazy(HIZ), none},
     {1, atLazy(ONE), none}},
    // scheduled HIZ
    {{2, quickXXX, atLazy(ZERO)},
     {1, quickXXX, none},
     {1, quickXXX, none},
     {0, none, none},
     {2, quickXXX, atLazy(ONE)}},
    // scheduled ONE
    {{2, quickXXX, atLazy(ZERO)},
     {1, atLazy(UNINITIALIZED), none},
     {1, atLazy(XXX), none},
     {1, atLazy(HIZ), none},
     {0, none, none}},
};

bool isSignalValue(SignalValue v) { return static_cast<unsigned int>(v) <= static_cast<unsigned int>(ONE); }

const char* const timeWarpReport =
    "TIME WARP  sigNr = %d sigName = %s\n already sked to become %s at time = %lu, which was queued at time = %lu\n"
    "  Now scheduling to become %s at time = %lu.  Now Queueing-time = %lu\n";
const char* const tsbConflictMessage = "Another Tsb at %s is trying to drive it to %s, this is not allowed\n";

// Kept out of line: the report is rare and the caller is the hot path.
__attribute__((noinline, cold)) void reportTimeWarp(const Event& ev, unsigned long now) {
    const int s = ev.signalSerialNumber;
    const WireSchedule& w = phaseThree->schedule[s];
    std::fprintf(stderr, timeWarpReport, s, phaseTwo->signalNames[s], signalValueName(w.scheduledSignal),
                 w.scheduledTime, w.whenScheduled, signalValueName(ev.sigValue), ev.time, now);
}

}  // namespace

void PhaseFour::signalTransition(int signalSerialNumber, SignalValue newSignalValue, int quickTime, int lazyTime) {
    const SignalValue oldSignalValue = phaseThree->schedule[signalSerialNumber].scheduledSignal;
    if (oldSignalValue == newSignalValue || !isSignalValue(oldSignalValue) || !isSignalValue(newSignalValue)) return;
    const Transition& t = transitions[oldSignalValue][newSignalValue];
    recordEventQueueInput(Event(time + (t.first.lazy ? lazyTime : quickTime), signalChange, signalSerialNumber,
                                t.first.value));
    if (t.count == 2) recordEventQueueInput(Event(time + lazyTime, signalChange, signalSerialNumber, t.second.value));
}

void PhaseFour::altSignalTransition(int signalSerialNumber, SignalValue newSignalValue, int deltaTime) {
    signalTransition(signalSerialNumber, newSignalValue, deltaTime + defaultQuickTimeDelta,
                     deltaTime + defaultLazyTimeDelta);
}

void PhaseFour::tsbSignalTransition(int cind, int signalSerialNumber, SignalValue newSignalValue, int quickTime,
                                    int lazyTime) {
    switch (phaseThree->schedule[signalSerialNumber].scheduledSignal) {
    case HIZ:
        tsbOwner[signalSerialNumber] = cind;
        signalTransition(signalSerialNumber, newSignalValue, quickTime, lazyTime);
        break;
    case UNINITIALIZED:
    case XXX:
        signalTransition(signalSerialNumber, newSignalValue, quickTime, lazyTime);
        break;
    case ZERO:
    case ONE:
        // The check is against the scheduled value, so a wire on its way to
        // a level already belongs to the buffer that asked for it.
        if (tsbOwner[signalSerialNumber] == cind) {
            signalTransition(signalSerialNumber, newSignalValue, quickTime, lazyTime);
        } else if (newSignalValue == ZERO || newSignalValue == ONE) {
            beforeStandardOutput();
            std::printf(tsbConflictMessage, phaseTwo->rcpos[cind], signalValueName(newSignalValue));
            std::fflush(stdout);
        }
        break;
    }
}

void PhaseFour::recordEventQueueInput(Event ev) {
    WireSchedule& w = phaseThree->schedule[ev.signalSerialNumber];
    if (ev.time < w.scheduledTime) {
        // Keep the wire's events in time order: never before its last one.
        if (ev.sigValue != UNINITIALIZED && ev.sigValue != XXX) reportTimeWarp(ev, time);
        ev.time = w.scheduledTime + 1;
    }
    w.scheduledSignal = ev.sigValue;
    w.scheduledTime = ev.time;
    w.whenScheduled = time;
    skewHeap.add(ev);
}
