// SPDX-License-Identifier: GPL-3.0-or-later
// Lines, pens and pixels.
#include "graphics/line.h"

#include "graphics/draw.h"
#include "tests/graphics/draw_fixture.h"

namespace {

using LineTest = DrawTest;

TEST_F(LineTest, OnePixelLineLeavesItsEndPointOut) {
    SetPenColour(3);
    MoveTo(2, 5);
    LineTo(10, 5);
    EXPECT_EQ(Count(3), 8);
    EXPECT_EQ(canvas.At(2, 5), 3);
    EXPECT_EQ(canvas.At(10, 5), 0);
    EXPECT_EQ(gDraw.curX, 10);
    // Continuing draws the old end point as the new start.
    LineTo(10, 9);
    EXPECT_EQ(canvas.At(10, 5), 3);
    EXPECT_EQ(canvas.At(10, 9), 0);
}

TEST_F(LineTest, DiagonalsAndSteepLinesHaveOnePixelPerMajorStep) {
    SetPenColour(3);
    MoveTo(0, 0);
    LineTo(8, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(canvas.At(i, i), 3);
    EXPECT_EQ(Count(3), 8);
    SetUpCanvas(32, 32);
    SetPenColour(3);
    MoveTo(5, 30);
    LineTo(8, 2);
    EXPECT_EQ(Count(3), 28);
    for (int y = 3; y <= 30; ++y) EXPECT_EQ(InRow(y, 3), 1) << "row " << y;
}

TEST_F(LineTest, PenStylesOneAndTwoAreSolidThreeAndFourLeaveGaps) {
    for (int style : {0, 1, 2, 3, 4}) {
        SetUpCanvas(32, 1);
        SetPenColour(1);
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
    SetUpCanvas(40, 40);
    SetPenColour(2);
    SetPenWidth(3, 7);
    MoveTo(10, 20);
    LineTo(30, 20);
    for (int x = 10; x <= 30; ++x) EXPECT_EQ(InColumn(x, 2), 7) << "column " << x;
    EXPECT_EQ(canvas.At(20, 17), 2);
    EXPECT_EQ(canvas.At(20, 23), 2);
    EXPECT_EQ(canvas.At(20, 16), 0);
    // Round ends: the cap reaches 3 pixels past each end on the centre row, less off it.
    EXPECT_EQ(canvas.At(7, 20), 2);
    EXPECT_EQ(canvas.At(6, 20), 0);
    EXPECT_EQ(canvas.At(7, 17), 0);
    EXPECT_EQ(canvas.At(33, 20), 2);
    // A vertical one of width 7 is 7 pixels wide on every row it crosses.
    SetUpCanvas(40, 40);
    SetPenColour(2);
    SetPenWidth(7, 1);
    MoveTo(20, 5);
    LineTo(20, 35);
    for (int y = 5; y <= 35; ++y) EXPECT_EQ(InRow(y, 2), 7) << "row " << y;
    // Even widths are exact.
    SetUpCanvas(32, 32);
    SetPenColour(2);
    SetPenWidth(4, 0);
    MoveTo(5, 10);
    LineTo(25, 10);
    EXPECT_EQ(InColumn(15, 2), 4);
}

TEST_F(LineTest, PatternPenDrawsThePattern) {
    SetPenColour(4);
    SetBrushColour(9);
    SetBrushPattern(3);  // row 0 is FF: all fill colour
    MoveTo(0, 0);
    LineTo(8, 0);
    MoveTo(0, 1);        // row 1 is AA: alternating, 1 bits first
    LineTo(8, 1);
    EXPECT_EQ(canvas.At(0, 0), 9);
    EXPECT_EQ(canvas.At(0, 1), 9);
    EXPECT_EQ(canvas.At(1, 1), 4);
    // A new pen colour replaces the pattern pen with a plain one.
    SetPenColour(5);
    MoveTo(0, 2);
    LineTo(8, 2);
    EXPECT_EQ(canvas.At(0, 2), 5);
}

TEST_F(LineTest, RelativeMovesAndPixels) {
    SetPenColour(6);
    MoveTo(4, 4);
    MoveBy(2, 3);
    LineBy(3, 0);
    EXPECT_EQ(canvas.At(6, 7), 6);
    EXPECT_EQ(canvas.At(8, 7), 6);
    EXPECT_EQ(canvas.At(9, 7), 0);
    PutPixel(0, 31);
    EXPECT_EQ(canvas.At(0, 31), 6);
    PutPixel(32, 0);  // off the surface: ignored
    EXPECT_EQ(Count(6), 4);
}

// A relative step and its opposite scale alike, so a stroke drawn out and back ends where it
// began and a diagonal of equal steps keeps one pixel a column (at 1024 x 768 and 800 x 600).
TEST_F(LineTest, RelativeLinesOutAndBackMeetAtBothScales) {
    for (const double scale : {1.0, 0.78125}) {
        SetUpCanvas(64, 64);
        gDisplayScale = DisplayScale{scale, scale};
        SetPenColour(6);
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
