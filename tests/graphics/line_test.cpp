// SPDX-License-Identifier: GPL-3.0-or-later
// Lines, pens and pixels.
#include "graphics/line.h"

#include "graphics/draw.h"
#include "tests/graphics/draw_fixture.h"

namespace {

using LineTest = DrawTest;

TEST_F(LineTest, ThinLinesLeaveTheirEndPointOutAndHaveOnePixelPerMajorStep) {
    SetPenColour(3);
    MoveTo(2, 5);
    LineTo(10, 5);
    EXPECT_EQ(Count(3), 8);
    ExpectPixels({{2, 5, 3}, {10, 5, 0}});
    EXPECT_EQ(gDraw.curX, 10);
    LineTo(10, 9);  // continuing draws the old end point as the new start
    ExpectPixels({{10, 5, 3}, {10, 9, 0}});

    Fresh(32, 32, 3);
    MoveTo(0, 0);
    LineTo(8, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(canvas.At(i, i), 3);
    EXPECT_EQ(Count(3), 8);
    Fresh(32, 32, 3);
    MoveTo(5, 30);
    LineTo(8, 2);
    EXPECT_EQ(Count(3), 28);
    for (int y = 3; y <= 30; ++y) EXPECT_EQ(InRow(y, 3), 1) << "row " << y;
}

TEST_F(LineTest, PenStylesOneAndTwoAreSolidThreeAndFourLeaveGaps) {
    for (int style : {0, 1, 2, 3, 4}) {
        Fresh(32, 1, 1);
        SetPenStyle(style);
        MoveTo(0, 0);
        LineTo(32, 0);
        if (style == 3 || style == 4) {
            EXPECT_LT(Count(1), 32) << style;
            EXPECT_GT(Count(1), 8) << style;
        } else {
            EXPECT_EQ(Count(1), 32) << style;
        }
    }
}

TEST_F(LineTest, WideLineIsAsThickAsThePenWithRoundEnds) {
    Fresh(40, 40, 2);
    SetPenWidth(3, 7);
    MoveTo(10, 20);
    LineTo(30, 20);
    for (int x = 10; x <= 30; ++x) EXPECT_EQ(InColumn(x, 2), 7) << "column " << x;
    // Round ends: the cap reaches 3 pixels past each end on the centre row, less off it.
    ExpectPixels({{20, 17, 2}, {20, 23, 2}, {20, 16, 0}, {7, 20, 2}, {6, 20, 0}, {7, 17, 0},
                  {33, 20, 2}});
    // A vertical one of width 7 is 7 pixels wide on every row it crosses.
    Fresh(40, 40, 2);
    SetPenWidth(7, 1);
    MoveTo(20, 5);
    LineTo(20, 35);
    for (int y = 5; y <= 35; ++y) EXPECT_EQ(InRow(y, 2), 7) << "row " << y;
    // Even widths are exact.
    Fresh(32, 32, 2);
    SetPenWidth(4, 0);
    MoveTo(5, 10);
    LineTo(25, 10);
    EXPECT_EQ(InColumn(15, 2), 4);
}

TEST_F(LineTest, PatternPenRelativeMovesAndPixels) {
    SetPenColour(4);
    SetBrushColour(9);
    SetBrushPattern(3);  // row 0 is FF: all fill colour; row 1 is AA: 1 bits first
    MoveTo(0, 0);
    LineTo(8, 0);
    MoveTo(0, 1);
    LineTo(8, 1);
    SetPenColour(5);  // a new pen colour replaces the pattern pen with a plain one
    MoveTo(0, 2);
    LineTo(8, 2);
    ExpectPixels({{0, 0, 9}, {0, 1, 9}, {1, 1, 4}, {0, 2, 5}});

    Fresh(32, 32, 6);
    MoveTo(4, 4);
    MoveBy(2, 3);
    LineBy(3, 0);
    PutPixel(0, 31);
    PutPixel(32, 0);  // off the surface: ignored
    ExpectPixels({{6, 7, 6}, {8, 7, 6}, {9, 7, 0}, {0, 31, 6}});
    EXPECT_EQ(Count(6), 4);
}

// A relative step and its opposite scale alike, so a stroke drawn out and back ends where it
// began and a diagonal of equal steps keeps one pixel a column (at 1024 x 768 and 800 x 600).
TEST_F(LineTest, RelativeLinesOutAndBackMeetAtBothScales) {
    for (const double scale : {1.0, 0.78125}) {
        Fresh(64, 64, 6);
        gDisplayScale = DisplayScale{scale, scale};
        MoveTo(60, 4);
        LineBy(-50, 50);
        const int x = gDraw.curX, y = gDraw.curY;
        EXPECT_EQ(x - ToDeviceX(60), -(y - ToDeviceY(4))) << scale;
        for (int column = x + 1; column <= ToDeviceX(60); ++column)
            EXPECT_EQ(InColumn(column, 6), 1) << scale;
        LineBy(0, -10);
        LineBy(0, 10);
        MoveBy(-7, -3);
        MoveBy(7, 3);
        EXPECT_EQ(gDraw.curX, x) << scale;
        EXPECT_EQ(gDraw.curY, y) << scale;
    }
}

TEST_F(LineTest, FarAwayLinesAreClippedNotWalked) {
    SetPenColour(1);
    MoveTo(-2000000000, 16);
    LineTo(2000000000, 16);
    EXPECT_EQ(Count(1), 32);
    SetPenWidth(100000, 1);
    MoveTo(-30000, -30000);
    LineTo(30000, 30000);
    EXPECT_EQ(Count(1), 32 * 32);
    SetPenWidth(1, 1);
    for (int i = 0; i < 100; ++i) LineBy(2000000000, -2000000000);  // never overflows
}

}  // namespace
