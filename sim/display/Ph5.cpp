// Phase five's drawing passes. Only drawPanes has work to do before the
// display proper exists; the others are the hooks the run loop and the key
// commands call in their fixed order.
#include "display/Ph5.h"

namespace {

const char* const windowLabel = "Korvax v20190215";

}  // namespace

PhaseFive::PhaseFive()
    : windexPointer(new Windex(windowLabel)), superProbeCollect(1), superProbeSelect(0), newWindowingMode(1),
      currentGraphicDisplayLevel(1), interconnectFlag(1), labelGateFlag(1), drawComponentLeadsFlag(1),
      labelLinesFlag(0) {}

PhaseFive::~PhaseFive() { delete windexPointer; }

// Tiling, icons, lines and super probes are drawn only through a window
// connection, which is not opened yet.
void PhaseFive::componentTiling() {}
void PhaseFive::drawSchematic() {}
void PhaseFive::connect() {}
void PhaseFive::displaySuperProbes() {}

void PhaseFive::drawPanes() {
    const PhaseTwo& p2 = *phaseTwo;
    for (int c = 0; c < p2.numberOfComponents; c++)
        if (p2.runTimeCalls[c].drawDynamic && shown(c)) p2.runTimeCalls[c].drawDynamic(c);
}
