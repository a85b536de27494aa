// The processor's instruction set in one place: the fields of a word, the
// words of each instruction, the disassembly of any word and the assembler
// of the assembly syntax (README, "Programs in assembly").
//
// This unit knows nothing of the simulator: the circuit's watches and chart,
// the stock executable's -A and the processor's tests all use it, and the
// tests link it on its own. A word is 0..0xFFFF in an int.
//
// Syntax, one instruction per line (registers r0..r7; numbers decimal or
// 0x hexadecimal, with a leading - where signed):
//     add rd, rs1, rs2      sub, and, or as well; add.f … sets N and Z
//     add rd, rs1, k        k from -4 to 3 (the immediate form)
//     setlo rd, c           sethi rd, c; c from 0 to 255; setlo.f, sethi.f
//     ld rd, [rs1 + rs2]    ld rd, [rs1 + k]; - & | instead of + as well
//     st rs, [rs1 + rs2]    st rs, [rs1 + k]
//     bra target            beq bne blt ble bgt bge, bnv (never taken);
//                           target a label, an address, or .+n / .-n
//     nop                   the word 0x0000 (add r0, r0, r0)
//     .word n               any word; .org n pads with 0x0000 up to word n
// plus labels (`name:`) and comments (from ; or # to the end of the line).
#ifndef KORVAX_PIPELINE_ISA_H
#define KORVAX_PIPELINE_ISA_H

#include <string>
#include <vector>

namespace pipeline {

// Bits 15:14 of a word.
enum InstructionClass { ALU_CLASS = 0, LOAD_CLASS = 1, STORE_CLASS = 2, BRANCH_CLASS = 3 };
// The ALU function, bits 9:7 (4 and 5 are setlo, 6 and 7 sethi).
enum AluFunction { ADD = 0, SUBTRACT = 1, AND = 2, OR = 3, SETLO = 4, SETHI = 6 };
// A branch's condition, bits 13:11.
enum BranchCondition { BRA = 0, BEQ = 1, BNE = 2, BLT = 3, BLE = 4, BGT = 5, BGE = 6, NEVER = 7 };

// How many words the ROM holds, and so the longest program.
const int programWords = 64;

// ---- Fields of a word ----
inline int classOf(int w) { return w >> 14 & 3; }
inline int destOf(int w) { return w >> 11 & 7; }      // dest, stored register or condition
inline int functionOf(int w) { return w >> 7 & 7; }
inline int src1Of(int w) { return w >> 3 & 7; }
inline int src2Of(int w) { return w & 7; }
inline bool isAlu(int w) { return classOf(w) == ALU_CLASS; }
inline bool isLoad(int w) { return classOf(w) == LOAD_CLASS; }
inline bool isStore(int w) { return classOf(w) == STORE_CLASS; }
inline bool isBranch(int w) { return classOf(w) == BRANCH_CLASS; }
inline bool isImmediate(int w) { return w >> 6 & 1; }
// Whether the word updates N and Z: ALU class with bit 10.
inline bool setsFlags(int w) { return isAlu(w) && (w >> 10 & 1); }
inline bool isSetlo(int w) { return isAlu(w) && (functionOf(w) == 4 || functionOf(w) == 5); }
inline bool isSethi(int w) { return isAlu(w) && functionOf(w) >= 6; }
// Whether the ALU class and load write register destOf(w).
inline bool writesRegister(int w) { return isAlu(w) || isLoad(w); }
// value's low `bits` bits as a signed number, as 0..0xFFFF.
inline int signExtend(int value, int bits) {
    value &= (1 << bits) - 1;
    return (value & 1 << (bits - 1) ? value - (1 << bits) : value) & 0xFFFF;
}
// The branch displacement, -1024..1023.
inline int displacementOf(int w) { return (w & 0x7FF) >= 0x400 ? (w & 0x7FF) - 0x800 : w & 0x7FF; }
// The constant stage ID builds (IR1): the branch displacement, the byte of
// setlo/sethi, or the 3-bit immediate, sign-extended to 16 bits.
inline int constantOf(int w) {
    if (isBranch(w)) return signExtend(w, 11);
    if (isSetlo(w) || isSethi(w)) return w & 0xFF;
    return signExtend(w, 3);
}
// The ALU's result for function `fn` on a and b (0..0xFFFF each).
int aluResult(int fn, int a, int b);
// Whether a branch with condition `cond` is taken with the flags n and z.
bool conditionHolds(int cond, bool n, bool z);

// ---- Words of the instructions ----
// d = s1 fn s2 (fn ADD .. OR); with flags, N and Z follow the result.
inline int aluWord(int fn, int d, int s1, int s2, bool flags = false) {
    return (d & 7) << 11 | flags << 10 | (fn & 3) << 7 | (s1 & 7) << 3 | (s2 & 7);
}
// d = s1 fn k, k -4..3.
inline int aluImmediateWord(int fn, int d, int s1, int k, bool flags = false) {
    return aluWord(fn, d, s1, k, flags) | 1 << 6;
}
// setlo: d = (d's high byte, c); sethi: d = (c, 0x00).
inline int setloWord(int d, int c, bool flags = false) { return (d & 7) << 11 | flags << 10 | 2 << 8 | (c & 0xFF); }
inline int sethiWord(int d, int c, bool flags = false) { return (d & 7) << 11 | flags << 10 | 3 << 8 | (c & 0xFF); }
// d = memory[s1 + s2] / memory[s1 + k]; memory[…] = register r.
inline int loadWord(int d, int s1, int s2) { return LOAD_CLASS << 14 | aluWord(ADD, d, s1, s2); }
inline int loadImmediateWord(int d, int s1, int k) { return LOAD_CLASS << 14 | aluImmediateWord(ADD, d, s1, k); }
inline int storeWord(int r, int s1, int s2) { return STORE_CLASS << 14 | aluWord(ADD, r, s1, s2); }
inline int storeImmediateWord(int r, int s1, int k) { return STORE_CLASS << 14 | aluImmediateWord(ADD, r, s1, k); }
// To the branch's own address plus disp (-1024..1023) when cond holds.
inline int branchWord(int cond, int disp) { return BRANCH_CLASS << 14 | (cond & 7) << 11 | (disp & 0x7FF); }
const int NOP_WORD = 0x0000;

// ---- Text ----
// The instruction in the assembly syntax, for example "ld r1, [r2 + r3]";
// "nop" for 0x0000; ".word 0x4C13" for a word that sets bits its
// instruction does not use (a load or store with bit 10 or function 4..7).
// A branch's target is written relative to its own address (".+6").
std::string disassemble(int word);
// The same for the word at `address`: a branch names its target address
// ("bne 0x0004"), which assembles to the same word at that address.
std::string disassemble(int word, int address);

// The result of assemble: on success the words from address 0 (at most
// programWords); otherwise the first fault's line (from 1) and message, as
// "unknown register r9".
struct Assembly {
    bool ok = false;
    std::vector<int> words;
    int errorLine = 0;
    std::string error;
};

// Assembles the text of a program (see the syntax above).
Assembly assemble(const std::string& text);

}  // namespace pipeline

#endif
