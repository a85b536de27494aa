// Signal transitions: how a request for a new output value becomes timed
// events (the hot part, signalTransition and queueChange, is inline in
// Ph4.h). The table below gives, for each pair (value last scheduled, value
// requested), the events queued: XXX after the quick delay when the output
// leaves a definite level, then the settled value after the lazy delay. The
// ZERO and ONE rows are deliberately not mirror images.
#include <cstdio>

#include "Causes.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "StderrBuffer.h"

namespace {

using Step = TransitionStep;

const Step none = {ZERO, false};
const Step quickXXX = {XXX, false};
constexpr Step atLazy(SignalValue v) { return {v, true}; }

}  // namespace

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

namespace {

const char* const timeWarpReport =
    "TIME WARP  sigNr = %d sigName = %s\n already sked to become %s at time = %lu, which was queued at time = %lu\n"
    "  Now scheduling to become %s at time = %lu.  Now Queueing-time = %lu\n";
const char* const tsbConflictMessage = "Another Tsb at %s is trying to drive it to %s, this is not allowed\n";

}  // namespace

unsigned long PhaseFour::timeWarp(int signalSerialNumber, unsigned long eventTime, SignalValue sigValue) const {
    const WireRecord& w = phaseThree->wireRecords[signalSerialNumber];
    if (sigValue != UNINITIALIZED && sigValue != XXX)
        std::fprintf(stderr, timeWarpReport, signalSerialNumber, phaseTwo->signalNames[signalSerialNumber],
                     signalValueName(w.scheduledSignal), w.scheduledTime, w.whenScheduled, signalValueName(sigValue),
                     eventTime, time);
    if (instrumented & recordingInstrument) recordTimeWarp(signalSerialNumber, eventTime, w.scheduledTime + 1);
    return w.scheduledTime + 1;
}

void PhaseFour::altSignalTransition(int signalSerialNumber, SignalValue newSignalValue, int deltaTime) {
    signalTransition(signalSerialNumber, newSignalValue, deltaTime + defaultQuickTimeDelta,
                     deltaTime + defaultLazyTimeDelta);
}

void PhaseFour::tsbSignalTransition(int cind, int signalSerialNumber, SignalValue newSignalValue, int quickTime,
                                    int lazyTime) {
    switch (phaseThree->wireRecords[signalSerialNumber].scheduledSignal) {
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
            if (instrumented & recordingInstrument) recordRefusal(cind, signalSerialNumber, newSignalValue);
            beforeStandardOutput();
            std::printf(tsbConflictMessage, positionString(phaseTwo->rcpos[cind]), signalValueName(newSignalValue));
            std::fflush(stdout);
        }
        break;
    }
}

void PhaseFour::recordEventQueueInput(Event ev) {
    queueChange(ev.signalSerialNumber, ev.time, ev.sigValue);
}
