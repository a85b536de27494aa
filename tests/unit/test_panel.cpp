// The watch panel on the processor, against a recording port: where it sits
// and that its lines fit the window without touching each other, in the
// window's own font; that the schematic beside it is the one a narrower
// window shows; that zooms leave it alone; what a run in the window shows
// (stalls, bubbles) and that a sample draws only the lines that changed;
// F11, the panel's exposures, narrow and short windows, and where there is
// no panel at all (headless, -s, a circuit without watches).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "Watch.h"
#include "cmdLine.h"
#include "display/Ph5.h"
#include "display/WindowIn.h"
#include "netlist.h"
#include "recorder.h"

void simnet();

namespace {

using Calls = std::vector<std::string>;

// The size and font the next recorder reports.
int nextWidth = 1025, nextHeight = 825, nextAscent = 11, nextDescent = 2, nextCharWidth = 6;
XPort* makeSized() {
    RecordingPort* r = new RecordingPort;
    r->width = nextWidth, r->height = nextHeight;
    r->fontAscent = nextAscent, r->fontDescent = nextDescent, r->fontWidth = nextCharWidth;
    return RecordingPort::last() = r;
}

// One panelText call taken apart.
struct PanelLine {
    int x, y;
    std::string text;
};

std::vector<PanelLine> panelLines(const Calls& calls) {
    std::vector<PanelLine> out;
    for (const std::string& c : calls) {
        if (c.compare(0, 10, "panelText ") != 0) continue;
        PanelLine l{};
        const size_t quote = c.find('\'');
        std::sscanf(c.c_str(), "panelText %d %d", &l.x, &l.y);
        l.text = c.substr(quote + 1, c.size() - quote - 2);
        out.push_back(l);
    }
    return out;
}

Calls without(const Calls& calls, const std::string& prefix) {
    Calls out;
    for (const std::string& c : calls)
        if (c.compare(0, prefix.size(), prefix) != 0) out.push_back(c);
    return out;
}

class Panel : public testing::Test {
protected:
    void SetUp() override {
        watchList.clear();
        startNetlist();
    }
    void TearDown() override {
        delete phaseFive;
        phaseFive = nullptr;
        makeXPort = newXlibPort;
        useXDisplay = 1;
        watchLinesFlag = 0;
        picturePath = nullptr;
        stopTime = 0;
        KeyboardOperateString = nullptr;
        nextWidth = 1025, nextHeight = 825, nextAscent = 11, nextDescent = 2, nextCharWidth = 6;
    }
    // The processor, built and checked.
    static void processor() {
        testing::internal::CaptureStderr();
        simnet();
        testing::internal::GetCapturedStderr();
        convertNetlist();
        phaseFour = new PhaseFour;
    }
    // Opens the window on a recorder (with -P when `dashP`), the calls of
    // the set-up kept.
    static RecordingPort& open(bool dashP) {
        watchLinesFlag = dashP;
        useXDisplay = 1;
        makeXPort = makeSized;
        phaseFive = new PhaseFive;
        return *RecordingPort::last();
    }
    static void reopen(bool dashP) {
        delete phaseFive;
        phaseFive = nullptr;
        open(dashP);
    }
    static Screen& win() { return *phaseFive->screen; }
    static WatchPanel& panel() { return phaseFive->watchPanel; }
    // The first picture, its calls and the set-up's dropped.
    static RecordingPort& pictured() {
        RecordingPort& r = *RecordingPort::last();
        testing::internal::CaptureStderr();
        phaseFive->firstPicture();
        testing::internal::GetCapturedStderr();
        return r;
    }
};

// Lines one below the other from the panel's top, none touching the next,
// all within the panel of `w` × `h` pixels (inside its border), in the font
// of the recorder.
void expectStacked(const std::vector<PanelLine>& lines, int w, int h) {
    ASSERT_FALSE(lines.empty());
    for (size_t i = 0; i < lines.size(); i++) {
        const PanelLine& l = lines[i];
        EXPECT_EQ(l.x, WatchPanel::margin);
        EXPECT_GE(l.y - nextAscent, 0) << l.text;
        EXPECT_LE(l.y + nextDescent, h) << l.text;
        EXPECT_LE(l.x + nextCharWidth * static_cast<int>(l.text.size()), w) << l.text;
        if (i > 0) {
            EXPECT_GT(l.y - nextAscent, lines[i - 1].y + nextDescent) << l.text;  // a pixel between
        }
    }
}

}  // namespace

TEST_F(Panel, DashPShowsItBesideTheSchematicFittingTheDefaultWindow) {
    processor();
    for (int font = 0; font < 2; font++) {
        if (font == 1) nextAscent = 14, nextDescent = 4, nextCharWidth = 9;  // a larger font
        if (font == 0)
            open(true);
        else
            reopen(true);
        RecordingPort& r = pictured();
        const WatchPanel& p = panel();
        ASSERT_TRUE(p.shown);
        // The band: the widest line, "IF   0005 sethi.f r1, 0xFF (stalled)"
        // and the like, at most half the window; the schematic keeps the rest.
        EXPECT_EQ(p.columns, 4 + 1 + WatchPanel::formatterColumns);
        EXPECT_EQ(p.band, p.columns * nextCharWidth + 2 * WatchPanel::margin + 2);
        EXPECT_LE(p.band, 1025 / 2);
        EXPECT_EQ(win().view.xPixels, 1025 - p.band);
        EXPECT_EQ(win().view.yPixels, 825);
        const std::string place = "panel " + std::to_string(1025 - p.band) + " 0 " + std::to_string(p.band - 2) + " 823";
        ASSERT_EQ(r.calls.size() > 0, true);
        EXPECT_EQ(std::count_if(r.calls.begin(), r.calls.end(),
                                [&](const std::string& c) { return c.compare(0, place.size(), place) == 0; }),
                  1);
        // Every watch on a line of its own, in declaration order, under the title.
        const std::vector<PanelLine> lines = panelLines(r.calls);
        ASSERT_EQ(lines.size(), 17u);
        expectStacked(lines, p.band - 2, 823);
        EXPECT_EQ(lines[0].text.substr(0, 8), "Watches ");
        const char* const labels[] = {"PC   ", "IF   ", "ID   ", "EX   ", "MEM  ", "WB   ", "Reg0 ", "Reg1 ", "Reg2 ",
                                      "Reg3 ", "Reg4 ", "Reg5 ", "Reg6 ", "Reg7 ", "N    ", "Z    "};
        for (int i = 0; i < 16; i++) {
            EXPECT_EQ(lines[i + 1].text.substr(0, 5), labels[i]);
            EXPECT_EQ(lines[i + 1].text.substr(5, watchText(i).size()), watchText(i));
        }
        // The panel is drawn after everything of the first picture.
        const size_t firstText =
            std::find_if(r.calls.begin(), r.calls.end(), [](const std::string& c) { return c.rfind("panelText", 0) == 0; }) -
            r.calls.begin();
        EXPECT_EQ(firstText, r.calls.size() - 17);
    }
}

TEST_F(Panel, TheSchematicBesideItIsTheOneANarrowerWindowShows) {
    processor();
    open(true);
    const int band = panel().band;
    reopen(false);
    RecordingPort& shown = pictured();
    shown.calls.clear();
    FunctionKeyOperate(panelKey);
    ASSERT_TRUE(panel().shown);
    const Calls withPanel = without(without(shown.calls, "panelText"), "panel ");
    EXPECT_EQ(shown.calls.size() - withPanel.size(), 18u);  // the placing and the 17 lines

    nextWidth = 1025 - band;
    reopen(false);
    RecordingPort& narrow = pictured();
    narrow.calls.clear();
    phaseFive->repaint();
    ASSERT_GT(narrow.calls.size(), 1000u);
    EXPECT_EQ(withPanel, narrow.calls);
}

TEST_F(Panel, ZoomsAndRepaintsLeaveItAlone) {
    processor();
    open(true);
    RecordingPort& r = pictured();
    const std::vector<PanelLine> before = panelLines(r.calls);
    const int xPixels = win().view.xPixels;
    r.calls.clear();
    windowEventOperate(WindowInput{buttonPressEvent, 0, 2, 0, 0, false});  // windowing mode: zoom to the sub-window
    windowEventOperate(WindowInput{buttonPressEvent, 0, 2, 0, 0, false});  // and again: sixteen times
    FunctionKeyOperate(windowingModeKey);                 // direct mode: a corner zoom
    windowEventOperate(WindowInput{buttonPressEvent, 0, 1, 10, 10, false});
    windowEventOperate(WindowInput{buttonPressEvent, 0, 3, 200, 150, false});
    FunctionKeyOperate(mostDetailKey);
    ASSERT_GT(r.calls.size(), 1000u);
    EXPECT_TRUE(panelLines(r.calls).empty());  // the schematic's passes never draw on the panel
    EXPECT_EQ(win().view.xPixels, xPixels);
    r.calls.clear();
    panel().redraw(win());
    const std::vector<PanelLine> after = panelLines(r.calls);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); i++) {
        EXPECT_EQ(after[i].x, before[i].x);
        EXPECT_EQ(after[i].y, before[i].y);
        EXPECT_EQ(after[i].text, before[i].text);
    }
}

TEST_F(Panel, ARunInTheWindowShowsStallsAndBubblesAndDrawsOnlyWhatChanged) {
    processor();
    // Without -P, shown by F11 before the run: the watches are sampled in a
    // window all the same. The stored program's load stalls IF in the
    // cycle the -P lines give at time 3835, and a bubble follows into ID
    // (time 4060); the run stops between those samples, then after the second.
    static const char keys[] = "01111111111111111111111111111111111111111111";
    const unsigned long stops[2] = {3900, 4100};
    for (int run = 0; run < 2; run++) {
        if (run == 0)
            open(false);
        else
            reopen(false);
        FunctionKeyOperate(panelKey);
        RecordingPort& r = *RecordingPort::last();
        r.calls.clear();
        KeyboardOperateString = keys;
        stopTime = stops[run];
        testing::internal::CaptureStderr();
        phaseFour->run();
        testing::internal::GetCapturedStderr();
        const WatchPanel& p = panel();
        ASSERT_EQ(p.lines.size(), 17u);
        const std::string& ifLine = p.lines[2];
        const std::string& idLine = p.lines[3];
        if (run == 0) {
            EXPECT_EQ(ifLine.substr(0, 34), "IF   000E add r0, r0, r3 (stalled)");
            EXPECT_EQ(idLine.substr(0, 24), "ID   000D add r0, r0, r2");
        } else {
            EXPECT_EQ(ifLine.substr(0, 25), "IF   000E add r0, r0, r3 ");
            EXPECT_EQ(idLine.substr(0, 12), "ID   bubble ");
        }
        // Between the first picture's lines and the end, each line drawn
        // differs from the one drawn at its place before.
        const std::vector<PanelLine> drawn = panelLines(r.calls);
        ASSERT_GT(drawn.size(), 17u + 30u);
        std::vector<std::string> at(p.lines.size());
        for (const PanelLine& l : drawn) {
            const size_t row = static_cast<size_t>((l.y - p.baseline(0)) / p.lineHeight());
            ASSERT_LT(row, at.size());
            EXPECT_NE(l.text, at[row]) << "drawn twice: " << l.text;
            at[row] = l.text;
        }
        EXPECT_EQ(at[2], ifLine);
    }
}

TEST_F(Panel, ASampleDrawsOnlyTheLinesThatChanged) {
    processor();
    open(true);
    RecordingPort& r = pictured();
    r.calls.clear();
    panel().update(win());
    EXPECT_TRUE(r.calls.empty());  // nothing changed: nothing drawn
    const WatchEntry& reg3 = watchList[9];
    ASSERT_EQ(reg3.label, "Reg3");
    for (size_t b = 0; b < reg3.wires.size(); b++) phaseThree->currentSignals[reg3.wires[b]] = (0x12C4 >> b) & 1 ? ONE : ZERO;
    panel().update(win());
    const std::vector<PanelLine> lines = panelLines(r.calls);
    ASSERT_EQ(r.calls.size(), 1u);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].y, panel().baseline(10));
    EXPECT_EQ(lines[0].text, "Reg3 12C4" + std::string(panel().columns - 9, ' '));
}

TEST_F(Panel, F11ShowsItAndHidesItGivingTheBandBack) {
    processor();
    RecordingPort& r = open(false);
    pictured();
    EXPECT_FALSE(panel().shown);
    EXPECT_EQ(win().view.xPixels, 1025);
    r.calls.clear();
    FunctionKeyOperate(panelKey);
    ASSERT_TRUE(panel().shown);
    ASSERT_FALSE(r.calls.empty());
    EXPECT_EQ(r.calls.front().substr(0, 6), "panel ");  // placed before the repaint
    EXPECT_EQ(r.calls[1], "clear 0 0 0 0");
    EXPECT_EQ(panelLines(r.calls).size(), 17u);
    EXPECT_EQ(win().view.xPixels, 1025 - panel().band);

    r.calls.clear();
    FunctionKeyOperate(panelKey);
    EXPECT_FALSE(panel().shown);
    ASSERT_FALSE(r.calls.empty());
    EXPECT_EQ(r.calls.front(), "hidePanel");
    EXPECT_EQ(r.calls[1], "clear 0 0 0 0");
    EXPECT_TRUE(panelLines(r.calls).empty());
    EXPECT_EQ(win().view.xPixels, 1025);
    r.calls.clear();
    panel().update(win());
    panel().redraw(win());
    EXPECT_TRUE(r.calls.empty());  // hidden, it draws nothing
}

TEST_F(Panel, ItsExposureDrawsItsLinesAndNothingElse) {
    processor();
    open(true);
    RecordingPort& r = pictured();
    r.calls.clear();
    // The recorder has no exposures of the panel's own: a port that hands
    // out one stands in for the window's while checkEvent reads it.
    struct OneEvent : public RecordingPort {
        PortEvent pending{};
        bool given = false;
        bool nextEvent(PortEvent& out, bool) override {
            if (given) return false;
            given = true;
            out = pending;
            return true;
        }
    };
    for (int count = 1; count >= 0; count--) {
        OneEvent port;
        port.pending.kind = portPanelExpose;
        port.pending.exposeCount = count;
        XPort* real = win().display;
        win().display = &port;
        EXPECT_EQ(anyWindowEvents(), 0);  // an exposure counts as no event
        win().display = real;
        if (count == 1) {
            EXPECT_TRUE(port.calls.empty());  // more of the batch to come
        } else {
            EXPECT_EQ(port.calls.size(), 17u);
            EXPECT_EQ(panelLines(port.calls).size(), 17u);
        }
    }
    EXPECT_TRUE(r.calls.empty());
}

TEST_F(Panel, APressOnItNeitherZoomsNorExplains) {
    processor();
    open(true);
    struct Presses : public RecordingPort {
        std::vector<PortEvent> pending;
        bool nextEvent(PortEvent& out, bool) override {
            if (pending.empty()) return false;
            out = pending.front();
            pending.erase(pending.begin());
            return true;
        }
    };
    const int edge = win().view.xPixels;  // the panel's band begins here
    auto press = [](int button, int x, int y, bool shift) {
        PortEvent e{};
        e.kind = portButtonPress;
        e.button = static_cast<unsigned>(button);
        e.x = x, e.y = y, e.shift = shift;
        return e;
    };
    Presses port;
    XPort* real = win().display;
    win().display = &port;
    WindowInput in;
    port.pending = {press(3, edge, 10, false), press(1, edge + 40, 300, true), press(1, edge - 1, 300, false)};
    win().checkEvent(in);
    EXPECT_EQ(in.type, noWindowEvent);
    win().checkEvent(in);
    EXPECT_EQ(in.type, noWindowEvent);
    win().checkEvent(in);
    EXPECT_EQ(in.type, buttonPressEvent);  // the schematic's last column
    EXPECT_EQ(in.x, edge - 1);
    win().display = real;
}

TEST_F(Panel, ANarrowWindowCutsItsLines) {
    processor();
    nextWidth = 300;
    open(true);
    RecordingPort& r = pictured();
    const WatchPanel& p = panel();
    EXPECT_LE(p.band, 150);
    EXPECT_EQ(win().view.xPixels, 300 - p.band);
    const std::vector<PanelLine> lines = panelLines(r.calls);
    ASSERT_EQ(lines.size(), 17u);
    expectStacked(lines, p.band - 2, 823);
    // IF at address 0, not stalled: "IF   0000 setlo r1, 0x41" is longer
    // than the line's room.
    for (int w : watchList[1].wires) phaseThree->currentSignals[w] = ZERO;
    r.calls.clear();
    panel().update(win());
    const std::vector<PanelLine> cut = panelLines(r.calls);
    ASSERT_EQ(cut.size(), 2u);  // PC's wires are IF's too
    EXPECT_EQ(cut[0].text.substr(0, 10), "PC   0000 ");  // fits
    EXPECT_EQ(cut[1].text.size(), static_cast<size_t>(p.columns));
    EXPECT_EQ(cut[1].text, std::string("IF   0000 setlo r1, 0x41").substr(0, p.columns - 1) + ">");
    expectStacked(cut, p.band - 2, 823);
}

TEST_F(Panel, AShortWindowSaysHowManyWatchesMore) {
    processor();
    nextHeight = 120;
    open(true);
    RecordingPort& r = pictured();
    const std::vector<PanelLine> lines = panelLines(r.calls);
    ASSERT_EQ(lines.size(), 7u);  // (120 - 2 - 8) / 14
    expectStacked(lines, panel().band - 2, 118);
    EXPECT_EQ(lines[5].text.substr(0, 5), "MEM  ");
    EXPECT_EQ(lines[6].text.substr(0, 10), "(11 more) ");  // WB, Reg0 … Reg7, N, Z
}

TEST_F(Panel, NoPanelHeadlessInAPictureOrUnaskedAndNoneDeclaredSaysSo) {
    processor();
    // Headless -P: the watch lines alone; F11 stays an unused key.
    useXDisplay = 0;
    watchLinesFlag = 1;
    makeXPort = makeSized;
    phaseFive = new PhaseFive;
    EXPECT_FALSE(panel().shown);
    testing::internal::CaptureStderr();
    FunctionKeyOperate(panelKey);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unused Function key F11\n");
    EXPECT_FALSE(panel().shown);
    // -s's picture with -P: the picture is the schematic's alone.
    picturePath = "unused.svg";
    reopen(true);
    EXPECT_FALSE(panel().shown);
    EXPECT_EQ(win().view.xPixels, 1025);
    picturePath = nullptr;
}

TEST_F(Panel, ACircuitWithoutWatchesStartsWithoutItAndF11SaysNoneDeclared) {
    Signal a(1, "a");
    Not(SD("aa"), a, a);
    convertNetlist();
    phaseFour = new PhaseFour;
    RecordingPort& r = open(true);
    EXPECT_FALSE(panel().shown);
    pictured();
    r.calls.clear();
    FunctionKeyOperate(panelKey);
    ASSERT_TRUE(panel().shown);
    const std::vector<PanelLine> lines = panelLines(r.calls);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text.substr(0, 8), "Watches ");
    EXPECT_EQ(lines[1].text, "(none declared)" + std::string(panel().columns - 15, ' '));
}
