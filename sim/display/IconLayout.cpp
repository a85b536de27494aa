// Icon layout, in the precision it is given in (IconLayout.h): lengths in
// single precision, lead heights in double.
#include "display/IconLayout.h"

IconLayout iconLayout(const ScreenTile& t) {
    IconLayout l;
    const float w = static_cast<float>(t.w), h = static_cast<float>(t.h);
    l.x = static_cast<float>(t.x);
    l.y = static_cast<float>(t.y);
    l.lead = 0.1f * w;
    l.tab = 0.05f * w;
    l.body = 0.5f * w;
    l.bodyX = static_cast<int>(l.x + l.lead + l.tab + l.lead);
    l.bodyH = static_cast<int>(0.5f * h);
    const float space = 0.1f * h;
    l.bodyY = static_cast<int>(l.y + space + (h - 2.0f * space - 0.5f * h) / 2.0f);
    l.inTabX = static_cast<int>(l.x + l.lead);
    l.inLeadX0 = static_cast<int>(l.x + l.lead + l.tab);
    l.inLeadX1 = static_cast<int>(l.x + l.lead + l.tab + l.lead);
    l.inTabCX = static_cast<int>(l.x + l.lead + l.tab / 2.0f);
    l.outLeadX0 = static_cast<int>(l.x + l.lead + l.tab + l.lead + l.body);
    l.outLeadX1 = static_cast<int>(l.x + l.lead + l.tab + l.lead + l.body + l.lead);
    l.outTabCX = static_cast<int>(l.x + l.lead + l.tab + l.lead + l.body + l.lead + l.tab / 2.0f);
    l.tabW = static_cast<int>(l.tab);
    return l;
}

IconSlot iconSlot(const IconLayout& l, int n, int i) {
    const int d = l.bodyH / n;
    const float th = static_cast<float>(static_cast<double>(d) * 0.2);
    const double yd = static_cast<double>(l.bodyY) + static_cast<double>(d) * (0.5 + i);
    IconSlot s;
    s.y = static_cast<int>(yd);
    s.tabY = static_cast<int>(yd - static_cast<double>(th / 2.0f));
    s.tabH = static_cast<int>(th);
    return s;
}

ScreenTile iconExtent(const ScreenTile& t) {
    const IconLayout l = iconLayout(t);
    ScreenTile e{};
    e.x = l.inTabX;
    e.y = l.bodyY;
    e.w = l.outLeadX1 + l.tabW - l.inTabX;
    e.h = l.bodyH;
    return e;
}
