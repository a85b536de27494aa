// The event heap: a skew heap of pending signal changes, earliest first.
//
// The merge rule is observable behaviour: it fixes the order in which events
// of equal time leave the heap, and so which of two same-time changes of one
// wire is applied last and stays. `add` merges (root, new node), so an
// existing root keeps its place on a tie; `removeMin` merges (right child,
// left child), so on a tie the right subtree supplies the new root.
//
// Nodes live in two parallel pools owned by the heap, links and keys in one
// and payloads in the other (Event.h). A link is the byte offset of a node
// in the first pool, so that following one costs a single addressing step
// on the merge loops' chain of dependent loads; the payload of the node in
// slot k is payload[k]. Released slots go onto a free list and are reused
// first, so once the pool has grown to the largest number of pending events
// the run needs, adding and removing allocate nothing. merge is a loop: a
// skew heap's right path can be as long as the heap, too deep for
// recursion.
#ifndef KORVAX_SKEWHEAP_H
#define KORVAX_SKEWHEAP_H

#include "Event.h"

// The heap trace, for bench/heap-trace.sh: a build configured with
// -DKORVAX_HEAP_TRACE=ON writes each add's time, heapTraceRemoval for each
// removal of the earliest event and heapTraceClear for each clear (a
// restart), as 8-byte words in the machine's byte order, to the file the
// environment variable KORVAX_HEAP_TRACE names (nothing when it is unset).
// `bench-heap -t FILE` replays such a file. The two markers are the largest
// times there are, which no run reaches.
const unsigned long heapTraceRemoval = ~0ul;
const unsigned long heapTraceClear = ~0ul - 1;
#ifdef KORVAX_HEAP_TRACE
// Appends one word to the trace. The first call opens the file; a file
// that cannot be opened or written, now or when it is closed at exit, ends
// the program with a message and status 2.
void traceHeapWord(unsigned long word);
#endif

class SkewHeap {
public:
    unsigned int root;      // link to the earliest event, or noEvent when empty
    int length;             // events in the heap
    HeapNode* pool;         // links and keys; slot 0 is never used, so that 0 means "no node"
    EventPayload* payload;  // per slot of pool: the event's wire and value (in pool's block)
    unsigned int capacity;  // slots allocated in pool
    unsigned int used;      // slots handed out at least once (slot 0 counted)
    unsigned int freeList;  // link to the most recently released slot, chained through lptr;
                            // noEvent when none

    // An empty heap with a small pool.
    SkewHeap();
    // Releases the pool, with any events still in it.
    ~SkewHeap();
    SkewHeap(const SkewHeap&) = delete;
    SkewHeap& operator=(const SkewHeap&) = delete;

    // Queues a copy of e's time, wire and value (the type is always
    // signalChange).
    void add(const Event& e) { add(e.time, e.signalSerialNumber, e.sigValue); }
    // Queues the change of wire `signalSerialNumber` to `sigValue` at time `t`.
    void add(unsigned long t, int signalSerialNumber, SignalValue sigValue);
    // A copy of the earliest event. Only on a non-empty heap.
    Event min() const { return event(root); }
    // The payload of the earliest event. Only on a non-empty heap.
    const EventPayload& minPayload() const { return payloadOf(root); }
    // Time of the earliest event. Only on a non-empty heap.
    unsigned long minTime() const { return node(root).time; }
    // Drops the earliest event. Only on a non-empty heap.
    void removeMin();
    int isEmpty() const { return root == noEvent; }
    int getLength() const { return length; }
    // Drops every event at once; the pool keeps its size for reuse.
    void clear() {
#ifdef KORVAX_HEAP_TRACE
        traceHeapWord(heapTraceClear);
#endif
        root = noEvent;
        length = 0;
        used = 1;
        freeList = noEvent;
    }

    // The node that link names; the slot's payload.
    HeapNode& node(unsigned int link) { return *reinterpret_cast<HeapNode*>(reinterpret_cast<char*>(pool) + link); }
    const HeapNode& node(unsigned int link) const {
        return *reinterpret_cast<const HeapNode*>(reinterpret_cast<const char*>(pool) + link);
    }
    EventPayload& payloadOf(unsigned int link) { return payload[link / sizeof(HeapNode)]; }
    const EventPayload& payloadOf(unsigned int link) const { return payload[link / sizeof(HeapNode)]; }
    // The link to the node in slot k.
    static unsigned int linkTo(unsigned int k) { return k * static_cast<unsigned int>(sizeof(HeapNode)); }

    // The root of the union of the heaps rooted at links h1 and h2, by the
    // rule above: the strictly earlier root wins (h1 on a tie); it keeps its
    // old left child as its right child and gets, as its left child, the
    // merge of its old right child with the other heap, or the other heap
    // directly when it had no left child. The shape is exactly that of the
    // recursive definition.
    unsigned int merge(unsigned int h1, unsigned int h2);

    // The event that link p names, as a value.
    Event event(unsigned int p) const {
        return Event(node(p).time, signalChange, payloadOf(p).signalSerialNumber, payloadOf(p).sigValue);
    }

    // Dumps the tree on standard error (debugging aid; nothing calls it).
    void print() const;
    // The dump of the subtree at link p: the node's event line, " down-left",
    // the left subtree, " up", " down-right", the right subtree, " up".
    void traverse(unsigned int p) const;

private:
    // A link to a fresh slot: from the free list, else the pool's unused
    // tail, else a grown pool.
    unsigned int allocateNode();
    // Doubles the pools; reports and ends the program if that is impossible.
    void grow();
};

inline unsigned int SkewHeap::merge(unsigned int h1, unsigned int h2) {
    if (h1 == noEvent) return h2;
    if (h2 == noEvent) return h1;
    // Where the next partial result goes: the result itself at first, then
    // the left link of the root chosen in the previous round, exactly where
    // the recursive call's value would be stored. The two roots' times
    // travel with them, so that each round loads one node.
    unsigned int result;
    unsigned int* hole = &result;
    unsigned long t1 = node(h1).time;
    unsigned long t2 = node(h2).time;
    for (;;) {
        if (t2 < t1) {
            const unsigned int h = h1;
            h1 = h2;
            h2 = h;
            const unsigned long t = t1;
            t1 = t2;
            t2 = t;
        }
        *hole = h1;
        HeapNode& top = node(h1);
        const unsigned int oldLeft = top.lptr;
        if (oldLeft == noEvent) {
            top.lptr = h2;
            return result;
        }
        // The recursive form: top.lptr = merge(top.rptr, h2); top.rptr = oldLeft.
        h1 = top.rptr;
        top.rptr = oldLeft;
        hole = &top.lptr;
        if (h1 == noEvent) {
            *hole = h2;
            return result;
        }
        t1 = node(h1).time;
    }
}

inline unsigned int SkewHeap::allocateNode() {
    unsigned int n = freeList;
    if (n != noEvent) {
        freeList = node(n).lptr;
        return n;
    }
    if (used == capacity) grow();
    return linkTo(used++);
}

inline void SkewHeap::add(unsigned long t, int signalSerialNumber, SignalValue sigValue) {
#ifdef KORVAX_HEAP_TRACE
    traceHeapWord(t);
#endif
    unsigned int n = allocateNode();
    HeapNode& added = node(n);
    added.lptr = noEvent;
    added.rptr = noEvent;
    added.time = t;
    EventPayload& carried = payloadOf(n);
    carried.signalSerialNumber = signalSerialNumber;
    carried.sigValue = sigValue;
    root = merge(root, n);
    length++;
}

inline void SkewHeap::removeMin() {
#ifdef KORVAX_HEAP_TRACE
    traceHeapWord(heapTraceRemoval);
#endif
    unsigned int old = root;
    HeapNode& top = node(old);
    root = merge(top.rptr, top.lptr);
    top.lptr = freeList;
    freeList = old;
    length--;
}

#endif
