// The window, icons, panes and drawing passes against a recording port:
// each pass is compared call by call (primitive, context, pixels) with the
// layout arithmetic worked out by hand. Most tests view the world square
// 0 … 1024 in a 1024-pixel window, so that world units are pixels exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Ph1.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "addStCmp.h"
#include "cmdLine.h"
#include "display/IconDraw.h"
#include "display/Pane.h"
#include "display/Ph5.h"
#include "display/World.h"
#include "display/iconData.h"
#include "netlist.h"
#include "recorder.h"

namespace {

using Calls = std::vector<std::string>;

SecondaryEvaluatePointer noSecondary{nullptr};
int panesDrawn;  // calls of the test pane
// A pane that draws one recognisable line.
void markPane(int c) {
    panesDrawn++;
    phaseFive->screen->drawLine(c, 0, c, 1);
}

class Display : public testing::Test {
protected:
    void SetUp() override {
        startNetlist();
        panesDrawn = 0;
    }
    void TearDown() override {
        delete phaseFive;
        phaseFive = nullptr;
        makeXPort = newXlibPort;
        useXDisplay = 1;
        red_bg = green_bg = blue_bg = red_fg = green_fg = blue_fg = red_sw = green_sw = blue_sw = 0;
        WindowLabelString[0] = '\0';
        connectMuxOnlyFlag = 0;
    }
    // Ends the netlist and opens the window on a recorder viewing 0 … 1024.
    RecordingPort& open() {
        convertNetlist();
        useXDisplay = 1;
        makeXPort = RecordingPort::make;
        phaseFive = new PhaseFive;
        RecordingPort& r = *RecordingPort::last();
        Screen& w = win();
        w.view.setView(0, 0, 1024, 1024);
        w.view.xPixels = w.view.yPixels = 1024;
        r.calls.clear();
        return r;
    }
    Screen& win() { return *phaseFive->screen; }
    static void place(int c, int x, int y, int w, int h) {
        ScreenTile& t = phaseTwo->tile[c];
        t.x = x, t.y = y, t.w = w, t.h = h;
    }
    // The components whose icons a pass drew, by their output tabs.
    static std::vector<int> drawnComponents() {
        std::vector<int> cs;
        for (const Tab* t = phaseFive->outTab.start; t; t = t->link) cs.push_back(t->cmp);
        std::sort(cs.begin(), cs.end());
        return cs;
    }
};

Calls only(const Calls& calls, const std::string& prefix) {
    Calls out;
    for (const std::string& c : calls)
        if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
    return out;
}

}  // namespace

// ---- The window

TEST_F(Display, SetUpSequenceColoursGeometryAndContexts) {
    red_bg = 255;  // only the low 8 bits count: 255 · 256 = 65280
    std::strcpy(WindowLabelString, " lab");
    RecordingPort* r = nullptr;
    convertNetlist();
    makeXPort = [] {
        XPort* p = RecordingPort::make();
        RecordingPort::last()->quietPolls = 3;
        return p;
    };
    phaseFive = new PhaseFive;
    r = RecordingPort::last();
    const Calls expected = {
        "open",
        "allocColor 65280 0 0",  // background; the foreground stays black
        "allocColor 65535 0 0",  // the sub-window: pure red unless given
        "geometry 5 '|1025x825+100+25'",
        "createWindow 100 25 1025 825 5 0 16711680",
        "cursor 2",
        "setProperties 100 25 1025 825 12 'Korvax v20190215 lab|Korvax v20190215'",
        "createContext main", "colours main 0 16711680", "copy main",
        "createContext ONE", "createContext ZERO", "createContext UNINIT", "createContext XXX",
        "createContext HIZ", "createContext BOLD",
        "colours BOLD 0 16711680", "copy BOLD", "lineAttributes BOLD 2 0 0 0",
        "allocNamedColor '#008000'", "colours ONE 32768 16711680", "copy ONE",
        "allocNamedColor '#F0FFF0'", "colours ZERO 15794160 16711680", "copy ZERO",
        "allocNamedColor '#FFFFFF'", "colours UNINIT 16777215 16711680", "copy UNINIT",
        "allocNamedColor '#FF8C00'", "colours XXX 16747520 16711680", "copy XXX",
        "allocNamedColor '#FFEBCD'", "colours HIZ 16772045 16711680", "copy HIZ",
        "selectInputAndMap 164109",
    };
    EXPECT_EQ(r->calls, expected);
    // The first exposure was waited for by sleeping on the connection, once
    // per empty look, never by spinning.
    EXPECT_EQ(r->waits, 3);
    Screen& w = win();
    EXPECT_EQ(w.view.xPixels, 1025);
    EXPECT_EQ(w.view.yPixels, 825);
    EXPECT_EQ(w.hint.flags, 12);
    EXPECT_EQ(w.subwin, 0xFF0000ul ^ 0xFF0000ul);
    EXPECT_EQ(w.view.subWinXs, 6291453);
    EXPECT_EQ(w.view.subWinYe, 10485755);
    delete phaseFive;
    phaseFive = nullptr;  // the teardown closes the connection (recorded, then freed)
}

TEST_F(Display, GivenGeometryKeepsItsFlagsAndColoursOfZeroAreNoColours) {
    convertNetlist();
    red_fg = green_fg = blue_fg = 0;
    makeXPort = [] {
        XPort* p = RecordingPort::make();
        RecordingPort::last()->geometryFlags = 15;
        return p;
    };
    phaseFive = new PhaseFive;
    EXPECT_EQ(win().hint.flags, 15);
    EXPECT_EQ(only(RecordingPort::last()->calls, "allocColor"), Calls{"allocColor 65535 0 0"});
}

// -g sizes the server cannot make: 0 (a protocol error that ended the run
// at once, status 0, without a word) and past 16 bits (wrapped at 65536).
// Each is clamped with one warning; a position measured from the right or
// bottom keeps that edge.
TEST_F(Display, WindowSizesOutsideTheServersRangeAreClampedWithAWarning) {
    convertNetlist();
    std::strcpy(XW_geometry, "0x100000-10-20");
    makeXPort = [] {
        XPort* p = RecordingPort::make();
        RecordingPort& r = *RecordingPort::last();
        r.geometryFlags = 0x3F;  // x, y, width, height, both from the far edges
        r.geometryX = 1280 - 0 - 10 - 10, r.geometryY = 1024 - 100000 - 10 - 20;
        r.geometryW = 0, r.geometryH = 100000;
        return p;
    };
    testing::internal::CaptureStderr();
    phaseFive = new PhaseFive;
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning -- option -g 0x100000-10-20 asks for a window size outside 1..32767; clamped to 1x32767.\n");
    const WindowHint& h = win().hint;
    EXPECT_EQ(h.width, 1);
    EXPECT_EQ(h.height, 32767);
    EXPECT_EQ(h.x, 1280 - 1 - 10 - 10);
    EXPECT_EQ(h.y, 1024 - 32767 - 10 - 20);
    EXPECT_EQ(only(RecordingPort::last()->calls, "createWindow"),
              Calls{"createWindow 1259 -31773 1 32767 5 0 16777215"});
    XW_geometry[0] = '\0';

    // Positions from the top-left stay; the largest and smallest sizes pass
    // without a word; a width read past INT_MAX (negative) is clamped to 1.
    WindowHint fromLeft{7, 9, -5, 70000, 0xF};
    testing::internal::CaptureStderr();
    clampWindowSize(fromLeft, "x");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning -- option -g x asks for a window size outside 1..32767; clamped to 1x32767.\n");
    EXPECT_EQ(fromLeft.x, 7);
    EXPECT_EQ(fromLeft.y, 9);
    WindowHint edges{0, 0, 1, 32767, 0xC};
    testing::internal::CaptureStderr();
    clampWindowSize(edges, "1x32767");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(edges.width, 1);
    EXPECT_EQ(edges.height, 32767);
}

TEST_F(Display, NoServerOrNoDisplayMeansNoConnection) {
    convertNetlist();
    makeXPort = [] {
        XPort* p = RecordingPort::make();
        RecordingPort::last()->opens = false;
        return p;
    };
    testing::internal::CaptureStderr();
    phaseFive = new PhaseFive;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unable to open X Window\n");
    EXPECT_EQ(win().display, nullptr);
    EXPECT_EQ(RecordingPort::last(), nullptr);  // the port was let go
    delete phaseFive;

    useXDisplay = 0;
    makeXPort = [] () -> XPort* { ADD_FAILURE() << "-X must not open a connection"; return nullptr; };
    phaseFive = new PhaseFive;
    win().clear();
    win().drawSubWindow();
    win().drawTimeAndQueue(1, 2, 3);
    EXPECT_EQ(win().display, nullptr);
}

TEST_F(Display, AColourThatCannotBeHadEndsTheRun) {
    convertNetlist();
    blue_bg = 7;
    makeXPort = [] {
        XPort* p = RecordingPort::make();
        RecordingPort::last()->colourAllocs = false;
        return p;
    };
    EXPECT_EXIT(new PhaseFive, testing::ExitedWithCode(255), "^Can't Alloc background Pixel\n\n$");
    blue_bg = 0;
    EXPECT_EXIT(new PhaseFive, testing::ExitedWithCode(255), "^Can't Alloc subwindow Pixel\n\n$");
}

TEST_F(Display, ClearingSubWindowAndStatusLine) {
    RecordingPort& r = open();
    Screen& w = win();
    w.clear();
    w.clearArea(10, 20, 30, 40);
    w.view.setView(0, 0, worldMaximum, worldMaximum);
    w.clearArea(10, 20, 5000, 5000000);  // under a pixel wide: nothing, not "to the edge"
    w.clearArea(10, 20, 5000000, 5000);
    EXPECT_EQ(r.calls, (Calls{"clear 0 0 0 0", "clear 10 20 30 40"}));

    r.calls.clear();
    w.view.setView(0, 0, 1024, 1024);
    w.view.setSubWin();
    w.drawSubWindow();
    const Calls once = r.calls;
    EXPECT_EQ(once, (Calls{"lineAttributes main 0 1 1 1", "xor main", "colours main 65535 16777215",
                           "rect main 384 384 256 256", "lineAttributes main 0 0 1 1", "copy main",
                           "colours main 0 16777215"}));
    w.drawSubWindow();  // the same XOR again: the outline is taken away
    EXPECT_EQ(Calls(r.calls.begin() + 7, r.calls.end()), once);

    r.calls.clear();
    w.drawTimeAndQueue(1200, 17, 0);
    w.drawTimeAndQueue(99, 1, 0);
    EXPECT_EQ(r.calls, (Calls{"text main 32 32 'T=1200 Q=17 S=0        '", "text main 32 32 'T=99 Q=1 S=0        '"}));
}

// ---- Icons

TEST_F(Display, IconLayoutInATileOfAThousand) {
    Signal data(3, "d"), control(1, "c"), out(1, "q");
    addStandardComponent(nullptr, andIcon, "g", SD("aa"), data, control, out);
    RecordingPort& r = open();
    place(0, 0, 0, 1000, 1000);
    iconDraw(win(), *phaseFive, 0, andIcon);
    const Calls expected = {
        // the body: the middle half, x and y 250 … 750
        "line main 250 250 583 250", "line main 583 250 750 416", "line main 750 416 750 583",
        "line main 750 583 583 750", "line main 583 750 250 750", "line main 250 750 250 250",
        "text main 250 250 'g'",
        // four input slots: d = 125, tabs 25 high, from x 100 to 150
        "line main 150 312 250 312", "rect main 100 300 50 25",
        "line main 150 437 250 437", "rect main 100 425 50 25",
        "line main 150 562 250 562", "rect main 100 550 50 25",
        "line main 150 687 250 687", "rect main 100 675 50 25",
        // one output slot in the middle
        "line main 750 500 850 500", "rect main 850 450 50 100",
    };
    EXPECT_EQ(r.calls, expected);
    // Slots from the top: control 0, then data 2, 1, 0. The list holds the
    // last recorded first.
    std::vector<int> fromTop;
    for (const Tab* t = phaseFive->inTab.start; t; t = t->link) fromTop.insert(fromTop.begin(), t->signalIndex);
    EXPECT_EQ(fromTop, (std::vector<int>{control.serialNumber[0], data.serialNumber[2], data.serialNumber[1], data.serialNumber[0]}));
    EXPECT_EQ(phaseFive->inTab.start->xc, 125);
    EXPECT_EQ(phaseFive->outTab.start->xc, 875);
    EXPECT_EQ(phaseFive->outTab.start->yc, 500);
    // Super probes are still being collected (no first picture yet): one per tab.
    int probes = 0;
    for (const SuperProbe* p = phaseFive->superProbeList.start; p; p = p->link) probes++;
    EXPECT_EQ(probes, 5);
    const SuperProbe& q = *phaseFive->superProbeList.start;  // the output's
    EXPECT_EQ((std::vector<int>{q.signalIndex, q.x, q.y, q.w, q.h}), (std::vector<int>{out.serialNumber[0], 850, 450, 50, 100}));
}

TEST_F(Display, IconsWithoutLeadsLabelsOrShape) {
    Signal none(0, "UnNamed"), in(2, "i"), out(1, "o");
    addStandardComponent(nullptr, notIcon, "src", SD("aa"), none, none, out);  // no inputs
    addStandardComponent(nullptr, notIcon, "sink", SD("ab"), in, none, none);  // no outputs
    addStandardComponent(nullptr, spaceIcon, "gap", SD("ac"), in, none, out);
    RecordingPort& r = open();
    place(0, 0, 0, 1000, 1000);
    place(1, 0, 0, 1000, 1000);
    place(2, 0, 0, 1000, 1000);
    phaseFive->labelGateFlag = 0;
    iconDraw(win(), *phaseFive, 0, notIcon);
    EXPECT_EQ(only(r.calls, "rect").size(), 1u);  // the output tab only
    EXPECT_EQ(phaseFive->inTab.length, 0);
    EXPECT_EQ(phaseFive->outTab.length, 1);
    r.calls.clear();
    iconDraw(win(), *phaseFive, 1, notIcon);
    EXPECT_EQ(only(r.calls, "rect").size(), 2u);
    EXPECT_EQ(phaseFive->outTab.length, 1);
    r.calls.clear();
    iconDraw(win(), *phaseFive, 2, spaceIcon);
    EXPECT_EQ(only(r.calls, "line").size(), 3u);  // leads only, no body
    r.calls.clear();
    phaseFive->drawComponentLeadsFlag = 0;
    iconDraw(win(), *phaseFive, 0, notIcon);
    EXPECT_EQ(r.calls.size(), 7u);  // notIcon's seven body lines and nothing else
    EXPECT_TRUE(only(r.calls, "line").size() == r.calls.size());
}

// ---- Panes

TEST_F(Display, PaneOfEachValue) {
    RecordingPort& r = open();
    auto pane = [&](int v, bool probe) {
        r.calls.clear();
        drawPane(win(), 0, 0, 400, 400, static_cast<SignalValue>(v), probe, 0.25f);
        return r.calls;
    };
    const std::string box = "rect main 150 150 100 100", clear = "clear 150 150 100 100";
    EXPECT_EQ(pane(ZERO, true), (Calls{clear, "fill ZERO 150 150 100 100", box}));
    EXPECT_EQ(pane(ONE, true), (Calls{clear, "fill ONE 150 150 100 100", box}));
    EXPECT_EQ(pane(UNINITIALIZED, true), (Calls{clear, "fill UNINIT 150 150 100 100", box}));
    EXPECT_EQ(pane(XXX, true), (Calls{clear, "fill XXX 150 150 100 100", box}));
    EXPECT_EQ(pane(HIZ, true), (Calls{clear, "fill HIZ 150 150 100 100", box}));
    EXPECT_EQ(pane(ZERO, false), (Calls{clear, box}));
    EXPECT_EQ(pane(ONE, false), (Calls{clear, "fill main 150 150 100 100"}));
    EXPECT_EQ(pane(UNINITIALIZED, false), (Calls{clear, box, "line main 150 250 250 150"}));
    EXPECT_EQ(pane(XXX, false), (Calls{clear, box, "line main 150 150 250 250", "line main 150 250 250 150"}));
    EXPECT_EQ(pane(HIZ, false), (Calls{clear, box, "line main 150 200 250 200"}));
    for (int v : {-1, 5, 99}) {
        EXPECT_TRUE(pane(v, true).empty()) << v;
        EXPECT_TRUE(pane(v, false).empty()) << v;
    }
}

TEST_F(Display, BytePanesSlotByBar) {
    RecordingPort& r = open();
    SignalValue sv[8] = {ZERO, ONE, XXX, static_cast<SignalValue>(9), HIZ, UNINITIALIZED, ZERO, ONE};
    drawPane_byte_h(win(), 0, 0, 80, 80, sv, true, 0.25f);  // ws 20, slots of 2, bars of 1
    ASSERT_EQ(r.calls.size(), 21u);                   // seven values, the fourth slot untouched
    EXPECT_EQ(Calls(r.calls.begin(), r.calls.begin() + 6),
              (Calls{"clear 30 30 2 20", "fill ZERO 30 30 1 20", "rect main 30 30 1 20", "clear 32 30 2 20",
                     "fill ONE 32 30 1 20", "rect main 32 30 1 20"}));
    EXPECT_EQ(r.calls[9], "clear 38 30 2 20");  // the slot after the one left alone
    r.calls.clear();
    drawPane_byte(win(), 0, 0, 400, 400, sv, true, 0.25f);  // hs 100: slots of 12, bars of 8
    EXPECT_EQ(Calls(r.calls.begin(), r.calls.begin() + 4),
              (Calls{"clear 150 150 100 8", "fill ZERO 150 150 100 8", "rect main 150 150 100 8",
                     "clear 150 162 100 8"}));
}

// ---- Drawing passes

TEST_F(Display, ShownAtLevelsAndIconlessPanes) {
    Signal none(0, "UnNamed");
    SD a("aa");
    // 0: a pane without an icon at level 1
    addStandardComponent(nullptr, noSecondary, nullptr, markPane, nullptr, nullptr, 0, 0, "P", a, One, none, none,
                         0, nullptr, 0, nullptr, 0, 0, 0);
    // 1: a module box at level 2 (overloadable), 2: a gate at level 2, 3: a gate at level 3
    addStandardComponent(nullptr, noSecondary, rectIcon, nullptr, nullptr, nullptr, 1, 0, "box", SD(a, "ab"), One,
                         none, Signal(1, "m"), 0, nullptr, 0, nullptr, 0, 0, 0);
    addStandardComponent(nullptr, andIcon, "g2", SD(a, "ac"), One, none, Signal(1, "x"));
    addStandardComponent(nullptr, andIcon, "g3", SD(SD(a, "ad"), "aa"), One, none, Signal(1, "y"));
    open();
    PhaseFive& p5 = *phaseFive;
    for (int level = 1; level <= 3; level++) {
        p5.currentGraphicDisplayLevel = level;
        p5.drawSchematic();
        const std::vector<int> expected = level == 1 ? std::vector<int>{} : level == 2 ? std::vector<int>{1, 2}
                                                                                         : std::vector<int>{2, 3};
        EXPECT_EQ(drawnComponents(), expected) << "level " << level;
        p5.outTab.clear();
        p5.inTab.clear();
        panesDrawn = 0;
        p5.drawPanes();
        EXPECT_EQ(panesDrawn, 1) << "level " << level;  // no icon, still its pane
    }
}

TEST_F(Display, LinesJoinOutputsToInputsOfTheirWire) {
    Signal w(1, "w"), sel(1, "s"), other(1, "o"), q(1, "q"), r1(1, "r1"), spare(1, "spare");
    addStandardComponent(nullptr, andIcon, "drv", SD("aa"), One, Zero, w);   // 0 drives w
    Mux(SD("ab"), sel, (w, other), q);                                      // 1 reads w into a multiplexer
    addStandardComponent(nullptr, andIcon, "and", SD("ac"), w, Zero, r1);   // 2 reads w into a gate
    addStandardComponent(nullptr, andIcon, "lone", SD("ad"), One, Zero, spare);  // 3 feeds nothing
    RecordingPort& r = open();
    for (int c = 0; c < 4; c++) place(c, 200 * c, 0, 200, 200);
    PhaseFive& p5 = *phaseFive;
    // w's tab on the driver and on each reader, worked out by hand (bodies
    // 100 high from y 50): the driver's output tab centre (175, 100); the
    // multiplexer's inputs (s, w, o from the top, d = 33) put w at
    // 50 + 1.5 · 33 = 99 with its tab centre x 225; the gate's two inputs
    // (Zero, w; d = 50) put w at 125 with x 425.
    p5.drawSchematic();
    r.calls.clear();
    p5.connect();
    Calls lines = only(r.calls, "line");
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (Calls{"line main 175 100 225 99", "line main 175 100 425 125"}));
    EXPECT_EQ(p5.inTab.length + p5.outTab.length, 0);  // both lists are used up

    connectMuxOnlyFlag = 1;
    p5.drawSchematic();
    r.calls.clear();
    p5.connect();
    EXPECT_EQ(only(r.calls, "line"), Calls{"line main 175 100 225 99"});
}

// Without a display the drawing passes keep no tabs or super probes (no
// line or box could show them), yet the panes still run: they print the
// probes' lines.
TEST_F(Display, HeadlessPicturesRecordNothingButStillRunThePanes) {
    Signal none(0, "UnNamed"), w(1, "w");
    addStandardComponent(nullptr, andIcon, "g", SD("ab"), One, none, w);
    addStandardComponent(nullptr, noSecondary, nullptr, markPane, nullptr, nullptr, 0, 0, "P", SD("aa"), w, none,
                         none, 0, nullptr, 0, nullptr, 0, 0, 0);
    convertNetlist();
    useXDisplay = 0;
    phaseFive = new PhaseFive;
    PhaseFive& p5 = *phaseFive;
    ASSERT_EQ(p5.screen->display, nullptr);
    p5.superProbeSelect = 1;
    p5.interconnectFlag = 0;  // the tabs of the first pass would wait for a connect
    p5.firstPicture();
    EXPECT_EQ(p5.superProbeList.start, nullptr);
    EXPECT_EQ(p5.inTab.length + p5.outTab.length, 0);
    EXPECT_EQ(panesDrawn, 1);
    p5.interconnectFlag = 1;
    p5.drawSchematic();
    p5.connect();
    EXPECT_TRUE(p5.connectFirst.empty());  // no index built for lines nobody sees
    EXPECT_GT(phaseTwo->tile[0].w, 0);     // the tiling still ran
}

TEST_F(Display, FirstPictureRecordsSuperProbesAndRepaintsInOrder) {
    Signal none(0, "UnNamed"), w(1, "w");
    SD a("aa");
    addStandardComponent(nullptr, andIcon, "g", SD("ab"), One, none, w);
    addStandardComponent(nullptr, noSecondary, nullptr, markPane, nullptr, nullptr, 0, 0, "P", a, w, none, none, 0,
                         nullptr, 0, nullptr, 0, 0, 0);
    RecordingPort& r = open();
    PhaseFive& p5 = *phaseFive;
    p5.superProbeSelect = 1;
    p5.firstPicture();
    int probes = 0;
    for (const SuperProbe* p = p5.superProbeList.start; p; p = p->link) probes++;
    EXPECT_EQ(probes, 2);  // the gate's input and output tabs
    EXPECT_EQ(p5.superProbeCollect, 0);
    // In order: icon, the line-less connect, pane, super probes, sub-window.
    const size_t pane = std::find(r.calls.begin(), r.calls.end(), "line main 1 0 1 1") - r.calls.begin();
    const size_t xorAt = std::find(r.calls.begin(), r.calls.end(), "xor main") - r.calls.begin();
    ASSERT_LT(pane, r.calls.size());
    // The first picture tiles first: aa and ab split the plane at 8388607,
    // so the gate's output tab, the super probe recorded last, lies in the
    // right half. Its box is the tab shrunk to 0.66 about its centre (this
    // view maps world coordinates to pixels one to one).
    EXPECT_EQ(phaseTwo->tile[0].x, 8388607);
    const SuperProbe& out = *p5.superProbeList.start;
    EXPECT_GT(out.x, 8388607 + 8388607 / 2);
    int xs, ys, ws, hs;
    shrink(0.66f, out.x, out.y, out.w, out.h, xs, ys, ws, hs);
    EXPECT_EQ(r.calls[pane + 1], "clear " + std::to_string(xs) + " " + std::to_string(ys) + " " +
                                     std::to_string(ws) + " " + std::to_string(hs));
    EXPECT_LT(pane, xorAt);
    EXPECT_EQ(only(r.calls, "fill").size(), 2u);  // one box per super probe

    r.calls.clear();
    phaseFive->repaint();  // clear, icons, lines, panes, sub-window; super probes wait
    EXPECT_EQ(r.calls.front(), "clear 0 0 0 0");
    EXPECT_EQ(only(r.calls, "fill").size(), 0u);
    EXPECT_EQ(r.calls[r.calls.size() - 8], "line main 1 0 1 1");
    EXPECT_EQ(r.calls[r.calls.size() - 7], "lineAttributes main 0 1 1 1");
    probes = 0;
    for (const SuperProbe* p = p5.superProbeList.start; p; p = p->link) probes++;
    EXPECT_EQ(probes, 2);  // none recorded after the first picture
    r.calls.clear();
    p5.displaySuperProbes();
    EXPECT_EQ(only(r.calls, "fill").size(), 2u);
}

TEST_F(Display, WindowingRedrawDrawsNoLinesAndMayRecentre) {
    Signal w(1, "w"), q(1, "q");
    addStandardComponent(nullptr, andIcon, "drv", SD("aa"), One, Zero, w);
    addStandardComponent(nullptr, andIcon, "rd", SD("ab"), w, Zero, q);
    RecordingPort& r = open();
    place(0, 0, 0, 200, 200);
    place(1, 200, 0, 200, 200);
    PhaseFive& p5 = *phaseFive;
    Screen& win = *p5.screen;
    win.view.subWinXs = 10;  // a sub-window dragged elsewhere
    p5.windowingRedraw(false);
    EXPECT_EQ(r.calls.front(), "clear 0 0 0 0");
    EXPECT_EQ(only(r.calls, "line ").size(), 2u * 6 + 4 + 2);  // two bodies and their leads, no line between
    EXPECT_EQ(p5.inTab.length, 4);                            // the tabs wait for the next connect
    EXPECT_EQ(win.view.subWinXs, 10);
    r.calls.clear();
    p5.windowingRedraw(true);
    EXPECT_EQ(win.view.subWinXs, 384);
    EXPECT_EQ(r.calls[r.calls.size() - 4], "rect main 384 384 256 256");
    EXPECT_EQ(p5.inTab.length, 4);  // the latest pass's tabs only
    r.calls.clear();
    p5.connect();  // one line, from the latest pass, not one per pass and pair
    EXPECT_EQ(only(r.calls, "line "), Calls{"line main 175 100 225 125"});
}

// A cleared tab list records again in the same order, from the nodes it
// kept: the repaints of a long run allocate nothing once the largest pass
// has been drawn.
TEST(TabLists, ClearedListsRecordAgainFromTheirOwnNodes) {
    TabList list;
    std::vector<const Tab*> nodes;
    for (int i = 0; i < 3; i++) list.addTab(i, 10 + i, i, -i);
    for (const Tab* t = list.start; t; t = t->link) nodes.push_back(t);
    for (int pass = 0; pass < 3; pass++) {
        list.clear();
        EXPECT_EQ(list.start, nullptr);
        EXPECT_EQ(list.length, 0);
        const int n = pass == 1 ? 2 : 4;  // fewer, then more than were kept
        for (int i = 0; i < n; i++) list.addTab(i, 20 + i, 100 * pass, i);
        std::vector<int> signals;
        int reused = 0;
        for (const Tab* t = list.start; t; t = t->link) {
            signals.push_back(t->signalIndex);
            reused += std::count(nodes.begin(), nodes.end(), t) > 0;
        }
        for (const Tab* t = list.start; t; t = t->link)
            if (std::count(nodes.begin(), nodes.end(), t) == 0) nodes.push_back(t);
        EXPECT_EQ(list.length, n);
        EXPECT_EQ(signals, pass == 1 ? std::vector<int>({21, 20}) : std::vector<int>({23, 22, 21, 20}));
        // Three kept, then four: only the first pass needs a new node.
        EXPECT_EQ(reused, pass == 0 ? 3 : n) << "pass " << pass;
    }
}
