// Run-time signal helpers for evaluators: the five-valued complement,
// reading a group of wires as a number, and packing wire values two bits
// apiece into 32-bit words (the memories' storage) and back. All read the
// present values in phaseThree->currentSignals.
#ifndef KORVAX_RTSIGSUP_H
#define KORVAX_RTSIGSUP_H

#include <string>

#include "Signal.h"

// ZERO <-> ONE, UNINITIALIZED <-> XXX; HIZ and anything else give HIZ.
SignalValue complement(SignalValue sv);

// The unsigned number formed by the wires `inputs[0 … numberOfBits-1]`,
// least significant first, or -1 when any of them is not ZERO or ONE. A
// 32-bit result holds at most 32 inputs: more also give -1.
int integerFromSignals(int numberOfBits, const int* inputs);

// Packs the present values of wires `inputs[0 … numberOfSignals-1]` into
// the words from `packed32BitFileWordStart`: value i in word i/16 at bit
// 2*(i%16), coded UNINITIALIZED 0, ZERO 1, ONE 2, XXX 3. HIZ has no code of
// its own and is stored as XXX. Clears (numberOfSignals-1)/16+1 words
// first, so a count of 0 still clears one.
void packSignals(int numberOfSignals, const int* inputs, unsigned int* packed32BitFileWordStart);

// The reverse of packSignals: writes numberOfSignals values to sigVals.
void unpackSignals(int numberOfSignals, const unsigned int* packed32BitFileWordStart, SignalValue* sigVals);

// The unsigned number whose bit i is ONE where values[i] is (i < n; every
// other value counts as ZERO), in decimal, exactly for any width, into
// `text` (replacing what it held). IntOut prints with it and test vectors
// show a bus's value with it. The number is built from the top bit down in
// limbs of nine decimal digits; the limbs and `text` keep their storage
// between calls, so only a wider number than any before allocates.
void decimalText(int n, const SignalValue* values, std::string& text);

#endif
