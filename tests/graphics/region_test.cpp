// SPDX-License-Identifier: GPL-3.0-or-later
// Regions: making, combining, filling, clipping and point tests.
#include "graphics/region.h"

#include <random>
#include <vector>

#include "graphics/line.h"
#include "graphics/shape.h"
#include "tests/graphics/draw_fixture.h"

namespace {

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
    Region* a = RectRegion(R(2, 2, 20, 20));
    Region* b = EllipseRegion(R(10, 10, 30, 30));
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
    FillEllipse(R(3, 4, 29, 22));
    Region* e = EllipseRegion(R(3, 4, 29, 22));
    EXPECT_EQ(Painted(e).pixels, canvas.pixels);
    SetUpCanvas(32, 32);
    SetPenColour(1);
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
    Region* huge = EllipseRegion(R(-32768, -32768, 32767, 32767));
    ASSERT_NE(huge, nullptr);
    EXPECT_LE(huge->spans.size(), size_t(2 * 32768));
    DeleteRegion(huge);
    DeleteRegion(ok);
}

TEST_F(RegionTest, PointInRegionAgreesWithTheFill) {
    Region* a = EllipseRegion(R(1, 1, 31, 25));
    Region* hole = EllipseRegion(R(10, 8, 22, 18));
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

TEST_F(RegionTest, PatternFillFollowsThePenColour) {
    Region* r = RectRegion(R(0, 0, 8, 8));
    SetPenColour(21);
    SetBrushColour(0);
    SetBrushPattern(1);
    FillRegionPattern(r);
    EXPECT_EQ(Count(21), 64);
    DeleteRegion(r);
}

// Random shapes under a random clip: nothing may change outside the clip.
TEST_F(RegionTest, NothingIsWrittenOutsideTheClip) {
    std::mt19937 rng(12345);
    auto coord = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 300; ++round) {
        SetUpCanvas(40, 40);
        Region* clip = nullptr;
        ScreenRect clipRect = R(coord(-5, 30), coord(-5, 30), coord(0, 45), coord(0, 45));
        if (round % 2) {
            Region* e = EllipseRegion(R(coord(-10, 20), coord(-10, 20), coord(10, 50), coord(10, 50)));
            Region* b = RectRegion(R(coord(0, 30), coord(0, 30), coord(0, 40), coord(0, 40)));
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
        const ScreenRect r = R(coord(-20, 50), coord(-20, 50), coord(-20, 60), coord(-20, 60));
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

}  // namespace
