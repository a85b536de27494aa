// World-coordinate arithmetic.
#include "display/World.h"

#include <climits>
#include <cmath>

int truncateToInt(float f) {
    if (std::isnan(f)) return 0;
    if (f >= 2147483648.0f) return INT_MAX;
    if (f <= -2147483648.0f) return INT_MIN;
    return static_cast<int>(f);
}

float worldExtent(int from, int to) { return static_cast<float>(static_cast<long long>(to) - from); }
