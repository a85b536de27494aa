// Out of memory, anywhere in the program: one line on standard error,
// "Out of memory", and exit status 1. The end goes through exit, so that
// what is registered with atexit still runs: the waveform file is closed
// with what it had and the test vectors' summary is printed. A reserve
// taken at start-up is given back first, for that way out.
#ifndef KORVAX_OUTOFMEMORY_H
#define KORVAX_OUTOFMEMORY_H

// Takes the reserve and makes outOfMemory the new handler, so that every
// operator new that cannot be served ends the program here. Call once, at
// the start of main.
void handleOutOfMemory();

// Ends the program as above; for allocations through malloc and its kin,
// whose callers test for null. Running out again on the way out (in an
// atexit function) ends the program at once, streams flushed, status 1.
[[noreturn]] void outOfMemory();

#endif
