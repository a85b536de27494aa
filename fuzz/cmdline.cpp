// Fuzz target: the command-line parser (commandLine and the scanner beneath
// it) over arbitrary argument vectors. The input is the argument vector
// after the program name, the elements separated by NUL bytes. -h and the
// refused combination of -v with -k are caught through the command line's
// exit hook, so such a run returns here instead of ending the fuzzer;
// everything else runs as in the program.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cmdLine.h"
#include "getopt.h"

namespace {

// Thrown by the exit hook and caught below.
struct CommandLineExit {};

[[noreturn]] void catchExit(int) { throw CommandLineExit{}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    commandLineExit = catchExit;
    // Own copies of the elements, each NUL-terminated, as the program gets them.
    std::vector<std::string> elements(1, "korvax");
    elements.emplace_back();
    for (size_t i = 0; i < size; i++) {
        if (data[i] == '\0')
            elements.emplace_back();
        else
            elements.back() += static_cast<char>(data[i]);
    }
    std::vector<char*> argv;
    for (std::string& e : elements) argv.push_back(&e[0]);
    argv.push_back(nullptr);
    resetGetopt();
    try {
        commandLine(static_cast<int>(elements.size()), argv.data());
    } catch (const CommandLineExit&) {
    }
    return 0;
}
