// The five-stage pipeline: bus links, the 16-bit register built from D
// flip-flops, the register file, the pipeline instruction registers, the
// stages IF, ID, EX, MEM and WB, the stall chain, and BasicPipe, which wires
// them together with the operand multiplexers and the arbitration of the one
// memory bus between instruction fetch and data access.
//
// Clocking: every stage latch loads as `clock` falls (its load input is
// Not(clock) or stall), the register file and the flags load as `clock`
// rises, and memory is used while `clock` is high. Each stage decodes its
// own copy of the instruction; only the instruction word travels down the
// pipeline. A stalled stage holds and its successor receives the word
// 0x0000 (an add into register 0, which does nothing).
#include "pipeline.h"

namespace pipeline {

void Link3(const SD& coord, const Signal& in, const Signal& out) {
    Module(coord, "Link3", in, out);
    SD at(coord, "aa");
    for (int i = 2; i >= 0; i--) Or(at, in[i], out[i]);
}

void Link16(const SD& coord, const Signal& in, const Signal& out) {
    Module(coord, "Link16", in, out);
    SD at(coord, "aa");
    for (int i = 15; i >= 0; i--) Or(at, in[i], out[i]);
}

void Reg16(const SD& coord, const Signal& in, const Signal& load, const Signal& reset, const Signal& out) {
    Module(coord, "Reg16", (in, load, reset), out);
    SD at(coord, "aa");
    for (int i = 15; i >= 0; i--) Dff(at, (Zero, in[i], load, reset), out[i]);
}

void Registers(const SD& coord, const Signal& reset, const Signal& clock, const Signal& load,
               const Signal& select, const Signal& data, const Signal& Reg7, const Signal& Reg6,
               const Signal& Reg5, const Signal& Reg4, const Signal& Reg3, const Signal& Reg2,
               const Signal& Reg1, const Signal& Reg0) {
    Module(coord, "Registers", (reset, clock, load, select, data),
           (Reg7, Reg6, Reg5, Reg4, Reg3, Reg2, Reg1, Reg0));
    Signal sel(8, "sel"), write(7, "write");
    SD at(coord, "aa");
    const Signal* reg[8] = {&Reg0, &Reg1, &Reg2, &Reg3, &Reg4, &Reg5, &Reg6, &Reg7};

    // Register 0 reads as zero; nothing writes it.
    for (int i = 15; i >= 0; i--) Or(at, Zero, Reg0[i]);
    Decoder(at, One, (select[2], select[1], select[0]), sel.sub(7, 0));
    // Register k loads as clock rises while it is selected for writing.
    for (int k = 7; k >= 1; k--) And(at, (clock, load, sel[k]), write[k - 1]);
    for (int k = 7; k >= 1; k--) Reg16(at, data, write[k - 1], reset, *reg[k]);
}

void IR(const SD& coord, const Signal& reset, const Signal& clock, const Signal& stall, const Signal& in,
        const Signal& out) {
    Module(coord, "IR", (reset, clock, stall, in), out);
    Signal enableIR(1, "enableIR"), _clock(1, "_clock");
    SD at(coord, "aa");
    Not(at, clock, _clock);
    Or(at, (_clock, stall), enableIR);
    Reg16(SD(coord, "ca-cb"), in, enableIR, reset, out);
}

void IF(const SD& coord, const Signal& reset, const Signal& clock, const Signal& stall, const Signal& branch,
        const Signal& branchAddr, const Signal& dataIn, const Signal& memory, const Signal& read,
        const Signal& PC, const Signal& PCtmp, const Signal& instruction) {
    Module(coord, "IF", (reset, clock, stall, branch, branchAddr, dataIn), (memory, read, PC, PCtmp, instruction));
    Signal _clock(1, "_clock"), PCPlus1(16, "PCPlus1"), NextInstr(16, "NextInstr"), update(1, "update");
    SD at(coord, "aa");

    // Fetch while clock is high and IF is not stalled; fetches only read.
    Not(at, clock, _clock);
    Or(at, (_clock, stall), update);
    Not(at, update, memory);
    Or(at, One, read);
    Link16(at, dataIn, instruction);

    // As clock falls PC takes the next address and PCtmp the address of the
    // word just fetched, which enters IR_ID at the same edge.
    Mux(SD(coord, "ca-cp"), branch, (branchAddr, PCPlus1), NextInstr);
    Reg16(SD(coord, "da-dp"), NextInstr, update, reset, PC);
    Plus1(SD(coord, "cq-ds"), PC, PCPlus1);
    Reg16(SD(coord, "da-dp"), PC, update, reset, PCtmp);
}

void ID(const SD& coord, const Signal& reset, const Signal& clock, const Signal& stall, const Signal& IR,
        const Signal& PCtmp, const Signal& src1, const Signal& src2, const Signal& src3,
        const Signal& src1_sel, const Signal& src2_sel, const Signal& src3_sel, const Signal& PC1,
        const Signal& A, const Signal& B, const Signal& IR1, const Signal& D) {
    Module(coord, "ID", (reset, clock, stall, IR, PCtmp, src1, src2, src3),
           (src1_sel, src2_sel, src3_sel, PC1, A, B, IR1, D));
    Signal _clock(1, "_clock"), constant(16, "constant"), st(1, "st"), sethi(1, "sethi"), alu(1, "alu"),
        ld(1, "ld"), update(1, "update"), inter(16, "inter"), branch(1, "branch"), setlo(1, "setlo"),
        psr(1, "psr"), immediate(1, "immediate"), hilo(1, "hilo");
    SD at(coord, "aa");

    InstructionDecoder(at, IR, alu, ld, st, branch, sethi, setlo, hilo, psr, immediate);
    Not(at, clock, _clock);
    Or(at, (_clock, stall), update);

    // The register file is read through the multiplexers of BasicPipe: src1,
    // src2 and the register named by bits 13:11 (setlo's and a store's).
    Link3(at, IR.sub(5, 3), src1_sel);
    Link3(at, IR.sub(2, 0), src2_sel);
    Link3(at, IR.sub(13, 11), src3_sel);

    // The constant: the 11-bit branch displacement, the sethi/setlo byte, or
    // the 3-bit immediate, sign-extended where signed.
    Mux(SD(coord, "db-fb"), hilo, ((8 * Zero, IR.sub(7, 0)), (13 * IR[2], IR.sub(2, 0))), inter);
    Mux(SD(coord, "db-fb"), branch, ((5 * IR[10], IR.sub(10, 0)), inter), constant);

    Reg16(SD(coord, "ad"), PCtmp, update, reset, PC1);
    Reg16(SD(coord, "bd"), src1, update, reset, A);
    Reg16(SD(coord, "dd"), src2, update, reset, B);
    Reg16(SD(coord, "ed"), constant, update, reset, IR1);
    Reg16(SD(coord, "gd"), src3, update, reset, D);
}

void EX(const SD& coord, const Signal& reset, const Signal& clock, const Signal& stall, const Signal& IR,
        const Signal& alu1, const Signal& alu2, const Signal& D, const Signal& exBranch,
        const Signal& exSetlo, const Signal& exHilo, const Signal& exImmediate, const Signal& N,
        const Signal& Z, const Signal& ALUo, const Signal& DMAR, const Signal& SMDR) {
    Module(coord, "EX", (reset, clock, stall, IR, alu1, alu2, D),
           (exBranch, exSetlo, exHilo, exImmediate, N, Z, ALUo, DMAR, SMDR));
    Signal operation(3, "operation"), st(1, "st"), _stall(1, "_stall"), alu_output(1, "alu_output"),
        sethi(1, "sethi"), psrSignal(1, "psrSignal"), alu(16, "alu"), Ni(1, "Ni"), ld(1, "ld"),
        update(1, "update"), updatePSR(1, "updatePSR"), Zi(1, "Zi"), _clock(1, "_clock"), psr(1, "psr");
    SD at(coord, "aa");

    InstructionDecoder(at, IR, alu_output, ld, st, exBranch, sethi, exSetlo, exHilo, psr, exImmediate);

    // The flags' clock follows clock only while the instruction in EX has
    // the psr bit and EX runs, and is held low otherwise, so the flags load
    // only as clock rises. Held high instead, as Or(clock, stall, Not(psr)),
    // it would also rise whenever psr falls or pulses while clock is low:
    // psr is decoded afresh just after every falling edge, and pulses when
    // a branch with bit 10 set follows an ALU word. N and Z would then load
    // from an ALU still settling on the new operands, and become XXX.
    Not(at, stall, _stall);
    And(at, (clock, psr, _stall), updatePSR);
    Or(at, updatePSR, psrSignal);
    PSR(SD(coord, "dd"), reset, psrSignal, Ni, Zi, N, Z);

    Not(at, clock, _clock);
    Or(at, (_clock, stall), update);

    // A branch always adds (its address plus displacement).
    Mux(SD(coord, "ab"), exBranch, ((Zero, Zero, Zero), IR.sub(9, 7)), operation);
    ALU(SD(coord, "ac"), alu1, alu2, operation, alu, Ni, Zi);

    Reg16(SD(coord, "ad"), alu, update, reset, ALUo);
    Reg16(SD(coord, "bd"), alu, update, reset, DMAR);
    Reg16(SD(coord, "cd"), D, update, reset, SMDR);
}

void MEM(const SD& coord, const Signal& reset, const Signal& clock, const Signal& stall, const Signal& IR,
         const Signal& ALUo, const Signal& DMAR, const Signal& SMDR, const Signal& dataIn,
         const Signal& isBranch, const Signal& brCond, const Signal& memory, const Signal& ld,
         const Signal& ALUo1, const Signal& LMDR, const Signal& addrOut, const Signal& dataOut,
         const Signal& enableTSB) {
    Module(coord, "MEM", (reset, clock, stall, IR, ALUo, DMAR, SMDR, dataIn),
           (isBranch, brCond, memory, ld, ALUo1, LMDR, addrOut, dataOut, enableTSB));
    Signal _clock(1, "_clock"), st(1, "st"), memoryAccess(1, "memoryAccess"), sethi(1, "sethi"),
        alu(1, "alu"), update(1, "update"), enableWriteTSB(1, "enableWriteTSB"),
        enableTSB_temp(1, "enableTSB_temp"), enableWriteTSB_temp(1, "enableWriteTSB_temp"), setlo(1, "setlo"),
        psr(1, "psr"), immediate(1, "immediate"), _stall(1, "_stall"), hilo(1, "hilo");
    SD at(coord, "aa");

    InstructionDecoder(at, IR, alu, ld, st, isBranch, sethi, setlo, hilo, psr, immediate);
    Not(at, clock, _clock);
    Not(at, stall, _stall);
    Or(at, (_clock, stall), update);
    Link3(at, IR.sub(13, 11), brCond);
    Reg16(SD(coord, "ad-ae"), ALUo, update, reset, ALUo1);

    // A load or store takes the buses while clock is high: the address from
    // DMAR, and for a store the data from SMDR.
    SD control(coord, "ba");
    Or(control, (ld, st), memoryAccess);
    And(control, (_stall, clock, memoryAccess), enableTSB_temp);
    And(control, (_stall, clock, st), enableWriteTSB_temp);
    SD buffers(coord, "ea");
    for (int i = 15; i >= 0; i--) Tsb(buffers, SMDR[i], enableWriteTSB_temp, dataOut[i]);
    Reg16(SD(coord, "dd-de"), dataIn, update, reset, LMDR);
    for (int i = 15; i >= 0; i--) Tsb(buffers, DMAR[i], enableTSB_temp, addrOut[i]);

    // enableTSB is low, and the data request `memory` high, during the access.
    Not(at, enableTSB_temp, enableTSB);
    Not(at, enableWriteTSB_temp, enableWriteTSB);
    Not(SD(coord, "da"), enableTSB, memory);
}

void WB(const SD& coord, const Signal& clock, const Signal& IR, const Signal& ALUo1, const Signal& LMDR,
        const Signal& writeRegister, const Signal& regSelect, const Signal& registerInput) {
    Module(coord, "WB", (clock, IR, ALUo1, LMDR), (writeRegister, regSelect, registerInput));
    Signal ld(1, "ld"), st(1, "st"), psr(1, "psr"), setlo(1, "setlo"), sethi(1, "sethi"),
        immediate(1, "immediate"), alu(1, "alu"), branch(1, "branch"), hilo(1, "hilo");
    SD at(coord, "aa");
    InstructionDecoder(at, IR, alu, ld, st, branch, sethi, setlo, hilo, psr, immediate);
    // ALU instructions and loads write their destination; a load writes the
    // word it read.
    Or(at, (alu, ld), writeRegister);
    Link3(at, IR.sub(13, 11), regSelect);
    Mux(SD(coord, "ca-da"), ld, (LMDR, ALUo1), registerInput);
}

void Stall_IF(const SD& coord, const Signal& ID_stall, const Signal& IR_ID, const Signal& IR_EX,
              const Signal& IR_MEM, const Signal& stall) {
    Module(coord, "Stall_IF", (ID_stall, IR_ID, IR_EX, IR_MEM), stall);
    Signal ld(1, "ld"), st(1, "st"), psr(1, "psr"), setlo(1, "setlo"), sethi(1, "sethi"),
        immediate(1, "immediate"), alu(1, "alu"), branch(1, "branch"), hilo(1, "hilo");
    // The memory bus carries data, not instructions, while a load or store
    // is in MEM.
    InstructionDecoder(SD(coord, "aa"), IR_MEM, alu, ld, st, branch, sethi, setlo, hilo, psr, immediate);
    Or(SD(coord, "ba"), (ID_stall, ld, st), stall);
}

void Stall_ID(const SD& coord, const Signal& EX_stall, const Signal& IR_ID, const Signal& IR_EX,
              const Signal& IR_MEM, const Signal& stall) {
    Module(coord, "Stall_ID", (EX_stall, IR_ID, IR_EX, IR_MEM), stall);
    Or(SD(coord, "aa"), EX_stall, stall);
}

void Stall_EX(const SD& coord, const Signal& MEM_stall, const Signal& IR_ID, const Signal& IR_EX,
              const Signal& IR_MEM, const Signal& stall) {
    Module(coord, "Stall_EX", (MEM_stall, IR_ID, IR_EX, IR_MEM), stall);
    Or(SD(coord, "aa"), MEM_stall, stall);
}

void Stall_MEM(const SD& coord, const Signal& IR_ID, const Signal& IR_EX, const Signal& IR_MEM,
               const Signal& stall) {
    Module(coord, "Stall_MEM", (IR_ID, IR_EX, IR_MEM), stall);
    Or(SD(coord, "aa"), Zero, stall);
}

void BasicPipe(const SD& coord, const Signal& reset, const Signal& clock, const Signal& DataBusIn,
               const Signal& memory, const Signal& read, const Signal& AddrBusOut, const Signal& DataBusOut,
               const Signal& PC, const Signal& PCtmp, const Signal& IR_ID, const Signal& PC1,
               const Signal& A, const Signal& B, const Signal& IR1, const Signal& D, const Signal& IR_EX,
               const Signal& ALUo, const Signal& DMAR, const Signal& SMDR, const Signal& N, const Signal& Z,
               const Signal& IR_MEM, const Signal& ALUo1, const Signal& LMDR, const Signal& IR_WB,
               const Signal& Reg0, const Signal& Reg1, const Signal& Reg2, const Signal& Reg3,
               const Signal& Reg4, const Signal& Reg5, const Signal& Reg6, const Signal& Reg7,
               const Signal& stallIF, const Signal& stallID, const Signal& stallEX, const Signal& stallMEM,
               const Signal& branchDecision, const Signal& MemReq) {
    Module(coord, "BasicPipe", (reset, clock, DataBusIn),
           (memory, read, AddrBusOut, DataBusOut, PC, PCtmp, IR_ID, PC1, A, B, IR1, D, IR_EX, ALUo, DMAR,
            SMDR, N, Z, IR_MEM, ALUo1, LMDR, IR_WB, Reg0, Reg1, Reg2, Reg3, Reg4, Reg5, Reg6, Reg7, stallIF,
            stallID, stallEX, stallMEM, branchDecision, MemReq));
    Signal src1_sel(3, "src1_sel"), src2_sel(3, "src2_sel"), src3_sel(3, "src3_sel"),
        branchCode(3, "branchCode"), registerSelect(3, "registerSelect");
    Signal instruction(16, "instruction"), aOut(16, "aOut"), alu1(16, "alu1"), alu2(16, "alu2"),
        IR_ID_in(16, "IR_ID_in"), IR_EX_in(16, "IR_EX_in"), IR_MEM_in(16, "IR_MEM_in"),
        IR_WB_in(16, "IR_WB_in"), src1(16, "src1"), src2(16, "src2"), src3(16, "src3"),
        registerInput(16, "registerInput");
    Signal writeRegister(1, "writeRegister"), exSetlo(1, "exSetlo"), exImmediate(1, "exImmediate"),
        exHilo(1, "exHilo"), exBranch(1, "exBranch"), memrq_IF(1, "memrq_IF"), memrq_MEM(1, "memrq_MEM"),
        rw_IF(1, "rw_IF"), rw_MEM(1, "rw_MEM"), isBranch(1, "isBranch");
    const Signal registers = (Reg7, Reg6, Reg5, Reg4, Reg3, Reg2, Reg1, Reg0);

    Registers(SD(coord, "av-dz"), reset, clock, writeRegister, registerSelect, registerInput, Reg7, Reg6, Reg5,
              Reg4, Reg3, Reg2, Reg1, Reg0);

    // Fetch, and the bubble (Reg0, always 0x0000) that replaces the fetched
    // word while IF is stalled.
    Stall_IF(SD(coord, "ja-jb"), stallID, IR_ID, IR_EX, IR_MEM, stallIF);
    IF(SD(coord, "fa-hb"), reset, clock, stallIF, branchDecision, ALUo, DataBusIn, memrq_IF, rw_IF, PC, PCtmp,
       instruction);
    Mux(SD(coord, "ic"), stallIF, (Reg0, instruction), IR_ID_in);
    IR(SD(coord, "if-ih"), reset, clock, stallID, IR_ID_in, IR_ID);

    // Decode, reading the register file through three multiplexers.
    Stall_ID(SD(coord, "jf-jh"), stallEX, IR_ID, IR_EX, IR_MEM, stallID);
    ID(SD(coord, "ff-hh"), reset, clock, stallID, IR_ID, PCtmp, src1, src2, src3, src1_sel, src2_sel, src3_sel,
       PC1, A, B, IR1, D);
    Mux(SD(coord, "bg"), src1_sel, registers, src1);
    Mux(SD(coord, "cg"), src2_sel, registers, src2);
    Mux(SD(coord, "dg"), src3_sel, registers, src3);
    Mux(SD(coord, "ij"), stallID, (Reg0, IR_ID), IR_EX_in);
    IR(SD(coord, "il-in"), reset, clock, stallEX, IR_EX_in, IR_EX);

    // Execute, with the operand selectors.
    Stall_EX(SD(coord, "jl-jn"), stallMEM, IR_ID, IR_EX, IR_MEM, stallEX);
    EX(SD(coord, "fl-hn"), reset, clock, stallEX, IR_EX, alu1, alu2, D, exBranch, exSetlo, exHilo, exImmediate,
       N, Z, ALUo, DMAR, SMDR);
    ALU1(SD(coord, "gj"), PC1, A, D, exBranch, exSetlo, alu1);
    ALU2(SD(coord, "gj"), B, IR1, exBranch, exHilo, exImmediate, alu2);
    Mux(SD(coord, "ip"), stallEX, (Reg0, IR_EX), IR_MEM_in);
    IR(SD(coord, "ir-it"), reset, clock, stallMEM, IR_MEM_in, IR_MEM);

    // Memory access; a branch in MEM decides the next fetch address.
    Stall_MEM(SD(coord, "jr-jt"), IR_ID, IR_EX, IR_MEM, stallMEM);
    MEM(SD(coord, "fr-ht"), reset, clock, stallMEM, IR_MEM, ALUo, DMAR, SMDR, DataBusIn, isBranch, branchCode,
        memrq_MEM, rw_MEM, ALUo1, LMDR, aOut, DataBusOut, MemReq);
    BranchDecision(SD(coord, "dm"), isBranch, branchCode, N, Z, branchDecision);
    Mux(SD(coord, "iv"), stallMEM, (Reg0, IR_MEM), IR_WB_in);
    IR(SD(coord, "ix-iz"), reset, clock, Zero, IR_WB_in, IR_WB);

    // Write-back into the register file as clock rises.
    WB(SD(coord, "fx-hz"), clock, IR_WB, ALUo1, LMDR, writeRegister, registerSelect, registerInput);

    // The one memory bus: the data access of MEM (MemReq low) has the
    // address bus and sets the direction; otherwise IF reads at PC.
    Or(SD(coord, "ds"), (memrq_IF, memrq_MEM), memory);
    Mux(SD(coord, "ds"), memrq_MEM, (rw_MEM, rw_IF), read);
    Mux(SD(coord, "aa"), MemReq, (PC, aOut), AddrBusOut);
}

}  // namespace pipeline
