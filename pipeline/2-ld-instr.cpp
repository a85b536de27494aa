// The stock circuit: the pipelined processor with its memory, the stored
// program, the reset and clock switches and the wall of probes.
//
// simnet builds BasicPipe and a Memory whose ROM holds a short program:
// six setlo instructions load constants into r1..r5 and r7, five empty
// words let them reach write-back, word 11 loads r1 from address r2 + r3 =
// 32 (the ROM word 0xFFFE), and words 12-15 read registers without effect.
// Key 0 releases reset (the machine starts in reset); each key 1 toggles the
// clock, so two presses make one cycle. The probes spell out every latch of
// the pipeline, the buses and the register file on the schematic; without a
// display the top-level ones print their changes.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "isa.h"
#include "pipeline.h"

namespace pipeline {

// 64 words, high byte first; all words not listed are 0x0000.
const unsigned char storedProgram[128] = {
    0x0A, 0x41,  // 0: setlo r1, 0x41
    0x12, 0x0A,  // 1: setlo r2, 0x0A
    0x1A, 0x16,  // 2: setlo r3, 0x16
    0x22, 0x01,  // 3: setlo r4, 0x01
    0x2A, 0x08,  // 4: setlo r5, 0x08
    0x3A, 0x02,  // 5: setlo r7, 0x02
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 6-10: spacing
    0x48, 0x13,  // 11: ld r1, [r2 + r3]
    0x00, 0x01,  // 12: add r0, r0, r1 (no effect)
    0x00, 0x02,  // 13: add r0, r0, r2
    0x00, 0x03,  // 14: add r0, r0, r3
    0x00, 0x04,  // 15: add r0, r0, r4
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 16-19
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 20-23
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 24-27
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 28-31
    0xFF, 0xFE,  // 32: the word loaded by word 11
};

}  // namespace pipeline

namespace {

// The program of -A as ROM bytes, high byte first. A file that cannot be
// read or does not assemble ends the program with status 2 before anything
// is built, its fault on one line: "prog.s:7: unknown register r9".
void assembleProgramFile(const char* path, unsigned char* rom) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    if (!in) {
        std::fprintf(stderr, "%s: cannot read the program\n", path);
        exitProgram(2);
    }
    pipeline::Assembly a = pipeline::assemble(text.str());
    if (!a.ok) {
        std::fprintf(stderr, "%s:%d: %s\n", path, a.errorLine, a.error.c_str());
        exitProgram(2);
    }
    for (size_t w = 0; w < a.words.size(); w++) {
        rom[2 * w] = static_cast<unsigned char>(a.words[w] >> 8);
        rom[2 * w + 1] = static_cast<unsigned char>(a.words[w]);
    }
}

// Sixteen one-bit probes on `bus`, bit 15 first. labels[15 - b] is the
// label of bit b, a space meaning none (the probe then shows the wire's
// name). The probes fill the sub-cells aa..ae of a grid cell, starting at
// sub-cell `sub` of `cell`, then go on to the next cell to the right; a cell
// may be a range such as da-ea, which then moves as a whole.
void busProbe(const Signal& bus, const char* labels, const char* cell, char sub) {
    std::string at = cell;
    for (int b = 15; b >= 0; b--) {
        std::string position = at + ".a" + sub;
        char label = labels[15 - b];
        Probe(SD(position.c_str()), bus[b], label == ' ' ? std::string() : std::string(1, label));
        if (++sub > 'e') {
            sub = 'a';
            for (size_t i = 1; i < at.size(); i += 3) at[i]++;
        }
    }
}

// An inverter of Zero that only takes up an empty place of the probe grid.
void filler(const char* position, const Signal& out) { Not(SD(position), Zero, out); }

}  // namespace

namespace pipeline {

void Memory(const SD& coord, const Signal& MReq, const Signal& Read, const Signal& Addr, const Signal& DataIn,
            const Signal& DataOut, const Signal& enTriLink, const Signal& enTriROM, const Signal& enTriRAM) {
    Memory(coord, MReq, Read, Addr, DataIn, DataOut, enTriLink, enTriROM, enTriRAM, storedProgram);
}

}  // namespace pipeline

void simnet() {
    // The ROM's contents: the stored program, or the program of -A.
    static unsigned char assembled[128];
    const unsigned char* rom = pipeline::storedProgram;
    if (programPath) {
        assembleProgramFile(programPath, assembled);
        rom = assembled;
        programLoadedFlag = 1;
    }

    Signal reset(1, "reset"), clock(1, "clock"), memory(1, "memory"), read(1, "read"), MemReq(1, "MemReq"),
        N(1, "N"), Z(1, "Z"), stallIF(1, "stallIF"), stallID(1, "stallID"), stallEX(1, "stallEX"),
        stallMEM(1, "stallMEM"), branchDecision(1, "branchDecision"), enTriLink(1, "enTriLink"),
        enTriROM(1, "enTriROM"), enTriRAM(1, "enTriRAM");
    Signal _1(1, "_1"), _2(1, "_2"), _3(1, "_3"), _4(1, "_4"), _5(1, "_5"), _6(1, "_6"), _7(1, "_7"),
        _8(1, "_8"), _9(1, "_9"), _10(1, "_10"), _11(1, "_11"), _12(1, "_12"), _13(1, "_13"), _14(1, "_14"),
        _15(1, "_15");
    Signal PC(16, "PC"), PCtmp(16, "PCtmp"), IR_ID(16, "IR_ID"), PC1(16, "PC1"), A(16, "A"), B(16, "B"),
        IR1(16, "IR1"), D(16, "D"), IR_EX(16, "IR_EX"), ALUo(16, "ALUo"), DMAR(16, "DMAR"), SMDR(16, "SMDR"),
        IR_MEM(16, "IR_MEM"), ALUo1(16, "ALUo1"), LMDR(16, "LMDR"), IR_WB(16, "IR_WB");
    Signal Reg0(16, "Reg0"), Reg1(16, "Reg1"), Reg2(16, "Reg2"), Reg3(16, "Reg3"), Reg4(16, "Reg4"),
        Reg5(16, "Reg5"), Reg6(16, "Reg6"), Reg7(16, "Reg7");
    Signal AddrBus(16, "AddrBus"), DataBus(16, "DataBus"), DataWrite(16, "DataWrite");

    pipeline::BasicPipe(SD("la-sj"), reset, clock, DataBus, memory, read, AddrBus, DataWrite, PC, PCtmp, IR_ID,
                        PC1, A, B, IR1, D, IR_EX, ALUo, DMAR, SMDR, N, Z, IR_MEM, ALUo1, LMDR, IR_WB, Reg0, Reg1,
                        Reg2, Reg3, Reg4, Reg5, Reg6, Reg7, stallIF, stallID, stallEX, stallMEM, branchDecision,
                        MemReq);
    pipeline::Memory(SD("ol-sn"), memory, read, AddrBus, DataWrite, DataBus, enTriLink, enTriROM, enTriRAM, rom);

    // Fetch stage, and the two switches.
    busProbe(PC, "IF: PC          ", "aa", 'a');
    busProbe(PCtmp, "IF: PCtmp       ", "ba", 'a');
    Switch(SD("ad.ac-ae"), reset, '0', One, "0:RST");
    Switch(SD("bd.ac-ae"), clock, '1', Zero, "1:CLK");

    // The memory bus.
    Probe(SD("ak.aa-ac"), memory, "MemRq");
    busProbe(AddrBus, "Address Bus     ", "ak", 'e');
    Probe(SD("bk.aa-ac"), read, "R/W");
    busProbe(DataBus, "Data Bus        ", "bk", 'e');

    // The instruction registers between the stages, and the stall chain.
    busProbe(IR_ID, "ID: IR          ", "da-ea", 'a');
    busProbe(IR_EX, "EX: IR          ", "dd-ed", 'd');
    filler("dg-eg.ae", _1);
    filler("dh-eh.aa", _2);
    busProbe(IR_MEM, "MEM: IR         ", "dh-eh", 'b');
    busProbe(IR_WB, "WB: IR          ", "dk-ek", 'e');
    Probe(SD("ca"), stallIF, "Stall_IF");
    Probe(SD("cd"), stallID, "Stall_ID");
    Probe(SD("cg"), stallEX, "Stall_EX");
    Probe(SD("ai"), branchDecision, "Branch?");
    Probe(SD("ck"), stallMEM, "Stall_MEM");

    // Latches of ID.
    busProbe(PC1, "ID: PC1         ", "fa", 'a');
    filler("fd.ae", _3);
    busProbe(A, "ID: A           ", "ga", 'a');
    busProbe(B, "ID: B           ", "ha", 'a');
    busProbe(IR1, "ID: IR1         ", "ia", 'a');
    filler("id.ae", _4);
    busProbe(D, "ID: D           ", "ja", 'a');

    // Flags and latches of EX, then of MEM.
    Probe(SD("ff.aa-ab"), N, "N");
    Probe(SD("ff.ad-ae"), Z, "Z");
    busProbe(ALUo, "EX: ALUo        ", "gd", 'd');
    busProbe(DMAR, "EX: DMAR        ", "hd", 'd');
    busProbe(SMDR, "EX: SMDR        ", "jd", 'd');
    filler("gg.ae", _5);
    filler("hg.ae", _7);
    filler("jg.ae", _8);
    busProbe(ALUo1, "MEM: ALUo1      ", "gh", 'b');
    busProbe(LMDR, "MEM: LMDR       ", "jh", 'b');
    filler("gh.aa", _6);
    filler("jh.aa", _9);

    // The register file.
    busProbe(Reg0, "Reg0            ", "fk", 'e');
    busProbe(Reg1, "Reg1            ", "gk", 'e');
    busProbe(Reg2, "Reg2            ", "hk", 'e');
    busProbe(Reg3, "Reg3            ", "ik", 'e');
    busProbe(Reg4, "Reg4            ", "jk", 'e');
    busProbe(Reg5, "Reg5            ", "kk", 'e');
    busProbe(Reg6, "Reg6            ", "lk", 'e');
    busProbe(Reg7, "Reg7            ", "mk", 'e');
    filler("fk.aa", _10);
    filler("hk.aa", _11);
    filler("ik.aa", _12);
    filler("kk.aa", _13);
    filler("lk.aa", _14);
    filler("mk.aa", _15);

    // Watches, shown with -P (no component and no wire).
    const Signal* registers[8] = {&Reg0, &Reg1, &Reg2, &Reg3, &Reg4, &Reg5, &Reg6, &Reg7};
    pipeline::ProcessorWatches(reset, clock, PC, PCtmp, IR_ID, PC1, IR_EX, IR_MEM, IR_WB, registers, N, Z, stallIF,
                               stallID, stallEX, stallMEM, rom);
}
