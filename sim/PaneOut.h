// Where the components' pane functions show their values. The components
// stand beside the display, not on it: they draw through this seat, which
// phase five fills in while it exists (display/Ph5.h) and empties when it
// goes. While it is empty, or the run has no window, panes are not seen and
// probes print their lines instead.
#ifndef KORVAX_PANEOUT_H
#define KORVAX_PANEOUT_H

#include "Signal.h"
#include "display/ScrnTile.h"

class PaneOut {
public:
    virtual ~PaneOut() {}
    // Whether panes are seen: false without a window.
    virtual bool visible() const = 0;
    // One value in tile t shrunk by `shrinkFactor`: a probe fills it in the
    // value's colour, a switch-like pane draws its black-and-white symbol.
    virtual void pane(const ScreenTile& t, SignalValue v, bool isProbe, float shrinkFactor) = 0;
    // Eight values v[0] … v[7] in tile t as bars, stacked from the top
    // (column) or side by side from the left (row).
    virtual void byteColumn(const ScreenTile& t, const SignalValue* v, float shrinkFactor) = 0;
    virtual void byteRow(const ScreenTile& t, const SignalValue* v, float shrinkFactor) = 0;
};

// The display's panes, or null while there is no display state.
extern PaneOut* paneOut;

#endif
