// World coordinates: the plane every schematic position lies in, 0 …
// worldMaximum on both axes, and the two pieces of arithmetic every mapping
// from it to pixels shares. Pure functions, no globals.
#ifndef KORVAX_WORLD_H
#define KORVAX_WORLD_H

// The far edge of the world coordinate plane on both axes.
const int worldMaximum = 16777215;

// Truncation toward zero, saturated: a degenerate or mirrored view can make
// the quotients of the scaling infinite or not a number, and converting
// those to int would be undefined. Ordinary values truncate as a cast does.
int truncateToInt(float f);
// The difference to - from of two world coordinates as a float, formed in
// 64 bits so that the edges of a mirrored view cannot overflow it.
float worldExtent(int from, int to);

#endif
