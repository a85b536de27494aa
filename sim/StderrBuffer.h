// Standard error through a buffer. Without a window every probe line and
// every character of text output goes to standard error, which the C
// library leaves unbuffered: one system call per line, most of the time of
// a headless run whose output goes to a file. When standard error is not a
// terminal, bufferStandardError gives it a 64 KiB buffer instead.
//
// What a user sees does not change. Standard output is written only through
// code that calls beforeStandardOutput first and flushes standard output
// after, so the two streams reach a shared file or pipe in the order they
// were written. The buffer is emptied at every way out: a return from main
// and exit flush every stream; an interrupt, hang-up or termination signal
// writes what is pending and then ends the program as the signal would.
// On a terminal nothing changes at all.
#ifndef KORVAX_STDERRBUFFER_H
#define KORVAX_STDERRBUFFER_H

#include <cstdio>

// Buffers standard error when it is not a terminal. Call once, before
// anything is written to it.
void bufferStandardError();

// Writes what standard error holds; call before writing to standard output.
inline void beforeStandardOutput() { std::fflush(stderr); }

// While a window is open the program may run for hours: lines must reach a
// file or pipe while the user watches, not at the end. Writes what standard
// error holds when the last such write was at least 100 ms ago. One reading
// of a coarse clock when there is nothing to do; the window's servicing calls
// it (a run without a window never does, and keeps its throughput).
void flushStandardErrorNowAndThen();

#endif
