// copyString: how buses and descriptors take their own copy of a name or
// position string, so circuit code may build names in temporary buffers.
// (Phase one's lists and phase two's arrays copy into blocks of their own.)
#ifndef KORVAX_OWNEDCOPY_H
#define KORVAX_OWNEDCOPY_H

#include <cstring>

// A new[]-allocated copy of `s` (which must not be null); free with delete[].
inline char* copyString(const char* s) {
    size_t n = std::strlen(s) + 1;
    char* copy = new char[n];
    std::memcpy(copy, s, n);
    return copy;
}

#endif
