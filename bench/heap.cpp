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
//   build/bench/bench-heap [SIZE…]
#include <chrono>
#include <cstdio>
#include <cstdlib>
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

}  // namespace

int main(int argc, char** argv) {
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
