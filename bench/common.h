// What the benchmark programs share: their sizes from the command line,
// building a netlist outside Sim with the start-up counts and connectivity
// warnings kept off the terminal, and pseudo-random numbers.
#ifndef KORVAX_BENCH_COMMON_H
#define KORVAX_BENCH_COMMON_H

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Sim.h"
#include "korvax.h"

// The sizes a benchmark runs at: its arguments, each a whole number from 1
// to INT_MAX, or `defaults` when it has none. A bad argument ends the
// program with a one-line message and exit status 2.
inline std::vector<long> sizesFromArguments(int argc, char** argv, std::vector<long> defaults) {
    if (argc <= 1) return defaults;
    std::vector<long> sizes;
    for (int i = 1; i < argc; i++) {
        char* end;
        errno = 0;
        const long n = std::strtol(argv[i], &end, 10);
        if (end == argv[i] || *end || errno || n < 1 || n > INT_MAX) {
            std::fprintf(stderr, "%s: not a size: '%s' (sizes are whole numbers from 1)\n", argv[0], argv[i]);
            std::exit(2);
        }
        sizes.push_back(n);
    }
    return sizes;
}

// A fresh phase one whose first two wires are the constants, as in a real
// start. The circuit is registered after this.
inline void startPhaseOne() {
    phaseOne = new PhaseOne;
    Signal zero(1, 0u, "Zero"), one(1, 1u, "One");
}

// The benchmarks' pseudo-random numbers: xorshift64, the same sequence in
// every run and cheap enough not to dominate what is measured.
struct Random {
    unsigned long s = 88172645463325252ul;  // the state; never 0
    // The next number of the sequence.
    unsigned long next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }
};

// Keeps standard error off the terminal while it lives: the start-up
// counts and connectivity warnings are not what a benchmark measures.
class QuietStderr {
public:
    QuietStderr() : saved(dup(2)), devNull(open("/dev/null", O_WRONLY)) {
        std::fflush(stderr);
        dup2(devNull, 2);
    }
    ~QuietStderr() {
        std::fflush(stderr);
        dup2(saved, 2);
        close(saved);
        close(devNull);
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved;    // the terminal's standard error, restored at the end
    int devNull;  // where standard error goes meanwhile
};

// Phases two to five for the registered circuit, standard error silenced.
inline void finishPhases() {
    {
        QuietStderr quiet;
        buildNetlist();
    }
    phaseFour = new PhaseFour;
    phaseFive = new PhaseFive;
}

#endif
