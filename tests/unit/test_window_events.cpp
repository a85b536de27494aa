// Window events through a stand-in port: translation in checkEvent, the
// exposure batches and their clipped redraw, the close request, full
// pointer positions, and the run loop serving the window: keys at the
// window, the idle and halted waits, and super probes kept out of the
// repaints replayed before the first picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "Ph1.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "addStCmp.h"
#include "cmdLine.h"
#include "display/IconLayout.h"
#include "display/Ph5.h"
#include "display/World.h"
#include "display/WindowIn.h"
#include "display/iconData.h"
#include "netlist.h"
#include "recorder.h"

namespace {

SecondaryEvaluatePointer noSecondary{nullptr};
int panesDrawn;  // calls of the test pane
void countPane(int) { panesDrawn++; }
int pressed;  // calls of the key hook (one at start-up)
void press(int);

// A recorder whose events come from a queue; an empty queue has nothing
// pending. Each wait on the connection is logged and lets the next of the
// `arriving` events come in, as if it arrived during the wait.
class QueuePort : public RecordingPort {
public:
    std::deque<PortEvent> events;    // what nextEvent hands out, front first
    std::deque<PortEvent> arriving;  // events that arrive one per wait
    static QueuePort*& last() {
        static QueuePort* p = nullptr;
        return p;
    }
    static XPort* make() { return last() = new QueuePort; }
    bool nextEvent(PortEvent& e, bool exposuresOnly) override {
        if (exposuresOnly) return RecordingPort::nextEvent(e, true);  // the set-up's first exposure
        e = PortEvent();
        if (events.empty()) return false;
        e = events.front();
        events.pop_front();
        return true;
    }
    bool waitReadable(int timeoutMs) override {
        log("wait", {timeoutMs});
        if (!arriving.empty()) {
            events.push_back(arriving.front());
            arriving.pop_front();
        }
        return RecordingPort::waitReadable(timeoutMs);
    }
};

PortEvent keyPress(unsigned long keysym, const char* bytes) {
    PortEvent e{};
    e.kind = portKeyPress;
    e.keysym = keysym;
    e.byteCount = static_cast<int>(std::string(bytes).size());
    std::copy(bytes, bytes + e.byteCount, e.bytes);
    return e;
}
PortEvent buttonEvent(PortEventKind kind, unsigned button, int x, int y, bool shift = false) {
    PortEvent e{};
    e.kind = kind;
    e.button = button;
    e.x = x;
    e.y = y;
    e.shift = shift;
    return e;
}
PortEvent exposure(int x, int y, int w, int h, int count) {
    PortEvent e{};
    e.kind = portExpose;
    e.exposeX = x, e.exposeY = y, e.exposeW = w, e.exposeH = h, e.exposeCount = count;
    return e;
}
PortEvent ofKind(PortEventKind kind) {
    PortEvent e{};
    e.kind = kind;
    return e;
}

void press(int) {
    pressed++;
    QueuePort::last()->calls.push_back("press");
}

long count(const std::vector<std::string>& calls, const std::string& call) {
    return std::count(calls.begin(), calls.end(), call);
}

// A pane at level 1, a gate with leads (component 1) and a key-bound hook
// (key '0'), in a window opened on the queue port.
class WindowEvents : public testing::Test {
protected:
    void SetUp() override {
        startNetlist();
        Signal none(0, "UnNamed"), w(1, "w"), s(1, "s");
        addStandardComponent(nullptr, noSecondary, nullptr, countPane, nullptr, nullptr, 0, 0, "P", SD("aa"), One,
                             none, none, 0, nullptr, 0, nullptr, 0, 0, 0);
        addStandardComponent(nullptr, andIcon, "g", SD("ab"), One, none, w);
        phaseOne->switchList.add(s.serialNumber[0], '0');
        addStandardComponent(nullptr, noSecondary, nullptr, nullptr, press, nullptr, 0, 1, "S", SD("ac"), none,
                             none, s, 0, nullptr, 0, nullptr, 0, 0, 0);
        convertNetlist();
        done = reStart = haltFlag = stallLevel = displayTimeFlag = 0;
        stopTime = 0;
        FunctionKeyString[0] = CursorKeyString[0] = '\0';
        panesDrawn = pressed = 0;
        panState = lastPanX = lastPanY = viewXlast = viewYlast = 0;
        useXDisplay = 1;
        makeXPort = QueuePort::make;
        phaseFour = new PhaseFour;
        phaseFive = new PhaseFive;
        port().calls.clear();
    }
    void TearDown() override {
        delete phaseFive;
        delete phaseFour;
        phaseFive = nullptr;
        phaseFour = nullptr;
        makeXPort = newXlibPort;
        done = reStart = haltFlag = stallLevel = 0;
        FunctionKeyString[0] = '\0';
    }
    QueuePort& port() { return *QueuePort::last(); }
    Screen& window() { return *phaseFive->screen; }
    // anyWindowEvents on the next queued event, with what it wrote.
    int serve(const PortEvent& e, std::string* said = nullptr) {
        port().events.push_back(e);
        testing::internal::CaptureStderr();
        const int r = anyWindowEvents();
        const std::string s = testing::internal::GetCapturedStderr();
        if (said) *said = s;
        return r;
    }
};

}  // namespace

TEST_F(WindowEvents, ThreeExposuresOneClippedRedrawThreeRepaints) {
    QueuePort& p = port();
    p.width = 900;  // resized meanwhile: read at the end of the batch
    EXPECT_EQ(serve(exposure(0, 0, 10, 20, 2)), 0);
    EXPECT_EQ(window().view.xPixels, 1025);
    EXPECT_EQ(serve(exposure(30, 40, 50, 60, 1)), 0);
    EXPECT_EQ(count(p.calls, "clip 3"), 0);
    EXPECT_EQ(serve(exposure(5, 5, 5, 5, 0)), 0);
    EXPECT_EQ(count(p.calls, "clip 3"), 1);
    EXPECT_EQ(count(p.calls, "unclip"), 1);
    EXPECT_EQ(count(p.calls, "clear 0 0 0 0"), 3);  // each exposure repaints
    EXPECT_EQ(panesDrawn, 4);                        // one clipped redraw, three repaints
    EXPECT_EQ(window().view.xPixels, 900);
    EXPECT_EQ(window().numClips, 0);
    // The clipped redraw comes before the first clear of its batch's last
    // repaint, and is unclipped before it.
    const auto at = [&](const std::string& c) { return std::find(p.calls.begin(), p.calls.end(), c) - p.calls.begin(); };
    EXPECT_LT(at("clip 3"), at("unclip"));
}

TEST_F(WindowEvents, SixteenRectanglesEndABatch) {
    QueuePort& p = port();
    for (int i = 16; i >= 0; i--) serve(exposure(i, i, 1, 1, i));
    EXPECT_EQ(count(p.calls, "clip 16"), 1);  // full at the sixteenth
    EXPECT_EQ(count(p.calls, "clip 1"), 1);   // the seventeenth ends its own batch
    EXPECT_EQ(count(p.calls, "clear 0 0 0 0"), 17);
}

TEST_F(WindowEvents, KeysCloseRequestAndOtherEvents) {
    std::string said;
    EXPECT_EQ(serve(keyPress('q', "q"), &said), 1);
    EXPECT_EQ(said,
              "Keyboard input:  Character (char=q,int=113) with no corresponding component activation defined.\n");
    EXPECT_EQ(serve(keyPress('0', "0")), 1);
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(serve(keyPress(0xFFE1, "")), 0);  // Shift alone
    EXPECT_EQ(serve(keyPress(0xFFC9, ""), &said), 1);  // F12 (F11 is the watch panel's)
    EXPECT_EQ(said, "Unused Function key F12\n");
    EXPECT_EQ(serve(keyPress(0xFF50, ""), &said), 1);
    EXPECT_EQ(said, "Unused Cursor key = -1\n");
    EXPECT_EQ(serve(keyPress(0xFF54, "")), 1);  // Down
    EXPECT_EQ(haltFlag, 1);
    EXPECT_EQ(serve(ofKind(portMappingChange)), 0);
    EXPECT_EQ(serve(ofKind(portOther)), 0);
    EXPECT_EQ(anyWindowEvents(), 0);  // nothing pending
    EXPECT_EQ(done, 0);
    EXPECT_EQ(serve(ofKind(portCloseRequest)), 1);  // as F10
    EXPECT_EQ(done, 1);
}

TEST_F(WindowEvents, PointerPositionsBeyond4096) {
    Screen& w = window();
    w.view.xPixels = 8000;
    w.view.yPixels = 5000;
    phaseFive->newWindowingMode = 0;
    serve(buttonEvent(portButtonPress, 1, 4000, 100));
    serve(buttonEvent(portButtonPress, 3, 6000, 4500));
    EXPECT_EQ(w.view.viewXs, 8388607);  // half the plane
    EXPECT_EQ(w.view.viewXe, 12582911);  // three quarters
    EXPECT_EQ(w.view.viewYe, truncateToInt(16777215.0f * 4500.0f / 5000.0f));
    // The cursor of a sub-window band in windowing mode.
    phaseFive->newWindowingMode = 1;
    w.view.resetView();
    w.view.setSubWin();
    port().calls.clear();
    serve(buttonEvent(portButtonPress, 1, 4000, 2500));  // the middle of the sub-window
    EXPECT_EQ(panState, 1);
    serve(buttonEvent(portMotion, 0, 5000, 2500));  // 1000 pixels right: an eighth of the plane
    serve(buttonEvent(portButtonRelease, 1, 5000, 2500));
    EXPECT_EQ(w.view.subWinXs, truncateToInt(6291453.0f + 16777215.0f * 1000.0f / 8000.0f));
    EXPECT_EQ(port().calls.front(), "cursor 52");  // fleur
    EXPECT_EQ(port().calls.back(), "cursor 2");    // the arrow again
}

TEST_F(WindowEvents, RunServesKeysAndSleepsWhenIdleOrHalted) {
    QueuePort& p = port();
    // Each event arrives during a wait: the idle run and the halted run
    // both sleep until it comes. Between Down and Down the run is halted.
    p.arriving = {keyPress('0', "0"), keyPress(0xFF54, ""), keyPress('0', "0"), keyPress(0xFF54, ""),
                  ofKind(portCloseRequest)};
    phaseFour->run();
    EXPECT_EQ(pressed, 3);  // start-up and two keys
    EXPECT_EQ(done, 1);
    EXPECT_TRUE(p.arriving.empty());
    EXPECT_TRUE(p.events.empty());
    EXPECT_EQ(count(p.calls, "wait 50"), 5);
}

TEST_F(WindowEvents, ABusyRunDoesNotSleep) {
    // With keys of -k left, each is typed at the next quiet moment, without
    // sleeping; only then does the idle run wait for the window.
    KeyboardOperateString = "000";
    port().arriving = {ofKind(portCloseRequest)};
    phaseFour->run();
    KeyboardOperateString = nullptr;
    const std::vector<std::string> expected = {"press", "press", "press", "press", "wait 50"};
    std::vector<std::string> sequence;
    for (const std::string& c : port().calls)
        if (c == "press" || c == "wait 50") sequence.push_back(c);
    EXPECT_EQ(sequence, expected);
}

TEST_F(WindowEvents, ReplayedRepaintsRecordNoSuperProbes) {
    std::snprintf(FunctionKeyString, keyStringSize, "8");  // F8: a repaint before the tiling
    port().events = {ofKind(portCloseRequest)};
    phaseFour->run();
    int probes = 0;
    for (const SuperProbe* s = phaseFive->superProbeList.start; s; s = s->link) probes++;
    EXPECT_EQ(probes, 2);  // the gate's input and output, from the first picture only
}

TEST_F(WindowEvents, ButtonsTranslateWithFullPositionsAndShift) {
    Screen& w = window();
    WindowInput in;
    port().events = {buttonEvent(portButtonPress, 3, 70000, 5, true), buttonEvent(portMotion, 0, 4096, 8191),
                     buttonEvent(portButtonRelease, 2, 1, 2, true)};
    w.checkEvent(in);
    EXPECT_EQ(in.type, buttonPressEvent);
    EXPECT_EQ(in.button, 3);
    EXPECT_EQ(in.x, 70000);  // nothing cut to a field
    EXPECT_EQ(in.y, 5);
    EXPECT_TRUE(in.shift);
    w.checkEvent(in);
    EXPECT_EQ(in.type, motionEvent);
    EXPECT_EQ(in.button, 0);
    EXPECT_EQ(in.x, 4096);
    EXPECT_EQ(in.y, 8191);
    EXPECT_FALSE(in.shift);
    w.checkEvent(in);
    EXPECT_EQ(in.type, buttonReleaseEvent);
    EXPECT_EQ(in.button, 2);
    EXPECT_FALSE(in.shift);  // only a press carries it
    w.checkEvent(in);
    EXPECT_EQ(in.type, noWindowEvent);
}

TEST_F(WindowEvents, ExposuresTranslateIntoTheirRedrawsCue) {
    Screen& w = window();
    WindowInput in;
    PortEvent panel = ofKind(portPanelExpose);
    panel.exposeCount = 0;
    port().events = {exposure(1, 2, 3, 4, 1), exposure(5, 6, 7, 8, 0), panel};
    w.checkEvent(in);
    EXPECT_EQ(in.type, exposeEvent);
    EXPECT_EQ(in.code, 0);  // more of the batch to come: collected only
    EXPECT_EQ(w.numClips, 1);
    w.checkEvent(in);
    EXPECT_EQ(in.type, exposeEvent);
    EXPECT_EQ(in.code, 1);  // the batch's last: due for its clipped redraw
    ASSERT_EQ(w.numClips, 2);
    EXPECT_EQ(w.clips[1].x, 5);
    EXPECT_EQ(w.clips[1].h, 8);
    w.checkEvent(in);
    EXPECT_EQ(in.type, panelExposeEvent);
    EXPECT_EQ(in.code, 1);
    EXPECT_TRUE(port().calls.empty());  // translation draws nothing
}

std::vector<int> explained;  // the components the stand-in explanation was asked about
void explainStandIn(int c, std::vector<int>& chain) {
    explained.push_back(c);
    chain.push_back(c);
    chain.push_back(0);  // another component the chain names: outlined too
}

TEST_F(WindowEvents, ShiftClickExplainsAndOutlinesTheComponentUnderThePointer) {
    phaseFive->firstPicture();
    Screen& w = window();
    const ScreenTile& t = phaseTwo->tile[1];
    const int x0 = w.view.xScale(t.x), y0 = w.view.yScale(t.y);
    const int x1 = w.view.xScale(t.x + t.w), y1 = w.view.yScale(t.y + t.h);
    const int cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    EXPECT_EQ(phaseFive->componentAtPixel(cx, cy), 1);
    EXPECT_EQ(phaseFive->componentAtPixel(x1 + 1, cy), -1);

    // Without an explanation to call, Shift-click is a plain click.
    phaseFive->newWindowingMode = 0;
    serve(buttonEvent(portButtonPress, 1, cx, cy, true));
    EXPECT_EQ(viewXlast, cx);

    explained.clear();
    explainClick = explainStandIn;
    viewXlast = 0;
    port().calls.clear();
    serve(buttonEvent(portButtonPress, 1, cx, cy, true));
    EXPECT_EQ(explained, std::vector<int>{1});
    EXPECT_EQ(viewXlast, 0);  // not taken as a click
    std::vector<std::string> outline;
    for (int c : {1, 0}) {
        const ScreenTile u = iconExtent(phaseTwo->tile[c]);
        const int ux = w.view.xScale(u.x), uy = w.view.yScale(u.y);
        const int uw = w.view.xScale(u.x + u.w) - ux, uh = w.view.yScale(u.y + u.h) - uy;
        outline.push_back("rect BOLD " + std::to_string(ux - 2) + " " + std::to_string(uy - 2) + " " +
                          std::to_string(uw + 4) + " " + std::to_string(uh + 4));
        outline.push_back("rect XXX " + std::to_string(ux - 4) + " " + std::to_string(uy - 4) + " " +
                          std::to_string(uw + 8) + " " + std::to_string(uh + 8));
        outline.push_back("rect XXX " + std::to_string(ux - 5) + " " + std::to_string(uy - 5) + " " +
                          std::to_string(uw + 10) + " " + std::to_string(uh + 10));
    }
    EXPECT_EQ(port().calls, outline);

    // Without Shift, or with another button, it is the button as ever.
    serve(buttonEvent(portButtonPress, 1, cx, cy));
    EXPECT_EQ(viewXlast, cx);
    EXPECT_EQ(explained.size(), 1u);

    // Where no icon is drawn: one line, nothing asked.
    std::string said;
    serve(buttonEvent(portButtonPress, 1, x1 + 1, cy, true), &said);
    EXPECT_EQ(said, "Shift-click at " + std::to_string(x1 + 1) + " " + std::to_string(cy) +
                        ": no component is drawn there.\n");
    EXPECT_EQ(explained.size(), 1u);
    explainClick = nullptr;
}
