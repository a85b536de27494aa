// bench-heap: throughput of the event heap under the run loop's pattern,
// against a bare skew heap.
//
// For heaps holding 1 000, 100 000 and 1 000 000 pending events it times
// pairs of (remove the earliest event, add one a random 1 … 1000 ticks
// after it), which keeps the heap at its size, and prints nanoseconds per
// pair for the simulator's heap and for a bare skew heap: pointer-linked
// nodes holding key and payload together, each removed node reused for the
// next add, the same merge rule. The ratio is heap / bare. Both must take
// the events out in the same order (the checksums agree). The times of the
// initial events are spread over the first million ticks.
//
// With -t it replays instead a heap trace written by a run (see SkewHeap.h
// and bench/heap-trace.sh): the same adds and removals in the same order,
// on both heaps, with nothing else around them. It prints the counts, the
// most events pending at once and the least CPU time of five replays on
// each heap: the part of that run's time that its queue alone requires.
//
//   build/bench/bench-heap [SIZE…]
//   build/bench/bench-heap -t TRACE
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "SkewHeap.h"
#include "common.h"

namespace {

// The textbook skew heap with the simulator's tie rule.
struct BareNode {
    BareNode* left;
    BareNode* right;
    unsigned long time;
    int wire;
    SignalValue value;
};

BareNode* bareMerge(BareNode* h1, BareNode* h2) {
    BareNode* result = nullptr;
    BareNode** hole = &result;
    for (;;) {
        if (!h1) {
            *hole = h2;
            return result;
        }
        if (!h2) {
            *hole = h1;
            return result;
        }
        if (h2->time < h1->time) {
            BareNode* t = h1;
            h1 = h2;
            h2 = t;
        }
        *hole = h1;
        BareNode* oldLeft = h1->left;
        if (!oldLeft) {
            h1->left = h2;
            return result;
        }
        BareNode* oldRight = h1->right;
        h1->right = oldLeft;
        hole = &h1->left;
        h1 = oldRight;
    }
}

// Nanoseconds per pair and the checksum of the wires taken out.
struct Result {
    double nsPerPair;
    unsigned long checksum;
};

Result timeHeap(long size, long pairs) {
    Random random;
    SkewHeap heap;
    for (long i = 0; i < size; i++) heap.add(Event(random.next() % 1000000, signalChange, static_cast<int>(i), ONE));
    unsigned long checksum = 0;
    auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < pairs; i++) {
        Event e = heap.min();
        heap.removeMin();
        checksum = checksum * 31 + static_cast<unsigned long>(e.signalSerialNumber);
        e.time += 1 + random.next() % 1000;
        heap.add(e);
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return {seconds * 1e9 / pairs, checksum};
}

Result timeBare(long size, long pairs) {
    Random random;
    std::vector<BareNode> nodes(static_cast<size_t>(size));
    BareNode* root = nullptr;
    for (long i = 0; i < size; i++) {
        nodes[i] = {nullptr, nullptr, random.next() % 1000000, static_cast<int>(i), ONE};
        root = bareMerge(root, &nodes[i]);
    }
    unsigned long checksum = 0;
    auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < pairs; i++) {
        BareNode* n = root;
        root = bareMerge(n->right, n->left);
        checksum = checksum * 31 + static_cast<unsigned long>(n->wire);
        n->time += 1 + random.next() % 1000;
        n->left = n->right = nullptr;
        root = bareMerge(root, n);
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return {seconds * 1e9 / pairs, checksum};
}

const char* const unreadableTrace = "bench-heap: cannot read %s\n";

// A heap trace in memory: the time of each add, heapTraceRemoval or
// heapTraceClear.
std::vector<unsigned long> readTrace(const char* name) {
    FILE* f = std::fopen(name, "rb");
    if (!f) {
        std::fprintf(stderr, unreadableTrace, name);
        std::exit(2);
    }
    // A trace is whole words.
    long bytes = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) bytes = std::ftell(f);
    if (bytes < 0 || bytes % static_cast<long>(sizeof(unsigned long)) != 0) {
        std::fprintf(stderr, "bench-heap: %s is not a heap trace\n", name);
        std::exit(2);
    }
    std::rewind(f);
    std::vector<unsigned long> ops(static_cast<size_t>(bytes) / sizeof(unsigned long));
    const bool whole = std::fread(ops.data(), sizeof(unsigned long), ops.size(), f) == ops.size();
    std::fclose(f);
    if (!whole) {
        std::fprintf(stderr, unreadableTrace, name);
        std::exit(2);
    }
    return ops;
}

// What a replay gives: CPU seconds, and the order the events came out in
// (each add is numbered; the checksum folds the numbers as they leave).
struct Replay {
    double seconds;
    unsigned long checksum;
};

double cpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

Replay replayHeap(const std::vector<unsigned long>& ops) {
    SkewHeap heap;
    unsigned long checksum = 0;
    int added = 0;
    const double start = cpuSeconds();
    for (unsigned long op : ops) {
        if (op == heapTraceRemoval) {
            checksum = checksum * 31 + static_cast<unsigned long>(heap.minPayload().signalSerialNumber);
            heap.removeMin();
        } else if (op == heapTraceClear) {
            heap.clear();
        } else {
            heap.add(op, added++, ONE);
        }
    }
    return {cpuSeconds() - start, checksum};
}

Replay replayBare(const std::vector<unsigned long>& ops, long adds) {
    std::vector<BareNode> nodes(static_cast<size_t>(adds));
    std::vector<BareNode*> released;  // removed nodes, reused first, as the simulator's free list does
    released.reserve(static_cast<size_t>(adds));  // nothing is allocated while the replay is timed
    BareNode* root = nullptr;
    unsigned long checksum = 0;
    int added = 0;
    const double start = cpuSeconds();
    for (unsigned long op : ops) {
        if (op == heapTraceRemoval) {
            BareNode* n = root;
            root = bareMerge(n->right, n->left);
            checksum = checksum * 31 + static_cast<unsigned long>(n->wire);
            released.push_back(n);
        } else if (op == heapTraceClear) {
            root = nullptr;  // the dropped nodes are not reused; each add has a node of its own
        } else {
            BareNode* n = &nodes[static_cast<size_t>(added)];
            if (!released.empty()) {
                n = released.back();
                released.pop_back();
            }
            *n = {nullptr, nullptr, op, added++, ONE};
            root = bareMerge(root, n);
        }
    }
    return {cpuSeconds() - start, checksum};
}

int replayTrace(const char* name) {
    const std::vector<unsigned long> ops = readTrace(name);
    // A trace that removes from an empty heap is not one a run wrote, and one
    // with more adds than an int numbers cannot be checked; both are refused
    // before any replay.
    long adds = 0, removals = 0, pending = 0, mostPending = 0;
    for (unsigned long op : ops) {
        if (op == heapTraceClear) {
            pending = 0;
        } else if (op != heapTraceRemoval) {
            adds++;
            if (++pending > mostPending) mostPending = pending;
        } else {
            removals++;
            if (--pending < 0) {
                std::fprintf(stderr, "bench-heap: %s removes from an empty heap\n", name);
                return 2;
            }
        }
    }
    if (adds > INT_MAX) {
        std::fprintf(stderr, "bench-heap: %s adds more events than a replay numbers\n", name);
        return 2;
    }
    Replay heap = {1e30, 0}, bare = {1e30, 0};
    for (int round = 0; round < 5; round++) {
        const Replay h = replayHeap(ops), b = replayBare(ops, adds);
        if (h.seconds < heap.seconds) heap = h;
        if (b.seconds < bare.seconds) bare = b;
    }
    std::printf("%ld adds, %ld removals, at most %ld pending\n", adds, removals, mostPending);
    std::printf("heap %.3f s CPU, bare %.3f s CPU (least of 5), %.1f ns per event on the heap%s\n", heap.seconds,
                bare.seconds, adds ? heap.seconds * 1e9 / static_cast<double>(adds) : 0.0,
                heap.checksum == bare.checksum ? "" : "  ORDER DIFFERS");
    return heap.checksum == bare.checksum ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "-t") == 0) {
        if (argc != 3) {
            std::fprintf(stderr, "usage: bench-heap -t TRACE\n");
            return 2;
        }
        return replayTrace(argv[2]);
    }
    const std::vector<long> sizes = sizesFromArguments(argc, argv, {1000, 100000, 1000000});
    std::printf("%12s %12s %12s %12s %8s\n", "pending", "pairs", "heap ns", "bare ns", "ratio");
    for (long size : sizes) {
        const long pairs = size < 10000000 ? 20000000 : size;
        Result heap = timeHeap(size, pairs);
        Result bare = timeBare(size, pairs);
        std::printf("%12ld %12ld %12.1f %12.1f %8.2f%s\n", size, pairs, heap.nsPerPair, bare.nsPerPair,
                    heap.nsPerPair / bare.nsPerPair, heap.checksum == bare.checksum ? "" : "  ORDER DIFFERS");
        std::fflush(stdout);
    }
    return 0;
}
