// The seat of the display's panes, empty until phase five fills it.
#include "PaneOut.h"

PaneOut* paneOut = nullptr;
