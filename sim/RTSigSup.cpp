// Run-time signal helpers: complement, bus to number, two-bit packing.
#include "RTSigSup.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "Ph3.h"

namespace {

// Two-bit storage code of each value, indexed by SignalValue. HIZ takes
// the code of XXX: a stored HIZ reads back as XXX and never spills into the
// neighbouring field.
const unsigned int packCode[5] = {1, 0, 3, 3, 2};
// The value each code reads back as.
const SignalValue unpackValue[4] = {UNINITIALIZED, ZERO, ONE, XXX};

}  // namespace

SignalValue complement(SignalValue sv) {
    switch (sv) {
    case ZERO: return ONE;
    case ONE: return ZERO;
    case UNINITIALIZED: return XXX;
    case XXX: return UNINITIALIZED;
    case HIZ: break;
    }
    return HIZ;
}

int integerFromSignals(int numberOfBits, const int* inputs) {
    if (numberOfBits > 32) return -1;
    const SignalValue* current = phaseThree->currentSignals;
    unsigned int result = 0;
    for (int i = 0; i < numberOfBits; i++) {
        SignalValue v = current[inputs[i]];
        if (v == ONE)
            result |= 1u << i;
        else if (v != ZERO)
            return -1;
    }
    return static_cast<int>(result);
}

void packSignals(int numberOfSignals, const int* inputs, unsigned int* packed32BitFileWordStart) {
    const SignalValue* current = phaseThree->currentSignals;
    const int words = (numberOfSignals - 1) / 16 + 1;
    for (int w = 0; w < words; w++) packed32BitFileWordStart[w] = 0;
    for (int i = 0; i < numberOfSignals; i++) {
        const unsigned int v = static_cast<unsigned int>(current[inputs[i]]);
        const unsigned int code = v <= ONE ? packCode[v] : packCode[XXX];
        packed32BitFileWordStart[i / 16] |= code << (2 * (i % 16));
    }
}

void unpackSignals(int numberOfSignals, const unsigned int* packed32BitFileWordStart, SignalValue* sigVals) {
    for (int i = 0; i < numberOfSignals; i++)
        sigVals[i] = unpackValue[(packed32BitFileWordStart[i / 16] >> (2 * (i % 16))) & 3];
}

void decimalText(int n, const SignalValue* values, std::string& text) {
    const std::uint32_t limbBase = 1000000000;
    static std::vector<std::uint32_t> limbs;  // least significant first
    limbs.assign(1, 0);
    for (int i = n - 1; i >= 0; i--) {
        std::uint32_t carry = values[i] == ONE;
        for (std::uint32_t& limb : limbs) {
            const std::uint64_t doubled = 2 * static_cast<std::uint64_t>(limb) + carry;
            limb = static_cast<std::uint32_t>(doubled % limbBase);
            carry = static_cast<std::uint32_t>(doubled / limbBase);
        }
        if (carry) limbs.push_back(carry);
    }
    char digits[16];
    std::snprintf(digits, sizeof digits, "%" PRIu32, limbs.back());
    text = digits;
    for (size_t k = limbs.size() - 1; k-- > 0;) {
        std::snprintf(digits, sizeof digits, "%09" PRIu32, limbs[k]);
        text += digits;
    }
}
