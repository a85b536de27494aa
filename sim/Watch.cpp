// Watches (see Watch.h): the list, the four formats, and the samples that
// print watch lines at quiet moments or at the rising edges of -e's wire.
//
// The list is filled while the circuit is built and never changes after.
// A sample runs the circuit's samplers; with -P it then makes every
// watch's text and compares it with the text of the last line, and the line
// is printed when any differs. Samples happen only with -P or -e or in a
// window, so a headless run costs nothing more without them.
#include "Watch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "cmdLine.h"

std::vector<WatchEntry> watchList;
int watchEdgeWire = -1;

namespace {

std::vector<void (*)(bool)> samplers;
std::vector<void (*)()> finishers;
std::vector<std::string> lastShown;  // the texts of the last line printed, or empty: none yet
SignalValue edgeWireBefore = UNINITIALIZED;

// The letter of a wire's value in binary and hexadecimal text.
char letter(SignalValue v) {
    switch (v) {
    case ZERO: return '0';
    case ONE: return '1';
    case HIZ: return 'Z';
    case UNINITIALIZED: return 'U';
    default: return 'X';
    }
}

void declare(const char* label, const Signal& bus, WatchFormat format, WatchText text, const SourcePlace& at) {
    const char* name = label ? label : "";
    if (bus.length <= 0 || (bus.length > 64 && (format != WATCH_BINARY || text))) {
        std::fprintf(stderr, "Error--Watch %s of %d wires: %s\n", name, bus.length,
                     bus.length <= 0 ? "a watch needs a wire" : "at most 64 but in binary");
        sayPlace(at);
        std::exit(1);
    }
    WatchEntry e;
    e.label = name;
    e.wires.assign(bus.serialNumber, bus.serialNumber + bus.length);
    e.format = format;
    e.text = text;
    watchList.push_back(e);
}

void sample(bool edge) {
    for (auto s : samplers) s(edge);
    if (!watchLinesFlag) return;
    const int n = static_cast<int>(watchList.size());
    bool changed = lastShown.empty() && n > 0;
    lastShown.resize(n);
    std::vector<std::string> now(n);
    for (int w = 0; w < n; w++) {
        now[w] = watchText(w);
        if (now[w] != lastShown[w]) changed = true;
    }
    if (!changed) return;
    std::string line = "Time = " + std::to_string(phaseFour->time);
    for (int w = 0; w < n; w++) line += "  " + watchList[w].label + "=" + now[w];
    std::fprintf(stderr, "%s\n", line.c_str());
    lastShown = now;
}

}  // namespace

void Watch(const char* label, const Signal& bus, WatchFormat format, SourcePlace at) {
    declare(label, bus, format, nullptr, at);
}

void Watch(const char* label, const Signal& bus, WatchText text, SourcePlace at) {
    declare(label, bus, WATCH_HEX, text, at);
}

std::string watchText(int w) {
    const WatchEntry& e = watchList[w];
    const SignalValue* current = phaseThree->currentSignals;
    const int width = static_cast<int>(e.wires.size());
    unsigned long value = 0;
    bool known = true;
    int uninitialized = 0, highImpedance = 0;
    for (int b = 0; b < width; b++) {
        const SignalValue v = current[e.wires[b]];
        if (v == ONE) value |= 1ul << b;
        if (v != ONE && v != ZERO) known = false;
        uninitialized += v == UNINITIALIZED;
        highImpedance += v == HIZ;
    }
    if (known && e.text) return e.text(value);
    if (e.format == WATCH_BINARY && !e.text) {
        std::string s;
        for (int b = width - 1; b >= 0; b--) s += letter(current[e.wires[b]]);
        return s;
    }
    if (!known && (e.format == WATCH_DECIMAL || e.format == WATCH_SIGNED) && !e.text)
        return uninitialized == width ? "U" : highImpedance == width ? "Z" : "X";
    if (known && e.format == WATCH_DECIMAL) return std::to_string(value);
    if (known && e.format == WATCH_SIGNED) {
        if (width < 64 && value >> (width - 1) & 1) return std::to_string(static_cast<long>(value - (1ul << width)));
        return std::to_string(static_cast<long>(value));
    }
    // Hexadecimal: a digit with an unknown wire shows the first such
    // wire's letter, from the most significant end.
    std::string s;
    for (int d = (width + 3) / 4 - 1; d >= 0; d--) {
        char c = 0;
        for (int b = std::min(width, 4 * d + 4) - 1; b >= 4 * d && !c; b--) {
            const SignalValue v = current[e.wires[b]];
            if (v != ZERO && v != ONE) c = letter(v);
        }
        s += c ? c : "0123456789ABCDEF"[value >> (4 * d) & 15];
    }
    return s;
}

void addWatchSampler(void (*sampler)(bool edge)) { samplers.push_back(sampler); }
void addWatchFinisher(void (*finisher)()) { finishers.push_back(finisher); }

void resolveWatchEdge() {
    if (!watchEdgeName) return;
    const PhaseTwo& p2 = *phaseTwo;
    for (int b = 0; b < p2.numberOfBuses; b++) {
        if (p2.busName(b) != watchEdgeName) continue;
        if (p2.busWidths[b] != 1) {
            std::fprintf(stderr, "-e %s: a bus of %d wires; the edge is that of one wire\n", watchEdgeName,
                         p2.busWidths[b]);
            exitProgram(2);
        }
        watchEdgeWire = p2.busFirstSignals[b];
        return;
    }
    std::fprintf(stderr, "-e %s: the circuit has no bus of that name\n", watchEdgeName);
    exitProgram(2);
}

void watchesAtQuietMoment() { sample(false); }

bool watchesAfterAdvance() {
    const SignalValue v = phaseThree->currentSignals[watchEdgeWire];
    const bool rose = v == ONE && edgeWireBefore != ONE;
    edgeWireBefore = v;
    if (rose) sample(true);
    return rose;
}

void watchesRestart() {
    if (watchEdgeWire >= 0) edgeWireBefore = phaseThree->currentSignals[watchEdgeWire];
}

void finishWatches() {
    for (auto f : finishers) f();
}
