// A test bench for the processor: BasicPipe with a memory of the stock
// design whose ROM holds the program given in the environment variable
// KORVAX_PROGRAM (hexadecimal words separated by spaces, from word 0; the
// rest is 0x0000). Keys 0 (reset, starts ONE) and 1 (clock) work as in the
// stock circuit. Every latch, the register file, the flags, the stall and
// branch signals, and the two switches get top-level probes without labels,
// so each probe line names its wire (PC[3], Reg5[15], N, clock, …).
#include <cstdlib>
#include <cstring>

#include "../../pipeline/pipeline.h"

void simnet() {
    static unsigned char rom[128];
    std::memset(rom, 0, sizeof rom);
    if (const char* text = std::getenv("KORVAX_PROGRAM")) {
        char* end = nullptr;
        for (int word = 0; word < 64; word++, text = end) {
            unsigned long value = std::strtoul(text, &end, 16);
            if (end == text) break;
            rom[2 * word] = static_cast<unsigned char>(value >> 8);
            rom[2 * word + 1] = static_cast<unsigned char>(value);
        }
    }

    Signal reset(1, "reset"), clock(1, "clock"), memory(1, "memory"), read(1, "read"), MemReq(1, "MemReq"),
        N(1, "N"), Z(1, "Z"), stallIF(1, "stallIF"), stallID(1, "stallID"), stallEX(1, "stallEX"),
        stallMEM(1, "stallMEM"), branchDecision(1, "branchDecision"), enTriLink(1, "enTriLink"),
        enTriROM(1, "enTriROM"), enTriRAM(1, "enTriRAM");
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

    Switch(SD("ad.ac-ae"), reset, '0', One, "RST");
    Switch(SD("bd.ac-ae"), clock, '1', Zero, "CLK");
    const Signal* watched[] = {&reset, &clock, &stallIF, &branchDecision, &N,    &Z,     &PC,   &PCtmp,
                               &IR_ID, &PC1,   &A,       &B,              &IR1,  &D,     &IR_EX, &ALUo,
                               &DMAR,  &SMDR,  &IR_MEM,  &ALUo1,          &LMDR, &IR_WB, &Reg0, &Reg1,
                               &Reg2,  &Reg3,  &Reg4,    &Reg5,           &Reg6, &Reg7};
    for (const Signal* s : watched) Probe(SD("aa"), *s, "");
}
