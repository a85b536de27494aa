// korvax-run [--verdict FILE] [--seconds S] NETLIST [options]: the
// simulator with no circuit of its own. It reads a netlist file that a
// circuit's executable wrote with -N, and runs it with the options that
// executable takes, as that executable would have run: the same standard
// output, standard error, exit status and window. Messages name the
// program by the name the executable was run under.
//
// For korvax-check: --verdict FILE gets a copy of every result line of the
// test vectors (-v), written by this program alone; --seconds S ends the
// run once S seconds have passed, writing "timeout TIME BUS" first in the
// verdict file (the simulation time reached and a bus that was still
// changing, "-" when none), and the vectors not reached then fail.
//
// A netlist file that cannot be read or is malformed is one line
// "NETLIST:LINE: what is wrong" and exit status 2, before anything else; a
// wrong command line, the usage line and status 2.
#include <signal.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Netlist.h"
#include "OutOfMemory.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "Sim.h"
#include "StderrBuffer.h"
#include "Vectors.h"
#include "cmdLine.h"

namespace {

int verdictFd = -1;

// The bus that holds `wire`, by name, or "-".
const char* busOf(int wire) {
    for (int b = 0; b < phaseTwo->numberOfBuses; b++)
        if (wire >= phaseTwo->busFirstSignals[b] && wire < phaseTwo->busFirstSignals[b] + phaseTwo->busWidths[b])
            return phaseTwo->busNames[b];
    return "-";
}

// The time limit: the run ends at its next test, and the verdict file says
// how far it got and which wire changed last (the most recently queued
// change of any wire).
void timeUp(int) {
    done = 1;
    char line[512];
    unsigned long time = 0;
    const char* bus = "-";
    if (phaseFour && phaseThree && phaseTwo) {
        time = phaseFour->time;
        int latest = -1;
        unsigned long latestTime = 0;
        for (int w = 2; w < phaseTwo->numberOfSignals; w++)
            if (phaseThree->wireRecords[w].scheduledTime >= latestTime && phaseThree->wireRecords[w].scheduledTime > 0) {
                latestTime = phaseThree->wireRecords[w].scheduledTime;
                latest = w;
            }
        if (latest >= 0) bus = busOf(latest);
    }
    const int n = std::snprintf(line, sizeof line, "timeout %lu %.400s\n", time, bus);
    if (verdictFd >= 0 && n > 0) {
        if (vectorsVerdict) std::fflush(vectorsVerdict);
        if (write(verdictFd, line, static_cast<size_t>(n)) < 0) _exit(2);
    }
}

[[noreturn]] void usage() {
    std::fprintf(stderr, "usage: korvax-run [--verdict FILE] [--seconds S] NETLIST [options of the circuit]\n");
    std::exit(2);
}

// The circuit of the netlist, once the options are read. Watches (-P, -e)
// show values through formats that are circuit code, and -A loads its
// program while the circuit is built: a netlist file holds neither, and
// what the run would print without them is not what the circuit prints.
void buildFromNetlist() {
    if (watchLinesFlag) {
        std::fprintf(stderr, "korvax-run: -P and -e print watches, which a netlist file does not hold: "
                             "run the circuit's own executable\n");
        exitProgram(2);
    }
    if (programPath) {
        std::fprintf(stderr, "korvax-run: -A %s: the program is loaded while the circuit is built: give it to -N\n",
                     programPath);
        exitProgram(2);
    }
    replayNetlist();
}

}  // namespace

int main(int argc, char** argv) {
    handleOutOfMemory();
    bufferStandardError();
    int first = 1;
    double seconds = 0;
    while (first + 1 < argc && argv[first][0] == '-' && argv[first][1] == '-') {
        if (std::strcmp(argv[first], "--verdict") == 0) {
            vectorsVerdict = std::fopen(argv[first + 1], "w");
            if (!vectorsVerdict) {
                std::fprintf(stderr, "korvax-run: cannot write %s: %s\n", argv[first + 1], std::strerror(errno));
                return 2;
            }
            verdictFd = fileno(vectorsVerdict);
        } else if (std::strcmp(argv[first], "--seconds") == 0) {
            char* end = nullptr;
            seconds = std::strtod(argv[first + 1], &end);
            if (end == argv[first + 1] || *end != '\0' || !(seconds > 0) || seconds > 1e6) usage();
        } else {
            usage();
        }
        first += 2;
    }
    if (first >= argc || argv[first][0] == '-') usage();
    readNetlist(argv[first]);
    if (seconds > 0) {
        signal(SIGALRM, timeUp);
        itimerval limit{};
        limit.it_value.tv_sec = static_cast<time_t>(seconds);
        limit.it_value.tv_usec = static_cast<suseconds_t>((seconds - static_cast<double>(limit.it_value.tv_sec)) * 1e6);
        setitimer(ITIMER_REAL, &limit, nullptr);
    }
    printKeySummary();
    // The options follow the netlist's name, which takes argv[0]'s place.
    argv[first] = const_cast<char*>(netlistProgramName.c_str());
    return Sim(argc - first, argv + first, buildFromNetlist);
}
