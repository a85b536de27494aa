// The SVG picture against the window: the processor's first picture and its
// repaint at the deepest level are drawn once on the recording port and
// once on the SVG port, and the picture's elements, read back from the
// file, must be the same primitives at the same pixels in the same order.
// Both sides are reduced to one word per primitive and its geometry: a box
// (filled rectangle, cleared area, a text's background), an outline, a
// line, a text, an ellipse or an arc.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Ph2.h"
#include "cmdLine.h"
#include "display/Ph5.h"
#include "display/SvgPort.h"
#include "netlist.h"
#include "recorder.h"

void simnet();

namespace {

using Words = std::vector<std::string>;

const int width = 1025, height = 825;  // the window the recorder reports

std::string join(std::initializer_list<long> values) {
    std::string s;
    for (long v : values) s += " " + std::to_string(v);
    return s;
}

// The recorder's drawing calls as words; set-up and context calls drop out.
Words fromRecorder(const std::vector<std::string>& calls) {
    Words words;
    for (const std::string& call : calls) {
        std::istringstream in(call);
        std::string op, context;
        in >> op;
        long x, y, w, h, a1, a2;
        if (op == "clear") {
            in >> x >> y >> w >> h;
            words.push_back("box" + join({x, y, w ? w : width - x, h ? h : height - y}));
        } else if (op == "fill") {
            in >> context >> x >> y >> w >> h;
            words.push_back("box" + join({x, y, w > 0 ? w : 0, h > 0 ? h : 0}));
        } else if (op == "rect") {
            in >> context >> x >> y >> w >> h;
            words.push_back("outline" + join({x, y, w > 0 ? w : 0, h > 0 ? h : 0}));
        } else if (op == "line") {
            in >> context >> x >> y >> w >> h;
            words.push_back("line" + join({x, y, w, h}));
        } else if (op == "text") {
            in >> context >> x >> y;
            std::string rest;
            std::getline(in, rest);
            const std::string text = rest.substr(2, rest.size() - 3);  // ' … '
            words.push_back("box" + join({x, y - 11, 6 * static_cast<long>(text.size()), 13}));
            words.push_back("text" + join({x, y}) + " " + text);
        } else if (op == "arc" || op == "fillArc") {
            in >> context >> x >> y >> w >> h >> a1 >> a2;
            const std::string kind = op == "arc" ? "ellipse" : "filled-ellipse";
            words.push_back(std::abs(a2) >= 360 * 64 ? kind + join({x, y, w, h}) : op);
        }
    }
    return words;
}

// The value of attribute `name` in an element's text.
std::string attribute(const std::string& element, const std::string& name) {
    const size_t at = element.find(" " + name + "=\"");
    if (at == std::string::npos) return "";
    const size_t from = at + name.size() + 3;
    return element.substr(from, element.find('"', from) - from);
}
double number(const std::string& element, const std::string& name) {
    return std::atof(attribute(element, name).c_str());
}
long whole(double v) { return std::lround(v); }

// The picture's elements as words: one element a line, as the port writes
// them; the background and the clip paths drop out.
Words fromPicture(const std::string& path) {
    std::ifstream in(path);
    Words words;
    bool background = true;
    for (std::string e; std::getline(in, e);) {
        if (e.compare(0, 5, "<line") == 0) {
            const double o = attribute(e, "stroke-width") == "2" ? 0 : 0.5;
            words.push_back("line" + join({whole(number(e, "x1") - o), whole(number(e, "y1") - o),
                                           whole(number(e, "x2") - o), whole(number(e, "y2") - o)}));
        } else if (e.compare(0, 5, "<rect") == 0) {
            if (background) {  // the picture's own background comes first
                background = false;
                continue;
            }
            words.push_back("box" + join({whole(number(e, "x")), whole(number(e, "y")), whole(number(e, "width")),
                                          whole(number(e, "height"))}));
        } else if (e.compare(0, 5, "<path") == 0) {
            const std::string d = attribute(e, "d");
            if (d.find(" A") != std::string::npos) {
                words.push_back(attribute(e, "fill") == "none" ? "arc" : "fillArc");
                continue;
            }
            double x, y;
            long w, h;
            std::sscanf(d.c_str(), "M%lf %lf h%ld v%ld", &x, &y, &w, &h);
            words.push_back("outline" + join({whole(x - 0.5), whole(y - 0.5), w, h}));
        } else if (e.compare(0, 8, "<ellipse") == 0) {
            const bool filled = attribute(e, "fill") != "none";
            const double o = filled ? 0 : 0.5, rx = number(e, "rx"), ry = number(e, "ry");
            words.push_back(std::string(filled ? "filled-ellipse" : "ellipse") +
                            join({whole(number(e, "cx") - rx - o), whole(number(e, "cy") - ry - o), whole(2 * rx),
                                  whole(2 * ry)}));
        } else if (e.compare(0, 5, "<text") == 0) {
            std::string text = e.substr(e.find('>') + 1);
            text = text.substr(0, text.rfind("</text>"));
            for (auto [from, to] : {std::pair<std::string, std::string>{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}})
                for (size_t at; (at = text.find(from)) != std::string::npos;) text.replace(at, from.size(), to);
            words.push_back("text" + join({whole(number(e, "x")), whole(number(e, "y"))}) + " " + text);
        }
    }
    return words;
}

// Draws the first picture and the deepest level's repaint on the port the
// factory makes; returns the phase five, still open.
void drawBoth() {
    PhaseFive& p5 = *phaseFive;
    p5.firstPicture();
    p5.currentGraphicDisplayLevel = phaseTwo->maxGraphicDisplayLevel;
    p5.repaint();
}

FILE* pictureFile = nullptr;
XPort* makePicture() { return newSvgPort(pictureFile, "picture.svg"); }

}  // namespace

TEST(Picture, SameElementsAsTheWindowsCallsAtTheFullViewAndTheDeepestLevel) {
    startNetlist();
    testing::internal::CaptureStderr();
    simnet();
    testing::internal::GetCapturedStderr();
    convertNetlist();
    ASSERT_GT(phaseTwo->maxGraphicDisplayLevel, 1);
    useXDisplay = 1;

    makeXPort = RecordingPort::make;
    phaseFive = new PhaseFive;
    RecordingPort::last()->calls.clear();
    drawBoth();
    const Words window = fromRecorder(RecordingPort::last()->calls);
    delete phaseFive;

    char path[] = "/tmp/korvax-picture-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    pictureFile = fdopen(fd, "wb");
    makeXPort = makePicture;
    phaseFive = new PhaseFive;
    drawBoth();
    delete phaseFive;  // writes the file
    phaseFive = nullptr;
    makeXPort = newXlibPort;
    EXPECT_FALSE(pictureWriteFailed());
    const Words picture = fromPicture(path);
    std::remove(path);

    ASSERT_GT(window.size(), 10000u);  // the processor draws thousands of primitives
    ASSERT_EQ(picture.size(), window.size());
    for (size_t i = 0; i < window.size(); i++) ASSERT_EQ(picture[i], window[i]) << "element " << i;
}
