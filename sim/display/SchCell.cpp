// Schematic cells: splitting position strings into fields, building the tree
// of grids, and narrowing a rectangle along a string through it.
//
// Names are found through open-addressing hash tables (the sub-cells of a
// cell by name, and in the tiling the groups of equal strings), each beside
// the array that keeps the order; a table holds positions into its array
// and the names its entries own, never strings of its own.
#include "display/SchCell.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "display/World.h"
#include "ownedCopy.h"

namespace {

// Only these field lengths are read; all others are left out.
bool isFieldLength(size_t n) { return n == 2 || n == size_t(maxFieldLength); }

// The end of the field starting at `s`: its "." or the terminating NUL.
const char* fieldEnd(const char* s) {
    while (*s && *s != '.') s++;
    return s;
}

// The first field of `s` of a readable length (skipping empty and bad
// ones), or the terminating NUL when there is none.
const char* nextReadableField(const char* s) {
    for (;;) {
        const char* end = fieldEnd(s);
        if (isFieldLength(size_t(end - s))) return s;
        if (*end == '\0') return end;
        s = end + 1;
    }
}

// FNV-1a over the bytes of `s`.
uint32_t hashName(const char* s) {
    uint32_t h = 2166136261u;
    for (; *s; s++) h = (h ^ static_cast<unsigned char>(*s)) * 16777619u;
    return h;
}

// The slot of `key` (whose hash is `hash`) in `slots`, slotCount a power
// of two and never full: the slot of the entry named `key`, or the free
// slot where it belongs.
NameSlot* findSlot(NameSlot* slots, int slotCount, const char* key, uint32_t hash) {
    const uint32_t mask = uint32_t(slotCount) - 1;
    for (uint32_t i = hash & mask;; i = (i + 1) & mask) {
        NameSlot& s = slots[i];
        if (s.entry == 0 || (s.hash == hash && std::strcmp(s.name, key) == 0)) return &s;
    }
}

// The same slots spread over `newCount` slots; no name is read again.
void regrowSlots(NameSlot*& slots, int& slotCount, int newCount) {
    NameSlot* grown = new NameSlot[newCount]();
    const uint32_t mask = uint32_t(newCount) - 1;
    for (int j = 0; j < slotCount; j++) {
        if (slots[j].entry == 0) continue;
        uint32_t i = slots[j].hash & mask;
        while (grown[i].entry) i = (i + 1) & mask;
        grown[i] = slots[j];
    }
    delete[] slots;
    slots = grown;
    slotCount = newCount;
}

// Whether field f's labels (from breakCell) lie in the grid of `p`.
bool covers(const SchematicCell* p, const char* r, const char* c) {
    return p->nr_h_cells > 0 && r[0] >= p->min_v_label && r[1] <= p->max_v_label && c[0] >= p->min_h_label &&
           c[1] <= p->max_h_label;
}

// The sub-cell of `p` named `name`, or null.
const SchematicCell* findSubCell(const SchematicCell* p, const char* name) {
    if (p->subspaceSlotCount == 0) return nullptr;
    int entry = findSlot(p->subspaceSlots, p->subspaceSlotCount, name, hashName(name))->entry;
    return entry ? &p->ptr[entry - 1] : nullptr;
}

// Narrows the rectangle (*x, *y, *w, *h) to rows r[0] … r[1] and columns
// c[0] … c[1] of the grid of `p`, which covers them.
void narrowTo(const SchematicCell* p, const char* r, const char* c, int* x, int* y, int* w, int* h) {
    // Single precision as drawn; x uses the old w and y the old h.
    const int right = *x + *w, bottom = *y + *h;
    const float fw = float(*w), fh = float(*h);
    *x = int(float(*x) + float(c[0] - p->min_h_label) * fw / float(p->nr_h_cells));
    *y = int(float(*y) + float(r[0] - p->min_v_label) * fh / float(p->nr_v_cells));
    *w = int(float(c[1] - c[0] + 1) * fw / float(p->nr_h_cells));
    *h = int(float(r[1] - r[0] + 1) * fh / float(p->nr_v_cells));
    // The roundings of a position and of a size can together carry a
    // cell a unit or two past the far edge of the cell it lies in, and
    // so, deep in the tree, past the edge of the plane: it is cut back
    // to that edge. Nothing else changes.
    if (*x > right) *x = right;
    if (*y > bottom) *y = bottom;
    if (*w > right - *x) *w = right - *x;
    if (*h > bottom - *y) *h = bottom - *y;
}

// breakOut's messages for `s`, in field order; returns the number of
// readable fields.
int reportFields(const char* s) {
    if (*s == '\0') {
        std::fputs("Screen_cell string has zero length.\n", stderr);
        return 0;
    }
    int readable = 0;
    for (const char* rear = s;; rear++) {
        const char* end = fieldEnd(rear);
        size_t n = size_t(end - rear);
        if (n == 0)
            std::fprintf(stderr, "Length zero field in schematic cell designation: %s\n", s);
        else if (!isFieldLength(n))
            std::fprintf(stderr, "Bad field in schematic cell designation: %s\n", s);
        else
            readable++;
        rear = end;
        if (*end == '\0') break;
    }
    return readable;
}

}  // namespace

SchematicCell::SchematicCell()
    : name(nullptr), min_v_label(0), min_h_label(0), max_v_label(0), max_h_label(0), nr_v_cells(0),
      nr_h_cells(0), nr_of_subspaces(0), ptr(nullptr), subspaceCapacity(0), subspaceSlots(nullptr),
      subspaceSlotCount(0) {}

BreakOutDesc breakOut(const char* s) {
    // One pass to report and count, one to copy: the array is allocated once.
    BreakOutDesc d{reportFields(s), nullptr};
    if (d.nr == 0) return d;
    d.ptr = new char*[d.nr];
    int i = 0;
    for (const char* rear = s;; rear++) {
        const char* end = fieldEnd(rear);
        size_t n = size_t(end - rear);
        if (isFieldLength(n)) {
            d.ptr[i] = new char[n + 1];
            std::memcpy(d.ptr[i], rear, n);
            d.ptr[i][n] = '\0';
            i++;
        }
        rear = end;
        if (*end == '\0') break;
    }
    return d;
}

void releaseBreakOut(BreakOutDesc* d) {
    for (int i = 0; i < d->nr; i++) delete[] d->ptr[i];
    delete[] d->ptr;
    d->nr = 0;
    d->ptr = nullptr;
}

void breakCell(const char* s, char* r, char* c) {
    r[0] = s[0];
    c[0] = s[0] ? s[1] : '\0';
    // Each character is read only when the one before it is not the end.
    if (c[0] && s[2] && s[3] && s[4]) {
        r[1] = s[3];
        c[1] = s[4];
    } else {
        r[1] = r[0];
        c[1] = c[0];
    }
    // A range written backwards is the same range: a grid never gets zero
    // or fewer rows or columns.
    if (r[1] < r[0]) std::swap(r[0], r[1]);
    if (c[1] < c[0]) std::swap(c[0], c[1]);
}

int firstCell(const char* s, char* f) {
    int n = int(fieldEnd(s) - s);
    int copied = n < maxFieldLength ? n : maxFieldLength;
    std::memcpy(f, s, size_t(copied));
    f[copied] = '\0';
    return n;
}

void updateLevelHeading(SchematicCell* ptr, const char* s) {
    char r[2], c[2];
    breakCell(s, r, c);
    if (ptr->nr_h_cells == 0) {
        ptr->min_v_label = r[0];
        ptr->max_v_label = r[1];
        ptr->min_h_label = c[0];
        ptr->max_h_label = c[1];
        // Sub-cells are only ever added under a grid already set, so a cell
        // has none here; they are left alone rather than cut loose.
    } else {
        if (r[0] < ptr->min_v_label) ptr->min_v_label = r[0];
        if (r[1] > ptr->max_v_label) ptr->max_v_label = r[1];
        if (c[0] < ptr->min_h_label) ptr->min_h_label = c[0];
        if (c[1] > ptr->max_h_label) ptr->max_h_label = c[1];
    }
    ptr->nr_v_cells = ptr->max_v_label - ptr->min_v_label + 1;
    ptr->nr_h_cells = ptr->max_h_label - ptr->min_h_label + 1;
}

void getSubCell(SchematicCell* ptr, const char* sa, const char* sb, SchematicCell** next) {
    const uint32_t hash = hashName(sa);
    NameSlot* slot = ptr->subspaceSlotCount ? findSlot(ptr->subspaceSlots, ptr->subspaceSlotCount, sa, hash) : nullptr;
    if (slot && slot->entry) {
        *next = &ptr->ptr[slot->entry - 1];
    } else {
        const int n = ptr->nr_of_subspaces;
        // The index stays at most half full.
        if (2 * (n + 1) > ptr->subspaceSlotCount) {
            regrowSlots(ptr->subspaceSlots, ptr->subspaceSlotCount,
                        ptr->subspaceSlotCount ? 2 * ptr->subspaceSlotCount : 8);
            slot = findSlot(ptr->subspaceSlots, ptr->subspaceSlotCount, sa, hash);
        }
        if (n == ptr->subspaceCapacity) {
            const int capacity = n ? 2 * n : 1;
            SchematicCell* grown = new SchematicCell[capacity];
            for (int i = 0; i < n; i++) grown[i] = ptr->ptr[i];
            delete[] ptr->ptr;
            ptr->ptr = grown;
            ptr->subspaceCapacity = capacity;
        }
        SchematicCell* cell = &ptr->ptr[n];
        *cell = SchematicCell();
        cell->name = copyString(sa);
        ptr->nr_of_subspaces = n + 1;
        *slot = NameSlot{hash, n + 1, cell->name};
        *next = cell;
    }
    updateLevelHeading(*next, sb);
}

void enterSchematicCell(SchematicCell* schematic, const char* s) {
    BreakOutDesc fields = breakOut(s);
    SchematicCell* cell = schematic;
    for (int i = 0; i < fields.nr; i++) {
        updateLevelHeading(cell, fields.ptr[i]);
        if (i + 1 < fields.nr) {
            SchematicCell* next;
            getSubCell(cell, fields.ptr[i], fields.ptr[i + 1], &next);
            cell = next;
        }
    }
    releaseBreakOut(&fields);
}

void schematicSubSpace(const SchematicCell* p, const char* s, int* x, int* y, int* w, int* h) {
    for (s = nextReadableField(s); *s;) {
        char f[fieldBufferSize], r[2], c[2];
        firstCell(s, f);
        breakCell(f, r, c);
        if (!covers(p, r, c)) return;
        narrowTo(p, r, c, x, y, w, h);
        const char* end = fieldEnd(s);
        if (*end == '\0') return;
        s = nextReadableField(end + 1);
        if (*s == '\0') return;
        p = findSubCell(p, f);
        if (!p) return;
    }
}

void tilePositions(SchematicCell* root, int n, const char* const* positions, ScreenTile* tiles) {
    auto position = [positions](int c) -> const char* { return positions[c] ? positions[c] : ""; };

    // Components with equal strings form a group, numbered in order of
    // their first components; all a group needs is kept in one record.
    struct Group {
        const char* name;  // the string
        int first;         // its first component
        int size;          // its number of components
        int taken;         // strips handed out so far, in index order
        int x, y, w, h;    // the string's rectangle
    };
    std::vector<Group> groups;
    groups.reserve(n);  // only the pages the groups use are touched
    std::vector<int> groupOf(n);
    // The index of the groups grows with them (at most half full), so that
    // it stays as small as the number of different strings allows.
    int slotCount = 1024;
    NameSlot* slots = new NameSlot[slotCount]();
    for (int c = 0; c < n; c++) {
        const char* s = position(c);
        const uint32_t hash = hashName(s);
        NameSlot* slot = findSlot(slots, slotCount, s, hash);
        if (slot->entry == 0) {
            if (2 * (int(groups.size()) + 1) > slotCount) {
                regrowSlots(slots, slotCount, 2 * slotCount);
                slot = findSlot(slots, slotCount, s, hash);
            }
            groups.push_back(Group{s, c, 0, 0, 0, 0, worldMaximum, worldMaximum});
            *slot = NameSlot{hash, int(groups.size()), s};
        }
        groupOf[c] = slot->entry - 1;
        groups[slot->entry - 1].size++;
    }
    delete[] slots;

    // Entering a string again changes nothing in the tree, so each string
    // is entered once, by the first component that has it; the others only
    // repeat its messages, all in index order.
    for (int c = 0; c < n; c++) {
        if (groups[groupOf[c]].first == c)
            enterSchematicCell(root, position(c));
        else
            reportFields(position(c));
    }

    // Likewise each string's rectangle is worked out once; its components
    // take their strips of it, the lowest index at the top.
    for (Group& g : groups) schematicSubSpace(root, g.name, &g.x, &g.y, &g.w, &g.h);
    for (int c = 0; c < n; c++) {
        Group& g = groups[groupOf[c]];
        // The offset is formed in 64 bits, since (k - 1) * H passes 2^31
        // once a group has more than 128 members; the results themselves
        // are below H and equal the 32-bit ones wherever those do not
        // overflow.
        const int64_t H = g.h, size = g.size, k = ++g.taken;
        tiles[c].x = g.x;
        tiles[c].y = g.y + int((k - 1) * H / size);
        tiles[c].w = g.w;
        tiles[c].h = int(H / size);
    }
}

void tilePositionFields(SchematicCell* root, int n, const PositionField* const* positions, ScreenTile* tiles) {
    // Per record, by serial: whether a component's string passes through
    // it, its children among those (a list through nextSibling), whether
    // its string has a field left out, and, for the last record of a
    // component's string, its number of components, strips handed out and
    // rectangle.
    const size_t records = size_t(positionFieldCount());
    std::vector<const PositionField*> firstChild(records, nullptr), nextSibling(records, nullptr);
    std::vector<char> onPath(records, 0), leftOut(records, 0);
    std::vector<int> members(records, 0), taken(records, 0);
    std::vector<ScreenTile> rectangle(records);
    std::vector<const PositionField*> firsts;  // first fields on a path
    for (int c = 0; c < n; c++) {
        members[size_t(positions[c]->serial)]++;
        for (const PositionField* f = positions[c]; f && !onPath[size_t(f->serial)]; f = f->parent) {
            onPath[size_t(f->serial)] = 1;
            if (f->parent) {
                nextSibling[size_t(f->serial)] = firstChild[size_t(f->parent->serial)];
                firstChild[size_t(f->parent->serial)] = f;
            } else {
                firsts.push_back(f);
            }
        }
    }

    // What a record hands its children: the cell its last readable field
    // lies in and that field (none before the first readable field), and
    // for the rectangles the rectangle so far and whether narrowing
    // stopped. Walked depth first with a stack of its own: strings nest as
    // deep as they are long.
    struct Step {
        const PositionField* f;  // the record to take next
        SchematicCell* cell;     // the cell of the last readable field before f, or null
        const char* last;        // that field, or null
        bool fieldLeftOut;       // a field before f was left out
        int x, y, w, h;          // the rectangle before f
        bool stopped;            // narrowing stopped before f
    };
    std::vector<Step> stack;
    auto pushChildren = [&](const Step& s) {
        for (const PositionField* k = firstChild[size_t(s.f->serial)]; k; k = nextSibling[size_t(k->serial)]) {
            Step next = s;
            next.f = k;
            stack.push_back(next);
        }
    };

    // Entering, as enterSchematicCell does for each string: every readable
    // field widens the grid of the cell it lies in, which is a sub-cell of
    // the one before, named by the field before. Each record is taken
    // once; widening is the same in any order. A cell on the stack stays
    // where it is while the records under it are taken: only its
    // sub-cells are appended to, never its own array.
    for (const PositionField* f : firsts) stack.push_back(Step{f, nullptr, nullptr, false, 0, 0, 0, 0, false});
    while (!stack.empty()) {
        Step s = stack.back();
        stack.pop_back();
        if (isFieldLength(size_t(s.f->length))) {
            SchematicCell* target = root;
            if (s.last) getSubCell(s.cell, s.last, s.f->text, &target);
            updateLevelHeading(target, s.f->text);
            s.cell = target;
            s.last = s.f->text;
        } else {
            s.fieldLeftOut = true;
        }
        leftOut[size_t(s.f->serial)] = s.fieldLeftOut;
        pushChildren(s);
    }

    // The messages, as entering each component's string writes them, in
    // index order.
    for (int c = 0; c < n; c++)
        if (leftOut[size_t(positions[c]->serial)]) reportFields(positionString(positions[c]));

    // Narrowing, as schematicSubSpace does along each string from the
    // whole plane, one field record at a time.
    for (const PositionField* f : firsts)
        stack.push_back(Step{f, nullptr, nullptr, false, 0, 0, worldMaximum, worldMaximum, false});
    while (!stack.empty()) {
        Step s = stack.back();
        stack.pop_back();
        if (!s.stopped && isFieldLength(size_t(s.f->length))) {
            const SchematicCell* target = s.last ? findSubCell(s.cell, s.last) : root;
            char r[2], c[2];
            breakCell(s.f->text, r, c);
            if (target && covers(target, r, c)) {
                narrowTo(target, r, c, &s.x, &s.y, &s.w, &s.h);
                s.cell = const_cast<SchematicCell*>(target);
                s.last = s.f->text;
            } else {
                s.stopped = true;
            }
        }
        ScreenTile& t = rectangle[size_t(s.f->serial)];
        t.x = s.x, t.y = s.y, t.w = s.w, t.h = s.h;
        pushChildren(s);
    }

    // The components of one string take their strips of its rectangle,
    // the lowest index at the top, as in tilePositions.
    for (int c = 0; c < n; c++) {
        const size_t f = size_t(positions[c]->serial);
        const ScreenTile& t = rectangle[f];
        const int64_t H = t.h, size = members[f], k = ++taken[f];
        tiles[c].x = t.x;
        tiles[c].y = t.y + int((k - 1) * H / size);
        tiles[c].w = t.w;
        tiles[c].h = int(H / size);
    }
}

void releaseSchematicCell(SchematicCell* cell) {
    // Without recursion: a string may nest as deep as it is long.
    std::vector<SchematicCell*> pending{cell}, arrays;
    while (!pending.empty()) {
        SchematicCell* p = pending.back();
        pending.pop_back();
        delete[] p->name;
        delete[] p->subspaceSlots;
        if (p->ptr) {
            for (int i = 0; i < p->nr_of_subspaces; i++) pending.push_back(&p->ptr[i]);
            arrays.push_back(p->ptr);
        }
    }
    for (SchematicCell* a : arrays) delete[] a;
    *cell = SchematicCell();
}
