// Window events into event codes: the translation of keys and buttons, and
// Windex::checkEvent, which polls one event and handles exposures itself
// (they redraw and give no code).
#include "display/WindowEv.h"

#include <cstdio>

#include "StderrBuffer.h"
#include "display/Ph5.h"
#include "display/Window.h"
#include "display/WindowIn.h"

int translateKey(unsigned long keysym, const char* bytes, int count, int& keyChar) {
    keyChar = static_cast<int>(keysym);
    if (keysym >= firstFunctionKeysym && keysym <= lastFunctionKeysym) {
        keyChar = static_cast<int>(keysym - (firstFunctionKeysym - 1));
        return functionKeyEvent;
    }
    if (keysym >= firstCursorKeysym && keysym <= lastCursorKeysym) {
        keyChar = static_cast<int>(keysym) - static_cast<int>(firstCursorKeysym + 1);
        return cursorKeyEvent;
    }
    if (count != 1) return noWindowEvent;
    keyChar = static_cast<signed char>(bytes[0]);
    return characterEvent;
}

void Windex::setCursor(int which) {
    if (display && which >= 0 && which < 10) display->defineCursor(cursor_shape[which]);
}

void Windex::buttonPoint(int x, int y) {
    if (display) display->drawImageText(ctxMain, x, y, "X", 1);
}

void Windex::checkEvent(WindowInput& in) {
    in = WindowInput{noWindowEvent, 0, 0, 0, 0, false};
    if (!display) return;
    flushStandardErrorNowAndThen();
    if (!display->nextEvent(event, false)) return;
    switch (event.kind) {
    case portKeyPress: in.type = translateKey(event.keysym, event.bytes, event.byteCount, in.code); break;
    case portButtonPress:
    case portButtonRelease:
        in.type = event.kind == portButtonPress ? buttonPressEvent : buttonReleaseEvent;
        in.button = static_cast<int>(event.button);
        in.x = event.x;
        in.y = event.y;
        in.shift = event.kind == portButtonPress && event.shift;
        break;
    case portMotion:
        in.type = motionEvent;
        in.x = event.x;
        in.y = event.y;
        break;
    case portExpose: expose(event.exposeX, event.exposeY, event.exposeW, event.exposeH, event.exposeCount); break;
    case portPanelExpose:
        // The last of a batch draws the panel's lines again; the schematic
        // is not touched.
        if (event.exposeCount == 0) phaseFive->watchPanel.redraw(*this);
        break;
    case portCloseRequest:
        // The window manager's close button: the run ends as with F10,
        // normally.
        in.type = functionKeyEvent;
        in.code = quitKey;
        break;
    default: break;  // a keymap change (the port has refreshed it) or anything else
    }
}

void Windex::expose(int x, int y, int w, int h, int count) {
    if (!display) return;
    if (numClips < maxClips) clips[numClips++] = PortRect{x, y, w, h};
    if (count == 0 || numClips == maxClips) {
        // Only the main context is clipped; the panes' value fills are not.
        PhaseFive& p5 = *phaseFive;
        display->setClipRectangles(clips, numClips);
        p5.drawSchematic();
        if (p5.newWindowingMode && p5.interconnectFlag) p5.connect();
        p5.drawPanes();
        drawSubWindow();
        display->clearClip();
        numClips = 0;
        readWindowSize();
    }
    repaint();
}

void Windex::waitForEvent(int timeoutMs) {
    if (!display) return;
    // What the run wrote is on its way before the program sleeps.
    std::fflush(stderr);
    display->waitReadable(timeoutMs);
}
