// bench-heap: throughput of the event heap under the run loop's pattern.
//
// For heaps holding 1 000, 100 000 and 10 000 000 pending events it times
// pairs of (remove the earliest event, add one a random 1 … 1000 ticks
// after it), which keeps the heap at its size, and prints nanoseconds per
// pair and pairs per second. The times of the initial events are spread
// over the first million ticks.
//
//   build/bench/bench-heap [SIZE…]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "SkewHeap.h"

namespace {

// xorshift64: cheap enough not to dominate a heap operation.
struct Random {
    unsigned long s = 88172645463325252ul;
    unsigned long next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<long> sizes = {1000, 100000, 10000000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; i++) sizes.push_back(std::atol(argv[i]));
    }
    std::printf("%12s %12s %12s %14s\n", "pending", "pairs", "ns/pair", "pairs/s");
    for (long size : sizes) {
        Random random;
        SkewHeap heap;
        for (long i = 0; i < size; i++)
            heap.add(Event(random.next() % 1000000, signalChange, static_cast<int>(i), ONE));
        const long pairs = size < 10000000 ? 20000000 : size;
        unsigned long checksum = 0;
        auto start = std::chrono::steady_clock::now();
        for (long i = 0; i < pairs; i++) {
            Event e = heap.min();
            heap.removeMin();
            checksum += e.signalSerialNumber;
            e.time += 1 + random.next() % 1000;
            heap.add(e);
        }
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%12ld %12ld %12.1f %14.0f", size, pairs, seconds * 1e9 / pairs, pairs / seconds);
        std::printf("   (checksum %lu)\n", checksum % 1000);
        std::fflush(stdout);
    }
    return 0;
}
