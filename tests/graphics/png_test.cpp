// SPDX-License-Identifier: GPL-3.0-or-later
// PNG files of surfaces: indices and palette survive a round trip; bad files are refused.
#include "graphics/png.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Png, RoundTripKeepsIndicesPaletteAndTransparency) {
    Surface s;
    ResizeSurface(s, 7, 5, 26);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) s.Row(y)[x] = uint8_t(x * 37 + y * 11);
    s.transparentIndex = 19;
    PlatformColour palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)};
    ASSERT_TRUE(WriteSurfacePng("round_trip.png", s, palette));

    Surface back;
    PlatformColour read[256];
    ASSERT_TRUE(ReadSurfacePng("round_trip.png", back, read));
    EXPECT_EQ(back.width, 7);
    EXPECT_EQ(back.height, 5);
    EXPECT_EQ(back.pixels, s.pixels);
    EXPECT_EQ(back.transparentIndex, 19);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(read[i].r, palette[i].r);
        EXPECT_EQ(read[i].g, palette[i].g);
        EXPECT_EQ(read[i].b, palette[i].b);
    }
}

TEST(Png, BadInputIsRefusedWithoutACrash) {
    Surface empty;
    PlatformColour palette[256] = {};
    EXPECT_FALSE(WriteSurfacePng("empty.png", empty, palette));
    Surface s;
    ResizeSurface(s, 64, 64, 3);
    EXPECT_FALSE(WriteSurfacePng("no/such/folder/x.png", s, palette));
    EXPECT_FALSE(WriteSurfacePng("x.png", s, nullptr));

    Surface back;
    EXPECT_FALSE(ReadSurfacePng("missing.png", back, nullptr));
    ASSERT_TRUE(WriteSurfacePng("whole.png", s, palette));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes("whole.png", bytes));
    // Every cut-short file fails and leaves the surface empty; scrambled ones never crash.
    for (size_t cut = 0; cut < bytes.size(); cut += 7) {
        ResizeSurface(back, 2, 2);
        EXPECT_FALSE(DecodeIndexedPng(bytes.data(), cut, back, palette)) << cut;
        EXPECT_EQ(back.width, 0);
    }
    for (size_t i = 40; i < bytes.size(); i += 5) bytes[i] ^= 0x5A;
    DecodeIndexedPng(bytes.data(), bytes.size(), back, palette);
}

}  // namespace
