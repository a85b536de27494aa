// Netlist files: the netlist a circuit built and checked, written as text
// (-N FILE) and read back by korvax-run, a simulator with no circuit of its
// own, which then runs it exactly as the circuit's executable would. Only
// library components can be written: the file names each by its kind, and
// reading maps the kind back to the library's functions. The layout is in
// the README ("Netlist files").
//
// A file is input from anyone: reading checks every line, every count and
// every component's pins against what the library's constructors give, and
// ends at the first fault with one line "FILE:LINE: what is wrong" and exit
// status 2. Nothing is allocated beyond what the file's size can hold.
#ifndef KORVAX_NETLIST_H
#define KORVAX_NETLIST_H

#include <string>

// The first line of every netlist file.
extern const char* const netlistHeader;

// While the circuit builds for -N, what it writes to standard error is kept
// (and passed on) so that the file can repeat it: the reading run prints it
// where the build would. Begin before the build function, end after it; a
// build that exits in between still gets its text passed on.
void beginBuildText();
void endBuildText();

// Writes phaseTwo's netlist (after buildNetlist), with the kept build text
// and `programName` (the name the run's messages use), to `path`. Returns
// the exit status: 0 written; 1 when a component is not of a library kind
// (said in one line naming it and its line; nothing written); 2 when the
// file cannot be written.
int writeNetlist(const char* path, const char* programName);

// Reads and checks the file at `path`; on a fault prints its one line and
// exits with status 2 (through netlistExit). Afterwards netlistProgramName
// is the name the run's messages use and replayNetlist builds it.
void readNetlist(const char* path);
// The same for a file's text; `path` only names it in messages.
void parseNetlist(const std::string& text, const char* path);
extern std::string netlistProgramName;

// The build function of korvax-run: prints the kept build text and fills
// the phase-one lists with the netlist read last, as the circuit's own
// build had filled them.
void replayNetlist();

// How a faulty file ends the program: exitProgram(2). The fuzz target puts
// in a hook that throws, to get control back; a hook must not return.
extern void (*netlistExit)(int status);

#endif
