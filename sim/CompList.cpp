// The phase-one component list and its nodes.
#include "CompList.h"

#include <cstdio>

ComponentNode::ComponentNode()
    : ptr(nullptr), componentIndex(0), logicEvaluate(nullptr), secondaryEvaluate{nullptr}, iconArray(nullptr),
      drawDynamic(nullptr), xEventTriggered(nullptr), heapQueueEventTriggered(nullptr), outputOverloadable(0),
      selfActivating(0), multiplexer(0), graphicLevel(0), position(nullptr), decal(nullptr), numberOfDataInputs(0),
      dataInputs(nullptr), numberOfControlInputs(0), controlInputs(nullptr), numberOfOutputs(0), outputs(nullptr),
      numberOfIntegerParameters(0), integerParameters(nullptr), numberOfByteParameters(0),
      byteParameters(nullptr), numberOfInternal32BitVariables(0), numberOfInternal16BitVariables(0),
      numberOfInternal8BitVariables(0), place(nullptr, 0) {}

void ComponentNode::print() const {
    std::fprintf(stderr, "  componentIndex = %d decal = %s\n", componentIndex, decal);
}

ComponentList::ComponentList() : numberOfComponents(0), start(nullptr), end(nullptr) {}

ComponentList::~ComponentList() { std::fprintf(stderr, "There are %d components.\n", numberOfComponents); }

void ComponentList::add(ComponentNode* newComponent) {
    newComponent->componentIndex = numberOfComponents;
    newComponent->ptr = nullptr;
    append(newComponent);
}

void ComponentList::append(ComponentNode* componentNode) {
    if (end)
        end->ptr = componentNode;
    else
        start = componentNode;
    end = componentNode;
    numberOfComponents++;
}

void ComponentList::print() const {
    for (const ComponentNode* n = start; n; n = n->ptr) n->print();
}
