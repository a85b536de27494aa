// Typed characters: switches and pulsers by their keys, control characters
// as function-key commands, and a message for anything unbound.
#include "WindowIn.h"

#include <cstdio>

#include "../Ph2.h"
#include "Window.h"

const char* KeyboardOperateString = nullptr;

void keyboardInput(int k) {
    if (k > 31) {
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
        return;
    }
    // Control characters, and characters above 127 (negative here).
    switch (k) {
    case 1: FunctionKeyOperate(27); break;   // Control-a: least detail
    case 12: FunctionKeyOperate(31); break;  // Control-l: re-paint
    case 13: FunctionKeyOperate(35); break;  // Control-m, Return: more detail
    case 14: FunctionKeyOperate(29); break;  // Control-n: less detail
    case 26: FunctionKeyOperate(33); break;  // Control-z: most detail
    default: std::fprintf(stderr, "Keyboard input:  Control character (int=%d) unmapped.\n", k);
    }
}
