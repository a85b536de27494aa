// The phase-one switch list: one SwitchNode per keyboard-operated wire.
// Switch and pulser constructors add a node immediately before registering
// the component that represents the wire, so the node records that
// component's number. Phase two turns the list into activationsFromWindow.
#ifndef KORVAX_SWLIST_H
#define KORVAX_SWLIST_H

struct SwitchNode {
    SwitchNode* ptr;          // next node
    int componentNumber;      // component that represents the input
    int signalSerialNumber;   // the wire the key drives
    int switchSerialNumber;   // declared only; never assigned or read
    char keyChar;             // the key that operates it

    void print() const {}  // prints nothing
};

class SwitchList {
public:
    int numberOfSwitches;
    SwitchNode* start;
    SwitchNode* end;

    SwitchList();
    ~SwitchList();  // prints nothing
    // Appends a node for the component that will be registered next.
    void add(int serialNumber, char keyChar);
    void print() const;
};

#endif
