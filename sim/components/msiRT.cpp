// Evaluators of the medium-scale library.
//
// Each reads its inputs from phaseThree->currentSignals at the serial numbers
// its component registered, keeps its edge detection in its word of
// phaseTwo->state, and changes outputs only through signalTransition with
// this unit's delays. None keeps a copy of a stored value: the registers and
// the counter hold their contents in their output wires. Where a set of
// outputs is restated, requests go in ascending position, position 0 first,
// since the order of requests fixes the order of equal-time events.
//
// The text outputs write on standard error, which C leaves unbuffered, so
// every piece appears at once and interleaves correctly with the other
// diagnostics.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "RTSigSup.h"
#include "components/msi.h"

namespace {

const int quickTime = 13;
const int lazyTime = 17;

const char* const counterInTransitionMessage = "Counter clocked when the count is in transition\n";
// Written instead of a value that has unknown bits; %s names the component
// kind, %d is its state word.
const char* const textOutputErrorReport =
    "\nERROR -- %s component trying to output uninitialized bits \n or bits in transition. state = %d\n";

inline bool known(SignalValue v) { return v == ZERO || v == ONE; }

inline void request(int wire, SignalValue v) { phaseFour->signalTransition(wire, v, quickTime, lazyTime); }

inline void requestAll(int count, const int* wires, SignalValue v) {
    for (int i = 0; i < count; i++) request(wires[i], v);
}

// The strobe machine shared by the three text outputs. Returns true when
// this evaluation is a write: the strobe seen ONE with enable ONE in state
// 2, the armed state reached once the enable has been known.
bool strobeEdge(int& st, SignalValue strobe, SignalValue enable) {
    switch (st) {
    case 0:
        st = 1;
        [[fallthrough]];
    case 1:
        if (known(enable)) st = 2;
        return false;
    case 2:
        if (strobe == ONE) {
            st = enable == ONE ? 4 : 3;
            return st == 4;
        }
        return false;
    default:  // 3, 4: waiting for the strobe to fall
        if (strobe == ZERO) st = 2;
        return false;
    }
}

void textOutputError(const char* kind, int cind) {
    std::fprintf(stderr, textOutputErrorReport, kind, phaseTwo->state[cind]);
}

// Writes the unsigned number on the n known wires `data` (position 0 least
// significant) in decimal with a line end, exactly for any width. The
// values and the text keep their storage between calls, so only a wider bus
// than any before allocates.
void writeDecimal(int n, const int* data, const SignalValue* cur) {
    static std::vector<SignalValue> values;
    static std::string text;
    values.resize(n);
    for (int i = 0; i < n; i++) values[i] = cur[data[i]];
    decimalText(n, values.data(), text);
    std::fputs(text.c_str(), stderr);
    std::fputc('\n', stderr);
}

// Control codes as ^ and the code + 64; code 10 alone is a line end here.
void writeSevenBitCharacter(int c) {
    if (c < 32) {
        std::fputc('^', stderr);
        std::fputc(c + 64, stderr);
    } else {
        std::fputc(c, stderr);
    }
}

// Counts the output bus up by one; false (after the message) when a bit on
// the way is not a clean ZERO or ONE. Requests made for lower bits stand.
bool countUp(int n, const int* out) {
    const SignalValue* cur = phaseThree->currentSignals;
    for (int i = 0; i < n; i++) {
        const SignalValue v = cur[out[i]];
        if (v == ONE) {
            request(out[i], ZERO);
        } else if (v == ZERO) {
            request(out[i], ONE);
            return true;
        } else {
            std::fputs(counterInTransitionMessage, stderr);
            return false;
        }
    }
    return true;
}

}  // namespace

void adder(int cind) {
    const int w = phaseTwo->integerParameters[cind][0];
    const int* in = phaseTwo->dataInputs[cind];
    const int* out = phaseTwo->outputs[cind];
    const SignalValue* cur = phaseThree->currentSignals;
    SignalValue carry = ZERO;
    for (int i = 0; i < w; i++) {
        const SignalValue a = cur[in[i]], b = cur[in[w + i]];
        const int ones = (a == ONE) + (b == ONE) + (carry == ONE);
        const int zeros = (a == ZERO) + (b == ZERO) + (carry == ZERO);
        const SignalValue sum = ones + zeros < 3 ? XXX : (ones & 1) ? ONE : ZERO;
        // The carry is a majority: two agreeing known bits decide it.
        carry = ones >= 2 ? ONE : zeros >= 2 ? ZERO : XXX;
        request(out[i], sum);
    }
}

void increment(int cind) {
    const int n = phaseTwo->numberOfOutputs[cind];
    const int* in = phaseTwo->dataInputs[cind];
    const int* out = phaseTwo->outputs[cind];
    const SignalValue* cur = phaseThree->currentSignals;
    bool carry = true;
    for (int i = 0; i < n; i++) {
        const SignalValue v = cur[in[i]];
        SignalValue r = v;
        if (carry) {
            if (v == ONE) {
                r = ZERO;
            } else if (v == ZERO) {
                r = ONE;
                carry = false;
            } else {
                // The carry goes on as if the bit had been ONE.
                r = XXX;
            }
        }
        request(out[i], r);
    }
}

void mux(int cind) {
    const int w = phaseTwo->numberOfOutputs[cind];
    const int* data = phaseTwo->dataInputs[cind];
    const int* out = phaseTwo->outputs[cind];
    const SignalValue* cur = phaseThree->currentSignals;
    const int s = integerFromSignals(phaseTwo->numberOfControlInputs[cind], phaseTwo->controlInputs[cind]);
    for (int i = 0; i < w; i++) request(out[i], s == -1 ? XXX : cur[data[s * w + i]]);
}

void decoder(int cind) {
    const int n = phaseTwo->numberOfOutputs[cind];
    const int* out = phaseTwo->outputs[cind];
    const SignalValue e = phaseThree->currentSignals[phaseTwo->controlInputs[cind][0]];
    const int s = e == ONE ? integerFromSignals(phaseTwo->numberOfDataInputs[cind], phaseTwo->dataInputs[cind]) : -1;
    for (int v = 0; v < n; v++) {
        SignalValue r = XXX;
        if (e == ZERO)
            r = ZERO;
        else if (e == ONE && s != -1)
            r = v == s ? ONE : ZERO;
        request(out[v], r);
    }
}

void encoder(int cind) {
    const int n = phaseTwo->numberOfDataInputs[cind];
    const int* in = phaseTwo->dataInputs[cind];
    const int outputs = phaseTwo->numberOfOutputs[cind];
    const int* out = phaseTwo->outputs[cind];
    const int k = outputs - 1;  // code bits; out[k] is valid
    const SignalValue* cur = phaseThree->currentSignals;
    int found = -1;
    bool unknown = false;
    // Every input is looked at: an unknown one below the winner counts too.
    for (int p = n - 1; p >= 0; p--) {
        const SignalValue v = cur[in[p]];
        if (!known(v))
            unknown = true;
        else if (v == ONE && found < 0)
            found = p;
    }
    if (unknown) {
        requestAll(outputs, out, XXX);
    } else if (found < 0) {
        requestAll(outputs, out, ZERO);
    } else {
        request(out[k], ONE);
        for (int j = 0; j < k; j++) request(out[j], (found >> j) & 1 ? ONE : ZERO);
    }
}

void gate(int cind) {
    const int* in = phaseTwo->dataInputs[cind];
    const SignalValue clock = phaseThree->currentSignals[in[0]];
    const SignalValue enable = phaseThree->currentSignals[in[1]];
    int& st = phaseTwo->state[cind];
    bool chosen = false;
    SignalValue v = UNINITIALIZED;
    switch (st) {
    case 0:
        v = UNINITIALIZED;
        chosen = true;
        st = 1;
        [[fallthrough]];
    case 1:
        if (!known(enable)) break;
        v = ZERO;
        chosen = true;
        st = 2;
        [[fallthrough]];
    case 2:
        if (clock == ONE) {
            if (enable == ONE) {
                v = ONE;
                chosen = true;
                st = 4;
            } else {
                st = 3;
            }
        }
        break;
    case 3:
        if (clock == ZERO) st = 2;
        break;
    case 4:
        if (clock == ZERO) {
            v = ZERO;
            chosen = true;
            st = 2;
        }
        break;
    }
    if (chosen) request(phaseTwo->outputs[cind][0], v);
}

void counter(int cind) {
    const int* in = phaseTwo->dataInputs[cind];
    const int n = phaseTwo->numberOfOutputs[cind];
    const int* out = phaseTwo->outputs[cind];
    const SignalValue clock = phaseThree->currentSignals[in[0]];
    const SignalValue clear = phaseThree->currentSignals[in[1]];
    int& st = phaseTwo->state[cind];
    switch (st) {
    case 0:
        if (clear == ZERO) {
            requestAll(n, out, ZERO);
            st = 1;
        }
        break;
    case 1:
        if (clear == ONE) st = 2;
        break;
    case 2:
        if (clear == ZERO) {
            requestAll(n, out, ZERO);
            st = 1;
        } else if (clock == ONE) {
            st = 3;
        }
        break;
    case 3:
        if (clear == ZERO) {
            requestAll(n, out, ZERO);
            st = 1;
        } else if (clock == ZERO) {
            st = countUp(n, out) ? 2 : 0;
        }
        break;
    }
}

void dff(int cind) {
    const int q = phaseTwo->outputs[cind][0];
    int& st = phaseTwo->state[cind];
    if (st == 0) {
        request(q, XXX);
        st = 1;
        return;
    }
    const int* in = phaseTwo->dataInputs[cind];
    const SignalValue* cur = phaseThree->currentSignals;
    const SignalValue clear = cur[in[0]], clock = cur[in[1]], d = cur[in[2]], set = cur[in[3]];
    if (clear == ZERO && set == ZERO) {
        if (st == 1) {
            if (clock == ZERO) st = 2;
        } else if (st == 2 && clock == ONE) {
            request(q, d);
            st = 1;
        }
    } else if (clear == ZERO && set == ONE) {
        request(q, ONE);
        st = 1;
    } else if (clear == ONE && set == ZERO) {
        request(q, ZERO);
        st = 1;
    }
    // Any other combination freezes the flip-flop.
}

void jkff(int cind) {
    const int* out = phaseTwo->outputs[cind];
    int& st = phaseTwo->state[cind];
    if (st == 0) {
        request(out[0], XXX);
        request(out[1], XXX);
        st = 1;
        return;
    }
    const int* in = phaseTwo->dataInputs[cind];
    const SignalValue* cur = phaseThree->currentSignals;
    const SignalValue clear = cur[in[0]], k = cur[in[1]], clock = cur[in[2]], j = cur[in[3]], set = cur[in[4]];
    if (clear == ZERO && set == ZERO) {
        // States 3, 4 and 5 hold the decision taken at the rising edge
        // (reset, set, unknown) until the falling edge carries it out.
        switch (st) {
        case 1:
            if (clock == ZERO) st = 2;
            break;
        case 2:
            if (clock == ONE) {
                if (j == ZERO && k == ONE) {
                    st = 3;
                } else if (j == ONE && k == ZERO) {
                    st = 4;
                } else if (j == ONE && k == ONE) {
                    const SignalValue q = cur[out[1]];
                    st = q == ZERO ? 4 : q == ONE ? 3 : 5;
                } else if (j == ZERO && k == ZERO) {
                    st = 1;
                } else {
                    st = 5;
                }
            }
            break;
        case 3:
        case 4:
        case 5:
            if (clock == ZERO) {
                request(out[0], st == 3 ? ONE : st == 4 ? ZERO : XXX);
                request(out[1], st == 3 ? ZERO : st == 4 ? ONE : XXX);
                st = 2;
            }
            break;
        }
    } else if (clear == ZERO && set == ONE) {
        request(out[0], ZERO);
        request(out[1], ONE);
        st = 1;
    } else if (clear == ONE && set == ZERO) {
        request(out[0], ONE);
        request(out[1], ZERO);
        st = 1;
    }
}

void enabledRegister(int cind) {
    const int* control = phaseTwo->controlInputs[cind];
    const SignalValue write = phaseThree->currentSignals[control[0]];
    const SignalValue enable = phaseThree->currentSignals[control[1]];
    int& st = phaseTwo->state[cind];
    switch (st) {
    case 0:
        st = 1;
        [[fallthrough]];
    case 1:
        if (known(enable)) st = 2;
        break;
    case 2:
        if (write == ONE) {
            if (enable == ONE) {
                const int n = phaseTwo->numberOfOutputs[cind];
                const int* data = phaseTwo->dataInputs[cind];
                const int* out = phaseTwo->outputs[cind];
                for (int i = 0; i < n; i++) request(out[i], phaseThree->currentSignals[data[i]]);
                st = 4;
            } else {
                st = 3;
            }
        }
        break;
    default:  // 3, 4
        if (write == ZERO) st = 2;
        break;
    }
}

void bitAddressibleRegister(int cind) {
    const SignalValue* cur = phaseThree->currentSignals;
    const int* data = phaseTwo->dataInputs[cind];
    const int* control = phaseTwo->controlInputs[cind];
    const int* out = phaseTwo->outputs[cind];
    const int outputs = phaseTwo->numberOfOutputs[cind];
    const int bits = outputs - 1;  // out[bits] is bitOut
    const int n = (phaseTwo->numberOfDataInputs[cind] - 1) / 2;

    const SignalValue b = cur[data[2 * n]];
    const int wa = integerFromSignals(n, data + n);
    const int ra = integerFromSignals(n, data);
    const SignalValue write = cur[control[0]], enable = cur[control[1]], set = cur[control[2]],
                      clear = cur[control[3]];
    const bool clearing = clear == ONE && set == ZERO;
    const bool setting = clear == ZERO && set == ONE;
    const bool allQuiet = clear == ZERO && set == ZERO && write == ZERO;

    enum { none, all, one } action = none;
    SignalValue v = XXX;
    int& st = phaseTwo->state[cind];
    switch (st) {
    case 0:
        action = all;
        v = XXX;
        st = 1;
        break;
    case 1:
    case 3:
        if (clearing || setting) {
            action = all;
            v = clearing ? ZERO : ONE;
            st = 2;
        } else if (st == 1) {
            if (allQuiet) st = 3;
        } else if (enable == ONE && write == ONE) {
            action = one;
            v = b;
            st = 4;
        } else if (write == ONE) {
            st = 4;
        }
        break;
    case 2:
        if (allQuiet) st = 3;
        break;
    case 4:
        if (write == ZERO) {
            st = 3;
        } else if (clearing || setting) {
            action = all;
            v = clearing ? ZERO : ONE;
        }
        break;
    }

    bool wroteRead = false;
    if (action == all) {
        requestAll(outputs, out, v);
    } else if (action == one && wa >= 0) {
        request(out[wa], v);
        wroteRead = wa == ra;
    }
    SignalValue shown = XXX;
    if (ra != -1) shown = action == all || wroteRead ? v : cur[out[ra]];
    request(out[bits], shown);
}

void _stderr(int cind) {
    const int* in = phaseTwo->dataInputs[cind];
    const SignalValue* cur = phaseThree->currentSignals;
    if (!strobeEdge(phaseTwo->state[cind], cur[in[8]], cur[in[9]])) return;
    const int c = integerFromSignals(8, in);
    if (c == -1) {
        textOutputError("Stderr", cind);
    } else if (c == 10) {
        std::fputc('\n', stderr);
    } else if (c < 128) {
        writeSevenBitCharacter(c);
    } else {
        // The top bit is shown as a leading |; a following code 10 is then
        // ^J, not a line end.
        std::fputc('|', stderr);
        writeSevenBitCharacter(c - 128);
    }
}

void intOut(int cind) {
    const int* control = phaseTwo->controlInputs[cind];
    const SignalValue* cur = phaseThree->currentSignals;
    if (!strobeEdge(phaseTwo->state[cind], cur[control[0]], cur[control[1]])) return;
    const int n = phaseTwo->numberOfDataInputs[cind];
    const int* data = phaseTwo->dataInputs[cind];
    for (int i = 0; i < n; i++) {
        if (!known(cur[data[i]])) {
            textOutputError("IntOut", cind);
            return;
        }
    }
    writeDecimal(n, data, cur);
}

void hexOut(int cind) {
    const int* control = phaseTwo->controlInputs[cind];
    const SignalValue* cur = phaseThree->currentSignals;
    if (!strobeEdge(phaseTwo->state[cind], cur[control[0]], cur[control[1]])) return;
    // Digits from the most significant group down: first the r top bits
    // that do not fill a group, then the groups of four.
    const int n = phaseTwo->numberOfDataInputs[cind];
    const int* data = phaseTwo->dataInputs[cind];
    const int r = n % 4;
    for (int lo = n - r, width = r; lo >= 0; width = 4, lo -= 4) {
        if (width == 0) continue;
        const int digit = integerFromSignals(width, data + lo);
        if (digit == -1)
            textOutputError("HexOut", cind);
        else
            std::fprintf(stderr, "%x", digit);
    }
}
