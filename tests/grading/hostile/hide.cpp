// Hostile: a right majority with a multiplexer, which the rules forbid.
// Once its netlist file is written it rewrites it, with blanks before
// every component line and the multiplexer's kind after two blanks, so
// that a reader looking for "component Mux" at the start of a line would
// not see it; the file stays one korvax-run reads.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "korvax.h"

namespace {
void rewrite() {
    std::FILE* f = std::fopen("netlist.knl", "rb");
    if (!f) return;
    std::string text, out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
    std::fclose(f);
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (line.compare(0, 14, "component Mux ") == 0) line = "component  Mux " + line.substr(14);
        if (line.compare(0, 10, "component ") == 0) line = "   " + line;
        out += line + "\n";
        at = end + 1;
    }
    if ((f = std::fopen("netlist.knl", "wb"))) std::fwrite(out.data(), 1, out.size(), f), std::fclose(f);
}
}  // namespace

void simnet() {
    std::atexit(rewrite);
    Signal in(3, "in"), both(1, "both"), either(1, "either"), out(1, "out");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    And(SD("ab"), (in[1], in[0]), both);
    Or(SD("bb"), (in[1], in[0]), either);
    Mux(SD("bc"), in[2], (either, both), out);
}
