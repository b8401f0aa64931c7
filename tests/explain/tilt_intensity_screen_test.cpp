// The tilt and sunlight intensity screen: its figures for every choice, the diagram drawn
// alone, and the screen run through its loop on the headless backend.
#include <cmath>
#include <vector>

#include "explain/tilt_intensity_screen.h"
#include "graphics/palette.h"
#include "tests/explain/explain_fixture.h"
#include "widgets/ui_resources.h"

namespace {

struct TiltIntensityTest : ScreenTest {
    static int Run(std::function<bool(long)> drive) {
        return DriveScreen(RunTiltIntensityScreen, std::move(drive));
    }
    // The middle of a footprint on the screen, a few units above its centre so that the
    // 35-degree line through it does not hide it.
    static void FootprintPoint(const IntensityView& v, int which, int& x, int& y) {
        const ScreenRect& disc = gTiltIntensity.disc;
        const double f = (disc.right - disc.left) * 0.0005;
        double sx = 0, sy = 0;
        for (int i = 0; i < kFootprintPoints; ++i) {
            sx += v.footX[which * kFootprintPoints + i] * f + disc.left;
            sy += v.footY[which * kFootprintPoints + i] * f + disc.top;
        }
        x = int(sx / kFootprintPoints);
        y = int(sy / kFootprintPoints) - 6;
    }
};

TEST(TiltIntensityFigures, NoonWattsSkyWordsAndBoxForEveryChoice) {
    struct Case {
        double tilt;
        int season;
        int north, south;
        const char* northWord;
        const char* southWord;
        const char* title;
    };
    const Case cases[] = {
        {0, kIntensityWinter, 1146, 1146, "high in the sky", "high in the sky",
         "Earth Not Tilted:"},
        {0, kIntensitySummer, 1146, 1146, "high in the sky", "high in the sky",
         "Earth Not Tilted:"},
        {-23.5, kIntensityWinter, 731, 1371, "low in the sky", "nearly overhead",
         "Normal Tilt, Northern Hemisphere Winter:"},
        {-23.5, kIntensitySummer, 1371, 731, "nearly overhead", "low in the sky",
         "Normal Tilt, Northern Hemisphere Summer:"},
        {-40, kIntensityWinter, 362, 1394, "very low in the sky", "nearly overhead",
         "Large Tilt, Northern Hemisphere Winter:"},
        {-40, kIntensitySummer, 1394, 362, "nearly overhead", "very low in the sky",
         "Large Tilt, Northern Hemisphere Summer:"},
    };
    for (const Case& c : cases) {
        int north = 0, south = 0;
        NoonIntensities(c.tilt, c.season, north, south);
        EXPECT_EQ(north, c.north) << c.tilt << " " << c.season;
        EXPECT_EQ(south, c.south) << c.tilt << " " << c.season;
        EXPECT_STREQ(SkyWord(north), c.northWord);
        EXPECT_STREQ(SkyWord(south), c.southWord);
        EXPECT_STREQ(IntensityExplanation(c.tilt, c.season).title, c.title);
    }
    EXPECT_STREQ(SkyWord(-5), "very low in the sky");  // out of range stays a word
    EXPECT_STREQ(SkyWord(5000), "nearly overhead");
}

TEST_F(TiltIntensityTest, DiagramShowsGlobeBeamsAndFootprintsInTheirSlots) {
    Start();
    struct Case {
        double tilt;
        int season;
        int northGrey, southGrey;
    };
    const Case cases[] = {{-23.5, kIntensityWinter, 132, 248},
                          {-40, kIntensitySummer, 252, 65},
                          {0, kIntensitySummer, 207, 207}};
    TiltIntensityState& s = gTiltIntensity;
    s.diagram = R(250, 184, 1004, 718);
    s.disc = IntensityDiscRect(s.diagram);
    EXPECT_EQ(s.disc.left, 350);
    EXPECT_EQ(s.disc.top, 259);
    EXPECT_EQ(s.disc.right, 734);
    EXPECT_EQ(s.disc.bottom, 643);
    const CoastOutline none{};  // no coastline in the way of the checks
    for (const Case& c : cases) {
        s.screenTilt = c.tilt;
        s.season = c.season;
        IntensityView& v = c.season == kIntensitySummer ? s.summerView : s.winterView;
        ProjectIntensityView(none, c.tilt, c.season, v);
        DrawIntensityDiagram();
        EXPECT_EQ(PaletteColour(kNorthFootprintSlot).r, c.northGrey) << c.tilt;
        EXPECT_EQ(PaletteColour(kSouthFootprintSlot).g, c.southGrey) << c.tilt;
        int x = 0, y = 0;
        FootprintPoint(v, 0, x, y);
        EXPECT_EQ(AtLogical(x, y), kNorthFootprintSlot) << c.tilt;
        const int beam = AtLogical(1000, y + 6);
        EXPECT_GE(beam, kBeamFirstSlot) << c.tilt;
        EXPECT_LT(beam, kBeamFirstSlot + kBeamSlots) << c.tilt;
        FootprintPoint(v, 1, x, y);
        EXPECT_EQ(AtLogical(x, y), kSouthFootprintSlot) << c.tilt;
        EXPECT_EQ(AtLogical(400, 330), 1);  // the night side
        EXPECT_EQ(AtLogical(560, 420), 9);  // the day side, above the equator
        EXPECT_EQ(AtLogical(255, 700), 0);  // the sky
    }
    // The axis stands upright without tilt and passes out of the globe at the top.
    EXPECT_EQ(AtLogical(542, 250), 255);
}

// Checked as the screen runs, one step per idle turn.
TEST_F(TiltIntensityTest, ChoicesRedrawWithTheNextBoxColourAndRepeatsChangeNothing) {
    Start();
    std::vector<int> before;
    const ScreenRect diagram = R(250, 184, 1004, 718);
    const int result = Run([&](long n) {
        TiltIntensityState& s = gTiltIntensity;
        switch (n) {
        case 0:  // Normal tilt and winter to start with, in the first box colour
            EXPECT_TRUE(s.tiltButtons[0]->selected && s.seasonButtons[0]->selected);
            EXPECT_EQ(AtLogical(45, 80), 1);
            ClickControl(s.seasonButtons[1]);
            break;
        case 1:
            EXPECT_EQ(AtLogical(45, 80), 3);
            before = Pixels(diagram);
            ClickControl(s.seasonButtons[1]);  // already on
            break;
        case 2:
            EXPECT_TRUE(before == Pixels(diagram));
            EXPECT_EQ(s.box.slot, 5);
            EXPECT_EQ(s.seasonButtons[1]->selected, 1);
            ClickControl(s.seasonButtons[0]);
            break;
        case 3:
            EXPECT_EQ(AtLogical(45, 80), 5);
            ClickControl(s.tiltButtons[0]);
            break;
        case 4: ClickControl(gNavBar.changeShapeButton); break;
        }
        return n < 5;
    });
    EXPECT_EQ(result, 5);
    EXPECT_EQ(gTiltIntensity.box.slot, 2);  // the colours go on from the last run...
    Run([&](long n) {
        if (n == 0) {
            EXPECT_EQ(AtLogical(45, 80), 2);  // ...into the next
        }
        return n < 1;
    });
    EXPECT_EQ(gTiltIntensity.screenTilt, -23.5);
}

TEST_F(TiltIntensityTest, IdleStepsCycleTheBeamsAndTheScreenLeavesAsAsked) {
    Start();
    PlatformColour beams[kBeamSlots];
    int phase = -1;
    int result = Run([&](long n) {
        if (n < 3) return true;
        if (n > 3) return false;
        for (int i = 0; i < kBeamSlots; ++i) beams[i] = PaletteColour(kBeamFirstSlot + i);
        phase = gTiltIntensity.beamPhase;
        Click(125, 599);  // "Return to@Tilt Screen"
        return true;
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(phase, 3);
    for (int i = 0; i < kBeamSlots; ++i) {
        EXPECT_EQ(beams[i].r, beams[i].g);
        EXPECT_EQ(beams[i].b, 0);
        EXPECT_GE(beams[i].r, 132);
        EXPECT_LE(beams[i].r, 252);
    }
    EXPECT_EQ(beams[0].r, int(192 + 60 * std::sin(2 * 0.26179916666666664)));

    result = Run([&](long n) {
        if (n > 0) return false;
        gPlatform.displayLost = true;
        PostInput(MessageKind::MouseMove, 10, 400);
        return true;
    });
    EXPECT_EQ(result, -3);
}

}  // namespace
