// A word-level model of the processor, written from its instruction set and
// its pipeline timing rather than from its gates, and a small assembler for
// writing test programs.
//
// The model keeps the latches the gate-level pipeline exports and moves them
// the way the clocking rules say: the register file and the flags load as
// the clock rises (from the instruction in WB and in EX), every stage latch
// loads as it falls, memory is used while it is high. Its rules are the
// programmer's ones: no forwarding (a result is in the register file only
// from the rising edge at which its instruction is in WB), a branch decides
// the fetch only from MEM (the three words behind it still execute), and a
// load or store in MEM stalls IF for that cycle (PC and PCtmp hold and a
// 0x0000 bubble enters ID). Values are 0..0xFFFF, or -1 for unknown.
#ifndef KORVAX_TEST_MACHINE_H
#define KORVAX_TEST_MACHINE_H

#include <map>
#include <string>
#include <vector>

#include "isa.h"

namespace machine {

// ---- Words of test programs ----
// The processor's own encoders (pipeline/isa.h) under the short names the
// programs below are written with.
using Function = int;
using Condition = int;
using pipeline::ADD;
using pipeline::AND;
using pipeline::OR;
const int SUB = pipeline::SUBTRACT;
using pipeline::BEQ;
using pipeline::BGE;
using pipeline::BGT;
using pipeline::BLE;
using pipeline::BLT;
using pipeline::BNE;
using pipeline::BRA;
using pipeline::NEVER;

// d = s1 op s2; with psr the flags follow the result.
inline int alu(Function fn, int d, int s1, int s2, bool psr = false) { return pipeline::aluWord(fn, d, s1, s2, psr); }
// d = s1 op k, k a 3-bit signed immediate (-4..3).
inline int aluI(Function fn, int d, int s1, int k, bool psr = false) {
    return pipeline::aluImmediateWord(fn, d, s1, k, psr);
}
// d = (d's high byte, c); d = (c, 0x00).
inline int setlo(int d, int c, bool psr = false) { return pipeline::setloWord(d, c, psr); }
inline int sethi(int d, int c, bool psr = false) { return pipeline::sethiWord(d, c, psr); }
// d = memory[s1 + s2]; memory[s1 + k] = src.
inline int ld(int d, int s1, int s2) { return pipeline::loadWord(d, s1, s2); }
inline int ldI(int d, int s1, int k) { return pipeline::loadImmediateWord(d, s1, k); }
inline int stI(int src, int s1, int k) { return pipeline::storeImmediateWord(src, s1, k); }
// To the branch's own address plus disp (-1024..1023) when the condition holds.
inline int br(Condition c, int disp) { return pipeline::branchWord(c, disp); }
const int NOP = pipeline::NOP_WORD;

// ---- Model ----
class Machine {
public:
    explicit Machine(const std::vector<int>& program);
    // Types one key: '0' toggles reset (released first), '1' the clock.
    void key(char k);
    // The exported latches by their bus names (PC, IR_EX, Reg3, N, stallIF, …).
    std::map<std::string, int> state() const;

private:
    int rom[64] = {};
    int ram[64];  // -1 until written
    bool reset = true, clock = false;
    int PC = 0, PCtmp = 0, IR_ID = 0, PC1 = 0, A = 0, B = 0, IR1 = 0, D = 0, IR_EX = 0, ALUo = 0, DMAR = 0,
        SMDR = 0, IR_MEM = 0, ALUo1 = 0, LMDR = 0, IR_WB = 0, N = 0, Z = 0;
    int reg[8] = {};

    void clear();  // what reset does: every latch and register to 0
    int read(int address) const;
    int execute() const;  // the ALU result for the instruction in EX
    bool stalled() const;
    bool branchTaken() const;
    void rise();
    void fall();
};

}  // namespace machine

#endif
