// bench-tiling: the tiling of the schematic for 10 000, 100 000 and
// 1 000 000 components.
//
// The position strings are nested as a circuit writes them: a top-level
// cell or range of a 20 × 20 grid, a cell or range inside it, and for half
// of the strings a third field. Components come three to a string, as the
// parts of a module placed in one cell, and one in a hundred lands on one
// of eight crowded strings. The workload is tiled twice: in registration
// order (the three sharing a string side by side), and shuffled, which
// spreads every lookup over memory. Each size is tiled five times in a
// fresh tree, timed in processor time; the minimum, median and maximum are
// printed, and for each size after the first the ratio of its median to
// the previous size's (ten times the components should cost about ten
// times the time).
//
//   build/bench/bench-tiling [SIZE…]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "common.h"
#include "display/SchCell.h"

namespace {

// Field number j of a grid `side` labels wide: a cell, or every fourth
// time a range two rows high and three columns wide.
std::string field(unsigned long j, int side) {
    char r = char('a' + j % side), c = char('a' + j / side % side);
    if (j % 4 != 3) return {r, c};
    return {r, c, '-', char(r + 1), char(c + 2)};
}

// String number j of the workload.
std::string position(unsigned long j) {
    std::string s = field(j, 20) + "." + field(j / 400, 6);
    if (j % 2) s += "." + field(j / 14400, 8);
    return s;
}

std::vector<std::string> workload(long n, bool shuffled) {
    Random random;
    std::vector<std::string> strings;
    strings.reserve(static_cast<size_t>(n));
    for (long i = 0; i < n; i++) {
        unsigned long pick = random.next();
        strings.push_back(position(pick % 100 == 0 ? pick / 100 % 8 : static_cast<unsigned long>(i / 3)));
    }
    if (shuffled)
        for (long i = n - 1; i > 0; i--) std::swap(strings[static_cast<size_t>(i)], strings[random.next() % (i + 1)]);
    return strings;
}

// The processor time this thread has used: on a machine shared with other
// work it counts only the time the tiling ran, not the time it waited.
double cpuMilliseconds() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<long> sizes = sizesFromArguments(argc, argv, {10000, 100000, 1000000});
    for (bool shuffled : {false, true}) {
        std::printf("%s\n", shuffled ? "shuffled" : "in registration order");
        std::printf("%10s %10s %10s %10s %10s %8s\n", "components", "min ms", "median ms", "max ms", "ns/comp",
                    "ratio");
        double previous = 0;
        for (long n : sizes) {
            std::vector<std::string> strings = workload(n, shuffled);
            std::vector<const char*> positions;
            for (const std::string& s : strings) positions.push_back(s.c_str());
            std::vector<ScreenTile> tiles(static_cast<size_t>(n));
            std::vector<double> ms;
            long checksum = 0;
            for (int rep = 0; rep < 5; rep++) {
                SchematicCell root;
                const double start = cpuMilliseconds();
                tilePositions(&root, static_cast<int>(n), positions.data(), tiles.data());
                ms.push_back(cpuMilliseconds() - start);
                releaseSchematicCell(&root);
                for (const ScreenTile& t : tiles) checksum += t.x % 7 + t.y % 5 + t.h % 3;
            }
            std::sort(ms.begin(), ms.end());
            const double median = ms[2];
            std::printf("%10ld %10.1f %10.1f %10.1f %10.0f", n, ms[0], median, ms[4], median * 1e6 / n);
            if (previous > 0)
                std::printf(" %8.2f", median / previous);
            else
                std::printf(" %8s", "-");
            std::printf("   (checksum %ld)\n", checksum % 1000);
            std::fflush(stdout);
            previous = median;
        }
    }
    return 0;
}
