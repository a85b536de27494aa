// The watch panel: the circuit's watches (Watch.h) listed in the window,
// one line a watch, "label value", under the title "Watches". F11 shows and
// hides it; -P (or -e) in a window shows it from the start when the circuit
// declares watches. The processor's own are PC, the instruction in each
// stage with its address (stalls and bubbles marked), the eight registers
// and the flags.
//
// Where it sits: a child window over a band at the window's right edge, as
// wide as its longest line needs (the widest value a watch's format can
// show), at most half the window. While it is shown the schematic's pixels
// end where the band begins (the view's xPixels is the window's width less
// the band), so the whole view stays in sight, only narrower; and since the
// server clips every drawing on the window at the child, nothing the
// schematic draws (icons of components outside the view, panes, lines) can
// overprint the panel's text. Hidden, the band is given back and nothing
// here draws: every pass is the one drawn without the panel.
//
// The text is in the window's font at its own size and in panel pixels, so
// no zoom of the schematic changes it. Lines are one font cell and one
// pixel apart, each drawn as image text padded with blanks to the panel's
// width, so a shorter text wipes out a longer one and no line touches
// another. A text longer than its room is cut and ends in '>'; watches that
// do not fit below each other leave a last line "(N more)".
//
// Redrawing: the panel shows the watches as they were sampled, at the
// moments -P makes its watch lines (each quiet moment, or -e's rising
// edges). The run loop calls update at each, in the same cycle as the pane
// pass that led to it; update remakes each watch's text and draws only the
// lines that changed. An exposure of the panel draws its lines again.
#ifndef KORVAX_WATCHPANEL_H
#define KORVAX_WATCHPANEL_H

#include <string>
#include <vector>

#include "display/Window.h"

class WatchPanel {
public:
    static constexpr int margin = 4;             // pixels between the border and the text, each side
    static constexpr int formatterColumns = 32;  // room of a watch with a formatter of its own
    static constexpr int widestValue = 48;       // room of any value at most
    static constexpr int widestLabel = 16;       // room of any label at most

    bool shown;         // whether the panel is on the window
    int ascent;         // the font cell, read from the port when first shown:
    int descent;        //   pixels above and below the baseline
    int charWidth;      //   and the widest character's advance
    int labelColumns;   // characters the labels take, the longest (then one blank)
    int columns;        // characters a line holds
    int band;           // pixels of the window's width the panel takes, border included
    std::vector<std::string> lines;  // each line as last drawn, padded to `columns`; line 0 the title
    std::string fresh;  // update's line being made, its storage kept between samples

    // Hidden, nothing laid out.
    WatchPanel();

    // Lays the panel out for the watches of watchList and the window's
    // font, takes its band of the window (Screen::panelBand, then
    // readWindowSize, which puts the child window there) and makes every
    // line's text; draws nothing: the caller repaints the schematic and
    // calls redraw. No effect without a display or when already shown.
    void show(Screen& w);
    // Hides the child window and gives the band back to the schematic
    // (xPixels is the window's width again); draws nothing. No effect when
    // hidden.
    void hide(Screen& w);
    // Draws every line as last made (the panel's exposures).
    void redraw(Screen& w);
    // A sample of the watches: remakes every line from the watches' present
    // texts and draws those that changed. Only while shown.
    void update(Screen& w);

    // The pixels between one line's baseline and the next.
    int lineHeight() const { return ascent + descent + 1; }
    // The baseline of line `row` (0: the title), in panel pixels.
    int baseline(int row) const { return margin + ascent + row * lineHeight(); }
    // The lines the panel shows at a window height of `height` pixels: the
    // title and a line per watch (or the one saying there is none), as
    // many as fit, but at least the title and one more.
    int rowsFor(int height) const;
    // Line `row`'s text for `rows` lines in all, padded or cut to `columns`,
    // into `out` (its storage reused).
    void makeLine(int row, int rows, std::string& out) const;
};

// The characters a value of watch `w` of watchList can take at most: the
// digits or letters of its format and width, or formatterColumns for a
// formatter of its own.
int watchColumns(int w);

#endif
