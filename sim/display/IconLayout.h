// The layout of an icon in its tile. The tile holds, from left to right,
// 0.1 of its width as space, an input tab of 0.05, an input lead of 0.1,
// the body of 0.5, an output lead of 0.1, an output tab of 0.05 and 0.1 as
// space; the body fills the middle half of the height.
//
// The layout is computed anew at every pass, in single precision from the
// tile (lead positions in double precision), exactly as below: pictures and
// tab positions are compared pixel for pixel. Pure functions of the tile.
#ifndef KORVAX_ICONLAYOUT_H
#define KORVAX_ICONLAYOUT_H

#include "display/ScrnTile.h"

// The horizontal layout of an icon and its body, from a tile.
struct IconLayout {
    float x, y;    // the tile's corner, as floats
    float lead;    // lead length: 0.1 of the width
    float tab;     // tab width: 0.05 of the width
    float body;    // body width: 0.5 of the width
    int bodyX;     // body left edge: x + 0.25 w, truncated
    int bodyY;     // body top edge: y + 0.25 h, truncated
    int bodyH;     // body height: 0.5 h, truncated
    int inLeadX0;  // input lead: from here (the input tab's right edge) …
    int inLeadX1;  // … to here (the body's left edge)
    int inTabX;    // input tab's left edge
    int inTabCX;   // input tab's centre
    int outLeadX0; // output lead: from the body's right edge …
    int outLeadX1; // … to the output tab's left edge
    int outTabCX;  // output tab's centre
    int tabW;      // tab width, truncated
};

// Vertical position of lead slot `i` of `n` (top to bottom) on a body.
struct IconSlot {
    int y;      // the lead's height (truncated)
    int tabY;   // the tab's top edge
    int tabH;   // the tab's height
};

// The layout of an icon in tile t.
IconLayout iconLayout(const ScreenTile& t);
// Slot i of n on the body of layout l.
IconSlot iconSlot(const IconLayout& l, int n, int i);
// The rectangle the icon in tile t covers, from the input tab's left edge
// to the output tab's right edge and over the body's height (the label
// above it left out): what an outline of the icon goes round. The tile's
// other fields are 0.
ScreenTile iconExtent(const ScreenTile& t);

#endif
