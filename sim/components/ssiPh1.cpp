// Constructors of the small-scale library: check the buses, then register.
// A width error here is reported in one line, followed by the line of the
// circuit code that called the constructor, and ends the program at once
// (status 1): these components are the circuit's wiring, and nothing built
// after a miswired gate would mean anything. Constructors that build others
// (vector gates, probes, ProbeH, Module) pass their caller's place on.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Ph1.h"
#include "addStCmp.h"
#include "display/iconData.h"
#include "components/ssi.h"

namespace {

const SecondaryEvaluatePointer noSecondary = {nullptr};

Signal none() { return Signal(0, "UnNamed"); }

// A gate: data inputs `in`, no hooks, no parameters, no private state.
void gate(functionPointer evaluate, const int* icon, const char* decal, const SD& sd, const Signal& in,
          const Signal& control, const Signal& out, const SourcePlace& at) {
    addStandardComponent(evaluate, icon, decal, sd, in, control, out, at);
}

// The components with hooks, flags and integer parameters.
void instrument(functionPointer evaluate, functionPointer drawDynamic, functionPointer xEventTriggered,
                int outputOverloadable, int selfActivating, const int* icon, const char* decal, const SD& sd,
                const Signal& in, const Signal& out, const SourcePlace& at, int numberOfIntegerParameters = 0,
                const int* integerParameters = nullptr) {
    addStandardComponent(evaluate, noSecondary, icon, drawDynamic, xEventTriggered, nullptr, outputOverloadable,
                         selfActivating, decal, sd, in, none(), out, numberOfIntegerParameters, integerParameters,
                         0, nullptr, 0, 0, 0, at);
}

// The report of a wrong width: the widths found, what was expected, the
// circuit's line; then the end of the program.
[[noreturn]] void widthError(const char* what, const SD& sd, const std::string& widths, const std::string& expected,
                             const SourcePlace& at) {
    std::fprintf(stderr, "ERROR -- %s at %s length error: %s\n", what, sd.graphicPosition(), widths.c_str());
    sayExpected("%s", expected.c_str());
    sayPlace(at);
    std::exit(1);
}

std::string widths(const char* n1, const Signal& s1, const char* n2, const Signal& s2) {
    return std::string(" ") + n1 + ".length = " + std::to_string(s1.length) + " " + n2 +
           ".length = " + std::to_string(s2.length);
}

// Inputs and clocks drive out[0] from init[0]; without those wires there is
// nothing to drive or nothing to start from, so the circuit is in error.
void needWire(const char* component, const SD& sd, const char* name, const Signal& bus, const SourcePlace& at) {
    if (bus.length < 1)
        widthError(component, sd, std::string(" ") + name + ".length = 0, needs at least 1 wire",
                   std::string(name) + " of at least 1 wire", at);
}

// And and Or share their vector rules; `name` is the one in the messages.
void splitGate(functionPointer evaluate, const int* icon, const char* name, const SD& sd, const Signal& in,
               const Signal& out, const SourcePlace& at) {
    if (out.length == 1) {
        gate(evaluate, icon, name, sd, in, none(), out, at);
        return;
    }
    if (out.length < 2) {
        std::fprintf(stderr, "ERROR -- %s with out.length == 0 at %s  length error: %s\n", name, sd.graphicPosition(),
                     widths("in", in, "out", out).c_str());
        sayExpected("out of at least 1 wire");
        sayPlace(at);
        std::exit(1);
    }
    if (in.length % out.length != 0)
        widthError((std::string(name) + " (vector) with inputs not divisible over outputs").c_str(), sd,
                   widths("in", in, "out", out),
                   "in of a multiple of " + std::to_string(out.length) + " wires (out's width), one group per output",
                   at);
    int n = in.length / out.length;
    for (int i = out.length - 1; i >= 0; i--)
        splitGate(evaluate, icon, name, sd, in.sub(i * n, (i + 1) * n - 1), out[i], at);
}

void pairGate(functionPointer evaluate, const int* icon, const char* name, const SD& sd, const Signal& in1,
              const Signal& in2, const Signal& out, const SourcePlace& at) {
    int width;
    if (in1.length == in2.length)
        width = in1.length;
    else if (in1.length == 1)
        width = in2.length;
    else if (in2.length == 1)
        width = in1.length;
    else
        return;  // different widths, neither a single wire: nothing to pair
    if (width != out.length) {
        std::fprintf(stderr, "ERROR -- %s (vector) component at %s length error:  in1.length = %d in2.length = %d "
                             "out.length = %d\n",
                     name, sd.graphicPosition(), in1.length, in2.length, out.length);
        sayExpected("out of %d wires, one per pair of inputs", width);
        sayPlace(at);
        std::exit(1);
    }
    for (int i = out.length - 1; i >= 0; i--) {
        Signal a = in1.length == 1 && in2.length != 1 ? in1 : in1[i];
        Signal b = in2.length == 1 && in1.length != 1 ? in2 : in2[i];
        gate(evaluate, icon, name, sd, (a, b), none(), out[i], at);
    }
}

}  // namespace

// ---- Gates

void And(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    splitGate(and_, andIcon, "And", sd, in, out, at);
}
void And(const SD& sd, const Signal& in1, const Signal& in2, const Signal& out, SourcePlace at) {
    pairGate(and_, andIcon, "And", sd, in1, in2, out, at);
}
void Or(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    splitGate(or_, orIcon, "Or", sd, in, out, at);
}
void Or(const SD& sd, const Signal& in1, const Signal& in2, const Signal& out, SourcePlace at) {
    pairGate(or_, orIcon, "Or", sd, in1, in2, out, at);
}
void Nand(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    gate(nand, nandIcon, "Nand", sd, in, none(), out, at);
}
void Nor(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    gate(nor, norIcon, "Nor", sd, in, none(), out, at);
}
void Xor(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    gate(xor_, xorIcon, "Xor", sd, in, none(), out, at);
}
void Xnor(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    gate(xnor, xnorIcon, "Xnor", sd, in, none(), out, at);
}
void MultiLevelCompare(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    gate(multiLevelCompare, rectIcon, "mLevCmp", sd, in, none(), out, at);
}

void Not(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) {
    if (in.length == 1 && out.length == 1) {
        gate(not_, notIcon, "Not", sd, in, none(), out, at);
        return;
    }
    if (out.length < 2 || in.length != out.length)
        widthError("Not (vector)", sd, widths("in", in, "out", out),
                   in.length > 0 ? "out of " + std::to_string(in.length) + (in.length == 1 ? " wire" : " wires") +
                                       ", as many as in"
                                 : std::string("in and out of as many wires as each other, at least 1"),
                   at);
    for (int i = out.length - 1; i >= 0; i--) Not(sd, in[i], out[i], at);
}

// The mixed-polarity gates register their complemented inputs as data
// inputs and their true inputs as control inputs.
void Iand(const SD& sd, const Signal& inTrue, const Signal& inComplement, const Signal& out, SourcePlace at) {
    gate(iand, iAndIcon, "Iand", sd, inComplement, inTrue, out, at);
}
void Inand(const SD& sd, const Signal& inTrue, const Signal& inComplement, const Signal& out, SourcePlace at) {
    gate(inand, iNandIcon, "Inand", sd, inComplement, inTrue, out, at);
}
void CiOr(const SD& sd, const Signal& inTrue, const Signal& inComplement, const Signal& out, SourcePlace at) {
    gate(cior, CiOrIcon, "CiOr", sd, inComplement, inTrue, out, at);
}
void CiNor(const SD& sd, const Signal& inTrue, const Signal& inComplement, const Signal& out, SourcePlace at) {
    gate(cinor, CiNorIcon, "CiNor", sd, inComplement, inTrue, out, at);
}

void Tsb(const SD& sd, const Signal& in, const Signal& control, const Signal& out, SourcePlace at) {
    if (in.length != 1 || control.length != 1 || out.length != 1)
        widthError("Tsb (Tri-state-buffer)", sd,
                   " control.length = " + std::to_string(control.length) + widths("in", in, "out", out),
                   "in, control and out of 1 wire each", at);
    addStandardComponent(tsb, noSecondary, tsbIcon, nullptr, nullptr, nullptr, 1, 0, "Tsb", sd, in, control, out, 0,
                         nullptr, 0, nullptr, 0, 0, 0, at);
}

// ---- Inputs

void Switch(const SD& sd, const Signal& out, char keyChar, const Signal& init, const std::string& label,
            SourcePlace at) {
    needWire("Switch", sd, "out", out, at);
    needWire("Switch", sd, "init", init, at);
    std::string decal = std::string(1, keyChar) + ":" + (label.empty() ? std::string(out[0].nameTag) : label);
    const int initWire = init.serialNumber[0];
    for (int b = out.length - 1; b >= 0; b--) {
        // The switch node goes in just before its component, which it names.
        phaseOne->switchList.add(out.serialNumber[b], static_cast<char>(keyChar + (out.length - 1 - b)));
        instrument(nullptr, switchPane, toggleSwitch, 0, 1, rectIcon, decal.c_str(), sd, none(), out[b], at,
                   1, &initWire);
    }
}

void Pulser(const SD& sd, const Signal& out, char keyChar, int duration, const Signal& init, SourcePlace at) {
    needWire("Pulser", sd, "out", out, at);
    needWire("Pulser", sd, "init", init, at);
    const int parameters[] = {duration, init.serialNumber[0]};
    phaseOne->switchList.add(out.serialNumber[0], keyChar);
    instrument(nullptr, switchPane, togglePulser, 0, 1, rectIcon, std::string(1, keyChar).c_str(), sd, none(), out,
               at, 2, parameters);
}

void Clock(const SD& sd, const Signal& out, int duration, int offset, int period, const Signal& init, SourcePlace at) {
    needWire("Clock", sd, "out", out, at);
    needWire("Clock", sd, "init", init, at);
    const int parameters[] = {duration, offset, period, init.serialNumber[0]};
    instrument(clock_, switchPane, nullptr, 0, 1, rectIcon, "Clock", sd, none(), out, at, 4, parameters);
}

void PowerOn(const SD& sd, const Signal& out, int time, const Signal& init, SourcePlace at) {
    needWire("PowerOn", sd, "out", out, at);
    needWire("PowerOn", sd, "init", init, at);
    const int parameters[] = {time, init.serialNumber[0]};
    instrument(powerOn, switchPane, nullptr, 0, 1, rectIcon, "PowerOn", sd, none(), out, at, 2,
               parameters);
}

void Stop(const SD& sd, const Signal& in, SourcePlace at) {
    needWire("Stop", sd, "in", in, at);
    gate(stop, rectIcon, "Stop", sd, in, none(), none(), at);
}

// ---- Instruments and structure

void Probe(const SD& sd, const Signal& in, const std::string& label, int numberOfPartitions,
           const int* partitionSize, SourcePlace at) {
    if (numberOfPartitions > 0 && partitionSize == nullptr) {
        std::fprintf(stderr, "ERROR--Partitioned Probe at %s with no partitionSize list, in.length = %d -- can't "
                             "continue.\n",
                     sd.graphicPosition(), in.length);
        sayPlace(at);
        std::exit(1);
    }
    int partition = 0, inGroup = 0;
    for (int b = in.length - 1; b >= 0; b--) {
        if (numberOfPartitions > 0) {
            int size = partitionSize[partition < numberOfPartitions ? partition : numberOfPartitions - 1];
            if (inGroup == size) {
                Space(sd, at);
                partition++;
                inGroup = 0;
            }
        }
        Signal wire = in[b];
        instrument(nullptr, probe, nullptr, 0, 0, circleIcon, label.empty() ? wire.nameTag : label.c_str(), sd, wire,
                   none(), at);
        inGroup++;
    }
}

void ProbeH(const SD& sd, const Signal& in, const std::string& label, SourcePlace at) {
    // One level deeper in position but not in detail: the probes share the
    // descriptor's cell and appear whenever it does.
    SD place(sd, "1z", nullptr, at);
    place.graphicLevel -= 1;
    char field[] = "1z";
    for (int b = 0; b < in.length; b++) {
        if (label.empty() || in.length == 1)
            Probe(place, in[b], label, 0, nullptr, at);
        else
            Probe(place, in[b], label + "[" + std::to_string(b) + "]", 0, nullptr, at);
        --field[1];  // the next wire goes one place to the left
        place.position = positionOf(sd.position, field);
    }
}

void ProbeByte(const SD& sd, const Signal& in, const std::string& label, SourcePlace at) {
    instrument(nullptr, probebyte, nullptr, 0, 0, circleIcon, label.empty() ? in.nameTag : label.c_str(), sd, in,
               none(), at);
}

void ProbeByteH(const SD& sd, const Signal& in, const std::string& label, SourcePlace at) {
    instrument(nullptr, probebyteh, nullptr, 0, 0, circleIcon, label.empty() ? in.nameTag : label.c_str(), sd, in,
               none(), at);
}

// Overloadable outputs: a box's outputs are really driven by the components
// inside it, which share the wires.
void Module(const SD& sd, const Signal& in, const Signal& out, SourcePlace at) { Module(sd, "Module", in, out, at); }
void Module(const SD& sd, const char* tag, const Signal& in, const Signal& out, SourcePlace at) {
    instrument(nullptr, nullptr, nullptr, 1, 0, rectIcon, tag, sd, in, out, at);
}

void Space(const SD& sd, SourcePlace at) { gate(nullptr, spaceIcon, "", sd, none(), none(), none(), at); }
