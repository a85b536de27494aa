// A stand-in for the X server: a port that records every call it gets as
// one line of text (the primitive, its context and its pixel arguments), so
// that a test can compare a drawing pass call by call. It answers the
// set-up's questions with fixed values a test may change beforehand.
#ifndef KORVAX_TEST_RECORDER_H
#define KORVAX_TEST_RECORDER_H

#include <string>
#include <vector>

#include "display/Window.h"

class RecordingPort : public XPort {
public:
    std::vector<std::string> calls;  // every call, in order
    bool opens = true;               // whether open succeeds
    bool colourAllocs = true;        // whether allocColor succeeds
    int geometryFlags = 0;           // what the geometry parse returns
    int geometryX = 100, geometryY = 25, geometryW = 1025, geometryH = 825;  // and the place it gives
    int width = 1025, height = 825;  // the window size it reports
    int quietPolls = 2;              // empty exposure polls before the first exposure arrives
    int waits = 0;                   // waitReadable calls
    int fontAscent = 11, fontDescent = 2, fontWidth = 6;  // the font cell it reports

    // The port the window made last (the window owns and deletes it).
    static RecordingPort*& last() {
        static RecordingPort* p = nullptr;
        return p;
    }
    static XPort* make() { return last() = new RecordingPort; }
    ~RecordingPort() override {
        if (last() == this) last() = nullptr;
    }

    static const char* name(PortContext c) {
        static const char* const names[] = {"main", "ONE", "ZERO", "UNINIT", "XXX", "HIZ", "BOLD"};
        return names[c];
    }
    void log(const std::string& op, PortContext c, std::vector<long> args, const std::string& text = "") {
        std::string s = op;
        if (c != portContextCount) s += std::string(" ") + name(c);
        for (long a : args) s += " " + std::to_string(a);
        if (!text.empty()) s += " '" + text + "'";
        calls.push_back(s);
    }
    void log(const std::string& op, std::vector<long> args, const std::string& text = "") {
        log(op, portContextCount, args, text);
    }

    bool open() override {
        log("open", {});
        return opens;
    }
    unsigned long whitePixel() override { return 0xFFFFFF; }
    unsigned long blackPixel() override { return 0; }
    bool allocColor(unsigned short r, unsigned short g, unsigned short b, unsigned long& pixel) override {
        log("allocColor", {r, g, b});
        if (colourAllocs) pixel = (r >> 8) << 16 | (g >> 8) << 8 | (b >> 8);
        return colourAllocs;
    }
    unsigned long allocNamedColor(const char* spec, unsigned long) override {
        log("allocNamedColor", {}, spec);
        return std::stoul(spec + 1, nullptr, 16);
    }
    int geometry(const char* user, const char* fallback, int border, int& x, int& y, int& w, int& h) override {
        log("geometry", {border}, std::string(user) + "|" + fallback);
        x = geometryX, y = geometryY, w = geometryW, h = geometryH;
        return geometryFlags;
    }
    void createWindow(int x, int y, int w, int h, int border, unsigned long bp, unsigned long bg) override {
        log("createWindow", {x, y, w, h, border, static_cast<long>(bp), static_cast<long>(bg)});
    }
    void setProperties(const char* windowName, const char* iconName, int x, int y, int w, int h,
                       int flags) override {
        log("setProperties", {x, y, w, h, flags}, std::string(windowName) + "|" + iconName);
    }
    void createContext(PortContext c) override { log("createContext", c, {}); }
    void selectInputAndMap(long mask) override { log("selectInputAndMap", {mask}); }
    void windowSize(int& w, int& h) override {
        w = width;
        h = height;
    }
    void close() override { log("close", {}); }
    void setColours(PortContext c, unsigned long fg, unsigned long bg) override {
        log("colours", c, {static_cast<long>(fg), static_cast<long>(bg)});
    }
    void setFunction(PortContext c, bool x) override { log(x ? "xor" : "copy", c, {}); }
    void setLineAttributes(PortContext c, int width, bool dashed, bool roundCap, bool roundJoin) override {
        log("lineAttributes", c, {width, dashed, roundCap, roundJoin});
    }
    void setClipRectangles(const PortRect*, int n) override { log("clip", {n}); }
    void clearClip() override { log("unclip", {}); }
    void clearArea(int x, int y, int w, int h) override { log("clear", {x, y, w, h}); }
    void drawLine(PortContext c, int x1, int y1, int x2, int y2) override { log("line", c, {x1, y1, x2, y2}); }
    void drawRectangle(PortContext c, int x, int y, int w, int h) override { log("rect", c, {x, y, w, h}); }
    void fillRectangle(PortContext c, int x, int y, int w, int h) override { log("fill", c, {x, y, w, h}); }
    void drawArc(PortContext c, int x, int y, int w, int h, int a1, int a2) override {
        log("arc", c, {x, y, w, h, a1, a2});
    }
    void fillArc(PortContext c, int x, int y, int w, int h, int a1, int a2) override {
        log("fillArc", c, {x, y, w, h, a1, a2});
    }
    void drawImageText(PortContext c, int x, int y, const char* s, int n) override {
        log("text", c, {x, y}, std::string(s, static_cast<size_t>(n)));
    }
    void defineCursor(int glyph) override { log("cursor", {glyph}); }
    void flush() override {}
    void sync() override { log("sync", {}); }
    bool nextEvent(PortEvent& e, bool exposuresOnly) override {
        e = PortEvent();
        if (quietPolls > 0) {
            quietPolls--;
            return false;
        }
        if (!exposuresOnly) return false;
        e.kind = portExpose;
        return true;
    }
    bool waitReadable(int) override {
        waits++;
        return true;
    }
    void showPanel(int x, int y, int w, int h, unsigned long bp, unsigned long bg) override {
        log("panel", {x, y, w, h, static_cast<long>(bp), static_cast<long>(bg)});
    }
    void hidePanel() override { log("hidePanel", {}); }
    void drawPanelText(int x, int y, const char* s, int n) override {
        log("panelText", {x, y}, std::string(s, static_cast<size_t>(n)));
    }
    void fontCell(int& ascent, int& descent, int& width) override {
        ascent = fontAscent;
        descent = fontDescent;
        width = fontWidth;
    }
};

#endif
