// The SVG port: each primitive of XPort.h as one SVG element, written to the
// file when the port is closed.
//
// Pixel geometry follows the server's: a thin line or outline lights the
// pixels its integer coordinates name, so odd stroke widths are drawn half
// a pixel over (the centre of the pixel); a filled rectangle covers w × h
// pixels from its corner; an outline w + 1 × h + 1. Arcs take the server's
// angles (1/64 degree, counter-clockwise from three o'clock); filled arcs
// are pie slices.
#include "display/SvgPort.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

FILE* pictureFile = nullptr;        // the file of -s, once opened
const char* picturePath = nullptr;  // its name
bool writeFailed = false;           // a picture could not be written

// The server's default font, which the window's text uses: 6 × 13 cells,
// 11 pixels above the baseline.
const int fontWidth = 6, fontHeight = 13, fontAscent = 11;

// X's default dashes: four pixels on, four off.
const char* const dashes = "4 4";

// Bits of a geometry mask, as the X library gives them.
const int xValue = 0x1, yValue = 0x2, widthValue = 0x4, heightValue = 0x8, xNegative = 0x10, yNegative = 0x20;

// One graphics context's state.
struct Context {
    unsigned long foreground = 0, background = 0xFFFFFF;
    bool exclusiveOr = false;
    int width = 0;  // 0: thin, one pixel
    bool dashed = false, roundCap = false;
};

// Reads a number at `s` (digits only), advancing it; false without digits.
bool readNumber(const char*& s, int& value) {
    if (*s < '0' || *s > '9') return false;
    long long v = 0;
    while (*s >= '0' && *s <= '9') {
        if (v < 100000000) v = v * 10 + (*s - '0');
        s++;
    }
    value = static_cast<int>(v);
    return true;
}

// Parses "[=][WxH][{+-}X{+-}Y]" as the X library does; returns the mask of
// what it found, 0 for anything malformed.
int parseGeometry(const char* s, int& x, int& y, int& w, int& h) {
    if (!s || !*s) return 0;
    if (*s == '=') s++;
    int mask = 0, nw = w, nh = h, nx = x, ny = y;
    if (*s != '+' && *s != '-') {
        if (!readNumber(s, nw) || (*s != 'x' && *s != 'X')) return 0;
        s++;
        if (!readNumber(s, nh)) return 0;
        mask |= widthValue | heightValue;
    }
    if (*s == '+' || *s == '-') {
        const bool xNeg = *s++ == '-';
        if (!readNumber(s, nx) || (*s != '+' && *s != '-')) return 0;
        const bool yNeg = *s++ == '-';
        if (!readNumber(s, ny)) return 0;
        if (xNeg) nx = -nx;
        if (yNeg) ny = -ny;
        mask |= xValue | yValue | (xNeg ? xNegative : 0) | (yNeg ? yNegative : 0);
    }
    if (*s) return 0;  // malformed: nothing taken
    w = nw, h = nh, x = nx, y = ny;
    return mask;
}

std::string hexColour(unsigned long pixel) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06lX", pixel & 0xFFFFFF);
    return text;
}

// A number with at most two decimals, without trailing zeros.
std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

// Text as XML character data: the markup characters escaped, and every byte
// outside printable ASCII (which the window font may show, but which need
// not be valid UTF-8) as '?'.
std::string xmlText(const char* s, int n) {
    std::string out;
    for (int i = 0; i < n; i++) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c < 32 || c > 126) out += '?';
        else out += static_cast<char>(c);
    }
    return out;
}

class SvgPort : public XPort {
public:
    FILE* file;          // where the picture goes at close
    std::string path;    // its name, for messages
    std::string body;    // the elements so far
    int width = 0, height = 0;
    unsigned long windowBackground = 0xFFFFFF;
    Context contexts[portContextCount];
    int clipNumber = 0;  // clip paths defined so far
    bool clipped = false;

    SvgPort(FILE* f, const char* name) : file(f), path(name) {}

    bool open() override { return true; }
    unsigned long whitePixel() override { return 0xFFFFFF; }
    unsigned long blackPixel() override { return 0; }
    bool allocColor(unsigned short red, unsigned short green, unsigned short blue, unsigned long& pixel) override {
        pixel = (static_cast<unsigned long>(red >> 8) << 16) | (static_cast<unsigned long>(green >> 8) << 8) |
                (blue >> 8);
        return true;
    }
    unsigned long allocNamedColor(const char* spec, unsigned long previous) override {
        if (!spec || spec[0] != '#' || std::strlen(spec) != 7) return previous;
        char* end = nullptr;
        const unsigned long v = std::strtoul(spec + 1, &end, 16);
        return *end ? previous : v;
    }
    int geometry(const char* user, const char* fallback, int, int& x, int& y, int& w, int& h) override {
        parseGeometry(fallback, x, y, w, h);
        return parseGeometry(user, x, y, w, h);
    }
    void createWindow(int, int, int w, int h, int, unsigned long, unsigned long backgroundPixel) override {
        width = w > 0 ? w : 1;
        height = h > 0 ? h : 1;
        windowBackground = backgroundPixel;
    }
    void setProperties(const char*, const char*, int, int, int, int, int) override {}
    void createContext(PortContext) override {}
    void selectInputAndMap(long) override {}
    void windowSize(int& w, int& h) override {
        w = width;
        h = height;
    }
    void close() override {
        std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                           std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " +
                           std::to_string(width) + " " + std::to_string(height) +
                           "\" shape-rendering=\"crispEdges\" font-family=\"DejaVu Sans Mono, monospace\" "
                           "font-size=\"10\">\n"
                           "<rect width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) +
                           "\" fill=\"" + hexColour(windowBackground) + "\"/>\n";
        const std::string tail = "</svg>\n";
        errno = 0;
        const bool written = std::fwrite(head.data(), 1, head.size(), file) == head.size() &&
                             std::fwrite(body.data(), 1, body.size(), file) == body.size() &&
                             std::fwrite(tail.data(), 1, tail.size(), file) == tail.size();
        const int writeErrno = errno;
        const bool closed = std::fclose(file) == 0;
        if (!written || !closed) {
            std::fprintf(stderr, "%s: cannot be written: %s\n", path.c_str(),
                         std::strerror(!written && writeErrno ? writeErrno : errno ? errno : EIO));
            writeFailed = true;
        }
        file = nullptr;
    }

    void setColours(PortContext c, unsigned long foreground, unsigned long background) override {
        contexts[c].foreground = foreground;
        contexts[c].background = background;
    }
    void setFunction(PortContext c, bool exclusiveOr) override { contexts[c].exclusiveOr = exclusiveOr; }
    void setLineAttributes(PortContext c, int w, bool dashed, bool roundCap, bool) override {
        contexts[c].width = w;
        contexts[c].dashed = dashed;
        contexts[c].roundCap = roundCap;
    }
    void setClipRectangles(const PortRect* r, int n) override {
        clipNumber++;
        body += "<clipPath id=\"clip" + std::to_string(clipNumber) + "\">";
        for (int i = 0; i < n; i++)
            body += "<rect x=\"" + std::to_string(r[i].x) + "\" y=\"" + std::to_string(r[i].y) + "\" width=\"" +
                    std::to_string(r[i].w > 0 ? r[i].w : 0) + "\" height=\"" + std::to_string(r[i].h > 0 ? r[i].h : 0) +
                    "\"/>";
        body += "</clipPath>\n";
        clipped = true;
    }
    void clearClip() override { clipped = false; }

    void clearArea(int x, int y, int w, int h) override {
        if (w == 0) w = width - x;
        if (h == 0) h = height - y;
        rectangle(x, y, w, h, hexColour(windowBackground), false);
    }
    void drawLine(PortContext c, int x1, int y1, int x2, int y2) override {
        const double o = offset(c);
        body += "<line x1=\"" + number(x1 + o) + "\" y1=\"" + number(y1 + o) + "\" x2=\"" + number(x2 + o) +
                "\" y2=\"" + number(y2 + o) + "\"" + stroke(c) + clip(c) + "/>\n";
    }
    // A path, not a rect: an outline of no height is a line on the screen,
    // but a rect of no height would not be drawn at all.
    void drawRectangle(PortContext c, int x, int y, int w, int h) override {
        const double o = offset(c);
        if (w < 0) w = 0;
        if (h < 0) h = 0;
        body += "<path d=\"M" + number(x + o) + " " + number(y + o) + " h" + std::to_string(w) + " v" +
                std::to_string(h) + " h" + std::to_string(-w) + " Z\" fill=\"none\"" + stroke(c) + clip(c) + "/>\n";
    }
    void fillRectangle(PortContext c, int x, int y, int w, int h) override {
        rectangle(x, y, w, h, colour(c), c == ctxMain && clipped);
    }
    void drawArc(PortContext c, int x, int y, int w, int h, int angle1, int angle2) override {
        arc(c, x, y, w, h, angle1, angle2, false);
    }
    void fillArc(PortContext c, int x, int y, int w, int h, int angle1, int angle2) override {
        arc(c, x, y, w, h, angle1, angle2, true);
    }
    void drawImageText(PortContext c, int x, int y, const char* s, int n) override {
        rectangle(x, y - fontAscent, n * fontWidth, fontHeight, hexColour(contexts[c].background),
                  c == ctxMain && clipped);
        body += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" textLength=\"" +
                std::to_string(n * fontWidth) + "\" lengthAdjust=\"spacingAndGlyphs\" fill=\"" + colour(c) + "\"" +
                clip(c) + ">" + xmlText(s, n) + "</text>\n";
    }
    void defineCursor(int) override {}
    void flush() override {}
    void sync() override {}

    // The window is shown at once: the one exposure it waits for is there.
    bool exposed = false;
    bool nextEvent(PortEvent& e, bool exposuresOnly) override {
        std::memset(&e, 0, sizeof e);
        if (!exposuresOnly || exposed) return false;
        exposed = true;
        e.kind = portExpose;
        e.exposeW = width;
        e.exposeH = height;
        return true;
    }
    bool waitReadable(int) override { return false; }

private:
    // What the window shows where the context draws over the background.
    std::string colour(PortContext c) const {
        const Context& k = contexts[c];
        return hexColour(k.exclusiveOr ? k.foreground ^ windowBackground : k.foreground);
    }
    // Odd widths lie on pixel centres.
    double offset(PortContext c) const { return contexts[c].width % 2 == 0 && contexts[c].width ? 0 : 0.5; }
    std::string stroke(PortContext c) const {
        const Context& k = contexts[c];
        std::string s = " stroke=\"" + colour(c) + "\"";
        if (k.width > 1) s += " stroke-width=\"" + std::to_string(k.width) + "\"";
        if (k.roundCap && k.width > 1) s += " stroke-linecap=\"round\"";
        if (k.dashed) s += std::string(" stroke-dasharray=\"") + dashes + "\"";
        return s;
    }
    std::string clip(PortContext c) const {
        return c == ctxMain && clipped ? " clip-path=\"url(#clip" + std::to_string(clipNumber) + ")\"" : "";
    }
    void rectangle(int x, int y, int w, int h, const std::string& fill, bool withClip) {
        body += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
                std::to_string(w > 0 ? w : 0) + "\" height=\"" + std::to_string(h > 0 ? h : 0) + "\" fill=\"" + fill +
                "\"" + (withClip ? clip(ctxMain) : "") + "/>\n";
    }
    void arc(PortContext c, int x, int y, int w, int h, int angle1, int angle2, bool filled) {
        const double o = filled ? 0 : offset(c);
        const double rx = w / 2.0, ry = h / 2.0, cx = x + rx + o, cy = y + ry + o;
        const std::string paint = filled ? " fill=\"" + colour(c) + "\"" : " fill=\"none\"" + stroke(c);
        if (std::abs(angle2) >= 360 * 64) {
            body += "<ellipse cx=\"" + number(cx) + "\" cy=\"" + number(cy) + "\" rx=\"" + number(rx) + "\" ry=\"" +
                    number(ry) + "\"" + paint + clip(c) + "/>\n";
            return;
        }
        const double pi = 3.14159265358979323846;
        const double a1 = angle1 / 64.0 * pi / 180, a2 = (angle1 + angle2) / 64.0 * pi / 180;
        const std::string start = number(cx + rx * std::cos(a1)) + " " + number(cy - ry * std::sin(a1));
        const std::string end = number(cx + rx * std::cos(a2)) + " " + number(cy - ry * std::sin(a2));
        const int large = std::abs(angle2) > 180 * 64 ? 1 : 0, sweep = angle2 > 0 ? 0 : 1;
        std::string d = filled ? "M" + number(cx) + " " + number(cy) + " L" + start : "M" + start;
        d += " A" + number(rx) + " " + number(ry) + " 0 " + std::to_string(large) + " " + std::to_string(sweep) +
             " " + end;
        if (filled) d += " Z";
        body += "<path d=\"" + d + "\"" + paint + clip(c) + "/>\n";
    }
};

}  // namespace

void openPictureFile(const char* path) {
    picturePath = path;
    pictureFile = std::fopen(path, "wb");
    if (!pictureFile) {
        std::fprintf(stderr, "%s: cannot be written: %s\n", path, std::strerror(errno));
        std::exit(2);
    }
}

XPort* newPicturePort() { return newSvgPort(pictureFile, picturePath); }

XPort* newSvgPort(FILE* file, const char* path) { return new SvgPort(file, path); }

bool pictureWriteFailed() { return writeFailed; }
