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
#include "display/SubWindowBand.h"
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
        if (phaseFive->windexPointer->display) {
            phaseFive->windexPointer->savePicture();
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
    Windex& w = *p5.windexPointer;
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
            w.subWinToViewWin();
            p5.windowingRedraw(false);
        } else {
            w.resetView();
            w.repaint();
        }
        break;
    case 3:
        if (windowing) {
            w.resetView();
            p5.windowingRedraw(true);
        } else {
            w.reviseView(viewXlast, viewYlast, x, y);
            w.repaint();
        }
        break;
    default: break;  // other buttons do nothing
    }
}

}  // namespace

void windowEventOperate(const WindowInput& in) {
    Windex& w = *phaseFive->windexPointer;
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
    default: std::fprintf(stderr, "Unused EventType = %d keyChar = %d\n", in.type, in.code); break;
    }
}

int anyWindowEvents() {
    Windex& w = *phaseFive->windexPointer;
    WindowInput in;
    w.checkEvent(in);
    if (in.type == noWindowEvent) return 0;
    windowEventOperate(in);
    return 1;
}

int Windex::pointInSubWindow(int x, int y) {
    const int code =
        subWindowBand(x, y, xScale(subWinXs), yScale(subWinYs), xScale(subWinXe), yScale(subWinYe));
    setCursor(code);
    return code;
}

void Windex::adjustSubWindow(int state, int xn, int yn, int xo, int yo) {
    // No pixels, no motion to measure (and nothing to divide by).
    if (state < 0 || state > 9 || xPixels <= 0 || yPixels <= 0) return;
    // Single precision, product before quotient.
    const float dx = worldExtent(viewXs, viewXe) * static_cast<float>(xn - xo) / static_cast<float>(xPixels);
    const float dy = worldExtent(viewYs, viewYe) * static_cast<float>(yn - yo) / static_cast<float>(yPixels);
    auto moved = [](int edge, float d) { return truncateToInt(static_cast<float>(edge) + d); };
    drawSubWindow();  // XOR: removes the old outline
    const BandEdges m = bandEdges(state);
    if (m.left) subWinXs = moved(subWinXs, dx);
    if (m.top) subWinYs = moved(subWinYs, dy);
    if (m.right) subWinXe = moved(subWinXe, dx);
    if (m.bottom) subWinYe = moved(subWinYe, dy);
    drawSubWindow();
}
