// Schematic cells: the tree of nested grids that position strings describe,
// and the tiling that gives every component its rectangle on the plane.
//
// A position string such as "ad.ac-ae" is a path of fields joined by ".".
// A field is two characters, row then column ("ad"), or five, a rectangle
// of rows and columns ("ac-ae": rows a to a, columns c to e; the middle
// character is not read). The first field picks cells of the top grid, the
// next picks cells inside the grid of the sub-cell named by the complete
// text of the first, and so on. No grid is declared: each is as large as
// the labels used in it, its origin its smallest label, and its rows and
// columns are equal shares of its rectangle.
//
// Empty fields and fields of other lengths are reported once, when the
// string enters the tree, and are then left out everywhere, so "ab..cd" is
// placed as "ab.cd". A range written backwards ("ea-aa") reads as the same
// range in order.
//
// Everything here is pure geometry: no globals, any NUL-terminated string
// may be handed in, and nothing reads or writes past a string or buffer.
#ifndef KORVAX_SCHCELL_H
#define KORVAX_SCHCELL_H

#include "Position.h"
#include "display/ScrnTile.h"

// The longest field, a range such as "ac-ae".
const int maxFieldLength = 5;
// What firstCell needs to hold a field and its terminating NUL.
const int fieldBufferSize = maxFieldLength + 1;

// One slot of a hash index from names to the entries of an ordered array.
struct NameSlot {
    unsigned hash;     // the name's hash, so that most mismatches need no string comparison
    int entry;         // position of the entry in its array + 1; 0 for a free slot
    const char* name;  // the entry's name (owned by the entry)
};

// One grid of the tree. Sub-cells are kept in the order their names first
// appeared, with a hash index beside them so that finding one costs the
// same however many there are.
class SchematicCell {
public:
    char* name;           // the field naming this cell in its parent's grid (own copy); null for the root
    char min_v_label;     // smallest row label used in this grid
    char min_h_label;     // smallest column label used
    char max_v_label;     // largest row label used
    char max_h_label;     // largest column label used
    int nr_v_cells;       // rows: max_v_label - min_v_label + 1
    int nr_h_cells;       // columns: max_h_label - min_h_label + 1; 0 until the grid is first set
    int nr_of_subspaces;  // number of sub-cells in ptr
    SchematicCell* ptr;   // the sub-cells in order of first appearance, or null
    int subspaceCapacity;  // records allocated in ptr; the array grows by doubling
    NameSlot* subspaceSlots;  // hash index of the sub-cells' names, at most half full; null while there are none
    int subspaceSlotCount;    // slots in subspaceSlots, a power of two, or 0 while there are none

    // A cell whose grid is not set yet, without name or sub-cells.
    SchematicCell();
};

// A position string split into fields.
struct BreakOutDesc {
    int nr;      // number of fields
    char** ptr;  // nr own copies of the fields, in order; null when nr is 0
};

// Splits `s` at every "." into its fields of two or five characters.
// An empty `s` writes "Screen_cell string has zero length." and gives no
// fields. Each empty field writes "Length zero field in schematic cell
// designation: " and each field of another length "Bad field in schematic
// cell designation: ", both followed by the whole of `s`, in the order the
// fields stand; such fields are left out. Release with releaseBreakOut.
BreakOutDesc breakOut(const char* s);
// Frees the fields of `d` and leaves it empty.
void releaseBreakOut(BreakOutDesc* d);

// From field `s`, r[0], r[1] = first and last row, c[0], c[1] = first and
// last column, each pair in order. A field shorter than five characters
// reads as the single cell of its first two (or fewer) characters.
void breakCell(const char* s, char* r, char* c);
// Copies the field at the start of `s` (up to the first "." or the end)
// into `f`, which holds fieldBufferSize characters: at most maxFieldLength
// characters are copied, and `f` is always terminated. Returns the field's
// whole length, so a caller can tell a field that did not fit.
int firstCell(const char* s, char* f);

// Widens the grid of `ptr` to cover field `s`; the first field sets it.
void updateLevelHeading(SchematicCell* ptr, const char* s);
// Sets *next to the sub-cell of `ptr` named `sa`, appending a new one when
// there is none yet, and widens its grid to cover field `sb`. *next stays
// valid until the next sub-cell is appended to `ptr`.
void getSubCell(SchematicCell* ptr, const char* sa, const char* sb, SchematicCell** next);
// Enters position string `s` into the tree rooted at `schematic`; the
// messages of breakOut are written here.
void enterSchematicCell(SchematicCell* schematic, const char* s);
// Narrows the rectangle (*x, *y, *w, *h) along `s` through the tree at `p`,
// field by field, in single precision with truncation. Empty and bad fields
// are skipped without a message. It stops where the tree has no sub-cell
// for the next field or a grid does not cover a field (neither happens for
// strings entered into the tree); an empty `s` leaves the rectangle as it
// is. Each narrowed rectangle lies inside the one it was narrowed from
// (where rounding would carry it past the far edge, it is cut back), so a
// rectangle within the plane, 0 … 16777215, stays there.
void schematicSubSpace(const SchematicCell* p, const char* s, int* x, int* y, int* w, int* h);

// The whole tiling of `n` components with position strings `positions`
// (null reads as empty) into `tiles`: every string enters the tree at
// `root`, in index order, before any tile is computed; then each component
// gets its string's rectangle in the whole plane, shared by the components
// with the same string as equal horizontal strips, the lowest index at the
// top. Time and memory linear in the total length of the strings.
void tilePositions(SchematicCell* root, int n, const char* const* positions, ScreenTile* tiles);

// The same tiling, with the tiles and messages tilePositions gives the
// strings of `positions` (records of Position.h, none null), computed on
// the records: each record of a field that some component's string passes
// through is entered and narrowed once, from its parent's cell and
// rectangle, so time and memory are linear in n and the number of records
// made so far (positionFieldCount), not in the total length of the strings
// (a chain of descriptors nested d deep has d records but strings of d²
// characters in all). Only strings with messages to write are spelt out.
void tilePositionFields(SchematicCell* root, int n, const PositionField* const* positions, ScreenTile* tiles);

// Frees everything the tree under `cell` holds (names, sub-cells, indexes)
// and leaves `cell` as freshly constructed; the record itself stays the
// caller's. The running program keeps its tree to the end and never calls
// this.
void releaseSchematicCell(SchematicCell* cell);

#endif
