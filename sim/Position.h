// Position strings, stored as a tree of their fields. A position string is
// fields joined by "." ("ad.ac-ae"); every distinct string is one record
// for its last field, which points at the record of the fields before it.
// A nested descriptor, whose string is its parent's followed by ".field",
// so costs one record, however deep it lies: the parent's fields are
// shared, never copied. Records are interned (one per parent and field
// text), so two equal strings are always the same record, and live until
// the program ends.
//
// The whole string is written out only when something asks for it
// (messages, probe lines, the diagnostic dump), and then kept with its
// record. The display walks the records themselves (SchCell.h).
#ifndef KORVAX_POSITION_H
#define KORVAX_POSITION_H

#include <cstddef>

// One field of a position string, with the fields before it.
struct PositionField {
    const PositionField* parent;  // the fields before this one; null for the first field
    const char* text;             // this field's characters, without ".", NUL-terminated (may be empty)
    int length;                   // characters of text
    int serial;                   // 0, 1, 2 … in order of creation: a parent's is below its children's
    size_t stringLength;          // characters of the whole string up to and including this field
    mutable char* whole;          // the whole string once positionString has made it; null before
};

// The record of the whole string `s` (which must not be null), split at
// every "."; "" is one empty field.
const PositionField* positionOf(const char* s);
// The record of `parent`'s string, ".", then `s` (parent and s not null).
const PositionField* positionOf(const PositionField* parent, const char* s);
// The whole string of `p`, made on the first call and kept; never null.
const char* positionString(const PositionField* p);
// How many records exist: every serial is below this.
int positionFieldCount();

#endif
