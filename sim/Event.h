// One pending signal change: the node type of the event heap and, outside
// the heap, a plain value copy of an event. The links are slot numbers in
// the owning heap's node pool rather than pointers: 32 bits each keep a node
// at 32 bytes, two to a cache line, and let the pool move when it grows.
#ifndef KORVAX_EVENT_H
#define KORVAX_EVENT_H

#include "Signal.h"

// The kinds of event; the simulator has only one.
enum EventType { signalChange = 0 };

// Pool slot number that stands for "no node".
const unsigned int noEvent = 0;

class Event {
public:
    unsigned int lptr;       // left child's pool slot, or noEvent
    unsigned int rptr;       // right child's pool slot, or noEvent
    unsigned long time;      // when the change takes effect; the heap key
    int eventType;           // always signalChange
    int signalSerialNumber;  // the wire that changes
    SignalValue sigValue;    // the value it takes

    // Leaves every field unset; for locals filled later by copying.
    Event() {}
    // An event with no children.
    Event(unsigned long t, EventType type, int serialNumber, SignalValue value)
        : lptr(noEvent), rptr(noEvent), time(t), eventType(type), signalSerialNumber(serialNumber),
          sigValue(value) {}

    unsigned int getLeft() const { return lptr; }
    unsigned int getRight() const { return rptr; }
    void putLeft(unsigned int p) { lptr = p; }
    void putRight(unsigned int p) { rptr = p; }
    // The key.
    unsigned long getValue() const { return time; }

    // One diagnostic line on standard error: time, type, wire and value.
    void printEvent() const;
};

#endif
