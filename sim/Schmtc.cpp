// Schematic descriptors: owned position and label strings, joined textually
// when descriptors nest.
#include "Schmtc.h"

#include <cstring>
#include <string>

#include "ownedCopy.h"

namespace {
char* copyOrNull(const char* s) { return s ? copyString(s) : nullptr; }
}  // namespace

SD::SD(const char* pos, const char* thisDecal)
    : graphicLevel(1), graphicPosition(copyString(pos)), decal(copyOrNull(thisDecal)) {}

SD::SD(const SD& sd, const char* pos, const char* thisDecal) : graphicLevel(sd.graphicLevel + 1) {
    std::string joined = sd.graphicPosition;
    joined += '.';
    joined += pos;
    graphicPosition = copyString(joined.c_str());
    if (sd.decal && thisDecal)
        decal = copyString((std::string(sd.decal) + thisDecal).c_str());
    else
        decal = copyOrNull(sd.decal ? sd.decal : thisDecal);
}

SD::SD(const SD& sd)
    : graphicLevel(sd.graphicLevel), graphicPosition(copyString(sd.graphicPosition)), decal(copyOrNull(sd.decal)) {}

SD::SD() : graphicLevel(0), graphicPosition(copyString("")), decal(nullptr) {}

SD::~SD() {
    delete[] graphicPosition;
    delete[] decal;
    graphicPosition = nullptr;
    decal = nullptr;
}

SD& SD::operator=(const SD& sd) {
    if (this != &sd) {
        char* pos = copyString(sd.graphicPosition);
        char* label = copyOrNull(sd.decal);
        delete[] graphicPosition;
        delete[] decal;
        graphicLevel = sd.graphicLevel;
        graphicPosition = pos;
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
