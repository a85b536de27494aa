// Position strings as interned records of their fields: an open-addressing
// table finds the record of a parent and a field text, and an arena holds
// the records, their texts and the whole strings written out on request.
// Nothing is ever freed: the netlist refers to these records to the end.
#include "Position.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "Arena.h"

namespace {

// Everything lives as long as the program: made on first use and never
// destroyed, so that no static destructor can take records from under a
// message written at exit.
struct Store {
    Arena arena;
    std::vector<const PositionField*> slots;  // the table, a power of two long, at most half full
    int count = 0;                             // records made
};

Store& store() {
    static Store* s = new Store;
    return *s;
}

// FNV-1a over the field's characters, mixed with the parent's serial.
uint32_t hashField(const PositionField* parent, const char* text, size_t n) {
    uint32_t h = 2166136261u ^ static_cast<uint32_t>(parent ? parent->serial + 1 : 0) * 2654435761u;
    for (size_t i = 0; i < n; i++) h = (h ^ static_cast<unsigned char>(text[i])) * 16777619u;
    return h;
}

// The slot of the record with `parent` and field text[0, n), or the empty
// slot where it belongs.
const PositionField** findSlot(std::vector<const PositionField*>& slots, const PositionField* parent,
                               const char* text, size_t n) {
    const size_t mask = slots.size() - 1;
    for (size_t i = hashField(parent, text, n) & mask;; i = (i + 1) & mask) {
        const PositionField*& f = slots[i];
        if (!f || (f->parent == parent && static_cast<size_t>(f->length) == n && std::memcmp(f->text, text, n) == 0))
            return &f;
    }
}

// The record of `parent` followed by the field text[0, n) (no "." in it).
const PositionField* field(const PositionField* parent, const char* text, size_t n) {
    Store& s = store();
    if (2 * (static_cast<size_t>(s.count) + 1) > s.slots.size()) {
        std::vector<const PositionField*> grown(s.slots.empty() ? 1024 : 2 * s.slots.size(), nullptr);
        for (const PositionField* f : s.slots)
            if (f) *findSlot(grown, f->parent, f->text, static_cast<size_t>(f->length)) = f;
        s.slots.swap(grown);
    }
    const PositionField** slot = findSlot(s.slots, parent, text, n);
    if (*slot) return *slot;
    char* own = static_cast<char*>(s.arena.allocate(n + 1));
    std::memcpy(own, text, n);
    own[n] = '\0';
    PositionField* f = new (s.arena.allocate(sizeof(PositionField)))
        PositionField{parent, own, static_cast<int>(n), s.count, (parent ? parent->stringLength + 1 : 0) + n, nullptr};
    s.count++;
    *slot = f;
    return f;
}

// The records of the fields of `s`, after `parent` (null: none).
const PositionField* fields(const PositionField* parent, const char* s) {
    for (;;) {
        const char* dot = std::strchr(s, '.');
        const size_t n = dot ? static_cast<size_t>(dot - s) : std::strlen(s);
        parent = field(parent, s, n);
        if (!dot) return parent;
        s = dot + 1;
    }
}

}  // namespace

const PositionField* positionOf(const char* s) { return fields(nullptr, s); }

const PositionField* positionOf(const PositionField* parent, const char* s) { return fields(parent, s); }

const char* positionString(const PositionField* p) {
    if (p->whole) return p->whole;
    char* whole = static_cast<char*>(store().arena.allocate(p->stringLength + 1));
    whole[p->stringLength] = '\0';
    // From the last field back to the first, each before its ".".
    size_t end = p->stringLength;
    for (const PositionField* f = p; f; f = f->parent) {
        end -= static_cast<size_t>(f->length);
        std::memcpy(whole + end, f->text, static_cast<size_t>(f->length));
        if (f->parent) whole[--end] = '.';
    }
    p->whole = whole;
    return whole;
}

int positionFieldCount() { return store().count; }
