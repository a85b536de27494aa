// The window's input without a server: key and button translation, what
// each translated event does (switches, control characters, the unused
// codes and their messages, zooms), the sub-window's region bands and its
// drag by every region.
#include <gtest/gtest.h>

#include <string>

#include "Ph1.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "addStCmp.h"
#include "cmdLine.h"
#include "display/Ph5.h"
#include "display/World.h"
#include "display/WindowEv.h"
#include "display/WindowIn.h"
#include "netlist.h"

namespace {

SecondaryEvaluatePointer noSecondary{nullptr};
int panesDrawn;  // calls of the test pane
void countPane(int) { panesDrawn++; }
int pressed;  // calls of the switch's key hook
void press(int) { pressed++; }

// Translates a key press with the given keysym and bytes.
struct Key {
    int type;
    int keyChar;
};
Key key(unsigned long keysym, const std::string& bytes) {
    Key k{};
    k.type = translateKey(keysym, bytes.data(), static_cast<int>(bytes.size()), k.keyChar);
    return k;
}

TEST(Translation, KeysByRangeThenByCharacter) {
    Key q = key('q', "q");
    EXPECT_EQ(q.type, characterEvent);
    EXPECT_EQ(q.keyChar, 113);
    Key capital = key('q', "Q");  // Shift changes the character, not the keysym
    EXPECT_EQ(capital.keyChar, 'Q');
    Key controlB = key('b', "\x02");
    EXPECT_EQ(controlB.type, characterEvent);
    EXPECT_EQ(controlB.keyChar, 2);
    Key high = key(0xE9, "\xE9");  // a Latin-1 letter: a negative signed char
    EXPECT_EQ(high.type, characterEvent);
    EXPECT_EQ(high.keyChar, -23);

    EXPECT_EQ(key(0xFFBE, "").type, functionKeyEvent);  // F1
    EXPECT_EQ(key(0xFFBE, "").keyChar, 1);
    EXPECT_EQ(key(0xFFC8, "").keyChar, 11);  // F11
    EXPECT_EQ(key(0xFFE0, "").keyChar, 35);  // F35
    EXPECT_EQ(key(0xFF50, "").type, cursorKeyEvent);  // Home
    EXPECT_EQ(key(0xFF50, "").keyChar, -1);
    EXPECT_EQ(key(0xFF54, "").keyChar, 3);  // Down
    EXPECT_EQ(key(0xFF5F, "").keyChar, 14);
    // Just outside both ranges: by character, here none.
    for (unsigned long keysym : {0xFFBDul, 0xFFE1ul, 0xFF4Ful, 0xFF60ul})
        EXPECT_EQ(key(keysym, "").type, noWindowEvent) << std::hex << keysym;
    // Return and Escape are characters, whatever their keysyms.
    EXPECT_EQ(key(0xFF0D, "\r").keyChar, 13);
    EXPECT_EQ(key(0xFF1B, "\x1b").keyChar, 27);
    // Shift alone gives no byte; a compose result of two bytes is no key.
    EXPECT_EQ(key(0xFFE1, "").type, noWindowEvent);
    EXPECT_EQ(key('a', "ab").type, noWindowEvent);
}

TEST(Translation, ReplayedKeysNameTheirCommands) {
    EXPECT_EQ(replayedKeyCode('1'), restartKey);
    EXPECT_EQ(replayedKeyCode('9'), windowingModeKey);
    EXPECT_EQ(replayedKeyCode(':'), quitKey);
    EXPECT_EQ(replayedKeyCode('D'), moreDetailKey);
    EXPECT_EQ(replayedKeyCode('E'), mostDetailKey);
    EXPECT_EQ(replayedKeyCode('H'), leastDetailKey);
    EXPECT_EQ(replayedKeyCode('U'), lessDetailLetterKey);
    EXPECT_EQ(replayedKeyCode('O'), repaintKey);
    EXPECT_EQ(replayedKeyCode('3'), static_cast<int>(pauseKey));
}

// A circuit three levels deep with one pane at level 1 and one key-bound
// component (key '0'), on a window of 800 × 800 pixels viewing world 0 …
// 8000, where one pixel is ten world units exactly.
class Input : public testing::Test {
protected:
    void SetUp() override {
        startNetlist();
        Signal none(0, "UnNamed");
        SD top("aa");
        addStandardComponent(nullptr, noSecondary, nullptr, countPane, nullptr, nullptr, 0, 0, "P", top, One, none,
                             none, 0, nullptr, 0, nullptr, 0, 0, 0);
        Signal s(1, "s");
        phaseOne->switchList.add(s.serialNumber[0], '0');
        addStandardComponent(nullptr, noSecondary, nullptr, nullptr, press, nullptr, 0, 1, "S", SD("ab"), none,
                             none, s, 0, nullptr, 0, nullptr, 0, 0, 0);
        addStandardComponent(nullptr, nullptr, "Deep", SD(SD(top, "ab"), "ac"), Signal(1, "w"), none, none);
        convertNetlist();
        phaseFive = new PhaseFive;
        done = reStart = haltFlag = stallLevel = 0;
        panesDrawn = pressed = 0;
        panState = lastPanX = lastPanY = viewXlast = viewYlast = 0;
        Screen& w = window();
        w.view.xPixels = w.view.yPixels = 800;
        w.view.setView(0, 0, 8000, 8000);
        setSubWindow(3000, 3000, 5000, 5000);
    }
    void TearDown() override {
        delete phaseFive;
        phaseFive = nullptr;
        done = reStart = haltFlag = stallLevel = 0;
    }
    Screen& window() { return *phaseFive->screen; }
    void setSubWindow(int xs, int ys, int xe, int ye) {
        Screen& w = window();
        w.view.subWinXs = xs;
        w.view.subWinYs = ys;
        w.view.subWinXe = xe;
        w.view.subWinYe = ye;
    }
    void expectSubWindow(int xs, int ys, int xe, int ye, const char* what) {
        Screen& w = window();
        EXPECT_EQ(w.view.subWinXs, xs) << what;
        EXPECT_EQ(w.view.subWinYs, ys) << what;
        EXPECT_EQ(w.view.subWinXe, xe) << what;
        EXPECT_EQ(w.view.subWinYe, ye) << what;
    }
    void expectView(int xs, int ys, int xe, int ye) {
        Screen& w = window();
        EXPECT_EQ(w.view.viewXs, xs);
        EXPECT_EQ(w.view.viewYs, ys);
        EXPECT_EQ(w.view.viewXe, xe);
        EXPECT_EQ(w.view.viewYe, ye);
    }
    // Button events as checkEvent gives them.
    void button(int type, int b, int x, int y) { windowEventOperate(WindowInput{type, 0, b, x, y, false}); }
    void motion(int x, int y) { windowEventOperate(WindowInput{motionEvent, 0, 0, x, y, false}); }
    // The standard error that an event of `type` with `code` produces.
    std::string says(int type, int code) {
        testing::internal::CaptureStderr();
        windowEventOperate(WindowInput{type, code, 0, 0, 0, false});
        return testing::internal::GetCapturedStderr();
    }
    int& level() { return phaseFive->currentGraphicDisplayLevel; }
};

TEST_F(Input, CharactersOperateSwitchesOrSayWhyNot) {
    EXPECT_EQ(says(characterEvent, '0'), "");
    EXPECT_EQ(pressed, 1);
    says(characterEvent, '0');  // each press (auto-repeat too) toggles again
    EXPECT_EQ(pressed, 2);
    EXPECT_EQ(says(characterEvent, 'q'),
              "Keyboard input:  Character (char=q,int=113) with no corresponding component activation defined.\n");
    for (int c : {2, 27, 9})
        EXPECT_EQ(says(characterEvent, c), "Keyboard input:  Control character (int=" + std::to_string(c) +
                                               ") unmapped.\n");
    EXPECT_EQ(says(cursorKeyEvent, -1), "Unused Cursor key = -1\n");
    EXPECT_EQ(says(functionKeyEvent, 11), "Unused Function key F11\n");
    EXPECT_EQ(says(5, 77), "Unused EventType = 5 keyChar = 77\n");
    EXPECT_EQ(pressed, 2);
    EXPECT_EQ(panesDrawn, 0);
}

TEST_F(Input, ControlCharactersChangeTheLevelAndAlwaysRepaint) {
    ASSERT_EQ(phaseTwo->maxGraphicDisplayLevel, 3);
    says(characterEvent, controlN);  // level 1 already: unchanged, repainted
    EXPECT_EQ(level(), 1);
    EXPECT_EQ(panesDrawn, 1);
    says(characterEvent, controlZ);
    EXPECT_EQ(level(), 3);
    says(characterEvent, controlM);  // deepest already
    EXPECT_EQ(level(), 3);
    EXPECT_EQ(panesDrawn, 3);
    says(characterEvent, controlN);
    EXPECT_EQ(level(), 2);
    says(characterEvent, controlA);
    EXPECT_EQ(level(), 1);
    says(characterEvent, controlM);
    EXPECT_EQ(level(), 2);
    says(characterEvent, controlL);
    EXPECT_EQ(level(), 2);
    EXPECT_EQ(panesDrawn, 7);
    // Keys reach their commands: F10 ends, Down pauses.
    says(functionKeyEvent, quitKey);
    EXPECT_EQ(done, 1);
    says(cursorKeyEvent, pauseKey);
    EXPECT_EQ(haltFlag, 1);
}

TEST_F(Input, NothingPendingWithoutADisplay) {
    EXPECT_EQ(anyWindowEvents(), 0);
    windowEventOperate(WindowInput{noWindowEvent, 'q', 0, 0, 0, false});
    EXPECT_EQ(pressed + panesDrawn, 0);
}

TEST_F(Input, DirectModeZoomsBetweenTwoCorners) {
    phaseFive->newWindowingMode = 0;
    Screen& w = window();
    w.view.xPixels = 1025;
    w.view.yPixels = 825;
    w.view.resetView();
    button(buttonPressEvent, 1, 100, 100);
    button(buttonReleaseEvent, 1, 100, 100);
    EXPECT_EQ(panesDrawn, 0);  // a corner only
    button(buttonPressEvent, 3, 612, 512);
    expectView(1636801, 2033601, 10017225, 10412041);
    EXPECT_EQ(panesDrawn, 1);
    button(buttonPressEvent, 2, 5, 5);
    expectView(0, 0, worldMaximum, worldMaximum);
    EXPECT_EQ(panesDrawn, 2);
    // On a window wider than 4096 pixels the corner is taken in full.
    w.view.xPixels = 6000;
    button(buttonPressEvent, 1, 4500, 0);
    button(buttonPressEvent, 3, 6000, 825);
    EXPECT_EQ(w.view.viewXs, truncateToInt(16777215.0f * 4500.0f / 6000.0f));
    EXPECT_NEAR(w.view.viewXe, worldMaximum, 1);
    button(buttonPressEvent, 4, 0, 0);  // other buttons do nothing
    EXPECT_EQ(panesDrawn, 3);
}

TEST_F(Input, WindowingModeZoomsToTheSubWindowAndBack) {
    button(buttonPressEvent, 2, 0, 0);
    expectView(3000, 3000, 5000, 5000);
    EXPECT_EQ(panesDrawn, 1);
    button(buttonPressEvent, 3, 0, 0);
    expectView(0, 0, worldMaximum, worldMaximum);
    expectSubWindow(6291453, 6291453, 10485755, 10485755, "back in the middle");
    EXPECT_EQ(panesDrawn, 2);
}

// Sub-window 3000 … 5000 is pixels 300 … 500; its bands are 25 pixels.
TEST_F(Input, RegionBands) {
    Screen& w = window();
    struct {
        int x, y, region;
    } points[] = {
        {299, 400, 0}, {501, 400, 0}, {400, 299, 0}, {400, 501, 0},  // outside
        {300, 300, 2}, {324, 324, 2}, {325, 300, 3}, {475, 300, 3}, {476, 300, 4}, {500, 324, 4},
        {300, 325, 5}, {325, 325, 1}, {475, 474, 1}, {476, 400, 6}, {500, 474, 6},
        {300, 475, 7}, {400, 475, 8}, {400, 500, 8}, {476, 475, 9}, {500, 500, 9},
    };
    for (auto& p : points) EXPECT_EQ(w.pointInSubWindow(p.x, p.y), p.region) << p.x << "," << p.y;
}

TEST_F(Input, DragMovesTheEdgesOfItsRegion) {
    // A motion of (+7, +3) pixels is (+70, +30) world units.
    const int xs = 3000, ys = 3000, xe = 5000, ye = 5000, dx = 70, dy = 30;
    struct {
        int state, xs, ys, xe, ye;
    } moves[] = {
        {0, xs, ys, xe, ye},
        {1, xs + dx, ys + dy, xe + dx, ye + dy},
        {2, xs + dx, ys + dy, xe, ye},
        {3, xs, ys + dy, xe, ye},
        {4, xs, ys + dy, xe + dx, ye},
        {5, xs + dx, ys, xe, ye},
        {6, xs, ys, xe + dx, ye},
        {7, xs + dx, ys, xe, ye + dy},
        {8, xs, ys, xe, ye + dy},
        {9, xs, ys, xe + dx, ye + dy},
    };
    for (auto& m : moves) {
        setSubWindow(xs, ys, xe, ye);
        window().adjustSubWindow(m.state, 407, 403, 400, 400);
        expectSubWindow(m.xs, m.ys, m.xe, m.ye, ("state " + std::to_string(m.state)).c_str());
    }
    // The right edge dragged past the left one inverts the rectangle.
    setSubWindow(xs, ys, xe, ye);
    window().adjustSubWindow(6, 200, 400, 500, 400);
    expectSubWindow(3000, 3000, 2000, 5000, "inverted");
}

TEST_F(Input, ButtonOneDragsThroughEvents) {
    button(buttonPressEvent, 1, 400, 400);  // inside: a move
    EXPECT_EQ(panState, 1);
    motion(410, 405);
    motion(420, 410);
    button(buttonReleaseEvent, 1, 420, 410);
    EXPECT_EQ(panState, 0);
    expectSubWindow(3200, 3100, 5200, 5100, "moved");
    button(buttonPressEvent, 1, 520, 400);  // its right edge now: the right band
    EXPECT_EQ(panState, 6);
    button(buttonReleaseEvent, 1, 520, 400);
    button(buttonPressEvent, 1, 700, 700);  // outside: nothing moves
    EXPECT_EQ(panState, 0);
    motion(100, 100);
    button(buttonReleaseEvent, 1, 100, 100);
    expectSubWindow(3200, 3100, 5200, 5100, "outside");
    button(buttonPressEvent, 1, 520, 510);  // bottom-right corner: resize
    EXPECT_EQ(panState, 9);
    motion(540, 530);
    button(buttonReleaseEvent, 1, 540, 530);
    expectSubWindow(3200, 3100, 5400, 5300, "resized");
    EXPECT_EQ(panesDrawn, 0);
}

}  // namespace
