// random-programs KORVAX [COUNT [SEED]]: programs of random instructions
// run on the stock processor and on an instruction-level model.
//
// Each program is written as assembly (pipeline/isa), loaded with -A and
// run headless with -P; the registers and flags are read from the watch
// lines. The model executes one instruction after another with the rules a
// programmer of this machine relies on: a branch acts after the three words
// behind it, and nothing else of the pipeline shows. The generator keeps to
// those rules as it writes (a register is read three instructions after it
// is written at the earliest, no flag update right behind a branch, no branch
// among the three words behind a branch nor right after a load or store,
// loads only of words that hold a value), running the model as it goes to
// know the flags and addresses.
//
// Every class appears: ALU functions in register and immediate form, with
// and without the flag bit, setlo and sethi, loads and stores in all four
// address forms to the ROM and to a window of the RAM, and branches of
// every condition, taken (forwards, over random words) and not taken
// (forwards and backwards). After the program a fixed tail loads the RAM
// window into registers. Registers and flags are compared when the tail's
// first load reaches write-back (the program has drained), the RAM window
// from the registers at the end.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "isa.h"

using namespace pipeline;

namespace {

const int BASE = 6;           // r6: the RAM window's base, never written after the start
const int baseAddress = 0x44;  // r6 + k for k = -4..1 is the window 64..69
const int windowFirst = 64, windowWords = 6;
const int tailWords = 3 + windowWords + 4;  // spacing, the loads, the final loop
const int mainLimit = programWords - tailWords;

// The processor as its programmer sees it: registers, flags, memory.
struct Model {
    int reg[8] = {};
    bool n = false, z = false;
    int ram[64];
    std::vector<int> rom;

    explicit Model(const std::vector<int>& words) : rom(words) {
        rom.resize(64, 0);
        for (int& w : ram) w = -1;
    }
    int read(int address) const { return address & 64 ? ram[address & 63] : rom[address & 63]; }
    static int address(int w, int a, int b) { return aluResult(functionOf(w), a, b) & 127; }
    // Executes one non-branch word.
    void execute(int w) {
        const int a = reg[src1Of(w)], b = isImmediate(w) ? constantOf(w) : reg[src2Of(w)];
        if (isAlu(w)) {
            int result;
            if (isSetlo(w)) result = aluResult(SETLO, reg[destOf(w)], constantOf(w));
            else if (isSethi(w)) result = aluResult(SETHI, 0, constantOf(w));
            else result = aluResult(functionOf(w), a, b);
            if (setsFlags(w)) {
                n = result >> 15 & 1;
                z = result == 0;
            }
            if (destOf(w)) reg[destOf(w)] = result;
        } else if (isLoad(w)) {
            if (destOf(w)) reg[destOf(w)] = read(address(w, a, b));
        } else if (isStore(w)) {
            const int at = address(w, a, b);
            if (at & 64) ram[at & 63] = reg[destOf(w)];
        }
    }
};

// Runs `words` from address 0 until the final loop at `end`; a taken
// branch takes effect after the three words behind it.
Model interpret(const std::vector<int>& words, int end, int& steps) {
    Model m(words);
    int pc = 0, target = -1, countdown = 0;
    for (steps = 0; pc != end && steps < 1000; steps++) {
        const int w = m.rom[pc & 63];
        int next = pc + 1;
        if (countdown > 0 && --countdown == 0) next = target;
        if (isBranch(w) && conditionHolds(destOf(w), m.n, m.z)) {
            target = (pc + displacementOf(w)) & 0xFFFF;
            countdown = 3;
        } else if (!isBranch(w)) {
            m.execute(w);
        }
        pc = next;
    }
    return m;
}

struct Generator {
    std::mt19937 rng;
    std::vector<int> words;
    std::vector<bool> decided;
    Model model{std::vector<int>()};
    int lastWrite[8];
    int executed = 0;  // instructions executed so far, in program order
    int noBranchBefore = 0, noFlagsAt = -1;
    int lastMemoryAt = -100;  // the last load or store executed
    int counts[8] = {};  // per kind, to see that each one came up

    explicit Generator(unsigned seed) : rng(seed), words(64, 0), decided(64, false) {
        for (int& w : lastWrite) w = -100;
    }
    int pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    bool readable(int r) const { return executed - lastWrite[r] >= 3; }
    int readableRegister() {
        for (int tries = 0; tries < 50; tries++) {
            const int r = pick(8);
            if (readable(r)) return r;
        }
        return 0;  // r0 reads 0 and is never written
    }
    int dest() {
        const int r = pick(8);
        return r == BASE ? 0 : r;
    }
    // Decides the word at `pos`, for the model's loads too.
    void place(int pos, int w) {
        words[pos] = w;
        model.rom[pos] = w;
        decided[pos] = true;
    }
    void emit(int& pos, int w) {
        place(pos++, w);
        model.execute(w);
        if (writesRegister(w) && destOf(w)) lastWrite[destOf(w)] = executed;
        if (isLoad(w) || isStore(w)) lastMemoryAt = executed;
        executed++;
    }
    // A load or store of the ROM's decided words or the RAM window.
    bool memoryWord(int& w, bool load) {
        for (int tries = 0; tries < 40; tries++) {
            const int fn = pick(10) < 7 ? ADD : 1 + pick(3);
            const int r = load ? dest() : readableRegister();
            int s1, second;
            bool immediate = pick(2);
            if (immediate) {
                s1 = readable(BASE) && pick(4) ? BASE : readableRegister();
                second = pick(8) - 4;
            } else {
                s1 = readableRegister();
                second = readableRegister();
            }
            w = (load ? LOAD_CLASS : STORE_CLASS) << 14 |
                (immediate ? aluImmediateWord(fn, r, s1, second) : aluWord(fn, r, s1, second));
            const int at = Model::address(w, model.reg[s1], immediate ? constantOf(w) : model.reg[second]);
            const bool inWindow = at >= windowFirst && at < windowFirst + windowWords;
            if (load ? (at < 64 ? decided[at] : inWindow && model.ram[at & 63] >= 0) : (at < 64 || inWindow))
                return true;
        }
        return false;
    }
    // One random non-branch word whose reads keep to the rules.
    int plainWord(bool flagsAllowed) {
        for (;;) {
            const bool flags = flagsAllowed && pick(3) == 0;
            const int kind = pick(10);
            int w;
            if (kind < 3) {
                w = aluWord(pick(4), dest(), readableRegister(), readableRegister(), flags);
                counts[0]++;
            } else if (kind < 5) {
                w = aluImmediateWord(pick(4), dest(), readableRegister(), pick(8) - 4, flags);
                counts[1]++;
            } else if (kind == 5) {
                int d = dest();
                if (!readable(d)) continue;  // setlo keeps d's high byte: it reads d
                w = setloWord(d, pick(256), flags);
                counts[2]++;
            } else if (kind == 6) {
                w = sethiWord(dest(), pick(256), flags);
                counts[3]++;
            } else {
                const bool load = kind < 9;
                if (!memoryWord(w, load)) continue;
                counts[load ? 4 : 5]++;
            }
            return w;
        }
    }

    // The program as words; `end` gets the address of the final loop and
    // `tail` that of the first load of the RAM window.
    void generate(int& tail, int& end) {
        int pos = 0;
        emit(pos, setloWord(BASE, baseAddress));
        while (pos < mainLimit - 8) {
            // A load or store one or two words before a branch stalls a
            // fetch while the branch is on its way to MEM: fewer than three
            // words behind it would run.
            if (executed >= noBranchBefore && executed - lastMemoryAt > 2 && pick(5) == 0) {
                const int cond = pick(8);
                const bool taken = conditionHolds(cond, model.n, model.z);
                const int b = pos;
                int target;
                if (taken) {
                    target = b + 4 + pick(4);  // over up to three random words
                    counts[6]++;
                } else {
                    target = pick(2) ? pick(b + 1) : b + 1 + pick(mainLimit - b);
                    counts[7]++;
                }
                place(pos++, branchWord(cond, target - b));
                executed++;
                noBranchBefore = executed + 3;
                noFlagsAt = executed;
                for (int slot = 0; slot < 3; slot++) emit(pos, plainWord(executed != noFlagsAt));
                if (taken) {
                    for (; pos < target; pos++) place(pos, static_cast<int>(rng() & 0xFFFF));  // never executed
                }
                continue;
            }
            emit(pos, plainWord(executed != noFlagsAt));
        }
        for (int i = 0; i < 3; i++) emit(pos, NOP_WORD);
        tail = pos;
        const int into[windowWords] = {1, 2, 3, 4, 5, 7};
        for (int i = 0; i < windowWords; i++) emit(pos, loadImmediateWord(into[i], BASE, i - 4));
        end = pos;
        words[pos++] = branchWord(BRA, 0);
        for (int i = 0; i < 3; i++) words[pos++] = NOP_WORD;
        words.resize(pos);
    }
};

std::string hex4(int v) {
    char s[8];
    std::snprintf(s, sizeof s, "%04X", v & 0xFFFF);
    return s;
}

// The watch values of one line: "Time = 5  PC=0003  …  N=0".
std::vector<std::pair<std::string, std::string>> fields(const std::string& line) {
    std::vector<std::pair<std::string, std::string>> f;
    size_t at = 0;
    while ((at = line.find("  ", at)) != std::string::npos) {
        at += 2;
        size_t next = line.find("  ", at);
        const std::string item = line.substr(at, next == std::string::npos ? std::string::npos : next - at);
        const size_t eq = item.find('=');
        if (eq != std::string::npos) f.push_back({item.substr(0, eq), item.substr(eq + 1)});
    }
    return f;
}

// A watch's hexadecimal text as a number, -1 when a digit is a letter of
// U, X or Z.
int number(const std::string& text) {
    if (text.empty() || text.find_first_of("UXZ") != std::string::npos) return -1;
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 16));
}

int failures = 0;

void fail(int index, const std::string& what, const std::string& file) {
    std::printf("FAIL program %d: %s (the program: %s)\n", index, what.c_str(), file.c_str());
    failures++;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: random-programs KORVAX [COUNT [SEED]]\n");
        return 2;
    }
    const std::string korvax = argv[1];
    const int count = argc > 2 ? std::atoi(argv[2]) : 12;
    const unsigned seed = argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 19;
    int total[8] = {};
    for (int p = 0; p < count; p++) {
        Generator g(seed * 1000 + static_cast<unsigned>(p));
        int tail = 0, end = 0;
        g.generate(tail, end);
        for (int k = 0; k < 8; k++) total[k] += g.counts[k];

        const std::string file = "random-program-" + std::to_string(p) + ".s";
        {
            std::ofstream out(file);
            out << "; random program " << p << " of seed " << seed << "\n";
            for (size_t a = 0; a < g.words.size(); a++) out << disassemble(g.words[a], static_cast<int>(a)) << "\n";
        }
        int steps = 0;
        const Model expected = interpret(g.words, end, steps);
        if (steps >= 1000) {
            fail(p, "the model does not reach the end", file);
            continue;
        }
        // The instruction-level model and the generator's must agree on
        // what the program does (the generator's flow is the model's).
        for (int r = 0; r < 8; r++)
            if (expected.reg[r] != g.model.reg[r]) fail(p, "generator and model disagree on r" + std::to_string(r), file);

        // Cycles: one per instruction, one more per load or store, and the
        // five stages to drain, with room to spare.
        const int cycles = steps + steps / 2 + 20;
        std::string command = "'" + korvax + "' -X -P -A " + file + " -k 0" + std::string(2 * cycles, '1') + " 2>&1 >/dev/null";
        FILE* run = popen(command.c_str(), "r");
        std::string text;
        char buffer[65536];
        for (size_t n; run && (n = fread(buffer, 1, sizeof buffer, run)) > 0;) text.append(buffer, n);
        if (!run || pclose(run) != 0) {
            fail(p, "the run did not end normally", file);
            continue;
        }
        std::vector<std::pair<std::string, std::string>> drained, last;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            if (line.compare(0, 7, "Time = ") != 0) continue;
            last = fields(line);
            for (auto& [k, v] : last)
                if (k == "WB" && drained.empty() && v.compare(0, 4, hex4(tail)) == 0) drained = last;
        }
        if (drained.empty()) {
            fail(p, "the tail never reached write-back", file);
            continue;
        }
        // The model once the program proper has run: the tail only loads.
        Model before = interpret(g.words, tail, steps);
        auto value = [](const std::vector<std::pair<std::string, std::string>>& f, const std::string& name) {
            for (auto& [k, v] : f)
                if (k == name) return v;
            return std::string("?");
        };
        for (int r = 0; r < 8; r++) {
            const int got = number(value(drained, "Reg" + std::to_string(r)));
            if (got != before.reg[r])
                fail(p, "r" + std::to_string(r) + " is " + hex4(got) + ", the model says " + hex4(before.reg[r]), file);
        }
        if (value(drained, "N") != (before.n ? "1" : "0") || value(drained, "Z") != (before.z ? "1" : "0"))
            fail(p, "flags N=" + value(drained, "N") + " Z=" + value(drained, "Z") + ", the model says N=" +
                        std::to_string(before.n) + " Z=" + std::to_string(before.z), file);
        const int into[windowWords] = {1, 2, 3, 4, 5, 7};
        for (int i = 0; i < windowWords; i++) {
            const int got = number(value(last, "Reg" + std::to_string(into[i])));
            const int want = expected.ram[windowFirst - 64 + i];
            if (got != want)
                fail(p, "RAM word " + std::to_string(windowFirst + i) + " is " + (got < 0 ? "unknown" : hex4(got)) +
                            ", the model says " + (want < 0 ? "unwritten" : hex4(want)), file);
        }
        if (failures == 0) std::remove(file.c_str());
    }
    const char* kinds[8] = {"ALU", "ALU immediate", "setlo", "sethi", "load", "store", "taken branch", "branch not taken"};
    for (int k = 0; k < 8; k++) {
        std::printf("%s: %d\n", kinds[k], total[k]);
        if (total[k] == 0) {
            std::printf("FAIL: no %s in %d programs\n", kinds[k], count);
            failures++;
        }
    }
    std::printf("%d failure(s) in %d program(s)\n", failures, count);
    return failures ? 1 : 0;
}
