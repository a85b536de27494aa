// Buses and the phase-one signal list. Every declaring constructor appends
// its wires to phaseOne->signalList; derived buses only copy serial numbers.
#include "Signal.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Ph1.h"
#include "ownedCopy.h"

namespace {

// What a destroyed bus is called; never freed.
char deletedName[] = "DELETED";

}  // namespace

const char* signalValueName(SignalValue sv) {
    switch (sv) {
    case ZERO: return "ZERO";
    case UNINITIALIZED: return "UNINITIALIZED";
    case XXX: return "XXX";
    case HIZ: return "HIZ";
    case ONE: return "ONE";
    }
    return "NOT A SIGNAL";
}

void saySignalValue(SignalValue sv) { std::fputs(signalValueName(sv), stderr); }

// ---------------------------------------------------------------------------
// Declaring constructors

void Signal::declare(unsigned int nr, const char* name, SignalValue init, const unsigned int* mask,
                     int constWires, const SourcePlace& at) {
    if (phaseOne == nullptr) phaseOne = new PhaseOne;
    // The width arrives unsigned: a negative width written in the circuit
    // shows up here as a number beyond the int range.
    if (nr > static_cast<unsigned int>(INT_MAX)) {
        std::fprintf(stderr, "Error--Signal %s with negative width %d\n", name ? name : "Annon",
                     static_cast<int>(nr));
        sayPlace(at);
        std::exit(1);
    }
    // A null name registers every wire as "Annon" without an index; the bus
    // itself is then called "Annon" too, so that it prints as something.
    nameTag = copyString(name ? name : "Annon");
    length = static_cast<int>(nr);
    if (nr == 0) {
        serialNumber = nullptr;
        return;
    }
    serialNumber = new int[nr];
    SignalList& list = phaseOne->signalList;
    // Named buses are kept for finding them by name after the build (test
    // vectors, waveform files). The first two wires are the library's own
    // constants Zero and One, not buses of the circuit.
    if (name && list.numberOfSignals >= 2) list.addBus(name, list.numberOfSignals, static_cast<int>(nr));
    std::string wireName;
    for (unsigned int i = 0; i < nr; i++) {
        serialNumber[i] = list.numberOfSignals;
        SignalValue v = init;
        // Bits above 31 of a mask do not exist: such wires are ZERO.
        if (mask) v = (i < 32 && ((*mask >> i) & 1u)) ? ONE : ZERO;
        if (name) {
            wireName = name;
            wireName += '[';
            wireName += std::to_string(i);
            wireName += ']';
            list.add(list.numberOfSignals, v, wireName.c_str(), constWires);
        } else {
            list.add(list.numberOfSignals, v, "Annon", constWires);
        }
        list.numberOfSignals++;
    }
}

Signal::Signal(unsigned int nr, const char* name, SourcePlace at) : constSignal(0), madeAt(at) {
    declare(nr, name, UNINITIALIZED, nullptr, 0, at);
}

// The bus's own flag follows constValue, so that buses derived from a
// constant bus made this way print as constant too.
Signal::Signal(unsigned int nr, SignalValue initValue, int constValue, const char* name, SourcePlace at)
    : constSignal(constValue), madeAt(at) {
    declare(nr, name, initValue, nullptr, constValue, at);
}

Signal::Signal(unsigned int nr, unsigned int setMask, const char* name, SourcePlace at)
    : constSignal(1), madeAt(at) {
    declare(nr, name, ZERO, &setMask, 1, at);
}

// ---------------------------------------------------------------------------
// Derived buses

Signal::Signal(int n, const char* name, int isConst)
    : length(n > 0 ? n : 0),
      serialNumber(n > 0 ? new int[n] : nullptr),
      constSignal(isConst),
      nameTag(copyString(name)),
      madeAt(nullptr, 0) {}

Signal::Signal(const Signal& siga, SourcePlace at) : Signal(siga.length, siga.nameTag, siga.constSignal) {
    if (length) std::memcpy(serialNumber, siga.serialNumber, sizeof(int) * length);
    madeAt = at;
}

Signal::Signal(Signal&& siga) noexcept
    : length(siga.length),
      serialNumber(siga.serialNumber),
      constSignal(siga.constSignal),
      nameTag(siga.nameTag),
      madeAt(siga.madeAt) {
    siga.length = 0;
    siga.serialNumber = nullptr;
    siga.nameTag = deletedName;
}

Signal::~Signal() {
    delete[] serialNumber;
    serialNumber = nullptr;
    if (nameTag != deletedName) delete[] nameTag;
    nameTag = deletedName;
}

namespace {

// The positions a subscript or slice of `bus` may name, after its report.
void sayRange(const Signal& bus) {
    if (bus.length > 0)
        sayExpected("a position from 0 to %d", bus.length - 1);
    else
        sayExpected("no position: %s has no wires", bus.nameTag);
}

}  // namespace

Signal Signal::operator=(Signal sig) {
    std::fprintf(stderr, "Assignment from SignalName = %s to Signal Name = %s not implemented.\n",
                 sig.nameTag, nameTag);
    std::fprintf(stderr, "  Try to use initialization instead -- or talk to the Prof.\n");
    sayPlace(sig.madeAt);
    std::exit(1);
}

Signal Signal::operator[](BusSubscript subscript) const {
    const int sub = subscript.value;
    if (sub < 0 || sub >= length) {
        std::fprintf(stderr, "Signal :: operator[] subscript out of range--\n");
        std::fprintf(stderr, "  -- Signal = %s sub = %d\n", nameTag, sub);
        sayRange(*this);
        sayPlace(subscript.at);
        std::exit(1);
    }
    // A one-wire bus keeps its name; a wire of a wider one is name[sub].
    std::string name = nameTag;
    if (length > 1) {
        name += '[';
        name += std::to_string(sub);
        name += ']';
    }
    Signal bit(1, name.c_str(), constSignal);
    bit.serialNumber[0] = serialNumber[sub];
    bit.madeAt = subscript.at;
    return bit;
}

Signal Signal::sub(int start, int end, SourcePlace at) const {
    if (start < 0 || start >= length || end < 0 || end >= length) {
        std::fprintf(stderr, "Signal member sub(int,int)--bad range: %d,%d\n", start, end);
        std::fprintf(stderr, "Source length = %d\n", length);
        sayRange(*this);
        sayPlace(at);
        // Nothing outside the source can be read: the result is an empty bus.
        return Signal(0, nameTag, constSignal);
    }
    int step = start >= end ? 1 : -1;
    Signal slice(step * (start - end) + 1, nameTag, constSignal);
    for (int p = 0; p < slice.length; p++) slice.serialNumber[p] = serialNumber[end + step * p];
    slice.madeAt = at;
    return slice;
}

Signal Signal::operator-(BusOperand end) const {
    const Signal& sig = end.bus;
    if (length != 1 || sig.length != 1) {
        std::fprintf(stderr, "Error--operator - arguments are not length = 1.\n");
        sayPlace(end.at);
        std::exit(1);
    }
    int a = serialNumber[0];
    int b = sig.serialNumber[0];
    int step = a >= b ? 1 : -1;
    Signal range(step * (a - b) + 1, nameTag, constSignal);
    for (int p = 0; p < range.length; p++) range.serialNumber[p] = b + step * p;
    range.madeAt = end.at;
    return range;
}

Signal Signal::operator,(BusOperand operand) const {
    const Signal& siga = operand.bus;
    std::string name = nameTag;
    name += ',';
    name += siga.nameTag;
    Signal joined(length + siga.length, name.c_str(), constSignal);
    if (siga.length) std::memcpy(joined.serialNumber, siga.serialNumber, sizeof(int) * siga.length);
    if (length) std::memcpy(joined.serialNumber + siga.length, serialNumber, sizeof(int) * length);
    joined.madeAt = operand.at;
    return joined;
}

// A count of 0 gives an empty bus; a negative count, or one whose product
// with the width leaves the int range, ends the program.
Signal operator*(Replication replication, const Signal& siga) {
    const int reps = replication.count;
    if (reps < 0) {
        std::fprintf(stderr, "Error--operator * negative replication: %d\n", reps);
        sayPlace(replication.at);
        std::exit(1);
    }
    const long long wires = static_cast<long long>(reps) * siga.length;
    if (wires > INT_MAX) {
        std::fprintf(stderr, "Error--operator * replication too wide: %d * %d\n", reps, siga.length);
        sayPlace(replication.at);
        std::exit(1);
    }
    const int n = static_cast<int>(wires);
    Signal copies(n, siga.nameTag, siga.constSignal);
    for (int p = 0; p < n; p++) copies.serialNumber[p] = siga.serialNumber[p % siga.length];
    copies.madeAt = replication.at;
    return copies;
}

void Signal::print() const {
    std::fprintf(stderr, "Signal.print() this=%p nameTag=%s constSignal=%d length=%d, numbered:\n     ",
                 static_cast<const void*>(this), nameTag, constSignal, length);
    for (int p = length - 1; p >= 0; p--) std::fprintf(stderr, "%d ", serialNumber[p]);
    std::fputc('\n', stderr);
}

// ---------------------------------------------------------------------------
// The phase-one signal list

void SignalNode::print() const {
    std::fprintf(stderr, "   Signal number %d   constSignal = %d  Name: %s  Value: %d\n",
                 signalSerialNumber, constSignal, name, static_cast<int>(value));
}

SignalList::SignalList()
    : numberOfSignals(0), start(nullptr), end(nullptr), numberOfBuses(0), firstBus(nullptr), lastBus(nullptr) {}

// The nodes live in phaseOne's arena and go with it.
SignalList::~SignalList() { std::fprintf(stderr, "There are %d signals.\n", numberOfSignals); }

void SignalList::add(int number, SignalValue sv, const char* name, int constSpec) {
    Arena& arena = phaseOne->arena;
    SignalNode* node = new (arena.allocate(sizeof(SignalNode)))
        SignalNode{nullptr, number, arena.copyString(name), constSpec, sv};
    if (end)
        end->ptr = node;
    else
        start = node;
    end = node;
}

void SignalList::addBus(const char* name, int firstSignal, int width) {
    Arena& arena = phaseOne->arena;
    BusNode* node = new (arena.allocate(sizeof(BusNode))) BusNode{nullptr, arena.copyString(name), firstSignal, width};
    if (lastBus)
        lastBus->ptr = node;
    else
        firstBus = node;
    lastBus = node;
    numberOfBuses++;
}

void SignalList::print() const {
    for (const SignalNode* n = start; n; n = n->ptr) n->print();
}

// Zero must be the first bus ever constructed so that it is wire 0 and One
// wire 1; both live in this unit, ahead of anything a circuit declares.
Signal Zero(1, 0u, "Zero");
Signal One(1, 1u, "One");
