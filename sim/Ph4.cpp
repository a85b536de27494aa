// Phase four's state: the run-control globals, construction and the
// run-time reset that starts and restarts a simulation.
#include "Ph4.h"

#include "Ph2.h"
#include "Ph3.h"

int done = 0;
int reStart = 0;
int haltFlag = 0;
int stallLevel = 0;
PhaseFour* phaseFour = nullptr;

unsigned long stallSteps(int level) {
    const int exponent = level < 0 ? 0 : level > maxStallExponent ? maxStallExponent : level;
    return 1ul << exponent;
}

PhaseFour::PhaseFour() : time(0), eventsApplied(0), evaluations(0), instrumented(0), oscillationAt(~0ul), keysTyped(0), lastKeyAt(0) {
    const int signals = phaseTwo->numberOfSignals;
    tsbOwner = new int[signals > 0 ? signals : 1]();
}

PhaseFour::~PhaseFour() { delete[] tsbOwner; }

void PhaseFour::runInitialize() {
    // Dropping every pending event at once leaves the heap as removing them
    // one by one would; time is set to 0 right after either way.
    skewHeap.clear();
    time = 0;
    phaseThree->resetRunTimeState();  // wires, scheduling records, every component activated
    int* state = phaseTwo->state;
    for (int c = 0; c < phaseTwo->numberOfComponents; c++) state[c] = 0;
}
