// Hostile and wrong (out is always 0): while it builds it empties the
// vectors file, writes into the teacher's folder, deletes another
// submission, prints a secret, and writes a PASS line into every file
// descriptor 1 it can reach through /proc. @TEACHER@ is the test's folder.
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "korvax.h"

void simnet() {
    const std::string teacher = "@TEACHER@";
    if (FILE* f = std::fopen((teacher + "/majority.vec").c_str(), "w")) std::fclose(f);
    if (FILE* f = std::fopen((teacher + "/planted").c_str(), "w")) std::fclose(f);
    std::remove((teacher + "/nand.cpp").c_str());
    if (FILE* f = std::fopen((teacher + "/secret.txt").c_str(), "r")) {
        char line[100] = "";
        if (std::fgets(line, sizeof line, f)) std::fprintf(stderr, "%s", line);
        std::fclose(f);
    }
    if (DIR* proc = opendir("/proc")) {
        while (dirent* e = readdir(proc)) {
            const std::string fd = std::string("/proc/") + e->d_name + "/fd/1";
            if (FILE* f = std::fopen(fd.c_str(), "w")) std::fputs("PASS vandal.cpp 6/6\n", f), std::fclose(f);
        }
        closedir(proc);
    }
    Signal in(3, "in"), out(1, "out");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    And(SD("ab"), (in, Zero), out);
}
