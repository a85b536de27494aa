// The table of library kinds, and what is told from it: the kind of a
// registered component, the icon names, the shapes each kind's constructor
// guarantees, and for the explanations each component's role, pins and
// drivers.
#include "Kinds.h"

#include <cstring>
#include <vector>

#include "Ph2.h"
#include "Position.h"
#include "addStCmp.h"
#include "components/msi.h"
#include "components/ssi.h"
#include "components/vlsi.h"
#include "display/iconData.h"

// Kinds without functions come last: Module and Space by their icons, then
// Passive, a component with nothing to run or draw live (any icon). Lazy
// delays by scale: small 10, medium 17, large 23; memories post their
// reads 10 ticks on.
const ComponentKind componentKinds[] = {
    {{"And", combinationalRole, 10}, and_, nullptr, nullptr, nullptr},
    {{"Or", combinationalRole, 10}, or_, nullptr, nullptr, nullptr},
    {{"Nand", combinationalRole, 10}, nand, nullptr, nullptr, nullptr},
    {{"Nor", combinationalRole, 10}, nor, nullptr, nullptr, nullptr},
    {{"Not", combinationalRole, 10}, not_, nullptr, nullptr, nullptr},
    {{"Xor", combinationalRole, 10}, xor_, nullptr, nullptr, nullptr},
    {{"Xnor", combinationalRole, 10}, xnor, nullptr, nullptr, nullptr},
    {{"MultiLevelCompare", combinationalRole, 10}, multiLevelCompare, nullptr, nullptr, nullptr},
    {{"Iand", combinationalRole, 10}, iand, nullptr, nullptr, nullptr},
    {{"Inand", combinationalRole, 10}, inand, nullptr, nullptr, nullptr},
    {{"CiOr", combinationalRole, 10}, cior, nullptr, nullptr, nullptr},
    {{"CiNor", combinationalRole, 10}, cinor, nullptr, nullptr, nullptr},
    {{"Tsb", combinationalRole, 10}, tsb, nullptr, nullptr, nullptr},
    {{"Switch", sourceRole, 10}, nullptr, switchPane, toggleSwitch, nullptr},
    {{"Pulser", sourceRole, 10}, nullptr, switchPane, togglePulser, nullptr},
    {{"Clock", sourceRole, 10}, clock_, switchPane, nullptr, nullptr},
    {{"PowerOn", sourceRole, 10}, powerOn, switchPane, nullptr, nullptr},
    {{"Stop", otherRole, 0}, stop, nullptr, nullptr, nullptr},
    {{"Probe", probeRole, 0}, nullptr, probe, nullptr, nullptr},
    {{"ProbeByte", probeRole, 0}, nullptr, probebyte, nullptr, nullptr},
    {{"ProbeByteH", probeRole, 0}, nullptr, probebyteh, nullptr, nullptr},
    {{"Adder", combinationalRole, 17}, adder, nullptr, nullptr, nullptr},
    {{"Increment", combinationalRole, 17}, increment, nullptr, nullptr, nullptr},
    {{"Mux", combinationalRole, 17}, mux, nullptr, nullptr, nullptr},
    {{"Decoder", combinationalRole, 17}, decoder, nullptr, nullptr, nullptr},
    {{"Encoder", combinationalRole, 17}, encoder, nullptr, nullptr, nullptr},
    {{"Gate", combinationalRole, 17}, gate, nullptr, nullptr, nullptr},
    {{"Counter", sequentialRole, 17}, counter, nullptr, nullptr, nullptr},
    {{"Dff", sequentialRole, 17}, dff, nullptr, nullptr, nullptr},
    {{"Jkff", sequentialRole, 17}, jkff, nullptr, nullptr, nullptr},
    {{"Register", sequentialRole, 17}, enabledRegister, nullptr, nullptr, nullptr},
    {{"BitAddressibleRegister", sequentialRole, 17}, bitAddressibleRegister, nullptr, nullptr, nullptr},
    {{"Stderr", otherRole, 0}, _stderr, nullptr, nullptr, nullptr},
    {{"IntOut", otherRole, 0}, intOut, nullptr, nullptr, nullptr},
    {{"HexOut", otherRole, 0}, hexOut, nullptr, nullptr, nullptr},
    {{"Memory", memoryRole, 10}, multiPortRam, nullptr, nullptr, nullptr},  // RegisterFile and Ram
    {{"Rom", combinationalRole, 23}, rom, nullptr, nullptr, nullptr},
    {{"Module", otherRole, 0}, nullptr, nullptr, nullptr, rectIcon},
    {{"Space", otherRole, 0}, nullptr, nullptr, nullptr, spaceIcon},
    {{"Passive", otherRole, 0}, nullptr, nullptr, nullptr, nullptr},
};

const int numberOfComponentKinds = sizeof componentKinds / sizeof componentKinds[0];

namespace {

struct NamedIcon {
    const char* name;
    const int* icon;
};
const NamedIcon icons[] = {
    {"space", spaceIcon}, {"and", andIcon},   {"nand", nandIcon}, {"or", orIcon},       {"nor", norIcon},
    {"xor", xorIcon},     {"xnor", xnorIcon}, {"not", notIcon},   {"iand", iAndIcon},   {"inand", iNandIcon},
    {"cior", CiOrIcon},   {"cinor", CiNorIcon}, {"tsb", tsbIcon}, {"rect", rectIcon},   {"circle", circleIcon},
};

// Kind names of the shapes below, by index into componentKinds.
int k(const char* name) { return kindNamed(name); }

// 2^n for the address widths a bus can have, or -1.
long long power(int n) { return n >= 0 && n < 31 ? 1LL << n : -1; }

bool isWire(int serial, int numberOfSignals) { return serial >= 0 && serial < numberOfSignals; }

const KindInfo ram = {"Ram", memoryRole, 10};
const KindInfo registerFile = {"RegisterFile", memoryRole, 10};
const KindInfo module = {"Module", otherRole, 0};
const KindInfo space = {"Space", otherRole, 0};
const KindInfo other = {"other", otherRole, 0};

bool isMemory(int c) { return phaseTwo->runTimeCalls[c].logicEvaluate == multiPortRam; }

}  // namespace

int kindRegisteredWith(functionPointer evaluate, SecondaryEvaluatePointer secondary, functionPointer drawDynamic,
                       functionPointer xEventTriggered, functionPointer heapQueueEventTriggered, const int* icon) {
    if (secondary.s != nullptr || heapQueueEventTriggered != nullptr) return -1;
    for (int i = 0; i < numberOfComponentKinds; i++) {
        const ComponentKind& kind = componentKinds[i];
        if (kind.logicEvaluate != evaluate || kind.drawDynamic != drawDynamic ||
            kind.xEventTriggered != xEventTriggered)
            continue;
        if (kind.icon && kind.icon != icon) continue;
        return i;
    }
    return -1;
}

int kindNamed(const char* name) {
    for (int i = 0; i < numberOfComponentKinds; i++)
        if (std::strcmp(componentKinds[i].name, name) == 0) return i;
    return -1;
}

int registeredKind(int c) {
    const PhaseTwo& p2 = *phaseTwo;
    if (c < 0 || c >= p2.numberOfComponents) return -1;
    return kindRegisteredWith(p2.runTimeCalls[c].logicEvaluate, p2.secondaryEvaluate[c], p2.runTimeCalls[c].drawDynamic,
                              p2.xEventTriggered[c], p2.heapQueueEventTriggered[c], registeredIcon(c));
}

const char* iconName(const int* icon) {
    if (icon == nullptr) return "-";
    for (const NamedIcon& i : icons)
        if (i.icon == icon) return i.name;
    return nullptr;
}

const int* iconNamed(const char* name, bool& found) {
    found = true;
    if (std::strcmp(name, "-") == 0) return nullptr;
    for (const NamedIcon& i : icons)
        if (std::strcmp(i.name, name) == 0) return i.icon;
    found = false;
    return nullptr;
}

const char* kindShapeError(int kind, const KindShape& s, int numberOfSignals) {
    if (kind < 0 || kind >= numberOfComponentKinds) return "no such kind";
    const int* p = s.integers;
    const bool memory = kind == k("Memory");
    if (!memory && (s.internal32 != 0 || s.internal16 != 0 || s.internal8 != 0))
        return "private state that only a memory has";
    if (kind != k("Rom") && s.byteParameters != 0) return "byte parameters that only a ROM has";
    // The kinds whose constructors pass integer parameters; every other
    // kind has none.
    const bool withIntegers = kind == k("Switch") || kind == k("Pulser") || kind == k("Clock") ||
                              kind == k("PowerOn") || kind == k("Adder") || memory || kind == k("Rom");
    if (!withIntegers && s.integerParameters != 0) return "integer parameters its kind has none of";

    const char* pins = "pin counts its kind's constructor never gives";
    if (kind == k("And") || kind == k("Or")) return s.outputs == 1 ? nullptr : pins;
    if (kind == k("Not")) return s.dataInputs == 1 && s.outputs == 1 ? nullptr : pins;
    if (kind == k("Tsb")) return s.dataInputs == 1 && s.controlInputs == 1 && s.outputs == 1 ? nullptr : pins;
    if (kind == k("Switch")) {
        if (s.outputs != 1 || s.dataInputs != 0 || s.controlInputs != 0 || s.integerParameters != 1) return pins;
        return isWire(p[0], numberOfSignals) ? nullptr : "an initial-value wire that does not exist";
    }
    if (kind == k("Pulser") || kind == k("PowerOn")) {
        if (s.outputs < 1 || s.dataInputs != 0 || s.controlInputs != 0 || s.integerParameters != 2) return pins;
        return isWire(p[1], numberOfSignals) ? nullptr : "an initial-value wire that does not exist";
    }
    if (kind == k("Clock")) {
        if (s.outputs < 1 || s.dataInputs != 0 || s.controlInputs != 0 || s.integerParameters != 4) return pins;
        return isWire(p[3], numberOfSignals) ? nullptr : "an initial-value wire that does not exist";
    }
    if (kind == k("Stop")) return s.dataInputs >= 1 ? nullptr : pins;
    if (kind == k("Probe")) return s.dataInputs == 1 ? nullptr : pins;
    if (kind == k("Adder")) {
        if (s.integerParameters != 1) return pins;
        return s.dataInputs == 2 * s.outputs && p[0] == s.outputs ? nullptr : pins;
    }
    if (kind == k("Increment")) return s.dataInputs >= s.outputs ? nullptr : pins;
    if (kind == k("Mux"))
        return power(s.controlInputs) >= 0 && s.dataInputs == s.outputs * power(s.controlInputs) ? nullptr : pins;
    if (kind == k("Decoder")) return s.controlInputs == 1 && s.outputs == power(s.dataInputs) ? nullptr : pins;
    if (kind == k("Encoder")) return s.outputs >= 1 && s.dataInputs == power(s.outputs - 1) ? nullptr : pins;
    if (kind == k("Gate")) return s.dataInputs == 2 && s.outputs == 1 ? nullptr : pins;
    if (kind == k("Counter")) return s.dataInputs >= 2 ? nullptr : pins;
    if (kind == k("Dff")) return s.dataInputs == 4 && s.outputs == 1 ? nullptr : pins;
    if (kind == k("Jkff")) return s.dataInputs == 5 && s.outputs == 2 ? nullptr : pins;
    if (kind == k("Register")) return s.controlInputs == 2 && s.dataInputs == s.outputs ? nullptr : pins;
    if (kind == k("BitAddressibleRegister")) {
        // data: bit, write address, read address of as many wires; outputs:
        // the bit and one wire per address.
        if (s.controlInputs != 4 || s.dataInputs < 1 || (s.dataInputs - 1) % 2 != 0) return pins;
        return s.outputs == 1 + power((s.dataInputs - 1) / 2) ? nullptr : pins;
    }
    if (kind == k("Stderr")) return s.dataInputs == 10 ? nullptr : pins;
    if (kind == k("IntOut") || kind == k("HexOut")) return s.controlInputs == 2 ? nullptr : pins;
    if (memory) {
        if (s.integerParameters != 8) return pins;
        const long long words = p[0], w = p[1], a = p[2], r = p[3], wp = p[4];
        if (words < 0 || w < 0 || a < 0 || r < 0 || wp < 0 || a > 30 || (p[7] != 0 && p[7] != 1))
            return "memory geometry its constructor never gives";
        const long long perWord = (w - 1) / 16 + 1;
        // The stored words are allocated when the netlist is built: a
        // memory of more than 2^24 words of 32 bits is refused.
        if (p[5] != perWord || p[6] != words * perWord || p[6] > (1LL << 24))
            return "memory geometry its constructor never gives";
        if (s.outputs != r * w || s.dataInputs != wp * w || s.controlInputs != wp * (a + 2) + a * r)
            return pins;
        return s.internal32 == p[6] && s.internal16 == 0 && s.internal8 == wp ? nullptr
                                                                                : "private state its kind never has";
    }
    if (kind == k("Rom")) {
        if (s.integerParameters != 3) return pins;
        const long long words = p[0], bits = p[1], perWord = p[2];
        if (bits < 1 || perWord != (bits - 1) / 8 + 1 || words != power(s.dataInputs) || s.outputs != bits)
            return pins;
        return s.byteParameters == words * perWord ? nullptr : "ROM contents of another size than its words";
    }
    return nullptr;  // the remaining gates, probes and boxes read only the pins they have
}

const KindInfo& kindOf(int c) {
    const PhaseTwo& p2 = *phaseTwo;
    const functionPointer evaluate = p2.runTimeCalls[c].logicEvaluate;
    if (evaluate == multiPortRam) return p2.integerParameters[c][7] == 1 ? registerFile : ram;
    if (evaluate) {
        for (int i = 0; i < numberOfComponentKinds; i++)
            if (componentKinds[i].logicEvaluate == evaluate) return componentKinds[i];
        return other;
    }
    // Without an evaluator: a switch or pulser by its keyboard hook, a probe
    // by its drawing.
    for (int i = 0; i < numberOfComponentKinds; i++) {
        const ComponentKind& k = componentKinds[i];
        if (k.logicEvaluate) continue;
        if (k.xEventTriggered ? k.xEventTriggered == p2.xEventTriggered[c]
                              : k.drawDynamic && k.drawDynamic == p2.runTimeCalls[c].drawDynamic)
            return k;
    }
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
