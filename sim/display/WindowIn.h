// Input in the circuit's and the display's terms: what a typed character, a
// function or cursor key, a mouse button or a pointer motion does. A
// printable character operates the first switch or pulser bound to it; a
// control character maps to a function-key command; the buttons zoom the
// view, directly or through the dashed sub-window. The window's events and
// the -k key string of a headless run both come through here.
#ifndef KORVAX_WINDOWIN_H
#define KORVAX_WINDOWIN_H

#include <vector>

#include "display/WindowEv.h"

// Handles one typed character `k` (a signed char widened to int): a
// printable one operates its switch (operateSwitchKey, KeySwitch.h), a
// control character maps to its command.
void keyboardInput(int k);

// Handles at most one pending window event without blocking; 1 if it
// handled one, 0 if none was pending (always 0 without a display). An
// exposure is redrawn here and counts as none, so that a loop over the
// pending events ends at it.
int anyWindowEvents();

// Function-key and control-key commands by code: restart, exit, display
// flags and detail level. Unknown codes only print a message.
void FunctionKeyOperate(int keyChar);
// Arrow-key commands by code: slower, full speed, faster, pause/continue.
// Unknown codes only print a message.
void CursorKeyOperate(int keyChar);

// Acts on one translated window event; noWindowEvent does nothing, an
// exposure runs phase five's redraw for it (PhaseFive::exposureRedraw,
// the panel's lines for the panel's).
// Shift with button 1 explains the component under the pointer through
// explainClick; without it, it is a plain button 1.
void windowEventOperate(const WindowInput& in);

// Prints on standard error the chain of causes of the outputs of component
// c, as they are now, and adds to `chain` every component the chain names,
// c first. The display cannot reach the explanations, which lie above it;
// the program that ties the two together sets this (null: none).
extern void (*explainClick)(int c, std::vector<int>& chain);

// The pointer's state between events, all 0 at start.
extern int panState;   // sub-window region where the button-1 drag began (0: no drag)
extern int lastPanX;   // last pointer position of that drag, pixels
extern int lastPanY;
extern int viewXlast;  // direct mode: the last button-1 press, pixels
extern int viewYlast;

#endif
