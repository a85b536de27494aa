// The diagnostic line of an event.
#include "Event.h"

#include <cstdio>

void Event::printEvent() const {
    std::fprintf(stderr, " printEvent()--Time: %lu EventType = %d signalSerialNumber = %d sigValue = %s\n", time,
                 eventType, signalSerialNumber, signalValueName(sigValue));
}
