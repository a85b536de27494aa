// Command-line options into run-time settings.
//
// Options that take further values (-C, -c, -S, -z, -p, -u) read them from
// the elements after their own argument. Where those are missing, or a
// string is too long for its buffer, or a run-time flag number is outside
// 0..15, a one-line warning says what was done instead; nothing is read past
// the argument vector and nothing is written outside a buffer.
#include "cmdLine.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "getopt.h"

char FunctionKeyString[keyStringSize];
char CursorKeyString[keyStringSize];
char WindowLabelString[keyStringSize];
char XW_geometry[geometryStringSize];
int red_fg, green_fg, blue_fg;
int red_bg, green_bg, blue_bg;
int red_sw, green_sw, blue_sw;
unsigned long stopTime = 0;
int displayTimeFlag = 0;
const char* KeyboardOperateString = nullptr;
int connectMuxOnlyFlag = 0;
int useXDisplay = 1;
int earlyExitFlag = 0;
int userRunTimeFlag[16] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
int profRunTimeFlag[16] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
int numberOfUserRunTimeFlags = 0;
int numberOfProfRunTimeFlags = 0;
int zFlagSet = 0;
int zSetXa, zSetYa, zSetXb, zSetYb;
const char* testVectorsPath = nullptr;
const char* waveformPath = nullptr;
const char* picturePath = nullptr;
const char* programPath = nullptr;
int programLoadedFlag = 0;
int watchLinesFlag = 0;
const char* watchEdgeName = nullptr;
const char* explainRequest = nullptr;
int timingReportFlag = 0;
unsigned long oscillationLimit = 1000000;
const char* netlistPath = nullptr;

namespace {

const char* const helpLines[] = {
    "Command line options:",
    " Colors (ForeGround,BackGround,SubWindow) (0-255 for each component)",
    "  -C <redFG> <greenFG> <blueFG>",
    "  -c <redBG> <greenBG> <blueBG>",
    "  -S <redSW> <greenSW> <blueSW>",
    " Early Exit",
    "  -E",
    " Function Key Operate",
    "  -F <string of operations> ops from {23456789HUDE}>",
    "     {H:Home; U:PgUp; D:PgDn; E:End}",
    "   for example:  -F 23589DD",
    " Geometry (standard X Window geometry format)",
    "  -g wxh+x+y",
    "   for example:  -g 1000x900+100+50",
    " Cursor Key Operate",
    "  -K <digit string> , digits from {0123}>",
    "     {0:left; 1:up; 2:right; 3:down}",
    "   for example:  -K 0003",
    " ProfRunTimeFlags",
    "  -p <flagNr> <flag> ",
    "   (flag[0..15]: octal, hex or int accepted)",
    " StopTime",
    "  -T <time>",
    " Time Display",
    "  -t",
    " UserRunTimeFlags",
    "  -u <flagNr> <flag> ",
    "   (flag[0..15]: octal, hex or int accepted)",
    " WindowLabelString",
    "  -W <windowLabel>",
    " Don't use X-Display",
    "  -X",
    " ZoomIn (to upper left and lower right coordinates)",
    "  -z <xul> <yul> <xlr> <ylr>",
    " Help",
    "  -h",
    " Keyboard Operate (keys typed into the circuit, each once it is quiet)",
    "  -k <keys>",
    "   for example:  -k 0111",
    " Test Vectors (check values; exit status 3 if any check fails)",
    "  -v <file>",
    " Waveform File (Value Change Dump)",
    "  -w <file.vcd>",
    " Picture (the first picture as an SVG file; no X server needed)",
    "  -s <file.svg>",
    " Oscillation Watch (events without a quiet moment before the warning; 0: off)",
    "  -O <events>   (default 1000000)",
    " Timing Report (build and check as -E, then statistics, longest path, clock periods)",
    "  -R",
    " Why Unknown (the chain of causes of each wire of the bus not ZERO or ONE at T, default the end)",
    "  -Y <name>[@<time>]",
    " Assembly Program (into the processor's ROM instead of its stored program)",
    "  -A <prog.s>",
    " Print Watches (a line of every watch when one changed, instead of probes)",
    "  -P",
    "  -e <wire>  (the same at each rising edge of the one-wire bus <wire>)",
    " Netlist File (build, check, write the netlist for korvax-run, exit)",
    "  -N <file>",
};

// Copies `arg` into a buffer of `size` bytes, keeping the first size - 1
// characters of a longer argument.
void copyOption(char option, const char* arg, char* buffer, int size) {
    size_t n = std::strlen(arg);
    if (n > static_cast<size_t>(size - 1)) {
        std::fprintf(stderr, "Warning -- option -%c argument longer than %d characters, truncated.\n", option,
                     size - 1);
        n = size - 1;
    }
    std::memcpy(buffer, arg, n);
    buffer[n] = '\0';
}

// Reads the option's own argument and `count - 1` following elements as
// integers into `values`. Missing following elements count as 0.
void readIntegers(char option, int count, int argc, char** argv, int* const values[]) {
    *values[0] = std::atoi(optarg_);
    bool missing = false;
    for (int k = 1; k < count; k++) {
        if (optind_ < argc) {
            *values[k] = std::atoi(argv[optind_++]);
        } else {
            *values[k] = 0;
            missing = true;
        }
    }
    if (missing)
        std::fprintf(stderr, "Warning -- option -%c needs %d values, missing ones taken as 0.\n", option, count);
}

// -p and -u: flag number from the option's argument, value from the next
// element (strtol base 0: 0x… hexadecimal, 0… octal, else decimal).
void readRunTimeFlag(char option, int argc, char** argv, int* flags, int* counter) {
    if (optind_ >= argc) {
        std::fprintf(stderr, "Warning -- option -%c needs a flag number and a value; ignored.\n", option);
        return;
    }
    int flagNumber = std::atoi(optarg_);
    const char* value = argv[optind_++];
    if (flagNumber < 0 || flagNumber > 15) {
        std::fprintf(stderr, "Warning -- option -%c flag number %d outside 0..15; ignored.\n", option, flagNumber);
        return;
    }
    flags[flagNumber] = static_cast<int>(std::strtol(value, nullptr, 0));
    (*counter)++;
}

// -T: the stop time, read as a decimal number the way the C library reads
// one (blanks, a sign, digits; the number ends at the first other
// character). An argument that reads as 0 without being a decimal spelling
// of 0 ("abc", "0x1F4", "") would silently mean "no stop time" and a run
// that never ends: it gets a warning, and the run goes on without a stop
// time. An argument with digits first and other text after ("500ns",
// "1e3") keeps the number its digits make, with a warning that names the
// stop time taken, since "1e3" stopping at 1 is seldom what was meant.
unsigned long readStopTime(const char* arg) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(arg, &end, 10);
    if (value == 0 && (end == arg || *end != '\0'))
        std::fprintf(stderr, "Warning -- option -T argument %s is not a decimal number; no stop time.\n", arg);
    else if (*end != '\0')
        std::fprintf(stderr, "Warning -- option -T argument %s has text after its number; stop time %lu.\n", arg,
                     value);
    return value;
}

// -O: the oscillation watch's limit, a decimal number of events; 0 turns
// the watch off. Anything else keeps the default, with a warning.
void readOscillationLimit(const char* arg) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(arg, &end, 10);
    if (end == arg || *end != '\0' || *arg == '-') {
        std::fprintf(stderr, "Warning -- option -O argument %s is not a decimal number of events; the limit stays %lu.\n",
                     arg, oscillationLimit);
        return;
    }
    oscillationLimit = value;
}

}  // namespace

[[noreturn]] void exitProgram(int status) { std::exit(status); }

void (*commandLineExit)(int status) = exitProgram;

void printHelp() {
    for (const char* line : helpLines) std::fprintf(stderr, "%s\n", line);
}

void commandLine(int gargc, char** gargv) {
    int c;
    while ((c = getopt_(gargc, gargv, "A:C:c:S:Ee:F:g:K:hk:mN:O:Pp:Rs:T:tu:v:W:w:XY:z:")) != -1) {
        switch (c) {
        case 'C': {
            int* const rgb[] = {&red_fg, &green_fg, &blue_fg};
            readIntegers('C', 3, gargc, gargv, rgb);
            break;
        }
        case 'c': {
            int* const rgb[] = {&red_bg, &green_bg, &blue_bg};
            readIntegers('c', 3, gargc, gargv, rgb);
            break;
        }
        case 'S': {
            int* const rgb[] = {&red_sw, &green_sw, &blue_sw};
            readIntegers('S', 3, gargc, gargv, rgb);
            break;
        }
        case 'z': {
            int* const corners[] = {&zSetXa, &zSetYa, &zSetXb, &zSetYb};
            zFlagSet = 1;
            readIntegers('z', 4, gargc, gargv, corners);
            break;
        }
        case 'E': earlyExitFlag = 1; break;
        case 'R': timingReportFlag = earlyExitFlag = 1; break;
        case 'F': copyOption('F', optarg_, FunctionKeyString, keyStringSize); break;
        case 'K': copyOption('K', optarg_, CursorKeyString, keyStringSize); break;
        // Any length: a program may be stepped by hundreds of presses. The
        // string stays where the argument vector holds it.
        case 'k': KeyboardOperateString = optarg_; break;
        case 'v': testVectorsPath = optarg_; break;
        case 'w': waveformPath = optarg_; break;
        case 's': picturePath = optarg_; break;
        case 'A': programPath = optarg_; break;
        case 'P': watchLinesFlag = 1; break;
        case 'e':
            watchEdgeName = optarg_;
            watchLinesFlag = 1;
            break;
        case 'N': netlistPath = optarg_; break;
        case 'W': copyOption('W', optarg_, WindowLabelString, keyStringSize); break;
        case 'g': copyOption('g', optarg_, XW_geometry, geometryStringSize); break;
        case 'h':
            printHelp();
            commandLineExit(0);
            return;  // only a hook that comes back gets here: parsing ends
        case 'm': connectMuxOnlyFlag = 1; break;
        case 'O': readOscillationLimit(optarg_); break;
        case 'p': readRunTimeFlag('p', gargc, gargv, profRunTimeFlag, &numberOfProfRunTimeFlags); break;
        case 'u': readRunTimeFlag('u', gargc, gargv, userRunTimeFlag, &numberOfUserRunTimeFlags); break;
        case 'T': stopTime = readStopTime(optarg_); break;
        case 't': displayTimeFlag ^= 1; break;
        case 'X': useXDisplay = 0; break;
        case 'Y': explainRequest = optarg_; break;
        default: break;  // '?': already reported by the scanner
        }
    }
    // The vectors type their own keys, one step at a time; keys of -k as
    // well would be typed at the same quiet moments and undo their checks.
    if (testVectorsPath && KeyboardOperateString) {
        std::fprintf(stderr, "-v and -k cannot be combined: the test vectors type the keys themselves.\n");
        commandLineExit(2);
        return;
    }
    // Opening the waveform file empties it: the vectors would be lost.
    struct stat vectors, waveform;
    if (testVectorsPath && waveformPath && stat(testVectorsPath, &vectors) == 0 && stat(waveformPath, &waveform) == 0 &&
        vectors.st_dev == waveform.st_dev && vectors.st_ino == waveform.st_ino) {
        std::fprintf(stderr, "-w %s is the test vectors file of -v %s: it would be overwritten.\n", waveformPath,
                     testVectorsPath);
        commandLineExit(2);
    }
}
