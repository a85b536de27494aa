// Window events into event codes: the translation of keys and buttons, and
// Screen::checkEvent, which polls one event and translates it; of an
// exposure it keeps the rectangle for the clipped redraw that phase five
// runs when it is told the batch is complete.
#include "display/WindowEv.h"

#include <cstdio>

#include "StderrBuffer.h"
#include "display/Window.h"

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

void Screen::setCursor(int which) {
    if (display && which >= 0 && which < 10) display->defineCursor(cursor_shape[which]);
}

void Screen::buttonPoint(int x, int y) {
    if (display) display->drawImageText(ctxMain, x, y, "X", 1);
}

void Screen::checkEvent(WindowInput& in) {
    in = WindowInput{noWindowEvent, 0, 0, 0, 0, false};
    if (!display) return;
    flushStandardErrorNowAndThen();
    if (!display->nextEvent(event, false)) return;
    switch (event.kind) {
    case portKeyPress: in.type = translateKey(event.keysym, event.bytes, event.byteCount, in.code); break;
    case portButtonPress:
    case portButtonRelease:
        // A press on the watch panel reaches the window beneath it, at a
        // position past the schematic's pixels: it neither zooms nor
        // explains. A release still ends a drag begun on the schematic.
        if (event.kind == portButtonPress && panelBand > 0 && event.x >= view.xPixels) break;
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
    case portExpose:
        in.type = exposeEvent;
        if (numClips < maxClips)
            clips[numClips++] = PortRect{event.exposeX, event.exposeY, event.exposeW, event.exposeH};
        in.code = event.exposeCount == 0 || numClips == maxClips;
        break;
    case portPanelExpose:
        in.type = panelExposeEvent;
        in.code = event.exposeCount == 0;
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

void Screen::waitForEvent(int timeoutMs) {
    if (!display) return;
    // What the run wrote is on its way before the program sleeps.
    std::fflush(stderr);
    display->waitReadable(timeoutMs);
}
