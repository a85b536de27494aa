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
//
// Each bus is a variable whose reference is its name (NAME#2 … for later
// buses of one name) when that is a reference already: one word of visible
// ASCII characters, '!' to '~', that does not begin with '$'. Other names
// are changed: each byte outside '!' to '~' becomes '_', a leading '$' gets
// a '_' before it, an empty name is "_", and a result that another bus
// already has gets "_2", "_3" … added. The name as declared is then given
// in a $comment before the variable, as a C string.
//
// A write that fails, during the run or when the file is closed, is one
// message on standard error; the run ends (done) and the program's exit
// status is 2.
#ifndef KORVAX_VCD_H
#define KORVAX_VCD_H

#include <cstdio>
#include <string>
#include <vector>

// 1 while a waveform file is being written: the run loop's one test before
// it calls in here.
extern int waveformOpen;

// Opens the file for writing, before the circuit is built; a file that
// cannot be opened is one message on standard error and exit status 2.
// `programName` (argv[0]) names the scope.
void openWaveform(const char* path, const char* programName);
// Writes the header and the values at time 0. Needs phaseTwo and phaseThree.
void beginWaveform();
// The references of buses named `names` (as PhaseTwo::busName gives them),
// in the same order, by the rule above: each one word of '!' to '~' not
// beginning with '$', no two alike, a name that is a reference already and
// not an earlier bus's kept as it is.
std::vector<std::string> waveformReferences(const std::vector<std::string>& names);
// `name` as a C string literal between double quotes, with \" \\ and \xNN
// for '$' and for every byte outside ' ' to '~': the comment can hold no
// white space but blanks and no word beginning with '$'.
std::string quotedName(const std::string& name);
// Writes the header of a file to `out`, from $version to $enddefinitions:
// scope `scope` (a reference already) and one variable per bus, of width
// widths[b], identifier code codes[b], named names[b] (by the rule above).
void writeWaveformHeader(FILE* out, const std::string& scope, const std::vector<std::string>& names,
                         const std::vector<int>& widths, const std::vector<std::string>& codes);
// Identifier code of bus `n` (n >= 0): printable characters, none alike.
std::string waveformCode(int n);
// Wire `signal` is about to change at phaseFour->time (the run loop calls
// this before it stores the new value, so that a step still unwritten is
// written with the values it ended with).
void waveformChange(int signal);
// The run is about to restart at time 0 (called before the reset).
void waveformRestart();
// Writes what is pending and the final time, and closes the file. Safe to
// call more than once and when no file is open. False when the file could
// not be written whole, now or earlier in the run (the message is written
// once, when the failure is found).
bool closeWaveform();

#endif
