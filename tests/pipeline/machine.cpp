// The word-level processor model (see machine.h).
#include "machine.h"

namespace machine {

namespace {

int cls(int w) { return w >> 14 & 3; }
int dest(int w) { return w >> 11 & 7; }
int function(int w) { return w >> 7 & 7; }
bool isAlu(int w) { return cls(w) == 0; }
bool isLoad(int w) { return cls(w) == 1; }
bool isStore(int w) { return cls(w) == 2; }
bool isBranch(int w) { return cls(w) == 3; }
bool isSetlo(int w) { return isAlu(w) && (function(w) == 4 || function(w) == 5); }
bool isHilo(int w) { return isAlu(w) && function(w) >= 4; }
bool immediate(int w) { return w >> 6 & 1; }
bool psr(int w) { return isAlu(w) && (w >> 10 & 1); }
int signExtend(int value, int bits) { return (value & 1 << (bits - 1) ? value - (1 << bits) : value) & 0xFFFF; }

// The constant ID builds: displacement, byte or 3-bit immediate.
int constant(int w) {
    if (isBranch(w)) return signExtend(w & 0x7FF, 11);
    if (isHilo(w)) return w & 0xFF;
    return signExtend(w & 7, 3);
}

int operate(int op, int a, int b) {
    switch (op) {
    case 0: return a < 0 || b < 0 ? -1 : (a + b) & 0xFFFF;
    case 1: return a < 0 || b < 0 ? -1 : (a - b) & 0xFFFF;
    case 2: return a < 0 || b < 0 ? -1 : a & b;
    case 3: return a < 0 || b < 0 ? -1 : a | b;
    case 4:
    case 5: return a < 0 || b < 0 ? -1 : (a & 0xFF00) | (b & 0xFF);
    default: return b < 0 ? -1 : (b & 0xFF) << 8;
    }
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
    int a = isBranch(w) ? PC1 : isSetlo(w) ? D : A;
    int b = isBranch(w) || isHilo(w) || immediate(w) ? IR1 : B;
    return operate(isBranch(w) ? 0 : function(w), a, b);
}

bool Machine::stalled() const { return isLoad(IR_MEM) || isStore(IR_MEM); }

bool Machine::branchTaken() const {
    if (!isBranch(IR_MEM)) return false;
    switch (dest(IR_MEM)) {
    case BRA: return true;
    case BEQ: return Z;
    case BNE: return !Z;
    case BLT: return N;
    case BLE: return N || Z;
    case BGT: return !(N || Z);
    case BGE: return !N;
    default: return false;
    }
}

void Machine::rise() {
    if ((isAlu(IR_WB) || isLoad(IR_WB)) && dest(IR_WB) != 0) reg[dest(IR_WB)] = isLoad(IR_WB) ? LMDR : ALUo1;
    if (psr(IR_EX)) {
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
    IR1 = constant(IR_ID);
    D = reg[dest(IR_ID)];
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
