// korvax-run NETLIST [options]: the simulator with no circuit of its own.
// It reads a netlist file that a circuit's executable wrote with -N, and
// runs it with the options that executable takes, as that executable would
// have run: the same standard output, standard error, exit status and
// window. Messages name the program by the name the executable was run
// under. A netlist file that cannot be read or is malformed is one line
// "NETLIST:LINE: what is wrong" and exit status 2, before anything else;
// without a netlist, the usage line and status 2.
#include <cstdio>

#include "Netlist.h"
#include "OutOfMemory.h"
#include "Sim.h"
#include "StderrBuffer.h"

int main(int argc, char** argv) {
    handleOutOfMemory();
    bufferStandardError();
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: korvax-run NETLIST [options of the circuit]\n");
        return 2;
    }
    readNetlist(argv[1]);
    printKeySummary();
    // The options follow the netlist's name, which takes argv[0]'s place.
    argv[1] = const_cast<char*>(netlistProgramName.c_str());
    return Sim(argc - 1, argv + 1, replayNetlist);
}
