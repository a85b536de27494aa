// check-waveform: runs circuits with -w and reads the waveform file back.
//
//   check-waveform circuit EXE        the waveform test circuit, keys typed:
//                                     header, initial values and every change
//                                     against the probe lines of the same run;
//                                     all five values present; vcd2fst, then
//                                     fst2vcd, gives back the same changes
//   check-waveform ends BLINKER INPUTS PROBES
//                                     the file is complete however the run
//                                     ends: stop time and SIGTERM (the
//                                     blinker), the Stop component (test
//                                     circuit inputs), the byte-probe exit
//                                     (test circuit probes); a file that
//                                     cannot be written, while running or
//                                     when closed, ends the run at once with
//                                     one message and status 2 (1 kept for
//                                     the byte-probe exit)
//   check-waveform processor KORVAX VEC
//                                     the processor run by its vectors file:
//                                     the last line's register values are the
//                                     final values of Reg0 … Reg7 in the file
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

int failures = 0;

void expect(bool ok, const std::string& what) {
    if (ok) return;
    std::printf("FAIL: %s\n", what.c_str());
    failures++;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs a shell command; returns its exit status (128 + signal when killed).
int shell(const std::string& command) {
    int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

// One change of one wire: time and value letter (0 1 x z u).
struct Change {
    unsigned long time;
    char value;
    bool operator==(const Change& o) const { return time == o.time && value == o.value; }
};
using Timeline = std::vector<Change>;

// Appends a change unless the wire already has that value.
void note(Timeline& t, unsigned long time, char value) {
    if (t.empty() || t.back().value != value) t.push_back({time, value});
}

// A waveform file as read back: header lines, variables and per-wire changes.
struct Waveform {
    bool complete = false;                   // header ended and every line understood
    std::string timescale, scope;            // as written, blanks collapsed
    std::map<std::string, std::string> ids;  // variable name -> identifier code
    std::map<std::string, int> widths;       // variable name -> width
    std::map<std::string, Timeline> wires;   // "name" or "name[bit]" -> changes
    std::string letters;                     // every value letter seen
    unsigned long lastTime = 0;
};

Waveform parse(const std::string& text) {
    Waveform w;
    std::istringstream in(text);
    std::map<std::string, std::string> nameOf;  // identifier code -> variable name
    std::string word;
    bool definitions = true;
    unsigned long time = 0;
    auto set = [&](const std::string& id, std::string bits) {
        auto n = nameOf.find(id);
        if (n == nameOf.end()) return false;
        const int width = w.widths[n->second];
        // Shorter vectors are extended on the left (with x or z when that
        // is their first letter, else with 0).
        char pad = bits[0] == 'x' || bits[0] == 'z' || bits[0] == 'u' ? bits[0] : '0';
        while (static_cast<int>(bits.size()) < width) bits.insert(bits.begin(), pad);
        for (int b = 0; b < width; b++) {
            const std::string key = width == 1 ? n->second : n->second + "[" + std::to_string(b) + "]";
            note(w.wires[key], time, bits[width - 1 - b]);
            w.letters += bits[width - 1 - b];
        }
        return true;
    };
    while (in >> word) {
        if (definitions) {
            if (word == "$timescale" || word == "$scope") {
                std::string part, all;
                while (in >> part && part != "$end") all += (all.empty() ? "" : " ") + part;
                (word == "$timescale" ? w.timescale : w.scope) = all;
            } else if (word == "$var") {
                std::string type, name, id, rest;
                int width;
                in >> type >> width >> id >> name;
                while (in >> rest && rest != "$end") {
                }
                w.ids[name] = id;
                w.widths[name] = width;
                nameOf[id] = name;
            } else if (word == "$enddefinitions") {
                in >> word;
                definitions = false;
            } else if (word[0] == '$' && word != "$end" && word != "$upscope") {
                while (in >> word && word != "$end") {
                }
            }
            continue;
        }
        if (word == "$dumpvars" || word == "$end") continue;
        if (word[0] == '#') {
            time = std::strtoul(word.c_str() + 1, nullptr, 10);
            w.lastTime = time;
        } else if (word[0] == 'b') {
            std::string id;
            if (!(in >> id) || !set(id, word.substr(1))) return w;
        } else if (!set(word.substr(1), word.substr(0, 1))) {
            return w;
        }
    }
    w.complete = !definitions;
    return w;
}

const char* letterOf(const std::string& probeValue) {
    if (probeValue == "ZERO") return "0";
    if (probeValue == "ONE") return "1";
    if (probeValue == "XXX") return "x";
    if (probeValue == "HIZ") return "z";
    if (probeValue == "UNINITIALIZED") return "u";
    return "?";
}

std::string show(const Timeline& t) {
    std::string s;
    for (const Change& c : t) s += " " + std::to_string(c.time) + ":" + c.value;
    return s;
}

std::string tempDir() {
    char tmpl[] = "/tmp/korvax-waveform-XXXXXX";
    if (!mkdtemp(tmpl)) std::exit(2);
    return tmpl;
}

// The waveform test circuit: the file against the probe lines, then through
// the converters and back.
void checkCircuit(const std::string& exe, const std::string& tmp) {
    const std::string vcd = tmp + "/run.vcd";
    // e enables the buffer, c and d set the data, w writes it, e lets go.
    expect(shell("'" + exe + "' -X -k ecdwe -w " + vcd + " >/dev/null 2>" + tmp + "/stderr") == 0, "run status");
    const Waveform w = parse(readFile(vcd));
    expect(w.complete, "file complete");
    expect(w.timescale == "1 ns", "timescale 1 ns, got " + w.timescale);
    expect(w.scope == "module waveform", "scope named after the executable, got " + w.scope);
    const std::map<std::string, int> widths = {{"enable", 1}, {"bus", 1}, {"floating", 1}, {"data", 2},
                                               {"write", 1},  {"word", 2}, {"notWrite", 1}};
    expect(w.widths == widths, "one variable per bus, of its width");
    for (char c : std::string("01xzu"))
        expect(w.letters.find(c) != std::string::npos, std::string("value ") + c + " in the file");

    // Probe lines: "Time = T  Probe for LABEL at POS  Value = V". LABEL is a
    // bus, or a bus and a bit number (data1 is data[1]).
    std::map<std::string, Timeline> probes;
    std::istringstream err(readFile(tmp + "/stderr"));
    for (std::string line; std::getline(err, line);) {
        size_t p = line.find("  Probe for "), a = line.rfind(" at "), v = line.rfind("  Value = ");
        if (line.compare(0, 7, "Time = ") != 0 || p == std::string::npos) continue;
        std::string label = line.substr(p + 12, a - p - 12);
        if (!w.widths.count(label)) label = label.substr(0, label.size() - 1) + "[" + label.back() + "]";
        note(probes[label], std::strtoul(line.c_str() + 7, nullptr, 10), letterOf(line.substr(v + 10))[0]);
    }
    expect(probes.size() == 9, "nine probes read");
    for (const auto& p : probes) {
        auto f = w.wires.find(p.first);
        const Timeline none;
        const Timeline& inFile = f == w.wires.end() ? none : f->second;
        expect(inFile == p.second, p.first + ": file" + show(inFile) + ", probes" + show(p.second));
    }

    // GTKWave's converters: the same changes come back, u included.
    const std::string back = tmp + "/back.vcd";
    expect(shell("vcd2fst " + vcd + " " + tmp + "/run.fst >/dev/null 2>&1") == 0, "vcd2fst accepts the file");
    expect(shell("fst2vcd " + tmp + "/run.fst >" + back + " 2>/dev/null") == 0, "fst2vcd");
    const Waveform b = parse(readFile(back));
    expect(b.complete && b.widths == w.widths, "converted file: the same variables");
    for (const auto& wire : w.wires) {
        auto f = b.wires.find(wire.first);
        expect(f != b.wires.end() && f->second == wire.second,
               wire.first + " after vcd2fst and fst2vcd:" + (f == b.wires.end() ? std::string(" missing") : show(f->second)));
    }
    expect(b.letters.find('u') != std::string::npos, "u kept by the converters");
}

// A file ended by each way a run can end is complete: it parses, the
// converter accepts it, and it holds the changes up to the end.
void checkEnds(const std::string& blinker, const std::string& inputs, const std::string& probes,
               const std::string& tmp) {
    struct End {
        const char* what;
        std::string command;
        int status;
        unsigned long atLeast;  // the file reaches at least this time
    } ends[] = {
        {"stop time", "'" + blinker + "' -X -T 500 -w " + tmp + "/end.vcd", 0, 500},
        {"SIGTERM", "'" + blinker + "' -X -w " + tmp + "/end.vcd & sleep 1; kill -TERM $!; wait $!", 0, 1000},
        {"Stop component", "'" + inputs + "' -X -u 0 1 -w " + tmp + "/end.vcd", 0, 169},
        {"byte-probe exit", "'" + probes + "' -X -u 0 2 -w " + tmp + "/end.vcd", 1, 0},
    };
    for (const End& e : ends) {
        std::remove((tmp + "/end.vcd").c_str());
        const int status = shell("(" + e.command + ") >/dev/null 2>&1");
        expect(status == e.status, std::string(e.what) + ": status " + std::to_string(status));
        const Waveform w = parse(readFile(tmp + "/end.vcd"));
        expect(w.complete && !w.wires.empty(), std::string(e.what) + ": file complete");
        expect(w.lastTime >= e.atLeast, std::string(e.what) + ": file reaches time " + std::to_string(w.lastTime));
        expect(shell("vcd2fst " + tmp + "/end.vcd " + tmp + "/end.fst >/dev/null 2>&1") == 0,
               std::string(e.what) + ": vcd2fst accepts the file");
    }
}

// Counts the lines of `text` that contain `part`.
int linesWith(const std::string& text, const std::string& part) {
    int n = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) n += line.find(part) != std::string::npos;
    return n;
}

// The time of the last probe line of `text`, 0 when there is none.
unsigned long lastProbeTime(const std::string& text) {
    unsigned long t = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.compare(0, 7, "Time = ") == 0) t = std::strtoul(line.c_str() + 7, nullptr, 10);
    return t;
}

// Files that refuse writes: /dev/full fails every flush (the blinker's file
// passes the buffer's 1 MiB long before time 10^8, so the run must end
// there); /proc/version cannot be opened for writing by most users and
// fails its first write for the others.
void checkWriteFailures(const std::string& blinker, const std::string& probes, const std::string& tmp) {
    struct Failure {
        const char* what;
        std::string command, file;
        int status;
    } failures[] = {
        {"full while running", "'" + blinker + "' -X -T 100000000 -w /dev/full", "/dev/full", 2},
        {"full when closed", "'" + blinker + "' -X -T 500 -w /dev/full", "/dev/full", 2},
        {"unwritable /proc/version", "'" + blinker + "' -X -T 500 -w /proc/version", "/proc/version", 2},
        {"byte-probe exit", "'" + probes + "' -X -u 0 2 -w /dev/full", "/dev/full", 1},
    };
    for (const Failure& f : failures) {
        const int status = shell("(" + f.command + ") >/dev/null 2>" + tmp + "/stderr");
        const std::string err = readFile(tmp + "/stderr");
        expect(status == f.status, std::string(f.what) + ": status " + std::to_string(status));
        expect(linesWith(err, f.file + ": cannot be written: ") == 1, std::string(f.what) + ": one message");
        if (f.command.find("100000000") != std::string::npos) {
            const unsigned long last = lastProbeTime(err);
            expect(last > 0 && last < 100000000, std::string(f.what) + ": the run ended at " + std::to_string(last));
        }
    }
}

// The processor under its vectors file, with a waveform file of the same run.
void checkProcessor(const std::string& korvax, const std::string& vectors, const std::string& tmp) {
    const std::string vcd = tmp + "/processor.vcd";
    expect(shell("'" + korvax + "' -X -v '" + vectors + "' -w " + vcd + " >/dev/null 2>&1") == 0,
           "the vectors pass");
    const Waveform w = parse(readFile(vcd));
    expect(w.complete, "file complete");
    // The last line of the vectors that names Reg1: its expected registers.
    std::map<std::string, unsigned long> expected;
    std::istringstream lines(readFile(vectors));
    for (std::string line; std::getline(lines, line);) {
        if (line.find("Reg1=") == std::string::npos) continue;
        expected.clear();
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            size_t eq = word.find('=');
            if (word.compare(0, 3, "Reg") == 0 && eq != std::string::npos)
                expected[word.substr(0, eq)] = std::strtoul(word.c_str() + eq + 1, nullptr, 0);
        }
    }
    expect(expected.size() == 8, "the last register line checks Reg0 … Reg7");
    for (const auto& r : expected) {
        unsigned long value = 0;
        bool known = true;
        for (int b = 0; b < 16; b++) {
            auto t = w.wires.find(r.first + "[" + std::to_string(b) + "]");
            char v = t == w.wires.end() || t->second.empty() ? '?' : t->second.back().value;
            known = known && (v == '0' || v == '1');
            if (v == '1') value |= 1ul << b;
        }
        expect(known && value == r.second, r.first + " in the file: " + std::to_string(value) + ", vectors " +
                                               std::to_string(r.second));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const std::string tmp = tempDir();
    if (mode == "circuit" && argc == 3) {
        checkCircuit(argv[2], tmp);
    } else if (mode == "ends" && argc == 5) {
        checkEnds(argv[2], argv[3], argv[4], tmp);
        checkWriteFailures(argv[2], argv[4], tmp);
    } else if (mode == "processor" && argc == 4) {
        checkProcessor(argv[2], argv[3], tmp);
    } else {
        std::fprintf(stderr, "usage: check-waveform circuit EXE | ends BLINKER INPUTS PROBES | processor KORVAX VEC\n");
        return 2;
    }
    shell("rm -rf '" + tmp + "'");
    if (failures == 0) std::printf("all checks passed\n");
    return failures ? 1 : 0;
}
