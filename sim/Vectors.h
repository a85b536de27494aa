// Test vectors (-v FILE): a table of expected bus values, checked while the
// circuit runs.
//
// Each line of the file is a step and one or more expectations NAME=VALUE.
// A step is keys typed one per quiet moment, as -k types them ("-" for no
// key), or @T, simulation time T. The line's expectations are checked at the
// first quiet moment after its last key, or once every event up to T has
// been applied. Standard output gets "ok N" or one "FAIL N: …" line per
// failed expectation, then "<N> passed, <M> failed".
//
// The file is read and its syntax checked before the circuit is built, its
// names and widths checked against the circuit's buses before the run; any
// fault there is one message on standard error and exit status 2. So is an
// @T step that the run has already passed when it comes to it (after key
// lines that took the run beyond T).
#ifndef KORVAX_VECTORS_H
#define KORVAX_VECTORS_H

#include <cstdio>
#include <string>

#include "Signal.h"

// Where korvax-run also writes every result line (ok, FAIL, the summary)
// for korvax-check, which trusts nothing else; null otherwise.
extern FILE* vectorsVerdict;

// 1 while the run has vector lines left to check: the run loop's one test
// before it calls in here.
extern int vectorsPending;

// Reads the file and checks its syntax; exits with status 2 on a fault.
void loadTestVectors(const char* path);
// The same for a file's text, as read from `path` (which only names it in
// messages). Replaces any lines read before.
void parseTestVectors(const std::string& text, const char* path);
// Finds every expectation's bus among phaseTwo's buses and checks that its
// value fits; exits with status 2 on a fault. Needs phaseTwo. Unless
// `willRun` (-E), nothing is checked and nothing more printed.
void resolveTestVectors(bool willRun);
// The run reached a quiet moment: gives the current line's next key in
// `key`, true, for the caller to type (display/WindowIn.h, keyboardInput),
// or checks the lines that are due and gives false. Once the last line is
// checked the summary follows and, when `windowless`, the run is ended
// (done = 1).
bool vectorsAtQuietMoment(bool windowless, int& key);
// Before the run loop advances time with events pending: checks the @T
// lines whose time T comes before the next event.
void vectorsBeforeAdvance(bool windowless);
// After the run: the lines not reached fail as such and the summary is
// printed, unless that was done already (an empty file: "0 passed, 0
// failed"). Returns the exit status, 0 when
// every line passed (or no vectors were given), otherwise 3. Safe to call
// more than once; also called when the program exits early.
int finishTestVectors();

// How a fault of the vectors file ends the program: vectorsExit(2), which is
// exitProgram. The fuzz target puts in a hook that hands control back to it.
extern void (*vectorsExit)(int status);

// One expectation on its own, as a line of the file would check it: VALUE
// as written for a bus NAME of `width` wires whose present values are
// `wires[0 … width-1]` (position 0 first). Faults of the value (malformed,
// wrong for the width) are reported as for the file, at line `lineNumber`.
// Returns whether it holds; when it does not, `seen` gets the bus's value
// written the way VALUE was.
bool expectationHolds(const std::string& name, const std::string& value, const SignalValue* wires, int width,
                      std::string& seen, int lineNumber = 1);

#endif
