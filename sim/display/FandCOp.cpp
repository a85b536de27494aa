// The key commands by code, shared by the window's keys and the replay of
// the -F and -K strings: run control (restart, exit, speed, pause), the
// display flags and the level of detail. Display changes repaint; run
// changes only set the globals the run loop reads.
#include <climits>
#include <cstdio>

#include "Ph2.h"
#include "Ph4.h"
#include "cmdLine.h"
#include "display/Ph5.h"

namespace {

const char* const unusedFunctionKeyMessage = "Unused Function key F%d\n";
const char* const unusedCursorKeyMessage = "Unused Cursor key = %d\n";

// Flips flag between 0 and 1.
void toggle(int& flag) { flag ^= 1; }

// Sets the level of detail, kept within 1 … maxGraphicDisplayLevel, and
// repaints (also when the level did not change).
void setLevel(int level) {
    const int deepest = phaseTwo->maxGraphicDisplayLevel;
    phaseFive->currentGraphicDisplayLevel = level < 1 ? 1 : level > deepest ? deepest : level;
    phaseFive->windexPointer->repaint();
}

}  // namespace

void FunctionKeyOperate(int keyChar) {
    PhaseFive& p5 = *phaseFive;
    Windex& w = *p5.windexPointer;
    switch (keyChar) {
    case 1: reStart = 1; break;
    case 2: toggle(p5.interconnectFlag); w.repaint(); break;
    case 3: toggle(p5.labelGateFlag); w.repaint(); break;
    case 4: toggle(p5.drawComponentLeadsFlag); w.repaint(); break;
    case 5: toggle(p5.labelLinesFlag); w.repaint(); break;
    case 6: toggle(displayTimeFlag); break;
    case 7: toggle(connectMuxOnlyFlag); break;
    case 8: toggle(p5.superProbeSelect); w.repaint(); break;
    case 9: toggle(p5.newWindowingMode); w.repaint(); break;
    case 10: done = 1; break;
    case 20:
    case 35: setLevel(p5.currentGraphicDisplayLevel + 1); break;
    case 21:
    case 33: setLevel(phaseTwo->maxGraphicDisplayLevel); break;
    case 24:
    case 27: setLevel(1); break;
    case 29:
    case 37: setLevel(p5.currentGraphicDisplayLevel - 1); break;
    case 31: w.repaint(); break;  // the re-paint key
    default: std::fprintf(stderr, unusedFunctionKeyMessage, keyChar); break;
    }
}

void CursorKeyOperate(int keyChar) {
    switch (keyChar) {
    case 0:
        if (stallLevel < INT_MAX) stallLevel++;  // the wait itself is bounded by stallSteps
        break;
    case 1: stallLevel = 0; break;
    case 2:
        if (stallLevel > 0) stallLevel--;
        break;
    case 3: toggle(haltFlag); break;
    default: std::fprintf(stderr, unusedCursorKeyMessage, keyChar); break;
    }
}
