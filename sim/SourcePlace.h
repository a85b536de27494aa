// Where in the circuit code something was built: the file name as the
// compiler was given it and the line. Constructors and bus operations that
// can report a mistake during the build take one as their last parameter,
// defaulted, so the default is filled in at the caller's line and circuit
// code never writes it. Library code that calls a constructor on the
// circuit's behalf passes its own `at` along, so a message names the line
// the student wrote (inside a module function: the line of the call there).
#ifndef KORVAX_SOURCEPLACE_H
#define KORVAX_SOURCEPLACE_H

struct SourcePlace {
    const char* file;  // file name as given to the compiler (static storage), or null when unknown
    int line;          // line number, or 0 when unknown

    // As a defaulted parameter, `SourcePlace at = SourcePlace()`, the
    // defaults below are evaluated at the line that calls the function
    // (GCC and Clang). Explicit, so that no other argument turns into one.
    explicit SourcePlace(const char* callerFile = __builtin_FILE(), int callerLine = __builtin_LINE())
        : file(callerFile), line(callerLine) {}
};

// Follows a build-time message on standard error with the line
// "  in FILE:LINE"; writes nothing for an unknown place.
void sayPlace(const SourcePlace& at);

// Follows a width message, before its place, with what the buses should
// have been: "  expected: " and the printf-formatted text, then a line end.
void sayExpected(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif
