// Phase four: simulation time, the event heap, the scheduling calls through
// which evaluators change their outputs, and the run loop.
//
// An evaluator never writes a wire. It asks for a new value with
// signalTransition (or altSignalTransition, or tsbSignalTransition for a
// tri-state output); that queues one or two timed events, XXX after the
// quick delay when the output leaves a definite level and the settled value
// after the lazy delay. The run loop alternates two steps: evaluate every
// activated component in index order, then advance time to the earliest
// event and apply every event of that time, activating the components on
// each changed wire's activation list.
#ifndef KORVAX_PH4_H
#define KORVAX_PH4_H

#include "Event.h"
#include "Ph3.h"
#include "SkewHeap.h"
#include "Signal.h"

// Run control, written by keys (F1, F10, arrow keys), the command line and
// components such as a stop component; read by the run loop.
extern int done;        // nonzero ends the run at the next test
extern int reStart;     // nonzero: restart at time 0 at the next cycle; the loop clears it
extern int haltFlag;    // nonzero: time stands still, only the window is serviced
extern int stallLevel;  // slow motion: wait 2^stallLevel ms per cycle; 0 = full speed

// The observers of PhaseFour::instrumented.
const int countingInstrument = 1;
const int recordingInstrument = 2;

// The offsets altSignalTransition adds to its delay.
const int defaultQuickTimeDelta = 4;
const int defaultLazyTimeDelta = 9;

// Stall levels above this wait as long as this level does, 2^30 steps of
// 1 ms (about twelve days per cycle): the step count then fits an int and
// never overflows. Every step still services the window, so keys end the
// wait or lower the level as usual.
const int maxStallExponent = 30;

// How many 1 ms steps the slow-motion wait of one cycle takes at `level`:
// 2^level, with the level taken as 0 below 0 and as maxStallExponent above
// it. (The run loop waits only while the level is nonzero.)
unsigned long stallSteps(int level);

// One queued event of a transition: its value and which delay it uses.
struct TransitionStep {
    SignalValue value;  // value the event carries
    bool lazy;          // true: the lazy delay, false: the quick one
};

// The events of one (scheduled, requested) pair, in queueing order.
struct Transition {
    int count;             // 0 (same value), 1 or 2
    TransitionStep first;  // queued first
    TransitionStep second; // queued second, when count is 2: always the lazy delay
};

// transitions[scheduled][requested], both indexed by SignalValue (Transit.cpp).
extern const Transition transitions[5][5];

class PhaseFour {
public:
    unsigned long time;  // current simulation time in ticks
    SkewHeap skewHeap;   // pending events
    int* tsbOwner;       // per wire: the tri-state buffer that drives it; 0 until
                         // one takes the wire over from HIZ. Never reset, not even
                         // on restart: a missing owner reads as component 0.
    unsigned long eventsApplied;  // events taken from the heap and applied since the
                                  // program started (changing a wire or not)
    unsigned long evaluations;    // logicEvaluate calls since the program started
    // Which observers the run loop serves, a bit each (0: none, and the
    // loop runs its plain passes): countingInstrument while the
    // oscillation watch counts changes, recordingInstrument while the
    // causes of values are recorded. Looked at once per cycle.
    int instrumented;
    unsigned long oscillationAt;  // eventsApplied at which the oscillation watch acts next
    unsigned long keysTyped;      // keys typed since the program started (any source)
    unsigned long lastKeyAt;      // eventsApplied when the last of them was typed

    // Time 0, an empty heap, no owners. Needs phaseTwo and phaseThree.
    PhaseFour();
    // Releases the heap and the owner table.
    ~PhaseFour();
    PhaseFour(const PhaseFour&) = delete;
    PhaseFour& operator=(const PhaseFour&) = delete;

    // The state of a (re)start: heap emptied, time 0, every wire at its
    // initial value (constants) or UNINITIALIZED, scheduling records 0,
    // every component activated with state word 0. Components' private
    // variables and the tri-state owners are kept.
    void runInitialize();
    // The whole simulation: key replay, first picture, initialisation,
    // keyboard hooks, then cycles until `done` or past the stop time.
    void run();
    // Sleeps about 1 ms.
    void msWait();

    // Asks that wire `signalSerialNumber` become `newSignalValue`, with the
    // caller's quick and lazy delays. Nothing happens (and nothing is
    // allocated) when that value is already the last one scheduled, or when
    // either value is not one of the five.
    void signalTransition(int signalSerialNumber, SignalValue newSignalValue, int quickTime, int lazyTime);
    // signalTransition with delays deltaTime + 4 and deltaTime + 9.
    void altSignalTransition(int signalSerialNumber, SignalValue newSignalValue, int deltaTime);
    // The request of tri-state buffer `cind` for a wire that several may
    // drive: taken when the wire is scheduled HIZ (cind becomes its owner),
    // UNINITIALIZED or XXX, or ZERO/ONE with cind its owner; otherwise
    // refused, a refused ZERO or ONE with a message on standard output.
    void tsbSignalTransition(int cind, int signalSerialNumber, SignalValue newSignalValue, int quickTime,
                             int lazyTime);
    // Queues ev behind the wire's last scheduled event: an earlier time is
    // moved to one tick after it (with the time-warp report on standard
    // error unless the value is UNINITIALIZED or XXX); then records the
    // wire's scheduled value, time and queueing time and adds the event.
    void recordEventQueueInput(Event ev);

private:
    // recordEventQueueInput without an Event: the wire, the time and the
    // value as they come.
    void queueChange(int signalSerialNumber, unsigned long eventTime, SignalValue sigValue);
    // The time a change of the wire queued for `eventTime`, earlier than its
    // last one, is moved to; writes the time-warp report unless the value is
    // UNINITIALIZED or XXX. Out of line: it is rare.
    __attribute__((noinline, cold)) unsigned long timeWarp(int signalSerialNumber, unsigned long eventTime,
                                                           SignalValue sigValue) const;
    // Calls every component's keyboard hook, in index order.
    void fireKeyboardHooks();
    // Step 5 of a cycle: logicEvaluate, then drawDynamic when shown, for
    // every activated component in index order. Clears each mark as it
    // goes, so that the pass leaves none set, ready for the next advance.
    void evaluateActivated();
    // Moves time to the earliest event and applies every event of that
    // time; a change activates the wire's activation list. `observed`:
    // every applied event is also shown to the watch and the recorder.
    template <bool observed>
    void advance();
};

extern PhaseFour* phaseFour;

inline void PhaseFour::queueChange(int signalSerialNumber, unsigned long eventTime, SignalValue sigValue) {
    WireRecord& w = phaseThree->wireRecords[signalSerialNumber];
    // Keep the wire's events in time order: never before its last one.
    if (eventTime < w.scheduledTime) eventTime = timeWarp(signalSerialNumber, eventTime, sigValue);
    w.scheduledSignal = sigValue;
    w.scheduledTime = eventTime;
    w.whenScheduled = time;
    skewHeap.add(eventTime, signalSerialNumber, sigValue);
}

inline void PhaseFour::signalTransition(int signalSerialNumber, SignalValue newSignalValue, int quickTime,
                                        int lazyTime) {
    const SignalValue oldSignalValue = phaseThree->wireRecords[signalSerialNumber].scheduledSignal;
    // Unsigned, a value outside the five is above ONE.
    if (oldSignalValue == newSignalValue || static_cast<unsigned int>(oldSignalValue) > ONE ||
        static_cast<unsigned int>(newSignalValue) > ONE)
        return;
    const Transition& t = transitions[oldSignalValue][newSignalValue];
    queueChange(signalSerialNumber, time + (t.first.lazy ? lazyTime : quickTime), t.first.value);
    if (t.count == 2) queueChange(signalSerialNumber, time + lazyTime, t.second.value);
}

#endif
