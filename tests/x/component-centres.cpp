// component-centres [OPTIONS…]: where the components of the circuit linked
// in lie in the default 1025 × 825 window at the full view. Builds the
// netlist as the program does with OPTIONS (so -u picks the circuit of a
// test circuit that holds several), tiles it, and prints for every shown
// component with an icon one line:
//     index x y w h decal
// with (x, y) the pixel at the centre of its icon and (w, h) the icon's
// size in pixels, tabs included (iconExtent). The X tests click there.
#include <cstdio>

#include "Ph1.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "Sim.h"
#include "cmdLine.h"
#include "display/IconLayout.h"
#include "display/Ph5.h"

void simnet();

int main(int argc, char** argv) {
    commandLine(argc, argv);
    useXDisplay = 0;
    if (!std::freopen("/dev/null", "w", stderr)) return 1;
    simnet();
    buildNetlist();
    phaseFour = new PhaseFour;
    phaseFive = new PhaseFive;
    phaseFive->firstPicture();

    Windex& w = phaseFive->screen->view;
    w.xPixels = 1025;
    w.yPixels = 825;
    const PhaseTwo& p2 = *phaseTwo;
    for (int c = 0; c < p2.numberOfComponents; c++) {
        if (!p2.iconArrays[c] || !phaseFive->shown(c)) continue;
        const ScreenTile t = iconExtent(p2.tile[c]);
        const int x0 = w.xScale(t.x), y0 = w.yScale(t.y), x1 = w.xScale(t.x + t.w), y1 = w.yScale(t.y + t.h);
        std::printf("%d %d %d %d %d %s\n", c, (x0 + x1) / 2, (y0 + y1) / 2, x1 - x0, y1 - y0, p2.decal[c]);
    }
    return 0;
}
