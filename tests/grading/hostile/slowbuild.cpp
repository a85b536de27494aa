// Hostile: a constant the compiler computes for minutes, for the build's
// time limit.
#include "korvax.h"

constexpr long long sum() {
    long long s = 0;
    for (long long i = 0; i < 200000; i++)
        for (long long j = 0; j < 200000; j++) s += i ^ j;
    return s;
}
constexpr long long total = sum();

void simnet() {}
