// What a student sees of the processor beyond its probes: its watches (PC,
// the instruction in each stage, the registers, the flags) and, with -P,
// the pipeline chart printed at the end of the run.
//
// The chart follows each fetched instruction through the stages with a
// shadow of the pipeline kept at the samples of the watches. A clock cycle
// begins when reset is released or the clock falls (the stage latches load
// as it falls; the fetch happens while it is high); with -e clock every
// sample is a rising edge and begins a cycle. At the start of a cycle each
// instruction moves on one stage, except where the stage it is in was
// stalled in the cycle before: it stays, and its successor stage gets a
// bubble. A stalled stage is drawn "s". MEM and WB carry no address in the
// circuit, so their watches take the address from the shadow.
#include <cstdio>
#include <string>
#include <vector>

#include "isa.h"
#include "pipeline.h"

namespace pipeline {

namespace {

enum Stage { IF_STAGE, ID_STAGE, EX_STAGE, MEM_STAGE, WB_STAGE, STAGES };
const char stageLetters[STAGES + 1] = "FDEMW";

// One instruction fetched: its address, its word once known, and its
// stage letter per cycle from the first it was in a stage (' ' where it
// was in none), so that a row costs its own cycles, not the run's.
struct Row {
    int address;
    int word;           // -1 until it enters ID (or for a fetch from unwritten RAM)
    std::string cells;  // cells[i]: cycle first + i
    int first;          // the cycle (from 0) of cells[0]; -1 before any
};

// The shadow of the pipeline and the chart so far.
struct Chart {
    std::vector<int> reset, clock, PC, IR_ID, stall[4];  // wires
    const unsigned char* rom = nullptr;
    int slot[STAGES] = {-1, -1, -1, -1, -1};  // row in each stage, -1 a bubble
    bool stalled[4] = {};                     // IF, ID, EX, MEM in the cycle so far
    std::vector<Row> rows;
    int cycles = 0;
    bool inReset = true;
    SignalValue lastClock = UNINITIALIZED;
};
Chart chart;

// A bus's value; -1 when a wire is not ZERO or ONE.
long valueOf(const std::vector<int>& wires) {
    long v = 0;
    for (size_t b = 0; b < wires.size(); b++) {
        const SignalValue s = phaseThree->currentSignals[wires[b]];
        if (s != ZERO && s != ONE) return -1;
        if (s == ONE) v |= 1l << b;
    }
    return v;
}

std::vector<int> wiresOf(const Signal& bus) { return std::vector<int>(bus.serialNumber, bus.serialNumber + bus.length); }

// The ROM's word at `address`, or -1 for a RAM address.
int romWord(long address) {
    if (address < 0 || address & 64 || !chart.rom) return -1;
    const int a = static_cast<int>(address & 63);
    return chart.rom[2 * a] << 8 | chart.rom[2 * a + 1];
}

void newRow(long address) {
    chart.rows.push_back({static_cast<int>(address), romWord(address), std::string(), -1});
    chart.slot[IF_STAGE] = static_cast<int>(chart.rows.size()) - 1;
}

// Moves the shadow on by one cycle, from the stalls of the cycle before.
void nextCycle() {
    int* s = chart.slot;
    const bool* st = chart.stalled;
    const int before[STAGES] = {s[0], s[1], s[2], s[3], s[4]};
    s[WB_STAGE] = st[MEM_STAGE] ? -1 : before[MEM_STAGE];
    for (int k = MEM_STAGE; k >= ID_STAGE; k--)
        s[k] = st[k] ? before[k] : st[k - 1] ? -1 : before[k - 1];
    if (!st[IF_STAGE]) {
        newRow(valueOf(chart.PC));
        // The word that entered ID is the one fetched.
        if (s[ID_STAGE] >= 0) chart.rows[s[ID_STAGE]].word = static_cast<int>(valueOf(chart.IR_ID));
    }
}

void sample(bool edge) {
    const long reset = valueOf(chart.reset);
    const SignalValue clock = phaseThree->currentSignals[chart.clock[0]];
    if (reset != 0) {
        for (int& s : chart.slot) s = -1;
        chart.inReset = true;
        chart.lastClock = clock;
        return;
    }
    const bool begins = chart.inReset || edge || (chart.lastClock == ONE && clock == ZERO);
    chart.lastClock = clock;
    if (!begins) return;
    if (chart.inReset) {
        for (int& s : chart.slot) s = -1;
        newRow(valueOf(chart.PC));
        chart.inReset = false;
    } else {
        nextCycle();
    }
    chart.cycles++;
    for (int k = 0; k < 4; k++) chart.stalled[k] = valueOf(chart.stall[k]) == 1;
    for (int k = 0; k < STAGES; k++) {
        if (chart.slot[k] < 0) continue;
        Row& r = chart.rows[chart.slot[k]];
        if (r.first < 0) r.first = chart.cycles - 1;
        r.cells.resize(static_cast<size_t>(chart.cycles - r.first), ' ');
        r.cells.back() = k < 4 && chart.stalled[k] ? 's' : stageLetters[k];
    }
}

std::string hex4(long v) {
    char text[8];
    std::snprintf(text, sizeof text, "%04lX", v & 0xFFFF);
    return text;
}

std::string rowText(const Row& r) {
    return hex4(r.address) + "  " + (r.word >= 0 ? disassemble(r.word, r.address) : "?");
}

void printChart() {
    if (chart.cycles == 0) return;
    std::fprintf(stderr, "Pipeline chart: %d cycles, one row per instruction fetched (s: stalled)\n", chart.cycles);
    const int labelWidth = 26;
    std::string header(labelWidth, ' ');
    for (int c = 1; c <= chart.cycles; c++) {
        char n[16];
        std::snprintf(n, sizeof n, "%3d", c);
        header += n;
    }
    std::fprintf(stderr, "%s\n", header.c_str());
    for (const Row& r : chart.rows) {
        std::string line = rowText(r);
        line.resize(labelWidth, ' ');
        for (int c = 0; c < r.first; c++) line += "   ";
        for (char c : r.cells) line += std::string("  ") + c;
        while (!line.empty() && line.back() == ' ') line.pop_back();
        std::fprintf(stderr, "%s\n", line.c_str());
    }
}

// ---- The stage watches ----

// The text the stage formatters return (the watch copies it at once).
std::string shown;

// A stage's text from the shadow: its address and instruction (with the
// word the circuit holds, when it has one), or the bubble.
const char* stageText(int stage, long word) {
    const int r = chart.slot[stage];
    if (r < 0 || chart.inReset) {
        shown = "bubble";
    } else {
        const Row& row = chart.rows[r];
        shown = hex4(row.address) + " " + disassemble(static_cast<int>(word), row.address);
        if (stage < 4 && chart.stalled[stage]) shown += " (stalled)";
    }
    return shown.c_str();
}

// IF: (stallIF, PC), the word from the ROM.
const char* ifText(unsigned long v) {
    const long pc = static_cast<long>(v & 0xFFFF);
    const int w = romWord(pc);
    shown = hex4(pc) + " " + (w >= 0 ? disassemble(w, static_cast<int>(pc)) : "(RAM)");
    if (v >> 16 & 1) shown += " (stalled)";
    return shown.c_str();
}
// ID and EX: (address, IR); the bubble from the shadow.
const char* idText(unsigned long v) {
    if (chart.slot[ID_STAGE] < 0) return "bubble";
    shown = hex4(static_cast<long>(v >> 16)) + " " + disassemble(static_cast<int>(v & 0xFFFF), static_cast<int>(v >> 16));
    return shown.c_str();
}
const char* exText(unsigned long v) {
    if (chart.slot[EX_STAGE] < 0) return "bubble";
    shown = hex4(static_cast<long>(v >> 16)) + " " + disassemble(static_cast<int>(v & 0xFFFF), static_cast<int>(v >> 16));
    return shown.c_str();
}
// MEM and WB: IR, the address from the shadow.
const char* memText(unsigned long v) { return stageText(MEM_STAGE, static_cast<long>(v)); }
const char* wbText(unsigned long v) { return stageText(WB_STAGE, static_cast<long>(v)); }

}  // namespace

void ProcessorWatches(const Signal& reset, const Signal& clock, const Signal& PC, const Signal& PCtmp,
                      const Signal& IR_ID, const Signal& PC1, const Signal& IR_EX, const Signal& IR_MEM,
                      const Signal& IR_WB, const Signal* const registers[8], const Signal& N, const Signal& Z,
                      const Signal& stallIF, const Signal& stallID, const Signal& stallEX, const Signal& stallMEM,
                      const unsigned char* rom) {
    Watch("PC", PC);
    Watch("IF", (stallIF, PC), ifText);
    Watch("ID", (PCtmp, IR_ID), idText);
    Watch("EX", (PC1, IR_EX), exText);
    Watch("MEM", IR_MEM, memText);
    Watch("WB", IR_WB, wbText);
    for (int r = 0; r < 8; r++) Watch(("Reg" + std::to_string(r)).c_str(), *registers[r]);
    Watch("N", N, WATCH_BINARY);
    Watch("Z", Z, WATCH_BINARY);

    chart.reset = wiresOf(reset);
    chart.clock = wiresOf(clock);
    chart.PC = wiresOf(PC);
    chart.IR_ID = wiresOf(IR_ID);
    chart.stall[0] = wiresOf(stallIF);
    chart.stall[1] = wiresOf(stallID);
    chart.stall[2] = wiresOf(stallEX);
    chart.stall[3] = wiresOf(stallMEM);
    chart.rom = rom;
    addWatchSampler(sample);
    addWatchFinisher(printChart);
}

}  // namespace pipeline
