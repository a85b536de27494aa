// Test vectors: the file's grammar, the check of each line against the
// present wire values, and the lines written for it.
//
// A `#` that begins a word starts a comment; blanks separate words. The
// first word is the step: `@T`, or keys where `-` is no key, `\` escapes
// `-`, `@`, `#`, `=`, `\` or a blank, and `\xNN` is any byte. Every further
// word is NAME=VALUE. VALUE is a value name (every wire at it), one of
// 0 1 X Z U (a one-wire bus), a decimal or 0x number of any width (every
// wire ZERO or ONE, together the number), or 0b and one letter per wire,
// most significant first. A file is text: a NUL byte anywhere is a fault.
#include "Vectors.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "RTSigSup.h"
#include "cmdLine.h"
#include "StderrBuffer.h"

FILE* vectorsVerdict = nullptr;
int vectorsPending = 0;
void (*vectorsExit)(int status) = exitProgram;

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
    std::vector<bool> number;          // decimal and hex forms: bit i of the number, no high zero bits
    int digits;                        // hex form: digits written (failures are padded to as many)
    bool lowerHex;                     // hex form: written with a lower-case digit
    std::vector<SignalValue> pattern;  // binary form, most significant wire first
    int bus;                           // the bus checked, from resolveTestVectors
};

// A step's key that types nothing: the quiet moment passes. Outside the
// range of a char, so that every byte, 0xFF (-1 as a char) too, is a key.
const int noKey = INT_MIN;

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

// The one form of every message about the file. A fault found while the run
// checks the lines ends it too; the lines not reached are not listed then,
// since the file itself is wrong.
[[noreturn]] void fileFault(int lineNumber, const std::string& what) {
    beforeStandardOutput();
    std::fflush(stdout);
    finished = true;
    if (lineNumber > 0)
        std::fprintf(stderr, "%s:%d: ", filePath.c_str(), lineNumber);
    else
        std::fprintf(stderr, "%s: ", filePath.c_str());
    std::fwrite(what.data(), 1, what.size(), stderr);
    std::fputc('\n', stderr);
    vectorsExit(2);
    std::exit(2);  // only a hook that comes back gets here
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
        if (word.size() == 1 || word.find_first_not_of("0123456789", 1) != std::string::npos)
            fileFault(line.number, "bad step " + word + ": @ must be followed by a time in ticks");
        errno = 0;
        line.time = std::strtoul(word.c_str() + 1, nullptr, 10);
        if (errno == ERANGE)
            fileFault(line.number, "bad step " + word + ": the time is too large (at most " +
                                       std::to_string(static_cast<unsigned long>(-1)) + ")");
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

// The bits of a number written in base 10 or 16 (digits only, already
// checked), least significant first, without high zero bits.
std::vector<bool> bitsOf(const std::string& digits, unsigned base) {
    // Limbs of 32 bits, least significant first: each digit multiplies the
    // number by the base and adds itself.
    std::vector<std::uint32_t> limbs;
    for (char c : digits) {
        std::uint64_t carry = static_cast<unsigned>(hexDigit(c));
        for (std::uint32_t& limb : limbs) {
            const std::uint64_t product = static_cast<std::uint64_t>(limb) * base + carry;
            limb = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry) limbs.push_back(static_cast<std::uint32_t>(carry));
    }
    std::vector<bool> bits;
    for (std::uint32_t limb : limbs)
        for (int b = 0; b < 32; b++) bits.push_back((limb >> b) & 1u);
    while (!bits.empty() && !bits.back()) bits.pop_back();
    return bits;
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
        e.number = bitsOf(v.substr(2), 16);
        return;
    }
    if (!v.empty() && v.find_first_not_of("0123456789") == std::string::npos) {
        e.form = Form::decimal;
        e.number = bitsOf(v, 10);
        return;
    }
    fileFault(lineNumber, "bad value " + v + " for " + e.name +
                              ": expected ZERO, ONE, XXX, HIZ, UNINITIALIZED, 0 1 X Z U, a number, 0x… or 0b…");
}

// Checks that the expectation fits a bus of `width` wires; 0 and 1 on a
// wider bus become numbers.
void fitWidth(int lineNumber, Expectation& e, int width) {
    const std::string wires = std::to_string(width) + (width == 1 ? " wire" : " wires");
    if (e.form == Form::letter && width > 1 && (e.level == ZERO || e.level == ONE)) {
        e.form = Form::decimal;
        e.number.assign(e.level == ONE, true);
    }
    if (e.form == Form::letter && width > 1)
        fileFault(lineNumber, "value " + e.value + " is for one wire, but " + e.name + " is a bus of " + wires);
    if ((e.form == Form::decimal || e.form == Form::hex) && e.number.size() > static_cast<size_t>(width))
        fileFault(lineNumber, "value " + e.value + " too wide for " + e.name + ", a bus of " + wires);
    if (e.form == Form::binary && static_cast<int>(e.pattern.size()) != width)
        fileFault(lineNumber, "value " + e.value + " has " + std::to_string(e.pattern.size()) + " letters for " +
                                  e.name + ", a bus of " + wires);
}

// The bus's wires as 0b and one letter per wire, most significant first.
std::string binaryOf(const SignalValue* wires, int width) {
    std::string s = "0b";
    for (int p = width - 1; p >= 0; p--) s += letters[wires[p]];
    return s;
}

// The known wires as a hex number of at least `digits` digits.
std::string hexOf(const SignalValue* wires, int width, int digits, bool lower) {
    const char* const hexLetters = lower ? "0123456789abcdef" : "0123456789ABCDEF";
    const int needed = (width + 3) / 4;
    std::string s;
    for (int d = (digits > needed ? digits : needed) - 1; d >= 0; d--) {
        int digit = 0;
        for (int b = 3; b >= 0; b--) digit = 2 * digit + (4 * d + b < width && wires[4 * d + b] == ONE);
        s += hexLetters[digit];
    }
    // As many digits as written, or as the value needs: leading zeros
    // beyond the written width are not shown.
    const size_t first = s.find_first_not_of('0');
    const size_t keep = first == std::string::npos ? static_cast<size_t>(digits)
                                                   : std::max(s.size() - first, static_cast<size_t>(digits));
    return "0x" + s.substr(s.size() - keep);
}

// Whether the expectation holds on the bus `wires[0 … width-1]`; if not,
// `seen` gets the bus's value in the expectation's form.
bool holds(const Expectation& e, const SignalValue* wires, int width, std::string& seen) {
    bool same = true, known = true;
    for (int p = 0; p < width; p++) {
        same = same && wires[p] == wires[0];
        known = known && (wires[p] == ZERO || wires[p] == ONE);
    }
    switch (e.form) {
    case Form::name:
    case Form::letter:
        if (same && wires[0] == e.level) return true;
        if (!same)
            seen = binaryOf(wires, width);
        else if (e.form == Form::name)
            seen = signalValueName(wires[0]);
        else
            seen = std::string(1, letters[wires[0]]);
        return false;
    case Form::decimal:
    case Form::hex: {
        bool equal = known;
        for (int p = 0; equal && p < width; p++)
            equal = (wires[p] == ONE) == (static_cast<size_t>(p) < e.number.size() && e.number[p]);
        if (equal) return true;
        if (!known)
            seen = binaryOf(wires, width);
        else if (e.form == Form::decimal)
            decimalText(width, wires, seen);
        else
            seen = hexOf(wires, width, e.digits, e.lowerHex);
        return false;
    }
    case Form::binary: {
        bool ok = true;
        for (int p = 0; p < width; p++) ok = ok && wires[p] == e.pattern[width - 1 - p];
        if (!ok) seen = binaryOf(wires, width);
        return ok;
    }
    }
    return false;
}

// The present values of bus b's wires, which are consecutive.
const SignalValue* busWires(int b) { return phaseThree->currentSignals + phaseTwo->busFirstSignals[b]; }

// A result line: on standard output and, when a verdict file is open, there
// too.
__attribute__((format(printf, 1, 2))) void result(const char* format, ...) {
    va_list values;
    va_start(values, format);
    if (vectorsVerdict) {
        va_list copy;
        va_copy(copy, values);
        std::vfprintf(vectorsVerdict, format, copy);
        std::fflush(vectorsVerdict);
        va_end(copy);
    }
    std::vprintf(format, values);
    va_end(values);
}

// Checks a line at time `t` and writes its result.
void check(const Line& line, unsigned long t) {
    beforeStandardOutput();
    bool ok = true;
    std::string seen;
    for (const Expectation& e : line.expectations) {
        if (holds(e, busWires(e.bus), phaseTwo->busWidths[e.bus], seen)) continue;
        ok = false;
        result("FAIL %d: %s is %s expected %s at time %lu\n", line.number, e.name.c_str(), seen.c_str(),
                    e.value.c_str(), t);
    }
    if (ok) result("ok %d\n", line.number);
    std::fflush(stdout);
    (ok ? passed : failed)++;
}

// An @T line reached when the run is already past T cannot be checked at
// T: the file asks for a time that has gone.
void checkNotPast(const Line& line, unsigned long now) {
    if (line.atTime && line.time < now)
        fileFault(line.number, "@" + std::to_string(line.time) + " is earlier than time " + std::to_string(now) +
                                   ", which the run has already reached: steps cannot go back in time");
}

void printSummary() {
    beforeStandardOutput();
    finished = true;
    vectorsPending = 0;
    result("%d passed, %d failed\n", passed, failed);
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
    parseTestVectors(text, path);
}

void parseTestVectors(const std::string& text, const char* path) {
    filePath = path;
    lines.clear();
    int number = 0;
    unsigned long lastTime = 0;  // the latest @T so far
    int lastTimeLine = 0;        // its line
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string row = text.substr(at, end - at);
        at = end + 1;
        number++;
        const size_t nul = row.find('\0');
        if (nul != std::string::npos)
            fileFault(number, "a NUL byte at column " + std::to_string(nul + 1) + ": a vectors file is text");
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
            Expectation e{word.substr(0, eq), word.substr(eq + 1), Form::name, ZERO, {}, 0, false, {}, -1};
            parseValue(number, e);
            line.expectations.push_back(e);
        }
        if (line.atTime && lastTimeLine > 0 && line.time < lastTime)
            fileFault(number, "@" + std::to_string(line.time) + " is earlier than @" + std::to_string(lastTime) +
                                  " on line " + std::to_string(lastTimeLine) + ": steps cannot go back in time");
        if (line.atTime) lastTime = line.time, lastTimeLine = number;
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
            fitWidth(line.number, e, p2.busWidths[e.bus]);
        }
    }
    current = 0;
    nextKey = 0;
    armed = willRun;
    vectorsPending = willRun && !lines.empty();
}

bool expectationHolds(const std::string& name, const std::string& value, const SignalValue* wires, int width,
                      std::string& seen, int lineNumber) {
    Expectation e{name, value, Form::name, ZERO, {}, 0, false, {}, -1};
    parseValue(lineNumber, e);
    fitWidth(lineNumber, e, width);
    return holds(e, wires, width, seen);
}

bool vectorsAtQuietMoment(bool windowless, int& key) {
    const unsigned long now = phaseFour->time;
    while (current < lines.size()) {
        const Line& line = lines[current];
        if (!line.atTime) {
            if (nextKey < line.keys.size()) {
                key = line.keys[nextKey++];
                if (key != noKey) return true;
                continue;  // no key: this quiet moment passes as it is
            }
        }
        checkNotPast(line, now);
        // Quiet with nothing pending: what is true now stays true until
        // any later time T.
        check(line, line.atTime ? line.time : now);
        current++;
        nextKey = 0;
    }
    lastLineChecked(windowless);
    return false;
}

void vectorsBeforeAdvance(bool windowless) {
    const PhaseFour& p4 = *phaseFour;
    if (p4.skewHeap.isEmpty()) return;  // a quiet moment, handled there
    const unsigned long next = p4.skewHeap.minTime();
    while (current < lines.size() && lines[current].atTime && lines[current].time < next) {
        const Line& line = lines[current];
        checkNotPast(line, p4.time);
        check(line, line.time);
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
            result("FAIL %d: not reached\n", lines[l].number);
            failed++;
        }
        printSummary();
    }
    return failed ? 3 : 0;
}
