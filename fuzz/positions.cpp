// Fuzz target: position strings and the tiling. The input is a list of
// position strings separated by newlines. Each is split into fields
// (breakOut), entered into a fresh tree (enterSchematicCell) and then
// narrowed from the whole plane (schematicSubSpace); the whole list is also
// tiled (tilePositions), and every string is narrowed once more through a
// tree it was not entered into. Every rectangle must lie inside the plane,
// and the tiling of the strings' interned records (tilePositionFields, what
// the program runs) must give the tiles of the strings.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "display/SchCell.h"
#include "display/ScrnTile.h"

namespace {

const int planeSize = 16777216;  // world coordinates 0 … 16777215
const int maxRecords = 100000;   // position records a run compares tilings for

// A rectangle outside the plane is a fault of the tiling: stop here.
void checkInPlane(int x, int y, int w, int h) {
    if (x < 0 || y < 0 || w < 0 || h < 0 || x > planeSize - w || y > planeSize - h) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> strings(1);
    for (size_t i = 0; i < size; i++) {
        if (data[i] == '\n')
            strings.emplace_back();
        else if (data[i] != '\0')  // a NUL would end the C string early; leave it out
            strings.back() += static_cast<char>(data[i]);
    }

    SchematicCell root;
    for (const std::string& s : strings) {
        BreakOutDesc d = breakOut(s.c_str());
        releaseBreakOut(&d);
        enterSchematicCell(&root, s.c_str());
    }
    for (const std::string& s : strings) {
        int x = 0, y = 0, w = planeSize - 1, h = planeSize - 1;
        schematicSubSpace(&root, s.c_str(), &x, &y, &w, &h);
        checkInPlane(x, y, w, h);
    }

    // The same strings tiled as components, into a tree of their own.
    std::vector<const char*> positions;
    for (const std::string& s : strings) positions.push_back(s.c_str());
    std::vector<ScreenTile> tiles(positions.size());
    SchematicCell tiled;
    tilePositions(&tiled, static_cast<int>(positions.size()), positions.data(), tiles.data());
    for (const ScreenTile& t : tiles) checkInPlane(t.x, t.y, t.w, t.h);
    releaseSchematicCell(&tiled);
    // The strings' records tiled as the program tiles them. Records are
    // never freed, and each tiling reads arrays as long as all records
    // made: the comparison stops once this run has made many.
    if (positionFieldCount() <= maxRecords) {
        std::vector<const PositionField*> records;
        for (const std::string& s : strings) records.push_back(positionOf(s.c_str()));
        std::vector<ScreenTile> fieldTiles(records.size());
        SchematicCell byRecords;
        tilePositionFields(&byRecords, static_cast<int>(records.size()), records.data(), fieldTiles.data());
        for (size_t i = 0; i < tiles.size(); i++)
            if (fieldTiles[i].x != tiles[i].x || fieldTiles[i].y != tiles[i].y || fieldTiles[i].w != tiles[i].w ||
                fieldTiles[i].h != tiles[i].h)
                __builtin_trap();
        releaseSchematicCell(&byRecords);
    }

    // Strings narrowed through a tree that holds only the first of them.
    SchematicCell partial;
    enterSchematicCell(&partial, strings[0].c_str());
    for (const std::string& s : strings) {
        int x = 0, y = 0, w = planeSize - 1, h = planeSize - 1;
        schematicSubSpace(&partial, s.c_str(), &x, &y, &w, &h);
        checkInPlane(x, y, w, h);
    }
    releaseSchematicCell(&partial);
    releaseSchematicCell(&root);
    return 0;
}
