// SPDX-License-Identifier: GPL-3.0-or-later
// The two tilt screens, sunlight intensity and day length: each picture drawn alone, and the
// beams cycling as the screen runs. Their figures, boxes and choices are checked by the
// tilt_intensity and tilt_day_length replays, their ways out in ways_out_test.cpp.
#include <cmath>
#include <vector>

#include "explain/tilt_day_length_screen.h"
#include "explain/tilt_intensity_screen.h"
#include "graphics/palette.h"
#include "tests/explain/explain_fixture.h"
#include "widgets/ui_resources.h"

namespace {

struct TiltIntensityTest : ScreenTest {
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

// Each choice's noon figures, sky words, hours and box: the tilt_intensity and tilt_day_length
// replays. Here the sky words beyond the range and the hours unrounded.
TEST(TiltFigures, SkyWordsBeyondTheRangeAndHoursUnrounded) {
    EXPECT_STREQ(SkyWord(-5), "very low in the sky");
    EXPECT_STREQ(SkyWord(5000), "nearly overhead");
    EXPECT_NEAR(DayLengthFor(-23.5, 45, kDayWinterId), 8.5635, 1e-4);
    EXPECT_NEAR(DayLengthFor(-40, 45, kDayWinterId), 4.3940, 1e-4);
}

TEST_F(TiltIntensityTest, DiagramShowsGlobeBeamsAndFootprintsInTheirSlots) {
    Start();
    struct Case { double tilt; int season; int northGrey, southGrey; };
    const Case cases[] = {{-23.5, kIntensityWinter, 132, 248}, {-40, kIntensitySummer, 252, 65},
                          {0, kIntensitySummer, 207, 207}};
    TiltIntensityState& s = gTiltIntensity;
    s.diagram = Rect(250, 184, 1004, 718);
    s.disc = IntensityDiscRect(s.diagram);
    EXPECT_EQ((std::vector<int>{s.disc.left, s.disc.top, s.disc.right, s.disc.bottom}),
              (std::vector<int>{350, 259, 734, 643}));
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

// The choices, the box's colours and repeats that change nothing: the tilt_intensity replay.
TEST_F(TiltIntensityTest, IdleStepsCycleTheBeams) {
    Start();
    PlatformColour beams[kBeamSlots];
    int phase = -1;
    DriveScreen(RunTiltIntensityScreen, [&](long n) {
        if (n < 3) return true;
        for (int i = 0; i < kBeamSlots; ++i) beams[i] = PaletteColour(kBeamFirstSlot + i);
        phase = gTiltIntensity.beamPhase;
        return false;
    });
    EXPECT_EQ(phase, 3);
    for (int i = 0; i < kBeamSlots; ++i) {
        EXPECT_EQ(beams[i].r, beams[i].g);
        EXPECT_EQ(beams[i].b, 0);
        EXPECT_GE(beams[i].r, 132);
        EXPECT_LE(beams[i].r, 252);
    }
    EXPECT_EQ(beams[0].r, int(192 + 60 * std::sin(2 * 0.26179916666666664)));
}

// The day length screen.

struct TiltDayLengthTest : ScreenTest {
    // A picture's pixel at a point of its own 320 x 320 square.
    static int PoleAt(int x, int y) { return AtLogical(270 + x, 244 + y); }
    static int ClockAt(int x, int y) { return AtLogical(650 + x, 244 + y); }
    // The clock's pixel at a radius and an angle (degrees clockwise from Midnight at the top).
    static int ClockRim(int radius, double degrees) {
        const double a = degrees * 0.017453292519943295;
        return ClockAt(160 + int(radius * std::sin(a)), 160 - int(radius * std::cos(a)));
    }
};

TEST_F(TiltDayLengthTest, PicturesLightTheClockForTheDayAndShadeThePolarRegion) {
    Start();
    TiltDayLengthState& s = gTiltDayLength;
    ASSERT_TRUE(CreateBuffer(Rect(0, 0, 320, 320), 2, s.buffer));
    s.poleArea = Rect(270, 244, 590, 564);
    s.clockArea = Rect(650, 244, 970, 564);
    ComputePoleFrames(CoastOutline{});  // no coastline in the way of the checks
    enum { kDay = kDaylightSlot, kNight = kNightSlot };
    // Clock slots at radius 80 (noon at the bottom, midnight at the top, the 9 pm side), and
    // the pole view beside the Pole on the day side.
    struct Case { double tilt; int latitude, season, noon, midnight, evening, nearPole; };
    const Case cases[] = {
        {-23.5, 75, kDayWinterId, kNight, kNight, kNight, kNight},
        {-23.5, 75, kDaySummerId, kDay, kDay, kDay, kDay},
        {-23.5, 45, kDayWinterId, kDay, kNight, kNight, kNight},
        {-40, 0, kDayWinterId, kDay, kNight, kNight, kNight},
        {0, 45, kDayWinterId, kDay, kNight, kNight, kDay},
        {-23.5, 45, kDaySpringId, kDay, kNight, kNight, kDay},
    };
    for (const Case& c : cases) {
        s.screenTilt = c.tilt;
        s.dayLatitude = c.latitude;
        s.seasonId = c.season;
        DrawDaylightText();
        DrawPoleView(0);
        DrawDayClock(0);
        EXPECT_EQ((std::vector<int>{ClockRim(80, 180), ClockRim(80, 0), ClockRim(80, 300),
                                    ClockRim(100, 22.5), PoleAt(200, 100)}),
                  (std::vector<int>{c.noon, c.midnight, c.evening, c.midnight, c.nearPole}))
            << c.tilt << " " << c.latitude << " " << c.season;
        EXPECT_EQ(PoleAt(40, 160), kNight);  // the night half
        EXPECT_EQ(PoleAt(3, 3), 0);          // outside the disc
        EXPECT_EQ(AtLogical(655, 590), kNightSlot);  // behind the daylight text
    }
    // At step 0 the hand points to 6 am and the marker rides just before dawn; the clock
    // fills the picture's whole disc (radius 160), and the hand stops short of its rim.
    EXPECT_EQ(ClockRim(100, 90), 12);
    EXPECT_EQ(ClockRim(100, 87), 4);
    for (const double a : {0.0, 45.0, 90.0, 180.0, 270.0, 315.0}) {
        const int rim = ClockRim(157, a);
        EXPECT_TRUE(rim == kDay || rim == kNight) << a << " gave " << rim;
    }
    EXPECT_NE(ClockRim(154, 90), 12);
    EXPECT_NE(ClockRim(154, 90), 4);
    EXPECT_EQ(PoleAt(151, 265), 12);
    // Half a day later both have turned half round.
    DrawPoleView(24);
    DrawDayClock(24);
    EXPECT_EQ(ClockRim(100, 270), 12);
    EXPECT_EQ(PoleAt(160 + 9, 160 - 105), 12);
    // On the equator the marker rides on the rim, shown whole.
    s.dayLatitude = 0;
    DrawPoleView(0);
    EXPECT_EQ(PoleAt(147, 309), 12);
    EXPECT_EQ(PoleAt(147, 314), 4);
    ReleaseBuffer(s.buffer);
}

// The choices, the box's colours, the clock's frame and repeats that change nothing: the
// tilt_day_length replay.

}  // namespace
