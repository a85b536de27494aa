// Constructors of the large-scale library: the read/write memories
// (RegisterFile, Ram) and the ROM. They check the buses against the geometry
// arguments, report a mismatch followed by the line of the circuit code that
// called them, count it, and register regardless, passing
// the geometry as integer parameters (and the ROM's contents as byte
// parameters) so that the evaluators need nothing else.
#include <climits>
#include <cstdio>

#include "Ph1.h"
#include "addStCmp.h"
#include "components/vlsi.h"
#include "display/iconData.h"

namespace {

const SecondaryEvaluatePointer noSecondary{nullptr};

// %s: "RegisterFile" or "Ram", then the label and the position.
const char* const memoryWidthMessage =
    "Error--%s %s at %s: I/O length error\n"
    " dataIn.length = %d should match: %d\n"
    " controlIn.length = %d should match: %d\n"
    " out.length = %d should match: %d\n";
const char* const romWidthMessage =
    "I/O length error--Rom %s at %s in.length = %d words = %d out.length = %d bitsPerWord = %d "
    "allocatedBytesPerWord = %d\n";
const char* const romNullMessage = "I/O length error--Rom %s at %s contents pointer is null, needs %lld bytes\n";
const char* const romShortMessage = "I/O length error--Rom at %s contents hold %lld bytes, needs %lld\n";

// What the width messages expected, in words, on the line after them.
const char* const memoryNegativeExpected = "a geometry of no negative numbers";
const char* const memoryExpected =
    "out of %d wires, dataIn of %d and controlIn of %d for %d read and %d write ports of %d bits with %d address "
    "wires";
const char* const romExpected = "%d words for %d in wires (2^in.length), and out of %d wires, one per bit of a word";
const char* const romAddressExpected = "in of at most 30 wires (2^in.length words), and out of %d wires, one per bit";
const char* const romSizeExpected = "contents of at most %d bytes: %d words of %d bytes are more";

const char* shownDecal(const SD& sd, const char* defaultDecal) { return sd.decal ? sd.decal : defaultDecal; }

// RegisterFile and Ram differ in their name, label and zeroIsZERO only.
void multiPortMemory(const char* kind, const char* defaultDecal, int zeroIsZERO, const SD& sd,
                     const Signal& controlIn, const Signal& dataIn, const Signal& out, int numberOfWords,
                     int bitWordWidth, int portAddressSize, int numberOfReadPorts, int numberOfWritePorts,
                     const SourcePlace& at) {
    const int w = bitWordWidth, p = portAddressSize, r = numberOfReadPorts, wp = numberOfWritePorts;
    const int outWidth = r * w, dataWidth = wp * w, controlWidth = wp * (p + 2) + p * r;
    // A negative geometry could make the widths agree while the evaluator
    // indexed before its arrays; it is refused like a mismatch.
    const bool negative = numberOfWords < 0 || w < 0 || p < 0 || r < 0 || wp < 0;
    if (negative || out.length != outWidth || dataIn.length != dataWidth || controlIn.length != controlWidth) {
        std::fprintf(stderr, memoryWidthMessage, kind, shownDecal(sd, defaultDecal), sd.graphicPosition(),
                     dataIn.length, dataWidth, controlIn.length, controlWidth, out.length, outWidth);
        if (negative)
            sayExpected("%s", memoryNegativeExpected);
        else
            sayExpected(memoryExpected, outWidth, dataWidth, controlWidth, r, wp, w, p);
        sayPlace(at);
        phaseOne->fatalDiagnosticCount++;
    }
    const int storeWordsPerSimWord = (w - 1) / 16 + 1;
    const int numberOf32BitWords = numberOfWords * storeWordsPerSimWord;
    const int parameters[8] = {numberOfWords, w, p, r, wp, storeWordsPerSimWord, numberOf32BitWords, zeroIsZERO};
    addStandardComponent(multiPortRam, noSecondary, rectIcon, nullptr, nullptr, nullptr, 0, 0, defaultDecal, sd,
                         dataIn, controlIn, out, 8, parameters, 0, nullptr, numberOf32BitWords, 0, wp, at);
}

}  // namespace

void RegisterFile(const SD& sd, const Signal& controlIn, const Signal& dataIn, const Signal& out,
                  int numberOfWords, int bitWordWidth, int portAddressSize, int numberOfReadPorts,
                  int numberOfWritePorts, SourcePlace at) {
    multiPortMemory("RegisterFile", "RegFile", 1, sd, controlIn, dataIn, out, numberOfWords, bitWordWidth,
                    portAddressSize, numberOfReadPorts, numberOfWritePorts, at);
}

void Ram(const SD& sd, const Signal& controlIn, const Signal& dataIn, const Signal& out, int numberOfWords,
         int bitWordWidth, int portAddressSize, int numberOfReadPorts, int numberOfWritePorts, SourcePlace at) {
    multiPortMemory("Ram", "Ram", 0, sd, controlIn, dataIn, out, numberOfWords, bitWordWidth, portAddressSize,
                    numberOfReadPorts, numberOfWritePorts, at);
}

void Rom(const SD& sd, const Signal& in, const Signal& out, int words, int bitsPerWord, RomContents contents,
         SourcePlace at) {
    const int allocatedBytesPerWord = (bitsPerWord - 1) / 8 + 1;
    const bool addressFits = in.length < 31 && (1 << in.length) == words;
    const long long needed = static_cast<long long>(words) * allocatedBytesPerWord;
    // Past the int range the byte count could not be registered: refused
    // like a width mismatch.
    const bool geometryRight = addressFits && out.length == bitsPerWord && needed <= INT_MAX;
    if (!geometryRight) {
        std::fprintf(stderr, romWidthMessage, shownDecal(sd, "Rom"), sd.graphicPosition(), in.length, words,
                     out.length, bitsPerWord, allocatedBytesPerWord);
        if (in.length >= 31 || in.length < 0)
            sayExpected(romAddressExpected, bitsPerWord);
        else if (addressFits && out.length == bitsPerWord)
            sayExpected(romSizeExpected, INT_MAX, words, allocatedBytesPerWord);
        else
            sayExpected(romExpected, 1 << in.length, in.length, bitsPerWord);
        sayPlace(at);
        phaseOne->fatalDiagnosticCount++;
    } else if (contents.bytes == nullptr) {
        std::fprintf(stderr, romNullMessage, shownDecal(sd, "Rom"), sd.graphicPosition(), needed);
        sayPlace(at);
        phaseOne->fatalDiagnosticCount++;
    } else if (contents.length >= 0 && contents.length < needed) {
        std::fprintf(stderr, romShortMessage, sd.graphicPosition(), contents.length, needed);
        sayPlace(at);
        phaseOne->fatalDiagnosticCount++;
    }
    // After an error nothing is copied (the build ends after phase one), so
    // nothing is read beyond what the caller gave.
    const bool copy = geometryRight && contents.bytes != nullptr && (contents.length < 0 || contents.length >= needed);
    const int parameters[3] = {words, bitsPerWord, allocatedBytesPerWord};
    addStandardComponent(rom, noSecondary, rectIcon, nullptr, nullptr, nullptr, 0, 0, "Rom", sd, in,
                         Signal(0, "UnNamed"), out, 3, parameters, copy ? static_cast<int>(needed) : 0,
                         copy ? contents.bytes : nullptr, 0, 0, 0, at);
}
