// Keyboard input in the circuit's terms: what a typed character does. A
// printable character operates the first switch or pulser bound to it; a
// control character maps to a function-key command. The window's key events
// and the -k key string of a headless run both come through here.
#ifndef KORVAX_WINDOWIN_H
#define KORVAX_WINDOWIN_H

// Handles one typed character `k` (a signed char widened to int).
void keyboardInput(int k);

// The -k key string of this run, typed one key at each quiet moment: null
// when -k was not given. See PhaseFour::run.
extern const char* KeyboardOperateString;

#endif
