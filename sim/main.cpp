// The program's entry: the start-up text, then the driver with the circuit's
// build function, simnet, which the circuit description linked into this
// executable provides. Running out of memory is handled from the first
// line on.
#include "OutOfMemory.h"
#include "Sim.h"
#include "StderrBuffer.h"

void simnet();

int main(int argc, char** argv) {
    handleOutOfMemory();
    bufferStandardError();
    printKeySummary();
    return Sim(argc, argv, simnet);
}
