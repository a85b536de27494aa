// The driver: parses the command line, runs the circuit's build function,
// then steps through the phases in their fixed order (arrays, connectivity
// and activation lists, run loop, display) and deletes them again. main is
// its one caller.
#ifndef KORVAX_SIM_H
#define KORVAX_SIM_H

// `build` is the circuit's top-level build function (simnet). Returns the
// program's exit status: 0, or 3 when a test vector failed.
int Sim(int argc, char** argv, void (*build)());

// Phases two and three for the circuit registered in phase one, in their
// fixed order: the netlist arrays, the end of phase one (which ends the
// program with status 1 when fatal diagnostics were counted, and otherwise
// prints the component and signal counts), the connectivity check and the
// activation lists. The one start-up sequence of the netlist: Sim, the
// tests and the benchmarks all build theirs through it.
void buildNetlist();

// Prints the key summary and colour legend that start every run, on
// standard output.
void printKeySummary();

#endif
