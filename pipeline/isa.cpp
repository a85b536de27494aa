// The instruction set: the ALU's function, branch conditions, disassembly
// and the assembler (see isa.h for the syntax).
//
// The assembler reads a program twice: the first pass gives every label its
// address (every instruction and .word is one word, .org moves on), the
// second turns each line into its word. The fault reported is the one on the
// earliest line, whichever pass found it.
#include "isa.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace pipeline {

int aluResult(int fn, int a, int b) {
    switch (fn & 7) {
    case ADD: return (a + b) & 0xFFFF;
    case SUBTRACT: return (a - b) & 0xFFFF;
    case AND: return a & b & 0xFFFF;
    case OR: return (a | b) & 0xFFFF;
    case 4:
    case 5: return (a & 0xFF00) | (b & 0xFF);
    default: return (b & 0xFF) << 8;
    }
}

bool conditionHolds(int cond, bool n, bool z) {
    switch (cond & 7) {
    case BRA: return true;
    case BEQ: return z;
    case BNE: return !z;
    case BLT: return n;
    case BLE: return n || z;
    case BGT: return !(n || z);
    case BGE: return !n;
    default: return false;
    }
}

namespace {

const char* const aluNames[4] = {"add", "sub", "and", "or"};
const char addressOperators[4] = {'+', '-', '&', '|'};
const char* const branchNames[8] = {"bra", "beq", "bne", "blt", "ble", "bgt", "bge", "bnv"};

std::string reg(int r) { return "r" + std::to_string(r & 7); }

std::string hexWord(int w) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", w & 0xFFFF);
    return text;
}

}  // namespace

std::string disassemble(int w) {
    w &= 0xFFFF;
    if (w == NOP_WORD) return "nop";
    const int fn = functionOf(w);
    const int k = isImmediate(w) ? (constantOf(w) >= 0x8000 ? constantOf(w) - 0x10000 : constantOf(w)) : 0;
    const std::string second = isImmediate(w) ? std::to_string(k) : reg(src2Of(w));
    switch (classOf(w)) {
    case ALU_CLASS: {
        const std::string flags = setsFlags(w) ? ".f " : " ";
        if (fn >= 4) {
            char byte[8];
            std::snprintf(byte, sizeof byte, "0x%02X", w & 0xFF);
            return std::string(fn >= 6 ? "sethi" : "setlo") + flags + reg(destOf(w)) + ", " + byte;
        }
        return aluNames[fn] + flags + reg(destOf(w)) + ", " + reg(src1Of(w)) + ", " + second;
    }
    case LOAD_CLASS:
    case STORE_CLASS:
        // Bit 10 means nothing here, nor do the functions of setlo and sethi
        // as an address: such a word has no instruction of its own.
        if (w >> 10 & 1 || fn >= 4) return ".word " + hexWord(w);
        return std::string(isLoad(w) ? "ld " : "st ") + reg(destOf(w)) + ", [" + reg(src1Of(w)) + " " +
               addressOperators[fn] + " " + second + "]";
    default: {
        const int disp = displacementOf(w);
        std::string target = disp == 0 ? "." : disp > 0 ? ".+" + std::to_string(disp) : ".-" + std::to_string(-disp);
        return std::string(branchNames[destOf(w)]) + " " + target;
    }
    }
}

std::string disassemble(int w, int address) {
    w &= 0xFFFF;
    if (!isBranch(w)) return disassemble(w);
    return std::string(branchNames[destOf(w)]) + " " + hexWord(address + displacementOf(w));
}

// ---- Assembler ----

namespace {

// One line's text split into a label, a mnemonic and operands.
struct Line {
    std::string label;                  // before a ':', or empty
    std::string mnemonic;               // lower case, or empty for a line without instruction
    std::vector<std::string> operands;  // between the commas, trimmed
};

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) b++;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) e--;
    return s.substr(b, e - b);
}

bool isNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool isName(const std::string& s) {
    if (s.empty() || !isNameStart(s[0])) return false;
    for (char c : s)
        if (!isNameChar(c)) return false;
    return true;
}

// Splits `text` (comment already removed). Returns an error message or "".
std::string splitLine(const std::string& text, Line& line) {
    std::string rest = trim(text);
    size_t colon = rest.find(':');
    if (colon != std::string::npos) {
        line.label = trim(rest.substr(0, colon));
        if (!isName(line.label)) return "bad label '" + line.label + "'";
        rest = trim(rest.substr(colon + 1));
    }
    if (rest.empty()) return "";
    size_t end = 0;
    while (end < rest.size() && !std::isspace(static_cast<unsigned char>(rest[end]))) end++;
    for (size_t i = 0; i < end; i++) line.mnemonic += static_cast<char>(std::tolower(static_cast<unsigned char>(rest[i])));
    const std::string operands = trim(rest.substr(end));
    if (operands.empty()) return "";
    size_t start = 0;
    for (size_t i = 0; i <= operands.size(); i++)
        if (i == operands.size() || operands[i] == ',') {
            line.operands.push_back(trim(operands.substr(start, i - start)));
            start = i + 1;
        }
    return "";
}

// A number: decimal or 0x hexadecimal, with an optional leading '-'.
bool parseNumber(const std::string& s, long& value) {
    if (s.empty()) return false;
    size_t i = s[0] == '-' ? 1 : 0;
    if (i == s.size()) return false;
    int base = 10;
    if (s.size() > i + 2 && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    long v = 0;
    for (; i < s.size(); i++) {
        const int c = std::tolower(static_cast<unsigned char>(s[i]));
        int digit = std::isdigit(c) ? c - '0' : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        v = v * base + digit;
        if (v > 0xFFFFFF) return false;
    }
    value = s[0] == '-' ? -v : v;
    return true;
}

// The assembler's state across the lines of one pass.
struct Assembler {
    std::map<std::string, int> labels;      // name -> address
    std::map<std::string, int> labelLines;  // name -> line defined
    int errorLine = 0;                      // earliest fault so far, 0 = none
    std::string error;

    void fault(int lineNumber, const std::string& message) {
        if (errorLine == 0 || lineNumber < errorLine) {
            errorLine = lineNumber;
            error = message;
        }
    }
};

// Parses register name `s` into r; otherwise returns the message.
std::string parseRegister(const std::string& s, int& r) {
    if (s.size() >= 2 && (s[0] == 'r' || s[0] == 'R')) {
        long n;
        if (parseNumber(s.substr(1), n) && s[1] != '-') {
            if (n >= 0 && n <= 7 && s.size() == 2) {
                r = static_cast<int>(n);
                return "";
            }
            return "unknown register " + s;
        }
    }
    if (s.empty()) return "missing register";
    return "expected a register, found '" + s + "'";
}

// A 3-bit immediate, -4..3.
std::string parseImmediate(const std::string& s, int& k) {
    long n;
    if (!parseNumber(s, n)) return "bad number '" + s + "'";
    if (n < -4 || n > 3) return "immediate " + s + " out of range -4..3";
    k = static_cast<int>(n);
    return "";
}

// The second ALU or address operand: a register, or an immediate number.
std::string parseSecond(const std::string& s, int& value, bool& immediate) {
    immediate = !s.empty() && (s[0] == '-' || std::isdigit(static_cast<unsigned char>(s[0])));
    return immediate ? parseImmediate(s, value) : parseRegister(s, value);
}

// "[rs1 op x]" or "[rs1]": the function of op, the register, the operand.
std::string parseAddress(const std::string& s, int& fn, int& s1, int& s2, bool& immediate) {
    if (s.size() < 2 || s.front() != '[' || s.back() != ']')
        return "expected an address [rs1 + rs2] or [rs1 + k], found '" + s + "'";
    const std::string inside = trim(s.substr(1, s.size() - 2));
    size_t op = inside.find_first_of("+-&|", 1);
    if (op == std::string::npos) {
        fn = ADD;
        s2 = 0;
        immediate = false;
        return parseRegister(inside, s1);
    }
    fn = static_cast<int>(std::string("+-&|").find(inside[op]));
    std::string message = parseRegister(trim(inside.substr(0, op)), s1);
    if (!message.empty()) return message;
    return parseSecond(trim(inside.substr(op + 1)), s2, immediate);
}

// Encodes one instruction line at `address`; returns the message of a fault.
std::string encode(const Line& line, int address, const Assembler& as, int& word) {
    std::string m = line.mnemonic;
    const std::vector<std::string>& ops = line.operands;
    bool flags = false;
    if (m.size() > 2 && m.compare(m.size() - 2, 2, ".f") == 0) {
        flags = true;
        m.resize(m.size() - 2);
    }
    auto count = [&](size_t n) -> std::string {
        if (ops.size() == n) return "";
        return line.mnemonic + " takes " + std::to_string(n) + " operand" + (n == 1 ? "" : "s") + ", found " +
               std::to_string(ops.size());
    };
    std::string message;
    for (int fn = 0; fn < 4; fn++)
        if (m == aluNames[fn]) {
            if (!(message = count(3)).empty()) return message;
            int d = 0, s1 = 0, s2 = 0;
            bool immediate = false;
            if (!(message = parseRegister(ops[0], d)).empty() || !(message = parseRegister(ops[1], s1)).empty() ||
                !(message = parseSecond(ops[2], s2, immediate)).empty())
                return message;
            word = immediate ? aluImmediateWord(fn, d, s1, s2, flags) : aluWord(fn, d, s1, s2, flags);
            return "";
        }
    if (m == "setlo" || m == "sethi") {
        if (!(message = count(2)).empty()) return message;
        int d = 0;
        long c;
        if (!(message = parseRegister(ops[0], d)).empty()) return message;
        if (!parseNumber(ops[1], c)) return "bad number '" + ops[1] + "'";
        if (c < 0 || c > 255) return "constant " + ops[1] + " out of range 0..255";
        word = m == "setlo" ? setloWord(d, static_cast<int>(c), flags) : sethiWord(d, static_cast<int>(c), flags);
        return "";
    }
    if (flags) return "unknown instruction " + line.mnemonic;
    if (m == "ld" || m == "st") {
        if (!(message = count(2)).empty()) return message;
        int r = 0, fn = 0, s1 = 0, s2 = 0;
        bool immediate = false;
        if (!(message = parseRegister(ops[0], r)).empty() ||
            !(message = parseAddress(ops[1], fn, s1, s2, immediate)).empty())
            return message;
        word = (m == "ld" ? LOAD_CLASS : STORE_CLASS) << 14 |
               (immediate ? aluImmediateWord(fn, r, s1, s2) : aluWord(fn, r, s1, s2));
        return "";
    }
    for (int cond = 0; cond < 8; cond++)
        if (m == branchNames[cond]) {
            if (!(message = count(1)).empty()) return message;
            const std::string& t = ops[0];
            long disp;
            if (t == ".") {
                disp = 0;
            } else if (t.size() > 2 && t[0] == '.' && (t[1] == '+' || t[1] == '-')) {
                if (!parseNumber(t.substr(2), disp) || t[2] == '-') return "bad branch target '" + t + "'";
                if (t[1] == '-') disp = -disp;
            } else {
                long target;
                if (isName(t)) {
                    auto l = as.labels.find(t);
                    if (l == as.labels.end()) return "undefined label " + t;
                    target = l->second;
                } else if (!parseNumber(t, target) || target < 0 || target > 0xFFFF) {
                    return "bad branch target '" + t + "'";
                }
                // Addresses wrap around at 16 bits, as the PC's arithmetic does.
                disp = ((target - address + 0x8000) & 0xFFFF) - 0x8000;
            }
            if (disp < -1024 || disp > 1023) return "branch target " + t + " out of reach (more than 1024 words away)";
            word = branchWord(cond, static_cast<int>(disp));
            return "";
        }
    if (m == "nop") {
        if (!(message = count(0)).empty()) return message;
        word = NOP_WORD;
        return "";
    }
    if (m == ".word") {
        if (!(message = count(1)).empty()) return message;
        long v;
        if (!parseNumber(ops[0], v)) return "bad number '" + ops[0] + "'";
        if (v < -32768 || v > 0xFFFF) return "word " + ops[0] + " out of range";
        word = static_cast<int>(v & 0xFFFF);
        return "";
    }
    return "unknown instruction " + line.mnemonic;
}

}  // namespace

Assembly assemble(const std::string& text) {
    // The lines, comments removed.
    std::vector<std::string> lines;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string l = text.substr(at, end - at);
        size_t comment = l.find_first_of(";#");
        if (comment != std::string::npos) l.resize(comment);
        lines.push_back(l);
        if (end == text.size()) break;
        at = end + 1;
    }

    Assembler as;
    Assembly result;
    std::vector<Line> parsed(lines.size());
    std::vector<int> addressOf(lines.size(), -1);
    int address = 0;
    for (size_t i = 0; i < lines.size(); i++) {
        const int number = static_cast<int>(i) + 1;
        Line& line = parsed[i];
        std::string message = splitLine(lines[i], line);
        if (!message.empty()) {
            as.fault(number, message);
            continue;
        }
        if (!line.label.empty()) {
            auto seen = as.labelLines.find(line.label);
            if (seen != as.labelLines.end())
                as.fault(number, "label " + line.label + " defined twice (first at line " +
                                     std::to_string(seen->second) + ")");
            as.labels[line.label] = address;
            as.labelLines[line.label] = number;
        }
        if (line.mnemonic.empty()) continue;
        if (line.mnemonic == ".org") {
            long to;
            if (line.operands.size() != 1 || !parseNumber(line.operands[0], to) || to < 0) {
                as.fault(number, ".org takes one address");
            } else if (to < address) {
                as.fault(number, ".org " + line.operands[0] + " goes back (the program is at word " +
                                     std::to_string(address) + ")");
            } else {
                address = static_cast<int>(to > programWords ? programWords + 1 : to);
            }
            continue;
        }
        addressOf[i] = address++;
    }

    std::vector<int> words;
    for (size_t i = 0; i < lines.size(); i++) {
        if (addressOf[i] < 0) continue;
        const int number = static_cast<int>(i) + 1;
        if (addressOf[i] >= programWords) {
            as.fault(number, "program longer than " + std::to_string(programWords) + " words");
            break;
        }
        int word = 0;
        std::string message = encode(parsed[i], addressOf[i], as, word);
        if (!message.empty()) {
            as.fault(number, message);
            continue;
        }
        words.resize(addressOf[i], NOP_WORD);
        words.push_back(word);
    }
    if (as.errorLine) {
        result.errorLine = as.errorLine;
        result.error = as.error;
        return result;
    }
    result.ok = true;
    result.words = words;
    return result;
}

}  // namespace pipeline
