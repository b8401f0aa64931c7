// The latitude zones screen: its curves and globe geometry, its chart drawn alone, and the
// screen run on the headless backend (tilt buttons, zone clicks, hover, every way out).
#include "explain/latitude_zones_screen.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "graphics/palette.h"
#include "graphics/present.h"
#include "tests/simulation/simulation_fixture.h"
#include "widgets/interaction.h"

namespace {

struct ZonesTest : SimulationTest {
    void SetUp() override { ResetLatitudeZonesState(); }
    void TearDown() override {
        ResetLatitudeZonesState();
        SimulationTest::TearDown();
    }

    static int RunZones(std::function<bool(long)> drive) {
        gDrive = std::move(drive);
        gFeeds = 0;
        gClosing = false;
        const int result = RunLatitudeZonesScreen();
        gDrive = nullptr;
        return result;
    }

    // The screen's pictures, absolute (the screen panel starts under the NavBar).
    static ScreenRect Globe() { return R(150, 264, 500, 614); }
    static ScreenRect Chart() { return R(540, 264, 970, 614); }

    // A click on the globe s units along the axis from its centre.
    static void ClickAxis(double s) {
        double x = 0, y = 0;
        ZoneAxisPoint(Globe(), gZones.zoneTilt, s, x, y);
        Click(int(std::lround(x)), int(std::lround(y)));
    }
    static double ZoneMiddle(int zone, double tilt) {
        return (ZoneEdge(zone, tilt) + ZoneEdge(zone + 1, tilt)) / 2;
    }
    static void PointerTo(int x, int y) {
        PostInput(MessageKind::MouseMove, ToDeviceX(x), ToDeviceY(y));
    }

    static std::vector<uint8_t> Pixels(const ScreenRect& r) {
        const DeviceRect d = ToDeviceRect(r);
        std::vector<uint8_t> out;
        for (int y = d.top; y < d.bottom; ++y)
            for (int x = d.left; x < d.right; ++x) out.push_back(uint8_t(At(x, y)));
        return out;
    }
    static bool AllFreed() {
        bool freed = !gZones.globeRegion && !gZones.coastPoints && !gZones.coastSegments &&
                     !gZones.fonts.heading && !gZones.fonts.body && !gZones.panel;
        for (Region* r : gZones.zoneRegions) freed = freed && !r;
        return freed;
    }
};

TEST_F(ZonesTest, CurvesFollowTheirTablesAtEveryTilt) {
    struct Case {
        double tilt;
        int zone, day;
        double value;
    } cases[] = {
        {-15, kZoneNorthPolar, 180, 200},    {-40, kZoneNorthPolar, 180, 580},
        {-23.5, kZoneNorthPolar, 180, 330},  {-15, kZoneSouthPolar, 0, 200},
        {-15, kZoneSouthPolar, 180, 0},      {-23.5, kZoneNorthTemperate, 180, 360},
        {-23.5, kZoneSouthTemperate, 0, 360}, {-15, kZoneNorthTemperate, 0, 120},
        {-40, kZoneSouthTemperate, 180, 20},  {-23.5, kZoneTropical, 0, 275},
        {-40, kZoneTropical, 90, 330},        {-15, kZoneTropical, 270, 330},
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
    EXPECT_NEAR(ZoneEdge(1, -40), -107.2, 0.1);
    EXPECT_NEAR(ZoneEdge(4, -40), 107.2, 0.1);
    EXPECT_NEAR(ZoneEdge(2, -40), -90.0, 0.1);
    EXPECT_NEAR(ZoneEdge(3, -40), 90.0, 0.1);
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

TEST_F(ZonesTest, TheGlobeAndItsLabelsStayInsideThePictureAtEveryTilt) {
    Start();
    ResetLatitudeZonesState();
    gZones.coastSegments = new GlobeSegments{};
    gZones.coastPoints = new ZoneCoastPoints{};
    const ScreenRect whole = R(0, 0, 1024, 768);
    for (double tilt : {-15.0, -23.5, -40.0}) {
        ProjectZoneCoastline(TheCoastOutline(), tilt, *gZones.coastPoints, *gZones.coastSegments);
        ASSERT_TRUE(BuildZoneRegions(Globe(), tilt));
        BeginDrawing();
        SetBrushColour(26);
        FillScreenRect(whole);
        DrawZoneGlobe(Globe(), tilt);
        EndDrawing();
        // Nothing is drawn outside the picture.
        EXPECT_EQ(Count(whole, 26) - Count(Globe(), 26), 1024 * 768 - 350 * 350) << tilt;
        // Each polar label stands outwards from the middle of its cap, white on black (the
        // boxes keep clear of the axis beyond the poles).
        const double cap = (ZoneEdge(4, tilt) + kZoneEarthRadius) / 2;
        double x = 0, y = 0;
        ZoneAxisPoint(Globe(), tilt, -cap, x, y);
        EXPECT_GT(Count(R(int(x) - 80, int(y) - 16, int(x) - 30, int(y)), 255), 20) << tilt;
        ZoneAxisPoint(Globe(), tilt, cap, x, y);
        EXPECT_GT(Count(R(int(x) + 30, int(y), int(x) + 80, int(y) + 16), 255), 20) << tilt;
    }
}

TEST_F(ZonesTest, TheChartPeaksWhereTheTableSaysAndStaysInsideItsPicture) {
    Start();
    struct Case {
        double tilt;
        int zone, peakDay;
        double peak;
    } cases[] = {{-15, kZoneNorthPolar, 180, 200},
                 {-40, kZoneNorthPolar, 180, 580},
                 {-23.5, kZoneSouthPolar, 0, 330},
                 {-23.5, kZoneTropical, 90, 325}};
    const ScreenRect chart = Chart();
    for (const Case& c : cases) {
        BeginDrawing();
        DrawZoneChart(chart, c.zone, c.tilt);
        EndDrawing();
        const int x = int((chart.right - chart.left) * c.peakDay * 0.002777777777777778 +
                          chart.left + 0.5);
        const int y = int(c.peak * ChartScale() + ChartOffset());
        EXPECT_EQ(AtLogical(std::min(x, chart.right - 1), y), 10) << c.tilt << " " << c.zone;
        EXPECT_NE(AtLogical(std::min(x, chart.right - 1), y - 8), 10) << c.tilt << " " << c.zone;
        // The thick pen never spills beside or below the chart.
        EXPECT_EQ(Count(R(chart.left - 6, chart.top, chart.left, chart.bottom + 6), 10), 0);
        EXPECT_EQ(Count(R(chart.right, chart.top, chart.right + 6, chart.bottom + 6), 10), 0);
        EXPECT_EQ(Count(R(chart.left, chart.bottom, chart.right, chart.bottom + 6), 10), 0);
    }
}

TEST_F(ZonesTest, TiltButtonsRedrawTheGlobeOnlyWhenTheTiltChanges) {
    Start();
    std::vector<uint8_t> before, afterSame, afterLarge;
    double tiltAfterSame = 0, tiltAfterLarge = 0;
    int selectedLarge = 0, selectedNormal = 1;
    const int result = RunZones([&](long n) {
        if (n == 0) {
            before = Pixels(Globe());
            ClickControl(gZones.tiltButtons[1]);  // Normal, already selected
        } else if (n == 1) {
            afterSame = Pixels(Globe());
            tiltAfterSame = gZones.zoneTilt;
            ClickControl(gZones.tiltButtons[2]);  // Large
        } else if (n == 2) {
            afterLarge = Pixels(Globe());
            tiltAfterLarge = gZones.zoneTilt;
            selectedLarge = gZones.tiltButtons[2]->selected;
            selectedNormal = gZones.tiltButtons[1]->selected;
            ClickControl(gZones.returnButton);
        }
        return n < 3;
    });
    EXPECT_EQ(result, 8);
    EXPECT_TRUE(before == afterSame);
    EXPECT_EQ(tiltAfterSame, EarthNormalTilt);
    EXPECT_FALSE(before == afterLarge);
    EXPECT_EQ(tiltAfterLarge, -40);
    EXPECT_EQ(selectedLarge, 1);
    EXPECT_EQ(selectedNormal, 0);
    EXPECT_EQ(Settings().axisTilt, EarthNormalTilt);  // the model's tilt is never touched
}

TEST_F(ZonesTest, AZoneClickChangesOnlyPaletteSlots240To244AndNotTheGlobe) {
    Start();
    PaletteEntry palette[256];
    std::vector<uint8_t> globeBefore, globeAfter;
    int zone = -1, style = 0, accent = -1;
    PaletteEntry paletteAfter[256];
    RunZones([&](long n) {
        if (n == 0) {
            std::memcpy(palette, gDisplay.paletteCopy, sizeof palette);
            globeBefore = Pixels(Globe());
            ClickAxis(0);  // the Tropical zone
        } else if (n == 1) {
            std::memcpy(paletteAfter, gDisplay.paletteCopy, sizeof paletteAfter);
            globeAfter = Pixels(Globe());
            zone = gZones.selectedZone;
            style = gZones.styleCounter;
            accent = AtLogical(42, 64 + 70 + 10);
        }
        return n < 2;
    });
    EXPECT_EQ(zone, kZoneTropical);
    EXPECT_TRUE(globeBefore == globeAfter);
    for (int slot = 0; slot < 256; ++slot) {
        if (slot >= kZoneSlotFirst && slot < kZoneSlotFirst + kZoneCount) continue;
        EXPECT_EQ(std::memcmp(&palette[slot], &paletteAfter[slot], sizeof palette[slot]), 0)
            << "slot " << slot;
    }
    const PaletteEntry& tropical = paletteAfter[kZoneSlotFirst + kZoneTropical];
    const PaletteEntry& temperate = paletteAfter[kZoneSlotFirst + kZoneNorthTemperate];
    EXPECT_EQ(tropical.r * 65536 + tropical.g * 256 + tropical.b, 0xFFFF00);
    EXPECT_EQ(temperate.r * 65536 + temperate.g * 256 + temperate.b, 0x008D8C);
    // Shown first with style 1, then with 3: the counter stands at 5, the card shows 3.
    EXPECT_EQ(style, 5);
    EXPECT_EQ(accent, TextBlockAccentSlot(3));
}

TEST_F(ZonesTest, HoverOverAZoneNamesItWithTheClickableCursor) {
    Start();
    std::string overTropical, offDisc, overPolar;
    int cursorOver = 0, cursorOff = 0;
    auto help = [] { return std::string(HelpLine()->label); };
    RunZones([&](long n) {
        if (n == 0) PointerTo(325, 439);
        if (n == 1) {
            overTropical = help();
            cursorOver = CurrentCursorShape();
            PointerTo(155, 270);  // a corner of the picture, off the disc
        }
        if (n == 2) {
            offDisc = help();
            cursorOff = CurrentCursorShape();
            ClickAxis(ZoneMiddle(kZoneNorthPolar, gZones.zoneTilt));
        }
        if (n == 3) overPolar = help();
        return n < 4;
    });
    EXPECT_EQ(overTropical, "Click here to see the solar energy chart for the Tropical zone.");
    EXPECT_EQ(cursorOver, 3);
    EXPECT_EQ(offDisc, "This shows important latitudes and zones on the Earth.");
    EXPECT_EQ(cursorOff, 1);
    EXPECT_EQ(overPolar, "Click here to see the solar energy chart for the North Polar zone.");
}

TEST_F(ZonesTest, EveryWayOutFreesTheRegionsBuffersAndFonts) {
    Start();
    struct Exit {
        const char* name;
        std::function<void()> act;
        int result;
    } exits[] = {
        {"return button", [] { ClickControl(gZones.returnButton); }, 8},
        {"Change Tilt", [] { ClickControl(gNavBar.changeTiltButton); }, 2},
        {"Select Latitudes", [] { ClickControl(gNavBar.selectLatitudesButton); }, 8},
        {"Exit", [] { ClickControl(gNavBar.exitButton); }, 2001},
        {"display lost",
         [] {
             gPlatform.displayLost = true;
             PointerTo(700, 700);
         },
         -kLatitudeZonesScreenId},
        {"window closed", nullptr, 2000},  // last: a closed window ends every later run
    };
    for (const Exit& e : exits) {
        bool heldWhileRunning = false;
        const int result = RunZones([&](long n) {
            if (n > 0 || !e.act) return false;
            heldWhileRunning = gZones.globeRegion && gZones.coastSegments && gZones.panel;
            e.act();
            return true;
        });
        EXPECT_EQ(result, e.result) << e.name;
        EXPECT_TRUE(heldWhileRunning || !e.act) << e.name;
        EXPECT_TRUE(AllFreed()) << e.name;
    }
}

}  // namespace
