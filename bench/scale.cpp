// bench-scale: how deep nesting and wide buses scale, in time and in peak
// memory.
//
// Two workloads, each size built in a child process of its own so that
// its peak resident memory is its own (from wait4):
//   nesting D  sub-circuits nested D deep, as a recursive sub-circuit
//              function makes them: every level's descriptor SD(parent,
//              "ab") alive at once, one Not gate per level;
//   bus N      one bus of N wires, Signal(N, "big"), and one Not gate on
//              two of its wires.
// Each child builds the circuit, phases two to four and the tiling of the
// first picture, then ends. Printed per size: wall-clock seconds, peak
// memory, and the bytes per level or wire beyond an empty circuit's peak;
// and for each size after the first, how many times the previous size's
// time and extra memory it took (ten times the size should take about ten
// times both).
//
//   build/bench/bench-scale [nesting|bus SIZE…]
//   default: nesting 10000 100000, then bus 1000000 10000000
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common.h"
#include "display/SchCell.h"

namespace {

void nesting(long depth) {
    Signal in(1, "in");
    std::vector<SD> levels;
    std::vector<Signal> outs;
    levels.reserve(static_cast<size_t>(depth));
    outs.reserve(static_cast<size_t>(depth));
    levels.emplace_back("ba");
    for (long d = 1; d < depth; d++) {
        levels.emplace_back(levels.back(), "ab");
        outs.emplace_back(1, "n");
        Not(levels.back(), d == 1 ? in : outs[outs.size() - 2], outs.back());
    }
}

void bus(long wires) {
    Signal big(static_cast<unsigned>(wires), "big");
    if (wires > 1) Not(SD("aa"), big[0], big[1]);
}

// Runs `build` with `size` in a child; its wall time and peak memory (KiB).
bool measure(void (*build)(long), long size, double& seconds, long& peakKiB) {
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        startPhaseOne();
        if (size > 0) build(size);
        finishPhases();
        phaseFive->componentTiling(new SchematicCell);
        std::_Exit(0);
    }
    int status = 0;
    rusage use;
    if (child < 0 || wait4(child, &status, 0, &use) != child) return false;
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    peakKiB = use.ru_maxrss;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void run(const char* name, void (*build)(long), const std::vector<long>& sizes) {
    double t0;
    long empty;
    if (!measure(build, 0, t0, empty)) {
        std::fprintf(stderr, "bench-scale: the empty circuit failed\n");
        std::exit(1);
    }
    double lastTime = 0;
    long lastExtra = 0, lastSize = 0;
    for (long n : sizes) {
        double t;
        long peak;
        if (!measure(build, n, t, peak)) {
            std::printf("%-8s %10ld  failed\n", name, n);
            continue;
        }
        const long extra = (peak - empty) * 1024;
        std::printf("%-8s %10ld  %8.3f s  peak %8.1f MB  %7.1f bytes per %s", name, n, t, peak / 1024.0,
                    static_cast<double>(extra) / static_cast<double>(n), build == nesting ? "level" : "wire");
        if (lastSize)
            std::printf("  (x%.0f size: x%.1f time, x%.1f memory)", static_cast<double>(n) / lastSize, t / lastTime,
                        static_cast<double>(extra) / static_cast<double>(lastExtra > 0 ? lastExtra : 1));
        std::printf("\n");
        lastTime = t, lastExtra = extra, lastSize = n;
    }
}

}  // namespace

int main(int argc, char** argv) {
    useXDisplay = 0;  // the tiling is measured, not a window
    if (argc > 1) {
        void (*build)(long) = std::strcmp(argv[1], "nesting") == 0 ? nesting : std::strcmp(argv[1], "bus") == 0 ? bus
                                                                                                                : nullptr;
        if (!build) {
            std::fprintf(stderr, "usage: %s [nesting|bus SIZE…]\n", argv[0]);
            return 2;
        }
        run(argv[1], build, sizesFromArguments(argc - 1, argv + 1, {}));
        return 0;
    }
    run("nesting", nesting, {10000, 100000});
    run("bus", bus, {1000000, 10000000});
    return 0;
}
