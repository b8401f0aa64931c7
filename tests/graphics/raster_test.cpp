// SPDX-License-Identifier: GPL-3.0-or-later
// The rasteriser on tiny surfaces: rectangles, frames, pattern brushes and raster modes; lines,
// pens and pixels; polygons, ellipses, arcs and pies.
#include <algorithm>
#include <vector>

#include "graphics/line.h"
#include "graphics/rect.h"
#include "graphics/shape.h"
#include "tests/graphics/draw_fixture.h"

namespace {

using RectTest = DrawTest;
using LineTest = DrawTest;
using ShapeTest = DrawTest;

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

PointRange Range(int first, int last) { return PointRange{int16_t(first), int16_t(last)}; }

TEST_F(ShapeTest, PolygonFillsLeaveRightAndBottomOutAndMeetTheirOutlines) {
    SetPenColour(3);
    const auto sq = Points({{2, 2}, {10, 2}, {10, 6}, {2, 6}});
    FillPolygonPattern(Range(0, 3), sq.data());
    EXPECT_EQ(Count(3), 8 * 4);
    // With the fill outline pen the outline covers the far edges too.
    SetUpCanvas(32, 32);
    SetBrushColour(5);
    FillPolygon(Range(0, 3), sq.data());
    EXPECT_EQ(Count(5), 9 * 5);
    // A convex polygon filled in one colour is one run of pixels on every row it covers.
    for (auto tri : {Points({{0, 0}, {20, 4}, {4, 20}}), Points({{30, 2}, {3, 9}, {25, 29}}),
                     Points({{5, 1}, {28, 30}, {2, 17}, {9, 3}})}) {
        SetUpCanvas(32, 32);
        SetBrushColour(5);
        FillPolygon(Range(0, int(tri.size()) - 1), tri.data());
        for (int y = 0; y < 32; ++y) {
            int runs = 0;
            for (int x = 0; x < 32; ++x)
                runs += canvas.At(x, y) == 5 && (x == 0 || canvas.At(x - 1, y) != 5);
            EXPECT_LE(runs, 1) << "row " << y << "\n" << Dump();
        }
    }
}

TEST_F(ShapeTest, PolygonOutlinesCloseEvenOddFillsLeaveHolesBadRangesDrawNothing) {
    SetPenColour(2);
    DrawPolygon(Range(0, 2), Points({{2, 2}, {12, 2}, {2, 12}}).data());
    ExpectPixels({{2, 2, 2}, {12, 2, 2}, {2, 12, 2}, {2, 7, 2}, {5, 5, 0}});  // 2,7: closing
    // A square drawn twice round, outer then inner: the inner square is a hole.
    Fresh(32, 32, 4);
    const auto ring = Points({{0, 0}, {20, 0}, {20, 20}, {0, 20}, {0, 0},
                              {5, 5}, {15, 5}, {15, 15}, {5, 15}, {5, 5}});
    FillPolygonPattern(Range(0, 9), ring.data());
    ExpectPixels({{2, 10, 4}, {10, 10, 0}, {17, 17, 4}});

    std::vector<Point> many(600);
    for (size_t i = 0; i < many.size(); ++i)
        MakePoint(many[i], int(i % 2 ? 30 : 1), int(i % 3 ? 1 : 30));
    Fresh(32, 32, 1);
    SetBrushColour(1);
    FillPolygon(Range(0, 500), many.data());  // 501 points
    DrawPolygon(Range(0, 500), many.data());
    FillPolygonPattern(Range(0, 500), many.data());
    FillPolygon(Range(5, 4), many.data());   // inverted
    FillPolygon(Range(-1, 3), many.data());  // before the array
    FillPolygon(Range(0, 3), nullptr);
    EXPECT_EQ(Count(1), 0);
    FillPolygon(Range(0, 499), many.data());  // 500 points draw
    EXPECT_GT(Count(1), 0);
}

bool MirrorSymmetric(const Surface& s, const DeviceRect& box) {
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const int mx = box.left + box.right - 1 - x;
            const int my = box.top + box.bottom - 1 - y;
            if (s.At(x, y) != s.At(mx, y) || s.At(x, y) != s.At(x, my)) return false;
        }
    return true;
}

TEST_F(ShapeTest, EllipsesAreSymmetricAndStayInTheirBox) {
    for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {7, 7}, {12, 5}, {25, 30}, {31, 2}}) {
        for (int kind = 0; kind < 3; ++kind) {
            SetUpCanvas(32, 32);
            SetPenColour(3);
            SetBrushColour(3);
            SetPenWidth(kind == 2 ? 3 : 1, 1);
            const ScreenRect r = R(1, 1, 1 + w, 1 + h);
            if (kind == 0) FillEllipse(r);
            else DrawEllipse(r);
            const DeviceRect box{1, 1, 1 + w, 1 + h};
            EXPECT_EQ(Box(Ink()), Box(box)) << w << "x" << h;
            EXPECT_TRUE(MirrorSymmetric(canvas, box)) << w << "x" << h << "\n" << Dump();
        }
    }
}

TEST_F(ShapeTest, EllipseOutlineIsClosedAndPatternFillStaysInside) {
    SetBrushColour(6);
    SetBrushPattern(3);
    SetPenColour(2);  // plain outline pen
    FillEllipsePattern(R(2, 2, 30, 24));
    // Every row that crosses the ellipse starts and ends with the outline.
    for (int y = 2; y < 24; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < 32; ++x)
            if (canvas.At(x, y) != 0) {
                if (first < 0) first = x;
                last = x;
            }
        ASSERT_GE(first, 0);
        EXPECT_EQ(canvas.At(first, y), 2);
        EXPECT_EQ(canvas.At(last, y), 2);
    }
    EXPECT_EQ(canvas.At(16, 13), 6);  // pattern 3, row 5 is AA: x 16 has a 1 bit
}

TEST_F(ShapeTest, DashedAndDottedOutlinesAreGappedSubsetsOfTheSolidOne) {
    SetPenColour(1);
    DrawEllipse(R(1, 1, 31, 31));
    const Surface solid = canvas;
    for (int style : {3, 4}) {
        Fresh(32, 32, 1);
        SetPenStyle(style);
        DrawEllipse(R(1, 1, 31, 31));
        int on = 0;
        for (size_t i = 0; i < canvas.pixels.size(); ++i) {
            ASSERT_TRUE(!canvas.pixels[i] || solid.pixels[i]) << style;
            on += canvas.pixels[i] != 0;
        }
        EXPECT_GT(on, 0);
        EXPECT_LT(on * 10, std::count(solid.pixels.begin(), solid.pixels.end(), 1) * 9) << style;
    }
}

TEST_F(ShapeTest, ArcWithNegativeSweepEqualsTheMirroredStart) {
    SetPenColour(1);
    DrawArc(R(2, 2, 30, 30), 450, -900);
    const Surface first = canvas;
    EXPECT_GT(Count(1), 5);
    Fresh(32, 32, 1);
    DrawArc(R(2, 2, 30, 30), -450, 900);
    EXPECT_EQ(first.pixels, canvas.pixels);
    EXPECT_GE(Ink().left, 16);  // from -45 to +45 degrees: only the right-hand side
    DrawArc(R(2, 2, 30, 30), 900, 0);  // a zero sweep draws nothing
    EXPECT_EQ(first.pixels, canvas.pixels);
}

TEST_F(ShapeTest, PiesCoverTheirQuadrants) {
    struct Case { int start, sweep; bool right, top; };
    for (Case c : {Case{0, 900, true, true}, Case{900, 900, false, true},
                   Case{1800, 900, false, false}, Case{2700, 900, true, false},
                   Case{-900, 900, true, false}, Case{900, -900, true, true}}) {
        SetUpCanvas(32, 32);
        SetBrushColour(7);
        FillPie(R(0, 0, 32, 32), c.start, c.sweep);
        const int l = c.right ? 16 : 0, t = c.top ? 0 : 16;
        EXPECT_EQ(Box(Ink()), (std::array<int, 4>{l, t, l + 16, t + 16})) << c.start << " " << c.sweep;
    }
    // Four quarter pies make the whole ellipse, each pixel once, and so does a full turn.
    SetUpCanvas(32, 32);
    SetBrushColour(1);
    FillEllipse(R(0, 0, 32, 32));
    const Surface ellipse = canvas;
    SetUpCanvas(32, 32);
    SetBrushColour(1);
    SetRasterMode(2);
    for (int q = 0; q < 4; ++q) FillPie(R(0, 0, 32, 32), q * 900, 900);
    EXPECT_EQ(ellipse.pixels, canvas.pixels);
    SetUpCanvas(32, 32);
    SetBrushColour(1);
    FillPie(R(0, 0, 32, 32), 300, 3600);
    EXPECT_EQ(ellipse.pixels, canvas.pixels);

    // A pattern pie: row 8 of pattern 3 is FF, row 9 AA; the lower half stays untouched.
    Fresh(32, 32, 4);
    SetBrushColour(9);
    SetBrushPattern(3);
    FillPiePattern(R(0, 0, 32, 32), 0, 1800);
    ExpectPixels({{16, 8, 9}, {16, 9, 9}, {17, 9, 4}, {16, 20, 0}});
}

TEST_F(ShapeTest, ExtremeShapesStayCheap) {
    // Boxes at the ends of the coordinate range cost only the rows that can be seen.
    SetPenColour(1);
    SetBrushColour(2);
    SetPenWidth(4096, 4096);
    const ScreenRect huge = R(-32768, -32768, 32767, 32767);
    DrawEllipse(huge);
    FillEllipsePattern(huge);
    DrawArc(huge, -36000, 72000);
    FillPie(huge, 32767, -32768);
    const ScreenRect inverted = R(32767, 32767, -32768, -32768);
    FillEllipse(inverted);
    EXPECT_EQ(Count(0), 0);
}

TEST_F(ShapeTest, XorTwiceRestoresThePicture) {
    SetUpCanvas(40, 40);
    for (int i = 0; i < 1600; ++i) canvas.pixels[size_t(i)] = uint8_t(i * 7);
    const Surface before = canvas;
    const auto poly = Points({{3, 3}, {35, 8}, {20, 38}, {30, 20}, {2, 30}});
    auto drawAll = [&] {
        SetRasterMode(2);
        SetPenColour(0x5A);
        SetBrushColour(0x33);
        SetBrushPattern(4);
        FillPolygon(Range(0, 4), poly.data());
        FillPolygonPattern(Range(0, 4), poly.data());
        SetPenColour(0x11);
        SetPenWidth(5, 5);
        DrawPolygon(Range(0, 4), poly.data());
        FillEllipsePattern(R(5, 5, 30, 25));
        DrawArc(R(0, 0, 40, 40), 100, 2500);
        FillPie(R(4, 4, 36, 36), 450, 1300);
        MoveTo(0, 39);
        LineTo(39, 0);
        SetPenWidth(1, 1);
        SetPenStyle(3);
        LineTo(10, 30);
        FrameScreenRect(R(1, 1, 39, 39));
    };
    drawAll();
    EXPECT_NE(before.pixels, canvas.pixels);
    drawAll();
    EXPECT_EQ(before.pixels, canvas.pixels);
}

}  // namespace
