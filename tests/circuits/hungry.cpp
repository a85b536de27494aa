// A circuit that runs out of memory while it is built: it caps the
// program's address space at what is mapped now plus 64 MiB, then declares
// buses of 4096 wires until no more can be had. The cap is its own, so the
// circuit is safe to run by hand. AddressSanitizer maps terabytes of shadow
// memory and reports a failed allocation itself, so the case that runs
// this circuit is skipped in the sanitizer build.
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "korvax.h"

void simnet() {
    long pages = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm || std::fscanf(statm, "%ld", &pages) != 1) {
        std::fprintf(stderr, "hungry: cannot read /proc/self/statm\n");
        std::exit(4);
    }
    std::fclose(statm);
    rlimit limit;
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (64u << 20);
    if (setrlimit(RLIMIT_AS, &limit) != 0) {
        std::fprintf(stderr, "hungry: cannot cap the address space\n");
        std::exit(4);
    }
    for (int i = 0; i < 1 << 16; i++) Signal(4096, "hungry");
    std::fprintf(stderr, "hungry: memory did not run out\n");
    std::exit(4);
}
