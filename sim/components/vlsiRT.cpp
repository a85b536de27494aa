// Evaluators of the large-scale library: multiPortRam, shared by RegisterFile
// and Ram, and rom.
//
// The read/write memory keeps each stored word in its internal 32-bit
// variables, 16 bits of the word per variable in the two-bit packed form of
// packSignals, and one edge state per write port in its 8-bit variables. It
// writes first (all ports in port order), then posts every read port's word
// to the event heap at the current time + 10, straight, with no XXX phase and
// without the scheduling layer's records. An address at or beyond the last
// word never reaches storage: a read of it shows XXX, a write is refused with
// a report. The ROM requests its outputs through signalTransition.
#include <cstdio>

#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "RTSigSup.h"
#include "components/vlsi.h"

namespace {

const int quickTime = 17;
const int lazyTime = 23;
// How long after an evaluation the read ports show their words.
const int readDelay = 10;

const char* const memoryErrorHeading = "ERROR-- %s at %s componentNumber = %d\n";
const char* const indeterminateAddressReport =
    "     Attempt to write with indeterminate write-port address.\n"
    "     The component is probably enabled when it shouldn't be.\n";
const char* const beyondLastWordReport = "     Attempt to write beyond the last word, address = %d words = %d.\n";

// The geometry registered as integer parameters, in their order.
enum {
    numberOfWordsParameter,
    bitWordWidthParameter,
    portAddressSizeParameter,
    numberOfReadPortsParameter,
    numberOfWritePortsParameter,
    storeWordsPerSimWordParameter,
    numberOf32BitWordsParameter,
    zeroIsZEROParameter
};

inline bool known(SignalValue v) { return v == ZERO || v == ONE; }

void memoryErrorHeadingFor(int cind) {
    std::fprintf(stderr, memoryErrorHeading, phaseTwo->decal[cind], positionString(phaseTwo->rcpos[cind]), cind);
}

// Posts one read port's whole word. `word` is null for a word that has no
// storage behind it (unknown or out-of-range address: XXX) or that reads
// as zero (address 0 of a register file: `fill` ZERO).
void postWord(int w, const int* out, const unsigned int* word, SignalValue fill) {
    SkewHeap& heap = phaseFour->skewHeap;
    const unsigned long when = phaseFour->time + readDelay;
    // Unpacked 16 bits at a time, the span of one stored variable, so that
    // no scratch word is needed.
    SignalValue chunk[16];
    for (int base = 0; base < w; base += 16) {
        const int count = w - base < 16 ? w - base : 16;
        if (word) unpackSignals(count, word + base / 16, chunk);
        for (int i = 0; i < count; i++)
            heap.add(Event(when, signalChange, out[base + i], word ? chunk[i] : fill));
    }
}

}  // namespace

void multiPortRam(int cind) {
    const int* ip = phaseTwo->integerParameters[cind];
    const int words = ip[numberOfWordsParameter];
    const int w = ip[bitWordWidthParameter];
    const int p = ip[portAddressSizeParameter];
    const int readPorts = ip[numberOfReadPortsParameter];
    const int writePorts = ip[numberOfWritePortsParameter];
    const int perWord = ip[storeWordsPerSimWordParameter];
    const int stored = ip[numberOf32BitWordsParameter];
    const bool zeroIsZERO = ip[zeroIsZEROParameter] == 1;
    unsigned int* store = phaseTwo->internal32BitVariables[cind];
    unsigned char* edge = phaseTwo->internal8BitVariables[cind];
    const int* control = phaseTwo->controlInputs[cind];
    const int* data = phaseTwo->dataInputs[cind];
    const int* out = phaseTwo->outputs[cind];
    const SignalValue* cur = phaseThree->currentSignals;

    // First evaluation of a run: every word UNINITIALIZED (code 0), every
    // port waiting for its enable to be known.
    if (phaseTwo->state[cind] == 0) {
        phaseTwo->state[cind] = 1;
        for (int i = 0; i < stored; i++) store[i] = 0;
        for (int j = 0; j < writePorts; j++) edge[j] = 0;
    }

    for (int j = 0; j < writePorts; j++) {
        const int* group = control + readPorts * p + j * (p + 2);
        const SignalValue strobe = cur[group[p]], enable = cur[group[p + 1]];
        switch (edge[j]) {
        case 0:
            edge[j] = 1;
            [[fallthrough]];
        case 1:
            if (known(enable)) edge[j] = 2;
            break;
        case 2:
            if (strobe != ONE) break;
            edge[j] = 3;
            if (enable == ONE) {
                const int a = integerFromSignals(p, group);
                if (a == -1) {
                    memoryErrorHeadingFor(cind);
                    std::fputs(indeterminateAddressReport, stderr);
                } else if (a >= words) {
                    memoryErrorHeadingFor(cind);
                    std::fprintf(stderr, beyondLastWordReport, a, words);
                } else {
                    packSignals(w, data + j * w, store + a * perWord);
                }
            }
            break;
        default:  // 3: waiting for the strobe to fall
            if (strobe == ZERO) edge[j] = 2;
            break;
        }
    }

    for (int r = 0; r < readPorts; r++) {
        const int a = integerFromSignals(p, control + r * p);
        if (zeroIsZERO && a == 0)
            postWord(w, out + r * w, nullptr, ZERO);
        else if (a == -1 || a >= words)
            postWord(w, out + r * w, nullptr, XXX);
        else
            postWord(w, out + r * w, store + a * perWord, XXX);
    }
}

void rom(int cind) {
    const int* ip = phaseTwo->integerParameters[cind];
    const int words = ip[0], bitsPerWord = ip[1], bytesPerWord = ip[2];
    const unsigned char* bytes = phaseTwo->byteParameters[cind];
    const int* out = phaseTwo->outputs[cind];
    const int a = integerFromSignals(phaseTwo->numberOfDataInputs[cind], phaseTwo->dataInputs[cind]);
    for (int b = 0; b < bitsPerWord; b++) {
        SignalValue v = XXX;
        if (a != -1 && a < words) {
            // Most significant byte first: the word's last byte holds bits 7..0.
            const unsigned char byte = bytes[(a + 1) * bytesPerWord - 1 - b / 8];
            v = (byte >> (b % 8)) & 1 ? ONE : ZERO;
        }
        phaseFour->signalTransition(out[b], v, quickTime, lazyTime);
    }
}
