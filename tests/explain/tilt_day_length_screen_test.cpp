// The tilt and day length screen: hours, texts and boxes for the choices, the two pictures
// drawn alone, and the screen run through its loop on the headless backend.
#include <cmath>
#include <cstring>
#include <utility>

#include "explain/explain_screen.h"
#include "explain/tilt_day_length_screen.h"
#include "tests/support/screen_driver.h"

namespace {

struct TiltDayLengthTest : ScreenTest {
    void Start(const ConfigRecord& record = Record()) {
        ResetTiltDayLengthState();
        StartScreenProgram("tilt_day_length_test", record, {"newcoast.txt"});
    }
    void TearDown() override {
        ScreenTest::TearDown();
        ResetTiltDayLengthState();
    }
    static int Run(std::function<bool(long)> drive) {
        return DriveScreen(RunTiltDayLengthScreen, std::move(drive));
    }
    // A picture's pixel at a point of its own 320 x 320 square.
    static int PoleAt(int x, int y) { return AtLogical(270 + x, 244 + y); }
    static int ClockAt(int x, int y) { return AtLogical(650 + x, 244 + y); }
    // The clock's pixel at a radius and an angle (degrees clockwise from Midnight at the top).
    static int ClockRim(int radius, double degrees) {
        const double a = degrees * 0.017453292519943295;
        return ClockAt(160 + int(radius * std::sin(a)), 160 - int(radius * std::cos(a)));
    }
};

TEST(TiltDayLengthFigures, HoursTextAndBoxForTheChoices) {
    struct Case {
        double tilt;
        int latitude;
        int season;
        const char* text;
        const char* title;
        const char* line2;  // null: not checked
    };
    const Case cases[] = {
        {-23.5, 45, kDayWinterId, "8.6 hours of daylight", "At middle latitudes:",
         "is strongly affected by both tilt and season."},
        {-23.5, 75, kDayWinterId, "No Sunshine", "Near the poles:",
         "there is no sunlight during the winter."},
        {-23.5, 75, kDaySummerId, "24.0 hours of daylight", "Near the poles:",
         "the Sun shines all day during the summer."},
        {-40, 45, kDayWinterId, "4.4 hours of daylight", "At middle latitudes:",
         "short during winter at middle latitudes."},
        {-40, 45, kDaySummerId, "19.6 hours of daylight", "At middle latitudes:",
         "long during summer at middle latitudes."},
        {-23.5, 30, kDaySummerId, "13.9 hours of daylight", "Near the equator:", nullptr},
        {-40, 75, kDaySpringId, "12.0 hours of daylight", "Earth at equinox:", nullptr},
        {-23.5, 45, kDayFallId, "12.0 hours of daylight", "Earth at equinox:", nullptr},
        {-40, 0, kDayWinterId, "12.0 hours of daylight", "At the equator:", nullptr},
        {-23.5, 0, kDaySummerId, "12.0 hours of daylight", "At the equator:", nullptr},
        {0, 75, kDayWinterId, "12.0 hours of daylight", "Earth not tilted:", nullptr},
        {0, 0, kDaySpringId, "12.0 hours of daylight", "Earth not tilted:", nullptr},
    };
    for (const Case& c : cases) {
        char text[64];
        DaylightText(DayLengthFor(c.tilt, c.latitude, c.season), text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.tilt << " " << c.latitude << " " << c.season;
        const ExplanationText& box = DayLengthExplanation(c.tilt, c.latitude, c.season);
        EXPECT_STREQ(box.title, c.title) << c.tilt << " " << c.latitude << " " << c.season;
        if (c.line2) {
            EXPECT_STREQ(box.line2, c.line2);
        }
    }
    EXPECT_NEAR(DayLengthFor(-23.5, 45, kDayWinterId), 8.5635, 1e-4);
    EXPECT_NEAR(DayLengthFor(-40, 45, kDayWinterId), 4.3940, 1e-4);
}

TEST_F(TiltDayLengthTest, PicturesLightTheClockForTheDayAndShadeThePolarRegion) {
    Start();
    TiltDayLengthState& s = gTiltDayLength;
    ASSERT_TRUE(CreateBuffer(R(0, 0, 320, 320), 2, s.buffer));
    s.poleArea = R(270, 244, 590, 564);
    s.clockArea = R(650, 244, 970, 564);
    ComputePoleFrames(CoastOutline{});  // no coastline in the way of the checks
    enum { kDay = kDaylightSlot, kNight = kNightSlot };
    struct Case {
        double tilt;
        int latitude;
        int season;
        int noon, midnight, evening;  // clock slots at radius 80: bottom, top, 9 pm side
        int nearPole;                  // the pole view beside the Pole on the day side
    };
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
        EXPECT_EQ(ClockRim(80, 180), c.noon) << c.tilt << " " << c.latitude;
        EXPECT_EQ(ClockRim(80, 0), c.midnight) << c.tilt << " " << c.latitude;
        EXPECT_EQ(ClockRim(80, 300), c.evening) << c.tilt << " " << c.latitude;
        EXPECT_EQ(ClockRim(100, 22.5), c.midnight) << c.tilt << " " << c.latitude;
        EXPECT_EQ(PoleAt(200, 100), c.nearPole) << c.tilt << " " << c.latitude;
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

TEST_F(TiltDayLengthTest, ChoicesRedrawTheBoxAndTheHoursAndRepeatsChangeNothing) {
    Start();
    int boxAtStart = -1, boxAfter75 = -1, counterAfterRepeat = -1;
    double hoursAtStart = -1, hoursAt75 = -1, hoursSummer = -1;
    int onAtStart[3] = {};
    const int result = Run([&](long n) {
        TiltDayLengthState& s = gTiltDayLength;
        switch (n) {
        case 0:
            boxAtStart = AtLogical(205, 80);
            hoursAtStart = s.daylightHours;
            // The round frame just outside the clock: light upper left, dark lower right.
            for (const auto& [degrees, slot] : {std::pair{315, kExplainPanelColour + 5},
                                                {135, kExplainPanelColour}}) {
                int frame = 0;
                for (int r = 160; r <= 166; ++r) frame += ClockRim(r, degrees) == slot;
                EXPECT_GE(frame, 2) << degrees;
            }
            onAtStart[0] = s.tiltButtons[1]->selected;
            onAtStart[1] = s.seasonButtons[0]->selected;
            onAtStart[2] = s.latitudeButtons[1]->selected;
            ClickControl(s.latitudeButtons[0]);  // 75 N
            break;
        case 1:
            boxAfter75 = AtLogical(205, 80);
            hoursAt75 = s.daylightHours;
            ClickControl(s.latitudeButtons[0]);  // already on
            break;
        case 2:
            counterAfterRepeat = s.box.slot;
            ClickControl(s.seasonButtons[2]);  // summer
            break;
        case 3:
            hoursSummer = s.daylightHours;
            Click(125, 649);  // "Return to@Tilt Screen"
            break;
        }
        return n < 4;
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(onAtStart[0], 1);
    EXPECT_EQ(onAtStart[1], 1);
    EXPECT_EQ(onAtStart[2], 1);
    EXPECT_EQ(boxAtStart, 1);
    EXPECT_NEAR(hoursAtStart, 8.56, 0.01);
    EXPECT_EQ(boxAfter75, 3);
    EXPECT_EQ(hoursAt75, 0);
    EXPECT_EQ(counterAfterRepeat, 5);
    EXPECT_NEAR(hoursSummer, 24, 1e-5);
    EXPECT_EQ(gTiltDayLength.box.slot, 2);  // the colour goes on into the next run
    EXPECT_EQ(gTiltDayLength.buffer.surface, nullptr);

    const int lost = Run([&](long n) {
        if (n > 0) return false;
        gPlatform.displayLost = true;
        PostInput(MessageKind::MouseMove, 10, 400);
        return true;
    });
    EXPECT_EQ(lost, -4);
}

TEST_F(TiltDayLengthTest, SingleCycleModeEndsAfterOneDay) {
    ConfigRecord r = Record();
    r.singleCycleMode = 1;
    r.dayLengthDelay = 60;
    Start(r);
    long feeds = 0;
    const uint64_t before = PlatformTicks();
    const int result = Run([&](long n) {
        feeds = n;
        return true;
    });
    EXPECT_EQ(result, 48);
    EXPECT_EQ(feeds, 47);
    EXPECT_GE(PlatformTicks() - before, 47u * 60u);  // the configured delay between steps
}

}  // namespace
