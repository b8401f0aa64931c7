// SPDX-License-Identifier: GPL-3.0-or-later
// The two orbit-shape screens: the solar energy screen's orbit, glow, chart and cross-hair
// that never leaves a trace; the season length screen's turning points, dates, season
// lengths, speeds and picture. What they share (the shape buttons and the message boxes'
// colours) is the screens2_shape_boxes replay's; their ways out are in ways_out_test.cpp.
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "explain_fixture.h"
#include "graphics/palette.h"
#include "graphics/present.h"

namespace {

using OrbitEnergy = ExplainTest;
using SeasonLength = ExplainTest;

// The solar energy screen.

const ScreenRect kPictureArea = Rect(250, 284, 530, 594);
const ScreenRect kChartArea = Rect(590, 264, 970, 614);

// The distance readout's range and the comparison orbit beside each shape: the orbit_energy
// replay.
TEST_F(OrbitEnergy, EachShapeHasItsOrbitAndGlow) {
    Start();
    const struct { double shape; RGB glow; } cases[] = {  // glow: the Earth at perihelion
        {0, {223, 111, 55}}, {EarthNormalShape, {232, 116, 58}}, {0.25, {255, 198, 99}},
        {0.5, {255, 255, 223}}};
    OrbitEnergyState& s = gOrbitEnergy;
    for (const auto& c : cases) {
        s.shape = c.shape;
        DrawOrbitEnergyPicture();
        RunOrbitEnergyFrame();  // step 0: perihelion
        EXPECT_EQ(Rgb(PaletteColour(kGlowSlot)), c.glow) << c.shape;
        EXPECT_EQ(AtLogical(s.track.trackX[0], s.track.trackY[0]), kGlowSlot) << c.shape;
        EXPECT_EQ(AtLogical(kPictureArea.left + 30, kPictureArea.top + 150), 0);
    }
    // Aphelion of the very elliptical orbit: the faintest glow.
    RGB faintest;
    GlowColour(1.5, faintest.data());
    EXPECT_EQ(faintest, (RGB{99, 49, 24}));

    // A circle lies round the Sun at its centre.
    s.shape = 0;
    DrawOrbitEnergyPicture();
    for (int k = 0; k < kYearSteps; k += 10)
        EXPECT_NEAR(std::hypot(s.track.trackX[k] - 390, s.track.trackY[k] - 439), 105, 1) << k;
    EXPECT_EQ(AtLogical(390, 439), 14);
}

TEST_F(OrbitEnergy, ChartBandsCurveAndACrossHairThatLeavesNoTrace) {
    Start();
    std::vector<int> clean;
    RGB bands{};
    int curve = -1, erased[2] = {-1, -1}, shown = 0;
    PlatformColour palest, sixth;
    DriveScreen(RunOrbitEnergyScreen, [&](long n) {
        if (n == 0) {
            clean = Pixels(kChartArea);  // no frame has run yet
            int x = 0, y = 0;
            EnergyChartPoint(100 / 92.9, x, y);
            curve = AtLogical(x, y);
            const int energies[3] = {25, 625, 1175};  // the middles of bands 0, 12 and 23
            for (int i = 0; i < 3; ++i)
                bands[i] = AtLogical(700, int(614 - 350 * energies[i] / 1200.0));
            palest = PaletteColour(158);
            sixth = PaletteColour(135);
        }
        // A whole orbit of frames, then the very elliptical shape and a few more.
        if (n == 360 || n == 370) {
            const int i = n == 360 ? 0 : 1;
            const OrbitEnergyState& s = gOrbitEnergy;
            shown = Differences(clean, Pixels(kChartArea));  // the cross-hair is there
            BeginDrawing();
            ToggleCrossHair(s.crossX, s.crossY);
            erased[i] = Differences(clean, Pixels(kChartArea));
            ToggleCrossHair(s.crossX, s.crossY);
            EndDrawing();
            if (n == 360) ClickControl(s.controls.shapeButtons[3]);
        }
        return n < 370;
    });
    EXPECT_EQ(curve, 0);
    EXPECT_EQ(bands, (RGB{129, 141, 152}));
    EXPECT_EQ(Rgb(palest), (RGB{255, 255, 246}));
    EXPECT_EQ(Rgb(sixth), (RGB{204, 102, 51}));
    EXPECT_GT(shown, 0);
    EXPECT_EQ(erased[0], 0);
    EXPECT_EQ(erased[1], 0);
}

// The season length screen.

const ScreenRect kPicture = Rect(250, 184, 1000, 684);

std::string Date(int day) {
    char text[32];
    FormatSeasonDate(day, text, sizeof text);
    return text;
}

TEST(SeasonCalendar, EachShapesTurningPointsDaysAndSeasonLengths) {
    struct Case {
        double shape;
        int steps[4];    // winter, spring, summer, fall
        int days[4];
        int lengths[4];  // winter, spring, summer, fall
        const char* speeds;  // slowest and fastest readout, km/second
    };
    const Case cases[] = {
        {0, {349, 79, 169, 259}, {354, 80, 171, 263}, {91, 91, 92, 91}, "30 30"},
        {EarthNormalShape, {350, 75, 168, 262}, {354, 77, 171, 265}, {88, 94, 94, 89}, "30 31"},
        {0.25, {355, 40, 159, 303}, {359, 42, 162, 306}, {48, 120, 144, 53}, "25 41"},
        {0.5, {358, 17, 132, 335}, {362, 18, 135, 339}, {21, 117, 204, 23}, "17 62"},
    };
    for (const Case& c : cases) {
        SeasonOrbit o;
        ComputeSeasonOrbit(c.shape, kPicture, o);
        int lengths[4];
        SeasonLengths(o, lengths);
        int sum = 0;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(o.pointStep[i], c.steps[i]) << c.shape << " point " << i;
            EXPECT_EQ(o.pointDay[i], c.days[i]) << c.shape << " point " << i;
            EXPECT_EQ(lengths[i], c.lengths[i]) << c.shape << " season " << i;
            sum += lengths[i];
        }
        EXPECT_EQ(sum, 365) << c.shape;
        double slow = 1e9, fast = 0;
        for (double v : o.speed) {
            slow = std::min(slow, v * 1.609344);
            fast = std::max(fast, v * 1.609344);
        }
        char speeds[32];
        std::snprintf(speeds, sizeof speeds, "%.0f %.0f", slow, fast);
        EXPECT_STREQ(speeds, c.speeds) << c.shape;
    }
    // A circle's Sun is at its centre.
    SeasonOrbit circle;
    ComputeSeasonOrbit(0, kPicture, circle);
    EXPECT_EQ(circle.sunX, 625);
    EXPECT_EQ(circle.ellipse.cy, 434);
}

TEST(SeasonCalendar, DatesCountFromTheMonthsFirstDays) {
    const struct { int day; const char* date; } cases[] = {
        {0, "January 1"},     {30, "January 31"},  {31, "February 1"}, {59, "March 1"},
        {80, "March 22"},     {171, "June 21"},    {263, "September 21"},
        {354, "December 21"}, {364, "December 31"},
        // Beyond the year the count goes on into the next or the last one.
        {365, "January 1"},   {-1, "December 31"}, {-365, "January 1"},
    };
    for (const auto& c : cases) EXPECT_EQ(Date(c.day), c.date) << c.day;
}

// The circular orbit: the Earth moving round at 30 km/second, the figure changing on steps 0,
// 4, 8, ... and whole in between. The sectors round the Sun, their labels and dates are the
// season_length replay's.
TEST_F(SeasonLength, TheEarthMovesRoundAndItsSpeedStaysWhole) {
    Start();
    std::vector<int> speedAt0;
    const ScreenRect speedBox = Rect(450, 659, 995, 679);
    int earth = -1, ink = 0, changed = -1;
    DriveScreen(RunSeasonLengthScreen, [&](long n) {
        if (n == 0) ClickControl(gSeasonLength.controls.shapeButtons[0]);
        if (n == 2) speedAt0 = Pixels(speedBox);  // after the frame of step 0
        if (n == 4) {
            const OrbitTrack& t = gSeasonLength.orbit.track;
            earth = AtLogical(t.trackX[3], t.trackY[3]);
            ink = Count(speedBox, 255);
            changed = Differences(speedAt0, Pixels(speedBox));
        }
        return n < 4;
    });
    EXPECT_EQ(earth, 11);
    EXPECT_GT(ink, 50);
    EXPECT_EQ(changed, 0);
}

}  // namespace
