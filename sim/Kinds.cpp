// The table of library kinds, the kinds of the registered components, the
// icon names, and the shapes each kind's constructor guarantees.
#include "Kinds.h"

#include <cstring>
#include <vector>

#include "components/msi.h"
#include "components/ssi.h"
#include "components/vlsi.h"
#include "display/iconData.h"

// Kinds without functions come last: Module and Space by their icons, then
// Passive, a component with nothing to run or draw live (any icon).
const ComponentKind componentKinds[] = {
    {"And", and_, nullptr, nullptr, nullptr},
    {"Or", or_, nullptr, nullptr, nullptr},
    {"Nand", nand, nullptr, nullptr, nullptr},
    {"Nor", nor, nullptr, nullptr, nullptr},
    {"Not", not_, nullptr, nullptr, nullptr},
    {"Xor", xor_, nullptr, nullptr, nullptr},
    {"Xnor", xnor, nullptr, nullptr, nullptr},
    {"MultiLevelCompare", multiLevelCompare, nullptr, nullptr, nullptr},
    {"Iand", iand, nullptr, nullptr, nullptr},
    {"Inand", inand, nullptr, nullptr, nullptr},
    {"CiOr", cior, nullptr, nullptr, nullptr},
    {"CiNor", cinor, nullptr, nullptr, nullptr},
    {"Tsb", tsb, nullptr, nullptr, nullptr},
    {"Switch", nullptr, switchPane, toggleSwitch, nullptr},
    {"Pulser", nullptr, switchPane, togglePulser, nullptr},
    {"Clock", clock_, switchPane, nullptr, nullptr},
    {"PowerOn", powerOn, switchPane, nullptr, nullptr},
    {"Stop", stop, nullptr, nullptr, nullptr},
    {"Probe", nullptr, probe, nullptr, nullptr},
    {"ProbeByte", nullptr, probebyte, nullptr, nullptr},
    {"ProbeByteH", nullptr, probebyteh, nullptr, nullptr},
    {"Adder", adder, nullptr, nullptr, nullptr},
    {"Increment", increment, nullptr, nullptr, nullptr},
    {"Mux", mux, nullptr, nullptr, nullptr},
    {"Decoder", decoder, nullptr, nullptr, nullptr},
    {"Encoder", encoder, nullptr, nullptr, nullptr},
    {"Gate", gate, nullptr, nullptr, nullptr},
    {"Counter", counter, nullptr, nullptr, nullptr},
    {"Dff", dff, nullptr, nullptr, nullptr},
    {"Jkff", jkff, nullptr, nullptr, nullptr},
    {"Register", enabledRegister, nullptr, nullptr, nullptr},
    {"BitAddressibleRegister", bitAddressibleRegister, nullptr, nullptr, nullptr},
    {"Stderr", _stderr, nullptr, nullptr, nullptr},
    {"IntOut", intOut, nullptr, nullptr, nullptr},
    {"HexOut", hexOut, nullptr, nullptr, nullptr},
    {"Memory", multiPortRam, nullptr, nullptr, nullptr},  // RegisterFile and Ram
    {"Rom", rom, nullptr, nullptr, nullptr},
    {"Module", nullptr, nullptr, nullptr, rectIcon},
    {"Space", nullptr, nullptr, nullptr, spaceIcon},
    {"Passive", nullptr, nullptr, nullptr, nullptr},
};
const int numberOfComponentKinds = sizeof componentKinds / sizeof componentKinds[0];

namespace {

std::vector<int> kinds;  // by component number

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

}  // namespace

int kindOf(functionPointer evaluate, SecondaryEvaluatePointer secondary, functionPointer drawDynamic,
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

void recordKind(int c, int kind) {
    if (c < 0) return;
    if (static_cast<size_t>(c) >= kinds.size()) kinds.resize(static_cast<size_t>(c) + 1, -1);
    kinds[static_cast<size_t>(c)] = kind;
}

int registeredKind(int c) { return c >= 0 && static_cast<size_t>(c) < kinds.size() ? kinds[c] : -1; }

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
