// Prints every command-line setting as the build function sees it, so that
// the process tests can check how each option was parsed. No components.
#include <cstdio>

#include "getopt.h"
#include "korvax.h"

static void printFlags(const char* which, int count, const int* flags) {
    std::fprintf(stderr, "%s: %d given:", which, count);
    for (int i = 0; i < 16; i++) std::fprintf(stderr, " %d", flags[i]);
    std::fprintf(stderr, "\n");
}

void simnet() {
    std::fprintf(stderr, "-F [%s] -K [%s] -W [%s] -g [%s]\n", FunctionKeyString, CursorKeyString,
                 WindowLabelString, XW_geometry);
    std::fprintf(stderr, "-C %d %d %d  -c %d %d %d  -S %d %d %d\n", red_fg, green_fg, blue_fg, red_bg, green_bg,
                 blue_bg, red_sw, green_sw, blue_sw);
    std::fprintf(stderr, "-T %lu  -t %d  -m %d  useXDisplay %d  -E %d\n", stopTime, displayTimeFlag,
                 connectMuxOnlyFlag, useXDisplay, earlyExitFlag);
    printFlags("-u", numberOfUserRunTimeFlags, userRunTimeFlag);
    printFlags("-p", numberOfProfRunTimeFlags, profRunTimeFlag);
    std::fprintf(stderr, "-z %d: %d %d %d %d\n", zFlagSet, zSetXa, zSetYa, zSetXb, zSetYb);
    std::fprintf(stderr, "options end before argument %d\n", optind_);
}
