// bench-runloop: events per second of the whole run loop (evaluation,
// scheduling, heap, advance) on synthetic circuits of simple test
// components, without a display.
//
//   chain N   a clock toggling every 10 ticks drives a chain of N buffers;
//             every edge runs down the whole chain, so many edges are in
//             flight at once and each cycle wakes a few components;
//   fanout N  the clock drives N buffers directly; each edge wakes all N
//             in one cycle.
// Each circuit runs to a stop time chosen to process a few million
// events; the figure is events applied per second.
//
//   build/bench/bench-runloop [N]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common.h"

namespace {

long eventsQueued = 0;  // events the test components added to the heap

// Queues `v` for the component's output and counts the events it took.
void drive(int c, SignalValue v) {
    int before = phaseFour->skewHeap.getLength();
    phaseFour->signalTransition(phaseTwo->outputs[c][0], v, 7, 10);
    eventsQueued += phaseFour->skewHeap.getLength() - before;
}

// Self-activating: the other level once the output has settled.
void clockEvaluate(int c) {
    SignalValue now = phaseThree->currentSignals[phaseTwo->outputs[c][0]];
    if (now != XXX) drive(c, now == ONE ? ZERO : ONE);
}

void buffer(int c) { drive(c, phaseThree->currentSignals[phaseTwo->dataInputs[c][0]]); }

// Builds the circuit and phases two to five.
void build(bool chain, int n) {
    startPhaseOne();
    Signal none(0, "UnNamed");
    Signal clk(1, "clk");
    addStandardComponent(clockEvaluate, SecondaryEvaluatePointer{nullptr}, nullptr, nullptr, nullptr, nullptr, 0, 1,
                         "Clock", SD("aa"), clk, none, clk, 0, nullptr, 0, nullptr, 0, 0, 0);
    std::vector<Signal> outs;  // buses cannot be reassigned, so each stays here
    outs.reserve(n);
    for (int i = 0; i < n; i++) {
        outs.emplace_back(1, "b");
        addStandardComponent(buffer, nullptr, "Buf", SD("ab"), chain && i > 0 ? outs[i - 1] : clk, none, outs[i]);
    }
    finishPhases();
}

void measure(const char* name, bool chain, int n, unsigned long until) {
    build(chain, n);
    eventsQueued = 0;
    stopTime = until;
    auto start = std::chrono::steady_clock::now();
    phaseFour->run();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    long applied = eventsQueued - phaseFour->skewHeap.getLength();
    std::printf("%-8s %9d %10lu %12ld %8.3f %14.0f\n", name, n, phaseFour->time, applied, seconds,
                applied / seconds);
    std::fflush(stdout);
    delete phaseFive;
    delete phaseFour;
    phaseFive = nullptr;
    phaseFour = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::printf("%-8s %9s %10s %12s %8s %14s\n", "circuit", "N", "end time", "events", "seconds", "events/s");
    // Up to time T the edges have reached T/10 buffers of a chain, about
    // (T/10)^2 events in all while that is below N.
    measure("chain", true, n, 20000);
    measure("chain", true, 1000, 40000);
    // Every edge (each 10 ticks) makes two events per buffer.
    measure("fanout", false, n, 40000000ul / n);
    measure("fanout", false, 1000, 20000);
    return 0;
}
