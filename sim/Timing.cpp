// The timing report. The combinational components are put in an order in
// which every component comes after the drivers of its inputs (components
// on loops never get a place); each pass then walks that order once,
// giving every wire the latest time its value settles after the pass's
// starting edges. One pass finds the longest path, one the clock that
// reaches each clocked component, and two per clock (values launched by
// its rising and by its falling edge) the times that clock must allow. Each
// pass takes time linear in the pins.
#include "Timing.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "Kinds.h"
#include "Ph2.h"
#include "StderrBuffer.h"
#include "cmdLine.h"
#include "components/ssi.h"


namespace {

const long unreached = -1;

// One clocked port: a flip-flop, register or counter, or a memory's write port.
struct Port {
    int component;
    ClockedPins pins;
    int source;       // the component whose output clocks it, or -1
    long clockDelay;  // ticks from the source's edge to the clock pin
    bool captureRise; // samples at the source's rising edge (else falling)
    bool launchRise;  // its outputs change at the source's rising edge
};

class Timing {
public:
    Timing();
    void report();

private:
    const PhaseTwo& p2;
    std::vector<const KindInfo*> kind;
    std::vector<int> order;          // combinational components, drivers first
    std::vector<int> through;        // per component: its inputs that reach its outputs …
    std::vector<int> throughStart;   // … from throughStart[c] to throughStart[c + 1]
    int onLoops;                     // combinational components without a place in `order`
    // The present pass:
    std::vector<long> arrival;  // per wire: when it settles, or unreached
    std::vector<int> from;      // per wire: the component that made it settle then
    std::vector<int> latestIn;  // per component: its latest through input (a wire)
    std::vector<int> source;    // per wire, in the clock pass: the source it comes from
    std::vector<char> turned;   // per wire, in the clock pass: an odd number of inversions on the way
    std::vector<Port> ports;

    void orderCombinational();
    void clearPass();
    void start(int c, long at, int label);
    void runPass(bool labels);
    void printPath(int endComponent, int endWire);
    void statistics();
    void longestPath();
    void clocks();
};

Timing::Timing() : p2(*phaseTwo), onLoops(0) {
    const int n = p2.numberOfComponents;
    kind.resize(n);
    for (int c = 0; c < n; c++) kind[c] = &kindOf(c);
    throughStart.assign(n + 1, 0);
    for (int c = 0; c < n; c++) {
        throughStart[c] = static_cast<int>(through.size());
        for (int p = 0; p < inputCount(c); p++)
            if (flowsThrough(c, p)) through.push_back(inputWire(c, p));
    }
    throughStart[n] = static_cast<int>(through.size());
    const int signals = p2.numberOfSignals;
    arrival.assign(signals, unreached);
    from.assign(signals, -1);
    latestIn.assign(n, -1);
    source.assign(signals, -1);
    turned.assign(signals, 0);
    orderCombinational();
}

bool passesValues(const KindInfo& k) { return k.role == combinationalRole || k.role == memoryRole; }

void Timing::orderCombinational() {
    const int n = p2.numberOfComponents, signals = p2.numberOfSignals;
    // pendingDrivers[w]: combinational drivers of w not yet placed;
    // pendingInputs[c]: c's distinct through inputs with drivers pending.
    std::vector<int> pendingDrivers(signals, 0), pendingInputs(n, 0), readerStart(signals + 1, 0), lastSeen(signals, -1);
    for (int c = 0; c < n; c++) {
        if (!passesValues(*kind[c])) continue;
        for (int p = 0; p < p2.numberOfOutputs[c]; p++) {
            const int w = p2.outputs[c][p];
            if (lastSeen[w] != c) lastSeen[w] = c, pendingDrivers[w]++;
        }
    }
    lastSeen.assign(signals, -1);
    for (int c = 0; c < n; c++)
        for (int i = throughStart[c]; i < throughStart[c + 1]; i++) {
            const int w = through[i];
            if (lastSeen[w] == c) continue;
            lastSeen[w] = c;
            readerStart[w + 1]++;
            if (pendingDrivers[w] > 0) pendingInputs[c]++;
        }
    for (int w = 0; w < signals; w++) readerStart[w + 1] += readerStart[w];
    std::vector<int> readers(readerStart[signals] > 0 ? readerStart[signals] : 1), fill(readerStart.begin(), readerStart.end() - 1);
    lastSeen.assign(signals, -1);
    for (int c = 0; c < n; c++)
        for (int i = throughStart[c]; i < throughStart[c + 1]; i++) {
            const int w = through[i];
            if (lastSeen[w] != c) lastSeen[w] = c, readers[fill[w]++] = c;
        }
    int combinational = 0;
    for (int c = 0; c < n; c++) {
        if (!passesValues(*kind[c])) continue;
        combinational++;
        if (pendingInputs[c] == 0) order.push_back(c);
    }
    lastSeen.assign(signals, -1);
    for (size_t k = 0; k < order.size(); k++) {
        const int c = order[k];
        for (int p = 0; p < p2.numberOfOutputs[c]; p++) {
            const int w = p2.outputs[c][p];
            if (lastSeen[w] == c) continue;
            lastSeen[w] = c;
            if (--pendingDrivers[w] > 0) continue;
            for (int r = readerStart[w]; r < readerStart[w + 1]; r++)
                if (passesValues(*kind[readers[r]]) && --pendingInputs[readers[r]] == 0) order.push_back(readers[r]);
        }
    }
    onLoops = combinational - static_cast<int>(order.size());
}

void Timing::clearPass() {
    std::fill(arrival.begin(), arrival.end(), unreached);
    std::fill(from.begin(), from.end(), -1);
    std::fill(source.begin(), source.end(), -1);
    std::fill(turned.begin(), turned.end(), 0);
}

// c's outputs settle at `at`; `label` is the clock pass's source.
void Timing::start(int c, long at, int label) {
    for (int p = 0; p < p2.numberOfOutputs[c]; p++) {
        const int w = p2.outputs[c][p];
        if (at > arrival[w]) arrival[w] = at, from[w] = c, source[w] = label, turned[w] = 0;
    }
}

void Timing::runPass(bool labels) {
    for (int c : order) {
        long latest = unreached;
        int in = -1;
        for (int i = throughStart[c]; i < throughStart[c + 1]; i++)
            if (arrival[through[i]] > latest) latest = arrival[through[i]], in = through[i];
        latestIn[c] = in;
        if (latest == unreached) continue;
        const long out = latest + kind[c]->lazy;
        for (int p = 0; p < p2.numberOfOutputs[c]; p++) {
            const int w = p2.outputs[c][p];
            if (out <= arrival[w]) continue;
            arrival[w] = out;
            from[w] = c;
            if (labels) source[w] = source[in], turned[w] = turned[in] ^ (inverts(c) ? 1 : 0);
        }
    }
}

std::string place(int c) { return componentText(c); }

// The path of the present pass that ends at wire endWire, an input of
// endComponent: from its start, component by component.
void Timing::printPath(int endComponent, int endWire) {
    std::vector<int> wires;
    for (int w = endWire; w >= 0;) {
        wires.push_back(w);
        const int c = from[w];
        if (c < 0 || !passesValues(*kind[c])) break;
        w = latestIn[c];
    }
    for (size_t k = wires.size(); k-- > 0;) {
        const int w = wires[k];
        const int c = from[w];
        if (k + 1 == wires.size() && (c < 0 || !passesValues(*kind[c])))
            std::printf("  %-12s %6ld  from %s\n", p2.signalNames[w], arrival[w], c < 0 ? "a constant" : place(c).c_str());
        else
            std::printf("  %-12s %6ld  %s\n", p2.signalNames[w], arrival[w], place(c).c_str());
    }
    std::printf("  %-12s %6s  into %s\n", "", "", place(endComponent).c_str());
}

void Timing::statistics() {
    std::map<std::string, int> byKind;
    for (int c = 0; c < p2.numberOfComponents; c++) byKind[kind[c]->name]++;
    std::printf("Components: %d\n", p2.numberOfComponents);
    for (const auto& k : byKind) std::printf("  %-24s %d\n", k.first.c_str(), k.second);
    std::printf("Wires: %d, in %d named buses\n", p2.numberOfSignals, p2.numberOfBuses);
    std::vector<int> perLevel(p2.maxGraphicDisplayLevel + 1, 0);
    for (int c = 0; c < p2.numberOfComponents; c++)
        if (p2.graphicLevel[c] >= 0 && p2.graphicLevel[c] <= p2.maxGraphicDisplayLevel) perLevel[p2.graphicLevel[c]]++;
    std::printf("Levels of detail: %d\n", p2.maxGraphicDisplayLevel);
    for (int l = 1; l <= p2.maxGraphicDisplayLevel; l++) std::printf("  level %-3d %d components\n", l, perLevel[l]);
    if (onLoops) std::printf("Combinational components on or after a loop, left out of the paths: %d\n", onLoops);
}

void Timing::longestPath() {
    clearPass();
    for (int c = 0; c < p2.numberOfComponents; c++)
        if (kind[c]->role == sourceRole || kind[c]->role == sequentialRole) start(c, 0, -1);
    runPass(false);
    long longest = unreached;
    int endComponent = -1, endWire = -1;
    for (int c = 0; c < p2.numberOfComponents; c++) {
        const KindRole role = kind[c]->role;
        if (role != sequentialRole && role != memoryRole && role != probeRole) continue;
        for (int p = 0; p < inputCount(c); p++) {
            const int w = inputWire(c, p);
            if (arrival[w] > longest) longest = arrival[w], endComponent = c, endWire = w;
        }
    }
    if (longest == unreached) {
        std::printf("Longest path: none (no path from a switch, clock, pulser or flip-flop to a flip-flop, memory or probe)\n");
        return;
    }
    int steps = 0;
    for (int w = endWire; from[w] >= 0 && passesValues(*kind[from[w]]); w = latestIn[from[w]]) steps++;
    std::printf("Longest path: %ld ticks of lazy delay through %d combinational components\n", longest, steps);
    printPath(endComponent, endWire);
}

void Timing::clocks() {
    // Which source clocks each port, and how late its edge arrives there.
    clearPass();
    for (int c = 0; c < p2.numberOfComponents; c++)
        if (kind[c]->role == sourceRole) start(c, 0, c);
    runPass(true);
    int unclocked = 0;
    for (int c = 0; c < p2.numberOfComponents; c++) {
        for (int port = 0; port < clockedPortCount(c); port++) {
            Port pt;
            pt.component = c;
            if (!clockedPins(c, port, pt.pins) || pt.pins.clockPin < 0) continue;
            const int clk = inputWire(c, pt.pins.clockPin);
            pt.source = arrival[clk] == unreached ? -1 : source[clk];
            if (pt.source < 0) {
                unclocked++;
                continue;
            }
            pt.clockDelay = arrival[clk];
            pt.captureRise = pt.pins.captureRise != (turned[clk] != 0);
            pt.launchRise = pt.pins.launchRise != (turned[clk] != 0);
            ports.push_back(pt);
        }
    }
    std::vector<int> sources;
    for (const Port& pt : ports) {
        bool known = false;
        for (int s : sources) known = known || s == pt.source;
        if (!known) sources.push_back(pt.source);
    }
    if (sources.empty()) std::printf("Clocks: none\n");
    for (int s : sources) {
        int count = 0;
        for (const Port& pt : ports) count += pt.source == s;
        std::printf("Clock %s from %s: %d clocked components\n", p2.signalNames[p2.outputs[s][0]], place(s).c_str(),
                    count);
        // need[0]: rising edge to rising edge or falling to falling; [1]
        // rising to falling (the high time); [2] falling to rising (low).
        long need[3] = {0, 0, 0};
        int by[3] = {-1, -1, -1};
        for (int edge = 0; edge < 2; edge++) {
            const bool rise = edge == 0;
            clearPass();
            start(s, 0, s);
            for (const Port& pt : ports)
                if (pt.source == s && pt.launchRise == rise && kind[pt.component]->role == sequentialRole)
                    start(pt.component, pt.clockDelay + kind[pt.component]->lazy, s);
            runPass(false);
            for (const Port& pt : ports) {
                if (pt.source != s) continue;
                long latest = unreached;
                for (int i = 0; i < pt.pins.sampledCount; i++)
                    latest = std::max(latest, arrival[inputWire(pt.component, pt.pins.sampled[i])]);
                if (latest == unreached) continue;
                const long required = latest - pt.clockDelay;
                const int k = pt.captureRise == rise ? 0 : rise ? 1 : 2;
                if (required > need[k]) need[k] = required, by[k] = pt.component;
            }
        }
        const long period = std::max(need[0], need[1] + need[2]);
        std::printf("  shortest period %ld ticks: high at least %ld, low at least %ld, edge to like edge at least %ld\n",
                    period, need[1], need[2], need[0]);
        const char* const what[3] = {"edge to like edge", "high time", "low time"};
        for (int k = 0; k < 3; k++)
            if (by[k] >= 0) std::printf("  %s set by %s\n", what[k], place(by[k]).c_str());
        if (p2.runTimeCalls[s].logicEvaluate == clock_) {
            // Parameters: duration (ON), offset, period, OFF's wire.
            const int* q = p2.integerParameters[s];
            const long on = q[0] + 9, off = q[2] - q[0] + 9;
            const bool onIsOne = p2.signalInitializations[q[3]] == ZERO;
            const long high = onIsOne ? on : off, low = onIsOne ? off : on;
            std::printf("  the Clock stays ONE %ld and ZERO %ld ticks (period %ld): %s\n", high, low, high + low,
                        high >= need[1] && low >= need[2] && high + low >= period ? "slow enough" : "too fast");
        }
    }
    if (unclocked) std::printf("Clocked components whose clock comes from no switch, clock or pulser: %d\n", unclocked);
}

void Timing::report() {
    statistics();
    longestPath();
    clocks();
}

}  // namespace

void printTimingReport() {
    beforeStandardOutput();
    Timing timing;
    timing.report();
    std::fflush(stdout);
}
