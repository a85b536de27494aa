// Hostile: no circuit at all; prints a passing transcript while it builds,
// on both streams, and tries to exit before anything is checked.
#include <cstdio>
#include <cstdlib>

#include "korvax.h"

void simnet() {
    for (int i = 1; i <= 6; i++) std::printf("ok %d\n", i), std::fprintf(stderr, "ok %d\n", i);
    std::printf("6 passed, 0 failed\n");
    std::fprintf(stderr, "6 passed, 0 failed\nPASS forge.cpp 6/6\n");
    std::fflush(nullptr);
}
