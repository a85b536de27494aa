// bench-panel [REPEATS]: what the watch panel costs on the processor's
// window. Needs a display (bench/panel.sh starts one). Three figures, each
// the median (fastest, slowest) of REPEATS, each followed by a round trip
// to the server so that its drawing is counted:
//   every line    all seventeen lines remade from the watches and drawn,
//                 as when every watch changed at once (the most a sample
//                 costs);
//   a sample      the lines remade and compared, none drawn: a sample at
//                 which no watch changed;
//   one line      one register changed: its line alone drawn.
// First it prints the band the panel takes ("panel band: N pixels of the
// window's W"), for bench/panel.sh.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Watch.h"
#include "common.h"
#include "display/Ph5.h"

void simnet();

namespace {

double milliseconds(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// Times `step` REPEATS times, each followed by a sync, and prints the line.
template <class Step>
void measure(const char* what, int repeats, Screen& w, Step step) {
    std::vector<double> times;
    for (int i = 0; i < repeats; i++) {
        auto start = std::chrono::steady_clock::now();
        step(i);
        w.sync();
        times.push_back(milliseconds(start, std::chrono::steady_clock::now()));
    }
    std::sort(times.begin(), times.end());
    std::printf("panel, %s: %.3f ms (fastest %.3f, slowest %.3f, %d times)\n", what, times[times.size() / 2],
                times.front(), times.back(), repeats);
}

// Sets the wires of watch `w` to `value`.
void setWatch(int w, unsigned long value) {
    const WatchEntry& e = watchList[w];
    for (size_t b = 0; b < e.wires.size(); b++) phaseThree->currentSignals[e.wires[b]] = (value >> b) & 1 ? ONE : ZERO;
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 200;
    {
        QuietStderr quiet;
        simnet();
        buildNetlist();
        phaseFour = new PhaseFour;
    }
    phaseFive = new PhaseFive;
    Screen& w = *phaseFive->screen;
    if (!w.display) {
        std::fprintf(stderr, "bench-panel: needs an X display\n");
        return 1;
    }
    WatchPanel& panel = phaseFive->watchPanel;
    panel.show(w);
    phaseFive->firstPicture();
    w.sync();
    std::printf("panel band: %d pixels of the window's %d\n", panel.band, w.view.xPixels + panel.band);
    measure("every line", repeats, w, [&](int) {
        for (std::string& l : panel.lines) l.clear();  // as if every text changed
        panel.update(w);
    });
    measure("a sample", repeats, w, [&](int) { panel.update(w); });
    int reg1 = -1;
    for (int i = 0; i < static_cast<int>(watchList.size()); i++)
        if (watchList[i].label == "Reg1") reg1 = i;
    measure("one line", repeats, w, [&](int i) {
        setWatch(reg1, static_cast<unsigned long>(i));
        panel.update(w);
    });
    delete phaseFive;
    return 0;
}
