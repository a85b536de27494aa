// The new handler and the reserve it releases.
#include "OutOfMemory.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

// Enough for the way out: the stdio buffers are taken already, closing the
// waveform file allocates nothing, the vectors' summary a little.
const size_t reserveBytes = 1 << 20;
void* reserve = nullptr;
bool ending = false;

}  // namespace

void handleOutOfMemory() {
    reserve = std::malloc(reserveBytes);
    std::set_new_handler(outOfMemory);
}

void outOfMemory() {
    if (ending) {
        std::fflush(nullptr);
        std::_Exit(1);
    }
    ending = true;
    std::free(reserve);
    reserve = nullptr;
    std::fputs("Out of memory\n", stderr);
    std::exit(1);
}
