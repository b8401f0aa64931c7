// SPDX-License-Identifier: GPL-3.0-or-later
// Surfaces to and from PNG files: indexed images whose palette is the display palette, so the
// palette indices survive a round trip exactly.
#pragma once
#include <cstddef>  // surface.h uses size_t
#include <cstdint>
#include <vector>

#include "graphics/surface.h"
#include "platform/platform.h"

// Writes the surface as an 8-bit indexed PNG with the 256 colours given; a surface with a
// transparent index marks that entry see-through. False when the file cannot be written.
bool WriteSurfacePng(const char* path, const Surface& surface, const PlatformColour* palette);
// Writes the canvas through the palette it is shown with.
bool WriteCanvasPng(const char* path);
// Decodes an indexed (or 8-bit grey) PNG of up to 8 bits per pixel into a surface of its
// indices: the indices are palette slots. palette, when given, receives the file's 256 colours
// (entries it lacks are black); the first fully see-through entry becomes the surface's
// transparent index. False, with the surface left empty, for anything else or damage.
bool DecodeIndexedPng(const uint8_t* data, size_t size, Surface& surface,
                      PlatformColour* palette = nullptr);
// The same from a file, such as one written by WriteSurfacePng.
bool ReadSurfacePng(const char* path, Surface& surface, PlatformColour* palette);
// The whole of a file of at most kMaxPngBytes. False when it cannot be read or is larger.
bool ReadFileBytes(const char* path, std::vector<uint8_t>& bytes);
constexpr size_t kMaxPngBytes = 64u << 20;
