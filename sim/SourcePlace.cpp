// The lines that follow every build-time diagnostic about a component or a
// bus: what was expected, and "  in FILE:LINE".
#include "SourcePlace.h"

#include <cstdarg>
#include <cstdio>

void sayPlace(const SourcePlace& at) {
    if (at.file) std::fprintf(stderr, "  in %s:%d\n", at.file, at.line);
}

void sayExpected(const char* format, ...) {
    std::fputs("  expected: ", stderr);
    va_list values;
    va_start(values, format);
    std::vfprintf(stderr, format, values);
    va_end(values);
    std::fputc('\n', stderr);
}
