// The oscillation watch. A circuit that never settles (a ring of inverters,
// a latch whose inputs rose together) keeps the run loop busy without a
// quiet moment. When `oscillationLimit` events pass without one and without
// a key, the watch looks at which wires changed most in the last eighth of
// them, follows them back from driver to input to find the loop, and, when
// the loop keeps itself going (its wires changed more than twice as often
// as anything entering it from outside), prints once:
//
//   Warning -- no quiet moment after 1000000 events: the circuit oscillates through
//     r[0]: Not at aa, in ring.cpp:12
//     ...
//     The run goes on; without a window only -T or a Stop ends it.
//
// A trail that ends at a free-running clock, a switch or a pulser instead
// is a circuit that is busy, not oscillating: the watch says nothing and
// looks again after twice as many events. The run itself is not changed.
//
// The watch costs the run loop one comparison per cycle; the wires' changes
// are counted only during the eighth before a look, through the loop's
// instrumented advance.
#ifndef KORVAX_OSCILLATION_H
#define KORVAX_OSCILLATION_H

// -O: oscillationLimit (cmdLine.h).

// The run started, restarted, reached a quiet moment or got a key: the
// count of events starts again from here.
void oscillationRestart();
// Called by the run loop when phaseFour->eventsApplied reaches
// phaseFour->oscillationAt: starts counting, or looks at the counts.
void oscillationCheck();
// While counting: wire w changed.
inline void oscillationChange(int w);

extern unsigned int* oscillationChanges;  // per wire: changes counted since counting began

inline void oscillationChange(int w) { oscillationChanges[w]++; }

#endif
