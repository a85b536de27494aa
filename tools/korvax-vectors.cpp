// korvax-vectors FILE: reads a test vectors file as -v reads it and checks
// its syntax, with no circuit: silent with status 0 when the file is right,
// otherwise the message -v would give (naming the file and the line) and
// status 2. korvax-check runs it once before it builds anything, so that a
// broken vectors file is reported once, not once per submission. Names and
// widths need a circuit and are checked by each run.
#include <cstdio>

#include "Vectors.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvax-vectors FILE\n");
        return 2;
    }
    loadTestVectors(argv[1]);
    return 0;
}
