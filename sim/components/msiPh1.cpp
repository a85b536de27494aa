// Constructors of the medium-scale library: width checks and registration.
//
// Every check that fails writes its one line on standard error, then the
// line of the circuit code that called the constructor, and counts one
// fatal diagnostic; registration follows regardless, so that one build lists
// every problem of a circuit before phase one stops the program. Messages
// that name the label use the descriptor's own label, or the component's
// default label when the descriptor has none. Groups a component does not
// have are registered as an empty bus named "UnNamed".
#include <climits>
#include <cstdio>
#include <string>

#include "Ph1.h"
#include "addStCmp.h"
#include "components/msi.h"
#include "display/iconData.h"

namespace {

const SecondaryEvaluatePointer noSecondary{nullptr};

const char* const adderWidthMessage = "I/O length error--Adder %s at %s dataIn.length = %d out.length = %d\n";
const char* const incrementWidthMessage = "I/O length error--Increment %s at %s in.length = %d out.length = %d\n";
const char* const muxWidthMessage =
    "I/O length error--Mux %s at %s dataIn.length = %d controlIn.length = %d out.length = %d\n";
const char* const decoderWidthMessage =
    "I/O length error--Decoder %s at %s dataIn.length = %d controlIn.length = %d out.length = %d\n";
const char* const encoderWidthMessage =
    "I/O length error--Encoder %s at %s dataIn.length = %d out.length = %d valid.length = %d\n";
const char* const gateWidthMessage = "I/O length error--Gate() at %s in.length = %d out.length = %d should be 2 & 1.\n";
const char* const counterWidthMessage = "I/O length error--Counter %s at %s in.length = %d should be 2.\n";
const char* const dffWidthMessage = "I/O length error--Dff() at %s in.length = %d out.length = %d should be 4 & 1.\n";
const char* const jkffWidthMessage = "I/O length error--Jkff() at %s in.length = %d out.length = %d should be 5 & 2.\n";
const char* const registerWidthMessage =
    "I/O lengths mismatch for Register %s at %s dataIn.length = %d write.length = %d enable.length = %d "
    "out.length = %d\n";
const char* const bitRegisterSingleBitMessage =
    "Signal length error for AddressibleRegister %s at %s clear, set, enable, write, bitIn or bitOut more than a "
    "single bit.\n";
const char* const bitRegisterAddressMessage =
    "Signal length error for AddressibleRegister %s at %s Read/Write Address or Output lengths do not agree.\n";
const char* const stderrWidthMessage = "I/O length error--Stderr() at %s in.length = %d should be 10.\n";
const char* const intOutWidthMessage = "I/O length error--IntOut() at %s control.length = %d should be 2.\n";
const char* const hexOutWidthMessage = "I/O length error--HexOut() at %s control.length = %d should be 2.\n";

// What each width message expected, in words, on the line after it.
const char* const adderOutExpected = "out of %d wires for %d inputs";
const char* const adderInExpected = "dataIn of %d wires, two operands of out's width, for %d outputs";
const char* const incrementExpected = "in of at least %d wires for %d outputs";
const char* const muxExpected = "dataIn of %s, a group of out's %d for each value of %d control wires";
const char* const decoderExpected = "out of %s for %d dataIn wires, and controlIn of 1 wire";
const char* const encoderExpected = "dataIn of %s for %d out wires, and valid of 1 wire";
const char* const gateExpected = "in of 2 wires, out of 1 wire";
const char* const counterExpected = "in of at least 2 wires: [0] count clock, [1] clear";
const char* const dffExpected = "in of 4 wires, out of 1 wire";
const char* const jkffExpected = "in of 5 wires, out of 2 wires";
const char* const registerExpected = "out of %d wires, as many as dataIn; write and enable of 1 wire each";
const char* const bitRegisterSingleBitExpected = "clear, set, enable, write, bitIn and bitOut of 1 wire each";
const char* const bitRegisterAddressExpected =
    "readAddress of %d wires, as many as writeAddress; registerOut of %s for %d address wires";
const char* const stderrExpected = "in of 10 wires";
const char* const textControlExpected = "control of 2 wires";

// The label a width message names: the descriptor's, else the default.
const char* shownDecal(const SD& sd, const char* defaultDecal) { return sd.decal ? sd.decal : defaultDecal; }

// Ends every width report: the circuit's line, then one more fatal count.
void countFatal(const SourcePlace& at) {
    sayPlace(at);
    phaseOne->fatalDiagnosticCount++;
}

// 2^exponent as a 64-bit number, or -1 when it would not fit; widths of
// 62 bits and more cannot match any bus length anyway.
long long powerOfTwo(int exponent) { return exponent >= 0 && exponent < 62 ? 1LL << exponent : -1; }

// 2^exponent wires in words: "8 wires (2^3)", or, past what a bus can hold,
// "2^40 wires, more than a bus can hold".
std::string wiresOfPower(int exponent, long long times = 1) {
    const long long n = powerOfTwo(exponent);
    if (n < 0 || n > INT_MAX / times)
        return "2^" + std::to_string(exponent) + (times > 1 ? " × " + std::to_string(times) : "") +
               " wires, more than a bus can hold";
    return std::to_string(n * times) + " wires (" + (times > 1 ? std::to_string(times) + " × " : "") + "2^" +
           std::to_string(exponent) + ")";
}

Signal unnamed() { return Signal(0, "UnNamed"); }

void registerBasic(functionPointer evaluate, const char* defaultDecal, const SD& sd, const Signal& dataIn,
                   const Signal& controlIn, const Signal& out, const SourcePlace& at) {
    addStandardComponent(evaluate, rectIcon, defaultDecal, sd, dataIn, controlIn, out, at);
}

}  // namespace

void Adder(const SD& sd, const Signal& dataIn, const Signal& out, SourcePlace at) {
    if (dataIn.length != 2 * out.length) {
        std::fprintf(stderr, adderWidthMessage, shownDecal(sd, "Adder"), sd.graphicPosition(), dataIn.length,
                     out.length);
        if (dataIn.length % 2 == 0)
            sayExpected(adderOutExpected, dataIn.length / 2, dataIn.length);
        else
            sayExpected(adderInExpected, 2 * out.length, out.length);
        countFatal(at);
    }
    const int bitWidth = out.length;
    addStandardComponent(adder, noSecondary, rectIcon, nullptr, nullptr, nullptr, 0, 0, "Adder", sd, dataIn,
                         unnamed(), out, 1, &bitWidth, 0, nullptr, 0, 0, 0, at);
}

void Increment(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    // The evaluator reads one input position per output position.
    if (in.length < out.length) {
        std::fprintf(stderr, incrementWidthMessage, shownDecal(sd, "Increment"), sd.graphicPosition(), in.length,
                     out.length);
        sayExpected(incrementExpected, out.length, out.length);
        countFatal(at);
    }
    registerBasic(increment, "Increment", sd, in, unnamed(), out, at);
}

void Mux(const SD& sd, const Signal& controlIn, const Signal& dataIn, const Signal& out, SourcePlace at) {
    const long long groups = powerOfTwo(controlIn.length);
    if (groups < 0 || dataIn.length != out.length * groups) {
        std::fprintf(stderr, muxWidthMessage, shownDecal(sd, "Mux"), sd.graphicPosition(), dataIn.length,
                     controlIn.length, out.length);
        sayExpected(muxExpected, wiresOfPower(controlIn.length, out.length > 0 ? out.length : 1).c_str(), out.length,
                    controlIn.length);
        countFatal(at);
    }
    registerBasic(mux, "Mux", sd, dataIn, controlIn, out, at);
    // The display's lines-to-multiplexers-only mode (F7, -m) knows it by this.
    phaseOne->componentList.end->multiplexer = 1;
}

void Decoder(const SD& sd, const Signal& controlIn, const Signal& dataIn, const Signal& out, SourcePlace at) {
    if (out.length != powerOfTwo(dataIn.length) || controlIn.length != 1) {
        std::fprintf(stderr, decoderWidthMessage, shownDecal(sd, "Decoder"), sd.graphicPosition(), dataIn.length,
                     controlIn.length, out.length);
        sayExpected(decoderExpected, wiresOfPower(dataIn.length).c_str(), dataIn.length);
        countFatal(at);
    }
    registerBasic(decoder, "Decoder", sd, dataIn, controlIn, out, at);
}

void Encoder(const SD& sd, const Signal& dataIn, const Signal& out, const Signal& valid, SourcePlace at) {
    if (dataIn.length != powerOfTwo(out.length) || valid.length != 1) {
        std::fprintf(stderr, encoderWidthMessage, shownDecal(sd, "Encoder"), sd.graphicPosition(), dataIn.length,
                     out.length, valid.length);
        sayExpected(encoderExpected, wiresOfPower(out.length).c_str(), out.length);
        countFatal(at);
    }
    registerBasic(encoder, "Encoder", sd, dataIn, unnamed(), (valid, out), at);
}

void Gate(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    if (in.length != 2 || out.length != 1) {
        std::fprintf(stderr, gateWidthMessage, sd.graphicPosition(), in.length, out.length);
        sayExpected("%s", gateExpected);
        countFatal(at);
    }
    registerBasic(gate, "Gate", sd, in, unnamed(), out, at);
}

void Counter(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    // The evaluator reads in[0] and in[1].
    if (in.length < 2) {
        std::fprintf(stderr, counterWidthMessage, shownDecal(sd, "Counter"), sd.graphicPosition(), in.length);
        sayExpected("%s", counterExpected);
        countFatal(at);
    }
    registerBasic(counter, "Counter", sd, in, unnamed(), out, at);
}

void Dff(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    if (in.length != 4 || out.length != 1) {
        std::fprintf(stderr, dffWidthMessage, sd.graphicPosition(), in.length, out.length);
        sayExpected("%s", dffExpected);
        countFatal(at);
    }
    registerBasic(dff, "Dff", sd, in, unnamed(), out, at);
}

void Jkff(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    if (in.length != 5 || out.length != 2) {
        std::fprintf(stderr, jkffWidthMessage, sd.graphicPosition(), in.length, out.length);
        sayExpected("%s", jkffExpected);
        countFatal(at);
    }
    registerBasic(jkff, "Jkff", sd, in, unnamed(), out, at);
}

void Register(const SD& sd, const Signal& enable, const Signal& write, const Signal& dataIn, const Signal& out,
              SourcePlace at) {
    if (dataIn.length != out.length || write.length != 1 || enable.length != 1) {
        std::fprintf(stderr, registerWidthMessage, shownDecal(sd, "Register"), sd.graphicPosition(), dataIn.length,
                     write.length, enable.length, out.length);
        sayExpected(registerExpected, dataIn.length);
        countFatal(at);
    }
    registerBasic(enabledRegister, "Register", sd, dataIn, (enable, write), out, at);
}

void BitAddressibleRegister(const SD& sd, const Signal& clear, const Signal& set, const Signal& enable,
                            const Signal& write, const Signal& bitIn, const Signal& writeAddress,
                            const Signal& readAddress, const Signal& bitOut, const Signal& registerOut,
                            SourcePlace at) {
    const char* label = shownDecal(sd, "BitAddrReg");
    if (clear.length != 1 || set.length != 1 || enable.length != 1 || write.length != 1 || bitIn.length != 1 ||
        bitOut.length != 1) {
        std::fprintf(stderr, bitRegisterSingleBitMessage, label, sd.graphicPosition());
        sayExpected("%s", bitRegisterSingleBitExpected);
        countFatal(at);
    }
    if (readAddress.length != writeAddress.length || registerOut.length != powerOfTwo(readAddress.length)) {
        std::fprintf(stderr, bitRegisterAddressMessage, label, sd.graphicPosition());
        sayExpected(bitRegisterAddressExpected, writeAddress.length, wiresOfPower(readAddress.length).c_str(),
                    readAddress.length);
        countFatal(at);
    }
    registerBasic(bitAddressibleRegister, "BitAddrReg", sd, ((bitIn, writeAddress), readAddress),
                  (((clear, set), enable), write), (bitOut, registerOut), at);
}

void Stderr(const SD& sd, const Signal& in, SourcePlace at) {
    if (in.length != 10) {
        std::fprintf(stderr, stderrWidthMessage, sd.graphicPosition(), in.length);
        sayExpected("%s", stderrExpected);
        countFatal(at);
    }
    registerBasic(_stderr, "Stderr", sd, in, unnamed(), unnamed(), at);
}

void IntOut(const SD& sd, const Signal& control, const Signal& data, SourcePlace at) {
    if (control.length != 2) {
        std::fprintf(stderr, intOutWidthMessage, sd.graphicPosition(), control.length);
        sayExpected("%s", textControlExpected);
        countFatal(at);
    }
    registerBasic(intOut, "IntOut", sd, data, control, unnamed(), at);
}

void HexOut(const SD& sd, const Signal& control, const Signal& data, SourcePlace at) {
    if (control.length != 2) {
        std::fprintf(stderr, hexOutWidthMessage, sd.graphicPosition(), control.length);
        sayExpected("%s", textControlExpected);
        countFatal(at);
    }
    registerBasic(hexOut, "HexOut", sd, data, control, unnamed(), at);
}
