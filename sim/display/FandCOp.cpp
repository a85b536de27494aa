// The key commands by code, shared by the window's keys and the replay of
// the -F and -K strings: run control (restart, exit, speed, pause), the
// display flags, the watch panel and the level of detail. Display changes repaint; run
// changes only set the globals the run loop reads.
#include <climits>
#include <cstdio>

#include "Ph2.h"
#include "Ph4.h"
#include "cmdLine.h"
#include "display/Ph5.h"
#include "display/WindowIn.h"

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
    phaseFive->repaint();
}

}  // namespace

void FunctionKeyOperate(int keyChar) {
    PhaseFive& p5 = *phaseFive;
    switch (keyChar) {
    case restartKey: reStart = 1; break;
    case linesKey: toggle(p5.interconnectFlag); p5.repaint(); break;
    case labelsKey: toggle(p5.labelGateFlag); p5.repaint(); break;
    case leadsKey: toggle(p5.drawComponentLeadsFlag); p5.repaint(); break;
    case lineLabelsKey: toggle(p5.labelLinesFlag); p5.repaint(); break;
    case statusLineKey: toggle(displayTimeFlag); break;
    case muxOnlyKey: toggle(connectMuxOnlyFlag); break;
    case superProbesKey: toggle(p5.superProbeSelect); p5.repaint(); break;
    case windowingModeKey: toggle(p5.newWindowingMode); p5.repaint(); break;
    case quitKey: done = 1; break;
    case panelKey:
        // Without a window there is no panel: the key stays unused, as before.
        if (p5.screen->display)
            p5.togglePanel();
        else
            std::fprintf(stderr, unusedFunctionKeyMessage, keyChar);
        break;
    case moreDetailKey:
    case moreDetailControlKey: setLevel(p5.currentGraphicDisplayLevel + 1); break;
    case mostDetailKey:
    case mostDetailControlKey: setLevel(phaseTwo->maxGraphicDisplayLevel); break;
    case leastDetailKey:
    case leastDetailControlKey: setLevel(1); break;
    case lessDetailKey:
    case lessDetailLetterKey: setLevel(p5.currentGraphicDisplayLevel - 1); break;
    case repaintKey: p5.repaint(); break;
    default: std::fprintf(stderr, unusedFunctionKeyMessage, keyChar); break;
    }
}

void CursorKeyOperate(int keyChar) {
    switch (keyChar) {
    case slowerKey:
        if (stallLevel < INT_MAX) stallLevel++;  // the wait itself is bounded by stallSteps
        break;
    case fullSpeedKey: stallLevel = 0; break;
    case fasterKey:
        if (stallLevel > 0) stallLevel--;
        break;
    case pauseKey: toggle(haltFlag); break;
    default: std::fprintf(stderr, unusedCursorKeyMessage, keyChar); break;
    }
}
