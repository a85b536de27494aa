// Hostile: while it builds it replaces every file in its own folder that
// the grader might read afterwards (its messages, its netlist) by a link to
// the teacher's secret, then ends with an error, so that a grader that
// follows the links would quote the secret as the first error.
// @TEACHER@ is the test's folder.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "korvax.h"

void simnet() {
    const std::string secret = "@TEACHER@/secret.txt";
    for (const char* name : {"check", "build.out", "netlist.knl", "out", "err"}) {
        unlink(name);
        if (symlink(secret.c_str(), name) != 0) {
        }
    }
    std::exit(1);
}
