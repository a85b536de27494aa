// The slow-motion sleep of the run loop.
#include <time.h>

#include "Ph4.h"

void PhaseFour::msWait() {
    timespec oneMs = {0, 1000000};
    nanosleep(&oneMs, nullptr);  // an interrupted sleep just ends the step early
}
