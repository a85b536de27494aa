// The real port's held-back drawing (display/PortBatch.h): what is held and
// when it goes out, the clears left out under a pane's fill, and, over
// random call sequences on a small raster, that the batched requests give
// the same pixels as the calls made one by one.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "display/PortBatch.h"

namespace {

// Records what the batch sends, one line per request.
class SinkLog : public BatchSink {
public:
    std::vector<std::string> sent;
    void segments(PortContext c, const PortSegment* s, int n) override {
        std::string t = "lines " + std::to_string(c) + " x" + std::to_string(n);
        for (int i = 0; i < n && i < 3; i++) t += " " + std::to_string(s[i].x1);
        sent.push_back(t);
    }
    void rectangles(PortContext c, const PortRect* r, int n) override {
        std::string t = "outlines " + std::to_string(c) + " x" + std::to_string(n);
        for (int i = 0; i < n && i < 3; i++) t += " " + std::to_string(r[i].x);
        sent.push_back(t);
    }
    void clearArea(const PortRect& r) override {
        sent.push_back("clear " + std::to_string(r.x) + " " + std::to_string(r.y) + " " + std::to_string(r.w) + " " +
                       std::to_string(r.h));
    }
};

TEST(PortBatch, LinesAndOutlinesOfAPlainContextGoOutTogetherAtTheNextOtherCall) {
    SinkLog log;
    DrawBatch b(log);
    b.line(ctxMain, 1, 0, 5, 0);
    b.rectangle(ctxMain, 10, 0, 3, 3);
    b.line(ctxMain, 2, 0, 6, 0);
    EXPECT_TRUE(log.sent.empty());
    EXPECT_EQ(b.heldLines(), 2);
    EXPECT_EQ(b.heldOutlines(), 1);
    b.send();
    EXPECT_EQ(log.sent, (std::vector<std::string>{"lines 0 x2 1 2", "outlines 0 x1 10"}));
    b.send();  // nothing left to send
    EXPECT_EQ(log.sent.size(), 2u);

    // Another context's line sends the held ones first: contexts are never
    // interleaved.
    log.sent.clear();
    b.line(ctxMain, 1, 0, 1, 9);
    b.line(ctxBOLD, 7, 0, 7, 9);
    b.line(ctxMain, 3, 0, 3, 9);
    b.send();
    EXPECT_EQ(log.sent, (std::vector<std::string>{"lines 0 x1 1", "lines 6 x1 7", "lines 0 x1 3"}));
}

TEST(PortBatch, ExclusiveOrAndDashedContextsDrawOneByOneInOrder) {
    SinkLog log;
    DrawBatch b(log);
    b.line(ctxMain, 1, 0, 1, 5);
    b.function(ctxMain, true);  // the change waits for nothing held
    EXPECT_EQ(log.sent, (std::vector<std::string>{"lines 0 x1 1"}));
    b.rectangle(ctxMain, 4, 4, 2, 2);
    b.rectangle(ctxMain, 5, 5, 2, 2);
    EXPECT_EQ(b.heldOutlines(), 0);
    b.function(ctxMain, false);
    b.lineStyle(ctxMain, true);
    b.line(ctxMain, 8, 0, 8, 5);
    b.lineStyle(ctxMain, false);
    b.line(ctxMain, 9, 0, 9, 5);
    b.clip(ctxMain, true);  // a clip change also sends first
    EXPECT_EQ(log.sent, (std::vector<std::string>{"lines 0 x1 1", "outlines 0 x1 4", "outlines 0 x1 5",
                                                  "lines 0 x1 8", "lines 0 x1 9"}));
}

TEST(PortBatch, AClearIsLeftOutOnlyUnderAFillOfExactlyItsRectangle) {
    SinkLog log;
    DrawBatch b(log);
    // A pane: clear, fill of the same rectangle, outline.
    b.clearArea(4, 5, 6, 7);
    EXPECT_TRUE(b.holdsClear());
    b.beforeFill(ctxONE, 4, 5, 6, 7);
    EXPECT_TRUE(log.sent.empty());
    EXPECT_FALSE(b.holdsClear());

    // Kept: another rectangle, a size of 0 (to the window's edge), an
    // exclusive-or fill, a clipped fill, or any other call in between.
    b.clearArea(4, 5, 6, 7);
    b.beforeFill(ctxONE, 4, 5, 6, 8);
    b.clearArea(0, 0, 0, 0);
    b.beforeFill(ctxMain, 0, 0, 0, 0);
    b.function(ctxXXX, true);
    b.clearArea(1, 1, 2, 2);
    b.beforeFill(ctxXXX, 1, 1, 2, 2);
    b.clip(ctxMain, true);
    b.clearArea(3, 3, 2, 2);
    b.beforeFill(ctxMain, 3, 3, 2, 2);
    b.clip(ctxMain, false);
    b.clearArea(9, 9, 2, 2);
    b.line(ctxMain, 9, 9, 10, 10);
    b.beforeFill(ctxZERO, 9, 9, 2, 2);
    EXPECT_EQ(log.sent, (std::vector<std::string>{"clear 4 5 6 7", "clear 0 0 0 0", "clear 1 1 2 2", "clear 3 3 2 2",
                                                  "clear 9 9 2 2", "lines 0 x1 9"}));
}

TEST(PortBatch, AFullBatchGoesOutBeforeItOverflows) {
    SinkLog log;
    DrawBatch b(log);
    for (int i = 0; i <= DrawBatch::capacity; i++) b.line(ctxMain, i, 0, i, 1);
    EXPECT_EQ(log.sent, (std::vector<std::string>{"lines 0 x512 0 1 2"}));
    EXPECT_EQ(b.heldLines(), 1);
    for (int i = 0; i < DrawBatch::capacity; i++) b.rectangle(ctxMain, i, 0, 1, 1);
    EXPECT_EQ(log.sent.size(), 1u);
    b.rectangle(ctxMain, 0, 0, 1, 1);
    EXPECT_EQ(log.sent.back(), "outlines 0 x512 0 1 2");
}

// A raster of 24 x 24 pixels with the server's rules for what the port
// uses here: axis-parallel thin lines including both ends, outlines of
// (w + 1) x (h + 1) pixels, fills and clears of w x h, copy or exclusive
// or, a clip that hides everything the main context draws.
class Raster : public BatchSink {
public:
    static const int side = 24;
    int px[side][side] = {};
    int colour[portContextCount] = {7, 1, 2, 3, 4, 5, 7};
    bool exclusiveOr[portContextCount] = {};
    bool clipped = false;

    void paint(PortContext c, int x, int y) {
        if (x < 0 || y < 0 || x >= side || y >= side || (c == ctxMain && clipped)) return;
        px[y][x] = exclusiveOr[c] ? px[y][x] ^ colour[c] : colour[c];
    }
    void line(PortContext c, const PortSegment& s) {
        const int dx = s.x2 > s.x1 ? 1 : s.x2 < s.x1 ? -1 : 0, dy = s.y2 > s.y1 ? 1 : s.y2 < s.y1 ? -1 : 0;
        for (int x = s.x1, y = s.y1;; x += dx, y += dy) {
            paint(c, x, y);
            if (x == s.x2 && y == s.y2) break;
        }
    }
    void outline(PortContext c, const PortRect& r) {
        line(c, {r.x, r.y, r.x + r.w, r.y});
        line(c, {r.x + r.w, r.y + 1, r.x + r.w, r.y + r.h});
        line(c, {r.x, r.y + r.h, r.x + r.w - 1, r.y + r.h});
        if (r.h > 1) line(c, {r.x, r.y + 1, r.x, r.y + r.h - 1});
    }
    void fill(PortContext c, const PortRect& r) {
        for (int y = r.y; y < r.y + r.h; y++)
            for (int x = r.x; x < r.x + r.w; x++) paint(c, x, y);
    }
    void segments(PortContext c, const PortSegment* s, int n) override {
        for (int i = 0; i < n; i++) line(c, s[i]);
    }
    void rectangles(PortContext c, const PortRect* r, int n) override {
        for (int i = 0; i < n; i++) outline(c, r[i]);
    }
    void clearArea(const PortRect& r) override {
        for (int y = r.y; y < r.y + r.h; y++)
            for (int x = r.x; x < r.x + r.w; x++)
                if (x >= 0 && y >= 0 && x < side && y < side) px[y][x] = 0;
    }
};

TEST(PortBatch, RandomCallSequencesGiveTheSamePixelsAsCallsOneByOne) {
    std::mt19937 random(20190215);
    auto any = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 300; round++) {
        Raster direct, batched;
        DrawBatch b(batched);
        PortRect lastClear{0, 0, 1, 1};
        for (int call = 0; call < 200; call++) {
            const PortContext c = static_cast<PortContext>(any(portContextCount));
            const int x = any(22), y = any(22), w = 1 + any(5), h = 1 + any(5);
            switch (any(8)) {
            case 0:
            case 1: {
                const bool across = any(2);
                const PortSegment s{x, y, across ? x + w : x, across ? y : y + h};
                direct.line(c, s);
                b.line(c, s.x1, s.y1, s.x2, s.y2);
                break;
            }
            case 2:
                direct.outline(c, {x, y, w, h});
                b.rectangle(c, x, y, w, h);
                break;
            case 3:
                lastClear = PortRect{x, y, w, h};
                direct.clearArea(lastClear);
                b.clearArea(x, y, w, h);
                break;
            case 4: {
                // Half the fills cover the last clear exactly, as a pane's do.
                const PortRect r = any(2) ? lastClear : PortRect{x, y, w, h};
                b.beforeFill(c, r.x, r.y, r.w, r.h);
                direct.fill(c, r);
                batched.fill(c, r);
                break;
            }
            case 5: {
                const bool x = any(4) == 0;
                b.function(c, x);
                direct.exclusiveOr[c] = batched.exclusiveOr[c] = x;
                break;
            }
            case 6: {
                const bool on = any(6) == 0;
                b.clip(ctxMain, on);
                direct.clipped = batched.clipped = on;
                break;
            }
            default: b.send(); break;
            }
        }
        b.send();
        for (int y = 0; y < Raster::side; y++)
            for (int x = 0; x < Raster::side; x++)
                ASSERT_EQ(batched.px[y][x], direct.px[y][x]) << "round " << round << " at " << x << "," << y;
    }
}

}  // namespace
