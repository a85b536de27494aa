// Component kinds, told from the registered functions. The table is keyed by
// the evaluator, or for the components without one by their drawing or
// keyboard hook; a component that matches nothing (a module box, a space, a
// kind the circuit registered itself) is "other", or "Module" and "Space"
// when it looks like one.
#include "Kinds.h"

#include "Ph2.h"
#include "Position.h"
#include "components/msi.h"
#include "components/ssi.h"
#include "components/vlsi.h"

namespace {

struct KindEntry {
    functionPointer function;  // the evaluator, or the drawing or keyboard hook
    KindInfo info;
};

// Lazy delays by scale: small 10, medium 17, large 23; memories post their
// reads 10 ticks on.
const KindEntry byEvaluator[] = {
    {and_, {"And", combinationalRole, 10}},
    {or_, {"Or", combinationalRole, 10}},
    {nand, {"Nand", combinationalRole, 10}},
    {nor, {"Nor", combinationalRole, 10}},
    {not_, {"Not", combinationalRole, 10}},
    {xor_, {"Xor", combinationalRole, 10}},
    {xnor, {"Xnor", combinationalRole, 10}},
    {multiLevelCompare, {"MultiLevelCompare", combinationalRole, 10}},
    {iand, {"Iand", combinationalRole, 10}},
    {inand, {"Inand", combinationalRole, 10}},
    {cior, {"CiOr", combinationalRole, 10}},
    {cinor, {"CiNor", combinationalRole, 10}},
    {tsb, {"Tsb", combinationalRole, 10}},
    {clock_, {"Clock", sourceRole, 10}},
    {powerOn, {"PowerOn", sourceRole, 10}},
    {stop, {"Stop", otherRole, 0}},
    {adder, {"Adder", combinationalRole, 17}},
    {increment, {"Increment", combinationalRole, 17}},
    {mux, {"Mux", combinationalRole, 17}},
    {decoder, {"Decoder", combinationalRole, 17}},
    {encoder, {"Encoder", combinationalRole, 17}},
    {gate, {"Gate", combinationalRole, 17}},
    {counter, {"Counter", sequentialRole, 17}},
    {dff, {"Dff", sequentialRole, 17}},
    {jkff, {"Jkff", sequentialRole, 17}},
    {enabledRegister, {"Register", sequentialRole, 17}},
    {bitAddressibleRegister, {"BitAddressibleRegister", sequentialRole, 17}},
    {_stderr, {"Stderr", otherRole, 0}},
    {intOut, {"IntOut", otherRole, 0}},
    {hexOut, {"HexOut", otherRole, 0}},
    {rom, {"Rom", combinationalRole, 23}},
};
const KindEntry byHook[] = {
    {toggleSwitch, {"Switch", sourceRole, 10}},
    {togglePulser, {"Pulser", sourceRole, 10}},
    {probe, {"Probe", probeRole, 0}},
    {probebyte, {"ProbeByte", probeRole, 0}},
    {probebyteh, {"ProbeByteH", probeRole, 0}},
};
const KindInfo ram = {"Ram", memoryRole, 10};
const KindInfo registerFile = {"RegisterFile", memoryRole, 10};
const KindInfo module = {"Module", otherRole, 0};
const KindInfo space = {"Space", otherRole, 0};
const KindInfo other = {"other", otherRole, 0};

bool isMemory(int c) { return phaseTwo->runTimeCalls[c].logicEvaluate == multiPortRam; }

}  // namespace

const KindInfo& kindOf(int c) {
    const PhaseTwo& p2 = *phaseTwo;
    const functionPointer evaluate = p2.runTimeCalls[c].logicEvaluate;
    if (evaluate == multiPortRam) return p2.integerParameters[c][7] == 1 ? registerFile : ram;
    if (evaluate) {
        for (const KindEntry& e : byEvaluator)
            if (e.function == evaluate) return e.info;
        return other;
    }
    for (const KindEntry& e : byHook)
        if (e.function == p2.runTimeCalls[c].drawDynamic || e.function == p2.xEventTriggered[c]) return e.info;
    if (p2.outputOverloadable[c] && !p2.runTimeCalls[c].drawDynamic) return module;
    if (p2.numberOfDataInputs[c] + p2.numberOfControlInputs[c] + p2.numberOfOutputs[c] == 0) return space;
    return other;
}

int inputCount(int c) { return phaseTwo->numberOfDataInputs[c] + phaseTwo->numberOfControlInputs[c]; }

int inputWire(int c, int p) {
    const int data = phaseTwo->numberOfDataInputs[c];
    return p < data ? phaseTwo->dataInputs[c][p] : phaseTwo->controlInputs[c][p - data];
}

int clockedPortCount(int c) {
    if (isMemory(c)) return phaseTwo->integerParameters[c][4];
    return kindOf(c).role == sequentialRole ? 1 : 0;
}

bool clockedPins(int c, int port, ClockedPins& pins) {
    const PhaseTwo& p2 = *phaseTwo;
    const functionPointer f = p2.runTimeCalls[c].logicEvaluate;
    const int data = p2.numberOfDataInputs[c];
    pins.sampledCount = 0;
    pins.captureRise = true;
    pins.launchRise = true;
    auto sample = [&](int p) {
        if (pins.sampledCount < 40) pins.sampled[pins.sampledCount++] = p;
    };
    if (port < 0 || port >= clockedPortCount(c)) return false;
    if (f == dff) {  // [0] clear, [1] clock, [2] D, [3] set
        if (data < 4) return false;
        pins.clockPin = 1;
        sample(2);
    } else if (f == jkff) {  // [0] clear, [1] K, [2] clock, [3] J, [4] set
        if (data < 5) return false;
        pins.clockPin = 2;
        pins.launchRise = false;
        sample(1);
        sample(3);
    } else if (f == counter) {  // [0] clock, counting as it falls, [1] clear
        if (data < 2) return false;
        pins.clockPin = 0;
        pins.captureRise = pins.launchRise = false;
    } else if (f == enabledRegister) {  // control [0] write, [1] enable; data the word
        pins.clockPin = data;
        sample(data + 1);
        for (int p = 0; p < data; p++) sample(p);
    } else if (f == bitAddressibleRegister) {  // data: read address, write address, bit; control [0] write, [1] enable
        const int n = (data - 1) / 2;
        pins.clockPin = data;
        sample(data + 1);
        for (int p = n; p < data; p++) sample(p);
    } else if (f == multiPortRam) {  // control: read addresses, then per port address, strobe, enable
        const int* ip = p2.integerParameters[c];
        const int w = ip[1], a = ip[2], readPorts = ip[3];
        const int group = data + readPorts * a + port * (a + 2);
        pins.clockPin = group + a;
        for (int p = 0; p < a; p++) sample(group + p);
        sample(group + a + 1);
        for (int p = port * w; p < (port + 1) * w && p < data; p++) sample(p);
    } else {
        return false;
    }
    return true;
}

bool flowsThrough(int c, int p) {
    const KindRole role = kindOf(c).role;
    if (role == combinationalRole) return true;
    if (role != memoryRole) return false;
    const int* ip = phaseTwo->integerParameters[c];
    const int data = phaseTwo->numberOfDataInputs[c];
    return p >= data && p < data + ip[3] * ip[2];
}

bool inverts(int c) {
    const functionPointer f = phaseTwo->runTimeCalls[c].logicEvaluate;
    return f == not_ || f == nand || f == nor || f == xnor || f == inand || f == cinor;
}

std::string componentText(int c) {
    const PhaseTwo& p2 = *phaseTwo;
    const char* kind = kindOf(c).name;
    std::string text = kind;
    if (p2.decal[c] && *p2.decal[c] && std::string(p2.decal[c]) != kind) text += std::string(" \"") + p2.decal[c] + "\"";
    text += std::string(" at ") + positionString(p2.rcpos[c]);
    if (p2.place[c].file) text += std::string(", in ") + p2.place[c].file + ":" + std::to_string(p2.place[c].line);
    return text;
}

const int* driversOf(int w, int& count) {
    static int* start = nullptr;  // per wire and one more: where its drivers begin in `list`
    static int* list = nullptr;
    const PhaseTwo& p2 = *phaseTwo;
    if (!start) {
        const int signals = p2.numberOfSignals;
        start = new int[signals + 1]();
        auto forEach = [&](auto visit) {
            for (int c = 0; c < p2.numberOfComponents; c++) {
                if (&kindOf(c) == &module) continue;
                for (int p = 0; p < p2.numberOfOutputs[c]; p++) {
                    const int o = p2.outputs[c][p];
                    // A component with one wire on several outputs counts once.
                    bool seen = false;
                    for (int q = 0; q < p && !seen; q++) seen = p2.outputs[c][q] == o;
                    if (!seen) visit(c, o);
                }
            }
        };
        forEach([&](int, int o) { start[o + 1]++; });
        for (int s = 0; s < signals; s++) start[s + 1] += start[s];
        list = new int[start[signals] > 0 ? start[signals] : 1];
        int* fill = new int[signals > 0 ? signals : 1];
        for (int s = 0; s < signals; s++) fill[s] = start[s];
        forEach([&](int c, int o) { list[fill[o]++] = c; });
        delete[] fill;
    }
    count = start[w + 1] - start[w];
    return list + start[w];
}
