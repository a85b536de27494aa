// check-pipeline: runs the gate-level processor headless and checks what its
// probes show.
//
//   check-pipeline programs BENCH   test programs on the test bench circuit,
//                                   compared key by key with the word-level
//                                   model of machine.h
//   check-pipeline stock KORVAX     the stock executable: its register values,
//                                   the load's stall, clocking under reset
//
// Both read the probe lines a run writes to standard error ("Time = …  Probe
// for DECAL at POSITION  Value = …"), keep the last value of every probe and
// turn groups of sixteen into words (-1 when a bit is not ZERO or ONE).
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "machine.h"

using namespace machine;

namespace {

int failures = 0;

void fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    failures++;
}

std::string hex(int v) {
    if (v < 0) return "unknown";
    char s[16];
    std::snprintf(s, sizeof s, "0x%04X", v);
    return s;
}

// The standard error of a headless run, standard output discarded.
std::string run(const std::string& env, const std::string& exe, const std::string& keys) {
    std::string command = env + " '" + exe + "' -X -k '" + keys + "' 2>&1 >/dev/null";
    FILE* p = popen(command.c_str(), "r");
    std::string text;
    char buffer[65536];
    for (size_t n; p && (n = fread(buffer, 1, sizeof buffer, p)) > 0;) text.append(buffer, n);
    if (!p || pclose(p) != 0) fail("run did not end normally: " + command);
    return text;
}

struct ProbeLine {
    long time;
    std::string decal, position, value;
};

// Calls `each` for every probe line of `text`, in order.
void probeLines(const std::string& text, const std::function<void(const ProbeLine&)>& each) {
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        size_t p = line.find("  Probe for "), a = line.rfind(" at "), v = line.rfind("  Value = ");
        if (line.compare(0, 7, "Time = ") != 0 || p == std::string::npos || a == std::string::npos ||
            v == std::string::npos)
            continue;
        each({std::atol(line.c_str() + 7), line.substr(p + 12, a - p - 12), line.substr(a + 4, v - a - 4),
              line.substr(v + 10)});
    }
}

// A word from the values of its bits, keyed by `bit(b)`; -1 if any is unknown.
int word(const std::map<std::string, std::string>& values, int width,
         const std::function<std::string(int)>& bit) {
    int w = 0;
    for (int b = 0; b < width; b++) {
        auto v = values.find(bit(b));
        if (v == values.end() || (v->second != "ONE" && v->second != "ZERO")) return -1;
        if (v->second == "ONE") w |= 1 << b;
    }
    return w;
}

// ---- Test programs on the bench, against the model ----

const char* const benchWords[] = {"PC",   "PCtmp", "IR_ID", "PC1",  "A",    "B",    "IR1",  "D",    "IR_EX",
                                  "ALUo", "DMAR",  "SMDR",  "IR_MEM", "ALUo1", "LMDR", "IR_WB", "Reg0", "Reg1",
                                  "Reg2", "Reg3",  "Reg4",  "Reg5", "Reg6", "Reg7"};
const char* const benchBits[] = {"N", "Z", "stallIF", "branchDecision"};

// The bench's settled state after each key: a snapshot is taken when a
// switch starts to change (its XXX line), which is when the next key has
// been typed into a quiet circuit; the last one when the run ends.
std::vector<std::map<std::string, int>> benchStates(const std::string& exe, const std::vector<int>& program,
                                                   const std::string& keys) {
    std::string env = "KORVAX_PROGRAM='";
    for (int w : program) env += hex(w).substr(2) + " ";
    env += "'";
    std::map<std::string, std::string> values;
    std::vector<std::map<std::string, int>> states;
    auto snapshot = [&] {
        std::map<std::string, int> s;
        for (const char* name : benchWords)
            s[name] = word(values, 16, [&](int b) { return std::string(name) + "[" + std::to_string(b) + "]"; });
        for (const char* name : benchBits) s[name] = word(values, 1, [&](int) { return name; });
        states.push_back(s);
    };
    probeLines(run(env, exe, keys), [&](const ProbeLine& l) {
        // The switches take their initial values at ticks 7 to 10.
        if ((l.decal == "reset" || l.decal == "clock") && l.value == "XXX" && l.time > 10) snapshot();
        values[l.decal] = l.value;
    });
    snapshot();
    return states;
}

struct Program {
    std::string name;
    std::vector<int> words;
    std::function<void(const std::map<std::string, int>&)> intent;  // checks the program tests what it says
    std::string keys;                                                // default: reset released, enough cycles
};

void expect(const std::string& program, const std::map<std::string, int>& s, const char* name, int value) {
    if (s.at(name) != value) fail(program + ": the model ends with " + name + " = " + hex(s.at(name)) +
                                  ", the program was written for " + hex(value));
}

// Runs `p` on the bench and on the model with the same keys and compares
// every exported latch after every key.
void checkProgram(const std::string& exe, const Program& p) {
    std::string keys = p.keys.empty() ? "0" + std::string(2 * (p.words.size() + 20), '1') : p.keys;
    auto states = benchStates(exe, p.words, keys);
    if (states.size() != keys.size() + 1) {
        fail(p.name + ": " + std::to_string(states.size()) + " states for " +
             std::to_string(keys.size()) + " keys");
        return;
    }
    Machine m(p.words);
    for (size_t k = 0; k <= keys.size(); k++) {
        if (k > 0) m.key(keys[k - 1]);
        for (const auto& [name, expected] : m.state()) {
            int got = states[k].at(name);
            if (got != expected) {
                fail(p.name + ": after key " + std::to_string(k) + " '" + keys.substr(0, k) + "', " +
                     name + " is " + hex(got) + ", the model says " + hex(expected));
                return;
            }
        }
    }
    if (p.intent) p.intent(m.state());
}

std::vector<Program> programs() {
    std::vector<Program> list;
    auto add = [&list](const std::string& name, const std::vector<int>& words,
                       std::function<void(const std::map<std::string, int>&)> intent, const std::string& keys = "") {
        list.push_back({name, words, intent, keys});
    };
    add("add, subtract, and, or",
                    {sethi(1, 0x12), setlo(2, 0x05), NOP, NOP, setlo(1, 0x34), NOP, NOP, alu(ADD, 3, 1, 2),
                     alu(SUB, 4, 2, 1), alu(AND, 5, 1, 2), alu(OR, 6, 1, 2), alu(SUB, 7, 0, 2), br(BRA, 0)},
                    [](auto& s) {
                        expect("arithmetic", s, "Reg3", 0x1239);
                        expect("arithmetic", s, "Reg4", 0xEDD1);  // borrows out of bit 15
                        expect("arithmetic", s, "Reg5", 0x0004);
                        expect("arithmetic", s, "Reg6", 0x1235);
                    });
    add("immediates",
                    {setlo(1, 0x10), NOP, NOP, aluI(ADD, 2, 1, -1), aluI(ADD, 3, 1, 3), aluI(SUB, 4, 1, -4),
                     aluI(AND, 5, 1, -1), aluI(OR, 6, 0, -2), br(BRA, 0)},
                    [](auto& s) {
                        expect("immediates", s, "Reg2", 0x000F);  // field 7 is -1
                        expect("immediates", s, "Reg6", 0xFFFE);
                    });
    add("sethi and setlo",
                    {sethi(1, 0xAB), setlo(2, 0xCD), setlo(3, 0x80), sethi(4, 0x7F), NOP, setlo(1, 0x99),
                     sethi(2, 0x11), setlo(4, 0xFF), br(BRA, 0)},
                    [](auto& s) {
                        expect("sethi/setlo", s, "Reg1", 0xAB99);  // setlo keeps the high byte
                        expect("sethi/setlo", s, "Reg2", 0x1100);  // sethi clears the low byte
                        expect("sethi/setlo", s, "Reg3", 0x0080);
                    });
    add("flags with and without the psr bit",
                    {setlo(1, 0x05), NOP, NOP, alu(SUB, 2, 1, 1, true), NOP, alu(SUB, 3, 0, 1), NOP, NOP,
                     alu(SUB, 4, 0, 1, true), alu(ADD, 5, 1, 1), NOP, alu(ADD, 6, 1, 0, true), alu(SUB, 7, 1, 1),
                     aluI(SUB, 2, 1, 1, true), NOP, aluI(ADD, 3, 1, -1, true), alu(OR, 4, 1, 1), br(NEVER, -2), NOP,
                     br(BRA, 0)},
                    [](auto& s) {
                        // A branch word with bit 10 set (it looks like psr)
                        // has passed EX since the last flag update.
                        expect("flags", s, "N", 0);
                        expect("flags", s, "Z", 0);
                    });

    // Each condition after flags Z, N and neither: three words behind the
    // branch always run, the next two only when it is not taken.
    const char* flagNames[] = {"Z", "N", "neither"};
    const int flagSetters[] = {alu(SUB, 0, 0, 0, true), alu(SUB, 0, 0, 1, true), alu(ADD, 0, 1, 0, true)};
    const bool taken[8][3] = {{1, 1, 1}, {1, 0, 0}, {0, 1, 1}, {0, 1, 0},
                              {1, 1, 0}, {0, 0, 1}, {1, 0, 1}, {0, 0, 0}};
    for (int c = 0; c < 8; c++)
        for (int f = 0; f < 3; f++) {
            std::string name = "branch condition " + std::to_string(c) + " after " + flagNames[f];
            bool t = taken[c][f];
            add(name,
                            {setlo(1, 0x01), NOP, NOP, flagSetters[f], NOP, br(Condition(c), 6), setlo(2, 0x11),
                             setlo(3, 0x22), setlo(4, 0x33), setlo(5, 0x44), setlo(6, 0x55), setlo(7, 0x66),
                             br(BRA, 0)},
                            [t, name](auto& s) {
                                expect(name, s, "Reg4", 0x33);
                                expect(name, s, "Reg5", t ? 0 : 0x44);
                                expect(name, s, "Reg7", 0x66);
                            });
        }

    add("backward branch loop",
                    {setlo(1, 0x03), NOP, NOP, NOP, aluI(SUB, 1, 1, 1, true), NOP, br(BNE, -2), NOP, NOP,
                     aluI(ADD, 2, 2, 1), br(BRA, 0)},
                    [](auto& s) {
                        expect("loop", s, "Reg1", 0);
                        expect("loop", s, "Reg2", 3);  // the delay-slot add ran once per pass
                    });
    add("store into RAM, load back",
                    {setlo(1, 0x40), sethi(2, 0xBE), NOP, NOP, setlo(2, 0xEF), NOP, NOP, stI(2, 1, 3), ldI(3, 1, 3),
                     ldI(4, 1, 2), ldI(5, 0, 1), br(BRA, 0)},
                    [](auto& s) {
                        expect("RAM", s, "Reg3", 0xBEEF);
                        expect("RAM", s, "Reg4", -1);  // never written
                        expect("RAM", s, "Reg5", sethi(2, 0xBE));
                    });
    add("store below 64",
                    {setlo(1, 0x77), setlo(5, 0x40), NOP, NOP, stI(1, 0, 0), ldI(2, 0, 0), ldI(4, 5, 0), br(BRA, 0)},
                    [](auto& s) {
                        expect("ROM store", s, "Reg2", setlo(1, 0x77));
                        expect("ROM store", s, "Reg4", -1);
                    });
    add("writes to register 0",
                    {setlo(0, 0x55), sethi(0, 0x12), aluI(ADD, 0, 0, 3), NOP, NOP, alu(ADD, 1, 0, 0), ld(0, 0, 0), NOP,
                     NOP, NOP, alu(OR, 3, 0, 0), br(BRA, 0)},
                    [](auto& s) {
                        expect("r0", s, "Reg1", 0);
                        expect("r0", s, "Reg3", 0);
                    });
    add("back-to-back dependences",
                    {setlo(1, 0x05), alu(ADD, 2, 1, 1), alu(ADD, 3, 1, 1), alu(ADD, 4, 1, 1), br(BRA, 0)},
                    [](auto& s) {
                        expect("dependences", s, "Reg2", 0);  // old r1
                        expect("dependences", s, "Reg3", 0);
                        expect("dependences", s, "Reg4", 0x0A);
                    });
    // The stored program of the stock circuit, also clocked while in reset
    // before it is released, and reset again in the middle.
    std::vector<int> stock = {0x0A41, 0x120A, 0x1A16, 0x2201, 0x2A08, 0x3A02, 0, 0, 0, 0, 0, 0x4813, 0x0001, 0x0002,
                              0x0003, 0x0004};
    stock.resize(32);
    stock.push_back(0xFFFE);
    add("stored program, clocked under reset first", stock,
                    [](auto& s) { expect("stock", s, "Reg1", 0xFFFE); }, "11110" + std::string(40, '1'));
    add("reset in the middle", stock, [](auto& s) { expect("reset", s, "Reg1", 0xFFFE); },
                    "0" + std::string(20, '1') + "00" + std::string(40, '1'));
    return list;
}

// ---- The stock executable's probe wall ----

// Positions of a bus probe of the wall: from sub-cell `sub` of `cell`
// through .aa-.ae, then on to the next cell.
std::map<int, std::string> wallPositions(std::string cell, char sub) {
    std::map<int, std::string> at;
    for (int b = 15; b >= 0; b--) {
        at[b] = cell + ".a" + sub;
        if (++sub > 'e') {
            sub = 'a';
            for (size_t i = 1; i < cell.size(); i += 3) cell[i]++;
        }
    }
    return at;
}

struct WallBus {
    const char* name;
    const char* cell;
    char sub;
};
const WallBus wall[] = {{"PC", "aa", 'a'},      {"PCtmp", "ba", 'a'},    {"AddrBus", "ak", 'e'}, {"DataBus", "bk", 'e'},
                        {"IR_ID", "da-ea", 'a'}, {"IR_EX", "dd-ed", 'd'}, {"IR_MEM", "dh-eh", 'b'},
                        {"IR_WB", "dk-ek", 'e'}, {"Reg0", "fk", 'e'},     {"Reg1", "gk", 'e'},  {"Reg2", "hk", 'e'},
                        {"Reg3", "ik", 'e'},     {"Reg4", "jk", 'e'},     {"Reg5", "kk", 'e'},  {"Reg6", "lk", 'e'},
                        {"Reg7", "mk", 'e'}};

// The wall's settled state once `keys` have been typed.
std::map<std::string, int> wallState(const std::string& exe, const std::string& keys) {
    std::map<std::string, std::string> values;  // by position
    probeLines(run("", exe, keys), [&](const ProbeLine& l) { values[l.position] = l.value; });
    std::map<std::string, int> s;
    for (const WallBus& bus : wall) {
        auto at = wallPositions(bus.cell, bus.sub);
        s[bus.name] = word(values, 16, [&](int b) { return at[b]; });
    }
    s["Stall_IF"] = word(values, 1, [](int) { return "ca"; });
    return s;
}

void checkStock(const std::string& exe) {
    const int load = 0x4813;
    std::string keys = "0" + std::string(40, '1');
    std::vector<std::map<std::string, int>> s;
    for (size_t k = 0; k <= keys.size(); k++) s.push_back(wallState(exe, keys.substr(0, k)));

    // Once word 11 has passed write-back.
    const std::map<std::string, int> registers = {{"Reg0", 0},      {"Reg1", 0xFFFE}, {"Reg2", 0x000A},
                                                  {"Reg3", 0x0016}, {"Reg4", 0x0001}, {"Reg5", 0x0008},
                                                  {"Reg6", 0x0000}, {"Reg7", 0x0002}};
    for (const auto& [name, value] : registers)
        if (s.back().at(name) != value) fail("stock: " + name + " ends as " + hex(s.back().at(name)) + ", not " + hex(value));

    // Reg1 holds 0x0041 until the rising edge at which the load is in WB.
    size_t wb = 0;
    while (wb < s.size() && s[wb].at("IR_WB") != load) wb++;
    if (wb + 1 >= s.size()) {
        fail("stock: the load never reaches write-back");
    } else {
        if (s[wb].at("Reg1") != 0x0041) fail("stock: Reg1 is " + hex(s[wb].at("Reg1")) + " with the load in WB");
        if (s[wb + 1].at("Reg1") != 0xFFFE) fail("stock: the rising edge with the load in WB left Reg1 " + hex(s[wb + 1].at("Reg1")));
    }

    // While the load is in MEM: IF stalls, the bus carries address 32 and
    // the ROM's word, and at the falling edge PC and PCtmp hold while a
    // bubble enters IR_ID.
    size_t mem = 0;
    while (mem < s.size() && s[mem].at("IR_MEM") != load) mem++;
    if (mem + 2 >= s.size()) {
        fail("stock: the load never reaches MEM");
    } else {
        if (s[mem].at("Stall_IF") != 1 || s[mem + 1].at("Stall_IF") != 1) fail("stock: IF does not stall for the load");
        if (s[mem + 1].at("AddrBus") != 0x0020 || s[mem + 1].at("DataBus") != 0xFFFE)
            fail("stock: the load's access shows address " + hex(s[mem + 1].at("AddrBus")) + " data " +
                 hex(s[mem + 1].at("DataBus")));
        for (const char* latch : {"PC", "PCtmp"})
            if (s[mem + 2].at(latch) != s[mem].at(latch)) fail(std::string("stock: ") + latch + " moves during the stall");
        if (s[mem].at("IR_ID") == 0 || s[mem + 2].at("IR_ID") != 0) fail("stock: no bubble enters IR_ID during the stall");
        if (s[mem + 2].at("Stall_IF") != 0) fail("stock: IF is still stalled after the load left MEM");
    }

    // Clocking while reset is ONE changes nothing: every probed word stays as
    // at the start, and the program then runs to the same end.
    auto start = wallState(exe, "");
    auto inReset = wallState(exe, "111111");
    for (const WallBus& bus : wall)
        if (std::string(bus.name) != "AddrBus" && std::string(bus.name) != "DataBus" &&
            (start.at(bus.name) != 0 || inReset.at(bus.name) != 0))
            fail(std::string("stock: ") + bus.name + " is not 0 in reset");
    auto after = wallState(exe, "111111" + keys);
    for (const WallBus& bus : wall)
        if (after.at(bus.name) != s.back().at(bus.name))
            fail(std::string("stock: clocking under reset changed the end value of ") + bus.name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: check-pipeline programs BENCH | stock KORVAX\n");
        return 2;
    }
    std::string mode = argv[1];
    int checks = 0;
    if (mode == "programs") {
        for (const Program& p : programs()) {
            checkProgram(argv[2], p);
            checks++;
        }
    } else if (mode == "stock") {
        checkStock(argv[2]);
        checks++;
    } else {
        std::fprintf(stderr, "check-pipeline: unknown mode %s\n", argv[1]);
        return 2;
    }
    std::printf("%d failure(s) in %d check(s)\n", failures, checks);
    return failures ? 1 : 0;
}
