// SPDX-License-Identifier: GPL-3.0-or-later
// Buffers, copies, saved areas, bitmaps, sprites and their PNG files.
#include "graphics/copy.h"

#include <string>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/png.h"
#include "graphics/region.h"
#include "tests/graphics/draw_fixture.h"

namespace {

using CopyTest = DrawTest;

void Paint(Surface& s) {
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) s.Row(y)[x] = uint8_t(1 + x + 10 * y);
}

TEST_F(CopyTest, BuffersHaveTheDeviceSizeAndFailCleanly) {
    gDisplayScale = DisplayScale{0.78125, 0.78125};
    OffscreenBuffer b;
    ASSERT_TRUE(CreateBuffer(R(0, 0, 32, 64), 19, b));
    EXPECT_EQ(b.surface->width, 25);
    EXPECT_EQ(b.surface->height, 50);
    EXPECT_EQ(b.rect.right32, 32);
    EXPECT_EQ(b.surface->transparentIndex, 19);
    OffscreenBuffer d;
    ASSERT_TRUE(CreateBufferDevice(R(0, 0, 9, 4), 0, d));
    EXPECT_EQ(d.surface->width, 10);
    EXPECT_EQ(d.rect.right32, 9);
    OffscreenBuffer bad;
    EXPECT_FALSE(CreateBuffer(R(0, 0, 0, 10), 0, bad));
    EXPECT_FALSE(CreateBuffer(R(10, 0, 0, 10), 0, bad));
    EXPECT_FALSE(CreateBufferSize(100000, 100000, 0, bad));
    EXPECT_EQ(bad.surface, nullptr);
    // Releasing the buffer being drawn on sends drawing back to the canvas.
    SetDrawTarget(&b);
    ReleaseBuffer(b);
    EXPECT_EQ(b.surface, nullptr);
    EXPECT_EQ(gDraw.target, &canvas);
    ReleaseBuffer(b);
}

TEST_F(CopyTest, StraightCopyMovesPixelsAndSkipsTheKeyColour) {
    Paint(canvas);
    OffscreenBuffer b;
    ASSERT_TRUE(CreateBuffer(R(0, 0, 4, 3), 23, b));
    ASSERT_TRUE(CopyRect(nullptr, &b, R(2, 1, 6, 4), R(0, 0, 4, 3), false));
    EXPECT_EQ(b.surface->At(0, 0), canvas.At(2, 1));
    EXPECT_EQ(b.surface->At(3, 2), canvas.At(5, 3));
    // Slot 23 is the key: the canvas pixel (2, 2) holds 23, and it is not copied back.
    ResizeSurface(canvas, 32, 32, 200);
    ASSERT_TRUE(CopyRect(&b, nullptr, R(0, 0, 4, 3), R(10, 10, 14, 13), true));
    EXPECT_EQ(b.surface->At(0, 1), 23);
    ExpectPixels({{10, 10, 13}, {10, 11, 200}, {11, 11, 24}});  // (10, 11) left out
    ASSERT_TRUE(CopyRect(&b, nullptr, R(0, 0, 4, 3), R(10, 10, 14, 13), false));
    ExpectPixels({{10, 11, 23}, {14, 11, 200}});  // right edge exclusive
}

TEST_F(CopyTest, StretchCopiesScale) {
    Surface src;
    ResizeSurface(src, 2, 2, 0);
    src.Row(0)[0] = 1, src.Row(0)[1] = 2, src.Row(1)[0] = 3, src.Row(1)[1] = 4;
    ASSERT_TRUE(CopySurfaceRect(src, canvas, DeviceRect{0, 0, 2, 2}, DeviceRect{4, 4, 12, 8}, false));
    for (int y = 4; y < 8; ++y)
        for (int x = 4; x < 12; ++x)
            ASSERT_EQ(canvas.At(x, y), (y < 6 ? 1 : 3) + (x < 8 ? 0 : 1)) << x << "," << y;
    EXPECT_EQ(Count(0), 32 * 32 - 32);
    // Shrinking by two keeps every other pixel.
    Surface big;
    ResizeSurface(big, 8, 8, 0);
    Paint(big);
    Surface small;
    ResizeSurface(small, 4, 4, 0);
    ASSERT_TRUE(CopySurfaceRect(big, small, DeviceRect{0, 0, 8, 8}, DeviceRect{0, 0, 4, 4}, false));
    EXPECT_EQ(small.At(1, 1), big.At(3, 3));
    EXPECT_EQ(small.At(3, 0), big.At(7, 1));
}

TEST_F(CopyTest, CopiesOffTheEdgeOrDegenerateAreSafe) {
    Paint(canvas);
    const Surface before = canvas;
    OffscreenBuffer b;
    ASSERT_TRUE(CreateBuffer(R(0, 0, 8, 8), 0, b));
    EXPECT_FALSE(CopyRect(nullptr, &b, R(0, 0, 0, 8), R(0, 0, 8, 8), false));
    EXPECT_FALSE(CopyRect(nullptr, &b, R(0, 0, 8, 8), R(8, 0, 0, 8), false));
    EXPECT_TRUE(CopyRect(&b, nullptr, R(-100, -100, 100, 100), R(-32768, -32768, 32767, 32767), false));
    ReleaseBuffer(b);
    EXPECT_FALSE(CopyRect(&b, nullptr, R(0, 0, 8, 8), R(0, 0, 8, 8), false));
    EXPECT_FALSE(CopySurfaceRect(before, canvas, DeviceRect{0, 0, 1, 1},
                                 DeviceRect{-2000000000, 0, 2000000000, 1}, false));
}

TEST_F(CopyTest, SavedAreasComeBackAndShiftsHandleOverlap) {
    Paint(canvas);
    const Surface before = canvas;
    SavedArea saved;
    ASSERT_TRUE(SaveScreenArea(R(4, 4, 12, 10), 0, saved));
    EXPECT_TRUE(saved.valid);
    SetBrushColour(99);
    FillScreenRect(R(0, 0, 32, 32));
    RestoreScreenArea(R(4, 4, 12, 10), saved, false);
    for (int y = 4; y < 10; ++y)
        for (int x = 4; x < 12; ++x) ASSERT_EQ(canvas.At(x, y), before.At(x, y));
    EXPECT_EQ(canvas.At(12, 4), 99);
    FreeScreenArea(saved);
    EXPECT_FALSE(saved.valid);
    RestoreScreenArea(R(0, 0, 32, 32), saved, false);  // nothing to restore
    EXPECT_EQ(canvas.At(4, 4), before.At(4, 4));
    FreeScreenArea(saved);

    canvas = before;
    ShiftScreenArea(R(0, 0, 10, 10), R(3, 2, 13, 12));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(canvas.At(x + 3, y + 2), before.At(x, y));

    // A shift works in the drawing context: a round button's press slides only what lies
    // inside its ellipse clip.
    canvas = before;
    Region* round = EllipseRegion(R(5, 5, 25, 25));
    SetClipRegion(round);
    ShiftScreenArea(R(4, 4, 26, 26), R(6, 6, 28, 28));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool inside = x >= 6 && y >= 6 && PointInRegion(P(x, y), round, 0, 0);
            ASSERT_EQ(canvas.At(x, y), inside ? before.At(x - 2, y - 2) : before.At(x, y)) << x << "," << y;
        }
    SetClipRegion(nullptr);
    DeleteRegion(round);
}

TEST_F(CopyTest, BitmapsLoadAndSpritesDraw) {
    Surface art;
    ResizeSurface(art, 6, 4, 19);
    art.Row(1)[2] = 5;
    art.Row(2)[3] = 7;
    PlatformColour palette[256] = {};
    const std::string path = ::testing::TempDir() + "copy_test_sheet.png";
    ASSERT_TRUE(WriteSurfacePng(path.c_str(), art, palette));

    ResetBitmapResources();
    OffscreenBuffer sheet;
    EXPECT_FALSE(LoadBitmapResource(104, 6, 4, 19, sheet));
    ASSERT_TRUE(RegisterBitmapResourceFile(104, path));
    ASSERT_TRUE(LoadBitmapResource(104, -6, 4, 19, sheet));
    EXPECT_EQ(sheet.surface->width, 6);
    EXPECT_EQ(sheet.surface->height, 4);
    EXPECT_EQ(sheet.surface->pixels, art.pixels);
    OffscreenBuffer stretched;
    ASSERT_TRUE(LoadBitmapResource(104, 12, -8, 19, stretched));
    EXPECT_EQ(stretched.surface->At(4, 2), 5);
    EXPECT_EQ(stretched.surface->At(5, 3), 5);

    Sprite sp;
    MakeSprite(sp, &sheet, 2, 1, 2, 2);
    ResizeSurface(canvas, 32, 32, 26);
    DrawSprite(R(10, 10, 12, 12), sp, true);  // key colour 19 left out
    DrawSprite(R(20, 20, 24, 24), sp, false);  // stretched to twice the size
    ExpectPixels({{10, 10, 5}, {11, 10, 26}, {11, 11, 7}, {21, 21, 5}, {22, 21, 19}});
    ResetBitmapResources();
}

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
    EXPECT_EQ(back.pixels, s.pixels);
    EXPECT_EQ(back.transparentIndex, 19);
    for (int i = 0; i < 256; ++i)
        EXPECT_TRUE(read[i].r == palette[i].r && read[i].g == palette[i].g &&
                    read[i].b == palette[i].b) << i;
}

TEST(Png, BadInputIsRefusedWithoutACrash) {
    Surface empty, s, back;
    PlatformColour palette[256] = {};
    EXPECT_FALSE(WriteSurfacePng("empty.png", empty, palette));
    ResizeSurface(s, 64, 64, 3);
    EXPECT_FALSE(WriteSurfacePng("no/such/folder/x.png", s, palette));
    EXPECT_FALSE(WriteSurfacePng("x.png", s, nullptr));
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
