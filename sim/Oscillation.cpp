// The oscillation watch: when to count, and how the loop is found from the
// counts.
#include "Oscillation.h"

#include <climits>
#include <cstdio>
#include <vector>

#include "Kinds.h"
#include "Ph2.h"
#include "Ph4.h"
#include "cmdLine.h"

unsigned int* oscillationChanges = nullptr;

namespace {

const char* const oscillationWarning = "Warning -- no quiet moment after %lu events: the circuit oscillates through\n";
const char* const oscillationLoopWire = "  %s: %s\n";
const char* const oscillationRunGoesOn = "  The run goes on; without a window only -T or a Stop ends it.\n";

unsigned long quietSince = 0;   // eventsApplied at the last quiet moment, key or start
unsigned long windowStart = 0;  // eventsApplied when the count began
unsigned long interval = 0;     // events from windowStart to the next look
bool counting = false;          // counting changes towards the next look
bool warned = false;            // the warning has been given: the watch is over
unsigned long keysSeen = 0;     // phaseFour->keysTyped when the watch last acted
int* trailPlace = nullptr;      // per wire: its place on the trail being followed, or -1

// The part of each interval in which changes are counted.
unsigned long sampleOf(unsigned long events) { return events / 8 > 0 ? events / 8 : 1; }

void setCounting(bool on) {
    counting = on;
    if (on) phaseFour->instrumented |= countingInstrument;
    else phaseFour->instrumented &= ~countingInstrument;
}

void schedule() {
    const unsigned long sample = counting ? 0 : sampleOf(oscillationLimit);
    const unsigned long end = windowStart + interval;
    phaseFour->oscillationAt = warned || oscillationLimit == 0 ? ULONG_MAX : end - sample;
}

// The inputs of driver c that a loop may run through: every input of a
// combinational component, the clock of a clocked one, the read addresses
// and strobes of a memory. Appends input pins to `pins`.
void loopInputs(int c, std::vector<int>& pins) {
    pins.clear();
    const KindRole role = kindOf(c).role;
    if (role == combinationalRole) {
        for (int p = 0; p < inputCount(c); p++) pins.push_back(p);
        return;
    }
    if (role == memoryRole)
        for (int p = 0; p < inputCount(c); p++)
            if (flowsThrough(c, p)) pins.push_back(p);
    ClockedPins clocked;
    for (int port = 0; port < clockedPortCount(c); port++)
        if (clockedPins(c, port, clocked) && clocked.clockPin >= 0) pins.push_back(clocked.clockPin);
}

// The driver of w that the trail goes through: the one whose loop inputs
// changed most (several drive a shared bus). -1 when nothing drives it.
int busiestDriver(int w, std::vector<int>& pins) {
    int count;
    const int* drivers = driversOf(w, count);
    int best = -1;
    unsigned int bestChanges = 0;
    for (int i = 0; i < count; i++) {
        loopInputs(drivers[i], pins);
        unsigned int most = 0;
        for (int p : pins) most = oscillationChanges[inputWire(drivers[i], p)] > most ? oscillationChanges[inputWire(drivers[i], p)] : most;
        if (best < 0 || most > bestChanges) best = drivers[i], bestChanges = most;
    }
    return best;
}

// Follows the busiest wires back from the busiest one. Returns true with
// the loop's wires and their drivers, in the order the trail met them
// (each wire an input of the previous one's driver), when the trail comes
// back to a wire it has passed and the loop keeps itself going.
bool findLoop(std::vector<int>& loopWires, std::vector<int>& loopDrivers) {
    const PhaseTwo& p2 = *phaseTwo;
    int start = -1;
    for (int w = 0; w < p2.numberOfSignals; w++)
        if (oscillationChanges[w] > 0 && (start < 0 || oscillationChanges[w] > oscillationChanges[start])) start = w;
    if (start < 0) return false;
    std::vector<int> trail, drivers, pins;
    bool closed = false;
    int w = start;
    while (true) {
        trailPlace[w] = static_cast<int>(trail.size());
        trail.push_back(w);
        const int c = busiestDriver(w, pins);
        drivers.push_back(c);
        if (c < 0 || kindOf(c).role == sourceRole || kindOf(c).role == otherRole || kindOf(c).role == probeRole)
            break;  // an input, a free-running source: busy, not oscillating
        loopInputs(c, pins);
        int next = -1;
        for (int p : pins) {
            const int u = inputWire(c, p);
            if (oscillationChanges[u] > 0 && (next < 0 || oscillationChanges[u] > oscillationChanges[next])) next = u;
        }
        if (next < 0) break;
        if (trailPlace[next] >= 0) {
            const int from = trailPlace[next];
            loopWires.assign(trail.begin() + from, trail.end());
            loopDrivers.assign(drivers.begin() + from, drivers.end());
            closed = true;
            break;
        }
        w = next;
    }
    for (int t : trail) trailPlace[t] = -1;
    if (!closed) return false;

    // Self-sustained: the loop's quietest wire changed more than twice as
    // often as the busiest input entering the loop from outside.
    unsigned int quietest = UINT_MAX, busiestSide = 0;
    for (int x : loopWires) quietest = oscillationChanges[x] < quietest ? oscillationChanges[x] : quietest;
    for (int c : loopDrivers) {
        for (int p = 0; p < inputCount(c); p++) {
            const int u = inputWire(c, p);
            bool onLoop = false;
            for (int x : loopWires) onLoop = onLoop || x == u;
            if (!onLoop && oscillationChanges[u] > busiestSide) busiestSide = oscillationChanges[u];
        }
    }
    return quietest >= 2 && quietest > 2 * busiestSide;
}

void warn(const std::vector<int>& loopWires, const std::vector<int>& loopDrivers) {
    std::fprintf(stderr, oscillationWarning, windowStart + interval - quietSince);
    // In the direction the values flow, from the wire of the lowest number.
    const int n = static_cast<int>(loopWires.size());
    int first = 0;
    for (int i = 1; i < n; i++)
        if (loopWires[i] < loopWires[first]) first = i;
    for (int k = 0; k < n; k++) {
        const int i = ((first - k) % n + n) % n;
        std::fprintf(stderr, oscillationLoopWire, phaseTwo->signalNames[loopWires[i]],
                     componentText(loopDrivers[i]).c_str());
    }
    std::fputs(oscillationRunGoesOn, stderr);
}

}  // namespace

void oscillationRestart() {
    if (!phaseFour) return;  // keys handled before the run exists
    quietSince = windowStart = phaseFour->eventsApplied;
    keysSeen = phaseFour->keysTyped;  // a key before this is counted from here
    interval = oscillationLimit;
    if (counting) setCounting(false);
    schedule();
}

void oscillationCheck() {
    // A key typed since the watch last acted starts the count again from the
    // key, as a quiet moment does. (Keys are noted by the input layer, which
    // sits beside this one and cannot call it.)
    if (phaseFour->keysTyped != keysSeen) {
        keysSeen = phaseFour->keysTyped;
        quietSince = windowStart = phaseFour->lastKeyAt;
        interval = oscillationLimit;
        if (counting) setCounting(false);
        schedule();
        return;
    }
    const int signals = phaseTwo->numberOfSignals;
    if (!counting) {
        if (!oscillationChanges) {
            oscillationChanges = new unsigned int[signals > 0 ? signals : 1];
            trailPlace = new int[signals > 0 ? signals : 1];
            for (int w = 0; w < signals; w++) trailPlace[w] = -1;
        }
        for (int w = 0; w < signals; w++) oscillationChanges[w] = 0;
        setCounting(true);
        schedule();
        return;
    }
    std::vector<int> loopWires, loopDrivers;
    if (findLoop(loopWires, loopDrivers)) {
        warn(loopWires, loopDrivers);
        warned = true;
    }
    // Busy but not oscillating: look again after twice as many events.
    setCounting(false);
    windowStart = phaseFour->eventsApplied;
    interval = interval > ULONG_MAX / 4 ? interval : interval * 2;
    schedule();
}
