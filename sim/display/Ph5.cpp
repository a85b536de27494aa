// Phase five's drawing passes and the drawing sequences made of them: the
// icons of the shown components, the interconnecting lines between their
// tabs, the live panes; the first picture, the repaint, the redraws after
// an exposure and a view change, the panel's toggle and the saved picture.
#include "display/Ph5.h"

#include <cstddef>
#include <cstdio>

#include "Watch.h"
#include "cmdLine.h"
#include "display/IconDraw.h"
#include "display/IconLayout.h"
#include "display/Pane.h"
#include "display/SvgPort.h"

PhaseFive* phaseFive = nullptr;

namespace {

const char* const windowLabel = "Korvax v20190215";

}  // namespace

PhaseFive::PhaseFive()
    : screen(new Screen(windowLabel)), superProbeCollect(1), superProbeSelect(0), newWindowingMode(1),
      currentGraphicDisplayLevel(1), interconnectFlag(1), labelGateFlag(1), drawComponentLeadsFlag(1),
      labelLinesFlag(0) {
    paneOut = this;
    if (watchLinesFlag && !picturePath && !watchList.empty()) watchPanel.show(*screen);
}

// The window goes first; the lists free their nodes as members.
PhaseFive::~PhaseFive() {
    if (paneOut == this) paneOut = nullptr;
    delete screen;
}

bool PhaseFive::visible() const { return screen->display != nullptr; }

void PhaseFive::pane(const ScreenTile& t, SignalValue v, bool isProbe, float shrinkFactor) {
    drawPane(*screen, t.x, t.y, t.w, t.h, v, isProbe, shrinkFactor);
}

void PhaseFive::byteColumn(const ScreenTile& t, const SignalValue* v, float shrinkFactor) {
    drawPane_byte(*screen, t.x, t.y, t.w, t.h, v, true, shrinkFactor);
}

void PhaseFive::byteRow(const ScreenTile& t, const SignalValue* v, float shrinkFactor) {
    drawPane_byte_h(*screen, t.x, t.y, t.w, t.h, v, true, shrinkFactor);
}

void PhaseFive::componentTiling(SchematicCell* schematic) {
    const PhaseTwo& p2 = *phaseTwo;
    tilePositionFields(schematic, p2.numberOfComponents, p2.rcpos, p2.tile);
}

void PhaseFive::drawSchematic() {
    const PhaseTwo& p2 = *phaseTwo;
    // Tabs of an earlier pass that no connect used up (lines off, or a
    // view change in windowing mode) are dropped: they may belong to
    // another level or view, and lines drawn from them would lead to
    // components no longer shown, twice over; kept, the lists would also
    // grow with every such pass.
    inTab.clear();
    outTab.clear();
    for (int c = 0; c < p2.numberOfComponents; c++)
        if (p2.iconArrays[c] && shown(c)) iconDraw(*screen, *this, c, p2.iconArrays[c]);
}

void PhaseFive::connect() {
    Screen& win = *screen;
    const PhaseTwo& p2 = *phaseTwo;
    // Without a display no tabs are recorded and no line would show: the
    // index is not built.
    if (!win.display) {
        inTab.clear();
        outTab.clear();
        return;
    }
    // Index the input tabs by wire, keeping their list order within a wire,
    // so that each output tab meets only the inputs of its own wire.
    const std::size_t signals = static_cast<std::size_t>(p2.numberOfSignals);
    if (connectFirst.size() < signals) {
        connectFirst.resize(signals, -1);
        connectLast.resize(signals, -1);
    }
    const std::size_t tabs = static_cast<std::size_t>(inTab.length);
    if (connectTabs.size() < tabs) {
        connectTabs.resize(tabs);
        connectNext.resize(tabs);
    }
    int k = 0;
    for (const Tab* t = inTab.start; t; t = t->link, k++) {
        connectTabs[k] = t;
        connectNext[k] = -1;
        const int s = t->signalIndex;
        if (connectFirst[s] < 0)
            connectFirst[s] = k;
        else
            connectNext[connectLast[s]] = k;
        connectLast[s] = k;
    }
    for (const Tab* o = outTab.start; o; o = o->link) {
        for (int i = connectFirst[o->signalIndex]; i >= 0; i = connectNext[i]) {
            const Tab* t = connectTabs[i];
            if (!connectMuxOnlyFlag || p2.multiplexer[t->cmp]) win.drawLine(o->xc, o->yc, t->xc, t->yc);
        }
    }
    for (const Tab* t = inTab.start; t; t = t->link) connectFirst[t->signalIndex] = connectLast[t->signalIndex] = -1;
    inTab.clear();
    outTab.clear();
}

void PhaseFive::drawPanes() {
    const PhaseTwo& p2 = *phaseTwo;
    for (int c = 0; c < p2.numberOfComponents; c++)
        if (p2.runTimeCalls[c].drawDynamic && shown(c)) p2.runTimeCalls[c].drawDynamic(c);
}

void PhaseFive::firstPicture() {
    componentTiling(new SchematicCell);  // the tree is kept to the end
    drawSchematic();
    superProbeCollect = 0;
    if (interconnectFlag) connect();
    drawPanes();
    if (superProbeSelect) displaySuperProbes();
    screen->drawSubWindow();
    watchPanel.redraw(*screen);
}

void PhaseFive::windowingRedraw(bool recentre) {
    Screen& win = *screen;
    win.clear();
    drawSchematic();
    drawPanes();
    if (recentre) win.view.setSubWin();
    win.drawSubWindow();
}

int PhaseFive::componentAtPixel(int px, int py) const {
    const PhaseTwo& p2 = *phaseTwo;
    const Windex& win = screen->view;
    int found = -1;
    long long foundArea = 0;
    for (int c = 0; c < p2.numberOfComponents; c++) {
        if (!p2.iconArrays[c] || !shown(c)) continue;
        const ScreenTile& t = p2.tile[c];
        const int x0 = win.xScale(t.x), y0 = win.yScale(t.y);
        const int x1 = win.xScale(t.x + t.w), y1 = win.yScale(t.y + t.h);
        if (px < x0 || px > x1 || py < y0 || py > y1) continue;
        const long long area = static_cast<long long>(x1 - x0) * (y1 - y0);
        if (found < 0 || area <= foundArea) {
            found = c;
            foundArea = area;
        }
    }
    return found;
}

void PhaseFive::outlineComponents(const std::vector<int>& components) {
    Screen& win = *screen;
    if (!win.display) return;
    const PhaseTwo& p2 = *phaseTwo;
    const Windex& v = win.view;
    for (int c : components) {
        if (c < 0 || c >= p2.numberOfComponents || !shown(c)) continue;
        const ScreenTile t = iconExtent(p2.tile[c]);
        const int x0 = v.xScale(t.x), y0 = v.yScale(t.y);
        const int w = v.xScale(t.x + t.w) - x0, h = v.yScale(t.y + t.h) - y0;
        win.display->drawRectangle(ctxBOLD, x0 - 2, y0 - 2, w + 4, h + 4);
        win.display->drawRectangle(ctxXXX, x0 - 4, y0 - 4, w + 8, h + 8);
        win.display->drawRectangle(ctxXXX, x0 - 5, y0 - 5, w + 10, h + 10);
    }
    win.display->flush();
}

void PhaseFive::repaint() {
    screen->clear();
    drawSchematic();
    if (interconnectFlag) connect();
    drawPanes();
    screen->drawSubWindow();
}

void PhaseFive::exposureRedraw(bool due) {
    Screen& win = *screen;
    if (!win.display) return;
    if (due) {
        win.display->setClipRectangles(win.clips, win.numClips);
        drawSchematic();
        if (newWindowingMode && interconnectFlag) connect();
        drawPanes();
        win.drawSubWindow();
        win.display->clearClip();
        win.numClips = 0;
        win.readWindowSize();
    }
    repaint();
}

void PhaseFive::togglePanel() {
    Screen& win = *screen;
    if (watchPanel.shown) {
        watchPanel.hide(win);
        repaint();
        return;
    }
    watchPanel.show(win);
    repaint();
    watchPanel.redraw(win);
}

void PhaseFive::savePicture() {
    Screen& win = *screen;
    if (!win.display) return;
    char name[32] = "";
    FILE* file = createPictureFile(name);
    if (!file) return;
    XPort* picture = newSvgPort(file, name);
    const ScreenSaved saved = win.beginPicture(picture);
    repaint();
    win.endPicture(saved);
    const bool failedBefore = pictureWriteFailed();
    picture->close();
    delete picture;
    if (pictureWriteFailed() == failedBefore) std::fprintf(stderr, "Saved the view as %s\n", name);
}
