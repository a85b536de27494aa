// The medium-scale library: combinational units (adder, incrementer,
// multiplexer, decoder, priority encoder, clock gate), clocked units
// (counter, D and JK flip-flops, registers) and the text outputs that let a
// circuit write on standard error (Stderr, IntOut, HexOut).
//
// Each component is a constructor, called by circuit code while the netlist
// is built, and an evaluator, called by the run loop with the component's
// index. A constructor checks its bus widths; each failed check writes one
// line naming the component and adds 1 to phaseOne->fatalDiagnosticCount,
// and the component is registered all the same (the count stops the program
// when phase one ends). Evaluators request every output change through
// phaseFour->signalTransition with delays 13 (quick) and 17 (lazy); the text
// outputs drive no signals.
//
// Bus positions follow the concatenation rule: in (a, b) the bits of b take
// the low positions. Position 0 is the least significant bit wherever a bus
// is read as a number. "Unknown" below means neither ZERO nor ONE. Where an
// input bus packs several signals, the comment gives the expression circuit
// code writes: the list of positions read backwards.
//
// Every constructor's last parameter, `at`, is left to its default by
// circuit code: it records the caller's line, which width reports and the
// connectivity warnings name.
#ifndef KORVAX_MSI_H
#define KORVAX_MSI_H

#include "Schmtc.h"
#include "Signal.h"

// Ripple adder without carry in or out: dataIn is 2w bits, [0 .. w-1] the
// first operand and [w .. 2w-1] the second; out (w bits) the sum modulo
// 2^w. Unknown operand bits give XXX where the sum cannot be known.
void Adder(const SD& sd, const Signal& dataIn, const Signal& out, SourcePlace at = SourcePlace());
// out = in + 1 over the width of out (in must be at least as wide); an
// unknown bit under the carry gives XXX there, bits above the carry are
// copied as they are.
void Increment(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
// out (w bits) = group s of dataIn (2^k groups of w bits, group g at
// positions g*w …), s the value of controlIn (k bits); XXX for an unknown s.
void Mux(const SD& sd, const Signal& controlIn, const Signal& dataIn, const Signal& out,
         SourcePlace at = SourcePlace());
// out (2^k bits) is one-hot at the value of dataIn (k bits) while the
// one-bit enable controlIn is ONE, all ZERO while it is ZERO, else XXX.
void Decoder(const SD& sd, const Signal& controlIn, const Signal& dataIn, const Signal& out,
             SourcePlace at = SourcePlace());
// Priority encoder: out (k bits) the highest ONE position of dataIn (2^k
// bits), valid ONE when there is one; any unknown input makes all XXX.
void Encoder(const SD& sd, const Signal& dataIn, const Signal& out, const Signal& valid,
             SourcePlace at = SourcePlace());
// Clock gate: in [0] clock, [1] enable; out follows a clock pulse that
// began while enable was ONE.
void Gate(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());

// Ripple counter: in [0] count clock (counts on its falling edge), [1]
// clear (active ZERO); out the count, any width.
// Written Counter(sd, (clear, clock), count).
void Counter(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
// D flip-flop: in [0] clear, [1] clock (rising edge), [2] D, [3] set;
// clear and set active ONE. out is Q.
// Written Dff(sd, (set, d, clock, clear), q).
void Dff(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
// Master-slave JK flip-flop: in [0] clear, [1] K, [2] clock, [3] J, [4]
// set; J and K sampled at the rising clock edge, outputs changed at the
// falling one. out [0] not-Q, [1] Q.
// Written Jkff(sd, (set, j, clock, k, clear), (q, notQ)).
void Jkff(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
// Parallel-load register: out loads dataIn on the rising edge of write
// while enable is ONE; enable and write one bit each, dataIn and out of the
// same width. Each signal is its own argument: Register(sd, enable, write,
// data, out).
void Register(const SD& sd, const Signal& enable, const Signal& write, const Signal& dataIn, const Signal& out,
              SourcePlace at = SourcePlace());
// 2^n-bit register written one bit at a time: bitIn stored at writeAddress
// on a write edge while enable is ONE; bitOut shows the bit at readAddress;
// registerOut all bits. clear and set (active ONE) act on every bit. Each
// signal is its own argument, in this order; the address buses have the
// same width n and registerOut 2^n bits.
void BitAddressibleRegister(const SD& sd, const Signal& clear, const Signal& set, const Signal& enable,
                            const Signal& write, const Signal& bitIn, const Signal& writeAddress,
                            const Signal& readAddress, const Signal& bitOut, const Signal& registerOut,
                            SourcePlace at = SourcePlace());

// Writes one character on standard error per rising edge of the strobe seen
// while enable is ONE. in (10 bits): [0 .. 7] the code, [8] strobe, [9]
// enable. Control codes are written as ^X, codes above 127 with a leading |,
// code 10 as a line end.
void Stderr(const SD& sd, const Signal& in, SourcePlace at = SourcePlace());
// Writes data (any width, read as an unsigned number, exactly) as a decimal
// number and a line end, per strobe edge while enabled. control: [0]
// strobe, [1] enable.
void IntOut(const SD& sd, const Signal& control, const Signal& data, SourcePlace at = SourcePlace());
// Writes data as lower-case hexadecimal digits, no line end, per strobe edge
// while enabled; a group with unknown bits gets the error report instead.
void HexOut(const SD& sd, const Signal& control, const Signal& data, SourcePlace at = SourcePlace());

// The evaluators, called by the run loop with the component's index.
void adder(int cind);
void increment(int cind);
void mux(int cind);
void decoder(int cind);
void encoder(int cind);
void gate(int cind);
void counter(int cind);
void dff(int cind);
void jkff(int cind);
void enabledRegister(int cind);
void bitAddressibleRegister(int cind);
void _stderr(int cind);
void intOut(int cind);
void hexOut(int cind);

#endif
