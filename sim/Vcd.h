// Waveform files (-w FILE.vcd): a Value Change Dump of the run, one variable
// per named bus of the circuit, for a waveform viewer.
//
// Times are ticks written as nanoseconds. The values at time 0 come under
// $dumpvars, then every change the run loop applies, at its time; a restart
// (F1) continues the file one tick after the time it left, with every bus
// at its restarted value. Values: ZERO 0, ONE 1, XXX x, HIZ z,
// UNINITIALIZED u. Output goes through a large buffer; the file is
// completed and closed however the program ends (closeWaveform is also
// registered with atexit, and -w makes SIGINT and SIGTERM end the run
// instead of the program).
#ifndef KORVAX_VCD_H
#define KORVAX_VCD_H

// 1 while a waveform file is being written: the run loop's one test before
// it calls in here.
extern int waveformOpen;

// Opens the file for writing, before the circuit is built; a file that
// cannot be opened is one message on standard error and exit status 2.
// `programName` (argv[0]) names the scope.
void openWaveform(const char* path, const char* programName);
// Writes the header and the values at time 0. Needs phaseTwo and phaseThree.
void beginWaveform();
// Wire `signal` is about to change at phaseFour->time (the run loop calls
// this before it stores the new value, so that a step still unwritten is
// written with the values it ended with).
void waveformChange(int signal);
// The run is about to restart at time 0 (called before the reset).
void waveformRestart();
// Writes what is pending and the final time, and closes the file. Safe to
// call more than once and when no file is open.
void closeWaveform();

#endif
