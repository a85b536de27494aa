// A port that draws into an SVG file instead of a window: the schematic as a
// picture for a report, with no X server. Each drawing primitive of the
// port becomes one element at the same pixel coordinates, in the order the
// drawing passes call them, so the picture shows what the window shows.
//
// The file is a plain SVG 1.1 document sized like the window, drawn with
// crisp edges. Where the window draws in exclusive-or (the dashed
// sub-window), the picture uses the colour the window shows over the
// background. Text uses a monospace font stretched to the window font's
// 6-pixel cells on their 13-pixel background boxes. Pixel values are taken
// as 0xRRGGBB, which is how this port allocates colours.
#ifndef KORVAX_SVGPORT_H
#define KORVAX_SVGPORT_H

#include <cstdio>

#include "display/XPort.h"

// Opens `path` for writing a picture, before anything is built: -s FILE.svg.
// A file that cannot be opened is one line on standard error and exit
// status 2.
void openPictureFile(const char* path);

// The port of -s: draws into the file openPictureFile opened, in a picture
// of the size the geometry gives, and writes the file when closed.
XPort* newPicturePort();

// A port that draws into `file` (already open, named `path` in messages)
// and writes and closes it when the port is closed.
XPort* newSvgPort(FILE* file, const char* path);

// True once a picture could not be written completely (the message has
// been printed).
bool pictureWriteFailed();

#endif
