// Pane and icon-body arithmetic.
#include "display/PaneRect.h"

int TrX(int x, int xs, int ws, int scale) {
    return static_cast<int>(static_cast<float>(ws) * static_cast<float>(x) / static_cast<float>(scale) +
                            static_cast<float>(xs));
}

int TrY(int y, int ys, int hs, int scale) { return TrX(y, ys, hs, scale); }

void shrink(float sf, int x, int y, int w, int h, int& xs, int& ys, int& ws, int& hs) {
    hs = static_cast<int>(static_cast<float>(h) * sf);
    ws = static_cast<int>(static_cast<float>(w) * sf);
    xs = static_cast<int>(static_cast<float>(x) + static_cast<float>((w - ws) / 2));
    ys = static_cast<int>(static_cast<float>(y) + static_cast<float>((h - hs) / 2));
}
