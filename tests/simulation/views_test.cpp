// SPDX-License-Identifier: GPL-3.0-or-later
// The colour ramps, the value-to-colour rule and the turning globe's geometry.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <vector>

#include "graphics/display.h"
#include "model/model.h"
#include "settings/coast.h"
#include "simulation/earth_views.h"
#include "simulation/simulation_state.h"

namespace {

struct ViewsTest : ::testing::Test {
    static void Reset() {
        ResetModelState();
        ResetSimulationState();
        ResetDisplayState();
    }
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
};

TEST_F(ViewsTest, RampsJoinWhereLaterStepsOverwriteTheEndsOfEarlierOnes) {
    LoadViewPalette();
    // Slot and colour: cyan and green are not the (25, 257, 229) and (25, 229, -3) their steps
    // would give, 106 the dull red rather than the red ramp's tenth step; energy starts black.
    const int entries[][4] = {
        {58, 89, 89, 165},   {65, 35, 35, 219},   {66, 25, 25, 229},  {74, 25, 229, 229},
        {82, 25, 229, 25},   {90, 229, 229, 25},  {98, 229, 25, 25},  {106, 153, 102, 102},
        {107, 0, 0, 0},      {131, 255, 170, 85}, {155, 255, 255, 173}, {156, 0, 0, 0},
        {180, 126, 126, 126}, {204, 253, 253, 253}};
    for (const auto& e : entries) {
        const PaletteEntry& p = gDisplay.paletteCopy[e[0]];
        EXPECT_EQ((std::vector<int>{p.r, p.g, p.b}), (std::vector<int>{e[1], e[2], e[3]}))
            << "slot " << e[0];
    }
    // Applied to the display palette as one range.
    EXPECT_EQ(gDisplay.shown[131].g, 170);
    EXPECT_EQ(gDisplay.shown[204].r, 253);
}

int Energy(double watts) { return EnergySlot(int(watts)); }
int Daylight(double minutes) { return DaylightSlot(int(minutes)); }

TEST_F(ViewsTest, EachViewMapsItsValuesOntoItsRampAndLatitudesIntoBands) {
    const struct {
        int (*slot)(double);
        double value;
        int want;
    } cases[] = {
        // Temperature: 0 C is slot 74; the ramp is limited at both ends.
        {TemperatureSlot, 273, 74}, {TemperatureSlot, 244, 58}, {TemperatureSlot, 150, 58},
        {TemperatureSlot, 329, 106}, {TemperatureSlot, 1e9, 106}, {TemperatureSlot, NAN, 58},
        // Energy: 0, 600 and 1200 W per square metre and beyond.
        {Energy, 0, 107}, {Energy, 600, 131}, {Energy, 1200, 155},
        {Energy, 5000, 155}, {Energy, -40, 107},
        // Daylight in half hours, rounded: none, 12 hours, polar day.
        {Daylight, 0, 156}, {Daylight, 720, 180}, {Daylight, 1440, 204},
        {Daylight, 14, 156}, {Daylight, 16, 157},
        // Distance: the mean distance is the middle of the energy ramp.
        {DistanceSlot, 1.0, 131}, {DistanceSlot, 0.98, 130},
        // Ten-degree bands; -90 would be band 18, past the last.
        {BandOfLatitude, 90, 0}, {BandOfLatitude, 81, 0}, {BandOfLatitude, 80, 1},
        {BandOfLatitude, 0, 9}, {BandOfLatitude, -1, 9}, {BandOfLatitude, -80, 17},
        {BandOfLatitude, -90, 17}, {BandOfLatitude, NAN, 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].slot(cases[i].value), cases[i].want) << "case " << i;
}

TEST_F(ViewsTest, ViewColourReadsTheBandForTheCurrentViewAndDay) {
    // Each view reads its own table: only band 3 on day 200 holds a value off the ramp's end.
    YearSeries& y = Series();
    y.bandTemperature[3] = 273;
    y.bandEnergy[3][StepOfDay(200)] = 600;
    y.bandDaylightMinutes[3][StepOfDay(200)] = 1440;
    y.orbitDistance[200] = 1.0;
    gSim.day = 200;
    const int expected[][2] = {{kViewTemperature, 74}, {kViewEnergy, 131}, {kViewDaylight, 204}};
    for (const auto& e : expected) {
        Settings().earthView = e[0];
        EXPECT_EQ(ViewColour(3), e[1]) << e[0];
    }
    Settings().earthView = kViewDistance;
    EXPECT_EQ(ViewColour(17), 131);  // the same for every band
    // Days and bands outside the tables are held at their ends, never read past them.
    gSim.day = 100000;
    Settings().earthView = kViewEnergy;
    EXPECT_GE(ViewColour(-5), 107);
    EXPECT_LE(ViewColour(99), 155);
}

TEST_F(ViewsTest, GlobeChordsRunNorthToSouthAlongTheTiltedAxis) {
    GlobeChord c[kGlobeChords];
    MakeGlobeChords(0, c);
    EXPECT_EQ(c[0].latitude, 90);
    EXPECT_EQ(c[13].latitude, 0);
    EXPECT_EQ(c[12].latitude, 4);   // rounding toward zero below the equator:
    EXPECT_EQ(c[14].latitude, -3);  // the chords are not symmetric
    EXPECT_EQ(c[25].latitude, -66);
    // Untilted: horizontal chords 5 pixels apart, the full width of the globe.
    // The first at trunc(-64 + 0.5).
    EXPECT_EQ((std::vector<int>{c[0].y0, c[0].y1, c[1].y0, c[0].x0, c[0].x1}),
              (std::vector<int>{-63, -63, -58, 64, -64}));

    // Earth Normal: the north end of the axis leans to the left (screen y grows downward).
    MakeGlobeChords(EarthNormalTilt, c);
    EXPECT_LT((c[0].x0 + c[0].x1) / 2, 0);
    EXPECT_LT((c[0].y0 + c[0].y1) / 2, 0);
    EXPECT_GT((c[25].x0 + c[25].x1) / 2, 0);
}

TEST_F(ViewsTest, CoastlineShowsOnlyItsNearSideAndBreaksWhereALineStarts) {
    CoastPoints points{};
    // A short line along the equator, facing the viewer in phase 0, then a new line.
    const float lons[] = {-80, -90, -100, 60, 70};
    const int codes[] = {1000, 1, 1, 1000, 1};
    points.count = 5;
    for (int i = 0; i < 5; ++i) {
        points.code[i] = codes[i];
        points.latitude[i] = 0;
        points.longitude[i] = lons[i];
    }
    static GlobeSegments phases[kGlobePhases];
    ProjectCoastline(points, 0, phases);
    // Phase 0: longitudes -80..-100 face the viewer (sin of the reversed longitude >= 0),
    // 60..70 are behind the globe; no segment joins -100 to 60.
    ASSERT_EQ(phases[0].count, 2);
    EXPECT_EQ(phases[0].y0[0], 64);
    EXPECT_EQ(phases[0].y1[1], 64);
    for (int i = 0; i < phases[0].count; ++i) {
        EXPECT_GE(phases[0].x0[i], 0);
        EXPECT_LE(phases[0].x0[i], 128);
    }
    // Twelve phases (180 degrees) later the other side faces the viewer.
    EXPECT_EQ(phases[12].count, 1);

    // Nothing to project: no segments, whatever the phase.
    CoastPoints none{};
    ProjectCoastline(none, EarthNormalTilt, phases);
    for (int r = 0; r < kGlobePhases; ++r) EXPECT_EQ(phases[r].count, 0);
}

}  // namespace
