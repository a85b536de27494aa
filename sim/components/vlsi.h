// The large-scale library: a multi-port read/write memory in two flavours,
// RegisterFile (address 0 always reads ZERO) and Ram, sharing the evaluator
// multiPortRam, and a read-only memory, Rom.
//
// Constructors check the buses against their geometry arguments; a failed
// check is reported on standard error and counted in
// phaseOne->fatalDiagnosticCount, and the component is registered all the
// same. The read/write memory keeps its words in its internal 32-bit
// variables, two bits per stored bit, cleared at its first evaluation of
// every run; its read results are posted to the event heap 10 ticks ahead,
// bypassing the scheduling layer. The ROM requests its outputs through
// signalTransition with delays 17 (quick) and 23 (lazy).
//
// Every constructor's last parameter, `at`, is left to its default by
// circuit code: it records the caller's line, which width reports and the
// connectivity warnings name.
#ifndef KORVAX_VLSI_H
#define KORVAX_VLSI_H

#include <cstddef>
#include <type_traits>

#include "Schmtc.h"
#include "Signal.h"

// The contents handed to a Rom: an array, whose length the Rom checks
// against its size, or a bare pointer, which is taken on trust as before
// (only a null one is refused). Circuit code never names this type: an
// array or a pointer converts to it.
struct RomContents {
    const unsigned char* bytes;  // the first byte; null when given a null pointer
    long long length;            // bytes in the array; -1 when given a bare pointer

    // An array of N bytes, such as `static const unsigned char prog[128]`.
    template <std::size_t N>
    RomContents(const unsigned char (&array)[N]) : bytes(array), length(static_cast<long long>(N)) {}
    // A bare pointer of unknown length. (A template so that an array
    // argument prefers the form above.)
    template <typename P, std::enable_if_t<std::is_convertible_v<P, const unsigned char*>, int> = 0>
    RomContents(P pointer) : bytes(pointer), length(-1) {}
    // nullptr, 0 or NULL: refused by the Rom with a message.
    RomContents(std::nullptr_t) : bytes(nullptr), length(-1) {}
};

// Read/write memory of numberOfWords words of bitWordWidth (w) bits, with R
// read ports and W write ports addressed by portAddressSize (p) bits.
// controlIn: the R read addresses (port r at r*p), then per write port j,
// from R*p + j*(p+2): its address (p bits), its strobe, its enable.
// dataIn: write port j's word at j*w. out: read port r's word at r*w.
// A port writes on the strobe's rising edge while its enable is ONE.
// With one read and one write port, both addressed by the bus a, circuit
// code writes the control bus as ((enable, strobe, a), a), the read address
// last so that it takes the low positions:
// RegisterFile(sd, ((enable, strobe, a), a), data, word, words, w, p, 1, 1).
void RegisterFile(const SD& sd, const Signal& controlIn, const Signal& dataIn, const Signal& out,
                  int numberOfWords, int bitWordWidth, int portAddressSize, int numberOfReadPorts,
                  int numberOfWritePorts, SourcePlace at = SourcePlace());
// As RegisterFile, but address 0 is an ordinary word.
void Ram(const SD& sd, const Signal& controlIn, const Signal& dataIn, const Signal& out, int numberOfWords,
         int bitWordWidth, int portAddressSize, int numberOfReadPorts, int numberOfWritePorts,
         SourcePlace at = SourcePlace());
// Read-only memory: out shows the word addressed by in (2^length(in) must
// be `words`). `contents` holds the words one after another, each in
// (bitsPerWord-1)/8+1 bytes, most significant byte first; it is copied. A
// null pointer, or an array shorter than words × bytes per word, is
// reported and counted like a width error.
// Written Rom(sd, address, word, words, bitsPerWord, contents).
void Rom(const SD& sd, const Signal& in, const Signal& out, int words, int bitsPerWord, RomContents contents,
         SourcePlace at = SourcePlace());

// The evaluators, called by the run loop with the component's index.
void multiPortRam(int cind);
void rom(int cind);

#endif
