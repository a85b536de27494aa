// Netlist files: the kept build text, the writer, the reader and the replay
// into the phase-one lists.
#include "Netlist.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <vector>

#include "Kinds.h"
#include "Ph1.h"
#include "Ph2.h"
#include "Position.h"
#include "addStCmp.h"
#include "cmdLine.h"

const char* const netlistHeader = "korvax-netlist 1";
std::string netlistProgramName;
void (*netlistExit)(int status) = exitProgram;

namespace {

// ---- The build text

std::string buildText;
int capturedFd = -1;  // the memory file standard error goes to while capturing
int savedStderr = -1;

void endBuildTextAtExit() { endBuildText(); }

// ---- Strings in the file: between double quotes; a backslash, a double
// quote, a control character and DEL as \xHH; every other byte as it is.

void appendQuoted(std::string& out, const char* s) {
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p; p++) {
        if (*p < 0x20 || *p == 0x7f || *p == '"' || *p == '\\') {
            out += "\\x";
            out += hex[*p >> 4];
            out += hex[*p & 15];
        } else {
            out += static_cast<char>(*p);
        }
    }
    out += '"';
}

// ---- What a file holds, as read

struct WireRecord {
    int init, constant;
    std::string name;
};
struct BusRecord {
    int first, width;
    std::string name;
};
struct ComponentRecord {
    int kind;
    const int* icon;
    int overloadable, selfActivating, level, file, line;
    std::string position, decal;
    std::vector<int> data, control, out, integers;
    std::vector<unsigned char> bytes;
    int internal32, internal16, internal8;
    int sourceLine;  // the line of the file that holds it
};
struct SwitchRecord {
    int key, component, wire;
};

struct Netlist {
    std::vector<std::string> say;
    std::vector<WireRecord> wires;
    std::vector<BusRecord> buses;
    std::vector<ComponentRecord> components;
    std::vector<SwitchRecord> switches;
};

Netlist loaded;  // the file read last
// The file names of the source places: they must outlive phase one, as the
// literals of a compiled circuit do.
std::deque<std::string> placeFiles;

// ---- The reader

class Reader {
public:
    Reader(const std::string& text, const char* path) : text(text), path(path) {}

    // The next line's words into `words`; false at the end of the text.
    bool nextLine();
    [[noreturn]] void fail(const std::string& what);

    // Checks of the present line.
    void expect(const char* keyword, size_t words);
    int number(size_t w, long long low, long long high, const char* what);
    std::string string(size_t w, const char* what);
    std::vector<int> numbers(const char* keyword, long long low, long long high, const char* what);

    const std::string& text;
    const char* path;
    size_t at = 0;
    int lineNumber = 0;
    std::vector<std::string> words;
    std::vector<bool> quoted;
};

void Reader::fail(const std::string& what) {
    std::fprintf(stderr, "%s:%d: %s\n", path, lineNumber, what.c_str());
    netlistExit(2);
    std::abort();  // the hook never comes back: it exits, or the fuzz target's throws
}

bool Reader::nextLine() {
    if (at >= text.size()) return false;
    lineNumber++;
    words.clear();
    quoted.clear();
    size_t end = text.find('\n', at);
    if (end == std::string::npos) {
        at = text.size();
        fail("the last line has no line end (the file is cut short)");
    }
    const size_t begin = at;
    at = end + 1;
    size_t i = begin;
    while (i < end) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ' ') {
            i++;
            continue;
        }
        if (c < 0x20 || c == 0x7f) fail("a control character (byte " + std::to_string(c) + ") outside a string");
        std::string word;
        if (c == '"') {
            i++;
            for (;;) {
                if (i >= end) fail("a string without its closing quote");
                const unsigned char d = static_cast<unsigned char>(text[i]);
                if (d == '"') break;
                if (d < 0x20 || d == 0x7f) fail("a control character (byte " + std::to_string(d) + ") in a string");
                if (d == '\\') {
                    auto hexValue = [](char h) {
                        return h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10 : -1;
                    };
                    if (i + 3 >= end || text[i + 1] != 'x' || hexValue(text[i + 2]) < 0 || hexValue(text[i + 3]) < 0)
                        fail("a backslash in a string that is not \\xHH (lower-case hex digits)");
                    const int v = hexValue(text[i + 2]) * 16 + hexValue(text[i + 3]);
                    if (v == 0) fail("a NUL byte (\\x00) in a string");
                    word += static_cast<char>(v);
                    i += 4;
                    continue;
                }
                word += static_cast<char>(d);
                i++;
            }
            i++;
            if (i < end && text[i] != ' ') fail("a string not followed by a blank");
            words.push_back(word);
            quoted.push_back(true);
            continue;
        }
        while (i < end && text[i] != ' ') {
            const unsigned char d = static_cast<unsigned char>(text[i]);
            if (d < 0x20 || d == 0x7f) fail("a control character (byte " + std::to_string(d) + ") outside a string");
            if (d == '"') fail("a quote inside a word");
            word += static_cast<char>(d);
            i++;
        }
        words.push_back(word);
        quoted.push_back(false);
    }
    return true;
}

void Reader::expect(const char* keyword, size_t count) {
    if (words.empty() || quoted[0] || words[0] != keyword)
        fail(std::string("expected a line \"") + keyword + " …\", found " +
             (words.empty() ? std::string("an empty line") : "\"" + words[0] + " …\""));
    if (words.size() != count)
        fail(std::string("a ") + keyword + " line has " + std::to_string(words.size() - 1) + " fields, not " +
             std::to_string(count - 1));
}

int Reader::number(size_t w, long long low, long long high, const char* what) {
    const std::string& s = words[w];
    bool digits = !quoted[w] && !s.empty() && s.size() <= 12;
    size_t first = s[0] == '-' ? 1 : 0;
    if (first == s.size()) digits = false;
    for (size_t i = first; digits && i < s.size(); i++) digits = s[i] >= '0' && s[i] <= '9';
    if (!digits) fail(std::string(what) + " is not a number: " + (s.size() > 40 ? s.substr(0, 40) + "…" : s));
    const long long v = std::strtoll(s.c_str(), nullptr, 10);
    if (v < low || v > high)
        fail(std::string(what) + " " + s + " is outside " + std::to_string(low) + " … " + std::to_string(high));
    return static_cast<int>(v);
}

std::string Reader::string(size_t w, const char* what) {
    if (!quoted[w]) fail(std::string(what) + " is not a quoted string");
    return words[w];
}

std::vector<int> Reader::numbers(const char* keyword, long long low, long long high, const char* what) {
    if (!nextLine()) fail(std::string("the file ends before the ") + keyword + " line of a component");
    if (words.empty() || quoted[0] || words[0] != keyword)
        fail(std::string("expected the component's \"") + keyword + " …\" line");
    std::vector<int> values;
    values.reserve(words.size() - 1);
    for (size_t w = 1; w < words.size(); w++) values.push_back(number(w, low, high, what));
    return values;
}

// Every count is bounded by what the file can hold: each counted thing is
// a line of at least two bytes.
long long countLimit(const std::string& text) { return static_cast<long long>(text.size() / 2); }

// The largest file read: far beyond any circuit a course builds.
const size_t largestFile = 256u << 20;
// The private 32-bit words of all memories together.
const long long largestMemory = 1LL << 25;

void parse(Reader& r, Netlist& n) {
    const long long limit = countLimit(r.text);
    if (!r.nextLine() || r.words.size() != 2 || r.quoted[0] || r.words[0] + " " + r.words[1] != netlistHeader)
        r.fail(std::string("not a netlist of this version: the first line is not \"") + netlistHeader + "\"");
    if (!r.nextLine()) r.fail("the file ends after its first line");
    r.expect("program", 2);
    netlistProgramName = r.string(1, "the program name");
    if (netlistProgramName.empty()) r.fail("the program name is empty");
    if (!r.nextLine()) r.fail("the file ends before its counts");
    r.expect("counts", 7);
    const int wires = r.number(1, 2, limit, "the number of wires");
    const int buses = r.number(2, 0, limit, "the number of buses");
    const int components = r.number(3, 0, limit, "the number of components");
    const int switches = r.number(4, 0, limit, "the number of switches");
    const int files = r.number(5, 0, limit, "the number of files");
    const int sayLines = r.number(6, 0, limit, "the number of build text lines");

    auto need = [&](const char* keyword, size_t count) {
        if (!r.nextLine()) r.fail(std::string("the file ends before all its ") + keyword + " lines");
        r.expect(keyword, count);
    };
    for (int i = 0; i < sayLines; i++) {
        need("say", 2);
        n.say.push_back(r.string(1, "the build text"));
    }
    std::vector<std::string> fileNames;
    for (int i = 0; i < files; i++) {
        need("file", 2);
        fileNames.push_back(r.string(1, "the file name"));
        if (fileNames.back().empty()) r.fail("an empty file name");
    }
    for (int i = 0; i < wires; i++) {
        need("wire", 4);
        WireRecord w{r.number(1, ZERO, ONE, "the initial value"), r.number(2, 0, 1, "the constant flag"),
                     r.string(3, "the wire name")};
        n.wires.push_back(w);
    }
    // Wires 0 and 1 are the library's constants, which the reading program
    // has declared already.
    const SignalNode* zero = phaseOne ? phaseOne->signalList.start : nullptr;
    const SignalNode* one = zero ? zero->ptr : nullptr;
    if (zero && one) {
        const WireRecord& z = n.wires[0];
        const WireRecord& o = n.wires[1];
        if (z.init != zero->value || z.constant != zero->constSignal || z.name != zero->name || o.init != one->value ||
            o.constant != one->constSignal || o.name != one->name)
            r.fail("wires 0 and 1 are not the constants " + std::string(zero->name) + " and " + one->name);
    }
    for (int i = 0; i < buses; i++) {
        need("bus", 4);
        BusRecord b{r.number(1, 2, wires - 1, "the first wire"), r.number(2, 1, wires, "the width"),
                    r.string(3, "the bus name")};
        if (static_cast<long long>(b.first) + b.width > wires) r.fail("the bus reaches past the last wire");
        n.buses.push_back(b);
    }
    long long memory = 0;
    for (int i = 0; i < components; i++) {
        need("component", 10);
        ComponentRecord c;
        c.sourceLine = r.lineNumber;
        c.kind = kindNamed(r.words[1].c_str());
        if (r.quoted[1] || c.kind < 0) r.fail("no component kind is called " + r.words[1]);
        bool found = false;
        c.icon = iconNamed(r.words[2].c_str(), found);
        if (r.quoted[2] || !found) r.fail("no icon is called " + r.words[2]);
        c.overloadable = r.number(3, 0, 1, "the overloadable flag");
        c.selfActivating = r.number(4, 0, 1, "the self-activating flag");
        c.level = r.number(5, -(1 << 20), 1 << 20, "the level");
        c.file = r.number(6, -1, files - 1, "the file number");
        c.line = r.number(7, 0, INT_MAX, "the line number");
        c.position = r.string(8, "the position");
        c.decal = r.string(9, "the label");
        c.data = r.numbers("data", 0, wires - 1, "a data input wire");
        c.control = r.numbers("control", 0, wires - 1, "a control input wire");
        c.out = r.numbers("out", 0, wires - 1, "an output wire");
        c.integers = r.numbers("int", INT_MIN, INT_MAX, "an integer parameter");
        if (!r.nextLine()) r.fail("the file ends before the bytes line of a component");
        r.expect("bytes", 2);
        const std::string& hex = r.words[1];
        if (r.quoted[1] || (hex != "-" && hex.size() % 2 != 0)) r.fail("the bytes are not pairs of hex digits or -");
        if (hex != "-") {
            c.bytes.reserve(hex.size() / 2);
            for (size_t b = 0; b < hex.size(); b += 2) {
                auto v = [](char h) {
                    return h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10 : -1;
                };
                if (v(hex[b]) < 0 || v(hex[b + 1]) < 0) r.fail("the bytes are not pairs of lower-case hex digits");
                c.bytes.push_back(static_cast<unsigned char>(v(hex[b]) * 16 + v(hex[b + 1])));
            }
        }
        if (!r.nextLine()) r.fail("the file ends before the state line of a component");
        r.expect("state", 4);
        c.internal32 = r.number(1, 0, INT_MAX, "the number of 32-bit words");
        c.internal16 = r.number(2, 0, INT_MAX, "the number of 16-bit words");
        c.internal8 = r.number(3, 0, INT_MAX, "the number of bytes");
        KindShape shape{static_cast<int>(c.data.size()), static_cast<int>(c.control.size()),
                        static_cast<int>(c.out.size()), static_cast<int>(c.integers.size()), c.integers.data(),
                        static_cast<int>(c.bytes.size()), c.internal32, c.internal16, c.internal8};
        if (const char* wrong = kindShapeError(c.kind, shape, wires)) {
            r.lineNumber = c.sourceLine;
            r.fail(std::string("this ") + componentKinds[c.kind].name + " has " + wrong);
        }
        memory += c.internal32;
        if (memory > largestMemory) r.fail("the memories hold more than 2^25 words together");
        n.components.push_back(std::move(c));
    }
    int lastComponent = 0;
    for (int i = 0; i < switches; i++) {
        need("switch", 4);
        SwitchRecord s{r.number(1, -128, 127, "the key"), r.number(2, 0, components - 1, "the component"),
                       r.number(3, 0, wires - 1, "the wire")};
        const ComponentRecord& c = n.components[s.component];
        if (c.kind != kindNamed("Switch") && c.kind != kindNamed("Pulser"))
            r.fail("the component of a switch is not a Switch or a Pulser");
        if (c.out.empty() || c.out[0] != s.wire) r.fail("a switch drives another wire than its component's output");
        if (s.component < lastComponent) r.fail("the switches are not in the order of their components");
        lastComponent = s.component;
        n.switches.push_back(s);
    }
    if (!r.nextLine()) r.fail("the file ends without its last line \"end\"");
    r.expect("end", 1);
    if (r.at != r.text.size()) {
        r.lineNumber++;
        r.fail("lines after the last line \"end\"");
    }
    for (std::string& f : fileNames) placeFiles.push_back(std::move(f));
}

}  // namespace

// ---- The build text

void beginBuildText() {
    std::fflush(stderr);
    capturedFd = memfd_create("korvax-build-text", MFD_CLOEXEC);
    savedStderr = capturedFd >= 0 ? dup(2) : -1;
    if (capturedFd < 0 || savedStderr < 0 || dup2(capturedFd, 2) < 0) {
        std::fprintf(stderr, "-N: cannot keep the build's messages: %s\n", std::strerror(errno));
        exitProgram(2);
    }
    static bool registered = false;
    if (!registered) std::atexit(endBuildTextAtExit);
    registered = true;
}

void endBuildText() {
    if (capturedFd < 0) return;
    std::fflush(stderr);
    dup2(savedStderr, 2);
    close(savedStderr);
    buildText.clear();
    char block[65536];
    lseek(capturedFd, 0, SEEK_SET);
    for (ssize_t got; (got = ::read(capturedFd, block, sizeof block)) > 0;) buildText.append(block, got);
    close(capturedFd);
    capturedFd = -1;
    std::fwrite(buildText.data(), 1, buildText.size(), stderr);
}

// ---- The writer

int writeNetlist(const char* path, const char* programName) {
    const PhaseTwo& p = *phaseTwo;
    // Every component first: of a library kind, with a library icon and the
    // shape its kind's constructor gives.
    for (int c = 0; c < p.numberOfComponents; c++) {
        const int kind = registeredKind(c);
        const char* wrong = nullptr;
        if (kind < 0)
            wrong = "runs functions of the circuit's own, not a library kind";
        else if (!iconName(p.iconArrays[c]))
            wrong = "is drawn with an icon of the circuit's own";
        else {
            KindShape shape{p.numberOfDataInputs[c],      p.numberOfControlInputs[c],
                            p.numberOfOutputs[c],         p.numberOfIntegerParameters[c],
                            p.integerParameters[c],       p.numberOfByteParameters[c],
                            p.numberOfInternal32BitVariables[c], p.numberOfInternal16BitVariables[c],
                            p.numberOfInternal8BitVariables[c]};
            if (const char* shapeWrong = kindShapeError(kind, shape, p.numberOfSignals)) {
                static std::string text;
                text = std::string("is registered as ") + componentKinds[kind].name + " with " + shapeWrong;
                wrong = text.c_str();
            }
        }
        if (wrong) {
            std::fprintf(stderr, "-N %s: component %s at %s %s; nothing written", path, p.decal[c], positionString(p.rcpos[c]), wrong);
            if (p.place[c].file) std::fprintf(stderr, " (built in %s:%d)", p.place[c].file, p.place[c].line);
            std::fputc('\n', stderr);
            return 1;
        }
    }

    std::string out;
    out.reserve(static_cast<size_t>(p.numberOfComponents) * 120 + static_cast<size_t>(p.numberOfSignals) * 24);
    std::vector<std::string> says;
    for (size_t at = 0; at < buildText.size();) {
        size_t end = buildText.find('\n', at);
        end = end == std::string::npos ? buildText.size() : end + 1;
        says.push_back(buildText.substr(at, end - at));
        at = end;
    }
    // Source files numbered in the order they first appear.
    std::map<std::string, int> fileNumber;
    std::vector<const char*> files;
    for (int c = 0; c < p.numberOfComponents; c++)
        if (p.place[c].file && fileNumber.emplace(p.place[c].file, static_cast<int>(files.size())).second)
            files.push_back(p.place[c].file);

    out += netlistHeader;
    out += "\nprogram ";
    appendQuoted(out, programName);
    out += "\ncounts " + std::to_string(p.numberOfSignals) + " " + std::to_string(p.numberOfBuses) + " " +
           std::to_string(p.numberOfComponents) + " " + std::to_string(p.numberOfSwitches) + " " +
           std::to_string(files.size()) + " " + std::to_string(says.size()) + "\n";
    for (const std::string& s : says) {
        out += "say ";
        appendQuoted(out, s.c_str());
        out += '\n';
    }
    for (const char* f : files) {
        out += "file ";
        appendQuoted(out, f);
        out += '\n';
    }
    for (int s = 0; s < p.numberOfSignals; s++) {
        out += "wire " + std::to_string(p.signalInitializations[s]) + " " + std::to_string(p.constSignals[s]) + " ";
        appendQuoted(out, p.signalNames[s] ? p.signalNames[s] : "");
        out += '\n';
    }
    for (int b = 0; b < p.numberOfBuses; b++) {
        out += "bus " + std::to_string(p.busFirstSignals[b]) + " " + std::to_string(p.busWidths[b]) + " ";
        appendQuoted(out, p.busNames[b]);
        out += '\n';
    }
    auto list = [&out](const char* keyword, int count, const int* values) {
        out += keyword;
        for (int i = 0; i < count; i++) {
            out += ' ';
            out += std::to_string(values[i]);
        }
        out += '\n';
    };
    static const char hex[] = "0123456789abcdef";
    for (int c = 0; c < p.numberOfComponents; c++) {
        out += "component ";
        out += componentKinds[registeredKind(c)].name;
        out += ' ';
        out += iconName(p.iconArrays[c]);
        out += " " + std::to_string(p.outputOverloadable[c] != 0) + " " + std::to_string(p.selfActivating[c] != 0) +
               " " + std::to_string(p.graphicLevel[c]) + " " +
               std::to_string(p.place[c].file ? fileNumber[p.place[c].file] : -1) + " " +
               std::to_string(p.place[c].file ? p.place[c].line : 0) + " ";
        appendQuoted(out, positionString(p.rcpos[c]));
        out += ' ';
        appendQuoted(out, p.decal[c]);
        out += '\n';
        list("data", p.numberOfDataInputs[c], p.dataInputs[c]);
        list("control", p.numberOfControlInputs[c], p.controlInputs[c]);
        list("out", p.numberOfOutputs[c], p.outputs[c]);
        list("int", p.numberOfIntegerParameters[c], p.integerParameters[c]);
        out += "bytes ";
        if (p.numberOfByteParameters[c] < 1) out += '-';
        for (int b = 0; b < p.numberOfByteParameters[c]; b++) {
            out += hex[p.byteParameters[c][b] >> 4];
            out += hex[p.byteParameters[c][b] & 15];
        }
        out += "\nstate " + std::to_string(p.numberOfInternal32BitVariables[c]) + " " +
               std::to_string(p.numberOfInternal16BitVariables[c]) + " " +
               std::to_string(p.numberOfInternal8BitVariables[c]) + "\n";
    }
    for (int s = 0; s < p.numberOfSwitches; s++)
        out += "switch " + std::to_string(p.activationsFromWindow[s][0]) + " " +
               std::to_string(p.activationsFromWindow[s][1]) + " " + std::to_string(p.activationsFromWindow[s][2]) +
               "\n";
    out += "end\n";

    FILE* f = std::fopen(path, "w");
    if (!f) {
        std::fprintf(stderr, "-N %s: cannot write: %s\n", path, std::strerror(errno));
        return 2;
    }
    const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    const int error = errno;
    if (std::fclose(f) != 0 || !written) {
        std::fprintf(stderr, "-N %s: cannot write: %s\n", path, std::strerror(written ? errno : error));
        return 2;
    }
    return 0;
}

// ---- The reader

void parseNetlist(const std::string& text, const char* path) {
    loaded = Netlist();
    placeFiles.clear();
    Reader r(text, path);
    if (text.size() > largestFile) r.fail("larger than 256 MiB, more than any circuit needs");
    parse(r, loaded);
}

void readNetlist(const char* path) {
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        std::fprintf(stderr, "%s: cannot read: %s\n", path, std::strerror(errno));
        netlistExit(2);
        std::abort();
    }
    std::string text;
    char block[65536];
    for (size_t got; (got = std::fread(block, 1, sizeof block, f)) > 0;) {
        text.append(block, got);
        if (text.size() > largestFile) break;
    }
    const bool failed = std::ferror(f);
    std::fclose(f);
    if (failed) {
        std::fprintf(stderr, "%s: cannot read: %s\n", path, std::strerror(EIO));
        netlistExit(2);
        std::abort();
    }
    parseNetlist(text, path);
}

void replayNetlist() {
    for (const std::string& s : loaded.say) std::fwrite(s.data(), 1, s.size(), stderr);
    SignalList& signals = phaseOne->signalList;
    for (size_t w = 2; w < loaded.wires.size(); w++) {
        const WireRecord& r = loaded.wires[w];
        signals.add(signals.numberOfSignals, static_cast<SignalValue>(r.init), r.name.c_str(), r.constant);
        signals.numberOfSignals++;
    }
    for (const BusRecord& b : loaded.buses) signals.addBus(b.name.c_str(), b.first, b.width);
    Arena& arena = phaseOne->arena;
    size_t nextSwitch = 0;
    for (size_t i = 0; i < loaded.components.size(); i++) {
        const ComponentRecord& r = loaded.components[i];
        // A switch node goes in just before its component, as a switch's
        // constructor adds it.
        for (; nextSwitch < loaded.switches.size() && loaded.switches[nextSwitch].component == static_cast<int>(i);
             nextSwitch++)
            phaseOne->switchList.add(loaded.switches[nextSwitch].wire, static_cast<char>(loaded.switches[nextSwitch].key));
        const ComponentKind& kind = componentKinds[r.kind];
        ComponentNode* node = new (arena.allocate(sizeof(ComponentNode))) ComponentNode;
        node->logicEvaluate = kind.logicEvaluate;
        node->secondaryEvaluate.s = nullptr;
        node->iconArray = r.icon;
        node->drawDynamic = kind.drawDynamic;
        node->xEventTriggered = kind.xEventTriggered;
        node->heapQueueEventTriggered = nullptr;
        node->outputOverloadable = r.overloadable;
        node->selfActivating = r.selfActivating;
        node->decal = arena.copyString(r.decal.c_str());
        node->position = positionOf(r.position.c_str());
        node->graphicLevel = r.level;
        node->numberOfDataInputs = static_cast<int>(r.data.size());
        node->dataInputs = arena.copy(node->numberOfDataInputs, r.data.data());
        node->numberOfControlInputs = static_cast<int>(r.control.size());
        node->controlInputs = arena.copy(node->numberOfControlInputs, r.control.data());
        node->numberOfOutputs = static_cast<int>(r.out.size());
        node->outputs = arena.copy(node->numberOfOutputs, r.out.data());
        node->numberOfIntegerParameters = static_cast<int>(r.integers.size());
        node->integerParameters = arena.copy(node->numberOfIntegerParameters, r.integers.data());
        node->numberOfByteParameters = static_cast<int>(r.bytes.size());
        node->byteParameters = arena.copy(node->numberOfByteParameters, r.bytes.data());
        node->numberOfInternal32BitVariables = r.internal32;
        node->numberOfInternal16BitVariables = r.internal16;
        node->numberOfInternal8BitVariables = r.internal8;
        node->place = r.file >= 0 ? SourcePlace(placeFiles[r.file].c_str(), r.line) : SourcePlace(nullptr, 0);
        phaseOne->componentList.add(node);
        // What the library's constructors set after registering.
        node->multiplexer = r.kind == kindNamed("Mux");
        noteRegisteredIcon(node->componentIndex, r.icon);
    }
}
