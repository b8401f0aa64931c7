// The orbit shape and solar energy screen: the orbit, glow and readout of each shape, the
// energy chart's bands and curve, and the cross-hair that never leaves a trace.
#include <cmath>
#include <cstdio>
#include <string>

#include "explain_fixture.h"
#include "graphics/palette.h"
#include "graphics/present.h"

namespace {

using OrbitEnergy = ExplainTest;

const ScreenRect kPictureArea = ScreenTest::R(250, 284, 530, 594);
const ScreenRect kChartArea = ScreenTest::R(590, 264, 970, 614);

std::string Readout(double dist) {
    char text[16];
    std::snprintf(text, sizeof text, "%3.0f", dist * 149.6);
    return text;
}

TEST_F(OrbitEnergy, EachShapeHasItsOrbitReadoutAndGlow) {
    Start();
    struct Case {
        double shape;
        const char* nearest;   // the readout at perihelion ...
        const char* farthest;  // ... and at aphelion
        RGB glow;              // the Earth's colour at perihelion
        bool earthNormalShown;
    };
    const Case cases[] = {
        {0, "150", "150", {223, 111, 55}, false},
        {EarthNormalShape, "147", "153", {232, 116, 58}, false},
        {0.25, "112", "187", {255, 198, 99}, true},
        {0.5, " 75", "224", {255, 255, 223}, true},
    };
    OrbitEnergyState& s = gOrbitEnergy;
    for (const Case& c : cases) {
        s.shape = c.shape;
        DrawOrbitEnergyPicture();
        std::string low = Readout(s.dist[0]), high = low;
        for (double d : s.dist) {
            low = std::min(low, Readout(d));
            high = std::max(high, Readout(d));
        }
        EXPECT_EQ(low, c.nearest) << c.shape;
        EXPECT_EQ(high, c.farthest) << c.shape;
        EXPECT_EQ(Count(kPictureArea, 3) > 0, c.earthNormalShown) << c.shape;

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

}  // namespace
