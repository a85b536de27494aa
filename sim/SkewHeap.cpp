// The event heap's pool management and its debugging dump. The hot
// operations (add, removeMin, merge) are inline in the header.
#include "SkewHeap.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Slots in a new heap's pool. A run's pool grows by doubling from here to
// the largest number of events it ever has pending at once.
const unsigned int initialCapacity = 1024;
// The pool never grows beyond this many slots, so that `length` (an int)
// cannot overflow and slot numbers stay clear of the 32-bit limit.
const unsigned int maximumCapacity = 1u << 31;

const char* const heapFullMessage = "Event heap: cannot hold more than %u pending events\n";

}  // namespace

SkewHeap::SkewHeap() : root(noEvent), length(0), capacity(initialCapacity), used(1), freeList(noEvent) {
    pool = static_cast<HeapNode*>(std::malloc(sizeof(HeapNode) * capacity));
    payload = static_cast<EventPayload*>(std::malloc(sizeof(EventPayload) * capacity));
    if (!pool || !payload) {
        std::fprintf(stderr, heapFullMessage, 0u);
        std::exit(1);
    }
}

SkewHeap::~SkewHeap() {
    std::free(pool);
    std::free(payload);
}

void SkewHeap::grow() {
    unsigned int bigger = capacity < maximumCapacity / 2 ? capacity * 2 : maximumCapacity;
    if (bigger > capacity) {
        // Each pool is kept as soon as it has moved, so that a failure of
        // the second leaves the heap consistent until the program ends.
        if (HeapNode* moved = static_cast<HeapNode*>(std::realloc(pool, sizeof(HeapNode) * bigger))) {
            pool = moved;
            if (EventPayload* movedPayload =
                    static_cast<EventPayload*>(std::realloc(payload, sizeof(EventPayload) * bigger))) {
                payload = movedPayload;
                capacity = bigger;
                return;
            }
        }
    }
    std::fprintf(stderr, heapFullMessage, used - 1);
    std::exit(1);
}

void SkewHeap::print() const {
    traverse(root);
    std::fputc('\n', stderr);
}

void SkewHeap::traverse(unsigned int p) const {
    // The recursive dump, with an explicit stack: a right path as long as
    // the heap must not exhaust the call stack. Each frame is a node and
    // how far its dump has got.
    struct Frame {
        unsigned int node;
        int stage;  // 0: not started, 1: left subtree done, 2: right subtree done
    };
    std::vector<Frame> stack;
    if (p != noEvent) stack.push_back({p, 0});
    while (!stack.empty()) {
        Frame& f = stack.back();
        const HeapNode& e = pool[f.node];
        if (f.stage == 0) {
            event(f.node).printEvent();
            std::fputs(" down-left", stderr);
            f.stage = 1;
            if (e.lptr != noEvent) stack.push_back({e.lptr, 0});
        } else if (f.stage == 1) {
            std::fputs(" up", stderr);
            std::fputs(" down-right", stderr);
            f.stage = 2;
            if (e.rptr != noEvent) stack.push_back({e.rptr, 0});
        } else {
            std::fputs(" up", stderr);
            stack.pop_back();
        }
    }
}
