// Run-time functions of the small-scale library. Evaluators read their
// inputs from phaseThree->currentSignals and restate their output every
// time through the scheduling layer, which ignores a value already
// scheduled; they keep no state beyond the component's `state` word.
#include <cstdio>
#include <cstdlib>

#include "PaneOut.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "RTSigSup.h"
#include "cmdLine.h"
#include "components/ssi.h"

namespace {

const int quickTime = 7;
const int lazyTime = 10;

inline SignalValue valueOf(int wire) { return phaseThree->currentSignals[wire]; }
inline SignalValue dataIn(int c, int p) { return valueOf(phaseTwo->dataInputs[c][p]); }

// The scheduling half of drive, out of line: most evaluations restate the
// value already scheduled, and those should not pay for its code.
__attribute__((noinline)) void driveChange(int out, SignalValue v) {
    phaseFour->signalTransition(out, v, quickTime, lazyTime);
}

// Requests `v` on the component's first output. A gate registered without
// an output (the library does not forbid it) has nothing to drive. A value
// already scheduled is dropped here, as signalTransition would drop it.
inline void drive(int c, SignalValue v) {
    const int out = phaseTwo->runTimeCalls[c].firstOutput;
    if (out >= 0 && phaseThree->wireRecords[out].scheduledSignal != v) driveChange(out, v);
}

// AND is the minimum and OR the maximum in the numeric order of the values.
inline SignalValue minimum(SignalValue a, SignalValue b) { return b < a ? b : a; }
inline SignalValue maximum(SignalValue a, SignalValue b) { return b > a ? b : a; }

// A gate's data inputs folded with `combine` from `v`. The common gate of
// two inputs reads both from its run-time record; wider ones read the pin
// array. The functions folded here do not depend on the order of their
// operands.
template <typename Combine>
inline SignalValue foldData(int c, SignalValue v, Combine combine) {
    const RunTimeCalls& r = phaseTwo->runTimeCalls[c];
    if (r.numberOfDataInputs == 2)
        return combine(combine(v, valueOf(r.firstDataInputs[0])), valueOf(r.firstDataInputs[1]));
    for (int p = 0; p < r.numberOfDataInputs; p++) v = combine(v, dataIn(c, p));
    return v;
}

SignalValue andOfData(int c) {
    return foldData(c, ONE, [](SignalValue a, SignalValue b) { return minimum(a, b); });
}
SignalValue orOfData(int c) {
    return foldData(c, ZERO, [](SignalValue a, SignalValue b) { return maximum(a, b); });
}

// The inverting gates only ever request a definite level or XXX.
inline SignalValue invert(SignalValue v) { return v == ONE ? ZERO : v == ZERO ? ONE : XXX; }

// ZERO or ONE by the parity of the ONEs among the data inputs; XXX as soon
// as one input is neither. XXX absorbs, so the fold gives the same.
inline SignalValue parity(SignalValue v, SignalValue in) {
    if (v == XXX || (in != ZERO && in != ONE)) return XXX;
    return in == ONE ? (v == ZERO ? ONE : ZERO) : v;
}
SignalValue parityOfData(int c) {
    return foldData(c, ZERO, [](SignalValue v, SignalValue in) { return parity(v, in); });
}

// The mixed-polarity gates: control inputs are taken as they are, data
// inputs complemented. The order of the two passes does not change a
// minimum or maximum; it is kept as the gates are defined.
SignalValue minOverControl(int c, SignalValue v) {
    for (int p = 0; p < phaseTwo->numberOfControlInputs[c]; p++)
        v = minimum(v, valueOf(phaseTwo->controlInputs[c][p]));
    return v;
}
SignalValue maxOverControl(int c, SignalValue v) {
    for (int p = 0; p < phaseTwo->numberOfControlInputs[c]; p++)
        v = maximum(v, valueOf(phaseTwo->controlInputs[c][p]));
    return v;
}
SignalValue minOverComplementedData(int c, SignalValue v) {
    for (int p = 0; p < phaseTwo->numberOfDataInputs[c]; p++) v = minimum(v, complement(dataIn(c, p)));
    return v;
}
SignalValue maxOverComplementedData(int c, SignalValue v) {
    for (int p = 0; p < phaseTwo->numberOfDataInputs[c]; p++) v = maximum(v, complement(dataIn(c, p)));
    return v;
}

// The value of the wire whose serial number is integer parameter `k`.
inline SignalValue parameterWire(int c, int k) { return valueOf(phaseTwo->integerParameters[c][k]); }

// Panes fill a quarter of their tile.
const float paneShrink = 0.25f;

inline void paneOf(int c, SignalValue v, bool isProbe) {
    if (paneOut) paneOut->pane(phaseTwo->tile[c], v, isProbe, paneShrink);
}

// The eight inputs of a byte probe, input 0 last; ends the program when the
// probe does not have exactly eight.
void byteValues(int c, SignalValue values[8]) {
    if (phaseTwo->numberOfDataInputs[c] != 8) {
        std::fprintf(stderr, "ERROR -- Probe8 at %s length error: cannot has more than 8 inputs ,you have %d inputs \n",
                     positionString(phaseTwo->rcpos[c]), phaseTwo->numberOfDataInputs[c]);
        // A width error found late: it still names the line that built it.
        sayPlace(phaseTwo->place[c]);
        std::exit(1);
    }
    for (int i = 0; i < 8; i++) values[7 - i] = dataIn(c, i);
}

}  // namespace

// ---- Gates

void and_(int c) { drive(c, andOfData(c)); }
void or_(int c) { drive(c, orOfData(c)); }
void nand(int c) { drive(c, invert(andOfData(c))); }
void nor(int c) { drive(c, invert(orOfData(c))); }
void not_(int c) { drive(c, invert(dataIn(c, 0))); }
void xor_(int c) { drive(c, parityOfData(c)); }
void xnor(int c) {
    SignalValue v = parityOfData(c);
    drive(c, v == ZERO ? ONE : v == ONE ? ZERO : XXX);
}

// With fewer than two inputs there is nothing to compare: XXX.
void multiLevelCompare(int c) {
    if (phaseTwo->numberOfDataInputs[c] < 2) {
        drive(c, XXX);
        return;
    }
    drive(c, dataIn(c, 0) == dataIn(c, 1) ? ONE : ZERO);
}

void iand(int c) { drive(c, minOverComplementedData(c, minOverControl(c, ONE))); }
void inand(int c) { drive(c, complement(minOverControl(c, minOverComplementedData(c, ONE)))); }
void cior(int c) { drive(c, maxOverControl(c, maxOverComplementedData(c, ZERO))); }
void cinor(int c) { drive(c, complement(maxOverControl(c, maxOverComplementedData(c, ZERO)))); }

void tsb(int c) {
    SignalValue in = dataIn(c, 0);
    SignalValue control = valueOf(phaseTwo->controlInputs[c][0]);
    SignalValue out = control == ONE && (in == ZERO || in == ONE) ? in : HIZ;
    phaseFour->tsbSignalTransition(c, phaseTwo->outputs[c][0], out, quickTime, lazyTime);
}

// ---- Inputs

// state 0: before the start-up call, or showing the complement of init;
// state 1: showing init's value.
void toggleSwitch(int c) {
    SignalValue init = parameterWire(c, 0);
    int& state = phaseTwo->state[c];
    drive(c, state == 0 ? init : complement(init));
    state = state == 0 ? 1 : 0;
}

// state 0: the start-up call sets the resting value; state 1: a key press,
// which leaves the resting value and returns to it `duration` later.
void togglePulser(int c) {
    SignalValue init = parameterWire(c, 1);
    int& state = phaseTwo->state[c];
    if (state == 0) {
        drive(c, init);
        state = 1;
        return;
    }
    drive(c, complement(init));
    phaseFour->altSignalTransition(phaseTwo->outputs[c][0], init, phaseTwo->integerParameters[c][0]);
}

// state 0: settle at OFF; 1: waiting for OFF to start the first ON after
// `offset`; 2: ON, waiting to turn OFF after `duration`; 3: OFF, waiting to
// turn ON after period - duration. The clock also sees the XXX of its own
// transitions and ignores them.
void clock_(int c) {
    const int* parameter = phaseTwo->integerParameters[c];
    const int out = phaseTwo->outputs[c][0];
    const SignalValue off = valueOf(parameter[3]);
    const SignalValue on = complement(off);
    const SignalValue now = valueOf(out);
    int& state = phaseTwo->state[c];
    switch (state) {
    case 0:
        drive(c, off);
        state = 1;
        [[fallthrough]];  // the first ON may be due at once
    case 1:
        if (valueOf(out) == off) {
            phaseFour->altSignalTransition(out, on, parameter[1]);
            state = 2;
        }
        break;
    case 2:
        if (now == on) {
            phaseFour->altSignalTransition(out, off, parameter[0]);
            state = 3;
        }
        break;
    case 3:
        if (now == off) {
            phaseFour->altSignalTransition(out, on, parameter[2] - parameter[0]);
            state = 2;
        }
        break;
    }
}

void powerOn(int c) {
    int& state = phaseTwo->state[c];
    if (state != 0) return;
    SignalValue init = parameterWire(c, 1);
    drive(c, init);
    phaseFour->altSignalTransition(phaseTwo->outputs[c][0], complement(init), phaseTwo->integerParameters[c][0]);
    state = 1;
}

void stop(int c) {
    if (dataIn(c, 0) == ONE) done = 1;
}

// ---- Panes

void switchPane(int c) { paneOf(c, valueOf(phaseTwo->outputs[c][0]), false); }

// Without a window a probe reports its value as a line of text instead:
// with -X, and also when no window could be opened, so that a run never
// hides its probes.
void probe(int c) {
    SignalValue v = dataIn(c, 0);
    if (paneOut && paneOut->visible()) {
        paneOf(c, v, true);
        return;
    }
    if (watchLinesFlag) return;  // -P: the watch lines stand for the probes
    std::fprintf(stderr, "Time = %lu  Probe for %s at %s  Value = %s\n", phaseFour->time, phaseTwo->decal[c],
                 positionString(phaseTwo->rcpos[c]), signalValueName(v));
}

void probebyte(int c) {
    SignalValue values[8];
    byteValues(c, values);
    if (paneOut) paneOut->byteColumn(phaseTwo->tile[c], values, paneShrink);
}

void probebyteh(int c) {
    SignalValue values[8];
    byteValues(c, values);
    if (paneOut) paneOut->byteRow(phaseTwo->tile[c], values, paneShrink);
}
