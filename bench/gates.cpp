// bench-gates: gate-level throughput of the whole simulator on a circuit
// made only of library gates and clocks.
//
// The circuit is a row of 16-bit ripple-carry adders, each bit a full adder
// of five gates (two Xor, two And, one Or). Their operand bits come from a
// pool of 32 clocks with different periods, each adder taking them in its
// own rotation, so the adders never settle: every clock edge sets carries
// rippling. Each size runs headless to the same stop time; the figures are
// gates, events applied, evaluations, wall time and events per second.
//
//   build/bench/bench-gates [GATES…]      (default 1000 10000 100000 1000000)
#include <chrono>
#include <cstdlib>
#include <vector>

#include "common.h"

namespace {

const int bits = 16;
const int clocks = 32;
const int gatesPerAdder = 5 * bits;
const unsigned long stopAt = 2000;

// One full adder: sum = a ^ b ^ cin, cout = a·b + (a ^ b)·cin.
void fullAdder(const SD& sd, const Signal& a, const Signal& b, const Signal& cin, const Signal& sum,
               const Signal& cout) {
    Signal half(1, "half"), generate(1, "g"), propagate(1, "p");
    Xor(sd, (a, b), half);
    Xor(sd, (half, cin), sum);
    And(sd, (a, b), generate);
    And(sd, (half, cin), propagate);
    Or(sd, (generate, propagate), cout);
}

int buildAdders(int adders) {
    startPhaseOne();
    std::vector<Signal> source;
    source.reserve(clocks);
    for (int k = 0; k < clocks; k++) {
        source.emplace_back(1, "clk");
        // Periods 40 … 195 and offsets 0 … 93 spread the edges over time.
        Clock(SD("aa"), source[k], 10 + k, 3 * k, 40 + 5 * k, Zero);
    }
    for (int n = 0; n < adders; n++) {
        SD sd("ab");
        Signal carry(bits + 1, "carry"), sum(bits, "sum");
        for (int i = 0; i < bits; i++) {
            const Signal& a = source[(n + i) % clocks];
            const Signal& b = source[(3 * n + 7 * i + 1) % clocks];
            fullAdder(sd, a, b, i == 0 ? Zero : carry[i], sum[i], carry[i + 1]);
        }
    }
    finishPhases();
    return adders * gatesPerAdder;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<long> sizes = sizesFromArguments(argc, argv, {1000, 10000, 100000, 1000000});
    useXDisplay = 0;
    stopTime = stopAt;
    std::printf("stop time %lu; adders of %d bits on %d clocks\n", stopAt, bits, clocks);
    std::printf("%10s %14s %14s %10s %14s\n", "gates", "events", "evaluations", "wall s", "events/s");
    for (int wanted : sizes) {
        int adders = wanted / gatesPerAdder > 0 ? wanted / gatesPerAdder : 1;
        int gates = buildAdders(adders);
        auto start = std::chrono::steady_clock::now();
        phaseFour->run();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%10d %14lu %14lu %10.3f %14.0f\n", gates, phaseFour->eventsApplied, phaseFour->evaluations,
                    seconds, phaseFour->eventsApplied / seconds);
        std::fflush(stdout);
    }
    return 0;
}
