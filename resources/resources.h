// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The images built into the program: sprite sheets, cursors, the program icon and the
// brush patterns, each an 8-bit indexed PNG file whose palette is the fixed palette.
// Palette slot 19 is the see-through colour of the sheets, cursors and icon.

#include <cstddef>

struct ResourceData {
  const unsigned char* bytes;
  size_t size;
};

struct CursorHotspot {
  int x, y;
};

// The colour key of the sprite sheets, cursors and icon.
constexpr int kResourceTransparentSlot = 19;

// The embedded file of that name ("sprites_1024.png"), or {nullptr, 0} if there is none.
ResourceData FindResource(const char* name);

// All embedded files, for listing: names 0 .. ResourceCount() - 1; nullptr outside.
int ResourceCount();
const char* ResourceName(int index);

// The sheet drawn for a display of that width: the large one for 1024, else the small.
const char* SpriteSheetResourceName(int displayWidth);

// Pointer shapes 1 (normal), 2 (busy) and 3 (over something clickable).
// Unknown shapes give nullptr and the hotspot {0, 0}.
const char* CursorResourceName(int shape);
CursorHotspot CursorHotspotOf(int shape);

// Brush patterns 1 to 10: 8x8, index 0 for a 0 bit and 255 for a 1 bit. nullptr outside.
const char* BrushPatternResourceName(int pattern);
