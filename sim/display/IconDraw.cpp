// Icon drawing: the shape, leads and tabs at the places IconLayout gives.
#include "display/IconDraw.h"

#include "Ph2.h"
#include "display/PaneRect.h"
#include "display/Ph5.h"

namespace {

const int iconScale = 1000;  // icon coordinates run 0 … 1000 across the body

}  // namespace

void iconDraw(Screen& win, PhaseFive& p5, int cind, const int* icon) {
    const PhaseTwo& p2 = *phaseTwo;
    const IconLayout l = iconLayout(p2.tile[cind]);
    const int bodyW = static_cast<int>(l.body);

    // Body: consecutive vertices of each polyline joined.
    const int polylines = icon[0];
    const int* v = icon + 1 + polylines;
    for (int p = 1; p <= polylines; p++) {
        for (int k = 1; k < icon[p]; k++, v += 2)
            win.drawLine(TrX(v[0], l.bodyX, bodyW, iconScale), TrY(v[1], l.bodyY, l.bodyH, iconScale),
                         TrX(v[2], l.bodyX, bodyW, iconScale), TrY(v[3], l.bodyY, l.bodyH, iconScale));
        v += 2;  // past the polyline's last vertex
    }
    if (p5.labelGateFlag) win.drawText(l.bodyX, l.bodyY, p2.decal[cind]);
    if (!p5.drawComponentLeadsFlag) return;

    // Without a display the tabs would only feed lines nobody sees and the
    // super probes would never be drawn: neither is recorded, which keeps a
    // large circuit's headless run from holding a record per lead.
    const bool record = win.display != nullptr;
    const int c = p2.numberOfControlInputs[cind];
    const int n = p2.numberOfDataInputs[cind] + c;
    for (int i = 0; i < n; i++) {
        const IconSlot s = iconSlot(l, n, i);
        win.drawLine(l.inLeadX0, s.y, l.inLeadX1, s.y);
        const int signal = i < c ? p2.controlInputs[cind][c - 1 - i] : p2.dataInputs[cind][n - 1 - i];
        if (p5.labelLinesFlag) win.drawText(l.inLeadX0, s.y, p2.signalNames[signal]);
        win.drawRectangle(l.inTabX, s.tabY, l.tabW, s.tabH);
        if (record) p5.inTab.addTab(cind, signal, l.inTabCX, s.y);
        if (record && p5.superProbeCollect) p5.superProbeList.addSuperProbe(signal, l.inTabX, s.tabY, l.tabW, s.tabH);
    }

    const int m = p2.numberOfOutputs[cind];
    for (int o = 0; o < m; o++) {
        const IconSlot s = iconSlot(l, m, o);
        win.drawLine(l.outLeadX0, s.y, l.outLeadX1, s.y);
        win.drawRectangle(l.outLeadX1, s.tabY, l.tabW, s.tabH);
        const int signal = p2.outputs[cind][m - 1 - o];
        if (record) p5.outTab.addTab(cind, signal, l.outTabCX, s.y);
        if (record && p5.superProbeCollect) p5.superProbeList.addSuperProbe(signal, l.outLeadX1, s.tabY, l.tabW, s.tabH);
        if (p5.labelLinesFlag) win.drawText(l.outLeadX0, s.y, p2.signalNames[signal]);
    }
}
