// The watch panel (see WatchPanel.h): its layout from the watches' formats
// and the window's font, the band it takes from the schematic, and the
// lines it draws on its child window.
//
// The lines are kept as drawn, so that a sample draws only the lines whose
// text changed and an exposure draws them again as they were. A sample
// makes each watch's text afresh (watchText), which happens at the quiet
// moments of the run, never per event or per evaluation.
#include "display/WatchPanel.h"

#include <algorithm>
#include <cstring>

#include "Watch.h"

namespace {

const char* const title = "Watches";

// The decimal digits of `v`.
int digits(unsigned long v) {
    int n = 1;
    while (v >= 10) v /= 10, n++;
    return n;
}

}  // namespace

int watchColumns(int w) {
    const WatchEntry& e = watchList[w];
    const int width = static_cast<int>(e.wires.size());
    const unsigned long all = width >= 64 ? ~0ul : (1ul << width) - 1;
    if (e.text) return WatchPanel::formatterColumns;
    switch (e.format) {
    case WATCH_DECIMAL: return digits(all);
    case WATCH_SIGNED: return 1 + digits(width >= 64 ? 1ul << 63 : 1ul << (width - 1));
    case WATCH_BINARY: return width;
    default: return (width + 3) / 4;
    }
}

WatchPanel::WatchPanel()
    : shown(false), ascent(0), descent(0), charWidth(0), labelColumns(0), columns(0), band(0) {}

int WatchPanel::rowsFor(int height) const {
    const int wanted = 1 + std::max(1, static_cast<int>(watchList.size()));
    const int fit = std::max(2, (height - 2 - 2 * margin) / lineHeight());
    return std::min(wanted, fit);
}

void WatchPanel::makeLine(int row, int rows, std::string& out) const {
    const int watches = static_cast<int>(watchList.size());
    out.clear();
    if (row == 0) {
        out = title;
    } else if (watches == 0) {
        if (row == 1) out = "(none declared)";
    } else if (row == rows - 1 && watches > rows - 1) {
        out = "(" + std::to_string(watches - (rows - 2)) + " more)";
    } else if (row <= watches) {
        const WatchEntry& e = watchList[row - 1];
        out.append(e.label, 0, static_cast<size_t>(labelColumns));
        out.resize(static_cast<size_t>(labelColumns) + 1, ' ');
        out += watchText(row - 1);
    }
    const size_t room = static_cast<size_t>(columns);
    if (out.size() > room) {
        out.resize(room);
        out[room - 1] = '>';
    }
    out.resize(room, ' ');
}

void WatchPanel::show(Screen& w) {
    if (shown || !w.display) return;
    if (charWidth == 0) w.display->fontCell(ascent, descent, charWidth);
    if (charWidth < 1) charWidth = 1;
    labelColumns = 0;
    int values = 0;
    for (int i = 0; i < static_cast<int>(watchList.size()); i++) {
        labelColumns = std::max(labelColumns, static_cast<int>(watchList[i].label.size()));
        values = std::max(values, watchColumns(i));
    }
    labelColumns = std::min(labelColumns, widestLabel);
    columns = std::max(labelColumns + 1 + std::min(values, widestValue), static_cast<int>(std::strlen("(none declared)")));
    // At most half the window: the schematic keeps the other half.
    w.panelBand = 0;
    w.readWindowSize();
    const int most = (w.view.xPixels / 2 - 2 - 2 * margin) / charWidth;
    columns = std::max(1, std::min(columns, most));
    band = columns * charWidth + 2 * margin + 2;
    shown = true;
    w.panelBand = band;
    w.readWindowSize();
    const int rows = rowsFor(w.view.yPixels);
    lines.resize(static_cast<size_t>(rows));
    for (int r = 0; r < rows; r++) makeLine(r, rows, lines[static_cast<size_t>(r)]);
}

void WatchPanel::hide(Screen& w) {
    if (!shown) return;
    shown = false;
    w.panelBand = 0;
    if (w.display) {
        w.display->hidePanel();
        w.readWindowSize();
    }
}

void WatchPanel::redraw(Screen& w) {
    if (!shown || !w.display) return;
    for (size_t r = 0; r < lines.size(); r++)
        w.display->drawPanelText(margin, baseline(static_cast<int>(r)), lines[r].data(), static_cast<int>(lines[r].size()));
}

void WatchPanel::update(Screen& w) {
    if (!shown || !w.display) return;
    const int rows = rowsFor(w.view.yPixels);
    if (static_cast<int>(lines.size()) != rows) lines.resize(static_cast<size_t>(rows));
    std::string& now = fresh;
    for (int r = 0; r < rows; r++) {
        makeLine(r, rows, now);
        std::string& was = lines[static_cast<size_t>(r)];
        if (now == was) continue;
        was.swap(now);
        w.display->drawPanelText(margin, baseline(r), was.data(), static_cast<int>(was.size()));
    }
}
