// The "  in FILE:LINE" line that follows every build-time diagnostic about a
// component or a bus.
#include "SourcePlace.h"

#include <cstdio>

void sayPlace(const SourcePlace& at) {
    if (at.file) std::fprintf(stderr, "  in %s:%d\n", at.file, at.line);
}
