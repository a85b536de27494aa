// The record of causes behind -Y: for every wire its last few applied
// changes (the value, when it came, whether it was the last one queued and
// how long before it was queued), who drives it, and the rarer facts of
// time warps and refused tri-state buffers. The run loop and the scheduling
// layer write it while phaseFour->instrumented has recordingInstrument;
// the chains of causes (Explain.h) read it. Without -Y it is never
// allocated.
//
// The record costs a fixed amount per wire, whatever the length of the
// run: one cache line plus the rarer part.
#ifndef KORVAX_CAUSES_H
#define KORVAX_CAUSES_H

#include <climits>

#include "Signal.h"

// Changes kept per wire.
const int historyLength = 3;
// A time not known (a time warp never happened, …).
const unsigned long unknownTime = ULONG_MAX;
// WireRecordOfCauses::driver of a wire that tri-state buffers share.
const int sharedWire = -2;


struct Change {
    unsigned long time;          // when the wire took the value
    unsigned int sinceQueued;    // ticks since the wire record's time of queueing then (saturating)
    unsigned char value;         // a SignalValue
    bool lastQueued;             // the change was the last one queued for the wire:
                                 // time - sinceQueued is when it was asked for
    bool warped;                 // the event was moved by a time warp
    bool saturated;              // sinceQueued would not fit
};

// One wire's record in one cache line, so that recording a change touches
// no other: the header and the last changes. Who asked for a change is
// read from `driver`, or for a shared wire from the owners kept apart.
struct alignas(64) WireRecordOfCauses {
    unsigned int changes;            // changes since the (re)start
    int driver;                      // its one driver, -1 when nothing drives it, or sharedWire
    unsigned long warpMoved;         // the time its last time warp moved a change to, or unknownTime
    Change history[historyLength];   // ring: the last changes
};

static_assert(sizeof(WireRecordOfCauses) == 64, "a wire's record of causes is one cache line");

// Per wire, what is rarely needed: the owners of a shared wire at its
// last changes, the time its last time warp was asked for, and the last
// refusal of a tri-state buffer.
struct WireRarities {
    int owner[historyLength];  // per change slot: the owner of a shared wire then
    unsigned long warpAsked;   // when the change its last time warp moved was asked for
    int refusedBy;             // the buffer refused, or -1
    unsigned long refusedAt;   // when
    SignalValue refusedValue;  // what it asked for
};
static_assert(sizeof(WireRarities) <= 48, "the rarer part of a wire's record");

// Per wire, or null before allocateCauses.
extern WireRecordOfCauses* causeRecords;
extern WireRarities* causeRarities;

// Allocates the record for `signals` wires, nothing recorded and every
// wire's `driver` -1 until the caller sets it.
void allocateCauses(int signals);

// The run (re)started at time 0: the record is emptied.
void recordRestart();
// An event changes wire w to v (the run loop, while recording).
void recordEvent(int w, int v);
// The scheduling layer's cold paths: a change of wire w queued for
// `asked` was moved to `moved`; a tri-state buffer c was refused driving
// wire w to v.
void recordTimeWarp(int w, unsigned long asked, unsigned long moved);
void recordRefusal(int c, int w, int v);

#endif
