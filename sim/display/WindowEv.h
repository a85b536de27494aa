// Translation of window events into the codes of Windex::checkEvent
// (WindowIn.h, WindowEventType): pure functions of an event's fields, so
// that the mapping of every key and button can be checked without a server.
#ifndef KORVAX_WINDOWEV_H
#define KORVAX_WINDOWEV_H

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
