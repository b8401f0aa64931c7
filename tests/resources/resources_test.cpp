// SPDX-License-Identifier: GPL-3.0-or-later
// The embedded images: each is an indexed PNG the program's own loader reads, of the size the
// program cuts it at, drawn only in fixed palette slots, and the sheets, cursors and brush
// patterns hold what their users rely on.

#include <gtest/gtest.h>

#include <vector>

#include "graphics/draw.h"
#include "graphics/png.h"
#include "resources/resources.h"
#include "widgets/ui_resources.h"

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

// The cells are the program's own table, so a sprite moved on the sheet but not in the table
// (or the other way round) shows.
void CheckSheet(const char* name, const SpritePlace (&cells)[kSpriteCount]) {
  SCOPED_TRACE(name);
  Image sheet;
  ASSERT_TRUE(Decode(name, &sheet));
  std::vector<bool> inCell(sheet.pixels.size(), false);
  for (int i = 0; i < kSpriteCount; ++i) {
    const SpritePlace& c = cells[i];
    ASSERT_LE(c.x + c.width, sheet.width);
    ASSERT_LE(c.y + c.height, sheet.height);
    int drawn = 0;
    for (int y = c.y; y < c.y + c.height; ++y) {
      for (int x = c.x; x < c.x + c.width; ++x) {
        drawn += sheet.At(x, y) != kKey;
        inCell[size_t(y) * sheet.width + x] = true;
      }
    }
    // A real picture covers a good part of its cell; an empty or stray-pixel cell does not.
    const int area = c.width * c.height;
    if (i == kSpritePanelMark) {  // tiled without its colour key, so it must be opaque
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
  CheckSheet(SpriteSheetResourceName(1024), kSpritePlaces1024);
  CheckSheet(SpriteSheetResourceName(800), kSpritePlaces800);
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
