// The orbit shape and season length screen: turning points, days, dates and season lengths of
// each shape, the speed readout, and where the picture puts its seasons and the Sun.
#include <cmath>
#include <cstdio>
#include <string>

#include "explain_fixture.h"

namespace {

using SeasonLength = ExplainTest;

const ScreenRect kPicture = ScreenTest::R(250, 184, 1000, 684);

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
    const struct {
        int day;
        const char* date;
    } cases[] = {
        {0, "January 1"},     {30, "January 31"},  {31, "February 1"}, {59, "March 1"},
        {80, "March 22"},     {171, "June 21"},    {263, "September 21"},
        {354, "December 21"}, {364, "December 31"},
        // Beyond the year the count goes on into the next or the last one.
        {365, "January 1"},   {-1, "December 31"}, {-365, "January 1"},
    };
    for (const auto& c : cases) EXPECT_EQ(Date(c.day), c.date) << c.day;
}

// The circular orbit: the sectors round the Sun at the centre in their colours, the labels,
// the band below, and the Earth moving round at 30 km/second.
TEST_F(SeasonLength, PictureShowsTheSeasonsRoundTheSun) {
    Start();
    std::vector<int> speedAt0;
    const ScreenRect speedBox = R(450, 659, 995, 679);
    const int result = DriveScreen(RunSeasonLengthScreen, [&](long n) {
        if (n == 0) ClickControl(gSeasonLength.controls.shapeButtons[0]);
        if (n == 2) speedAt0 = Pixels(speedBox);  // after the frame of step 0
        if (n == 4) {
            // Each sector's middle, 100 units from the Sun: winter to the lower left, then
            // round through spring, summer and fall.
            const double middles[4] = {214, 304, 34, 124};
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(AtLogical(int(625 + 100 * std::cos(middles[i] * M_PI / 180)),
                                    int(434 - 100 * std::sin(middles[i] * M_PI / 180))),
                          kSeasonFirstSlot + i) << "season " << i;
            EXPECT_EQ(AtLogical(300, 250), 0);  // outside the orbit
            EXPECT_EQ(AtLogical(625, 434), 14);  // the Sun
            EXPECT_EQ(AtLogical(260, 700), 0);  // the band below
            const OrbitTrack& t = gSeasonLength.orbit.track;
            EXPECT_EQ(AtLogical(t.trackX[3], t.trackY[3]), 11);  // the Earth
            EXPECT_GT(Count(R(560, 620, 700, 660), 255), 100);  // "Spring Equinox", "March 22"
            // The figure changes on steps 0, 4, 8, ...; in between it stays whole.
            EXPECT_GT(Count(speedBox, 255), 50);
            EXPECT_EQ(Differences(speedAt0, Pixels(speedBox)), 0);
        }
        return n < 4;
    });
    EXPECT_EQ(result, 2000);
}

}  // namespace
