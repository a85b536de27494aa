// The timing report of -R: what the circuit is made of, its longest path
// and how fast its clocks may run, worked out from the netlist alone
// (nothing is simulated).
//
// A path runs from the output of a switch, clock, pulser, power-on pulse or
// clocked component (flip-flop, register, counter) through combinational
// components (gates, tri-state buffers, adders, multiplexers, decoders,
// encoders, clock gates, ROMs, and memories from read address to read
// word) to an input of a clocked component, a memory or a probe. Its
// length is the sum of the lazy delays of the components it passes, the
// time after which their outputs have settled: 10 ticks for a small-scale
// component, 17 medium, 23 for a ROM, 10 for a memory's read. A
// component on a combinational loop, or fed by one, is left out and
// counted.
//
// Clocks: each clocked component is clocked by the source found by
// following its clock input back along the slowest path (through inverting
// gates the edge turns over). For each source the report gives the
// shortest high time, low time and period that let every value launched
// by one edge settle before the edge that samples it: the launching
// component's own delay (17 for the medium-scale kinds) plus the path,
// less the clock's own delay to the sampling component. For a Clock it
// also says whether the Clock as built runs slowly enough; a Clock made
// with Clock(sd, out, duration, offset, period, Zero) stays ONE for
// duration + 9 ticks and ZERO for period - duration + 9.
#ifndef KORVAX_TIMING_H
#define KORVAX_TIMING_H

// -R: timingReportFlag (cmdLine.h).

// Prints the report on standard output. Needs phases two and three.
void printTimingReport();

#endif
