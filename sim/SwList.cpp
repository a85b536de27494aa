// The phase-one switch list.
#include "SwList.h"

#include "Ph1.h"

SwitchList::SwitchList() : numberOfSwitches(0), start(nullptr), end(nullptr) {}

SwitchList::~SwitchList() {}  // the nodes go with phaseOne's arena

void SwitchList::add(int serialNumber, char keyChar) {
    // The component that represents this input is the one registered next.
    SwitchNode* node = new (phaseOne->arena.allocate(sizeof(SwitchNode))) SwitchNode{nullptr, phaseOne->componentList.numberOfComponents, serialNumber, 0, keyChar};
    if (end)
        end->ptr = node;
    else
        start = node;
    end = node;
    numberOfSwitches++;
}

void SwitchList::print() const {
    for (const SwitchNode* n = start; n; n = n->ptr) n->print();
}
