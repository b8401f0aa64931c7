// SPDX-License-Identifier: GPL-3.0-or-later
// The Sun angle screen: the Sun's noon angle by month and latitude, and both pictures drawn
// alone and checked at chosen pixels. The screen run through its buttons is checked by the
// sun_angle and explain_sun_angle_poles replays, its ways out in ways_out_test.cpp.
#include <cmath>
#include <cstdlib>

#include "explain/sun_angle_screen.h"
#include "graphics/palette.h"
#include "tests/explain/explain_fixture.h"

namespace {

constexpr double kDeg = 0.0174533;

struct SunAngleTest : ScreenTest {
    void SetUp() override { Start(); }

    // One picture drawn alone into a 480 x 480 buffer (the display is 1024 wide, so the
    // buffer's pixels are logical units).
    struct Picture {
        OffscreenBuffer buffer;
        int At(int x, int y) const { return buffer.surface->At(x, y); }
        // Whether the slot is at (x, y) or a pixel next to it: thin slanted lines.
        bool Near(int x, int y, int slot) const {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (At(x + dx, y + dy) == slot) return true;
            return false;
        }
        int Count(int slot) const {
            int n = 0;
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 480; ++x) n += At(x, y) == slot;
            return n;
        }
    };
    static void Draw(Picture& p, bool earth, int month, int latitudeIndex, bool show) {
        ASSERT_TRUE(CreateBuffer(Rect(0, 0, 480, 480), 0, p.buffer));
        const double d = SunOffset(month);
        SetSkyGradient();
        SetDrawTarget(&p.buffer);
        if (earth) {
            GlobeSegments frame{};
            ProjectSunAngleEarth(d, frame);
            DrawSunAngleEarth(d, PersonLatitude(latitudeIndex), show, frame);
        } else {
            DrawSunAnglePerson(d, PersonLatitude(latitudeIndex), show);
        }
        SetDrawTarget(nullptr);
    }
    // The point `r` units from (x, y) at `degrees` counter-clockwise from the right.
    static void Polar(int x, int y, double degrees, int r, int& px, int& py) {
        px = x + int(r * std::cos(degrees * kDeg));
        py = y - int(r * std::sin(degrees * kDeg));
    }
};

TEST_F(SunAngleTest, TheSunsNoonAngleFollowsMonthAndLatitude) {
    const struct { int month, latitudeIndex; double offset, zenith; int offsetShown; } cases[] = {
        {11, 27, 23.5, 68.5, 23},     // 45 N in December: 21.5 degrees above the horizon
        {5, 27, -23.5, 21.5, -23},    // 45 N in June
        {2, 18, 0, 0, 0},             // equinoxes at the equator: the Sun overhead
        {8, 18, 0, 0, 0},
        {11, 33, 23.5, 98.5, 23},     // 75 N in December: below the horizon all day
        {11, 0, 23.5, -66.5, 23},     // the South Pole in December
        {5, 0, -23.5, -113.5, -23},   // the South Pole in June: polar night
        {0, 36, 20.351, 110.351, 20}, // January at the North Pole
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "month " << c.month << " index " << c.latitudeIndex);
        const double d = SunOffset(c.month);
        if (c.offset == 0) {
            EXPECT_EQ(d, 0.0);  // exactly, not nearly
        }
        EXPECT_NEAR(d / kDeg, c.offset, 1e-3);
        const double zenith = ZenithAngle(PersonLatitude(c.latitudeIndex), d);
        EXPECT_NEAR(zenith, c.zenith, 1e-3);
        EXPECT_EQ(SunBelowHorizon(zenith), std::fabs(c.zenith) > 90);
        EXPECT_EQ(SunOffsetDegrees(d), c.offsetShown);
    }
}

TEST_F(SunAngleTest, TheEarthBrightensTowardsTheSunAndShowsThePlaceAndItsRays) {
    const struct {
        int month, latitudeIndex;
        bool sunUp;
    } cases[] = {{11, 27, true}, {5, 27, true}, {2, 18, true}, {11, 33, false}, {5, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "month " << c.month << " index " << c.latitudeIndex);
        Picture p;
        Draw(p, true, c.month, c.latitudeIndex, false);
        // Column n of the lit half is slot 140 + n wherever nothing is drawn over it.
        for (int n = 0; n < 28; ++n) {
            const int x = 162 + 5 * n, half = int(std::sqrt(140.0 * 140 - (x - 160) * (x - 160)));
            int same = 0;
            for (int y = 240 - half + 3; y < 240 + half - 3; ++y) same += p.At(x, y) == 140 + n;
            EXPECT_GT(same, half) << "column " << n;
        }
        // The place: a red mark on the rim at the Sun's angle from overhead.
        const double zenith = ZenithAngle(PersonLatitude(c.latitudeIndex), SunOffset(c.month));
        int px = 0, py = 0;
        Polar(160, 240, zenith, 140, px, py);
        EXPECT_EQ(p.At(px, py), 4);
        // Overhead goes out from the place; the ray to the Sun (and its label) only when the
        // Sun is up at noon.
        int ox = 0, oy = 0;
        Polar(px, py, zenith, 40, ox, oy);
        EXPECT_TRUE(p.Near(ox, oy, 11));
        EXPECT_EQ(p.Count(14) > 0, c.sunUp);
        // "Equator" is written in white alone, with no dark copy under it; in December its
        // east end is at (288, 184).
        if (c.month == 11 && c.latitudeIndex == 27) {
            int white = 0, black = 0;
            for (int y = 176; y < 194; ++y)
                for (int x = 215; x < 280; ++x) {
                    white += p.At(x, y) == 255;
                    black += p.At(x, y) == 0;
                }
            EXPECT_GT(white, 60);
            EXPECT_EQ(black, 0);
        }
    }
    // The sky's gradient divides as real numbers.
    EXPECT_EQ(Rgb(PaletteColour(140)), (RGB{1, 0, 111}));
    EXPECT_EQ(Rgb(PaletteColour(150)), (RGB{36, 35, 191}));
    EXPECT_EQ(Rgb(PaletteColour(167)), (RGB{245, 244, 253}));
}

TEST_F(SunAngleTest, ThePersonsGroundRaysAndAnglesFollowTheSun) {
    const struct { int month, latitudeIndex; bool show; RGB ground; } cases[] = {
        {11, 27, false, {34, 34, 190}},  // low winter Sun: dim ground
        {5, 27, true, {220, 220, 249}},  // high summer Sun: bright ground
        {8, 18, true, {255, 255, 255}},  // the Sun overhead
        {11, 33, false, {0, 0, 92}},     // below the horizon
        {11, 33, true, {0, 0, 92}},
        {11, 0, true, {40, 40, 194}},    // the South Pole's summer: the Sun stands north
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "month " << c.month << " index " << c.latitudeIndex
                                        << (c.show ? " angles" : ""));
        Picture p;
        Draw(p, false, c.month, c.latitudeIndex, c.show);
        const int latitude = PersonLatitude(c.latitudeIndex);
        const double zenith = ZenithAngle(latitude, SunOffset(c.month));
        const bool below = SunBelowHorizon(zenith);

        EXPECT_EQ(p.At(20, 470), kGroundSlot);
        EXPECT_EQ(Rgb(PaletteColour(kGroundSlot)), c.ground);

        int x = 0, y = 0;
        Polar(240, 400, 90, 230, x, y);
        EXPECT_EQ(p.At(x, y), 11);  // overhead, beyond the end of the ray to the Sun
        Polar(240, 400, 0, 150, x, y);
        EXPECT_EQ(p.At(x, y), 10);  // the south horizon
        if (!below) {
            Polar(240, 400, int(90 - zenith), 120, x, y);
            EXPECT_EQ(p.At(x, y), 14);
        } else if (!c.show) {
            EXPECT_EQ(p.Count(14), 0);  // no ray to the Sun, no label
        }
        // The warning box stands with the angles only.
        EXPECT_EQ(p.At(408, 97) == 4, below && c.show);

        // Around the person: the sum from overhead, d and the latitude inside it.
        const int dd = SunOffsetDegrees(SunOffset(c.month)), sum = dd + latitude;
        const struct { double degrees; int r, slot; } pies[] = {
            {90 - sum / 2.0, 140, 6}, {90 - sum + dd / 2.0, 100, 12}, {90 - latitude / 2.0, 60, 5}};
        for (const auto& pie : pies) {
            if (std::abs(int(pie.degrees * 2) - int(2 * (90 - zenith))) < 8) continue;  // the ray
            Polar(240, 400, pie.degrees, pie.r, x, y);
            EXPECT_EQ(p.At(x, y), c.show ? pie.slot : 0) << pie.slot;
        }
    }
}

// Month, latitude and angles surviving a visit elsewhere: the sun_angle replay; the latitude
// buttons at the poles: the explain_sun_angle_poles replay.

}  // namespace
