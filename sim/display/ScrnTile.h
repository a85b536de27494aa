// A component's rectangle on the schematic, in world coordinates. One per
// component in PhaseTwo::tile, filled by the tiling and read by icon and pane
// drawing.
#ifndef KORVAX_SCRNTILE_H
#define KORVAX_SCRNTILE_H

class ScreenTile {
public:
    int x, y, w, h;      // top-left corner, width and height
    int numberOfPanes;   // unused by the display
    ScreenTile* panes;   // unused by the display

    ScreenTile() : x(0), y(0), w(0), h(0), numberOfPanes(0), panes(nullptr) {}
};

#endif
