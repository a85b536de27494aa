// Phase three: connectivity check and activation lists. Both walk every pin
// of every component once, so they take time linear in the number of pins;
// the results are those of the wire-by-wire, component-by-component
// definition (ascending component order, each component once per wire).
#include "Ph3.h"

#include <cstdio>

#include "Ph2.h"

PhaseThree* phaseThree = nullptr;

PhaseThree::PhaseThree() {
    const int signals = phaseTwo->numberOfSignals;
    currentSignals = new SignalValue[signals];
    signalChangeMarks = new int[signals]();
    activationListStart = new int[signals + 1]();  // every list empty until formed
    activationList = nullptr;
    const int components = phaseTwo->numberOfComponents;
    activationWordCount = (components + 63) / 64;
    activationSummaryCount = (activationWordCount + 63) / 64;
    componentsActivated = new unsigned long[activationWordCount > 0 ? activationWordCount : 1]();
    activatedWords = new unsigned long[activationSummaryCount > 0 ? activationSummaryCount : 1]();
    wireRecords = new WireRecord[signals > 0 ? signals : 1]();  // every list empty until formed
    resetRunTimeState();
}

void PhaseThree::resetRunTimeState() {
    const PhaseTwo& p2 = *phaseTwo;
    for (int s = 0; s < p2.numberOfSignals; s++) {
        SignalValue v = p2.constSignals[s] ? p2.signalInitializations[s] : UNINITIALIZED;
        currentSignals[s] = v;
        wireRecords[s].scheduledSignal = v;
        wireRecords[s].scheduledTime = 0;
        wireRecords[s].whenScheduled = 0;
    }
    activateAll();
}

void PhaseThree::activateAll() {
    // Whole words, then the components of a partial last word; the same
    // for the words' marks.
    const int components = phaseTwo->numberOfComponents;
    for (int w = 0; w < activationWordCount; w++) componentsActivated[w] = ~0ul;
    if (components % 64) componentsActivated[activationWordCount - 1] = (1ul << (components % 64)) - 1;
    for (int e = 0; e < activationSummaryCount; e++) activatedWords[e] = ~0ul;
    if (activationWordCount % 64)
        activatedWords[activationSummaryCount - 1] = (1ul << (activationWordCount % 64)) - 1;
}

void PhaseThree::checkConnectivity() const {
    const PhaseTwo& p2 = *phaseTwo;
    // Driver counts; constant wires count as driven. Only zero versus
    // nonzero matters, so a plain driver just makes the count nonzero.
    int* driven = new int[p2.numberOfSignals];
    for (int s = 0; s < p2.numberOfSignals; s++) driven[s] = p2.constSignals[s];
    for (int c = 0; c < p2.numberOfComponents; c++)
        for (int p = 0; p < p2.numberOfOutputs[c]; p++) {
            int w = p2.outputs[c][p];
            if (p2.outputOverloadable[c])
                driven[w]++;
            else if (driven[w] == 0)
                driven[w] = 1;
        }

    int warnings = 0;
    for (int c = 0; c < p2.numberOfComponents; c++) {
        for (int p = 0; p < p2.numberOfDataInputs[c]; p++) {
            int w = p2.dataInputs[c][p];
            if (w > 1 && !driven[w] && !p2.constSignals[w]) {
                std::fprintf(stderr,
                             "Warning -- signal[%d] %s has no driver, cmp = %d %s at %s has unconnected DATA input, "
                             "position = %d\n",
                             w, p2.signalNames[w], c, p2.decal[c], positionString(p2.rcpos[c]), p);
                sayPlace(p2.place[c]);
                warnings++;
            }
        }
        for (int p = 0; p < p2.numberOfControlInputs[c]; p++) {
            int w = p2.controlInputs[c][p];
            if (w > 1 && !driven[w]) {
                std::fprintf(stderr,
                             "Warning -- signal[%d] has no driver, cmp = %d %s at %s has unconnected CONTROL input, "
                             "position = %d\n",
                             w, c, p2.decal[c], positionString(p2.rcpos[c]), p);
                sayPlace(p2.place[c]);
                warnings++;
            }
        }
    }
    if (warnings) std::fprintf(stderr, "There are %d inputUnconnectedWarnings\n", warnings);
    delete[] driven;
    checkMultipleDrivers();
}

// Two outputs on one wire settle it to whichever changed last, silently;
// only outputs registered as overloadable (tri-state buffers, module boxes)
// are meant to share. The drivers of each wire are gathered into one block,
// wire by wire, in ascending component order; a component with the same
// wire on several outputs counts once.
void PhaseThree::checkMultipleDrivers() const {
    const PhaseTwo& p2 = *phaseTwo;
    const int signals = p2.numberOfSignals;
    int* count = new int[signals + 1]();
    int* lastDriver = new int[signals];
    for (int s = 0; s < signals; s++) lastDriver[s] = -1;
    auto forEachDriver = [&](auto visit) {
        for (int c = 0; c < p2.numberOfComponents; c++) {
            if (p2.outputOverloadable[c]) continue;
            for (int p = 0; p < p2.numberOfOutputs[c]; p++) {
                int w = p2.outputs[c][p];
                if (lastDriver[w] == c) continue;
                lastDriver[w] = c;
                visit(c, w);
            }
        }
    };
    forEachDriver([&](int, int w) { count[w + 1]++; });
    // count[w] becomes where wire w's drivers start in the block.
    for (int s = 0; s < signals; s++) count[s + 1] += count[s];
    int* drivers = new int[count[signals] > 0 ? count[signals] : 1];
    int* filled = new int[signals];
    for (int s = 0; s < signals; s++) {
        filled[s] = count[s];
        lastDriver[s] = -1;
    }
    forEachDriver([&](int c, int w) { drivers[filled[w]++] = c; });

    int warnings = 0;
    for (int w = 0; w < signals; w++) {
        const int k = count[w + 1] - count[w];
        if (k < 2) continue;
        std::fprintf(stderr, "Warning -- signal[%d] %s has %d drivers: ", w, p2.signalNames[w], k);
        for (int i = count[w]; i < count[w + 1]; i++) {
            int c = drivers[i];
            std::fprintf(stderr, "%scmp = %d %s at %s", i > count[w] ? ", " : "", c, p2.decal[c], positionString(p2.rcpos[c]));
        }
        std::fputc('\n', stderr);
        for (int i = count[w]; i < count[w + 1]; i++) sayPlace(p2.place[drivers[i]]);
        warnings++;
    }
    if (warnings) std::fprintf(stderr, "There are %d multipleDriverWarnings\n", warnings);
    delete[] filled;
    delete[] drivers;
    delete[] lastDriver;
    delete[] count;
}

namespace {

// Calls visit(c, w) once for every wire w on whose activation list component
// c belongs, for components in ascending order. `lastVisitor` (one entry per
// wire, all -1 on entry) keeps a component off a list it is already on; since
// components come in ascending order, the last one entered is the only one
// that can repeat.
template <typename Visit>
void forEachActivation(int* lastVisitor, Visit visit) {
    const PhaseTwo& p2 = *phaseTwo;
    auto offer = [&](int c, int w) {
        if (lastVisitor[w] != c) {
            lastVisitor[w] = c;
            visit(c, w);
        }
    };
    for (int c = 0; c < p2.numberOfComponents; c++) {
        for (int p = 0; p < p2.numberOfDataInputs[c]; p++) offer(c, p2.dataInputs[c][p]);
        for (int p = 0; p < p2.numberOfControlInputs[c]; p++) offer(c, p2.controlInputs[c][p]);
        if (p2.selfActivating[c])
            for (int p = 0; p < p2.numberOfOutputs[c]; p++) offer(c, p2.outputs[c][p]);
    }
}

}  // namespace

void PhaseThree::formActivationLists() {
    const int signals = phaseTwo->numberOfSignals;
    int* lastVisitor = new int[signals > 0 ? signals : 1];

    // Counting pass: wire s's count goes into activationListStart[s + 1].
    for (int s = 0; s <= signals; s++) activationListStart[s] = 0;
    for (int s = 0; s < signals; s++) lastVisitor[s] = -1;
    forEachActivation(lastVisitor, [&](int, int w) { activationListStart[w + 1]++; });

    // The running sums make the counts the starts; the filling pass then
    // uses each wire's start as its fill position, which moves it on to the
    // next wire's start, and a final shift puts the starts back.
    for (int s = 0; s < signals; s++) activationListStart[s + 1] += activationListStart[s];
    const int total = activationListStart[signals];
    delete[] activationList;
    activationList = new int[total > 0 ? total : 1];
    for (int s = 0; s < signals; s++) lastVisitor[s] = -1;
    forEachActivation(lastVisitor, [&](int c, int w) { activationList[activationListStart[w]++] = c; });
    for (int s = signals; s > 0; s--) activationListStart[s] = activationListStart[s - 1];
    activationListStart[0] = 0;

    for (int s = 0; s < signals; s++) {
        WireRecord& r = wireRecords[s];
        r.activationLength = lengthOfActivationList(s);
        if (r.activationsInline())
            for (int i = 0; i < r.activationLength; i++) r.activationCopy[i] = activationList[activationListStart[s] + i];
        else
            r.activationCopy[0] = activationListStart[s];
    }

    delete[] lastVisitor;
}
