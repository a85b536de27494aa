// Watches: bus values shown as numbers or text instead of one wire at a time.
//
// Circuit code declares a watch with Watch("label", bus, format) while it
// builds: a label, the bus's wires and how to show them (hexadecimal,
// decimal, signed, binary, or a function of the bus's value that returns
// text). A watch is no component and no wire: the netlist, its counts, the
// events and every transcript are the same with or without it. The watch
// list below is a plain array that any display can walk.
//
// With -P (headless or not) the run prints one line of every watch on
// standard error, "Time = 120  PC=0005  Reg1=FFFE …", at each quiet moment
// where a watch's text changed (the first quiet moment always), and the
// probe lines are left out. -e WIRE samples at each rising edge of the
// one-wire bus WIRE instead (the moment it becomes ONE), for circuits that
// never settle. In a window the watches are sampled at the same moments
// without -P as well, printing nothing, so that the circuit's samplers keep
// up with the run and the watch panel (display/WatchPanel.h) shows them
// right whenever it is opened. Headless, without -P and -e, nothing here
// runs during the simulation.
#ifndef KORVAX_WATCH_H
#define KORVAX_WATCH_H

#include <string>
#include <vector>

#include "Signal.h"
#include "SourcePlace.h"

// How a watch shows its bus.
enum WatchFormat {
    WATCH_HEX,      // hexadecimal digits, as many as the width needs: "00FE"
    WATCH_DECIMAL,  // unsigned decimal
    WATCH_SIGNED,   // two's complement of the bus's width: "-2"
    WATCH_BINARY    // one letter per wire, most significant first: "01X0"
};

// A watch's own formatter: the bus's value as a number (its position 0 is
// bit 0) into text. Called only when every wire is ZERO or ONE; otherwise
// the watch shows its hexadecimal form, where a digit with a wire of another
// value shows that wire's letter (U, X or Z). The text must stay valid until
// the next call (a literal, or a buffer of the formatter's own).
typedef const char* (*WatchText)(unsigned long value);

// One watch of the list.
struct WatchEntry {
    std::string label;       // as declared
    std::vector<int> wires;  // serial numbers, position 0 first
    WatchFormat format;      // used when `text` is null
    WatchText text;          // the watch's own formatter, or null
};

// Every watch, in declaration order.
extern std::vector<WatchEntry> watchList;

// Declares a watch of `bus`. A bus of no wires, or one of more than 64 wires
// in a numeric format or with a formatter, is reported with the caller's
// line and ends the program with status 1.
void Watch(const char* label, const Signal& bus, WatchFormat format = WATCH_HEX, SourcePlace at = SourcePlace());
void Watch(const char* label, const Signal& bus, WatchText text, SourcePlace at = SourcePlace());

// Watch `w`'s present text, from phaseThree's present values.
std::string watchText(int w);

// Functions a circuit adds to run at every sample of the watches, before
// the line is made (`edge`: sampled at a rising edge of -e's wire, not at a
// quiet moment), and once after the run. The samplers run with -P or -e and
// in a window; the finishers only with -P or -e.
void addWatchSampler(void (*sampler)(bool edge));
void addWatchFinisher(void (*finisher)());

// The serial number of -e's wire, or -1: the run loop's one test.
extern int watchEdgeWire;

// Finds -e's wire among the circuit's buses; a name that is not a bus, or a
// bus not one wire wide, is one message and exit status 2. Needs phaseTwo.
void resolveWatchEdge();
// A quiet moment of the run, without -e (with -P, or in a window): samples
// the watches, printing the line only with -P.
void watchesAtQuietMoment();
// Time has advanced: with -e, samples the watches if its wire became ONE;
// true when it did.
bool watchesAfterAdvance();
// Restarts the edge detection (a run or restart begins).
void watchesRestart();
// After the run, with -P or -e: runs the finishers.
void finishWatches();

#endif
