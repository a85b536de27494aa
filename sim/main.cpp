// The program's entry: the start-up text, then the driver with the circuit's
// build function, simnet, which the circuit description linked into this
// executable provides.
#include "Sim.h"
#include "StderrBuffer.h"

void simnet();

int main(int argc, char** argv) {
    bufferStandardError();
    printKeySummary();
    return Sim(argc, argv, simnet);
}
