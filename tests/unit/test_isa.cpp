// The processor's instruction set (pipeline/isa.h): every word's disassembly
// reassembles to the same word, the words of each instruction class as the
// instruction format lays them out, the assembler's labels, directives and
// numbers, and its messages with the line they name.
#include <gtest/gtest.h>

#include <string>

#include "isa.h"

using namespace pipeline;

namespace {

// The one word `text` assembles to, or -1 with the message in `error`.
int one(const std::string& text, std::string* error = nullptr) {
    Assembly a = assemble(text);
    if (!a.ok || a.words.size() != 1) {
        if (error) *error = a.error;
        return -1;
    }
    return a.words[0];
}

TEST(Isa, EveryWordReassemblesToItself) {
    int words = 0, plain = 0;
    for (int w = 0; w <= 0xFFFF; w++) {
        const std::string text = disassemble(w);
        std::string error;
        ASSERT_EQ(one(text, &error), w) << "word " << w << " \"" << text << "\" " << error;
        if (text.compare(0, 5, ".word") == 0) plain++;
        words++;
    }
    EXPECT_EQ(words, 65536);
    // Only loads and stores with bit 10 or function 4..7 have no instruction:
    // 2 classes x 2^14 words, of which 1/4 have neither.
    EXPECT_EQ(plain, 2 * 16384 * 3 / 4);
}

TEST(Isa, BranchTargetsByAddressReassemble) {
    // At word 5 a branch names its target, below 0 wrapping round to 0xFFFF.
    for (int w = BRANCH_CLASS << 14; w <= 0xFFFF; w++) {
        Assembly a = assemble(".org 5\n" + disassemble(w, 5));
        ASSERT_TRUE(a.ok) << disassemble(w, 5) << ": " << a.error;
        ASSERT_EQ(a.words.back(), w) << disassemble(w, 5);
    }
    EXPECT_EQ(disassemble(branchWord(BNE, -1), 5), "bne 0x0004");
    EXPECT_EQ(disassemble(branchWord(BRA, -6), 5), "bra 0xFFFF");
    EXPECT_EQ(disassemble(0x4813, 5), "ld r1, [r2 + r3]");
}

TEST(Isa, DisassemblyOfEachClass) {
    EXPECT_EQ(disassemble(0x0000), "nop");
    EXPECT_EQ(disassemble(0x0001), "add r0, r0, r1");
    EXPECT_EQ(disassemble(aluWord(SUBTRACT, 3, 1, 2, true)), "sub.f r3, r1, r2");
    EXPECT_EQ(disassemble(aluImmediateWord(ADD, 2, 1, -1)), "add r2, r1, -1");
    EXPECT_EQ(disassemble(aluImmediateWord(OR, 6, 0, -4)), "or r6, r0, -4");
    EXPECT_EQ(disassemble(0x0A41), "setlo r1, 0x41");
    EXPECT_EQ(disassemble(sethiWord(4, 0x80, true)), "sethi.f r4, 0x80");
    EXPECT_EQ(disassemble(0x4813), "ld r1, [r2 + r3]");
    EXPECT_EQ(disassemble(storeImmediateWord(2, 6, -4)), "st r2, [r6 + -4]");
    EXPECT_EQ(disassemble(loadWord(1, 2, 3) | SUBTRACT << 7), "ld r1, [r2 - r3]");
    EXPECT_EQ(disassemble(loadWord(1, 2, 3) | 1 << 10), ".word 0x4C13");
    EXPECT_EQ(disassemble(branchWord(BNE, -2)), "bne .-2");
    EXPECT_EQ(disassemble(branchWord(BRA, 0)), "bra .");
    EXPECT_EQ(disassemble(0xFFFE), "bnv .-2");  // the stored program's data word
}

TEST(Isa, FieldsFollowTheFormat) {
    // setlo/sethi keep two function values each, chosen by the byte's top bit.
    EXPECT_EQ(functionOf(setloWord(1, 0x7F)), 4);
    EXPECT_EQ(functionOf(setloWord(1, 0x80)), 5);
    EXPECT_EQ(functionOf(sethiWord(1, 0x00)), 6);
    EXPECT_EQ(functionOf(sethiWord(1, 0xFF)), 7);
    EXPECT_TRUE(isSetlo(setloWord(1, 0x80)));
    EXPECT_TRUE(isSethi(sethiWord(1, 0x80)));
    EXPECT_FALSE(isSetlo(loadWord(1, 2, 3) | 4 << 7));  // only the ALU class
    EXPECT_TRUE(setsFlags(aluWord(ADD, 1, 1, 1, true)));
    EXPECT_FALSE(setsFlags(branchWord(BRA, 0x400)));  // bit 10 of a displacement
    EXPECT_EQ(constantOf(aluImmediateWord(ADD, 1, 1, -1)), 0xFFFF);
    EXPECT_EQ(constantOf(branchWord(BRA, -1024)), 0xFC00);
    EXPECT_EQ(constantOf(setloWord(1, 0xFE)), 0x00FE);
    EXPECT_EQ(displacementOf(branchWord(BEQ, 1023)), 1023);
    EXPECT_EQ(aluResult(SUBTRACT, 0, 1), 0xFFFF);
    EXPECT_EQ(aluResult(SETLO, 0x1234, 0xABCD), 0x12CD);
    EXPECT_EQ(aluResult(SETHI + 1, 0x1234, 0x00AB), 0xAB00);
    // Taken: Z, N, neither for each condition.
    const bool taken[8][3] = {{1, 1, 1}, {1, 0, 0}, {0, 1, 1}, {0, 1, 0}, {1, 1, 0}, {0, 0, 1}, {1, 0, 1}, {0, 0, 0}};
    for (int c = 0; c < 8; c++) {
        EXPECT_EQ(conditionHolds(c, false, true), taken[c][0]) << c;
        EXPECT_EQ(conditionHolds(c, true, false), taken[c][1]) << c;
        EXPECT_EQ(conditionHolds(c, false, false), taken[c][2]) << c;
    }
}

TEST(Isa, ProgramsWithLabelsDirectivesAndComments) {
    Assembly a = assemble(
        "; a loop\n"
        "start:  setlo r1, 3      # counter\n"
        "        nop\n"
        "loop:   sub.f r1, r1, 1\n"
        "        bne loop\n"
        "        BRA Start_2 ; upper case mnemonic, label later\n"
        "Start_2: bra start\n"
        "        ld r2, [r6]\n"
        "        .word -1\n"
        "        .org 12\n"
        "        .word 0x1234\n"
        "        bra 0\n");
    ASSERT_TRUE(a.ok) << a.errorLine << ": " << a.error;
    ASSERT_EQ(a.words.size(), 14u);
    EXPECT_EQ(a.words[0], setloWord(1, 3));
    EXPECT_EQ(a.words[2], aluImmediateWord(SUBTRACT, 1, 1, 1, true));
    EXPECT_EQ(a.words[3], branchWord(BNE, -1));
    EXPECT_EQ(a.words[4], branchWord(BRA, 1));
    EXPECT_EQ(a.words[5], branchWord(BRA, -5));
    EXPECT_EQ(a.words[6], loadWord(2, 6, 0));
    EXPECT_EQ(a.words[7], 0xFFFF);
    for (int i = 8; i < 12; i++) EXPECT_EQ(a.words[i], 0) << i;
    EXPECT_EQ(a.words[12], 0x1234);
    EXPECT_EQ(a.words[13], branchWord(BRA, -13));
    EXPECT_TRUE(assemble("").ok);
    EXPECT_TRUE(assemble("; only a comment\n\n").words.empty());
}

TEST(Isa, FaultsNameTheirLine) {
    struct Case {
        const char* text;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"nop\nadd r1, r9, r2\n", 2, "unknown register r9"},
        {"add r1, r2\n", 1, "add takes 3 operands, found 2"},
        {"add r1, r2, 4\n", 1, "immediate 4 out of range -4..3"},
        {"add r1, r2, x\n", 1, "expected a register, found 'x'"},
        {"setlo r1, 256\n", 1, "constant 256 out of range 0..255"},
        {"setlo r1, 0xZZ\n", 1, "bad number '0xZZ'"},
        {"mul r1, r2, r3\n", 1, "unknown instruction mul"},
        {"ld.f r1, [r2]\n", 1, "unknown instruction ld.f"},
        {"ld r1, r2\n", 1, "expected an address [rs1 + rs2] or [rs1 + k], found 'r2'"},
        {"nop\n\nbeq nowhere\n", 3, "undefined label nowhere"},
        {"a: nop\na: nop\n", 2, "label a defined twice (first at line 1)"},
        {"bra 2000\n", 1, "branch target 2000 out of reach (more than 1024 words away)"},
        {".org 5\n.org 2\n", 2, ".org 2 goes back (the program is at word 5)"},
        {"1x: nop\n", 1, "bad label '1x'"},
        // The earliest line wins, whichever pass found its fault.
        {"bra later\nbad r1\nlater: nop\nlater: nop\n", 2, "unknown instruction bad"},
    };
    for (const Case& c : cases) {
        Assembly a = assemble(c.text);
        EXPECT_FALSE(a.ok) << c.text;
        EXPECT_EQ(a.errorLine, c.line) << c.text;
        EXPECT_EQ(a.error, c.message) << c.text;
    }
    std::string full;
    for (int i = 0; i < 64; i++) full += "nop\n";
    EXPECT_TRUE(assemble(full).ok);
    Assembly over = assemble(full + "nop\n");
    EXPECT_FALSE(over.ok);
    EXPECT_EQ(over.errorLine, 65);
    EXPECT_EQ(over.error, "program longer than 64 words");
    Assembly org = assemble(".org 64\nnop\n");
    EXPECT_EQ(org.errorLine, 2);
}

}  // namespace
