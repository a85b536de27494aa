// Arena: memory handed out front to back from large chunks and released all
// at once. Phase one keeps its list nodes, names and pin arrays in one, so
// that a circuit of a million gates is not a few million separate
// allocations to make and free again at the end of phase one.
#ifndef KORVAX_ARENA_H
#define KORVAX_ARENA_H

#include <cstddef>
#include <cstring>
#include <new>

class Arena {
public:
    Arena() : chunk(nullptr), next(nullptr), left(0) {}
    ~Arena() {
        while (chunk) {
            Chunk* older = chunk->older;
            ::operator delete(chunk);
            chunk = older;
        }
    }
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    // `bytes` of storage aligned for any object; valid until the arena dies.
    void* allocate(size_t bytes) {
        bytes = (bytes + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1);
        if (bytes > left) grow(bytes);
        void* p = next;
        next += bytes;
        left -= bytes;
        return p;
    }
    // A copy of `count` values, or null when count is below 1.
    template <typename T>
    T* copy(int count, const T* values) {
        if (count < 1) return nullptr;
        T* p = static_cast<T*>(allocate(sizeof(T) * count));
        std::memcpy(p, values, sizeof(T) * count);
        return p;
    }
    char* copyString(const char* s) { return copy(static_cast<int>(std::strlen(s)) + 1, s); }

private:
    struct Chunk {
        Chunk* older;
    };
    static const size_t chunkBytes = 1 << 20;

    void grow(size_t bytes) {
        size_t header = (sizeof(Chunk) + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1);
        size_t size = bytes + header > chunkBytes ? bytes + header : chunkBytes;
        Chunk* c = static_cast<Chunk*>(::operator new(size));
        c->older = chunk;
        chunk = c;
        next = reinterpret_cast<char*>(c) + header;
        left = size - header;
    }

    Chunk* chunk;  // newest chunk; each links to the one before
    char* next;    // first free byte of the newest chunk
    size_t left;   // free bytes from `next` to its end
};

#endif
