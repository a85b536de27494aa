// One pending signal change. Outside the heap an event is the plain value
// below; inside it is split in two records kept in parallel pools of the
// heap, so that the merge loops, which read only links and times, touch
// 16 bytes a node (four to a cache line) and the payload is read once, when
// the event is applied. The links are byte offsets into the node pool rather
// than pointers: 32 bits each, and the pools may move when they grow.
#ifndef KORVAX_EVENT_H
#define KORVAX_EVENT_H

#include "Signal.h"

// The kinds of event; the simulator has only one.
enum EventType { signalChange = 0 };

// The link that stands for "no node" (slot 0 is never used).
const unsigned int noEvent = 0;

class Event {
public:
    unsigned long time;      // when the change takes effect; the heap key
    int eventType;           // always signalChange
    int signalSerialNumber;  // the wire that changes
    SignalValue sigValue;    // the value it takes

    // Leaves every field unset; for locals filled later by copying.
    Event() {}
    Event(unsigned long t, EventType type, int serialNumber, SignalValue value)
        : time(t), eventType(type), signalSerialNumber(serialNumber), sigValue(value) {}

    // The key.
    unsigned long getValue() const { return time; }

    // One diagnostic line on standard error: time, type, wire and value.
    void printEvent() const;
};

// An event's place in the heap: its links and its key.
struct HeapNode {
    unsigned int lptr;   // link to the left child, or noEvent; to the next free slot while released
    unsigned int rptr;   // link to the right child, or noEvent
    unsigned long time;  // when the change takes effect; the heap key

    unsigned int getLeft() const { return lptr; }
    unsigned int getRight() const { return rptr; }
    void putLeft(unsigned int p) { lptr = p; }
    void putRight(unsigned int p) { rptr = p; }
    unsigned long getValue() const { return time; }
};

// What an event in the heap carries besides its key. The type is not kept:
// there is only one.
struct EventPayload {
    int signalSerialNumber;  // the wire that changes
    SignalValue sigValue;    // the value it takes
};

#endif
