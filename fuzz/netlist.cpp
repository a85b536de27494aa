// Fuzz target: the netlist reader over arbitrary files. A fault must end
// through the reader's exit hook (which hands control back here), never in
// a crash, a sanitizer report or an allocation beyond what the input can
// hold; a file that reads must replay into the phase-one lists.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Netlist.h"
#include "Ph1.h"
#include "Signal.h"

namespace {

struct NetlistExit {};
[[noreturn]] void catchExit(int) { throw NetlistExit{}; }

// A phase one holding only the constants, as at a program's start.
void freshPhaseOne() {
    if (phaseOne) {
        delete phaseOne;  // prints the counts: standard error is closed by the fuzzer
        phaseOne = nullptr;
    }
    phaseOne = new PhaseOne;
    Signal zero(1, 0u, "Zero"), one(1, 1u, "One");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    netlistExit = catchExit;
    freshPhaseOne();
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        parseNetlist(text, "fuzz.knl");
    } catch (const NetlistExit&) {
        return 0;
    }
    replayNetlist();
    return 0;
}
