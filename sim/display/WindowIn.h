// Input in the circuit's and the display's terms: what a typed character, a
// function or cursor key, a mouse button or a pointer motion does. A
// printable character operates the first switch or pulser bound to it; a
// control character maps to a function-key command; the buttons zoom the
// view, directly or through the dashed sub-window. The window's events and
// the -k key string of a headless run both come through here.
#ifndef KORVAX_WINDOWIN_H
#define KORVAX_WINDOWIN_H

#include <vector>

// The event codes of Windex::checkEvent, with what WindowInput then holds.
enum WindowEventType {
    noWindowEvent = 0,       // nothing to act on (none pending, exposure, no character)
    characterEvent = 1,      // code: the typed character as a signed char widened to int
    functionKeyEvent = 2,    // code: the function key's number, 1 … 35
    cursorKeyEvent = 3,      // code: the cursor key's code (CursorKeyCode), Home -1
    buttonPressEvent = 8,    // button, x, y, shift
    buttonReleaseEvent = 9,  // button, x, y
    motionEvent = 10         // x, y (button 1 held)
};

// One window event in the display's terms, as checkEvent translates it and
// windowEventOperate acts on it. Fields the type does not use are 0.
struct WindowInput {
    int type;    // a WindowEventType
    int code;    // character, function key or cursor key: its code (above)
    int button;  // button press or release: the button, 1 …
    int x, y;    // button or motion: the pointer position in window pixels
    bool shift;  // button press: Shift was held
};

// The codes of FunctionKeyOperate. Function key Fn gives code n; the
// control characters and the replayed letters give the codes above 20.
enum FunctionKeyCode {
    restartKey = 1,             // F1: restart at time 0
    linesKey = 2,               // F2: interconnecting lines on/off
    labelsKey = 3,              // F3: component labels on/off
    leadsKey = 4,               // F4: leads and tabs on/off
    lineLabelsKey = 5,          // F5: wire names on leads on/off
    statusLineKey = 6,          // F6: status line on/off (no repaint)
    muxOnlyKey = 7,             // F7: lines to multiplexers only (no repaint)
    superProbesKey = 8,         // F8: super probes on/off
    windowingModeKey = 9,       // F9: windowing mode / direct mode
    quitKey = 10,               // F10: end the run
    panelKey = 11,              // F11: the watch panel shown/hidden (in a window)
    moreDetailKey = 20,         // F20, -F "D": one level deeper
    mostDetailKey = 21,         // F21, -F "E": the deepest level
    leastDetailKey = 24,        // F24, -F "H": level 1
    leastDetailControlKey = 27, // F27, Control-a: level 1
    lessDetailKey = 29,         // F29, Control-n: one level up
    repaintKey = 31,            // F31, Control-l: redraw everything
    mostDetailControlKey = 33,  // F33, Control-z: the deepest level
    moreDetailControlKey = 35,  // F35, Control-m, Return: one level deeper
    lessDetailLetterKey = 37    // -F "U": one level up
};

// The codes of CursorKeyOperate (keysym - 0xFF51; Home is -1).
enum CursorKeyCode {
    slowerKey = 0,     // Left: one stall level more
    fullSpeedKey = 1,  // Up: stall level 0
    fasterKey = 2,     // Right: one stall level less, not below 0
    pauseKey = 3       // Down: halt / continue
};

// The control characters that act as function-key commands.
enum ControlCharacter {
    controlA = 1,   // least detail
    controlL = 12,  // re-paint
    controlM = 13,  // more detail (Return types the same character)
    controlN = 14,  // less detail
    controlS = 19,  // save the view as an SVG picture (in a window)
    controlZ = 26   // most detail
};

// The command code of one character of -F (FunctionKeyCode) or -K
// (CursorKeyCode): its distance from '0'. So the digits 1 … 9 are F1 … F9
// and ':' is F10, and the letters name the level commands: D one level
// deeper, E the deepest, H level 1, U one level up (and K, M, O, Q, S the
// codes of the control characters); for -K, 0 … 3 are the arrow keys. A
// character with no command gives a code that says so when it is used.
inline int replayedKeyCode(char k) { return k - '0'; }

// Handles one typed character `k` (a signed char widened to int): a
// printable one operates its switch (operateSwitchKey, KeySwitch.h), a
// control character maps to its command.
void keyboardInput(int k);

// Acts on one translated window event; noWindowEvent does nothing.
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
