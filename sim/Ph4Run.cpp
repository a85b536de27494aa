// The run loop. Each cycle evaluates before it advances: the components
// marked by the events of time T run at the start of the next cycle, while
// time is still T, so what they request is queued relative to T. Within a
// cycle every marked component runs exactly once, in index order, however
// many of its inputs changed.
//
// Marks are phase three's two-level bitset, so that a cycle costs time in
// proportion to the components it wakes, not to the circuit: the pass visits
// the marked words in ascending order, which gives the index order of a
// scan over every component.
#include <cstdio>

#include "Causes.h"
#include "Explain.h"
#include "Oscillation.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "Vcd.h"
#include "Vectors.h"
#include "Watch.h"
#include "cmdLine.h"
#include "display/Ph5.h"
#include "display/WindowIn.h"

namespace {

#ifdef KORVAX_ORDER_HASH
// The order check (a library configured with -DKORVAX_ORDER_HASH=ON): every
// applied event (time, wire, value) and every evaluated component (time,
// index) is folded, in order, into one of two FNV-1a hashes, which run()
// prints on standard error as it returns. Two builds that apply the same
// events and evaluate the same components in the same order print the same
// line; bench/order-hash.sh compares them.
struct OrderHash {
    unsigned long count;  // items folded in since run() began
    unsigned long hash;   // FNV-1a over their 64-bit words
    void start() {
        count = 0;
        hash = 14695981039346656037ul;
    }
    void fold(unsigned long word) { hash = (hash ^ word) * 1099511628211ul; }
    void add(unsigned long t, unsigned long a, unsigned long b) {
        fold(t);
        fold(a);
        fold(b);
        count++;
    }
};
OrderHash eventOrder;       // applied events
OrderHash evaluationOrder;  // evaluated components
#define KORVAX_HASH_EVENT(t, wire, value) eventOrder.add(t, static_cast<unsigned long>(wire), value)
#define KORVAX_HASH_EVALUATION(t, c) evaluationOrder.add(t, static_cast<unsigned long>(c), 0)
#else
#define KORVAX_HASH_EVENT(t, wire, value) ((void)0)
#define KORVAX_HASH_EVALUATION(t, c) ((void)0)
#endif

// A quiet moment: an evaluation pass left nothing pending. Test vectors
// with lines left type their keys and make their checks here. With -k keys
// left, the next one is typed, its requests queued relative to the present
// time. Otherwise, without a display nothing can ever change again (no key
// can be pressed, no event is due), so the run ends rather than spin for
// ever; with a display it goes on under the keyboard. With -P or in a
// window (and not -e) the watches are sampled first, and a shown watch
// panel draws the lines that changed: the pane pass that led here was this
// cycle's.
void quietMoment(const char*& nextKey, Screen& window) {
    // Watch lines show the quiet state before a key changes it.
    if (watchEdgeWire < 0 && (watchLinesFlag || (window.display && !watchList.empty()))) {
        watchesAtQuietMoment();
        if (phaseFive->watchPanel.shown) phaseFive->watchPanel.update(window);
    }
    int key;
    if (vectorsPending) {
        if (vectorsAtQuietMoment(window.display == nullptr, key)) keyboardInput(key);
    } else if (nextKey && *nextKey)
        keyboardInput(*nextKey++);
    else if (window.display == nullptr)
        done = 1;
}

// The longest an idle run sleeps on the window connection before looking
// again: short enough that nothing the loop checks between waits is held up
// noticeably.
const int idleWaitMs = 50;

// Whether any component is marked for the next evaluation pass.
bool anyMarked(const PhaseThree& p3) {
    for (int e = 0; e < p3.activationSummaryCount; e++)
        if (p3.activatedWords[e]) return true;
    return false;
}

// Handles window events until none is pending.
void serviceWindow() {
    while (anyWindowEvents()) {
    }
}

}  // namespace

void PhaseFour::fireKeyboardHooks() {
    const PhaseTwo& p2 = *phaseTwo;
    for (int c = 0; c < p2.numberOfComponents; c++)
        if (p2.xEventTriggered[c]) p2.xEventTriggered[c](c);
}

void PhaseFour::evaluateActivated() {
    const RunTimeCalls* calls = phaseTwo->runTimeCalls;
    const PhaseFive& p5 = *phaseFive;
    PhaseThree& p3 = *phaseThree;
    const WireRecord* wires = p3.wireRecords;
    unsigned long* marks = p3.componentsActivated;
    unsigned long* markedWords = p3.activatedWords;
    // Evaluators only queue events; nothing marks a component during the
    // pass, so each word can be taken and cleared before its components run.
    for (int e = 0; e < p3.activationSummaryCount; e++) {
        unsigned long words = markedWords[e];
        markedWords[e] = 0;
        while (words) {
            const int w = e * 64 + __builtin_ctzl(words);
            words &= words - 1;
            unsigned long bits = marks[w];
            marks[w] = 0;
            while (bits) {
                const int c = w * 64 + __builtin_ctzl(bits);
                bits &= bits - 1;
                // Memory for the components to come, so that their cache
                // misses overlap this evaluation: the run-time record of
                // the one after next, and the output wire's record of the
                // next, which will be scheduled.
                if (bits) {
                    const unsigned long afterNext = bits & (bits - 1);
                    if (afterNext) __builtin_prefetch(&calls[w * 64 + __builtin_ctzl(afterNext)]);
                    const int out = calls[w * 64 + __builtin_ctzl(bits)].firstOutput;
                    if (out >= 0) __builtin_prefetch(&wires[out]);
                }
                KORVAX_HASH_EVALUATION(time, c);
                const RunTimeCalls& call = calls[c];
                if (call.logicEvaluate) {
                    call.logicEvaluate(c);
                    evaluations++;
                }
                if (call.drawDynamic && p5.shown(c)) call.drawDynamic(c);
            }
        }
    }
}

template <bool observed>
void PhaseFour::advance() {
    if (skewHeap.isEmpty()) return;  // time stands; nothing is activated
    PhaseThree& p3 = *phaseThree;
    SignalValue* current = p3.currentSignals;
    const WireRecord* wires = p3.wireRecords;
    time = skewHeap.minTime();
    while (!skewHeap.isEmpty() && skewHeap.minTime() == time) {
        // The event is taken off the heap before it is applied, and the
        // wire of the next one is asked for from memory, so that the two
        // wires' cache misses overlap. Applying an event never touches the
        // heap, so the order of the two steps is not observable.
        const EventPayload e = skewHeap.minPayload();
        skewHeap.removeMin();
        if (!skewHeap.isEmpty()) {
            const int next = skewHeap.minPayload().signalSerialNumber;
            __builtin_prefetch(&current[next]);
            __builtin_prefetch(&wires[next]);
        }
        const int s = e.signalSerialNumber;
        KORVAX_HASH_EVENT(time, s, e.sigValue);
        if (e.sigValue != current[s]) {
            if constexpr (observed) {
                if (instrumented & countingInstrument) oscillationChange(s);
                if (instrumented & recordingInstrument) recordEvent(s, e.sigValue);
            }
            if (waveformOpen) waveformChange(s);
            current[s] = e.sigValue;
            const WireRecord& w = wires[s];
            const int* list = w.activations(p3.activationList);
            for (int i = 0; i < w.activationLength; i++) p3.activate(list[i]);
        }
        eventsApplied++;
    }
}

void PhaseFour::run() {
    PhaseFive& p5 = *phaseFive;
    Screen& window = *p5.screen;

    // Replayed keys act before the first picture. Their repaints draw
    // before the tiling, every component collapsed at the origin: they
    // record no super probes, which would cover nothing for the whole run.
    const int collect = p5.superProbeCollect;
    p5.superProbeCollect = 0;
    for (const char* k = FunctionKeyString; *k; k++) FunctionKeyOperate(replayedKeyCode(*k));
    for (const char* k = CursorKeyString; *k; k++) CursorKeyOperate(replayedKeyCode(*k));
    p5.superProbeCollect = collect;

    // The first picture. It reads the wires before time 0; phase three
    // gave them their initial values when it allocated them.
    p5.firstPicture();
    // -s asks for that picture alone.
    if (picturePath) return;

    runInitialize();
    if (instrumented & recordingInstrument) explainRestart();
    if (watchEdgeWire >= 0) watchesRestart();
    fireKeyboardHooks();
    oscillationRestart();
#ifdef KORVAX_ORDER_HASH
    eventOrder.start();
    evaluationOrder.start();
#endif

    // A quit replayed from -F is undone here: only an empty circuit ends
    // before its first cycle.
    done = phaseTwo->numberOfComponents == 0;
    int checkEventCountDown = 1;
    // Typing starts over with every run, not with a restart: the keys are
    // typed once.
    const char* nextKey = KeyboardOperateString;

    while (!done) {
        if (stopTime && time > stopTime) break;
        if (haltFlag) {
            // Only the window can lift a halt; without one the run would
            // stand still for ever, so it ends here.
            if (window.display == nullptr) break;
            // Nothing but an event can lift it: sleep until one comes.
            window.waitForEvent(idleWaitMs);
            serviceWindow();
            continue;
        }
        if (reStart) {
            if (waveformOpen) waveformRestart();
            runInitialize();
            if (instrumented & recordingInstrument) explainRestart();
            if (watchEdgeWire >= 0) watchesRestart();
            fireKeyboardHooks();
            oscillationRestart();
            reStart = 0;
        }
        if (displayTimeFlag) window.drawTimeAndQueue(time, skewHeap.getLength(), stallLevel);

        evaluateActivated();  // and clears the marks
        if (p5.superProbeSelect) p5.displaySuperProbes();
        // A restart asked for in this cycle comes first: a key typed now
        // would be undone by it.
        if (!done && !reStart && skewHeap.isEmpty()) {
            oscillationRestart();
            quietMoment(nextKey, window);
        }
        // Vector checks at a time T are made before the first event after T.
        if (vectorsPending && !done) vectorsBeforeAdvance(window.display == nullptr);
        if (instrumented & recordingInstrument) explainBeforeAdvance();
        // The observed pass only while something watches or records: the
        // plain one has no test per event.
        if (instrumented)
            advance<true>();
        else
            advance<false>();
        if (eventsApplied >= oscillationAt) oscillationCheck();
        // -e: a rising edge samples the watches (and updates a shown panel).
        if (watchEdgeWire >= 0 && watchesAfterAdvance() && p5.watchPanel.shown) p5.watchPanel.update(window);

        // The window is serviced every second cycle, starting after the
        // second. When the run is idle (nothing pending or marked, no key of
        // -k left), only the window can bring anything about: instead of
        // spinning, the servicing sleeps until an event arrives, then
        // handles the events as it would have.
        if (checkEventCountDown > 0) {
            checkEventCountDown--;
        } else {
            const bool idle = skewHeap.isEmpty() && !reStart && !done && !(nextKey && *nextKey) &&
                              !anyMarked(*phaseThree);
            if (idle) window.waitForEvent(idleWaitMs);
            serviceWindow();
            checkEventCountDown = 1;
        }

        // Slow motion is for watching the window, and only the window can
        // lower the level again: without one the wait is skipped (a level
        // replayed by -K would otherwise sleep up to hours per cycle).
        if (stallLevel && window.display) {
            // The bound is re-read at every step: the keys handled during
            // the wait may change the level.
            for (unsigned long step = 0; step < stallSteps(stallLevel);) {
                msWait();
                while (anyWindowEvents())
                    if (displayTimeFlag) window.drawTimeAndQueue(time, skewHeap.getLength(), stallLevel);
                if (done || reStart) break;
                step++;
            }
        }
    }
#ifdef KORVAX_ORDER_HASH
    std::fprintf(stderr, "order hash: %lu events %016lx, %lu evaluations %016lx\n", eventOrder.count,
                 eventOrder.hash, evaluationOrder.count, evaluationOrder.hash);
#endif
}
