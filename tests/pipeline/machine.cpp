// The word-level processor model (see machine.h).
#include "machine.h"

namespace machine {

namespace {

using pipeline::destOf;
using pipeline::isBranch;
using pipeline::isLoad;
using pipeline::isStore;

// The ALU on values that may be unknown (-1): an unknown operand makes the
// result unknown, except that sethi reads only the second.
int operate(int op, int a, int b) {
    if (b < 0 || (a < 0 && op < 6)) return -1;
    return pipeline::aluResult(op, a < 0 ? 0 : a, b);
}

}  // namespace

Machine::Machine(const std::vector<int>& program) {
    for (size_t i = 0; i < program.size() && i < 64; i++) rom[i] = program[i] & 0xFFFF;
    for (int& w : ram) w = -1;
}

void Machine::clear() {
    PC = PCtmp = IR_ID = PC1 = A = B = IR1 = D = IR_EX = ALUo = DMAR = SMDR = IR_MEM = ALUo1 = LMDR = IR_WB = 0;
    N = Z = 0;
    for (int& r : reg) r = 0;
}

int Machine::read(int address) const {
    if (address < 0) return -1;
    return address & 64 ? ram[address & 63] : rom[address & 63];
}

int Machine::execute() const {
    int w = IR_EX;
    bool hilo = pipeline::isSetlo(w) || pipeline::isSethi(w);
    int a = isBranch(w) ? PC1 : pipeline::isSetlo(w) ? D : A;
    int b = isBranch(w) || hilo || pipeline::isImmediate(w) ? IR1 : B;
    return operate(isBranch(w) ? 0 : pipeline::functionOf(w), a, b);
}

bool Machine::stalled() const { return isLoad(IR_MEM) || isStore(IR_MEM); }

bool Machine::branchTaken() const {
    if (!isBranch(IR_MEM)) return false;
    return pipeline::conditionHolds(destOf(IR_MEM), N, Z);
}

void Machine::rise() {
    if (pipeline::writesRegister(IR_WB) && destOf(IR_WB) != 0) reg[destOf(IR_WB)] = isLoad(IR_WB) ? LMDR : ALUo1;
    if (pipeline::setsFlags(IR_EX)) {
        int r = execute();
        N = r < 0 ? -1 : r >> 15;
        Z = r < 0 ? -1 : r == 0;
    }
}

void Machine::fall() {
    // The memory bus while the clock was high: a data access, or the fetch.
    int bus;
    if (isLoad(IR_MEM)) {
        bus = read(DMAR);
    } else if (isStore(IR_MEM)) {
        bus = SMDR;
        if (DMAR >= 0 && DMAR & 64) ram[DMAR & 63] = SMDR;
    } else {
        bus = read(PC);
    }

    // Every latch takes its new value from the old values of the others.
    bool stall = stalled();
    int nextPC = stall ? PC : branchTaken() ? ALUo : PC < 0 ? -1 : (PC + 1) & 0xFFFF;
    int result = execute();
    IR_WB = IR_MEM;
    ALUo1 = ALUo;
    LMDR = bus;
    IR_MEM = IR_EX;
    ALUo = DMAR = result;
    SMDR = D;
    IR_EX = IR_ID;
    PC1 = PCtmp;
    A = reg[IR_ID >> 3 & 7];
    B = reg[IR_ID & 7];
    IR1 = pipeline::constantOf(IR_ID);
    D = reg[destOf(IR_ID)];
    IR_ID = stall ? 0 : bus;
    if (!stall) PCtmp = PC;
    PC = nextPC;
}

void Machine::key(char k) {
    if (k == '0') {
        reset = !reset;
        if (reset) clear();
        return;
    }
    if (k != '1') return;
    clock = !clock;
    if (reset) return;  // every latch is held clear
    if (clock)
        rise();
    else
        fall();
}

std::map<std::string, int> Machine::state() const {
    std::map<std::string, int> s = {
        {"PC", PC},     {"PCtmp", PCtmp}, {"IR_ID", IR_ID}, {"PC1", PC1},       {"A", A},          {"B", B},
        {"IR1", IR1},   {"D", D},         {"IR_EX", IR_EX}, {"ALUo", ALUo},     {"DMAR", DMAR},    {"SMDR", SMDR},
        {"IR_MEM", IR_MEM}, {"ALUo1", ALUo1}, {"LMDR", LMDR}, {"IR_WB", IR_WB}, {"N", N},          {"Z", Z},
        {"stallIF", stalled()}, {"branchDecision", branchTaken()}};
    for (int i = 0; i < 8; i++) s["Reg" + std::to_string(i)] = reg[i];
    return s;
}

}  // namespace machine
