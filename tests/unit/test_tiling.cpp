// The tiling of position strings: the plane split by the grids, strips of
// equal strings, empty, bad and reversed fields, the order and lookup of
// sub-cells, strings that were never entered, and the processor's probe
// wall worked out by hand from its position strings. Every tiling of
// strings is also done on their interned records (tilePositionFields, what
// the program runs), which must give the same tiles and messages; so are
// random trees of nested records, deep chains among them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/SchCell.h"
#include "netlist.h"

namespace {

const int W = 16777215;  // the far edge of the plane

struct Tile {
    int x, y, w, h;
    bool operator==(const Tile& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
    bool operator!=(const Tile& o) const { return !(*this == o); }
};

std::ostream& operator<<(std::ostream& os, const Tile& t) {
    return os << "(" << t.x << ", " << t.y << ", " << t.w << ", " << t.h << ")";
}

std::vector<Tile> tilesOf(const std::vector<ScreenTile>& tiles) {
    std::vector<Tile> out;
    for (const ScreenTile& t : tiles) out.push_back({t.x, t.y, t.w, t.h});
    return out;
}

// The records' tiles, in a fresh tree; the messages in *messages.
std::vector<Tile> fieldTiling(const std::vector<const PositionField*>& records, std::string* messages) {
    SchematicCell root;
    std::vector<ScreenTile> tiles(records.size());
    testing::internal::CaptureStderr();
    tilePositionFields(&root, int(records.size()), records.data(), tiles.data());
    *messages = testing::internal::GetCapturedStderr();
    releaseSchematicCell(&root);
    return tilesOf(tiles);
}

// Tiles `strings` in a fresh tree; what the tiling writes to standard error
// goes to *messages when asked for (and must otherwise be nothing). The
// strings' records are tiled too and must come out the same.
std::vector<Tile> tiling(const std::vector<const char*>& strings, std::string* messages = nullptr) {
    SchematicCell root;
    std::vector<ScreenTile> tiles(strings.size());
    testing::internal::CaptureStderr();
    tilePositions(&root, int(strings.size()), strings.data(), tiles.data());
    std::string written = testing::internal::GetCapturedStderr();
    if (messages)
        *messages = written;
    else
        EXPECT_EQ(written, "");
    releaseSchematicCell(&root);

    std::vector<const PositionField*> records;
    for (const char* s : strings) records.push_back(positionOf(s ? s : ""));
    std::string fieldMessages;
    EXPECT_EQ(fieldTiling(records, &fieldMessages), tilesOf(tiles)) << "tiled on records";
    EXPECT_EQ(fieldMessages, written) << "messages of the records' tiling";
    return tilesOf(tiles);
}

// The narrowing of one extent, in single precision as the display draws:
// `units` of `cells` equal shares of `extent`, after `origin`.
int share(int units, int extent, int cells) { return int(float(units) * float(extent) / float(cells)); }
int at(int origin, int units, int extent, int cells) {
    return int(float(origin) + float(units) * float(extent) / float(cells));
}

}  // namespace

TEST(Tiling, GridsSplitThePlane) {
    EXPECT_EQ(tiling({"aa"}), (std::vector<Tile>{{0, 0, W, W}}));
    // One row, two columns: 16777215 / 2 = 8388607.5 is exact in single
    // precision and truncates.
    EXPECT_EQ(tiling({"aa", "ab"}), (std::vector<Tile>{{0, 0, 8388607, W}, {8388607, 0, 8388607, W}}));

    // aa-ea among the 25 cells aa … ee: column a, rows a to e. Its height
    // is 5 × 16777215 / 5, where the product rounds to 83886072 in single
    // precision, so it stops one unit short of ea's bottom edge.
    std::vector<const char*> grid = {"aa-ea"};
    std::vector<std::string> cells;
    for (char r = 'a'; r <= 'e'; r++)
        for (char c = 'a'; c <= 'e'; c++) cells.push_back({r, c});
    for (const std::string& s : cells) grid.push_back(s.c_str());
    std::vector<Tile> t = tiling(grid);
    EXPECT_EQ(t[0], (Tile{0, 0, 3355443, 16777214}));
    EXPECT_EQ(t[1], (Tile{0, 0, 3355443, 3355443}));                // aa
    EXPECT_EQ(t[21], (Tile{0, 13421772, 3355443, 3355443}));        // ea
    EXPECT_EQ(t[25], (Tile{13421772, 13421772, 3355443, 3355443}));  // ee
}

TEST(Tiling, EqualStringsShareTheirRectangleAsStrips) {
    // Interleaved with another string: strips go by index order within the
    // group, the first at the top.
    std::vector<Tile> t = tiling({"bc", "bd", "bc", "bc"});
    EXPECT_EQ(t[0], (Tile{0, 0, 8388607, 5592405}));
    EXPECT_EQ(t[2], (Tile{0, 5592405, 8388607, 5592405}));
    EXPECT_EQ(t[3], (Tile{0, 11184810, 8388607, 5592405}));
    EXPECT_EQ(t[1], (Tile{8388607, 0, 8388607, W}));

    // A group of 200: (k - 1) × H passes 2^31 from the 129th strip on, yet
    // the strips go on down the plane. The last: 199 × 16777215 / 200.
    std::vector<const char*> many(200, "aa");
    t = tiling(many);
    EXPECT_EQ(t[128], (Tile{0, 10737417, W, 83886}));  // 128 × 16777215 / 200 = 10737417.6
    EXPECT_EQ(t[199], (Tile{0, 16693328, W, 83886}));
    for (int k = 1; k < 200; k++) EXPECT_GT(t[k].y, t[k - 1].y) << k;

    // Different texts are different groups even where they name the same
    // rectangle.
    t = tiling({"aa", "aa-aa"});
    EXPECT_EQ(t[0], (Tile{0, 0, W, W}));
    EXPECT_EQ(t[1], (Tile{0, 0, W, W}));
}

TEST(Tiling, CellsStayInsideTheCellsTheyLieIn) {
    // ab is the right half, 8388607 + 8388607 = 16777214 wide; af-ao, the
    // last ten of its fifteen columns, rounds to x 11184810 and w 5592405,
    // one unit past ab's edge. It is cut back to the edge.
    std::vector<Tile> t = tiling({"aa", "ab", "ab.aa", "ab.ao", "ab.af-ao"});
    EXPECT_EQ(t[1], (Tile{8388607, 0, 8388607, W}));
    EXPECT_EQ(t[4], (Tile{11184810, 0, 5592404, W}));

    // Deep strings, where such units add up: every cell lies inside the
    // cell of its string's first fields, and so inside the plane.
    std::vector<std::string> strings;
    unsigned long r = 12345;
    auto next = [&r](int n) {
        r = r * 6364136223846793005ul + 1442695040888963407ul;
        return int((r >> 33) % n);
    };
    for (int i = 0; i < 400; i++) {
        std::string s;
        for (int level = 0, levels = 1 + next(6); level < levels; level++) {
            if (level) s += '.';
            s += {char('a' + next(3)), char('a' + next(26))};
            if (next(2)) s += {'-', char('a' + next(3)), char('a' + next(26))};
        }
        strings.push_back(s);
    }
    std::vector<const char*> positions;
    for (const std::string& s : strings) positions.push_back(s.c_str());
    SchematicCell root;
    std::vector<ScreenTile> tiles(positions.size());
    tilePositions(&root, int(positions.size()), positions.data(), tiles.data());
    for (const std::string& s : strings) {
        int x = 0, y = 0, w = W, h = W;
        for (size_t end = 0; end != std::string::npos;) {
            end = s.find('.', end + 1);
            const int px = x, py = y, pw = w, ph = h;
            x = 0, y = 0, w = W, h = W;
            schematicSubSpace(&root, s.substr(0, end).c_str(), &x, &y, &w, &h);
            ASSERT_TRUE(x >= px && y >= py && w >= 0 && h >= 0 && x + w <= px + pw && y + h <= py + ph)
                << s.substr(0, end) << ": " << Tile{x, y, w, h} << " in " << Tile{px, py, pw, ph};
        }
    }
    releaseSchematicCell(&root);
}

TEST(Tiling, EmptyAndBadFieldsAreReportedOnceAndLeftOut) {
    std::string messages;
    std::vector<Tile> t = tiling({"ab..cd", "ab.cd", "ab.ce", "ab.", "ab", "aa"}, &messages);
    EXPECT_EQ(messages,
              "Length zero field in schematic cell designation: ab..cd\n"
              "Length zero field in schematic cell designation: ab.\n");
    EXPECT_EQ(t[0], t[1]);
    EXPECT_NE(t[1], t[2]);
    EXPECT_EQ(t[3], t[4]);

    // A field of any length but 2 and 5 takes the place of an empty one: its
    // message, in field order with the others, and no part in the placing.
    t = tiling({"ab.abcdefgh.cd", ".ab.a.cd.abc.", "ab.cd", "ab.ce", "aa", "ab.abcd-ab.cd"}, &messages);
    EXPECT_EQ(messages,
              "Bad field in schematic cell designation: ab.abcdefgh.cd\n"
              "Length zero field in schematic cell designation: .ab.a.cd.abc.\n"
              "Bad field in schematic cell designation: .ab.a.cd.abc.\n"
              "Bad field in schematic cell designation: .ab.a.cd.abc.\n"
              "Length zero field in schematic cell designation: .ab.a.cd.abc.\n"
              "Bad field in schematic cell designation: ab.abcd-ab.cd\n");
    EXPECT_EQ(t[0], t[2]);
    EXPECT_EQ(t[1], t[2]);
    EXPECT_EQ(t[5], t[2]);

    // An empty string, and one with no readable field, cover the plane; the
    // tree takes nothing from them, so aa still fills it.
    t = tiling({"", "x.", "aa"}, &messages);
    EXPECT_EQ(messages,
              "Screen_cell string has zero length.\n"
              "Bad field in schematic cell designation: x.\n"
              "Length zero field in schematic cell designation: x.\n");
    EXPECT_EQ(t, (std::vector<Tile>{{0, 0, W, W}, {0, 0, W, W}, {0, 0, W, W}}));
}

TEST(Tiling, BackwardRangesReadInOrder) {
    // Rows e to a of column a is column a; columns c to a of rows a to e is
    // the whole grid.
    std::vector<Tile> t = tiling({"ea-aa", "aa-ea", "ee", "ac-ea", "aa-ec"});
    EXPECT_EQ(t[0], t[1]);
    EXPECT_EQ(t[3], t[4]);
    EXPECT_EQ(t[3], (Tile{0, 0, share(3, W, 5), 16777214}));
}

TEST(SchematicTree, SubCellsAreNamedByWholeFieldsInOrderOfFirstAppearance) {
    SchematicCell root;
    testing::internal::CaptureStderr();
    for (const char* s : {"bb.ac", "ak.aa-ac", "aa-ab.ba", "ak.ae", "bb.ca", "aa.aa", "ak"})
        enterSchematicCell(&root, s);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(root.nr_v_cells, 2);
    EXPECT_EQ(root.nr_h_cells, 11);
    ASSERT_EQ(root.nr_of_subspaces, 4);
    EXPECT_STREQ(root.ptr[0].name, "bb");
    EXPECT_STREQ(root.ptr[1].name, "ak");
    EXPECT_STREQ(root.ptr[2].name, "aa-ab");
    EXPECT_STREQ(root.ptr[3].name, "aa");
    // bb's grid: rows a … c, column a … c; ak's: one row, columns a … e.
    EXPECT_EQ(root.ptr[0].min_v_label, 'a');
    EXPECT_EQ(root.ptr[0].max_v_label, 'c');
    EXPECT_EQ(root.ptr[0].nr_h_cells, 3);
    EXPECT_EQ(root.ptr[1].nr_v_cells, 1);
    EXPECT_EQ(root.ptr[1].nr_h_cells, 5);
    EXPECT_EQ(root.ptr[1].ptr, nullptr);

    // ak.ae: column k of 11 (a … k), then the last of ak's five columns.
    int x = 0, y = 0, w = W, h = W;
    schematicSubSpace(&root, "ak.ae", &x, &y, &w, &h);
    const int cellX = at(0, 10, W, 11), cellW = share(1, W, 11);
    EXPECT_EQ((Tile{x, y, w, h}), (Tile{at(cellX, 4, cellW, 5), 0, share(1, cellW, 5), share(1, W, 2)}));
    releaseSchematicCell(&root);
    EXPECT_EQ(root.ptr, nullptr);
    EXPECT_EQ(root.nr_h_cells, 0);
}

TEST(SchematicTree, ManySubCellsKeepTheirOrderAndAreFound) {
    // 4096 names under one cell, entered twice, in a scrambled order: the
    // array grows and the index is rebuilt many times on the way.
    SchematicCell root;
    std::vector<std::string> names;
    for (int i = 0; i < 4096; i++) {
        int j = (i * 2753) % 4096;
        names.push_back({char('a' + j / 512), char('a' + j / 64 % 8), '-', char('a' + j / 8 % 8), char('a' + j % 8)});
    }
    for (int pass = 0; pass < 2; pass++)
        for (const std::string& n : names) enterSchematicCell(&root, (n + ".aa").c_str());
    ASSERT_EQ(root.nr_of_subspaces, 4096);
    for (int i = 0; i < 4096; i++) ASSERT_EQ(std::string(root.ptr[i].name), names[size_t(i)]) << i;
    for (int i = 0; i < 4096; i++) {
        SchematicCell* found = nullptr;
        getSubCell(&root, names[size_t(i)].c_str(), "ab", &found);
        ASSERT_EQ(found, &root.ptr[i]) << i;
        EXPECT_EQ(found->nr_h_cells, 2);
    }
    releaseSchematicCell(&root);
}

TEST(SchematicTree, StringsNeverEnteredStopWhereTheTreeEnds) {
    SchematicCell root;
    int x = 5, y = 6, w = 70, h = 80;
    schematicSubSpace(&root, "aa.bb", &x, &y, &w, &h);  // no grid at all
    EXPECT_EQ((Tile{x, y, w, h}), (Tile{5, 6, 70, 80}));

    testing::internal::CaptureStderr();
    enterSchematicCell(&root, "ab.cd");
    enterSchematicCell(&root, "aa");
    testing::internal::GetCapturedStderr();
    x = 0, y = 0, w = W, h = W;
    schematicSubSpace(&root, "zz.cd", &x, &y, &w, &h);  // zz is outside the top grid
    EXPECT_EQ((Tile{x, y, w, h}), (Tile{0, 0, W, W}));
    schematicSubSpace(&root, "aa.cd", &x, &y, &w, &h);  // aa has no sub-cells
    EXPECT_EQ((Tile{x, y, w, h}), (Tile{0, 0, 8388607, W}));
    x = 0, y = 0, w = W, h = W;
    schematicSubSpace(&root, "ab.zz", &x, &y, &w, &h);  // ab's grid is cd alone
    EXPECT_EQ((Tile{x, y, w, h}), (Tile{8388607, 0, 8388607, W}));
    releaseSchematicCell(&root);

    // A field longer than the buffer is cut to fit, and its length told.
    char f[fieldBufferSize + 8];
    std::memset(f, 'z', sizeof f);
    EXPECT_EQ(firstCell("abcdefghij.ab", f), 10);
    EXPECT_STREQ(f, "abcde");
    EXPECT_EQ(f[fieldBufferSize], 'z');
    // Fields shorter than a range read as the single cell they begin with.
    char r[2], c[2];
    breakCell("abc", r, c);
    EXPECT_EQ(std::string(r, 2) + std::string(c, 2), "aabb");
}

// The processor's probe wall, placed by hand. Its top-level fields use rows
// a … s (the processor at la-sj and the memory at ol-sn reach row s) and
// columns a … n (the memory, and the register probes, which run from column
// k on to n): 19 rows and 14 columns.
TEST(Tiling, ProcessorProbeWall) {
    startNetlist();
    testing::internal::CaptureStderr();
    simnet();
    testing::internal::GetCapturedStderr();
    convertNetlist();
    const PhaseTwo& p2 = *phaseTwo;
    SchematicCell root;
    testing::internal::CaptureStderr();
    tilePositionFields(&root, p2.numberOfComponents, p2.rcpos, p2.tile);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    // The whole strings tiled give the same.
    std::vector<const char*> strings;
    for (int c = 0; c < p2.numberOfComponents; c++) strings.push_back(positionString(p2.rcpos[c]));
    SchematicCell byStrings;
    std::vector<ScreenTile> stringTiles(strings.size());
    tilePositions(&byStrings, int(strings.size()), strings.data(), stringTiles.data());
    releaseSchematicCell(&byStrings);
    EXPECT_EQ(tilesOf(stringTiles), tilesOf(std::vector<ScreenTile>(p2.tile, p2.tile + p2.numberOfComponents)));

    auto tileAt = [&p2](const char* s) {
        int found = -1, count = 0;
        for (int c = 0; c < p2.numberOfComponents; c++)
            if (std::string(positionString(p2.rcpos[c])) == s) found = c, count++;
        EXPECT_EQ(count, 1) << s;
        const ScreenTile& t = p2.tile[found < 0 ? 0 : found];
        return Tile{t.x, t.y, t.w, t.h};
    };
    // The top-level cell of rows r0 … r1 and column c (letters from a).
    auto cell = [](int r0, int r1, int c) {
        return Tile{at(0, c, W, 14), at(0, r0, W, 19), share(1, W, 14), share(r1 - r0 + 1, W, 19)};
    };

    // Stall_IF at ca: a top-level cell of its own.
    EXPECT_EQ(tileAt("ca"), cell(2, 2, 0));
    // Reg1 bit 14 at gl.aa: gl holds bits 14 … 10 at aa … ae, one row of
    // five.
    Tile gl = cell(6, 6, 11);
    EXPECT_EQ(tileAt("gl.aa"), (Tile{gl.x, gl.y, share(1, gl.w, 5), gl.h}));
    // Z at ff.ad-ae: ff holds N at aa-ab and Z, columns a … e.
    Tile ff = cell(5, 5, 5);
    EXPECT_EQ(tileAt("ff.ad-ae"), (Tile{at(ff.x, 3, ff.w, 5), ff.y, share(2, ff.w, 5), ff.h}));
    // The reset switch at ad.ac-ae shares ad with PC bit 0 at ad.aa.
    Tile ad = cell(0, 0, 3);
    EXPECT_EQ(tileAt("ad.ac-ae"), (Tile{at(ad.x, 2, ad.w, 5), ad.y, share(3, ad.w, 5), ad.h}));
    // IR_ID bit 15 at da-ea.aa: a cell two rows high, whose grid holds bits
    // 15 … 11 at aa … ae.
    Tile da = cell(3, 4, 0);
    EXPECT_EQ(tileAt("da-ea.aa"), (Tile{da.x, da.y, share(1, da.w, 5), da.h}));
    // Reg7 bit 0 at mn.ae: the bottom-right corner of the register wall.
    Tile mn = cell(12, 12, 13);
    EXPECT_EQ(tileAt("mn.ae"), (Tile{at(mn.x, 4, mn.w, 5), mn.y, share(1, mn.w, 5), mn.h}));
    releaseSchematicCell(&root);
}

// Random trees of records, made as nested descriptors make them (a parent
// and one or more fields, sometimes dotted, empty, bad or reversed), some
// components on inner records, some sharing one: the records' tiling
// gives what tiling their whole strings gives, tile for tile and message
// for message. A chain 3000 deep is among them.
TEST(Tiling, RecordsTileAsTheirStrings) {
    unsigned long r = 777;
    auto next = [&r](int n) {
        r = r * 6364136223846793005ul + 1442695040888963407ul;
        return int((r >> 33) % n);
    };
    auto field = [&next]() -> std::string {
        switch (next(12)) {
        case 0: return "";
        case 1: return "x";
        case 2: return "ab.cd";
        case 3: return std::string{char('a' + next(3)), char('a' + next(4)), '-', 'a', 'a'};  // maybe reversed
        default: return std::string{char('a' + next(3)), char('a' + next(4))};
        }
    };
    for (int round = 0; round < 20; round++) {
        std::vector<const PositionField*> made, components;
        const int records = round == 0 ? 3000 : 1 + next(300);
        for (int i = 0; i < records; i++) {
            const bool chain = round == 0;
            const PositionField* p = nullptr;
            if (chain && i > 0)
                p = positionOf(made.back(), "ab");
            else if (!made.empty() && next(4))
                p = positionOf(made[size_t(next(int(made.size())))], field().c_str());
            else
                p = positionOf(field().c_str());
            made.push_back(p);
            if (chain || next(3) == 0) components.push_back(p);
            if (!chain && next(5) == 0) components.push_back(made[size_t(next(int(made.size())))]);
        }
        std::vector<const char*> strings;
        for (const PositionField* p : components) strings.push_back(positionString(p));
        SchematicCell root;
        std::vector<ScreenTile> tiles(strings.size());
        testing::internal::CaptureStderr();
        tilePositions(&root, int(strings.size()), strings.data(), tiles.data());
        const std::string written = testing::internal::GetCapturedStderr();
        releaseSchematicCell(&root);
        std::string fieldMessages;
        ASSERT_EQ(fieldTiling(components, &fieldMessages), tilesOf(tiles)) << "round " << round;
        ASSERT_EQ(fieldMessages, written) << "round " << round;
    }
}
