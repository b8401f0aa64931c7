// SPDX-License-Identifier: GPL-3.0-or-later
// Latitudes as text, and the place names the Select Latitudes screen lists for each of
// its latitude buttons.
#pragma once
#include <cstddef>
#include <cstdint>

// Writes a latitude the one way the program shows it: "45º N", "15º S", or "EQU" at 0
// (the degree sign is byte 0xBA, "º" in the program's Windows-1252 texts). Values are
// printed without decimals, so 0.4 gives "0º N". Output is cut to fit size (with its
// NUL); whole degrees need at most 8 bytes. Returns the length written (0 when size is 0).
constexpr size_t kLatitudeTextSize = 16;
size_t FormatLatitude(double latitude, char* out, size_t size);

constexpr int kPlacesRows = 15;    // row k belongs to latitude button 900 + k
constexpr int kPlacesPerRow = 5;
constexpr int kPlacesHomeRow = 13;  // "You Are Here": the home latitude
constexpr int kPlacesAcrossRow = 14;  // its mirror across the equator

// Five names per row; an empty name is an empty line in the list.
extern const char* const PlacesTable[kPlacesRows][kPlacesPerRow];

// The latitude of row k: fixed for rows 0..12 (90 down to -90 in steps of 15), the home
// latitude for row 13 and minus it for row 14. Rows outside 0..14 give 0.
int32_t PlacesRowLatitude(int row, int32_t homeLatitude);

// Name i of row k, or "" outside the table.
const char* PlaceName(int row, int index);
