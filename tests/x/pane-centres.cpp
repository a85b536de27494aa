// pane-centres [WIDTH HEIGHT]: where the processor's live panes lie in a
// window of WIDTH × HEIGHT pixels (default 1025 × 825) showing the whole
// schematic. Builds the netlist as the program does, tiles it, and prints
// for every component with a pane one line:
//     index position level x y w h label
// with (x, y) the pixel at the pane's centre and w × h the pane's size in
// pixels. The X tests read the window's pixels there.
#include <cstdio>
#include <cstdlib>

#include "Ph1.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "Sim.h"
#include "cmdLine.h"
#include "display/Pane.h"
#include "display/Ph5.h"

void simnet();

int main(int argc, char** argv) {
    const int width = argc > 2 ? std::atoi(argv[1]) : 1025, height = argc > 2 ? std::atoi(argv[2]) : 825;
    useXDisplay = 0;
    // The counts and the probe lines of the (window-less) first picture are
    // not wanted here.
    if (!std::freopen("/dev/null", "w", stderr)) return 1;
    simnet();
    buildNetlist();
    phaseFour = new PhaseFour;
    phaseFive = new PhaseFive;
    phaseFive->firstPicture();

    Windex& w = phaseFive->screen->view;
    w.xPixels = width;
    w.yPixels = height;
    const PhaseTwo& p2 = *phaseTwo;
    for (int c = 0; c < p2.numberOfComponents; c++) {
        if (!p2.runTimeCalls[c].drawDynamic) continue;
        const ScreenTile& t = p2.tile[c];
        int xs, ys, ws, hs;
        shrink(0.25f, t.x, t.y, t.w, t.h, xs, ys, ws, hs);
        std::printf("%d %s %d %d %d %d %d %s\n", c, positionString(p2.rcpos[c]), p2.graphicLevel[c], w.xScale(xs) + w.wScale(ws) / 2,
                    w.yScale(ys) + w.hScale(hs) / 2, w.wScale(ws), w.hScale(hs), p2.decal[c]);
    }
    return 0;
}
