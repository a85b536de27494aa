// The super probes drawn: each tab of the first picture covered by a box of
// 0.66 of its size in the present value colour of its wire.
#include "Ph3.h"
#include "display/Pane.h"
#include "display/Ph5.h"

void PhaseFive::displaySuperProbes() {
    const SignalValue* current = phaseThree->currentSignals;
    for (const SuperProbe* p = superProbeList.start; p; p = p->link)
        drawPane(*screen, p->x, p->y, p->w, p->h, current[p->signalIndex], true, 0.66f);
}
