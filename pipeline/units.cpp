// The processor's instruction decoder and datapath units: the full adder and
// subtractor, the ALU bit slice and the 16-bit ALU, the incrementer that
// moves the program counter on, the two ALU operand selectors, the status
// flags and the branch-condition unit. Each function builds one module out
// of library gates, multiplexers, decoders and flip-flops (see pipeline.h
// for the ports); the pipeline stages in stages.cpp instantiate them.
#include "pipeline.h"

namespace pipeline {

void InstructionDecoder(const SD& coord, const Signal& IR, const Signal& alu, const Signal& ld,
                        const Signal& st, const Signal& branch, const Signal& sethi, const Signal& setlo,
                        const Signal& hilo, const Signal& psr, const Signal& immediate) {
    Module(coord, "InstructionDecoder", IR, (alu, ld, st, branch, sethi, setlo, hilo, psr, immediate));
    Signal and_output(1, "and_output"), add(1, "add"), or_output(1, "or_output"), _sethi(1, "_sethi"),
        subtract(1, "subtract"), hi1(1, "hi1"), lo2(1, "lo2"), _setlo(1, "_setlo"), hi2(1, "hi2"),
        lo1(1, "lo1");
    SD at(coord, "aa");

    // Class from bits 15:14; the flags are updated only by ALU instructions.
    Decoder(at, One, (IR[15], IR[14]), (branch, st, ld, alu));
    And(at, (alu, IR[10]), psr);
    Or(at, IR[6], immediate);

    // Function field 9:7. Values 4-5 are setlo and 6-7 sethi: bit 7 also
    // belongs to the constant, so it must not change the operation.
    Decoder(at, One, (IR[9], IR[8], IR[7]), (hi1, hi2, lo1, lo2, or_output, and_output, subtract, add));
    Or(at, (hi1, hi2), _sethi);
    Or(at, (lo1, lo2), _setlo);
    And(at, (alu, _sethi), sethi);
    And(at, (alu, _setlo), setlo);
    Or(at, (sethi, setlo), hilo);
}

void Adder(const SD& coord, const Signal& cin, const Signal& a, const Signal& b, const Signal& cout,
           const Signal& sum) {
    Module(coord, "Adder", (cin, a, b), (cout, sum));
    Signal x(1, "x"), z(1, "z"), y(1, "y");
    SD at(coord, "aa");
    Xor(at, (a, b), x);
    Xor(at, (x, cin), sum);
    And(at, (a, b), y);
    And(at, (cin, x), z);
    Or(at, (y, z), cout);
}

void Subtracter(const SD& coord, const Signal& cin, const Signal& a, const Signal& b, const Signal& cout,
                const Signal& s) {
    Module(coord, "Subtracter", (cin, a, b), (cout, s));
    Signal borc(1, "borc"), tmp(1, "tmp"), na(1, "na"), pos(2, "pos");
    SD at(coord, "aa");
    Xor(at, (a, b), tmp);
    Xor(at, (tmp, cin), s);
    // Borrow when a is 0 and something is taken away, or when a and b are 1
    // and a borrow comes in.
    Not(at, a, na);
    Or(at, (b, cin), borc);
    And(at, (na, borc), pos[0]);
    And(at, (a, b, cin), pos[1]);
    Or(at, (pos[1], pos[0]), cout);
}

void ALUComponent(const SD& coord, const Signal& cin, const Signal& a, const Signal& b, const Signal& c,
                  const Signal& cout, const Signal& s) {
    Module(coord, "ALUComponent", (cin, a, b, c), (cout, s));
    Signal add(1, "add"), and_output(1, "and_output"), or_output(1, "or_output"), borrow(1, "borrow"),
        subtract(1, "subtract"), carry(1, "carry");
    SD at(coord, "aa");
    Adder(at, cin, a, b, carry, add);
    Subtracter(at, cin, a, b, borrow, subtract);
    And(at, (a, b), and_output);
    Or(at, (a, b), or_output);
    // The chained carry is the borrow when subtracting.
    Mux(at, c[0], (borrow, carry), cout);
    Mux(at, (c[1], c[0]), (or_output, and_output, subtract, add), s);
}

void ALU(const SD& coord, const Signal& a, const Signal& b, const Signal& c, const Signal& out,
         const Signal& N, const Signal& Z) {
    Module(coord, "ALU", (a, b, c), (out, N, Z));
    Signal s(16, "s"), carry(16, "carry"), hilo(16, "hilo");
    SD at(coord, "aa");

    // Ripple of sixteen slices; the carry (or borrow) out of bit 15 is dropped.
    for (int i = 0; i < 16; i++)
        ALUComponent(at, i == 0 ? Zero : carry[i - 1], a[i], b[i], (c[1], c[0]), carry[i], s[i]);

    // sethi puts the constant in the high byte; setlo keeps the first
    // operand's high byte under the constant.
    Mux(at, c[1], ((b.sub(7, 0), 8 * Zero), (a.sub(15, 8), b.sub(7, 0))), hilo.sub(15, 0));
    Mux(at, c[2], (hilo.sub(15, 0), s.sub(15, 0)), out.sub(15, 0));
    Or(at, out[15], N);
    Nor(at, out.sub(15, 0), Z);
}

void Plus1(const SD& coord, const Signal& in, const Signal& out) {
    Module(coord, "Plus1", in, out);
    Signal c(16, "c");
    SD at(coord, "aa");
    Adder(at, Zero, in[0], One, c[0], out[0]);
    for (int i = 1; i < 16; i++) Adder(at, c[i - 1], in[i], Zero, c[i], out[i]);
}

void ALU1(const SD& coord, const Signal& PC1, const Signal& A, const Signal& D, const Signal& branch,
          const Signal& setlo, const Signal& out) {
    Module(coord, "ALU1", (PC1, A, D, branch, setlo), out);
    Signal inter(16, "inter");
    // setlo works on the destination register's value (to keep its high
    // byte); a branch adds its displacement to its own address.
    Mux(SD(coord, "aa"), setlo, (D, A), inter);
    Mux(SD(coord, "ab"), branch, (PC1, inter), out);
}

void ALU2(const SD& coord, const Signal& B, const Signal& IR1, const Signal& branch, const Signal& hilo,
          const Signal& immediate, const Signal& out) {
    Module(coord, "ALU2", (B, IR1, branch, hilo, immediate), out);
    Signal condition(1, "condition");
    Or(SD(coord, "aa"), (branch, hilo, immediate), condition);
    Mux(SD(coord, "ab"), condition, (IR1, B), out);
}

void PSR(const SD& coord, const Signal& reset, const Signal& update, const Signal& Ni, const Signal& Zi,
         const Signal& N, const Signal& Z) {
    Module(coord, "PSR", (reset, update, Ni, Zi), (N, Z));
    Dff(SD(coord, "ba"), (Zero, Ni, update, reset), N);
    Dff(SD(coord, "bb"), (Zero, Zi, update, reset), Z);
}

void BranchDecision(const SD& coord, const Signal& isBranch, const Signal& c, const Signal& lt,
                    const Signal& eq, const Signal& branch) {
    Module(coord, "BranchDecision", (isBranch, c, lt, eq), branch);
    Signal BLT(1, "BLT"), garbage(1, "garbage"), BRA(1, "BRA"), BEQ(1, "BEQ"), BGT(1, "BGT"),
        BGE(1, "BGE"), gt(1, "gt"), BLE(1, "BLE"), ge(1, "ge"), le(1, "le"), ne(1, "ne"), BNE(1, "BNE"),
        conditionMet(1, "conditionMet"), opt(6, "opt");
    SD at(coord, "aa");

    // Condition 7 decodes to `garbage`, which feeds nothing: never taken.
    Decoder(at, One, (c[2], c[1], c[0]), (garbage, BGE, BGT, BLE, BLT, BNE, BEQ, BRA));
    Not(at, eq, ne);
    Or(at, (lt, eq), le);
    Not(at, le, gt);
    Not(at, lt, ge);
    And(at, (BEQ, eq), opt[0]);
    And(at, (BNE, ne), opt[1]);
    And(at, (BLT, lt), opt[2]);
    And(at, (BLE, le), opt[3]);
    And(at, (BGT, gt), opt[4]);
    And(at, (BGE, ge), opt[5]);
    Or(at, (BRA, opt.sub(5, 0)), conditionMet);
    And(at, (conditionMet, isBranch), branch);
}

}  // namespace pipeline
