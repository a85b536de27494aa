// bench-netlist: how the netlist build, phase two (arrays) and phase three
// (connectivity check and activation lists) scale with circuit size.
//
// For 10 000, 100 000 and 1 000 000 two-input gates it builds a netlist in
// which gate i reads the outputs of gates i-1 and i/2 (so fan-out is uneven
// and wires are shared), then times each phase. All three should grow
// linearly: ten times the gates, about ten times the time.
//
//   build/bench/bench-netlist [GATES…]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <sys/resource.h>

#include "common.h"

namespace {

// Wall-clock and user-CPU seconds of one phase. The kernel's time for
// first-touch page faults is in the wall figure but not the user one; on a
// virtual machine it can grow faster than the memory touched, so both are
// shown.
struct Stopwatch {
    std::chrono::steady_clock::time_point wall;
    double user;

    static double userSeconds() {
        rusage u;
        getrusage(RUSAGE_SELF, &u);
        return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6;
    }
    Stopwatch() : wall(std::chrono::steady_clock::now()), user(userSeconds()) {}
    void print() const {
        double w = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
        std::printf(" %9.4f %9.4f", w, userSeconds() - user);
    }
};

void gate(int) {}

void buildGates(int gates) {
    Signal in(2, "in");
    Signal none(0, "UnNamed");
    std::vector<Signal> outs;
    outs.reserve(gates);
    for (int i = 0; i < gates; i++) {
        outs.emplace_back(1, "g");
        const Signal& a = i > 0 ? outs[i - 1] : in;
        const Signal& b = i > 1 ? outs[i / 2] : in;
        addStandardComponent(gate, nullptr, "Gate", SD("aa"), (a[0], b[b.length - 1]), none, outs[i]);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<long> sizes = sizesFromArguments(argc, argv, {10000, 100000, 1000000});
    std::printf("%10s %19s %19s %19s\n", "", "build", "phase two", "phase three");
    std::printf("%10s %9s %9s %9s %9s %9s %9s\n", "gates", "wall s", "user s", "wall s", "user s", "wall s",
                "user s");
    for (int gates : sizes) {
        // A fresh phase one with the two constants as wires 0 and 1.
        phaseOne = new PhaseOne;
        Signal zero(1, 0u, "Zero"), one(1, 1u, "One");

        std::printf("%10d", gates);
        Stopwatch build;
        buildGates(gates);
        build.print();

        Stopwatch two;
        phaseTwo = new PhaseTwo;
        phaseTwo->listsToArrays();
        two.print();
        {
            QuietStderr quiet;  // the counts and warnings are not what is measured
            delete phaseOne;
        }
        Stopwatch three;
        {
            QuietStderr quiet;
            phaseThree = new PhaseThree;
            phaseThree->checkConnectivity();
            phaseThree->formActivationLists();
        }
        three.print();
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}
