// Surfaces to and from PNG files: indexed images whose palette is the display palette, so the
// palette indices survive a round trip exactly.
#pragma once
#include <cstddef>  // surface.h uses size_t

#include "graphics/surface.h"
#include "platform/platform.h"

// Writes the surface as an 8-bit indexed PNG with the 256 colours given; a surface with a
// transparent index marks that entry see-through. False when the file cannot be written.
bool WriteSurfacePng(const char* path, const Surface& surface, const PlatformColour* palette);
// Writes the canvas through the palette it is shown with.
bool WriteCanvasPng(const char* path);
// Reads an indexed PNG written by WriteSurfacePng (any indexed PNG of up to 8 bits per pixel).
// palette, when given, receives 256 colours (entries the file lacks are black). False, with the
// surface left empty, for anything else or a damaged file.
bool ReadSurfacePng(const char* path, Surface& surface, PlatformColour* palette);
