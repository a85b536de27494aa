// Why is a wire unknown: -Y NAME[@T]. While the option is on, the run loop
// records for every wire its last few changes (the value, when it came,
// which component asked for it and when), and once the run reaches T (every
// event up to T applied; without @T, the end of the run) the chain of
// causes of each wire of bus NAME that is not ZERO or ONE is printed on
// standard error: the change that set the value, the component that asked
// for it and the values of its inputs then, and so on back along the
// inputs that were unknown, to an origin said in words (an input nothing
// drives, a flip-flop never loaded or loaded while its input was unknown,
// a memory word never written, a tri-state conflict, every tri-state
// buffer off, a switch set from an unknown value, a time warp). A wire met
// twice on one chain is a loop: the chain is cut there and says so.
//
// The record costs a fixed amount per wire, whatever the length of the run
// (nothing per event): 112 bytes, for its last three changes. A cause older than
// what is kept is said to be no longer recorded. Without -Y nothing is
// recorded and the run loop runs its plain passes. A window records too, so
// that Shift with button 1 on a component prints the chains of its outputs
// and outlines the components they name.
#ifndef KORVAX_EXPLAIN_H
#define KORVAX_EXPLAIN_H

#include <vector>

// -Y: explainRequest (cmdLine.h).

// After the netlist is built: finds the bus (a wrong name or time ends the
// program with a message, status 2) and starts recording. Only with -Y.
void startExplaining();
// Allocates the record, sets each wire's driver and turns recording on in
// phaseFour; once only. With -Y, or when a window is open (Shift-click).
void startRecordingCauses();

// The window's Shift-click on component c (display/WindowIn.h,
// explainClick): the chains of its outputs that are not ZERO or ONE now
// (of its inputs, for a component without outputs), or one line saying
// every one is; `chain` gets c and every component the chains name.
// Needs the record.
void explainComponent(int c, std::vector<int>& chain);

// The run loop's calls, only while recording (the changes themselves go
// to the record, Causes.h):
// the run (re)started at time 0: the record is emptied and the chains will
// be printed again at T;
void explainRestart();
// before time advances: prints the chains when the next event is after T.
void explainBeforeAdvance();

// After the run: prints the chains now unless they were printed at T.
void explainAtEnd();

#endif
