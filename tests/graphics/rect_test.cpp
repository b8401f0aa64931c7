// SPDX-License-Identifier: GPL-3.0-or-later
// Rectangles, frames, pattern brushes and raster modes on tiny surfaces.
#include "graphics/rect.h"

#include <vector>

#include "tests/graphics/draw_fixture.h"

namespace {

using RectTest = DrawTest;

TEST_F(RectTest, FillsAndFramesLeaveRightAndBottomOutSkipEmptyRectsAndClipHugeOnes) {
    SetBrushColour(7);
    for (const ScreenRect& empty : {R(10, 10, 10, 20), R(10, 10, 20, 10), R(20, 20, 10, 10)}) {
        FillScreenRect(empty);
        FillScreenRectPattern(empty);
        FrameScreenRect(empty);
    }
    EXPECT_EQ(Count(0), 32 * 32);
    FillScreenRect(R(2, 3, 6, 5));
    EXPECT_EQ(Count(7), 4 * 2);
    EXPECT_EQ(Box(Ink()), (std::array<int, 4>{2, 3, 6, 5}));
    // A frame is one pixel inside its rect.
    SetPenColour(5);
    FrameScreenRect(R(11, 11, 16, 15));
    EXPECT_EQ(Count(5), 5 * 2 + 2 * 2);
    ExpectPixels({{11, 11, 5}, {15, 14, 5}, {13, 12, 0}, {16, 14, 0}});
    // A clip stops fills; huge rects are cut to the surface.
    SetBrushColour(2);
    const ScreenRect clip = R(24, 24, 28, 28);
    SetClipRect(&clip);
    FillScreenRect(R(0, 0, 32, 32));
    EXPECT_EQ(Count(2), 16);
    SetClipRect(nullptr);
    SetBrushColour(3);
    FillScreenRect(R(-32768, -32768, 32767, 32767));
    EXPECT_EQ(Count(3), 32 * 32);
}

TEST_F(RectTest, PatternUsesPenForZeroBitsFillForOneBitsAnchoredToTheDeviceGrid) {
    SetPenColour(4);
    SetBrushColour(9);
    ASSERT_TRUE(SetBrushPattern(2));  // rows 22 88 ...
    FillScreenRectPattern(R(0, 0, 16, 16));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const uint8_t row = (y & 1) ? 0x88 : 0x22;
            const bool one = (row >> (7 - (x & 7))) & 1;
            ASSERT_EQ(canvas.At(x, y), one ? 9 : 4) << x << "," << y;
        }
    SetBrushPattern(9);
    FillScreenRectPattern(R(0, 0, 32, 32));
    const Surface whole = canvas;
    ResizeSurface(canvas, 32, 32, 0);
    FillScreenRectPattern(R(3, 5, 20, 17));  // an offset rect shows the same pixels
    for (int y = 5; y < 17; ++y)
        for (int x = 3; x < 20; ++x) ASSERT_EQ(canvas.At(x, y), whole.At(x, y));

    // Bad pattern numbers keep the old one; pattern 1 is the plain pen colour.
    Fresh(32, 32, 6);
    ASSERT_TRUE(SetBrushPattern(3));
    EXPECT_FALSE(SetBrushPattern(0));
    EXPECT_FALSE(SetBrushPattern(11));
    EXPECT_EQ(gDraw.patternNumber, 3);
    ASSERT_TRUE(SetBrushPattern(1));
    FillScreenRectPattern(R(0, 0, 8, 8));
    EXPECT_EQ(Count(6), 64);
}

TEST_F(RectTest, RasterModesCombineIndices) {
    SetUpCanvas(4, 1, 0x0C);
    SetBrushColour(0x0A);
    int x = 0;
    for (int mode : {1, 2, 7}) {  // or, xor, copy
        SetRasterMode(mode);
        FillScreenRect(R(x, 0, x + 1, 1));
        ++x;
    }
    EXPECT_EQ(canvas.pixels, (std::vector<uint8_t>{0x0E, 0x06, 0x0A, 0x0C}));
}

TEST_F(RectTest, OffsetCentreAndPointInRect) {
    ScreenRect r = R(1, 2, 3, 4);
    OffsetRect(r, 10, -20);
    EXPECT_EQ(r.left32, 11);
    EXPECT_EQ(r.top32, -18);
    int cx, cy;
    RectCentre(R(-3, 0, 0, 5), cx, cy);
    EXPECT_EQ(cx, -1);  // toward zero
    EXPECT_EQ(cy, 2);

    // Exclusive right and bottom edges, and a box around the point.
    r = R(10, 10, 20, 20);
    EXPECT_TRUE(PointInRect(P(10, 10), r, 0, 0));
    EXPECT_TRUE(PointInRect(P(19, 19), r, 1, 1));
    EXPECT_FALSE(PointInRect(P(20, 15), r, 0, 0));
    EXPECT_FALSE(PointInRect(P(15, 20), r, 1, 0));
    EXPECT_TRUE(PointInRect(P(21, 15), r, 4, 4));   // box 19..22 reaches column 19
    EXPECT_FALSE(PointInRect(P(22, 15), r, 4, 4));  // box 20..23 does not
    EXPECT_TRUE(PointInRect(P(20, 15), r, 5, 1));   // a height of 1 counts as 2
    EXPECT_FALSE(PointInRect(P(15, 40), r, 1000000000, 2));
}

}  // namespace
