// Schematic descriptors: shared position records and owned labels, joined
// when descriptors nest.
#include "Schmtc.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ownedCopy.h"

namespace {
char* copyOrNull(const char* s) { return s ? copyString(s) : nullptr; }

// A component needs a place on the schematic; without a position string
// there is nothing to place it by, so the build stops here.
const char* checkedPosition(const char* pos, const SourcePlace& at) {
    if (pos == nullptr) {
        std::fprintf(stderr, "ERROR -- SD without a position string\n");
        sayPlace(at);
        std::exit(1);
    }
    return pos;
}

}  // namespace

SD::SD(const char* pos, const char* thisDecal, SourcePlace at)
    : graphicLevel(1), position(positionOf(checkedPosition(pos, at))), decal(copyOrNull(thisDecal)) {}

SD::SD(const SD& sd, const char* pos, const char* thisDecal, SourcePlace at)
    : graphicLevel(sd.graphicLevel + 1), position(positionOf(sd.position, checkedPosition(pos, at))) {
    if (sd.decal && thisDecal)
        decal = copyString((std::string(sd.decal) + thisDecal).c_str());
    else
        decal = copyOrNull(sd.decal ? sd.decal : thisDecal);
}

SD::SD(const SD& sd) : graphicLevel(sd.graphicLevel), position(sd.position), decal(copyOrNull(sd.decal)) {}

SD::SD() : graphicLevel(0), position(positionOf("")), decal(nullptr) {}

SD::~SD() {
    delete[] decal;
    decal = nullptr;
}

SD& SD::operator=(const SD& sd) {
    if (this != &sd) {
        char* label = copyOrNull(sd.decal);
        delete[] decal;
        graphicLevel = sd.graphicLevel;
        position = sd.position;
        decal = label;
    }
    return *this;
}

SD SD::operator,(const char* thisDecal) const {
    SD relabelled(*this);
    delete[] relabelled.decal;
    relabelled.decal = copyOrNull(thisDecal);
    return relabelled;
}
