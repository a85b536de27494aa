// The simulator's own command-line scanner, with the classic interface.
// Its names carry a trailing underscore so that they never meet the C
// library's getopt, optarg, … or the old strings.h index; cmdLine is the one
// caller.
#ifndef KORVAX_GETOPT_H
#define KORVAX_GETOPT_H

extern int opterr_;     // nonzero (the default): report errors on standard error
extern int optind_;     // index of the next element of the argument vector
extern int optopt_;     // the option letter just examined
extern char* optarg_;   // the argument of the option just returned, or null

// Returns the next option letter of `ostr` found in nargv, '?' for an
// unknown letter or a missing argument (after a message with the program
// name), or -1 at the first element that is not an option, a lone "-", or
// after "--" (which is consumed). Letters may be grouped; an argument may be
// attached to its letter or be the next element.
int getopt_(int nargc, char** nargv, const char* ostr);

// The first `c` in `sp`, or null; searching for NUL finds the terminator.
char* index_(char* sp, char c);
const char* index_(const char* sp, char c);

// Starts a new scan (the scanner keeps its place inside a group of letters).
void resetGetopt();

#endif
