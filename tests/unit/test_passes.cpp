// The processor's drawing passes, call by call, against a stored record:
// the window's set-up, a run of the stored program stepped by keys (the
// first picture and every pane the cycles draw), and the passes the keys
// and the mouse ask for (levels, lines, labels, leads, wire names, super
// probes, windowing mode, an exposure, zooms, Control-l). Each pass is
// reduced to its number of port calls and an FNV-1a hash of their text, as
// the recording port writes them; tests/unit/drawing-passes.txt holds what
// the display draws, and any change to a pass fails here. The record is
// rewritten only with KORVAX_UPDATE_GOLDEN=1, when a change is intended.
//
// The same passes with the watch panel shown and hidden again (F11 twice)
// before each of them must be the recorded ones too: a hidden panel
// changes nothing the window draws.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Ph2.h"
#include "Ph4.h"
#include "Watch.h"
#include "cmdLine.h"
#include "display/Ph5.h"
#include "display/WindowIn.h"
#include "netlist.h"
#include "recorder.h"

void simnet();

namespace {

const char* const recordPath = KORVAX_SOURCE_DIR "/tests/unit/drawing-passes.txt";

// One pass: its name, its number of calls and their hash.
struct Pass {
    std::string name;
    size_t calls;
    unsigned long hash;
};

unsigned long fnv(const std::vector<std::string>& calls) {
    unsigned long h = 14695981039346656037ul;
    for (const std::string& c : calls) {
        for (unsigned char ch : c) h = (h ^ ch) * 1099511628211ul;
        h = (h ^ '\n') * 1099511628211ul;
    }
    return h;
}

std::string line(const Pass& p) {
    char text[160];
    std::snprintf(text, sizeof text, "%s %zu %016lx", p.name.c_str(), p.calls, p.hash);
    return text;
}

// Takes what the port recorded since the last pass as pass `name`.
void take(std::vector<Pass>& passes, const std::string& name) {
    RecordingPort& r = *RecordingPort::last();
    passes.push_back({name, r.calls.size(), fnv(r.calls)});
    r.calls.clear();
}

// F11 twice, its own calls dropped.
void panelShownAndHidden() {
    FunctionKeyOperate(panelKey);
    EXPECT_TRUE(phaseFive->watchPanel.shown);
    FunctionKeyOperate(panelKey);
    EXPECT_FALSE(phaseFive->watchPanel.shown);
    RecordingPort::last()->calls.clear();
}

// The processor on a recording port, driven through the passes the file
// names; `between`, when given, runs before the run and before each pass
// after it.
std::vector<Pass> processorPasses(void (*between)() = nullptr) {
    watchList.clear();
    startNetlist();
    testing::internal::CaptureStderr();
    simnet();
    buildNetlist();
    phaseFour = new PhaseFour;
    useXDisplay = 1;
    makeXPort = RecordingPort::make;
    phaseFive = new PhaseFive;
    std::vector<Pass> passes;
    take(passes, "set-up");

    // Reset released, then clock presses; the run stops with keys left, in
    // the middle of a cycle's events.
    if (between) between();
    static const char keys[] = "0111111111111111111111";
    KeyboardOperateString = keys;
    stopTime = 1500;
    phaseFour->run();
    stopTime = 0;
    KeyboardOperateString = nullptr;
    take(passes, "run");

    PhaseFive& p5 = *phaseFive;
    struct Step {
        const char* name;
        int code;  // a function-key code, or 0: the step below
    };
    const Step steps[] = {{"deepest", mostDetailKey}, {"lines-off", linesKey},      {"labels-off", labelsKey},
                          {"leads-off", leadsKey},    {"wire-names", lineLabelsKey}, {"super-probes", superProbesKey},
                          {"level-1", leastDetailKey}, {"lines-on", linesKey},       {"labels-on", labelsKey},
                          {"leads-on", leadsKey},     {"more-detail", moreDetailKey}, {"repaint", repaintKey}};
    for (const Step& s : steps) {
        if (between) between();
        FunctionKeyOperate(s.code);
        take(passes, s.name);
    }
    if (between) between();
    p5.screen->clips[0] = PortRect{0, 0, 200, 100};  // as checkEvent collects one exposure
    p5.screen->numClips = 1;
    p5.exposureRedraw(true);
    take(passes, "expose");
    if (between) between();
    windowEventOperate(WindowInput{buttonPressEvent, 0, 2, 0, 0, false});  // windowing mode: zoom to the sub-window
    take(passes, "zoom-in");
    if (between) between();
    windowEventOperate(WindowInput{buttonPressEvent, 0, 3, 0, 0, false});  // everything again
    take(passes, "zoom-out");
    if (between) between();
    FunctionKeyOperate(windowingModeKey);  // direct mode
    windowEventOperate(WindowInput{buttonPressEvent, 0, 1, 100, 100, false});
    windowEventOperate(WindowInput{buttonPressEvent, 0, 3, 600, 500, false});
    take(passes, "direct-zoom");
    if (between) between();
    keyboardInput(controlL);
    take(passes, "control-l");
    testing::internal::GetCapturedStderr();

    delete phaseFive;
    phaseFive = nullptr;
    makeXPort = newXlibPort;
    return passes;
}

}  // namespace

TEST(DrawingPasses, TheProcessorsPassesAreTheRecordedOnes) {
    const std::vector<Pass> passes = processorPasses();
    ASSERT_GT(passes[1].calls, 10000u);  // the run draws the first picture and thousands of panes

    if (std::getenv("KORVAX_UPDATE_GOLDEN")) {
        std::ofstream out(recordPath);
        for (const Pass& p : passes) out << line(p) << "\n";
        ASSERT_TRUE(out.good()) << recordPath;
        std::fprintf(stderr, "rewrote %s\n", recordPath);
        return;
    }
    std::ifstream in(recordPath);
    ASSERT_TRUE(in) << recordPath;
    std::vector<std::string> recorded;
    for (std::string l; std::getline(in, l);) recorded.push_back(l);
    ASSERT_EQ(recorded.size(), passes.size());
    for (size_t i = 0; i < passes.size(); i++) EXPECT_EQ(line(passes[i]), recorded[i]);
}

TEST(DrawingPasses, AHiddenPanelLeavesThemAsRecorded) {
    const std::vector<Pass> plain = processorPasses();
    const std::vector<Pass> toggled = processorPasses(panelShownAndHidden);
    ASSERT_EQ(toggled.size(), plain.size());
    for (size_t i = 0; i < plain.size(); i++) EXPECT_EQ(line(toggled[i]), line(plain[i]));
}
