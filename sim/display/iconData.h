// The icon shapes: constant tables that components name when they register
// (the iconArray argument of addStandardComponent) and that icon drawing
// walks. Format: entry 0 is P, the number of polylines; entries 1 … P the
// vertex count of each; then every vertex as x, y in 0 … 1000 across the
// body (x from its left edge, y from its top edge). Consecutive vertices of
// a polyline are joined; polylines are not joined to each other.
#ifndef KORVAX_ICONDATA_H
#define KORVAX_ICONDATA_H

extern const int spaceIcon[10];   // draws nothing
extern const int andIcon[16];
extern const int nandIcon[25];
extern const int orIcon[18];
extern const int norIcon[29];
extern const int xorIcon[27];
extern const int xnorIcon[38];
extern const int notIcon[21];
extern const int iAndIcon[24];    // AND with an inverted input
extern const int iNandIcon[33];
extern const int CiOrIcon[25];    // OR with a complemented input
extern const int CiNorIcon[36];
extern const int tsbIcon[21];     // tri-state buffer
extern const int rectIcon[28];    // a square with a drop shadow: every box-shaped component
extern const int circleIcon[28];  // the same square

#endif
