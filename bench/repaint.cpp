// bench-repaint [REPEATS]: the time of one full repaint of the processor's
// window (clear, icons, lines, panes, sub-window), at level 1 and at the
// deepest level, each followed by a round trip to the server so that the
// server's drawing is counted too. Needs a display (bench/window.sh
// starts one). Prints the fastest, median and slowest of REPEATS repaints.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common.h"
#include "display/Ph5.h"

void simnet();

namespace {

double milliseconds(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 20;
    {
        QuietStderr quiet;
        simnet();
        buildNetlist();
        phaseFour = new PhaseFour;
    }
    phaseFive = new PhaseFive;
    Screen& w = *phaseFive->screen;
    if (!w.display) {
        std::fprintf(stderr, "bench-repaint: needs an X display\n");
        return 1;
    }
    phaseFive->firstPicture();
    w.sync();
    const int levels[2] = {1, phaseTwo->maxGraphicDisplayLevel};
    for (int level : levels) {
        phaseFive->currentGraphicDisplayLevel = level;
        phaseFive->repaint();  // once to warm up
        w.sync();
        std::vector<double> times;
        for (int i = 0; i < repeats; i++) {
            auto start = std::chrono::steady_clock::now();
            phaseFive->repaint();
            w.sync();
            times.push_back(milliseconds(start, std::chrono::steady_clock::now()));
        }
        std::sort(times.begin(), times.end());
        std::printf("repaint at level %d: %.2f ms (fastest %.2f, slowest %.2f, %d repaints)\n", level,
                    times[times.size() / 2], times.front(), times.back(), repeats);
    }
    delete phaseFive;
    return 0;
}
