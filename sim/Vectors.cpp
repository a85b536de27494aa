// Test vectors: the file's grammar, the check of each line against the
// present wire values, and the lines written for it.
//
// A `#` that begins a word starts a comment; blanks separate words. The
// first word is the step: `@T`, or keys where `-` is no key, `\` escapes
// `-`, `@`, `#`, `=`, `\` or a blank, and `\xNN` is any byte. Every further
// word is NAME=VALUE. VALUE is a value name (every wire at it), one of
// 0 1 X Z U (a one-wire bus), a decimal or 0x number (every wire ZERO or
// ONE), or 0b and one letter per wire, most significant first.
#include "Vectors.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "StderrBuffer.h"
#include "display/WindowIn.h"

int vectorsPending = 0;

namespace {

// How an expectation wrote its value; a failure shows the actual value the
// same way.
enum class Form {
    name,     // ZERO, ONE, XXX, HIZ, UNINITIALIZED: every wire at `level`
    letter,   // 0 1 X Z U: the one wire at `level`
    decimal,  // every wire ZERO or ONE, together `number`
    hex,      // the same, written 0x…
    binary    // 0b…: `pattern`, one value per wire
};

struct Expectation {
    std::string name;                  // NAME as written
    std::string value;                 // VALUE as written
    Form form;                         // how VALUE was written
    SignalValue level;                 // name and letter forms
    unsigned long long number;         // decimal and hex forms
    int digits;                        // hex form: digits written (failures are padded to as many)
    bool lowerHex;                     // hex form: written with a lower-case digit
    std::vector<SignalValue> pattern;  // binary form, most significant wire first
    int bus;                           // the bus checked, from resolveTestVectors
};

// A step's key that types nothing: the quiet moment passes.
const int noKey = -1;

struct Line {
    int number;                 // line number in the file, from 1
    bool atTime;                // true: the step is @time
    unsigned long time;         // the step's T
    std::vector<int> keys;      // key step: characters (as -k types them) or noKey
    std::vector<Expectation> expectations;
};

std::string filePath;       // as given to -v
std::vector<Line> lines;    // every line with a step, in file order
size_t current = 0;         // the line being worked on
size_t nextKey = 0;         // its next key
int passed = 0, failed = 0;
bool armed = false;         // the run will check the lines (not -E)
bool finished = false;      // the summary has been printed

// The one form of every message about the file.
[[noreturn]] void fileFault(int lineNumber, const std::string& what) {
    if (lineNumber > 0)
        std::fprintf(stderr, "%s:%d: %s\n", filePath.c_str(), lineNumber, what.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", filePath.c_str(), what.c_str());
    std::exit(2);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

const char letters[] = "0UXZ1";  // indexed by SignalValue: one letter per value

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The words of a line: blanks separate them, a backslash keeps the next
// character in the word, a `#` beginning a word ends the line.
std::vector<std::string> wordsOf(const std::string& text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) i++;
        if (i == text.size() || text[i] == '#') break;
        std::string word;
        while (i < text.size() && !isBlank(text[i])) {
            if (text[i] == '\\' && i + 1 < text.size()) word += text[i++];
            word += text[i++];
        }
        words.push_back(word);
    }
    return words;
}

void parseStep(Line& line, const std::string& word) {
    if (word[0] == '@') {
        if (word.size() == 1 || word.size() > 20 || word.find_first_not_of("0123456789", 1) != std::string::npos)
            fileFault(line.number, "bad step " + word + ": @ must be followed by a time in ticks");
        errno = 0;
        line.time = std::strtoul(word.c_str() + 1, nullptr, 10);
        if (errno == ERANGE) fileFault(line.number, "bad step " + word + ": the time is too large");
        line.atTime = true;
        return;
    }
    for (size_t i = 0; i < word.size(); i++) {
        char c = word[i];
        if (c == '-') {
            line.keys.push_back(noKey);
        } else if (c == '=') {
            fileFault(line.number, "no step before " + word + ": a line begins with keys, - or @T");
        } else if (c != '\\') {
            line.keys.push_back(c);
        } else if (i + 1 == word.size()) {
            fileFault(line.number, "bad step " + word + ": \\ at the end of the line");
        } else if (std::strchr("-@#=\\ \t", word[i + 1])) {
            line.keys.push_back(word[++i]);
        } else if (word[i + 1] == 'x' && i + 3 < word.size() && hexDigit(word[i + 2]) >= 0 &&
                   hexDigit(word[i + 3]) >= 0) {
            // The byte as -k would pass it: a char, so bytes above 127 are negative.
            line.keys.push_back(static_cast<char>(hexDigit(word[i + 2]) * 16 + hexDigit(word[i + 3])));
            i += 3;
        } else {
            fileFault(line.number, "bad step " + word + ": \\ escapes only - @ # = \\ a blank, or \\xNN");
        }
    }
}

void parseValue(int lineNumber, Expectation& e) {
    const std::string& v = e.value;
    const char* const names[] = {"ZERO", "UNINITIALIZED", "XXX", "HIZ", "ONE"};
    for (int level = ZERO; level <= ONE; level++) {
        if (v == names[level]) {
            e.form = Form::name;
            e.level = static_cast<SignalValue>(level);
            return;
        }
        if (v.size() == 1 && v[0] == letters[level]) {
            e.form = Form::letter;
            e.level = static_cast<SignalValue>(level);
            return;
        }
    }
    const std::string tooWide = "value " + v + " too wide for " + e.name;
    if (v.size() > 2 && v.compare(0, 2, "0b") == 0) {
        e.form = Form::binary;
        for (size_t i = 2; i < v.size(); i++) {
            const char* at = std::strchr(letters, v[i]);
            if (!at || !*at) fileFault(lineNumber, "bad value " + v + " for " + e.name + ": 0b takes 0 1 X Z U");
            e.pattern.push_back(static_cast<SignalValue>(at - letters));
        }
        return;
    }
    if (v.size() > 2 && v.compare(0, 2, "0x") == 0 && v.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string::npos) {
        e.form = Form::hex;
        e.digits = static_cast<int>(v.size()) - 2;
        e.lowerHex = v.find_first_of("abcdef", 2) != std::string::npos;
        size_t first = v.find_first_not_of('0', 2);
        if (first != std::string::npos && v.size() - first > 16) fileFault(lineNumber, tooWide);
        e.number = std::strtoull(v.c_str() + 2, nullptr, 16);
        return;
    }
    if (!v.empty() && v.find_first_not_of("0123456789") == std::string::npos) {
        e.form = Form::decimal;
        errno = 0;
        e.number = std::strtoull(v.c_str(), nullptr, 10);
        if (errno == ERANGE) fileFault(lineNumber, tooWide);
        return;
    }
    fileFault(lineNumber, "bad value " + v + " for " + e.name +
                              ": expected ZERO, ONE, XXX, HIZ, UNINITIALIZED, 0 1 X Z U, a number, 0x… or 0b…");
}

// The wire at position p of bus b.
SignalValue wire(int b, int p) { return phaseThree->currentSignals[phaseTwo->busFirstSignals[b] + p]; }

// The bus's wires as 0b and one letter per wire, most significant first.
std::string binaryOf(int b) {
    std::string s = "0b";
    for (int p = phaseTwo->busWidths[b] - 1; p >= 0; p--) s += letters[wire(b, p)];
    return s;
}

// Whether the expectation holds; if not, `actual` gets the bus's value in
// the expectation's form.
bool holds(const Expectation& e, std::string& actual) {
    const int width = phaseTwo->busWidths[e.bus];
    bool same = true, known = true;
    unsigned long long number = 0;
    for (int p = 0; p < width; p++) {
        const SignalValue v = wire(e.bus, p);
        same = same && v == wire(e.bus, 0);
        known = known && (v == ZERO || v == ONE);
        if (v == ONE && p < 64) number |= 1ull << p;
    }
    bool ok = true;
    switch (e.form) {
    case Form::name:
    case Form::letter:
        ok = same && wire(e.bus, 0) == e.level;
        if (!ok && !same)
            actual = binaryOf(e.bus);
        else if (!ok && e.form == Form::name)
            actual = signalValueName(wire(e.bus, 0));
        else if (!ok)
            actual = std::string(1, letters[wire(e.bus, 0)]);
        return ok;
    case Form::decimal:
    case Form::hex:
        ok = known && number == e.number;
        if (ok) return true;
        if (!known || width > 64) {
            actual = binaryOf(e.bus);
        } else if (e.form == Form::decimal) {
            actual = std::to_string(number);
        } else {
            char text[24];
            std::snprintf(text, sizeof text, e.lowerHex ? "%0*llx" : "%0*llX", e.digits, number);
            actual = std::string("0x") + text;
        }
        return false;
    case Form::binary:
        for (int p = 0; p < width; p++) ok = ok && wire(e.bus, p) == e.pattern[width - 1 - p];
        if (!ok) actual = binaryOf(e.bus);
        return ok;
    }
    return ok;
}

// Checks a line at time `t` and writes its result.
void check(const Line& line, unsigned long t) {
    beforeStandardOutput();
    bool ok = true;
    std::string actual;
    for (const Expectation& e : line.expectations) {
        if (holds(e, actual)) continue;
        ok = false;
        std::printf("FAIL %d: %s is %s expected %s at time %lu\n", line.number, e.name.c_str(), actual.c_str(),
                    e.value.c_str(), t);
    }
    if (ok) std::printf("ok %d\n", line.number);
    std::fflush(stdout);
    (ok ? passed : failed)++;
}

void printSummary() {
    beforeStandardOutput();
    finished = true;
    vectorsPending = 0;
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
}

// After the last line: the summary, and without a window the end of the run.
void lastLineChecked(bool windowless) {
    printSummary();
    if (windowless) done = 1;
}

}  // namespace

void loadTestVectors(const char* path) {
    filePath = path;
    FILE* f = std::fopen(path, "rb");
    if (!f) fileFault(0, std::string("cannot be read: ") + std::strerror(errno));
    std::string text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
    const bool readFault = std::ferror(f);
    std::fclose(f);
    if (readFault) fileFault(0, "cannot be read");
    // However the program ends from here on, the lines not reached are
    // reported and the summary printed.
    std::atexit([] { finishTestVectors(); });

    int number = 0;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string row = text.substr(at, end - at);
        at = end + 1;
        number++;
        if (!row.empty() && row.back() == '\r') row.pop_back();
        std::vector<std::string> words = wordsOf(row);
        if (words.empty()) continue;
        Line line{number, false, 0, {}, {}};
        parseStep(line, words[0]);
        if (words.size() == 1) fileFault(number, "no NAME=VALUE after the step " + words[0]);
        for (size_t w = 1; w < words.size(); w++) {
            const std::string& word = words[w];
            size_t eq = word.find('=');
            if (eq == std::string::npos || eq == 0 || eq + 1 == word.size())
                fileFault(number, "expected NAME=VALUE, found " + word);
            Expectation e{word.substr(0, eq), word.substr(eq + 1), Form::name, ZERO, 0, 0, false, {}, -1};
            parseValue(number, e);
            line.expectations.push_back(e);
        }
        lines.push_back(line);
    }
}

void resolveTestVectors(bool willRun) {
    const PhaseTwo& p2 = *phaseTwo;
    for (Line& line : lines) {
        for (Expectation& e : line.expectations) {
            int matches = 0;
            for (int b = 0; b < p2.numberOfBuses; b++)
                if (e.name == p2.busNames[b] && matches++ == 0) e.bus = b;
            if (matches > 1)
                fileFault(line.number, e.name + " is ambiguous: " + std::to_string(matches) +
                                           " buses are declared with that name; write " + e.name + "#1 … " +
                                           e.name + "#" + std::to_string(matches));
            // NAME#k: the k-th bus declared as NAME.
            size_t hash = e.name.rfind('#');
            if (matches == 0 && hash != std::string::npos && hash + 1 < e.name.size() &&
                e.name.find_first_not_of("0123456789", hash + 1) == std::string::npos) {
                const std::string declared = e.name.substr(0, hash);
                const int ordinal = std::atoi(e.name.c_str() + hash + 1);
                for (int b = 0; b < p2.numberOfBuses; b++)
                    if (declared == p2.busNames[b] && p2.busOrdinals[b] == ordinal) e.bus = b, matches = 1;
            }
            if (matches == 0) fileFault(line.number, "unknown name " + e.name + ": no bus of the circuit is declared with that name");

            const int width = p2.busWidths[e.bus];
            const std::string wires = std::to_string(width) + (width == 1 ? " wire" : " wires");
            // 0 and 1 on a wider bus are numbers.
            if (e.form == Form::letter && width > 1 && (e.level == ZERO || e.level == ONE)) {
                e.form = Form::decimal;
                e.number = e.level == ONE;
            }
            if (e.form == Form::letter && width > 1)
                fileFault(line.number, "value " + e.value + " is for one wire, but " + e.name + " is a bus of " + wires);
            if ((e.form == Form::decimal || e.form == Form::hex) && width < 64 && (e.number >> width) != 0)
                fileFault(line.number, "value " + e.value + " too wide for " + e.name + ", a bus of " + wires);
            if (e.form == Form::binary && static_cast<int>(e.pattern.size()) != width)
                fileFault(line.number, "value " + e.value + " has " + std::to_string(e.pattern.size()) +
                                           " letters for " + e.name + ", a bus of " + wires);
        }
    }
    current = 0;
    nextKey = 0;
    armed = willRun;
    vectorsPending = willRun && !lines.empty();
}

void vectorsAtQuietMoment(bool windowless) {
    const unsigned long now = phaseFour->time;
    while (current < lines.size()) {
        const Line& line = lines[current];
        if (!line.atTime) {
            if (nextKey < line.keys.size()) {
                const int key = line.keys[nextKey++];
                if (key != noKey) {
                    keyboardInput(key);
                    return;
                }
                continue;  // no key: this quiet moment passes as it is
            }
        }
        // Quiet with nothing pending: what is true now stays true until
        // any later time T.
        check(line, line.atTime && line.time > now ? line.time : now);
        current++;
        nextKey = 0;
    }
    lastLineChecked(windowless);
}

void vectorsBeforeAdvance(bool windowless) {
    const PhaseFour& p4 = *phaseFour;
    if (p4.skewHeap.isEmpty()) return;  // a quiet moment, handled there
    const unsigned long next = p4.skewHeap.minTime();
    while (current < lines.size() && lines[current].atTime && lines[current].time < next) {
        const Line& line = lines[current];
        check(line, line.time > p4.time ? line.time : p4.time);
        current++;
        nextKey = 0;
    }
    if (current == lines.size()) lastLineChecked(windowless);
}

int finishTestVectors() {
    if (!armed) return 0;
    if (!finished) {
        beforeStandardOutput();
        for (size_t l = current; l < lines.size(); l++) {
            std::printf("FAIL %d: not reached\n", lines[l].number);
            failed++;
        }
        printSummary();
    }
    return failed ? 3 : 0;
}
