// Schematic descriptors: where a component is drawn, at which level of
// detail it appears, and which label it carries. Every component constructor
// takes one as its first argument; a sub-circuit nests its parent's
// descriptor, which appends a position field and raises the level by one.
// The display (sim/display) interprets the position strings; here they are
// only stored and joined. A position is a shared record (Position.h): a
// nested descriptor adds one field record to its parent's, and copies of
// a descriptor share it, so nesting depth costs memory in proportion to
// the depth, not to its square.
#ifndef KORVAX_SCHMTC_H
#define KORVAX_SCHMTC_H

#include "Position.h"
#include "SourcePlace.h"

class SD {
public:
    int graphicLevel;               // 1 at top level, parent's level + 1 when nested
    const PositionField* position;  // the position string, e.g. "ad.ac-ae"; shared, never null
    char* decal;                    // owned label, or null for none

    // Top-level descriptor; `thisDecal` may be null. A null `pos` is a
    // circuit error: reported with the caller's line, status 1.
    SD(const char* pos, const char* thisDecal = nullptr, SourcePlace at = SourcePlace());
    // Nested descriptor: position parent + "." + pos; the label is the
    // parent's label followed by `thisDecal` (either may be absent). A null
    // `pos` is reported as above.
    SD(const SD& sd, const char* pos, const char* thisDecal = nullptr, SourcePlace at = SourcePlace());
    SD(const SD& sd);
    // A descriptor without contents: level 0, empty position, no label.
    SD();
    ~SD();

    SD& operator=(const SD& sd);

    // The whole position string, written out on the first call for this
    // position and kept with it (for messages).
    const char* graphicPosition() const { return positionString(position); }

    // Relabelling: same level and position, label replaced by `thisDecal`.
    SD operator,(const char* thisDecal) const;
};

#endif
