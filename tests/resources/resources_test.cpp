// SPDX-License-Identifier: GPL-3.0-or-later
// The embedded images: each is an indexed PNG the program's own loader reads, of the size the
// program cuts it at, drawn only in fixed palette slots, and the sheets, cursors and brush
// patterns hold what their users rely on.

#include <gtest/gtest.h>

#include <vector>

#include "graphics/draw.h"
#include "graphics/png.h"
#include "resources/resources.h"

namespace {

// An embedded image decoded the way the program loads it, with the palette it carries.
struct Image : Surface {
  PlatformColour palette[256];
  int At(int x, int y) const { return Row(y)[x]; }
};

bool Decode(const char* name, Image* out) {
  const ResourceData data = FindResource(name);
  if (data.bytes == nullptr) {
    ADD_FAILURE() << name << " is not embedded";
    return false;
  }
  if (!DecodeIndexedPng(data.bytes, data.size, *out, out->palette)) {
    ADD_FAILURE() << name << " is not an indexed PNG the program can read";
    return false;
  }
  return true;
}

struct Cell {
  int x, y, w, h;
};

// The 25 cells the program cuts from each sheet, in the same order for both layouts.
const Cell kCells1024[25] = {
    {0, 0, 32, 32},    {32, 0, 32, 32},   {32, 32, 32, 32}, {40, 128, 32, 32}, {64, 32, 32, 32},
    {0, 32, 32, 32},   {64, 0, 32, 32},   {96, 32, 32, 32}, {140, 64, 48, 32}, {128, 32, 32, 32},
    {160, 32, 32, 32}, {0, 96, 40, 40},   {32, 64, 32, 32}, {0, 64, 16, 16},   {72, 96, 12, 12},
    {96, 64, 22, 22},  {118, 64, 22, 22}, {68, 64, 22, 32}, {84, 96, 64, 32},  {96, 0, 32, 32},
    {160, 0, 32, 32},  {128, 0, 32, 32},  {40, 96, 32, 32}, {159, 96, 12, 12}, {147, 96, 12, 12}};
const Cell kCells800[25] = {
    {0, 0, 24, 24},   {24, 0, 24, 24},  {24, 24, 24, 24}, {30, 96, 24, 24}, {48, 24, 24, 24},
    {0, 24, 24, 24},  {48, 0, 24, 24},  {72, 24, 24, 24}, {105, 48, 36, 24}, {117, 24, 20, 24},
    {96, 24, 20, 24}, {0, 72, 28, 30},  {24, 48, 24, 24}, {0, 48, 8, 8},     {54, 72, 8, 8},
    {73, 48, 16, 16}, {89, 48, 16, 16}, {48, 48, 24, 24}, {63, 72, 48, 24},  {72, 0, 24, 24},
    {120, 0, 24, 24}, {96, 0, 24, 24},  {30, 72, 24, 24}, {120, 72, 10, 10}, {111, 72, 10, 10}};
const int kPanelMark = 13;  // tiled without its colour key, so it must be opaque

constexpr int kKey = kResourceTransparentSlot;

TEST(Resources, EveryFileIsAnIndexedPngOfItsSizeInTheFixedPalette) {
  struct Expected {
    const char* name;
    int width, height;
  };
  std::vector<Expected> expected = {{SpriteSheetResourceName(1024), 192, 168},
                                    {SpriteSheetResourceName(800), 144, 126},
                                    {"icon.png", 32, 32}};
  for (int shape = 1; shape <= 3; ++shape) expected.push_back({CursorResourceName(shape), 32, 32});
  for (int n = 1; n <= 10; ++n) expected.push_back({BrushPatternResourceName(n), 8, 8});
  ASSERT_EQ(ResourceCount(), int(expected.size()));

  for (const Expected& e : expected) {
    SCOPED_TRACE(e.name);
    Image image;
    ASSERT_TRUE(Decode(e.name, &image));
    EXPECT_EQ(image.width, e.width);
    EXPECT_EQ(image.height, e.height);
    for (uint8_t index : image.pixels) {
      ASSERT_TRUE(index <= 50 || index == 255) << "slot " << int(index) << " is not a fixed colour";
    }
    // Spot checks that the file shows in the program's colours in any viewer.
    const int kSpots[5][4] = {{0, 0, 0, 0}, {16, 29, 105, 159}, {19, 148, 198, 235},
                              {26, 192, 192, 192}, {255, 255, 255, 255}};
    for (const auto& spot : kSpots) {
      const PlatformColour& c = image.palette[spot[0]];
      EXPECT_TRUE(c.r == spot[1] && c.g == spot[2] && c.b == spot[3]) << "slot " << spot[0];
    }
  }
  for (int i = 0; i < ResourceCount(); ++i) EXPECT_NE(FindResource(ResourceName(i)).bytes, nullptr);
  EXPECT_EQ(FindResource("sprites.png").bytes, nullptr);
  EXPECT_EQ(FindResource(nullptr).size, 0u);
  EXPECT_EQ(ResourceName(ResourceCount()), nullptr);
  EXPECT_EQ(CursorResourceName(4), nullptr);
  EXPECT_EQ(BrushPatternResourceName(0), nullptr);
}

void CheckSheet(const char* name, const Cell (&cells)[25]) {
  SCOPED_TRACE(name);
  Image sheet;
  ASSERT_TRUE(Decode(name, &sheet));
  std::vector<bool> inCell(sheet.pixels.size(), false);
  for (int i = 0; i < 25; ++i) {
    const Cell& c = cells[i];
    ASSERT_LE(c.x + c.w, sheet.width);
    ASSERT_LE(c.y + c.h, sheet.height);
    int drawn = 0;
    for (int y = c.y; y < c.y + c.h; ++y) {
      for (int x = c.x; x < c.x + c.w; ++x) {
        drawn += sheet.At(x, y) != kKey;
        inCell[size_t(y) * sheet.width + x] = true;
      }
    }
    // A real picture covers a good part of its cell; an empty or stray-pixel cell does not.
    const int area = c.w * c.h;
    if (i == kPanelMark) {
      EXPECT_EQ(drawn, area) << "the panel tile has see-through pixels";
    } else {
      EXPECT_GE(drawn * 100, area * 8) << "sprite " << i << " is nearly empty";
      EXPECT_LT(drawn, area) << "sprite " << i << " has no see-through pixel";
    }
  }
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < sheet.width; ++x) {
      if (!inCell[size_t(y) * sheet.width + x]) {
        ASSERT_EQ(sheet.At(x, y), kKey) << "stray pixel at " << x << ", " << y;
      }
    }
  }
}

TEST(Resources, SpriteSheetsHoldAPictureInEveryCellAndNothingElse) {
  CheckSheet("sprites_1024.png", kCells1024);
  CheckSheet("sprites_800.png", kCells800);
}

// The embedded brushes show the patterns the drawing code fills with.
TEST(Resources, BrushPatternsHaveTheRowsTheyAreDrawnWith) {
  for (int n = 1; n <= 10; ++n) {
    SCOPED_TRACE(n);
    Image brush;
    ASSERT_TRUE(Decode(BrushPatternResourceName(n), &brush));
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const bool one = BrushPatternRows(n)[y] & (0x80 >> x);
        ASSERT_EQ(brush.At(x, y), one ? 255 : 0) << "at " << x << ", " << y;
      }
    }
  }
}

TEST(Resources, CursorsAndIconAreShapesOnTheKeyWithTheHotspotOnThePointer) {
  for (int i = 0; i < 4; ++i) {
    const char* name = i < 3 ? CursorResourceName(i + 1) : "icon.png";
    SCOPED_TRACE(name);
    Image image;
    ASSERT_TRUE(Decode(name, &image));
    EXPECT_EQ(image.At(31, 31), kKey);
    EXPECT_EQ(image.transparentIndex, kKey);  // the key is the see-through entry
    if (i < 3) {
      const CursorHotspot spot = CursorHotspotOf(i + 1);
      ASSERT_TRUE(spot.x >= 0 && spot.x < 32 && spot.y >= 0 && spot.y < 32);
      EXPECT_NE(image.At(spot.x, spot.y), kKey) << "the hotspot is off the drawn pointer";
    }
  }
  // The plain arrow points with its tip, the top-left pixel; unknown shapes get the same.
  EXPECT_TRUE(CursorHotspotOf(1).x == 0 && CursorHotspotOf(1).y == 0);
  EXPECT_EQ(CursorHotspotOf(9).x, 0);
}

}  // namespace
