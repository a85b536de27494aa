// The gates over all five values. Every input is a constant wire holding
// one of the values, so each gate settles at once; when a power-on pulse
// rises at 109 a report component prints one row per gate input pair in the
// layout of a truth table (row: first input, column: second input).
#include <cstdio>
#include <string>
#include <vector>

#include "korvax.h"

namespace {

const SignalValue values[] = {ZERO, UNINITIALIZED, XXX, HIZ, ONE};
const char* const shortName[] = {"0", "U", "X", "Z", "1"};

// Prints its data inputs' values, labelled by its decal, when its control
// input becomes ONE.
void report(int c) {
    const PhaseTwo& p2 = *phaseTwo;
    if (phaseThree->currentSignals[p2.controlInputs[c][0]] != ONE || p2.state[c]) return;
    p2.state[c] = 1;
    std::fprintf(stderr, "%-12s", p2.decal[c]);
    for (int p = 0; p < p2.numberOfDataInputs[c]; p++)
        std::fprintf(stderr, " %-13s", signalValueName(phaseThree->currentSignals[p2.dataInputs[c][p]]));
    std::fprintf(stderr, "\n");
}

void Report(const std::string& label, const Signal& in, const Signal& sample) {
    addStandardComponent(report, nullptr, label.c_str(), SD("zz"), in, sample, Signal(0, "UnNamed"));
}

std::vector<Signal> constants() {
    std::vector<Signal> v;
    for (int i = 0; i < 5; i++) v.emplace_back(1, values[i], 1, shortName[i]);
    return v;
}

// A table of a two-input gate: for each first input, one row of five.
template <typename Gate>
void table(const char* name, const std::vector<Signal>& k, const Signal& sample, Gate gate) {
    for (int a = 0; a < 5; a++) {
        Signal row(5, "row");
        for (int b = 0; b < 5; b++) gate((k[a], k[b]), row[4 - b]);
        // row[4] holds column 0: reverse so that the report reads left to right.
        Report(std::string(name) + "(" + shortName[a] + ",*)", (row[0], row[1], row[2], row[3], row[4]), sample);
    }
}

// One-input (or fixed-input) cases: one row over the five values.
template <typename Gate>
void row(const char* name, const std::vector<Signal>& k, const Signal& sample, Gate gate) {
    Signal out(5, "out");
    for (int a = 0; a < 5; a++) gate(k[a], out[4 - a]);
    Report(name, (out[0], out[1], out[2], out[3], out[4]), sample);
}

}  // namespace

void simnet() {
    std::vector<Signal> k = constants();
    Signal sample(1, "sample");
    PowerOn(SD("za"), sample, 100, Zero);
    SD at("aa");

    std::fprintf(stderr, "%-12s %-13s %-13s %-13s %-13s %-13s\n", "", "ZERO", "UNINITIALIZED", "XXX", "HIZ", "ONE");
    table("And", k, sample, [&](const Signal& in, const Signal& out) { And(at, in, out); });
    table("Or", k, sample, [&](const Signal& in, const Signal& out) { Or(at, in, out); });
    table("Nand", k, sample, [&](const Signal& in, const Signal& out) { Nand(at, in, out); });
    table("Nor", k, sample, [&](const Signal& in, const Signal& out) { Nor(at, in, out); });
    table("Xor", k, sample, [&](const Signal& in, const Signal& out) { Xor(at, in, out); });
    table("Xnor", k, sample, [&](const Signal& in, const Signal& out) { Xnor(at, in, out); });
    table("mLevCmp", k, sample, [&](const Signal& in, const Signal& out) { MultiLevelCompare(at, in, out); });
    // Mixed polarity: the first input is the true one, the second complemented.
    table("Iand", k, sample, [&](const Signal& in, const Signal& out) { Iand(at, in[1], in[0], out); });
    table("Inand", k, sample, [&](const Signal& in, const Signal& out) { Inand(at, in[1], in[0], out); });
    table("CiOr", k, sample, [&](const Signal& in, const Signal& out) { CiOr(at, in[1], in[0], out); });
    table("CiNor", k, sample, [&](const Signal& in, const Signal& out) { CiNor(at, in[1], in[0], out); });
    // Tri-state buffer: the first input is the control, the second the data.
    table("Tsb", k, sample, [&](const Signal& in, const Signal& out) { Tsb(at, in[0], in[1], out); });
    row("Not", k, sample, [&](const Signal& in, const Signal& out) { Not(at, in, out); });
    row("Xor(1,*,1)", k, sample, [&](const Signal& in, const Signal& out) { Xor(at, (k[4], in, k[4]), out); });
    row("And()", k, sample, [&](const Signal&, const Signal& out) { And(at, Signal(0, "UnNamed"), out); });
    row("Or()", k, sample, [&](const Signal&, const Signal& out) { Or(at, Signal(0, "UnNamed"), out); });
}
