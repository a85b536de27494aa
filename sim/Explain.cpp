// The record behind -Y and the chains of causes read from it.
//
// Only the applied changes are recorded, as the run loop applies them, so
// that evaluations cost nothing more. Who asked for a change is the wire's
// driver, or for a wire that tri-state buffers share the one that holds it
// (its owner); when it was asked for is the wire record's time of queueing
// when the change is the last one queued for the wire, which it is once a
// circuit has settled, and otherwise the time the driver's lazy delay
// earlier (a memory's read delay, its reads bypassing the scheduling layer).
#include "Explain.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Causes.h"
#include "Kinds.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "cmdLine.h"


namespace {

// Changes kept per wire.
const int historyLength = 3;
// A chain deeper than this is cut.
const int deepest = 64;
// Input values shown per component.
const int shownInputs = 8;
int bus = -1;
unsigned long explainTime = ULONG_MAX;  // T; ULONG_MAX: the end of the run
bool explained = false;

const char* name(int w) { return phaseTwo->signalNames[w]; }
bool known(SignalValue v) { return v == ZERO || v == ONE; }

// The change of w in effect at time t: the latest one at or before t.
// `kept` is false when w changed at or before t but that change is no
// longer in the ring.
const Change* changeAt(int w, unsigned long t, bool& kept) {
    const WireRecordOfCauses& r = causeRecords[w];
    const int stored = r.changes < historyLength ? static_cast<int>(r.changes) : historyLength;
    kept = true;
    for (int k = 0; k < stored; k++) {
        const Change& c = r.history[(r.changes - 1 - k) % historyLength];
        if (c.time <= t) return &c;
    }
    if (r.changes > static_cast<unsigned int>(historyLength)) kept = false;
    return nullptr;
}

SignalValue initialValue(int w) {
    return phaseTwo->constSignals[w] ? phaseTwo->signalInitializations[w] : UNINITIALIZED;
}

SignalValue valueAt(int w, unsigned long t, bool& kept) {
    const Change* c = changeAt(w, t, kept);
    return c ? static_cast<SignalValue>(c->value) : initialValue(w);
}

class Chain {
public:
    std::vector<int> onPath;                  // wires of the chain above the present one
    std::vector<std::pair<int, unsigned long>> done;  // (wire, change time) explained already
    std::vector<int>* named = nullptr;        // when set: gets each component the chain names, once
    void explain(int w, unsigned long t, int depth);
    // Component c is named by the chain.
    void note(int c) {
        if (!named || c < 0) return;
        for (int k : *named)
            if (k == c) return;
        named->push_back(c);
    }

private:
    void say(int depth, const std::string& text) { std::fprintf(stderr, "%*s%s\n", 2 * depth + 2, "", text.c_str()); }
    void inputs(int c, unsigned long t, int depth, const int* pins, int count);
};

std::string valueText(SignalValue v) { return signalValueName(v); }

// Follows the unknown ones among the given input pins of c at time t
// (every input when `pins` is null), after listing their values.
void Chain::inputs(int c, unsigned long t, int depth, const int* pins, int count) {
    if (count == 0) return;
    std::string seen = "its inputs at time " + std::to_string(t) + ":";
    std::vector<int> unknown;
    for (int i = 0; i < count; i++) {
        const int w = inputWire(c, pins ? pins[i] : i);
        bool kept;
        const SignalValue v = valueAt(w, t, kept);
        if (i < shownInputs) seen += std::string(" ") + name(w) + "=" + (kept ? valueText(v) : std::string("?"));
        if (!known(v) || !kept) {
            bool listed = false;
            for (int u : unknown) listed = listed || u == w;
            if (!listed) unknown.push_back(w);
        }
    }
    if (count > shownInputs) seen += " …";
    say(depth, seen);
    for (int w : unknown) explain(w, t, depth + 1);
}

// Whether some input pin of c is unknown at time t (or no longer recorded).
bool anyUnknown(int c, unsigned long t) {
    for (int p = 0; p < inputCount(c); p++) {
        bool kept;
        if (!known(valueAt(inputWire(c, p), t, kept)) || !kept) return true;
    }
    return false;
}

// The last time before or at t, after `after`, that wire w took `level`;
// unknownTime when its kept changes show none.
unsigned long lastTook(int w, SignalValue level, unsigned long after, unsigned long t) {
    const WireRecordOfCauses& r = causeRecords[w];
    const int stored = r.changes < historyLength ? static_cast<int>(r.changes) : historyLength;
    for (int k = 0; k < stored; k++) {
        const Change& c = r.history[(r.changes - 1 - k) % historyLength];
        if (c.time <= t && c.time > after && static_cast<SignalValue>(c.value) == level) return c.time;
    }
    return unknownTime;
}

void Chain::explain(int w, unsigned long t, int depth) {
    for (int u : onPath)
        if (u == w) {
            say(depth, std::string(name(w)) + " again: a loop, the chain is cut here");
            return;
        }
    if (depth > deepest) {
        say(depth, "… (the chain goes on; cut here)");
        return;
    }
    bool kept;
    const Change* ch = changeAt(w, t, kept);
    if (!ch) {
        if (!kept) {
            say(depth, std::string(name(w)) + " at time " + std::to_string(t) + ": no longer recorded (only the last " +
                           std::to_string(historyLength) + " changes of a wire are kept)");
            return;
        }
        int count;
        const int* drivers = driversOf(w, count);
        const std::string v = valueText(initialValue(w));
        if (count > 0) note(drivers[0]);
        if (count == 0)
            say(depth, std::string(name(w)) + " is " + v + " from the start: origin: an input nothing drives");
        else if (anyUnknown(drivers[0], t) && kindOf(drivers[0]).role == combinationalRole) {
            say(depth, std::string(name(w)) + " is " + v + " from the start: its driver, " + componentText(drivers[0]) +
                           ", leaves it so");
            onPath.push_back(w);
            inputs(drivers[0], t, depth, nullptr, inputCount(drivers[0]));
            onPath.pop_back();
        } else {
            say(depth, std::string(name(w)) + " is " + v + " from the start: origin: its driver, " +
                           componentText(drivers[0]) + ", had not changed it by time " + std::to_string(t));
        }
        return;
    }
    for (const auto& d : done)
        if (d.first == w && d.second == ch->time) {
            say(depth, std::string(name(w)) + " is " + valueText(static_cast<SignalValue>(ch->value)) + " from time " + std::to_string(ch->time) +
                           " (explained above)");
            return;
        }
    done.push_back({w, ch->time});
    const WireRecordOfCauses& rw = causeRecords[w];
    const WireRarities& r = causeRarities[w];
    const int c = rw.driver == sharedWire ? r.owner[ch - rw.history] : rw.driver;
    std::string line = std::string(name(w)) + " is " + valueText(static_cast<SignalValue>(ch->value)) + " from time " + std::to_string(ch->time);
    if (c < 0) {
        say(depth, line + ": origin: a change no component asked for");
        return;
    }
    // When it was asked for: exact for the last change queued, else the
    // driver's lazy delay before it; a time warp says when it was asked.
    const unsigned long lazy = kindOf(c).lazy;
    const unsigned long asked = ch->warped                         ? r.warpAsked
                                : ch->lastQueued && !ch->saturated ? ch->time - ch->sinceQueued
                                : ch->time >= lazy                 ? ch->time - lazy
                                                                   : 0;
    note(c);
    line += std::string(": set by ") + componentText(c) + ", asked for at time " + std::to_string(asked);
    say(depth, line);
    if (ch->warped) {
        say(depth, "origin: a time warp: the change was queued before the wire's last one and moved after it");
        return;
    }
    onPath.push_back(w);
    const KindInfo& k = kindOf(c);
    if (k.role == sourceRole) {
        const int* q = phaseTwo->integerParameters[c];
        const int init = k.name == std::string("Switch") ? q[0] : k.name == std::string("Clock") ? q[3] : q[1];
        bool keptInit;
        say(depth, std::string("origin: a ") + k.name + " that starts from " + name(init) + ", which was " +
                       valueText(valueAt(init, asked, keptInit)));
    } else if (k.role == sequentialRole) {
        // A load that asks for the value already there changes nothing:
        // the clock's last edge since says when it loaded.
        ClockedPins pins;
        const bool clocked = clockedPins(c, 0, pins);
        unsigned long loaded = asked;
        if (clocked) {
            const unsigned long edge = lastTook(inputWire(c, pins.clockPin), pins.captureRise ? ONE : ZERO, asked, t);
            if (edge != unknownTime) loaded = edge;
        }
        if (loaded == 0) {
            say(depth, "origin: never loaded since the start (a flip-flop shows XXX until its clock first takes its "
                       "input)");
        } else if (clocked && pins.sampledCount > 0) {
            say(depth, std::string("loaded at time ") + std::to_string(loaded) + " while an input it loads was unknown:");
            inputs(c, loaded, depth, pins.sampled, pins.sampledCount);
        } else {
            inputs(c, loaded, depth, nullptr, inputCount(c));
        }
    } else if (k.role == memoryRole) {
        std::vector<int> reads;
        for (int p = 0; p < inputCount(c); p++)
            if (flowsThrough(c, p)) reads.push_back(p);
        bool unknownAddress = false;
        for (int p : reads) {
            bool keptAddress;
            unknownAddress = unknownAddress || !known(valueAt(inputWire(c, p), asked, keptAddress));
        }
        if (unknownAddress) {
            say(depth, "read at an unknown address:");
            inputs(c, asked, depth, reads.data(), static_cast<int>(reads.size()));
        } else {
            say(depth, "origin: a memory word never written since the start, or written while its data was unknown");
        }
    } else {
        // A combinational value at time t stands for its inputs at t.
        if (anyUnknown(c, t)) {
            inputs(c, t, depth, nullptr, inputCount(c));
        } else if (static_cast<SignalValue>(ch->value) == HIZ && r.refusedBy >= 0) {
            inputs(c, t, depth, nullptr, inputCount(c));
            note(r.refusedBy);
            say(depth, std::string("origin: a tri-state conflict: ") + componentText(r.refusedBy) +
                           " was refused driving it to " + valueText(r.refusedValue) + " at time " +
                           std::to_string(r.refusedAt) + ", while another buffer held it");
        } else if (static_cast<SignalValue>(ch->value) == HIZ) {
            inputs(c, t, depth, nullptr, inputCount(c));
            say(depth, "origin: every tri-state buffer on the wire is off");
        } else {
            inputs(c, t, depth, nullptr, inputCount(c));
            say(depth, std::string("origin: ") + k.name + " gives " + valueText(static_cast<SignalValue>(ch->value)) + " for known inputs");
        }
    }
    onPath.pop_back();
}

// Prints the chain of each of `wires` that is not ZERO or ONE at time t;
// returns how many were printed.
int explainWires(const std::vector<int>& wires, unsigned long t, Chain& chain) {
    int unknown = 0;
    for (int w : wires) {
        bool kept;
        const SignalValue v = valueAt(w, t, kept);
        if (known(v) && kept) continue;
        unknown++;
        std::fprintf(stderr, "Why %s is %s at time %lu:\n", name(w), kept ? valueText(v).c_str() : "unknown", t);
        chain.explain(w, t, 0);
    }
    return unknown;
}

void explainNow(unsigned long t) {
    explained = true;
    const PhaseTwo& p2 = *phaseTwo;
    const int first = p2.busFirstSignals[bus], width = p2.busWidths[bus];
    std::vector<int> wires;
    for (int i = width - 1; i >= 0; i--) wires.push_back(first + i);
    Chain chain;
    if (!explainWires(wires, t, chain))
        std::fprintf(stderr, "Every wire of %s is ZERO or ONE at time %lu.\n", p2.busName(bus).c_str(), t);
}

[[noreturn]] void refuse(const std::string& what) {
    std::fprintf(stderr, "-Y %s: %s\n", explainRequest, what.c_str());
    std::fflush(stderr);
    exitProgram(2);
}

}  // namespace

void startRecordingCauses() {
    if (causeRecords) return;
    const PhaseTwo& p2 = *phaseTwo;
    allocateCauses(p2.numberOfSignals);
    for (int w = 0; w < p2.numberOfSignals; w++) {
        int count;
        const int* drivers = driversOf(w, count);
        causeRecords[w].driver = count == 0 ? -1 : count == 1 || !p2.outputOverloadable[drivers[0]] ? drivers[0] : sharedWire;
    }
    phaseFour->instrumented |= recordingInstrument;
}

void startExplaining() {
    const PhaseTwo& p2 = *phaseTwo;
    std::string busName = explainRequest;
    const size_t at = busName.rfind('@');
    if (at != std::string::npos) {
        const std::string t = busName.substr(at + 1);
        busName = busName.substr(0, at);
        char* end = nullptr;
        errno = 0;
        explainTime = std::strtoul(t.c_str(), &end, 10);
        if (t.empty() || *end != '\0' || t[0] == '-' || errno == ERANGE || explainTime == ULONG_MAX)
            refuse("the time after @ must be a number of ticks");
    }
    int matches = 0;
    for (int b = 0; b < p2.numberOfBuses; b++)
        if (busName == p2.busNames[b] && matches++ == 0) bus = b;
    if (matches > 1) refuse(std::to_string(matches) + " buses are declared as " + busName + "; write " + busName + "#1 … " + busName + "#" + std::to_string(matches));
    if (matches == 0)
        for (int b = 0; b < p2.numberOfBuses; b++)
            if (p2.busName(b) == busName) bus = b, matches = 1;
    if (matches == 0) refuse("unknown name " + busName + ": no bus of the circuit is declared with that name");
    startRecordingCauses();
}

void explainRestart() {
    recordRestart();
    explained = false;
}

void explainBeforeAdvance() {
    if (explained || explainTime == ULONG_MAX) return;
    const SkewHeap& heap = phaseFour->skewHeap;
    if (phaseFour->time <= explainTime && (heap.isEmpty() ? false : heap.minTime() > explainTime))
        explainNow(explainTime);
}

void explainComponent(int c, std::vector<int>& chain) {
    const PhaseTwo& p2 = *phaseTwo;
    const unsigned long t = phaseFour->time;
    chain.push_back(c);
    // A component without outputs (a probe) is explained by its inputs.
    const bool byInputs = p2.numberOfOutputs[c] == 0;
    std::vector<int> wires;
    if (byInputs)
        for (int p = 0; p < inputCount(c); p++) wires.push_back(inputWire(c, p));
    else
        for (int o = 0; o < p2.numberOfOutputs[c]; o++) wires.push_back(p2.outputs[c][o]);
    Chain ch;
    ch.named = &chain;
    if (!explainWires(wires, t, ch))
        std::fprintf(stderr, "Every %s of %s is ZERO or ONE at time %lu.\n", byInputs ? "input" : "output",
                     componentText(c).c_str(), t);
}

void explainAtEnd() {
    if (!explainRequest || explained) return;
    const unsigned long now = phaseFour->time;
    explainNow(explainTime < now ? explainTime : now);
}
