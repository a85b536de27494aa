// The 16-bit five-stage pipelined processor, as circuit modules.
//
// Every function here builds one module of the processor out of library
// components: it takes its placement `coord` and its ports in a fixed order,
// opens with a named Module box over those ports, and places its parts at
// positions nested inside `coord`. The units of the datapath come first
// (decoder, ALU and its bit slice, incrementer, operand selectors, flags,
// branch condition), then the pipeline (links, registers, stages, stalls,
// BasicPipe), then the memory system. 2-ld-instr.cpp wires BasicPipe to a
// Memory holding the stored program and adds the switches and probe wall;
// another circuit file can reuse BasicPipe and Memory with a test bench of
// its own.
//
// All modules live in the namespace `pipeline`. The processor's full adder is
// called Adder like the library's ripple adder (a different component with a
// different port list), so inside the namespace `Adder` means the circuit's
// one-bit adder and `::Adder` the library component; outside, write
// `pipeline::Adder` for the circuit's.
#ifndef KORVAX_PIPELINE_H
#define KORVAX_PIPELINE_H

#include "components/msi.h"
#include "components/ssi.h"
#include "components/vlsi.h"
#include "korvax.h"

namespace pipeline {

// ---- Instruction set and datapath units ----

// Decodes an instruction word into its class (alu, ld, st, branch), whether
// it is a sethi or setlo ALU instruction (hilo: either), whether it updates
// the flags (psr) and whether its second operand is immediate.
// In: IR[16]. Out: alu, ld, st, branch, sethi, setlo, hilo, psr, immediate.
void InstructionDecoder(const SD& coord, const Signal& IR, const Signal& alu, const Signal& ld,
                        const Signal& st, const Signal& branch, const Signal& sethi, const Signal& setlo,
                        const Signal& hilo, const Signal& psr, const Signal& immediate);

// One-bit full adder built from gates. In: cin, a, b. Out: cout, sum.
void Adder(const SD& coord, const Signal& cin, const Signal& a, const Signal& b, const Signal& cout,
           const Signal& sum);

// One-bit full subtractor: s = a - b - cin, cout the borrow.
// In: cin, a, b. Out: cout, s.
void Subtracter(const SD& coord, const Signal& cin, const Signal& a, const Signal& b, const Signal& cout,
                const Signal& s);

// One bit slice of the ALU: add, subtract, and, or selected by c (0..3);
// cout is the carry for add, the borrow for subtract.
// In: cin, a, b, c[2]. Out: cout, s.
void ALUComponent(const SD& coord, const Signal& cin, const Signal& a, const Signal& b, const Signal& c,
                  const Signal& cout, const Signal& s);

// The 16-bit ALU: operation c (0 add, 1 subtract, 2 and, 3 or, 4-5 setlo,
// 6-7 sethi) on a and b, with the flags N (bit 15) and Z (all zero) of the
// result. In: a[16], b[16], c[3]. Out: out[16], N, Z.
void ALU(const SD& coord, const Signal& a, const Signal& b, const Signal& c, const Signal& out,
         const Signal& N, const Signal& Z);

// Adds one to a word with a chain of circuit full adders.
// In: in[16]. Out: out[16].
void Plus1(const SD& coord, const Signal& in, const Signal& out);

// First ALU operand: PC1 for a branch, D for setlo, else A.
// In: PC1[16], A[16], D[16], branch, setlo. Out: out[16].
void ALU1(const SD& coord, const Signal& PC1, const Signal& A, const Signal& D, const Signal& branch,
          const Signal& setlo, const Signal& out);

// Second ALU operand: the constant IR1 for a branch, sethi/setlo or an
// immediate, else B. In: B[16], IR1[16], branch, hilo, immediate. Out: out[16].
void ALU2(const SD& coord, const Signal& B, const Signal& IR1, const Signal& branch, const Signal& hilo,
          const Signal& immediate, const Signal& out);

// The status flags N and Z, loaded from Ni and Zi on a rising `update`.
// In: reset, update, Ni, Zi. Out: N, Z.
void PSR(const SD& coord, const Signal& reset, const Signal& update, const Signal& Ni, const Signal& Zi,
         const Signal& N, const Signal& Z);

// Whether a branch instruction with condition code c is taken, given the
// flags lt (N) and eq (Z). In: isBranch, c[3], lt, eq. Out: branch.
void BranchDecision(const SD& coord, const Signal& isBranch, const Signal& c, const Signal& lt,
                    const Signal& eq, const Signal& branch);

// ---- Pipeline stages, register file and stalls ----

// Buffers that give a 3-bit bus a new name. In: in[3]. Out: out[3].
void Link3(const SD& coord, const Signal& in, const Signal& out);

// Buffers that give a 16-bit bus a new name. In: in[16]. Out: out[16].
void Link16(const SD& coord, const Signal& in, const Signal& out);

// A 16-bit register of D flip-flops, loading on a rising `load`, cleared by
// reset. In: in[16], load, reset. Out: out[16].
void Reg16(const SD& coord, const Signal& in, const Signal& load, const Signal& reset, const Signal& out);

// The register file: Reg0 is constant zero, Reg1..Reg7 load `data` when
// clock rises with `load` high and `select` naming them.
// In: reset, clock, load, select[3], data[16]. Out: Reg7 … Reg0 [16 each].
void Registers(const SD& coord, const Signal& reset, const Signal& clock, const Signal& load,
               const Signal& select, const Signal& data, const Signal& Reg7, const Signal& Reg6,
               const Signal& Reg5, const Signal& Reg4, const Signal& Reg3, const Signal& Reg2,
               const Signal& Reg1, const Signal& Reg0);

// A pipeline instruction register: loads as clock falls unless stalled.
// In: reset, clock, stall, in[16]. Out: out[16].
void IR(const SD& coord, const Signal& reset, const Signal& clock, const Signal& stall, const Signal& in,
        const Signal& out);

// Instruction fetch: requests memory while clock is high and IF runs, and as
// clock falls moves PC on (to PC + 1 or the branch target) and PC's old value
// into PCtmp. In: reset, clock, stall, branch, branchAddr[16], dataIn[16].
// Out: memory, read, PC[16], PCtmp[16], instruction[16].
void IF(const SD& coord, const Signal& reset, const Signal& clock, const Signal& stall, const Signal& branch,
        const Signal& branchAddr, const Signal& dataIn, const Signal& memory, const Signal& read,
        const Signal& PC, const Signal& PCtmp, const Signal& instruction);

// Decode and register read: names the three registers to read and latches
// their values, the instruction's address and its constant as clock falls.
// In: reset, clock, stall, IR[16], PCtmp[16], src1[16], src2[16], src3[16].
// Out: src1_sel[3], src2_sel[3], src3_sel[3], PC1, A, B, IR1, D [16 each].
void ID(const SD& coord, const Signal& reset, const Signal& clock, const Signal& stall, const Signal& IR,
        const Signal& PCtmp, const Signal& src1, const Signal& src2, const Signal& src3,
        const Signal& src1_sel, const Signal& src2_sel, const Signal& src3_sel, const Signal& PC1,
        const Signal& A, const Signal& B, const Signal& IR1, const Signal& D);

// Execute: runs the ALU on the selected operands, latches the result (twice:
// as ALU output and as data address) and the store data as clock falls, and
// the flags as clock rises for instructions with the psr bit.
// In: reset, clock, stall, IR[16], alu1[16], alu2[16], D[16].
// Out: exBranch, exSetlo, exHilo, exImmediate, N, Z, ALUo[16], DMAR[16], SMDR[16].
void EX(const SD& coord, const Signal& reset, const Signal& clock, const Signal& stall, const Signal& IR,
        const Signal& alu1, const Signal& alu2, const Signal& D, const Signal& exBranch,
        const Signal& exSetlo, const Signal& exHilo, const Signal& exImmediate, const Signal& N,
        const Signal& Z, const Signal& ALUo, const Signal& DMAR, const Signal& SMDR);

// Memory access: for a load or store drives the data address (and for a
// store the data) onto the buses while clock is high, latches the ALU result
// and the data bus as clock falls, and hands the branch condition on.
// In: reset, clock, stall, IR, ALUo, DMAR, SMDR, dataIn [16 each but the first three].
// Out: isBranch, brCond[3], memory, ld, ALUo1[16], LMDR[16], addrOut[16],
// dataOut[16], enableTSB.
void MEM(const SD& coord, const Signal& reset, const Signal& clock, const Signal& stall, const Signal& IR,
         const Signal& ALUo, const Signal& DMAR, const Signal& SMDR, const Signal& dataIn,
         const Signal& isBranch, const Signal& brCond, const Signal& memory, const Signal& ld,
         const Signal& ALUo1, const Signal& LMDR, const Signal& addrOut, const Signal& dataOut,
         const Signal& enableTSB);

// Write-back: which register to write (if any) and with what.
// In: clock, IR[16], ALUo1[16], LMDR[16].
// Out: writeRegister, regSelect[3], registerInput[16].
void WB(const SD& coord, const Signal& clock, const Signal& IR, const Signal& ALUo1, const Signal& LMDR,
        const Signal& writeRegister, const Signal& regSelect, const Signal& registerInput);

// IF stalls while a load or store is in MEM, or when ID stalls.
// In: ID_stall, IR_ID, IR_EX, IR_MEM [16]. Out: stall.
void Stall_IF(const SD& coord, const Signal& ID_stall, const Signal& IR_ID, const Signal& IR_EX,
              const Signal& IR_MEM, const Signal& stall);

// ID stalls when EX does. In: EX_stall, IR_ID, IR_EX, IR_MEM. Out: stall.
void Stall_ID(const SD& coord, const Signal& EX_stall, const Signal& IR_ID, const Signal& IR_EX,
              const Signal& IR_MEM, const Signal& stall);

// EX stalls when MEM does. In: MEM_stall, IR_ID, IR_EX, IR_MEM. Out: stall.
void Stall_EX(const SD& coord, const Signal& MEM_stall, const Signal& IR_ID, const Signal& IR_EX,
              const Signal& IR_MEM, const Signal& stall);

// MEM never stalls. In: IR_ID, IR_EX, IR_MEM. Out: stall.
void Stall_MEM(const SD& coord, const Signal& IR_ID, const Signal& IR_EX, const Signal& IR_MEM,
               const Signal& stall);

// The whole pipeline with its register file and bus arbitration; every latch
// is brought out as a port so that a test bench can probe it.
// In: reset, clock, DataBusIn[16].
// Out: memory, read, AddrBusOut[16], DataBusOut[16], PC, PCtmp, IR_ID, PC1, A,
// B, IR1, D, IR_EX, ALUo, DMAR, SMDR [16], N, Z, IR_MEM, ALUo1, LMDR, IR_WB,
// Reg0 … Reg7 [16], stallIF, stallID, stallEX, stallMEM, branchDecision, MemReq.
void BasicPipe(const SD& coord, const Signal& reset, const Signal& clock, const Signal& DataBusIn,
               const Signal& memory, const Signal& read, const Signal& AddrBusOut, const Signal& DataBusOut,
               const Signal& PC, const Signal& PCtmp, const Signal& IR_ID, const Signal& PC1,
               const Signal& A, const Signal& B, const Signal& IR1, const Signal& D, const Signal& IR_EX,
               const Signal& ALUo, const Signal& DMAR, const Signal& SMDR, const Signal& N, const Signal& Z,
               const Signal& IR_MEM, const Signal& ALUo1, const Signal& LMDR, const Signal& IR_WB,
               const Signal& Reg0, const Signal& Reg1, const Signal& Reg2, const Signal& Reg3,
               const Signal& Reg4, const Signal& Reg5, const Signal& Reg6, const Signal& Reg7,
               const Signal& stallIF, const Signal& stallID, const Signal& stallEX, const Signal& stallMEM,
               const Signal& branchDecision, const Signal& MemReq);

// ---- Memory system ----

// Lets the ROM drive the data bus for a read below address 64.
// In: MREQ, Read, A6. Out: enTriROM.
void MemAddr1(const SD& coord, const Signal& MREQ, const Signal& Read, const Signal& A6,
              const Signal& enTriROM);

// RAM control for requests at 64 and above: RW (ONE for a write), enRAM
// (the RAM is addressed) and enTriRAM (it drives the bus for a read).
// In: MREQ, Read, A6. Out: RW, enRAM, enTriRAM.
void MemAddr2(const SD& coord, const Signal& MREQ, const Signal& Read, const Signal& A6, const Signal& RW,
              const Signal& enRAM, const Signal& enTriRAM);

// The processor's memory: a 64-word ROM below address 64 and a 64-word RAM
// (two byte-wide halves) above it, repeating every 128 words, driving
// DataOut through tri-state buffers; data written is looped back onto
// DataOut. `romContents` holds 128 bytes, high byte of each word first.
// In: MReq, Read, Addr[16], DataIn[16].
// Out: DataOut[16], enTriLink, enTriROM, enTriRAM.
void Memory(const SD& coord, const Signal& MReq, const Signal& Read, const Signal& Addr, const Signal& DataIn,
            const Signal& DataOut, const Signal& enTriLink, const Signal& enTriROM, const Signal& enTriRAM,
            const unsigned char* romContents);

// The stored program as the ROM's 128 bytes (defined in 2-ld-instr.cpp).
extern const unsigned char storedProgram[128];

// The same memory holding the stored program (defined in 2-ld-instr.cpp).
void Memory(const SD& coord, const Signal& MReq, const Signal& Read, const Signal& Addr, const Signal& DataIn,
            const Signal& DataOut, const Signal& enTriLink, const Signal& enTriROM, const Signal& enTriRAM);

// ---- Watches and the pipeline chart (observe.cpp) ----

// Declares the processor's watches: PC; IF, ID, EX, MEM and WB, each the
// instruction with its address ("0005 setlo r7, 0x02", "bubble", a stalled
// stage marked "(stalled)"); Reg0 … Reg7 in hexadecimal; N and Z. With -P
// it also follows every fetched instruction through the stages and prints
// the pipeline chart after the run. `rom` is the ROM's 128 bytes, high byte
// of each word first (IF shows the word at PC from it). Call once.
void ProcessorWatches(const Signal& reset, const Signal& clock, const Signal& PC, const Signal& PCtmp,
                      const Signal& IR_ID, const Signal& PC1, const Signal& IR_EX, const Signal& IR_MEM,
                      const Signal& IR_WB, const Signal* const registers[8], const Signal& N, const Signal& Z,
                      const Signal& stallIF, const Signal& stallID, const Signal& stallEX, const Signal& stallMEM,
                      const unsigned char* rom);

}  // namespace pipeline

#endif
