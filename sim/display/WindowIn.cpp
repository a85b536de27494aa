// What the window's input does: typed characters operate switches and
// pulsers or act as control commands, function and cursor keys go to their
// commands, and the mouse zooms, either directly (button 1 marks a corner,
// button 3 zooms to the rectangle up to the second corner, button 2 shows
// the whole schematic) or, in windowing mode, through the dashed
// sub-window (button 1 drags it, moving it from inside and resizing it from
// its border bands; button 2 zooms to it; button 3 shows everything again).
#include "display/WindowIn.h"

#include <cstdio>

#include "KeySwitch.h"
#include "Ph4.h"
#include "display/Ph5.h"
#include "display/Window.h"

void (*explainClick)(int c, std::vector<int>& chain) = nullptr;

int panState = 0;
int lastPanX = 0;
int lastPanY = 0;
int viewXlast = 0;
int viewYlast = 0;

void keyboardInput(int k) {
    // The oscillation watch counts its events from here (it looks at this
    // when it next acts).
    if (phaseFour) {
        phaseFour->keysTyped++;
        phaseFour->lastKeyAt = phaseFour->eventsApplied;
    }
    if (k > 31) {
        operateSwitchKey(k);
        return;
    }
    // Control characters, and characters above 127 (negative here).
    switch (k) {
    case controlA: FunctionKeyOperate(leastDetailControlKey); break;
    case controlL: FunctionKeyOperate(repaintKey); break;
    case controlM: FunctionKeyOperate(moreDetailControlKey); break;
    case controlN: FunctionKeyOperate(lessDetailKey); break;
    case controlZ: FunctionKeyOperate(mostDetailControlKey); break;
    case controlS:
        // Only a window has a view to save; without one the key stays unmapped.
        if (phaseFive->screen->display) {
            phaseFive->savePicture();
            break;
        }
        [[fallthrough]];
    default: std::fprintf(stderr, "Keyboard input:  Control character (int=%d) unmapped.\n", k);
    }
}

namespace {

// Shift with button 1 at pixel (x, y): the chain of causes of the outputs of
// the component there, its components outlined until the next repaint.
void explainAtPixel(int x, int y) {
    PhaseFive& p5 = *phaseFive;
    const int c = p5.componentAtPixel(x, y);
    if (c < 0) {
        std::fprintf(stderr, "Shift-click at %d %d: no component is drawn there.\n", x, y);
        return;
    }
    std::vector<int> chain;
    explainClick(c, chain);
    p5.outlineComponents(chain);
}

// A button press at pixel (x, y). In windowing mode the view changes draw
// no interconnecting lines (their tabs would come from the old view); the
// next repaint draws them.
void buttonPress(int button, int x, int y) {
    PhaseFive& p5 = *phaseFive;
    Screen& w = *p5.screen;
    const bool windowing = p5.newWindowingMode != 0;
    switch (button) {
    case 1:
        if (windowing) {
            panState = w.pointInSubWindow(x, y);
            if (panState) {
                lastPanX = x;
                lastPanY = y;
            }
        } else {
            viewXlast = x;
            viewYlast = y;
        }
        break;
    case 2:
        if (windowing) {
            w.view.subWinToViewWin();
            p5.windowingRedraw(false);
        } else {
            w.view.resetView();
            p5.repaint();
        }
        break;
    case 3:
        if (windowing) {
            w.view.resetView();
            p5.windowingRedraw(true);
        } else {
            w.view.reviseView(viewXlast, viewYlast, x, y);
            p5.repaint();
        }
        break;
    default: break;  // other buttons do nothing
    }
}

}  // namespace

void windowEventOperate(const WindowInput& in) {
    PhaseFive& p5 = *phaseFive;
    Screen& w = *p5.screen;
    const int x = in.x, y = in.y;
    switch (in.type) {
    case noWindowEvent: break;
    case characterEvent: keyboardInput(in.code); break;
    case functionKeyEvent: FunctionKeyOperate(in.code); break;
    case cursorKeyEvent: CursorKeyOperate(in.code); break;
    case buttonPressEvent:
        if (in.button == 1 && in.shift && explainClick)
            explainAtPixel(x, y);
        else
            buttonPress(in.button, x, y);
        break;
    case buttonReleaseEvent:
        if (in.button == 1) {
            panState = 0;
            w.setCursor(0);
        }
        break;
    case motionEvent:
        w.adjustSubWindow(panState, x, y, lastPanX, lastPanY);
        lastPanX = x;
        lastPanY = y;
        break;
    case exposeEvent: p5.exposureRedraw(in.code != 0); break;
    case panelExposeEvent:
        // The last of a batch draws the panel's lines again; the schematic
        // is not touched.
        if (in.code) p5.watchPanel.redraw(w);
        break;
    default: std::fprintf(stderr, "Unused EventType = %d keyChar = %d\n", in.type, in.code); break;
    }
}

int anyWindowEvents() {
    WindowInput in;
    phaseFive->screen->checkEvent(in);
    if (in.type == noWindowEvent) return 0;
    windowEventOperate(in);
    return in.type != exposeEvent && in.type != panelExposeEvent;
}
