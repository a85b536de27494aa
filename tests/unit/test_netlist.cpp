// Netlist files: the processor written and read back keeps every array of
// its netlist and draws the same first picture call by call; a component of
// the circuit's own is refused by the writer; every kind of fault of a file
// is one line naming the line and the fault, exit status 2.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Kinds.h"
#include "Netlist.h"
#include "Position.h"
#include "display/Ph5.h"
#include "display/Window.h"
#include "netlist.h"
#include "recorder.h"

void simnet();  // the processor (pipeline/2-ld-instr.cpp)

namespace {

struct NetlistExit {
    int status;
};
[[noreturn]] void catchExit(int status) { throw NetlistExit{status}; }

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Everything of phaseTwo a run reads, as text, component by component and
// wire by wire (function pointers as the kind they belong to).
std::vector<std::string> snapshot() {
    const PhaseTwo& p = *phaseTwo;
    std::vector<std::string> out;
    auto ints = [](int n, const int* v) {
        std::string s = std::to_string(n) + ":";
        for (int i = 0; i < n; i++) s += " " + std::to_string(v[i]);
        return s;
    };
    for (int c = 0; c < p.numberOfComponents; c++) {
        std::string s = std::to_string(c) + " " + std::to_string(registeredKind(c)) + " " +
                        (p.iconArrays[c] ? iconName(p.iconArrays[c]) : "none") + " " +
                        std::to_string(p.outputOverloadable[c]) + std::to_string(p.selfActivating[c]) + " " +
                        std::to_string(p.graphicLevel[c]) + " " + positionString(p.rcpos[c]) + " '" + p.decal[c] + "' " +
                        ints(p.numberOfDataInputs[c], p.dataInputs[c]) + " | " +
                        ints(p.numberOfControlInputs[c], p.controlInputs[c]) + " | " +
                        ints(p.numberOfOutputs[c], p.outputs[c]) + " | " +
                        ints(p.numberOfIntegerParameters[c], p.integerParameters[c]) + " | " +
                        std::to_string(p.numberOfByteParameters[c]) + " " +
                        std::to_string(p.numberOfInternal32BitVariables[c]) + " " +
                        std::to_string(p.numberOfInternal16BitVariables[c]) + " " +
                        std::to_string(p.numberOfInternal8BitVariables[c]) + " " +
                        (p.place[c].file ? p.place[c].file : "?") + ":" + std::to_string(p.place[c].line) + " " +
                        (p.runTimeCalls[c].logicEvaluate ? "e" : "-") + (p.runTimeCalls[c].drawDynamic ? "d" : "-") +
                        (p.xEventTriggered[c] ? "x" : "-") + (p.multiplexer[c] ? "m" : "-");
        for (int b = 0; b < p.numberOfByteParameters[c]; b++) s += " " + std::to_string(p.byteParameters[c][b]);
        out.push_back(s);
    }
    for (int w = 0; w < p.numberOfSignals; w++)
        out.push_back(std::string("wire ") + p.signalNames[w] + " " + std::to_string(p.signalInitializations[w]) +
                      std::to_string(p.constSignals[w]));
    for (int b = 0; b < p.numberOfBuses; b++)
        out.push_back("bus " + p.busName(b) + " " + std::to_string(p.busFirstSignals[b]) + " " +
                      std::to_string(p.busWidths[b]));
    for (int s = 0; s < p.numberOfSwitches; s++)
        out.push_back("switch " + std::to_string(p.activationsFromWindow[s][0]) + " " +
                      std::to_string(p.activationsFromWindow[s][1]) + " " +
                      std::to_string(p.activationsFromWindow[s][2]));
    return out;
}

class Netlists : public testing::Test {
protected:
    std::string path;
    void SetUp() override {
        char name[] = "/tmp/korvax-netlist-test-XXXXXX";
        const int fd = mkstemp(name);
        ASSERT_GE(fd, 0);
        close(fd);
        path = name;
        netlistExit = catchExit;
    }
    void TearDown() override {
        std::remove(path.c_str());
        netlistExit = exitProgram;
        delete phaseFive;
        phaseFive = nullptr;
        makeXPort = newXlibPort;
        useXDisplay = 1;
    }
    // Builds with `build`, converts, writes the netlist to `path`; returns
    // the writer's status.
    int buildAndWrite(void (*build)()) {
        startNetlist();
        build();
        convertNetlist();
        testing::internal::CaptureStderr();
        const int status = writeNetlist(path.c_str(), "circuit");
        written = testing::internal::GetCapturedStderr();
        return status;
    }
    // Reads `text` as a netlist and rebuilds phases one to three from it.
    void readBack(const std::string& text) {
        parseNetlist(text, "test.knl");
        startNetlist();
        replayNetlist();
        convertNetlist();
    }
    // The fault reading `text` reports (its status must be 2).
    std::string fault(const std::string& text) {
        startNetlist();
        testing::internal::CaptureStderr();
        int status = -1;
        try {
            parseNetlist(text, "test.knl");
        } catch (const NetlistExit& e) {
            status = e.status;
        }
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, 2) << said;
        testing::internal::CaptureStderr();  // the counts of the ended phase one
        delete phaseOne;
        phaseOne = nullptr;
        testing::internal::GetCapturedStderr();
        return said;
    }
    // The first picture on a recorder: every call.
    std::vector<std::string> firstPictureCalls() {
        useXDisplay = 1;
        makeXPort = RecordingPort::make;
        phaseFive = new PhaseFive;
        RecordingPort& r = *RecordingPort::last();
        phaseFive->firstPicture();
        std::vector<std::string> calls = r.calls;
        delete phaseFive;
        phaseFive = nullptr;
        return calls;
    }
    std::string written;  // what the writer said
};

// A small circuit with one of each kind of data a file carries: a switch
// key, a ROM's contents, a memory's private state, buses, a nested label.
void small() {
    Signal none(0, "UnNamed"), key(1, "key"), gated(1, "gated"), address(2, "address"), word(8, "word");
    Signal control(2 * 1 + 2 + 2, "control"), data(4, "data"), ramOut(4, "ramOut");
    Switch(SD("aa"), key, 'k', Zero, "press");
    And(SD(SD("ab"), "cc", "inner"), (key, One), gated);
    static const unsigned char contents[4] = {0x01, 0x80, 0xff, 0x7e};
    Rom(SD("ac"), address, word, 4, 8, contents);
    Ram(SD("ad"), control, data, ramOut, 4, 4, 2, 1, 1);
    Probe(SD("ae"), gated, "out");
}

// A component with an evaluator of the circuit's own.
void ownEvaluator(int) {}
void own() {
    Signal none(0, "UnNamed"), w(1, "w");
    And(SD("aa"), (One, One), w);
    addStandardComponent(ownEvaluator, nullptr, "Mine", SD("ab"), w, none, none);
}

}  // namespace

TEST_F(Netlists, ProcessorKeepsEveryArrayAndWritesTheSameFileAgain) {
    ASSERT_EQ(buildAndWrite(simnet), 0) << written;
    const std::vector<std::string> compiled = snapshot();
    const std::string text = readAll(path);
    ASSERT_GT(compiled.size(), 2000u);
    readBack(text);
    const std::vector<std::string> replayed = snapshot();
    ASSERT_EQ(compiled.size(), replayed.size());
    for (size_t i = 0; i < compiled.size(); i++) ASSERT_EQ(compiled[i], replayed[i]) << "entry " << i;
    testing::internal::CaptureStderr();
    ASSERT_EQ(writeNetlist(path.c_str(), "circuit"), 0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(readAll(path), text);
}

TEST_F(Netlists, ProcessorDrawsTheSameFirstPicture) {
    ASSERT_EQ(buildAndWrite(simnet), 0) << written;
    const std::vector<std::string> compiled = firstPictureCalls();
    readBack(readAll(path));
    const std::vector<std::string> replayed = firstPictureCalls();
    ASSERT_GT(compiled.size(), 1000u);
    ASSERT_EQ(compiled.size(), replayed.size());
    for (size_t i = 0; i < compiled.size(); i++) ASSERT_EQ(compiled[i], replayed[i]) << "call " << i;
}

TEST_F(Netlists, SmallCircuitKeepsKeysContentsAndState) {
    ASSERT_EQ(buildAndWrite(small), 0) << written;
    const std::vector<std::string> compiled = snapshot();
    const std::string text = readAll(path);
    EXPECT_NE(text.find("switch 107 0 "), std::string::npos) << text;  // 'k' drives component 0
    EXPECT_NE(text.find("bytes 0180ff7e\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"ab.cc\" \"inner\""), std::string::npos) << text;
    readBack(text);
    EXPECT_EQ(snapshot(), compiled);
}

TEST_F(Netlists, ComponentOfTheCircuitsOwnIsRefusedNamingItsLine) {
    EXPECT_EQ(buildAndWrite(own), 1);
    EXPECT_NE(written.find("component Mine at ab runs functions of the circuit's own, not a library kind; "
                           "nothing written (built in tests/unit/test_netlist.cpp:"),
              std::string::npos)
        << written;
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1);
    EXPECT_EQ(readAll(path), "");  // the file was left as it was
}

TEST_F(Netlists, EveryFaultIsOneLineWithItsLineNumber) {
    ASSERT_EQ(buildAndWrite(small), 0) << written;
    const std::string good = readAll(path);
    // The line of `good` that starts with `prefix`, replaced by `with`.
    auto replaced = [&](const std::string& prefix, const std::string& with) {
        const size_t at = good.find("\n" + prefix);
        EXPECT_NE(at, std::string::npos) << prefix;
        const size_t end = good.find('\n', at + 1);
        return good.substr(0, at + 1) + with + good.substr(end);
    };
    auto lineOf = [&](const std::string& prefix) {
        const size_t at = good.find("\n" + prefix);
        return std::to_string(std::count(good.begin(), good.begin() + at + 1, '\n') + 1);
    };
    struct Case {
        std::string text, expected;
    } cases[] = {
        {"", "test.knl:0: not a netlist of this version"},
        {"korvax-netlist 2\n", "test.knl:1: not a netlist of this version"},
        {good.substr(0, good.size() - 1), "the last line has no line end"},
        {good.substr(0, good.find("\nwire ") + 1), "the file ends before all its wire lines"},
        {good + "end\n", "lines after the last line \"end\""},
        {replaced("counts", "counts 999999999 0 0 0 0 0"), ":3: the number of wires 999999999 is outside 2 … "},
        {replaced("counts", "counts 5 0 0 0 0 -1"), "the number of build text lines -1 is outside"},
        {replaced("program", "program \"a\x01\""), ":2: a control character (byte 1) in a string"},
        {replaced("program", "program \"a\\x00\""), "a NUL byte"},
        {replaced("program", "program \"a\\q\""), "a backslash in a string that is not \\xHH"},
        {replaced("program", "program \"open"), "a string without its closing quote"},
        {replaced("program", "program name"), "the program name is not a quoted string"},
        {replaced("wire 0", "wire 4 1 \"Zero[0]\""), "wires 0 and 1 are not the constants Zero[0] and One[0]"},
        {replaced("wire 1 0 \"key", "wire 5 0 \"key[0]\""), "the initial value 5 is outside 0 … 4"},
        {replaced("bus", "bus 2 99999 \"key\""), "the width 99999 is outside"},
        {replaced("component Switch", "component Spawn rect 0 1 1 0 1 \"aa\" \"k:press\""),
         ":" + lineOf("component Switch") + ": no component kind is called Spawn"},
        {replaced("component Switch", "component Switch evil 0 1 1 0 1 \"aa\" \"k:press\""), "no icon is called evil"},
        {replaced("data 1 2", "data 1 123456"), "a data input wire 123456 is outside 0 … "},
        {replaced("data 1 2", "data 1 x1"), "a data input wire is not a number: x1"},
        {replaced("out 3", "out 3 4"), "this And has pin counts its kind's constructor never gives"},
        {replaced("bytes 0180ff7e", "bytes 0180ff"), "this Rom has ROM contents of another size than its words"},
        {replaced("bytes 0180ff7e", "bytes 0180fG7e"), "the bytes are not pairs of lower-case hex digits"},
        {replaced("int 4 4 2 1 1", "int 4 4 2 1 1 2 4 0"), "memory geometry"},
        {replaced("int 4 4 2 1 1", "int 33554432 4 2 1 1 1 33554432 0"), "memory geometry"},
        {replaced("state 4 0 1", "state 99999999 0 1"), "private state its kind never has"},
        {replaced("switch", "switch 107 1 2"), "the component of a switch is not a Switch or a Pulser"},
        {replaced("switch", "switch 107 0 1"), "a switch drives another wire than its component's output"},
        {replaced("end", "fin"), "expected a line \"end …\", found \"fin …\""},
    };
    for (const Case& c : cases) {
        const std::string said = fault(c.text);
        EXPECT_NE(said.find(c.expected), std::string::npos) << "said: " << said << "expected: " << c.expected;
        EXPECT_EQ(said.compare(0, 9, "test.knl:"), 0) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
}
