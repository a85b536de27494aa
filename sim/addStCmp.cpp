// Component registration into the phase-one component list.
#include "addStCmp.h"

#include <cstring>
#include <vector>

#include "Ph1.h"

int visibleFlag = 1;

namespace {
std::vector<const int*> registeredIcons;  // by component number
}  // namespace

void noteRegisteredIcon(int c, const int* icon) {
    if (c < 0) return;
    if (static_cast<size_t>(c) >= registeredIcons.size()) registeredIcons.resize(static_cast<size_t>(c) + 1, nullptr);
    registeredIcons[static_cast<size_t>(c)] = icon;
}

const int* registeredIcon(int c) {
    return c >= 0 && static_cast<size_t>(c) < registeredIcons.size() ? registeredIcons[static_cast<size_t>(c)] : nullptr;
}

void addStandardComponent(functionPointer evaluate, SecondaryEvaluatePointer secondaryEvaluate,
                          const int* iconArray, functionPointer drawDynamic, functionPointer xEventTriggered,
                          functionPointer heapQueueEventTriggered, int outputOverloadable, int selfActivating,
                          const char* decal, const SD& sd, const Signal& dataIn, const Signal& controlIn,
                          const Signal& out, const int numberOfIntegerParameters, const int* integerParameters,
                          const int numberOfByteParameters, const unsigned char* byteParameters,
                          const int numberOfInternal32BitVariables, const int numberOfInternal16BitVariables,
                          const int numberOfInternal8BitVariables, SourcePlace at) {
    Arena& arena = phaseOne->arena;
    ComponentNode* node = new (arena.allocate(sizeof(ComponentNode))) ComponentNode;
    node->logicEvaluate = evaluate;
    node->secondaryEvaluate = secondaryEvaluate;
    node->iconArray = visibleFlag ? iconArray : nullptr;
    node->drawDynamic = drawDynamic;
    node->xEventTriggered = xEventTriggered;
    node->heapQueueEventTriggered = heapQueueEventTriggered;
    node->outputOverloadable = outputOverloadable;
    node->selfActivating = selfActivating;
    node->decal = arena.copyString(sd.decal ? sd.decal : decal);  // the descriptor's label wins
    node->position = sd.position;
    node->graphicLevel = sd.graphicLevel;
    node->numberOfDataInputs = dataIn.length;
    node->dataInputs = arena.copy(dataIn.length, dataIn.serialNumber);
    node->numberOfControlInputs = controlIn.length;
    node->controlInputs = arena.copy(controlIn.length, controlIn.serialNumber);
    node->numberOfOutputs = out.length;
    node->outputs = arena.copy(out.length, out.serialNumber);
    node->numberOfIntegerParameters = numberOfIntegerParameters;
    node->integerParameters = arena.copy(numberOfIntegerParameters, integerParameters);
    node->numberOfByteParameters = numberOfByteParameters;
    node->byteParameters = arena.copy(numberOfByteParameters, byteParameters);
    node->numberOfInternal32BitVariables = numberOfInternal32BitVariables;
    node->numberOfInternal16BitVariables = numberOfInternal16BitVariables;
    node->numberOfInternal8BitVariables = numberOfInternal8BitVariables;
    node->place = at;
    phaseOne->componentList.add(node);
    noteRegisteredIcon(node->componentIndex, iconArray);
}

void addStandardComponent(functionPointer evaluate, const int* iconArray, const char* decal, const SD& sd,
                          const Signal& dataIn, const Signal& controlIn, const Signal& out, SourcePlace at) {
    SecondaryEvaluatePointer none{nullptr};
    addStandardComponent(evaluate, none, iconArray, nullptr, nullptr, nullptr, 0, 0, decal, sd, dataIn, controlIn,
                         out, 0, nullptr, 0, nullptr, 0, 0, 0, at);
}
