// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing on tiny surfaces of palette indices: rectangles, frames, pattern brushes and raster
// modes; lines, pens and pixels; polygons, ellipses, arcs and pies; regions and clipping;
// buffers, copies, saved areas, bitmaps, sprites and their PNG files.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/copy.h"
#include "graphics/draw.h"
#include "graphics/line.h"
#include "graphics/png.h"
#include "graphics/picture_draw.h"
#include "graphics/rect.h"
#include "graphics/region.h"
#include "graphics/scale.h"
#include "graphics/shape.h"

namespace {

struct DrawTest : ::testing::Test {
    Surface canvas;

    void SetUpCanvas(int w, int h, uint8_t fill = 0) {
        ResetDrawState();
        gDisplayScale = DisplayScale{};
        ResizeSurface(canvas, w, h, fill);
        SetPrimarySurface(&canvas);
        SetDrawTarget(nullptr);
    }
    void SetUp() override { SetUpCanvas(32, 32); }
    void TearDown() override {
        ResetDrawState();
        gDisplayScale = DisplayScale{};
    }

    static Point P(int x, int y) {
        Point p;
        MakePoint(p, x, y);
        return p;
    }
    static std::vector<Point> Points(std::initializer_list<std::pair<int, int>> xy) {
        std::vector<Point> pts;
        for (auto [x, y] : xy) pts.push_back(P(x, y));
        return pts;
    }
    // Pixels of `index` in the box [x0, x1) x [y0, y1); in row y, in column x, or anywhere.
    int CountIn(int x0, int y0, int x1, int y1, uint8_t index) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += canvas.At(x, y) == index;
        return n;
    }
    int InRow(int y, uint8_t index) const { return CountIn(0, y, canvas.width, y + 1, index); }
    int InColumn(int x, uint8_t index) const { return CountIn(x, 0, x + 1, canvas.height, index); }
    int Count(uint8_t index) const { return CountIn(0, 0, canvas.width, canvas.height, index); }
    // The bounding box of pixels that differ from `background`.
    DeviceRect Ink(uint8_t background = 0) const {
        DeviceRect b{canvas.width, canvas.height, 0, 0};
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x)
                if (canvas.At(x, y) != background) {
                    b.left = std::min(b.left, x);
                    b.top = std::min(b.top, y);
                    b.right = std::max(b.right, x + 1);
                    b.bottom = std::max(b.bottom, y + 1);
                }
        return b;
    }
    static std::array<int, 4> Box(const DeviceRect& d) { return {d.left, d.top, d.right, d.bottom}; }
    // Each listed pixel {x, y, index} of the canvas holds its index.
    void ExpectPixels(std::initializer_list<std::array<int, 3>> pixels) const {
        for (const auto& p : pixels)
            EXPECT_EQ(canvas.At(p[0], p[1]), p[2]) << "at " << p[0] << "," << p[1];
    }
    // A fresh canvas of w x h, a plain pen of colour `pen` and a brush of `brush` (-1: as reset).
    void Fresh(int w, int h, int pen, int brush = -1) {
        SetUpCanvas(w, h);
        if (pen >= 0) SetPenColour(pen);
        if (brush >= 0) SetBrushColour(brush);
    }
    // The canvas as text, '.' for 0 and a letter per other index, for failure messages.
    std::string Dump() const {
        std::string s;
        for (int y = 0; y < canvas.height; ++y) {
            for (int x = 0; x < canvas.width; ++x) {
                const uint8_t v = canvas.At(x, y);
                s += v == 0 ? '.' : char('A' + v % 26);
            }
            s += '\n';
        }
        return s;
    }
};

using RectTest = DrawTest;
using LineTest = DrawTest;
using ShapeTest = DrawTest;

TEST_F(RectTest, FillsAndFramesLeaveRightAndBottomOutSkipEmptyRectsAndClipHugeOnes) {
    SetBrushColour(7);
    for (const ScreenRect& empty : {Rect(10, 10, 10, 20), Rect(10, 10, 20, 10), Rect(20, 20, 10, 10)}) {
        FillScreenRect(empty);
        FillScreenRectPattern(empty);
        FrameScreenRect(empty);
    }
    EXPECT_EQ(Count(0), 32 * 32);
    FillScreenRect(Rect(2, 3, 6, 5));
    EXPECT_EQ(Count(7), 4 * 2);
    EXPECT_EQ(Box(Ink()), (std::array<int, 4>{2, 3, 6, 5}));
    // A frame is one pixel inside its rect.
    SetPenColour(5);
    FrameScreenRect(Rect(11, 11, 16, 15));
    EXPECT_EQ(Count(5), 5 * 2 + 2 * 2);
    ExpectPixels({{11, 11, 5}, {15, 14, 5}, {13, 12, 0}, {16, 14, 0}});
    // A clip stops fills; huge rects are cut to the surface.
    SetBrushColour(2);
    const ScreenRect clip = Rect(24, 24, 28, 28);
    SetClipRect(&clip);
    FillScreenRect(Rect(0, 0, 32, 32));
    EXPECT_EQ(Count(2), 16);
    SetClipRect(nullptr);
    SetBrushColour(3);
    FillScreenRect(Rect(-32768, -32768, 32767, 32767));
    EXPECT_EQ(Count(3), 32 * 32);
}

TEST_F(RectTest, PatternUsesPenForZeroBitsFillForOneBitsAnchoredToTheDeviceGrid) {
    SetPenColour(4);
    SetBrushColour(9);
    ASSERT_TRUE(SetBrushPattern(2));  // rows 22 88 ...
    FillScreenRectPattern(Rect(0, 0, 16, 16));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const uint8_t row = (y & 1) ? 0x88 : 0x22;
            const bool one = (row >> (7 - (x & 7))) & 1;
            ASSERT_EQ(canvas.At(x, y), one ? 9 : 4) << x << "," << y;
        }
    SetBrushPattern(9);
    FillScreenRectPattern(Rect(0, 0, 32, 32));
    const Surface whole = canvas;
    ResizeSurface(canvas, 32, 32, 0);
    FillScreenRectPattern(Rect(3, 5, 20, 17));  // an offset rect shows the same pixels
    for (int y = 5; y < 17; ++y)
        for (int x = 3; x < 20; ++x) ASSERT_EQ(canvas.At(x, y), whole.At(x, y));

    // Bad pattern numbers keep the old one; pattern 1 is the plain pen colour.
    Fresh(32, 32, 6);
    ASSERT_TRUE(SetBrushPattern(3));
    EXPECT_FALSE(SetBrushPattern(0));
    EXPECT_FALSE(SetBrushPattern(11));
    EXPECT_EQ(gDraw.patternNumber, 3);
    ASSERT_TRUE(SetBrushPattern(1));
    FillScreenRectPattern(Rect(0, 0, 8, 8));
    Region* r = RectRegion(Rect(8, 0, 16, 8));
    FillRegionPattern(r);  // regions too
    DeleteRegion(r);
    EXPECT_EQ(Count(6), 128);
}

TEST_F(RectTest, RasterModesCombineIndices) {
    SetUpCanvas(4, 1, 0x0C);
    SetBrushColour(0x0A);
    int x = 0;
    for (int mode : {1, 2, 7}) {  // or, xor, copy
        SetRasterMode(mode);
        FillScreenRect(Rect(x, 0, x + 1, 1));
        ++x;
    }
    EXPECT_EQ(canvas.pixels, (std::vector<uint8_t>{0x0E, 0x06, 0x0A, 0x0C}));
}

TEST_F(RectTest, OffsetCentreAndPointInRect) {
    ScreenRect r = Rect(1, 2, 3, 4);
    OffsetRect(r, 10, -20);
    EXPECT_EQ(r.left32, 11);
    EXPECT_EQ(r.top32, -18);
    int cx, cy;
    RectCentre(Rect(-3, 0, 0, 5), cx, cy);
    EXPECT_EQ(cx, -1);  // toward zero
    EXPECT_EQ(cy, 2);

    // Exclusive right and bottom edges, and a box around the point.
    r = Rect(10, 10, 20, 20);
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
    Fresh(32, 32, -1, 5);
    FillPolygon(Range(0, 3), sq.data());
    EXPECT_EQ(Count(5), 9 * 5);
    // A convex polygon filled in one colour is one run of pixels on every row it covers.
    for (auto tri : {Points({{0, 0}, {20, 4}, {4, 20}}), Points({{30, 2}, {3, 9}, {25, 29}}),
                     Points({{5, 1}, {28, 30}, {2, 17}, {9, 3}})}) {
        Fresh(32, 32, -1, 5);
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
    Fresh(32, 32, 1, 1);
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
            Fresh(32, 32, 3, 3);
            SetPenWidth(kind == 2 ? 3 : 1, 1);
            const ScreenRect r = Rect(1, 1, 1 + w, 1 + h);
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
    FillEllipsePattern(Rect(2, 2, 30, 24));
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

// Pen styles 0 to 2 draw solid; dashed (3) and dotted (4) lines and ellipse outlines are
// gapped subsets of the solid ones.
TEST_F(ShapeTest, DashedAndDottedPensLeaveGapsInLinesAndOutlines) {
    SetPenColour(1);
    DrawEllipse(Rect(1, 1, 31, 31));
    const Surface solid = canvas;
    const int solidCount = Count(1);
    for (int style : {0, 1, 2, 3, 4}) {
        Fresh(32, 32, 1);
        SetPenStyle(style);
        DrawEllipse(Rect(1, 1, 31, 31));
        for (size_t i = 0; i < canvas.pixels.size(); ++i)
            ASSERT_TRUE(!canvas.pixels[i] || solid.pixels[i]) << style;
        const int outline = Count(1);
        MoveTo(0, 0);  // row 0 lies above the ellipse
        LineTo(32, 0);
        const int line = InRow(0, 1);
        if (style < 3) {
            EXPECT_EQ(std::pair(line, outline), std::pair(32, solidCount)) << style;
        } else {
            EXPECT_TRUE(line > 8 && line < 32) << style << ": " << line;
            EXPECT_TRUE(outline > 0 && outline * 10 < solidCount * 9) << style << ": " << outline;
        }
    }
}

TEST_F(ShapeTest, ArcWithNegativeSweepEqualsTheMirroredStart) {
    SetPenColour(1);
    DrawArc(Rect(2, 2, 30, 30), 450, -900);
    const Surface first = canvas;
    EXPECT_GT(Count(1), 5);
    Fresh(32, 32, 1);
    DrawArc(Rect(2, 2, 30, 30), -450, 900);
    EXPECT_EQ(first.pixels, canvas.pixels);
    EXPECT_GE(Ink().left, 16);  // from -45 to +45 degrees: only the right-hand side
    DrawArc(Rect(2, 2, 30, 30), 900, 0);  // a zero sweep draws nothing
    EXPECT_EQ(first.pixels, canvas.pixels);
}

TEST_F(ShapeTest, PiesCoverTheirQuadrants) {
    struct Case { int start, sweep; bool right, top; };
    for (Case c : {Case{0, 900, true, true}, Case{900, 900, false, true},
                   Case{1800, 900, false, false}, Case{2700, 900, true, false},
                   Case{-900, 900, true, false}, Case{900, -900, true, true}}) {
        Fresh(32, 32, -1, 7);
        FillPie(Rect(0, 0, 32, 32), c.start, c.sweep);
        const int l = c.right ? 16 : 0, t = c.top ? 0 : 16;
        EXPECT_EQ(Box(Ink()), (std::array<int, 4>{l, t, l + 16, t + 16})) << c.start << " " << c.sweep;
    }
    // Four quarter pies make the whole ellipse, each pixel once, and so does a full turn.
    Fresh(32, 32, -1, 1);
    FillEllipse(Rect(0, 0, 32, 32));
    const Surface ellipse = canvas;
    Fresh(32, 32, -1, 1);
    SetRasterMode(2);
    for (int q = 0; q < 4; ++q) FillPie(Rect(0, 0, 32, 32), q * 900, 900);
    EXPECT_EQ(ellipse.pixels, canvas.pixels);
    Fresh(32, 32, -1, 1);
    FillPie(Rect(0, 0, 32, 32), 300, 3600);
    EXPECT_EQ(ellipse.pixels, canvas.pixels);

    // A pattern pie: row 8 of pattern 3 is FF, row 9 AA; the lower half stays untouched.
    Fresh(32, 32, 4, 9);
    SetBrushPattern(3);
    FillPiePattern(Rect(0, 0, 32, 32), 0, 1800);
    ExpectPixels({{16, 8, 9}, {16, 9, 9}, {17, 9, 4}, {16, 20, 0}});
}

TEST_F(ShapeTest, ExtremeShapesStayCheap) {
    // Boxes at the ends of the coordinate range cost only the rows that can be seen.
    SetPenColour(1);
    SetBrushColour(2);
    SetPenWidth(4096, 4096);
    const ScreenRect huge = Rect(-32768, -32768, 32767, 32767);
    DrawEllipse(huge);
    FillEllipsePattern(huge);
    DrawArc(huge, -36000, 72000);
    FillPie(huge, 32767, -32768);
    const ScreenRect inverted = Rect(32767, 32767, -32768, -32768);
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
        FillEllipsePattern(Rect(5, 5, 30, 25));
        DrawArc(Rect(0, 0, 40, 40), 100, 2500);
        FillPie(Rect(4, 4, 36, 36), 450, 1300);
        MoveTo(0, 39);
        LineTo(39, 0);
        SetPenWidth(1, 1);
        SetPenStyle(3);
        LineTo(10, 30);
        FrameScreenRect(Rect(1, 1, 39, 39));
    };
    drawAll();
    EXPECT_NE(before.pixels, canvas.pixels);
    drawAll();
    EXPECT_EQ(before.pixels, canvas.pixels);
}

using RegionTest = DrawTest;

// The pixels a region fill paints on a fresh canvas.
Surface Painted(const Region* r, int w = 32, int h = 32) {
    Surface s;
    ResizeSurface(s, w, h, 0);
    SetDrawTarget(&s);
    SetBrushColour(1);
    FillRegion(r);
    SetDrawTarget(nullptr);
    return s;
}

TEST_F(RegionTest, SetOperationsMatchPixelLogic) {
    Region* a = RectRegion(Rect(2, 2, 20, 20));
    Region* b = EllipseRegion(Rect(10, 10, 30, 30));
    Region* both = IntersectRegions(a, b);
    Region* aOnly = SubtractRegions(a, b);
    Region* either = UnionRegions(a, b);
    ASSERT_TRUE(a && b && both && aOnly && either);
    const Surface pa = Painted(a), pb = Painted(b);
    const Surface pBoth = Painted(both), pOnly = Painted(aOnly), pEither = Painted(either);
    for (size_t i = 0; i < pa.pixels.size(); ++i) {
        const bool ia = pa.pixels[i], ib = pb.pixels[i];
        ASSERT_EQ(bool(pBoth.pixels[i]), ia && ib) << i;
        ASSERT_EQ(bool(pOnly.pixels[i]), ia && !ib) << i;
        ASSERT_EQ(bool(pEither.pixels[i]), ia || ib) << i;
    }
    // A region minus itself is empty; empty intersected with anything is empty.
    Region* none = SubtractRegions(b, b);
    Region* empty = EmptyRegion();
    Region* stillNone = IntersectRegions(empty, a);
    for (Region* r : {none, empty, stillNone}) EXPECT_TRUE(r->spans.empty());
    for (Region* r : {a, b, both, aOnly, either, none, empty, stillNone}) DeleteRegion(r);
}

TEST_F(RegionTest, RegionShapesMatchTheDrawnShapes) {
    SetBrushColour(1);
    SetPenColour(1);
    FillEllipse(Rect(3, 4, 29, 22));
    Region* e = EllipseRegion(Rect(3, 4, 29, 22));
    EXPECT_EQ(Painted(e).pixels, canvas.pixels);
    Fresh(32, 32, 1);
    const std::vector<Point> star = Points({{16, 1}, {25, 29}, {1, 11}, {31, 11}, {7, 29}});
    FillPolygonPattern(PointRange{0, 4}, star.data());
    Region* p = PolygonRegion(5, star.data());
    EXPECT_EQ(Painted(p).pixels, canvas.pixels);
    EXPECT_FALSE(PointInRegion(P(16, 16), p, 0, 0));  // the even-odd hole
    DeleteRegion(e);
    DeleteRegion(p);
}

TEST_F(RegionTest, BadInputMakesNoRegionAndNullIsHarmless) {
    std::vector<Point> pts(1001);
    for (size_t i = 0; i < pts.size(); ++i) MakePoint(pts[i], int(i % 7) * 4, int(i % 5) * 6);
    EXPECT_EQ(PolygonRegion(1001, pts.data()), nullptr);
    EXPECT_EQ(PolygonRegion(-3, pts.data()), nullptr);
    EXPECT_EQ(PolygonRegion(3, nullptr), nullptr);
    Region* ok = PolygonRegion(1000, pts.data());
    EXPECT_NE(ok, nullptr);
    EXPECT_EQ(IntersectRegions(ok, nullptr), nullptr);
    EXPECT_EQ(SubtractRegions(nullptr, ok), nullptr);
    FillRegion(nullptr);
    FillRegionPattern(nullptr);
    DeleteRegion(nullptr);
    EXPECT_FALSE(PointInRegion(P(1, 1), nullptr, 0, 0));
    SetClipRegion(nullptr);
    EXPECT_FALSE(gDraw.hasClip);
    // Huge shapes are cut to the region limits instead of taking all memory.
    Region* huge = EllipseRegion(Rect(-32768, -32768, 32767, 32767));
    ASSERT_NE(huge, nullptr);
    EXPECT_LE(huge->spans.size(), size_t(2 * 32768));
    DeleteRegion(huge);
    DeleteRegion(ok);
}

TEST_F(RegionTest, PointInRegionAgreesWithTheFill) {
    Region* a = EllipseRegion(Rect(1, 1, 31, 25));
    Region* hole = EllipseRegion(Rect(10, 8, 22, 18));
    Region* ring = SubtractRegions(a, hole);
    const Surface painted = Painted(ring);
    for (int y = 0; y < 34; ++y)
        for (int x = 0; x < 34; ++x) {
            const bool in = x < 32 && y < 32 && painted.At(x, y);
            ASSERT_EQ(PointInRegion(P(x, y), ring, 1, 1), in) << x << "," << y;
            // A box test is true exactly when some painted pixel lies in the box.
            bool near = false;
            for (int by = y - 2; by < y + 2; ++by)
                for (int bx = x - 1; bx < x + 1; ++bx)
                    near = near || (bx >= 0 && by >= 0 && bx < 32 && by < 32 && painted.At(bx, by));
            ASSERT_EQ(PointInRegion(P(x, y), ring, 1, 4), near) << x << "," << y;
        }
    for (Region* r : {a, hole, ring}) DeleteRegion(r);
}

// Random shapes under a random clip: nothing may change outside the clip.
TEST_F(RegionTest, NothingIsWrittenOutsideTheClip) {
    std::mt19937 rng(12345);
    auto coord = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 300; ++round) {
        SetUpCanvas(40, 40);
        Region* clip = nullptr;
        ScreenRect clipRect = Rect(coord(-5, 30), coord(-5, 30), coord(0, 45), coord(0, 45));
        if (round % 2) {
            Region* e = EllipseRegion(Rect(coord(-10, 20), coord(-10, 20), coord(10, 50), coord(10, 50)));
            Region* b = RectRegion(Rect(coord(0, 30), coord(0, 30), coord(0, 40), coord(0, 40)));
            clip = SubtractRegions(e, b);
            DeleteRegion(e);
            DeleteRegion(b);
            SetClipRegion(clip);
        } else {
            SetClipRect(&clipRect);
        }
        Region* allowed = clip ? UnionRegions(clip, clip) : RectRegion(clipRect);
        SetPenColour(coord(1, 255));
        SetBrushColour(coord(1, 255));
        SetRasterMode(coord(0, 2));
        SetBrushPattern(coord(1, 10));
        if (coord(0, 1)) SetPenColour(coord(1, 255));
        SetPenWidth(coord(1, 9), 1);
        const ScreenRect r = Rect(coord(-20, 50), coord(-20, 50), coord(-20, 60), coord(-20, 60));
        std::vector<Point> pts(size_t(coord(1, 8)));
        for (Point& p : pts) MakePoint(p, coord(-20, 60), coord(-20, 60));
        const PointRange range{0, int16_t(pts.size() - 1)};
        switch (round % 11) {
            case 0: FillScreenRect(r); FillScreenRectPattern(r); FrameScreenRect(r); break;
            case 1: MoveTo(coord(-50, 90), coord(-50, 90)); LineTo(coord(-50, 90), coord(-50, 90)); break;
            case 2: DrawPolygon(range, pts.data()); break;
            case 3: FillPolygon(range, pts.data()); break;
            case 4: FillPolygonPattern(range, pts.data()); break;
            case 5: DrawEllipse(r); FillEllipse(r); break;
            case 6: FillEllipsePattern(r); break;
            case 7: DrawArc(r, coord(-3600, 3600), coord(-3600, 3600)); break;
            case 8: FillPie(r, coord(-3600, 3600), coord(-3600, 3600)); break;
            case 9: FillPiePattern(r, coord(-3600, 3600), coord(-3600, 3600)); break;
            case 10: {
                Region* fill = PolygonRegion(int(pts.size()), pts.data());
                FillRegion(fill);
                FillRegionPattern(fill);
                DeleteRegion(fill);
                PutPixel(coord(-5, 45), coord(-5, 45));
                break;
            }
        }
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                if (canvas.At(x, y) != 0) {
                    ASSERT_TRUE(PointInRegion(P(x, y), allowed, 0, 0))
                        << "round " << round << " pixel " << x << "," << y;
                }
        SetClipRegion(nullptr);
        DeleteRegion(clip);
        DeleteRegion(allowed);
    }
}

using CopyTest = DrawTest;

void Paint(Surface& s) {
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) s.Row(y)[x] = uint8_t(1 + x + 10 * y);
}

TEST_F(CopyTest, BuffersHaveTheDeviceSizeAndFailCleanly) {
    gDisplayScale = DisplayScale{0.78125, 0.78125};
    OffscreenBuffer b;
    ASSERT_TRUE(CreateBuffer(Rect(0, 0, 32, 64), 19, b));
    EXPECT_EQ((std::array{b.surface->width, b.surface->height, b.rect.right32}),
              (std::array{25, 50, 32}));
    EXPECT_EQ(b.surface->transparentIndex, 19);
    OffscreenBuffer d;
    ASSERT_TRUE(CreateBufferDevice(Rect(0, 0, 9, 4), 0, d));
    EXPECT_EQ(std::pair(d.surface->width, d.rect.right32), std::pair(10, 9));
    OffscreenBuffer bad;
    EXPECT_FALSE(CreateBuffer(Rect(0, 0, 0, 10), 0, bad));
    EXPECT_FALSE(CreateBuffer(Rect(10, 0, 0, 10), 0, bad));
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
    ASSERT_TRUE(CreateBuffer(Rect(0, 0, 4, 3), 23, b));
    ASSERT_TRUE(CopyRect(nullptr, &b, Rect(2, 1, 6, 4), Rect(0, 0, 4, 3), false));
    EXPECT_EQ(b.surface->At(0, 0), canvas.At(2, 1));
    EXPECT_EQ(b.surface->At(3, 2), canvas.At(5, 3));
    // Slot 23 is the key: the canvas pixel (2, 2) holds 23, and it is not copied back.
    ResizeSurface(canvas, 32, 32, 200);
    ASSERT_TRUE(CopyRect(&b, nullptr, Rect(0, 0, 4, 3), Rect(10, 10, 14, 13), true));
    EXPECT_EQ(b.surface->At(0, 1), 23);
    ExpectPixels({{10, 10, 13}, {10, 11, 200}, {11, 11, 24}});  // (10, 11) left out
    ASSERT_TRUE(CopyRect(&b, nullptr, Rect(0, 0, 4, 3), Rect(10, 10, 14, 13), false));
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
    ASSERT_TRUE(CreateBuffer(Rect(0, 0, 8, 8), 0, b));
    EXPECT_FALSE(CopyRect(nullptr, &b, Rect(0, 0, 0, 8), Rect(0, 0, 8, 8), false));
    EXPECT_FALSE(CopyRect(nullptr, &b, Rect(0, 0, 8, 8), Rect(8, 0, 0, 8), false));
    EXPECT_TRUE(CopyRect(&b, nullptr, Rect(-100, -100, 100, 100), Rect(-32768, -32768, 32767, 32767), false));
    ReleaseBuffer(b);
    EXPECT_FALSE(CopyRect(&b, nullptr, Rect(0, 0, 8, 8), Rect(0, 0, 8, 8), false));
    EXPECT_FALSE(CopySurfaceRect(before, canvas, DeviceRect{0, 0, 1, 1},
                                 DeviceRect{-2000000000, 0, 2000000000, 1}, false));
}

TEST_F(CopyTest, SavedAreasComeBackAndShiftsHandleOverlap) {
    Paint(canvas);
    const Surface before = canvas;
    SavedArea saved;
    ASSERT_TRUE(SaveScreenArea(Rect(4, 4, 12, 10), 0, saved));
    EXPECT_TRUE(saved.valid);
    SetBrushColour(99);
    FillScreenRect(Rect(0, 0, 32, 32));
    RestoreScreenArea(Rect(4, 4, 12, 10), saved, false);
    for (int y = 4; y < 10; ++y)
        for (int x = 4; x < 12; ++x) ASSERT_EQ(canvas.At(x, y), before.At(x, y));
    EXPECT_EQ(canvas.At(12, 4), 99);
    FreeScreenArea(saved);
    EXPECT_FALSE(saved.valid);
    RestoreScreenArea(Rect(0, 0, 32, 32), saved, false);  // nothing to restore
    EXPECT_EQ(canvas.At(4, 4), before.At(4, 4));
    FreeScreenArea(saved);

    canvas = before;
    ShiftScreenArea(Rect(0, 0, 10, 10), Rect(3, 2, 13, 12));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(canvas.At(x + 3, y + 2), before.At(x, y));

    // A shift works in the drawing context: a round button's press slides only what lies
    // inside its ellipse clip.
    canvas = before;
    Region* round = EllipseRegion(Rect(5, 5, 25, 25));
    SetClipRegion(round);
    ShiftScreenArea(Rect(4, 4, 26, 26), Rect(6, 6, 28, 28));
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
    art.transparentIndex = 19;
    PlatformColour palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)};
    const std::string path = ::testing::TempDir() + "copy_test_sheet.png";
    ASSERT_TRUE(WriteSurfacePng(path.c_str(), art, palette));
    // The file reads back with its indices, its palette and its see-through entry.
    Surface back;
    PlatformColour read[256];
    ASSERT_TRUE(ReadSurfacePng(path.c_str(), back, read));
    EXPECT_EQ(back.pixels, art.pixels);
    EXPECT_EQ(back.transparentIndex, 19);
    for (int i = 0; i < 256; ++i)
        EXPECT_TRUE(read[i].r == palette[i].r && read[i].g == palette[i].g &&
                    read[i].b == palette[i].b) << i;

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
    DrawSprite(Rect(10, 10, 12, 12), sp, true);  // key colour 19 left out
    DrawSprite(Rect(20, 20, 24, 24), sp, false);  // stretched to twice the size
    ExpectPixels({{10, 10, 5}, {11, 10, 26}, {11, 11, 7}, {21, 21, 5}, {22, 21, 19}});
    ResetBitmapResources();
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
