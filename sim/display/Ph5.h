// Phase five: the display state. It owns the window, the display flags the
// function keys toggle and the current level of detail, and runs the
// drawing passes: which components are shown at that level, their icons,
// the lines between them, each shown component's live pane, and the watch
// panel (WatchPanel.h) beside them. Every drawing sequence made of the
// passes is one of its methods: the first picture, the repaint, the redraw
// after an exposure or a view change, the panel's toggle and the saved
// picture. Sim creates the one instance after the connectivity check; the
// run loop draws the first picture and the per-cycle panes; the key
// commands redraw.
//
// Every pass runs with or without a display: without one the drawing
// primitives do nothing, while the tiling still reports bad positions and
// the components' pane functions still print the probes' lines.
#ifndef KORVAX_PH5_H
#define KORVAX_PH5_H

#include <vector>

#include "PaneOut.h"
#include "Ph2.h"
#include "display/SchCell.h"
#include "display/SupProbe.h"
#include "display/Tab.h"
#include "display/WatchPanel.h"
#include "display/Window.h"

// Phase five is also the components' PaneOut: it draws their panes on its
// window, and fills paneOut while it exists.
class PhaseFive : public PaneOut {
public:
    Screen* screen;                  // the display window and its view, owned
    TabList inTab;                   // input tabs recorded by the drawing passes, until connect
    TabList outTab;                  // output tabs recorded by the drawing passes, until connect
    SuperProbeList superProbeList;   // super-probe rectangles, recorded by the first picture
    int superProbeCollect;           // nonzero: icon drawing records super probes (until the first picture)
    int superProbeSelect;            // nonzero: super probes are shown (F8)
    int newWindowingMode;            // nonzero: the mouse works on the sub-window (F9)
    int currentGraphicDisplayLevel;  // level of detail shown, 1 … maxGraphicDisplayLevel
    int interconnectFlag;            // draw interconnecting lines (F2)
    int labelGateFlag;               // draw component labels (F3)
    int drawComponentLeadsFlag;      // draw leads and connection tabs (F4)
    int labelLinesFlag;              // label leads with wire names (F5)
    WatchPanel watchPanel;           // the watches beside the schematic (F11, -P in a window)

    // connect's index of the input tabs by wire, kept between calls so that
    // a pass allocates only when the tab lists outgrow it: for each wire the
    // first and last of its input tabs (-1: none), in list order through
    // connectNext; connectTabs holds the tabs by position in the list.
    std::vector<int> connectFirst, connectLast, connectNext;
    std::vector<const Tab*> connectTabs;

    // The window labelled "Korvax v20190215", flags at their start values,
    // level 1; with -P (or -e), a window (not -s's picture) and watches
    // declared, the watch panel shown.
    PhaseFive();
    // Closes and frees the window; empties paneOut.
    ~PhaseFive() override;
    PhaseFive(const PhaseFive&) = delete;
    PhaseFive& operator=(const PhaseFive&) = delete;

    // Whether component c is shown at the current level: from its own
    // level on, or, for an overloadable-output component (tri-state
    // buffers, module boxes), at exactly its own level.
    int shown(int c) const {
        const PhaseTwo& p2 = *phaseTwo;
        return p2.outputOverloadable[c] ? currentGraphicDisplayLevel == p2.graphicLevel[c]
                                        : currentGraphicDisplayLevel >= p2.graphicLevel[c];
    }

    // Fills tile[] for every component from its position string, building
    // the tree of grids under `schematic`, a freshly constructed cell that
    // then lives to the end of the program. Writes breakOut's messages for
    // empty and bad fields, with or without a display.
    void componentTiling(SchematicCell* schematic);
    // Draws the icons of the shown components that have one, in index
    // order, recording their tabs in place of any earlier pass's (and,
    // while superProbeCollect is set, super probes); without a display
    // nothing is recorded.
    void drawSchematic();
    // Draws a line from every recorded output tab to every recorded input
    // tab of the same wire (with connectMuxOnlyFlag only to multiplexer
    // inputs), output tabs in list order and for each its inputs in list
    // order; then empties both tab lists.
    void connect();
    // Calls drawDynamic of every shown component that has one, in index
    // order.
    void drawPanes();
    // The components' panes (PaneOut), drawn on the window.
    bool visible() const override;
    void pane(const ScreenTile& t, SignalValue v, bool isProbe, float shrinkFactor) override;
    void byteColumn(const ScreenTile& t, const SignalValue* v, float shrinkFactor) override;
    void byteRow(const ScreenTile& t, const SignalValue* v, float shrinkFactor) override;
    // Draws every recorded super probe in its wire's colour, at 0.66 of
    // its tab; none are recorded until icons are drawn.
    void displaySuperProbes();

    // The component whose icon is drawn under window pixel (px, py) at the
    // current level and view: of the shown components with an icon whose
    // rectangle holds the pixel, the smallest (the innermost), the later
    // one of equal size (drawn over the other); -1 when none is.
    int componentAtPixel(int px, int py) const;
    // Outlines each of `components` that is shown, a bold line two pixels
    // outside its icon (iconExtent) and a line two pixels wide in the XXX
    // colour two more pixels out, so that they stand out from the icons; the next repaint takes
    // the outlines away.
    void outlineComponents(const std::vector<int>& components);

    // The first picture, drawn once before time 0: tiling, icons (recording
    // super probes for the last time), lines, panes, super probes when
    // shown, the sub-window, and the watch panel's lines when it is shown.
    void firstPicture();
    // The whole window again: clear, drawSchematic, connect (when lines
    // are on), drawPanes, the sub-window.
    void repaint();
    // The redraw after an exposure (Screen::checkEvent): when `due`, the
    // schematic first drawn clipped to the collected rectangles (icons,
    // lines in windowing mode, panes, the sub-window; only the main context
    // is clipped, the panes' value fills are not), the rectangles dropped
    // and the window's size read again; then, every time, repaint.
    void exposureRedraw(bool due);
    // The redraw after a view change in windowing mode: like repaint but
    // without lines; `recentre` puts the sub-window back in the middle of
    // the view first.
    void windowingRedraw(bool recentre);
    // F11: the watch panel hidden and the window repainted, or shown, the
    // window repainted and the panel's lines drawn.
    void togglePanel();
    // Control-s: the present view, as repaint draws it, into korvax-N.svg
    // in the working directory (createPictureFile), said on standard error
    // ("Saved the view as korvax-N.svg"); a file that cannot be written is
    // said instead. The window's own port and colours are put back after
    // it. No effect without a display.
    void savePicture();
};

extern PhaseFive* phaseFive;

#endif
