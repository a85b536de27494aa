// The run-time settings of the command line. commandLine (called first by
// Sim) fills these globals; the run loop, the display and circuit code read
// them. The help text and the warnings about malformed options live here too.
#ifndef KORVAX_CMDLINE_H
#define KORVAX_CMDLINE_H

// Capacities of the string options, terminator included. Longer arguments
// are truncated with a warning.
const int keyStringSize = 25;
const int geometryStringSize = 20;

extern char FunctionKeyString[keyStringSize];  // -F: replayed as function keys before the first picture
extern char CursorKeyString[keyStringSize];    // -K: replayed as cursor keys
extern char WindowLabelString[keyStringSize];  // -W: appended to the window title
extern char XW_geometry[geometryStringSize];   // -g: X geometry "wxh+x+y"
extern int red_fg, green_fg, blue_fg;          // -C: foreground colour (all 0: not given)
extern int red_bg, green_bg, blue_bg;          // -c: background colour
extern int red_sw, green_sw, blue_sw;          // -S: sub-window colour
extern unsigned long stopTime;                 // -T: 0 = no limit
extern int displayTimeFlag;                    // -t toggles: show time, queue length, slowness
extern int connectMuxOnlyFlag;                 // -m: interconnecting lines only to multiplexers
extern int useXDisplay;                        // -X clears it: run without a window
extern int earlyExitFlag;                      // -E: build and check, do not run
extern int userRunTimeFlag[16];                // -u N V: for circuit code; -1 when not given
extern int profRunTimeFlag[16];                // -p N V: for circuit code; -1 when not given
extern int numberOfUserRunTimeFlags;           // -u options given
extern int numberOfProfRunTimeFlags;           // -p options given
extern int zFlagSet;                           // -z given
extern int zSetXa, zSetYa, zSetXb, zSetYb;     // -z: the initial view's corners
extern const char* testVectorsPath;            // -v: the test vectors file, or null
extern const char* waveformPath;               // -w: the waveform (VCD) file to write, or null
extern const char* picturePath;                // -s: the SVG file of the first picture, or null
extern const char* programPath;                // -A: an assembly program for the circuit's ROM, or null
extern int programLoadedFlag;                  // set by a circuit that loaded the program of -A
extern int watchLinesFlag;                     // -P (or -e): print watch lines instead of probe lines
extern const char* watchEdgeName;              // -e: sample the watches at this wire's rising edges, or null
extern const char* explainRequest;             // -Y: the bus to explain, NAME or NAME@T as given, or null
extern int timingReportFlag;                   // -R: build and check as -E, then the timing report; sets earlyExitFlag
extern unsigned long oscillationLimit;         // -O: events without a quiet moment or a key before the
                                               // oscillation watch looks; 0 turns it off. Default 1000000.
extern const char* netlistPath;                // -N: the netlist file to write instead of running, or null
// -k: keys typed into the circuit, one at each quiet moment (see
// PhaseFour::run); null when -k was not given.
extern const char* KeyboardOperateString;

// Parses the options into the globals; `-h` prints the help and exits 0;
// -v together with -k, and -w naming the file -v reads (the same file, by
// any name: its device and inode), are refused with exit status 2. -e
// implies -P.
void commandLine(int gargc, char** gargv);

// The help text of -h, on standard error.
void printHelp();

// How the command line ends the program: after the help of -h (status 0)
// and when it refuses a combination of options (status 2). exitProgram,
// which calls std::exit. The parser's fuzz target puts in a hook that
// hands control back to it; the program itself never changes this.
extern void (*commandLineExit)(int status);
[[noreturn]] void exitProgram(int status);

#endif
