// The processor's memory system: address decoding into a 64-word ROM (below
// address 64) and a 64-word RAM of two byte-wide halves (64 to 127; higher
// address bits are ignored), and the tri-state drivers of the data bus.
// Memory takes the ROM contents as an argument so that a test bench can load
// a program of its own; 2-ld-instr.cpp supplies the stored program.
#include "pipeline.h"

namespace pipeline {

void MemAddr1(const SD& coord, const Signal& MREQ, const Signal& Read, const Signal& A6,
              const Signal& enTriROM) {
    Module(coord, "MemAddr1", (MREQ, Read, A6), enTriROM);
    Signal enTriROM_temp(1, "enTriROM_temp"), nA6(1, "nA6");
    Not(SD(coord, "aa"), A6, nA6);
    Nand(SD(coord, "ba"), (MREQ, Read, nA6), enTriROM_temp);
    Not(SD(coord, "aa"), enTriROM_temp, enTriROM);
}

void MemAddr2(const SD& coord, const Signal& MREQ, const Signal& Read, const Signal& A6, const Signal& RW,
              const Signal& enRAM, const Signal& enTriRAM) {
    Module(coord, "MemAddr2", (MREQ, Read, A6), (RW, enRAM, enTriRAM));
    Signal RW_temp(1, "RW_temp"), enTriRAM_temp(1, "enTriRAM_temp"), enRAM_temp(1, "enRAM_temp");
    Or(SD(coord, "aa"), Read, RW_temp);
    Not(SD(coord, "aa"), RW_temp, RW);
    Nand(SD(coord, "ba"), (MREQ, A6), enRAM_temp);
    Not(SD(coord, "aa"), enRAM_temp, enRAM);
    Nand(SD(coord, "ca"), (MREQ, Read, A6), enTriRAM_temp);
    Not(SD(coord, "aa"), enTriRAM_temp, enTriRAM);
}

void Memory(const SD& coord, const Signal& MReq, const Signal& Read, const Signal& Addr, const Signal& DataIn,
            const Signal& DataOut, const Signal& enTriLink, const Signal& enTriROM, const Signal& enTriRAM,
            const unsigned char* romContents) {
    Module(coord, "Memory", (MReq, Read, Addr, DataIn), (DataOut, enTriLink, enTriROM, enTriRAM));
    Signal RomOut(16, "RomOut"), enTriLink_temp(1, "enTriLink_temp"), RW(1, "RW"), enRAM(1, "enRAM"),
        Ram1Out(8, "Ram1Out"), Ram2Out(8, "Ram2Out");
    SD at(coord, "aa");

    // Word address bits 5:0 for both devices; each RAM half has one read
    // port and one write port (strobe RW, enable enRAM) on the same address.
    Rom(SD(coord, "aa-ea"), Addr.sub(5, 0), RomOut.sub(15, 0), 64, 16, romContents);
    const Signal ramControl = ((enRAM, RW, Addr.sub(5, 0)), Addr.sub(5, 0));
    Ram(SD(coord, "ad-ed"), ramControl, DataIn.sub(15, 8), Ram1Out.sub(7, 0), 64, 8, 6, 1, 1);
    Ram(SD(coord, "af-ef"), ramControl, DataIn.sub(7, 0), Ram2Out.sub(7, 0), 64, 8, 6, 1, 1);

    // Except during a read, whatever the processor drives is looped back
    // onto the data bus.
    And(at, (MReq, Read), enTriLink_temp);
    Not(at, enTriLink_temp, enTriLink);
    MemAddr1(SD(coord, "fa"), MReq, Read, Addr[6], enTriROM);
    MemAddr2(SD(coord, "fd"), MReq, Read, Addr[6], RW, enRAM, enTriRAM);

    // Three drivers per data bit, at most one of them enabled.
    SD loop(coord, "ab-eb");
    for (int i = 15; i >= 0; i--) Tsb(loop, DataIn[i], enTriLink, DataOut[i]);
    for (int i = 15; i >= 0; i--) Tsb(loop, RomOut[i], enTriROM, DataOut[i]);
    SD ram(coord, "ae-ee");
    for (int i = 7; i >= 0; i--) Tsb(ram, Ram1Out[i], enTriRAM, DataOut[i + 8]);
    for (int i = 7; i >= 0; i--) Tsb(ram, Ram2Out[i], enTriRAM, DataOut[i]);
}

}  // namespace pipeline
