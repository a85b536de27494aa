// Phase two: phase-one lists into netlist arrays.
#include "Ph2.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "OutOfMemory.h"
#include "Ph1.h"

PhaseTwo* phaseTwo = nullptr;

namespace {

// A block of `total` elements handed out front to back. Phase two sizes its
// blocks in a first walk over the lists and then carves every per-component
// and per-wire array out of them: a handful of allocations instead of
// several per component keeps the conversion of a large circuit quick. The
// blocks belong to the netlist and, like it, are never released.
template <typename T>
class Block {
public:
    explicit Block(size_t total) : next(total ? new T[total] : nullptr) {}
    // The next `count` elements, or null when count is below 1.
    T* take(int count) {
        if (count < 1) return nullptr;
        T* p = next;
        next += count;
        return p;
    }
    T* copy(int count, const T* values) {
        T* p = take(count);
        if (p) std::memcpy(p, values, sizeof(T) * count);
        return p;
    }

private:
    T* next;
};

// `count` zeroed elements for an array that nothing writes yet: the memory
// comes zeroed from the system and is not touched, so an array costs no
// resident memory until it is written, and none if it never is. Like the other netlist arrays it is
// never released.
template <typename T>
T* untouchedZeros(int count) {
    void* p = std::calloc(count > 0 ? static_cast<size_t>(count) : 1, sizeof(T));
    if (!p) outOfMemory();
    return static_cast<T*>(p);
}

// a[i] = v for an array taken by untouchedZeros, skipping the store when v
// is zero or null (the element already is), so that the pages of runs of
// components with nothing there stay untouched.
template <typename T>
void storeNonZero(T* a, int i, T v) {
    if (v) a[i] = v;
}

char* copyInto(Block<char>& chars, const char* s) {
    int n = static_cast<int>(std::strlen(s)) + 1;
    return chars.copy(n, s);
}

}  // namespace

PhaseTwo::PhaseTwo()
    : numberOfSignals(0), numberOfComponents(0), numberOfSwitches(0), maxGraphicDisplayLevel(1),
      runTimeCalls(nullptr), secondaryEvaluate(nullptr), xEventTriggered(nullptr),
      heapQueueEventTriggered(nullptr), iconArrays(nullptr), state(nullptr), tile(nullptr),
      outputOverloadable(nullptr), selfActivating(nullptr), multiplexer(nullptr), graphicLevel(nullptr), rcpos(nullptr), decal(nullptr),
      numberOfDataInputs(nullptr), dataInputs(nullptr), numberOfControlInputs(nullptr), controlInputs(nullptr),
      numberOfOutputs(nullptr), outputs(nullptr), numberOfPointerParameters(nullptr), pointerParameters(nullptr),
      numberOfNameParameters(nullptr), nameParameters(nullptr), numberOfIntegerParameters(nullptr),
      integerParameters(nullptr), numberOfByteParameters(nullptr), byteParameters(nullptr),
      numberOfInternal32BitVariables(nullptr), internal32BitVariables(nullptr),
      numberOfInternal16BitVariables(nullptr), internal16BitVariables(nullptr),
      numberOfInternal8BitVariables(nullptr), internal8BitVariables(nullptr), place(nullptr),
      activationsFromWindow(nullptr), signalInitializations(nullptr), signalNames(nullptr), constSignals(nullptr),
      numberOfBuses(0), busNames(nullptr), busOrdinals(nullptr), busFirstSignals(nullptr), busWidths(nullptr) {}

void PhaseTwo::listsToArrays() {
    numberOfComponents = phaseOne->componentList.numberOfComponents;
    numberOfSignals = phaseOne->signalList.numberOfSignals;
    numberOfSwitches = phaseOne->switchList.numberOfSwitches;

    const int n = numberOfComponents;
    // The tiles and the states start all zero and are first written after
    // the lists are freed (by the tiling and the evaluators): taken untouched,
    // they add nothing to the memory in use while lists and arrays coexist.
    tile = untouchedZeros<ScreenTile>(n);
    runTimeCalls = new RunTimeCalls[n];
    secondaryEvaluate = new SecondaryEvaluatePointer[n];
    xEventTriggered = untouchedZeros<functionPointer>(n);
    heapQueueEventTriggered = untouchedZeros<functionPointer>(n);
    iconArrays = new const int*[n];
    state = untouchedZeros<int>(n);
    outputOverloadable = new int[n];
    selfActivating = new int[n];
    multiplexer = untouchedZeros<int>(n);
    graphicLevel = new int[n];
    rcpos = new const PositionField*[n];
    decal = new char*[n];
    numberOfDataInputs = new int[n];
    dataInputs = new int*[n];
    numberOfControlInputs = new int[n];
    controlInputs = new int*[n];
    numberOfOutputs = new int[n];
    outputs = new int*[n];
    numberOfPointerParameters = untouchedZeros<int>(n);
    pointerParameters = untouchedZeros<void*>(n);
    numberOfNameParameters = untouchedZeros<int>(n);
    nameParameters = untouchedZeros<char*>(n);
    // Most components (the gates) have no hooks, parameters or internal
    // variables: these arrays are taken untouched and only the components
    // that have some write to them (storeNonZero).
    numberOfIntegerParameters = untouchedZeros<int>(n);
    integerParameters = untouchedZeros<int*>(n);
    numberOfByteParameters = untouchedZeros<int>(n);
    byteParameters = untouchedZeros<unsigned char*>(n);
    numberOfInternal32BitVariables = untouchedZeros<int>(n);
    internal32BitVariables = untouchedZeros<unsigned int*>(n);
    numberOfInternal16BitVariables = untouchedZeros<int>(n);
    internal16BitVariables = untouchedZeros<unsigned short*>(n);
    numberOfInternal8BitVariables = untouchedZeros<int>(n);
    internal8BitVariables = untouchedZeros<unsigned char*>(n);
    place = new SourcePlace[n];
    activationsFromWindow = new int[numberOfSwitches][3];
    signalInitializations = new SignalValue[numberOfSignals];
    signalNames = new char*[numberOfSignals];
    constSignals = new int[numberOfSignals]();

    size_t ints = 0, bytes = 0, words32 = 0, words16 = 0, chars = 0;
    auto count = [](int n) { return n > 0 ? static_cast<size_t>(n) : 0; };
    for (const ComponentNode* c = phaseOne->componentList.start; c; c = c->ptr) {
        ints += count(c->numberOfDataInputs) + count(c->numberOfControlInputs) + count(c->numberOfOutputs) +
                count(c->numberOfIntegerParameters);
        bytes += count(c->numberOfByteParameters) + count(c->numberOfInternal8BitVariables);
        words32 += count(c->numberOfInternal32BitVariables);
        words16 += count(c->numberOfInternal16BitVariables);
        chars += std::strlen(c->decal) + 1;
    }
    for (const SignalNode* s = phaseOne->signalList.start; s; s = s->ptr) chars += std::strlen(s->name) + 1;
    for (const BusNode* b = phaseOne->signalList.firstBus; b; b = b->ptr) chars += std::strlen(b->name) + 1;
    Block<int> intBlock(ints);
    Block<unsigned char> byteBlock(bytes);
    Block<unsigned int> block32(words32);
    Block<unsigned short> block16(words16);
    Block<char> charBlock(chars);

    int i = 0;
    for (const ComponentNode* c = phaseOne->componentList.start; c; c = c->ptr, i++) {
        runTimeCalls[i].logicEvaluate = c->logicEvaluate;
        secondaryEvaluate[i] = c->secondaryEvaluate;
        runTimeCalls[i].drawDynamic = c->drawDynamic;
        runTimeCalls[i].numberOfDataInputs = c->numberOfDataInputs;
        runTimeCalls[i].firstOutput = c->numberOfOutputs > 0 ? c->outputs[0] : -1;
        for (int p = 0; p < 2; p++)
            runTimeCalls[i].firstDataInputs[p] = p < c->numberOfDataInputs ? c->dataInputs[p] : -1;
        storeNonZero(xEventTriggered, i, c->xEventTriggered);
        storeNonZero(heapQueueEventTriggered, i, c->heapQueueEventTriggered);
        iconArrays[i] = c->iconArray;
        outputOverloadable[i] = c->outputOverloadable;
        selfActivating[i] = c->selfActivating;
        storeNonZero(multiplexer, i, c->multiplexer);
        graphicLevel[i] = c->graphicLevel;
        if (graphicLevel[i] > maxGraphicDisplayLevel) maxGraphicDisplayLevel = graphicLevel[i];
        rcpos[i] = c->position;
        decal[i] = copyInto(charBlock, c->decal);
        numberOfDataInputs[i] = c->numberOfDataInputs;
        dataInputs[i] = intBlock.copy(c->numberOfDataInputs, c->dataInputs);
        numberOfControlInputs[i] = c->numberOfControlInputs;
        controlInputs[i] = intBlock.copy(c->numberOfControlInputs, c->controlInputs);
        numberOfOutputs[i] = c->numberOfOutputs;
        outputs[i] = intBlock.copy(c->numberOfOutputs, c->outputs);
        storeNonZero(numberOfIntegerParameters, i, c->numberOfIntegerParameters);
        storeNonZero(integerParameters, i, intBlock.copy(c->numberOfIntegerParameters, c->integerParameters));
        storeNonZero(numberOfByteParameters, i, c->numberOfByteParameters);
        storeNonZero(byteParameters, i, byteBlock.copy(c->numberOfByteParameters, c->byteParameters));
        storeNonZero(numberOfInternal32BitVariables, i, c->numberOfInternal32BitVariables);
        storeNonZero(internal32BitVariables, i, block32.take(c->numberOfInternal32BitVariables));
        storeNonZero(numberOfInternal16BitVariables, i, c->numberOfInternal16BitVariables);
        storeNonZero(internal16BitVariables, i, block16.take(c->numberOfInternal16BitVariables));
        storeNonZero(numberOfInternal8BitVariables, i, c->numberOfInternal8BitVariables);
        storeNonZero(internal8BitVariables, i, byteBlock.take(c->numberOfInternal8BitVariables));
        place[i] = c->place;  // the file name is a literal of the circuit's code
    }

    for (int s = 0; s < numberOfSignals; s++) {
        signalInitializations[s] = UNINITIALIZED;
        signalNames[s] = nullptr;
    }
    for (const SignalNode* s = phaseOne->signalList.start; s; s = s->ptr) {
        signalInitializations[s->signalSerialNumber] = s->value;
        constSignals[s->signalSerialNumber] = s->constSignal;
        signalNames[s->signalSerialNumber] = copyInto(charBlock, s->name);
    }

    numberOfBuses = phaseOne->signalList.numberOfBuses;
    busNames = new char*[numberOfBuses > 0 ? numberOfBuses : 1];
    busOrdinals = new int[numberOfBuses > 0 ? numberOfBuses : 1];
    busFirstSignals = new int[numberOfBuses > 0 ? numberOfBuses : 1];
    busWidths = new int[numberOfBuses > 0 ? numberOfBuses : 1];
    std::unordered_map<std::string, int> declaredSoFar;
    int b = 0;
    for (const BusNode* node = phaseOne->signalList.firstBus; node; node = node->ptr, b++) {
        busNames[b] = copyInto(charBlock, node->name);
        busOrdinals[b] = ++declaredSoFar[node->name];
        busFirstSignals[b] = node->firstSignal;
        busWidths[b] = node->width;
    }

    int j = 0;
    for (const SwitchNode* w = phaseOne->switchList.start; w; w = w->ptr, j++) {
        activationsFromWindow[j][0] = static_cast<signed char>(w->keyChar);
        activationsFromWindow[j][1] = w->componentNumber;
        activationsFromWindow[j][2] = w->signalSerialNumber;
    }
}

std::string PhaseTwo::busName(int b) const {
    std::string name = busNames[b];
    if (busOrdinals[b] > 1) name += "#" + std::to_string(busOrdinals[b]);
    return name;
}

void PhaseTwo::dumpFromArrays() const {
    std::fprintf(stderr, "dumpFromArrays():\n");
    for (int i = 0; i < numberOfSignals; i++)
        std::fprintf(stderr, "Signal %d  Init = %d constSignal = %d  Name = %s\n", i,
                     static_cast<int>(signalInitializations[i]), constSignals[i], signalNames[i]);
    for (int i = 0; i < numberOfSwitches; i++)
        std::fprintf(stderr, "Switch %d  keyChar = %c  CompNumber = %d  SignalSerialNumber = %d\n", i,
                     static_cast<char>(activationsFromWindow[i][0]), activationsFromWindow[i][1],
                     activationsFromWindow[i][2]);
    for (int i = 0; i < numberOfComponents; i++) {
        std::fprintf(stderr, "Comp %d eval() at %p  iconArray at %p  overLoadable = %d\n", i,
                     reinterpret_cast<void*>(runTimeCalls[i].logicEvaluate), static_cast<const void*>(iconArrays[i]),
                     outputOverloadable[i]);
        std::fprintf(stderr, "   rcpos =  %s  decal = %s \n", positionString(rcpos[i]), decal[i]);
        std::fprintf(stderr, "   Inputs[%d]:", numberOfDataInputs[i]);
        for (int p = 0; p < numberOfDataInputs[i]; p++) std::fprintf(stderr, " %d", dataInputs[i][p]);
        std::fprintf(stderr, "  Outputs[%d]:", numberOfOutputs[i]);
        for (int p = 0; p < numberOfOutputs[i]; p++) std::fprintf(stderr, " %d", outputs[i][p]);
        std::fputc('\n', stderr);
    }
}
