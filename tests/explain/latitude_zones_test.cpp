// SPDX-License-Identifier: GPL-3.0-or-later
// The latitude zones screen: its curves and globe geometry, its chart drawn alone, and the
// screen run on the headless backend (a zone click and hover); the tilt buttons and hover texts
// are the latitude_zones replay's, the ways out in ways_out_test.cpp.
#include "explain/latitude_zones_screen.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "graphics/palette.h"
#include "graphics/present.h"
#include "simulation/charts.h"
#include "tests/explain/explain_fixture.h"
#include "widgets/interaction.h"

namespace {

struct ZonesTest : ScreenTest {
    // The globe's picture, absolute (the screen panel starts under the NavBar).
    static ScreenRect Globe() { return Rect(150, 264, 500, 614); }
    static double ZoneMiddle(int zone, double tilt) {
        return (ZoneEdge(zone, tilt) + ZoneEdge(zone + 1, tilt)) / 2;
    }
};

TEST_F(ZonesTest, CurvesFollowTheirTablesAtEveryTilt) {
    struct Case { double tilt; int zone, day; double value; } cases[] = {
        {-23.5, kZoneNorthPolar, 180, 330},   {-15, kZoneSouthPolar, 0, 200},
        {-23.5, kZoneNorthTemperate, 180, 360}, {-40, kZoneSouthTemperate, 180, 20},
        {-40, kZoneTropical, 90, 330},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ZoneCurveValue(c.zone, c.day, c.tilt), c.value, 1e-3)
            << "tilt " << c.tilt << " zone " << c.zone << " day " << c.day;

    for (double tilt : {-15.0, -23.5, -40.0}) {
        const ZoneCurveTable t = ZoneCurvesForTilt(tilt);
        for (int d = 0; d <= 360; ++d) {
            // The polar night: no energy for the first and last quarter of the year.
            if (d <= 90 || d >= 270) {
                EXPECT_NEAR(ZoneCurveValue(kZoneNorthPolar, d, tilt), 0, 1e-3);
            }
            EXPECT_LE(ZoneCurveValue(kZoneNorthPolar, d, tilt), t.polarAmplitude + 1e-9);
            // The tropical curve's lowest points are days 0, 180 and 360.
            EXPECT_GE(ZoneCurveValue(kZoneTropical, d, tilt),
                      t.tropicalMean - t.tropicalAmplitude - 1e-9);
        }
        for (int d : {0, 180, 360})
            EXPECT_NEAR(ZoneCurveValue(kZoneTropical, d, tilt),
                        t.tropicalMean - t.tropicalAmplitude, 1e-3);
    }
}

TEST_F(ZonesTest, ZoneEdgesAndRegionsFollowTheTilt) {
    // The large tilt moves the polar circles to about 107 and the tropics to 90 units.
    const double edges[] = {-107.2, -90.0, 90.0, 107.2};  // edges 1 to 4
    for (int e = 1; e <= 4; ++e) EXPECT_NEAR(ZoneEdge(e, -40), edges[e - 1], 0.1) << e;
    for (double tilt : {-15.0, -23.5, -40.0}) {
        ASSERT_TRUE(BuildZoneRegions(Globe(), tilt));
        for (int zone = 0; zone < kZoneCount; ++zone) {
            double x = 0, y = 0;
            ZoneAxisPoint(Globe(), tilt, ZoneMiddle(zone, tilt), x, y);
            EXPECT_EQ(ZoneAt(int(std::lround(x)), int(std::lround(y))), zone) << tilt;
        }
        // Across the axis near the edge of the clickable disc, and beyond the disc.
        const double t = tilt * kDegreeFactor;
        EXPECT_EQ(ZoneAt(int(325 + 150 * std::cos(t)), int(439 + 150 * std::sin(t))),
                  kZoneTropical);
        EXPECT_EQ(ZoneAt(325, 439 + 165), -1);
        EXPECT_EQ(ZoneAt(152, 266), -1);
    }
    FreeZoneRegions();
}

TEST_F(ZonesTest, TheCoastlineLinesUpWithTheAxisAndOnlyTheNearSideIsJoined) {
    CoastOutline coast{};
    // The North Pole, then a line along the equator across the far side's edge.
    const int points[][3] = {{1000, 90, 90}, {1000, 0, 10}, {0, 0, 60}, {0, 0, -20}, {0, 0, -60}};
    coast.count = 5;
    for (int i = 0; i < 5; ++i) {
        coast.code[i] = points[i][0];
        coast.latitude[i] = points[i][1];
        coast.longitude[i] = points[i][2];
    }
    ZoneCoastPoints projected{};
    GlobeSegments segments{};
    for (double tilt : {-15.0, -23.5, -40.0}) {
        ProjectZoneCoastline(coast, tilt, projected, segments);
        // Drawn over the Earth's disc, the pole falls on the axis's north end.
        double px = 0, py = 0;
        ZoneAxisPoint(Globe(), tilt, -kZoneEarthRadius, px, py);
        EXPECT_NEAR(325 - 140 + projected.x[0] * 0.14, px, 1) << tilt;
        EXPECT_NEAR(439 - 140 + projected.y[0] * 0.14, py, 1) << tilt;
        EXPECT_EQ(segments.count, 1) << tilt;  // 10 -> 60; -20 and -60 are out of sight
        EXPECT_EQ(segments.x0[0], projected.x[1]);
        EXPECT_EQ(segments.x1[0], projected.x[2]);
    }
}

TEST_F(ZonesTest, PicturesShowTheirCurvesAndLabelsAndStayInsideThemselves) {
    Start();
    ResetLatitudeZonesState();
    gZones.coastSegments = new GlobeSegments{};
    gZones.coastPoints = new ZoneCoastPoints{};
    const ScreenRect whole = Rect(0, 0, 1024, 768), chart = Rect(540, 264, 970, 614);
    struct Case {
        double tilt;
        int zone, peakDay;
        double peak;
    } cases[] = {{-15, kZoneNorthPolar, 180, 200},
                 {-40, kZoneNorthPolar, 180, 580},
                 {-23.5, kZoneSouthPolar, 0, 330},
                 {-23.5, kZoneTropical, 90, 325}};
    for (const Case& c : cases) {
        ProjectZoneCoastline(TheCoastOutline(), c.tilt, *gZones.coastPoints,
                             *gZones.coastSegments);
        ASSERT_TRUE(BuildZoneRegions(Globe(), c.tilt));
        const std::string where = std::to_string(c.tilt) + " zone " + std::to_string(c.zone);
        BeginDrawing();
        SetBrushColour(26);
        FillScreenRect(whole);
        DrawZoneGlobe(Globe(), c.tilt);
        EndDrawing();
        // The globe draws nothing outside its picture.
        EXPECT_EQ(Count(whole, 26) - Count(Globe(), 26), 1024 * 768 - 350 * 350) << where;
        // Each polar label stands outwards from the middle of its cap, white on black (the
        // boxes keep clear of the axis beyond the poles).
        const double cap = (ZoneEdge(4, c.tilt) + kZoneEarthRadius) / 2;
        double px = 0, py = 0;
        ZoneAxisPoint(Globe(), c.tilt, -cap, px, py);
        EXPECT_GT(Count(Rect(int(px) - 80, int(py) - 16, int(px) - 30, int(py)), 255), 20) << where;
        ZoneAxisPoint(Globe(), c.tilt, cap, px, py);
        EXPECT_GT(Count(Rect(int(px) + 30, int(py), int(px) + 80, int(py) + 16), 255), 20) << where;

        BeginDrawing();
        DrawZoneChart(chart, c.zone, c.tilt);
        EndDrawing();
        // The curve's top where the table puts it; the thick pen never spills off the chart.
        const int x = std::min(int((chart.right - chart.left) * c.peakDay *
                                       0.002777777777777778 + chart.left + 0.5),
                               chart.right - 1);
        const int y = int(c.peak * ChartScale() + ChartOffset());
        EXPECT_EQ(AtLogical(x, y), 10) << where;
        EXPECT_NE(AtLogical(x, y - 8), 10) << where;
        EXPECT_EQ(Count(whole, 10), Count(chart, 10)) << where;
    }
}

// The tilt buttons redrawing the globe (or not): the latitude_zones replay.

TEST_F(ZonesTest, AZoneClickChangesOnlyPaletteSlots240To244AndNotTheGlobe) {
    Start();
    PaletteEntry before[256], after[256];
    std::vector<int> globeBefore, globeAfter;
    int style = 0, accent = -1, cursorOnZone = 0, cursorOff = 0;
    DriveScreen(RunLatitudeZonesScreen, [&](long n) {
        if (n == 0) {
            std::memcpy(before, gDisplay.paletteCopy, sizeof before);
            globeBefore = Pixels(Globe());
            Click(325, 439);  // the globe's centre: the Tropical zone
        } else if (n == 1) {
            std::memcpy(after, gDisplay.paletteCopy, sizeof after);
            globeAfter = Pixels(Globe());
            style = gZones.styleCounter;
            accent = AtLogical(42, 64 + 70 + 10);
            // The clickable cursor over a zone; off the disc, the plain one (the help texts
            // there are the latitude_zones replay's).
            cursorOnZone = CurrentCursorShape();
            Move(155, 270);
        } else if (n == 2) {
            cursorOff = CurrentCursorShape();
        }
        return n < 3;
    });
    EXPECT_EQ(cursorOnZone, 3);
    EXPECT_EQ(cursorOff, 1);
    EXPECT_EQ(gZones.selectedZone, kZoneTropical);
    EXPECT_TRUE(globeBefore == globeAfter);
    for (int slot = 0; slot < 256; ++slot) {
        const PaletteEntry &b = before[slot], &a = after[slot];
        const int rgb = a.r * 65536 + a.g * 256 + a.b;
        if (slot == kZoneSlotFirst + kZoneTropical) {
            EXPECT_EQ(rgb, 0xFFFF00);
        } else if (slot == kZoneSlotFirst + kZoneNorthTemperate) {
            EXPECT_EQ(rgb, 0x008D8C);
        } else if (slot < kZoneSlotFirst || slot >= kZoneSlotFirst + kZoneCount) {
            EXPECT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << "slot " << slot;
        }
    }
    // Shown first with style 1, then with 3: the counter stands at 5, the card shows 3.
    EXPECT_EQ(style, 5);
    EXPECT_EQ(accent, TextBlockAccentSlot(3));
}

}  // namespace
