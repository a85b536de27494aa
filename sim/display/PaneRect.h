// The arithmetic of value panes and icon bodies: where a point of an icon's
// 0 … scale coordinates lands in an extent, and a rectangle shrunk about its
// centre. Pure functions in the precision the pictures are compared in.
#ifndef KORVAX_PANERECT_H
#define KORVAX_PANERECT_H

// Icon coordinate x (0 … scale) mapped into the extent (xs, ws):
// trunc(ws · x / scale + xs) in single precision. TrY the same for y.
int TrX(int x, int xs, int ws, int scale);
int TrY(int y, int ys, int hs, int scale);

// The rectangle (x, y, w, h) scaled by `sf` about its centre: the size
// truncated in single precision, the corner moved by half of what the size
// lost (in integers).
void shrink(float sf, int x, int y, int w, int h, int& xs, int& ys, int& ws, int& hs);

#endif
