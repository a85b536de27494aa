// The driver: parses the command line, runs the circuit's build function,
// then steps through the phases in their fixed order (arrays, connectivity
// and activation lists, run loop, display) and deletes them again. main is
// its one caller.
#ifndef KORVAX_SIM_H
#define KORVAX_SIM_H

// `build` is the circuit's top-level build function (simnet). Returns the
// program's exit status: 0, or 3 when a test vector failed.
int Sim(int argc, char** argv, void (*build)());

// Prints the key summary and colour legend that start every run, on
// standard output.
void printKeySummary();

#endif
