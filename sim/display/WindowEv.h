// Window events in the display's terms: the event codes and the commands'
// key codes, and the translation of a key press into them, a pure function
// of the event's fields, so that the mapping of every key can be checked
// without a server. Screen::checkEvent (Window.h) translates the events it
// reads; WindowIn.h acts on them.
#ifndef KORVAX_WINDOWEV_H
#define KORVAX_WINDOWEV_H

// The event codes of Screen::checkEvent, with what WindowInput then holds.
enum WindowEventType {
    noWindowEvent = 0,       // nothing to act on (none pending, no character)
    characterEvent = 1,      // code: the typed character as a signed char widened to int
    functionKeyEvent = 2,    // code: the function key's number, 1 … 35
    cursorKeyEvent = 3,      // code: the cursor key's code (CursorKeyCode), Home -1
    buttonPressEvent = 8,    // button, x, y, shift
    buttonReleaseEvent = 9,  // button, x, y
    motionEvent = 10,        // x, y (button 1 held)
    exposeEvent = 12,        // code 1: the collected exposures are due for their clipped redraw
    panelExposeEvent = 13    // code 1: the last exposure of the watch panel's batch
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

// The keysyms of the key ranges checkEvent tells apart.
const unsigned long firstFunctionKeysym = 0xFFBE;  // F1; F35 is 0xFFE0
const unsigned long lastFunctionKeysym = 0xFFE0;
const unsigned long firstCursorKeysym = 0xFF50;  // Home; Left is 0xFF51
const unsigned long lastCursorKeysym = 0xFF5F;

// A key press: `keysym` is the key's unshifted keysym, `bytes` and `count`
// what the keyboard mapping makes of the press with its modifiers. Returns
// the event code and sets keyChar: a function key F1 … F35 gives
// functionKeyEvent with its number; a keysym 0xFF50 … 0xFF5F gives
// cursorKeyEvent with keysym - 0xFF51; otherwise exactly one byte gives
// characterEvent with that byte as a signed char, and anything else
// noWindowEvent. The key ranges go by the unshifted keysym, so modifiers
// change characters but not function and cursor keys.
int translateKey(unsigned long keysym, const char* bytes, int count, int& keyChar);

#endif
