// SPDX-License-Identifier: GPL-3.0-or-later
// The 256-entry palette: a copy the program edits, and the display palette it is sent to.
// Slot 0 is always shown black and slot 255 white; the program never changes either.
#pragma once
#include <cstdint>

#include "platform/platform.h"

// Stores a colour in the palette copy; slots 0 and 255 (and any outside 0..255) are ignored.
void SetPaletteEntry(int slot, int r, int g, int b);
// Sends entries first .. first+count-1 of the copy to the display palette.
void ApplyPalette(int first, int count);
// Stores one entry and sends it at once: colour animation without redrawing.
void SetPaletteEntryNow(int slot, int r, int g, int b);
// Gives the slot the first colour (red, then green, then blue, each 1..254) that no entry of
// the copy holds.
void FindFreeColour(int slot);
// Makes every slot distinct, then stores the fixed colours of slots 1..50.
void SetUpFixedPalette();
// The colour of a slot for drawing: 0 black, 255 white, otherwise the copy's colour.
PlatformColour PaletteColour(int slot);
