// The event heap's pool management, the heap trace's writer and the
// debugging dump. The hot operations (add, removeMin, merge) are inline in
// the header.
#include "SkewHeap.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "OutOfMemory.h"

namespace {

// Slots in a new heap's pool. A run's pool grows by doubling from here to
// the largest number of events it ever has pending at once.
const unsigned int initialCapacity = 1024;
// The pool never grows beyond this many slots, so that every link (a byte
// offset, 16 per slot) fits in 32 bits and `length` (an int) cannot
// overflow: 268 million pending events, 6 GiB of pool.
const unsigned int maximumCapacity = 1u << 28;

const char* const heapFullMessage = "Event heap: cannot hold more than %u pending events\n";

// Both pools share one block: `capacity` nodes, then `capacity` payloads.
// One block grows in place where it can (a large one is remapped, not
// copied), and leaves no freed holes behind, as two blocks growing in
// turns would.
const size_t slotBytes = sizeof(HeapNode) + sizeof(EventPayload);

}  // namespace

SkewHeap::SkewHeap() : root(noEvent), length(0), capacity(initialCapacity), used(1), freeList(noEvent) {
    pool = static_cast<HeapNode*>(std::malloc(slotBytes * capacity));
    if (!pool) outOfMemory();
    payload = reinterpret_cast<EventPayload*>(pool + capacity);
}

SkewHeap::~SkewHeap() { std::free(pool); }

void SkewHeap::grow() {
    unsigned int bigger = capacity < maximumCapacity / 2 ? capacity * 2 : maximumCapacity;
    if (bigger == capacity) {
        std::fprintf(stderr, heapFullMessage, used - 1);
        std::exit(1);
    }
    HeapNode* moved = static_cast<HeapNode*>(std::realloc(pool, slotBytes * bigger));
    if (!moved) outOfMemory();
    // The payloads move up behind the larger node pool; the two ranges do
    // not overlap, since the block at least doubles.
    EventPayload* movedPayload = reinterpret_cast<EventPayload*>(moved + bigger);
    std::memcpy(static_cast<void*>(movedPayload), moved + capacity, sizeof(EventPayload) * used);
    pool = moved;
    payload = movedPayload;
    capacity = bigger;
}

#ifdef KORVAX_HEAP_TRACE
namespace {

const char* const traceName = std::getenv("KORVAX_HEAP_TRACE");
FILE* trace = nullptr;  // open from the first word on, until exit
const char* const traceFailure = "Heap trace: cannot write %s\n";

// During the run: the trace is dropped, the message written and the
// program ended through exit, which empties standard error's buffer.
[[noreturn]] void traceFailed() {
    if (trace) std::fclose(trace);
    trace = nullptr;
    std::fprintf(stderr, traceFailure, traceName);
    std::exit(2);
}

// At exit: the words still buffered reach the file, or the program ends
// with status 2 (exit cannot be called again from here, so the streams are
// flushed by hand).
void closeTrace() {
    if (trace && std::fclose(trace) != 0) {
        std::fprintf(stderr, traceFailure, traceName);
        std::fflush(nullptr);
        std::_Exit(2);
    }
}

}  // namespace

void traceHeapWord(unsigned long word) {
    if (!traceName) return;
    if (!trace) {
        trace = std::fopen(traceName, "wb");
        if (!trace) traceFailed();
        std::atexit(closeTrace);
    }
    if (std::fwrite(&word, sizeof word, 1, trace) != 1) traceFailed();
}
#endif

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
        const HeapNode& e = node(f.node);
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
