// Fuzz target: the test vectors reader and the check of an expectation,
// against an oracle written here from what the README says an expectation
// means, independently of the reader's own arithmetic.
//
// The first byte chooses the mode. Odd: the rest is the text of a vectors
// file, read as -v reads it. Even: byte 1 gives a bus width (1 … 160),
// the next `width` bytes the wires' values (each byte modulo 5, position 0
// first), and the rest is one VALUE. The oracle's verdict (a fault of the
// value, holds, does not hold) must be the checker's; when the expectation
// does not hold, the value the checker shows as seen must itself hold on
// the same wires. Faults of the file end through the vectors' exit hook,
// which hands control back here.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Vectors.h"

namespace {

struct VectorsExit {};
[[noreturn]] void catchExit(int) { throw VectorsExit{}; }

enum class Verdict { fault, holds, fails };

const std::string letters = "0UXZ1";  // by SignalValue
const char* const names[] = {"ZERO", "UNINITIALIZED", "XXX", "HIZ", "ONE"};

bool allOf(const std::string& s, size_t from, const char* set) {
    return s.find_first_not_of(set, from) == std::string::npos;
}

std::string stripZeros(const std::string& digits) {
    const size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

// The wires (all ZERO or ONE) as a decimal string: schoolbook doubling of a
// string of digits, most significant wire first.
std::string decimalOf(const SignalValue* wires, int width) {
    std::string digits = "0";
    for (int p = width - 1; p >= 0; p--) {
        int carry = wires[p] == ONE;
        for (size_t k = digits.size(); k-- > 0;) {
            const int d = 2 * (digits[k] - '0') + carry;
            digits[k] = static_cast<char>('0' + d % 10);
            carry = d / 10;
        }
        if (carry) digits.insert(digits.begin(), static_cast<char>('0' + carry));
    }
    return stripZeros(digits);
}

// The wires (all ZERO or ONE) as upper-case hex digits without leading zeros.
std::string hexOf(const SignalValue* wires, int width) {
    std::string digits;
    for (int d = (width - 1) / 4; d >= 0; d--) {
        int digit = 0;
        for (int b = 3; b >= 0; b--) digit = 2 * digit + (4 * d + b < width && wires[4 * d + b] == ONE);
        digits += "0123456789ABCDEF"[digit];
    }
    return stripZeros(digits);
}

// How many bits a decimal number needs: repeated halving of its digits.
size_t bitsOfDecimal(std::string digits) {
    size_t bits = 0;
    for (digits = stripZeros(digits); digits != "0"; bits++) {
        std::string half;
        int rest = 0;
        for (char c : digits) {
            const int d = rest * 10 + (c - '0');
            half += static_cast<char>('0' + d / 2);
            rest = d % 2;
        }
        digits = stripZeros(half);
    }
    return bits;
}

size_t bitsOfHex(const std::string& digits) {
    const std::string s = stripZeros(digits);
    int top = std::strtol(s.substr(0, 1).c_str(), nullptr, 16);
    size_t bits = 4 * (s.size() - 1);
    for (; top; top >>= 1) bits++;
    return bits;
}

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

Verdict verdict(bool holds) { return holds ? Verdict::holds : Verdict::fails; }

Verdict oracle(const std::string& v, const SignalValue* wires, int width) {
    bool known = true;
    for (int p = 0; p < width; p++) known = known && (wires[p] == ZERO || wires[p] == ONE);
    for (int level = ZERO; level <= ONE; level++) {
        if (v == names[level]) {
            bool all = true;
            for (int p = 0; p < width; p++) all = all && wires[p] == level;
            return verdict(all);
        }
    }
    if (v.size() == 1 && letters.find(v[0]) != std::string::npos) {
        if (width == 1) return verdict(letters[wires[0]] == v[0]);
        if (v != "0" && v != "1") return Verdict::fault;
        return verdict(known && decimalOf(wires, width) == v);
    }
    if (v.size() > 2 && v.compare(0, 2, "0b") == 0) {
        if (!allOf(v, 2, "01XZU") || static_cast<int>(v.size()) - 2 != width) return Verdict::fault;
        bool all = true;
        for (int p = 0; p < width; p++) all = all && letters[wires[p]] == v[v.size() - 1 - p];
        return verdict(all);
    }
    if (v.size() > 2 && v.compare(0, 2, "0x") == 0 && allOf(v, 2, "0123456789abcdefABCDEF")) {
        if (bitsOfHex(v.substr(2)) > static_cast<size_t>(width)) return Verdict::fault;
        return verdict(known && hexOf(wires, width) == stripZeros(upper(v.substr(2))));
    }
    if (!v.empty() && allOf(v, 0, "0123456789")) {
        if (bitsOfDecimal(v) > static_cast<size_t>(width)) return Verdict::fault;
        return verdict(known && decimalOf(wires, width) == stripZeros(v));
    }
    return Verdict::fault;
}

// The checker's verdict, and what it showed as seen.
Verdict checker(const std::string& v, const SignalValue* wires, int width, std::string& seen) {
    try {
        return verdict(expectationHolds("w", v, wires, width, seen));
    } catch (const VectorsExit&) {
        return Verdict::fault;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vectorsExit = catchExit;
    if (size < 1) return 0;
    if (data[0] & 1) {
        try {
            parseTestVectors(std::string(reinterpret_cast<const char*>(data) + 1, size - 1), "fuzz.vec");
        } catch (const VectorsExit&) {
        }
        return 0;
    }
    if (size < 2) return 0;
    const int width = 1 + data[1] % 160;
    if (size < 2 + static_cast<size_t>(width)) return 0;
    std::vector<SignalValue> wires(width);
    for (int p = 0; p < width; p++) wires[p] = static_cast<SignalValue>(data[2 + p] % 5);
    const std::string value(reinterpret_cast<const char*>(data) + 2 + width, size - 2 - width);
    if (value.size() > 400) return 0;  // long numbers add nothing but time

    std::string seen;
    const Verdict expected = oracle(value, wires.data(), width);
    const Verdict got = checker(value, wires.data(), width, seen);
    if (got != expected) std::abort();
    if (got == Verdict::fails) {
        std::string again;
        if (checker(seen, wires.data(), width, again) != Verdict::holds) std::abort();
    }
    return 0;
}
