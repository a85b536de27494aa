// Keys typed into the circuit: the lookup from a printable character to the
// switch or pulser bound to it. The window's keys, the -k key string and the
// keys of test vectors all operate the circuit's switches through here; the
// control characters are the display's commands (display/WindowIn.h).
#ifndef KORVAX_KEYSWITCH_H
#define KORVAX_KEYSWITCH_H

// Operates the first switch or pulser bound to the printable character `k`
// (above 31), in registration order (activationsFromWindow): calls its
// xEventTriggered, or writes "Keyboard input maps to a component, but no
// function exists" when it has none. A character bound to nothing writes
// the message "Keyboard input:  Character (char=…,int=…) with no
// corresponding component activation defined.". Needs phaseTwo.
void operateSwitchKey(int k);

#endif
