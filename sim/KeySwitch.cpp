// The switch or pulser a typed character operates.
#include "KeySwitch.h"

#include <cstdio>

#include "Ph2.h"

void operateSwitchKey(int k) {
    const PhaseTwo& p2 = *phaseTwo;
    for (int j = 0; j < p2.numberOfSwitches; j++) {
        if (p2.activationsFromWindow[j][0] != k) continue;
        int c = p2.activationsFromWindow[j][1];
        if (p2.xEventTriggered[c])
            p2.xEventTriggered[c](c);
        else
            std::fprintf(stderr, "Keyboard input maps to a component, but no function exists\n");
        return;
    }
    std::fprintf(stderr,
                 "Keyboard input:  Character (char=%c,int=%d) with no corresponding component activation "
                 "defined.\n",
                 static_cast<char>(k), k);
}
