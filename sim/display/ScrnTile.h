// A component's rectangle on the schematic, in world coordinates. One per
// component in PhaseTwo::tile, filled by the tiling and read by icon and pane
// drawing. A plain record with no constructor: PhaseTwo takes the array
// zeroed from the system, so that its pages are first touched by the tiling,
// after phase one's lists are gone, and not while they still take memory.
#ifndef KORVAX_SCRNTILE_H
#define KORVAX_SCRNTILE_H

class ScreenTile {
public:
    int x, y, w, h;      // top-left corner, width and height
    int numberOfPanes;   // unused by the display
    ScreenTile* panes;   // unused by the display
};

#endif
