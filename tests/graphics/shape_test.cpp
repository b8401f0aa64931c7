// SPDX-License-Identifier: GPL-3.0-or-later
// Polygons, ellipses, arcs and pies.
#include "graphics/shape.h"

#include "graphics/line.h"

#include <algorithm>
#include <vector>

#include "tests/graphics/draw_fixture.h"

namespace {

using ShapeTest = DrawTest;

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
