// The icon tables: every table's polyline counts account for exactly its
// size, and the shapes hold the vertices they are drawn from.
#include <gtest/gtest.h>

#include <vector>

#include "display/iconData.h"

namespace {

struct Table {
    const char* name;
    const int* data;
    int size;
};

#define TABLE(t) {#t, t, static_cast<int>(sizeof(t) / sizeof(t[0]))}
const Table tables[] = {TABLE(andIcon),  TABLE(nandIcon),  TABLE(orIcon),    TABLE(norIcon),  TABLE(xorIcon),
                        TABLE(xnorIcon), TABLE(notIcon),   TABLE(iAndIcon),  TABLE(iNandIcon), TABLE(CiOrIcon),
                        TABLE(CiNorIcon), TABLE(tsbIcon),  TABLE(rectIcon),  TABLE(circleIcon)};
#undef TABLE

}  // namespace

TEST(IconData, PolylineCountsFillEachTable) {
    for (const Table& t : tables) {
        int polylines = t.data[0];
        int expected = 1 + polylines;
        for (int i = 1; i <= polylines; i++) {
            EXPECT_GE(t.data[i], 1) << t.name;
            expected += 2 * t.data[i];
        }
        EXPECT_EQ(expected, t.size) << t.name;
        for (int i = 1 + polylines; i < t.size; i++) {
            EXPECT_GE(t.data[i], 0) << t.name << " entry " << i;
            EXPECT_LE(t.data[i], 1000) << t.name << " entry " << i;
        }
    }
    EXPECT_EQ(spaceIcon[0], 0);
}

TEST(IconData, ShapesAsDrawn) {
    const std::vector<int> nand = {2,   7,   4,   0,   0,    600, 0,    900, 333, 900, 667, 600, 1000,
                                   0, 1000, 0,   0,   900, 425,  1000, 425, 1000, 575, 900, 575};
    EXPECT_EQ(std::vector<int>(nandIcon, nandIcon + 25), nand);
    EXPECT_EQ(std::vector<int>(rectIcon, rectIcon + 28), std::vector<int>(circleIcon, circleIcon + 28));
    // The last vertex closes the body of the OR shapes at the origin.
    EXPECT_EQ(orIcon[16], 0);
    EXPECT_EQ(orIcon[17], 0);
    // The NOR bubble is a closed box of five vertices from (900,425).
    EXPECT_EQ(norIcon[2], 5);
    EXPECT_EQ(std::vector<int>(norIcon + 19, norIcon + 29),
              (std::vector<int>{900, 425, 1000, 425, 1000, 575, 900, 575, 900, 425}));
}
