// Probes for the library test circuits: one probe per wire, labelled with
// the bus name and the bit number and registered most significant bit
// first, so that a headless run prints one recognisable line per bit change.
// Cells are handed out in order "aa", "ab", … so that positions never clash.
#ifndef KORVAX_TEST_BITPROBES_H
#define KORVAX_TEST_BITPROBES_H

#include <string>

#include "korvax.h"

// The next free two-letter cell.
inline SD nextCell() {
    static int next = 0;
    const char pos[3] = {static_cast<char>('a' + next / 26 % 26), static_cast<char>('a' + next % 26), 0};
    next++;
    return SD(pos);
}

inline void probeBits(const char* name, const Signal& bus) {
    for (int i = bus.length - 1; i >= 0; i--) Probe(nextCell(), bus[i], std::string(name) + std::to_string(i));
}

// A constant wire holding XXX, for unknown inputs that never change.
inline Signal unknownWire(const char* name) { return Signal(1, XXX, 1, name); }

#endif
