// SPDX-License-Identifier: GPL-3.0-or-later
// The Change Tilt screen: the tilt a pointer position gives, and the whole screen driven on the
// headless backend (hover and click on the arc, the globe with and without a coastline).
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "settings/change_tilt_screen.h"
#include "settings/settings_common.h"
#include "tests/support/screen_driver.h"
#include "widgets/interaction.h"

namespace {

const ScreenRect kDiagram = Rect(268, 124, 668, 544);

TEST(TiltFromPoint, GivesWholeDegreesFromTheArcAtBothDisplaySizes) {
    struct Case {
        int x, y;  // logical
        double tilt;
    };
    // The centre is (468, 374); the pupil sees the negated value.
    const Case cases[] = {
        {468, 215, 0},     {468, 100, 0},                        // straight up
        {620, 380, 90},    {633, 382, 90},   {2000, 700, 90},    // below the line, right: "-90.0"
        {310, 380, -90},   {303, 382, -90},  {-500, 700, -90},   // below the line, left: "90.0"
        {468 + 149, 374, 90}, {468 - 149, 374, -90},
        {468 - 105, 374 - 105, -45},         {468 + 105, 374 - 105, 45},
    };
    for (const double scale : {1.0, 0.78125}) {
        gDisplayScale = DisplayScale{scale, scale};
        LayOutTiltDiagram(kDiagram);
        for (const Case& c : cases)
            EXPECT_EQ(TiltFromPoint(ToDeviceX(c.x), ToDeviceY(c.y)), c.tilt)
                << c.x << "," << c.y << " at " << scale;
        // Round the "Earth Normal" mark (cx - 67.2, cy - 154.056) a click gives 23 or 24 shown,
        // never the 23.5 only the button sets.
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const double t = TiltFromPoint(ToDeviceX(401 + dx), ToDeviceY(220 + dy));
                EXPECT_TRUE(t == -23 || t == -24) << dx << "," << dy << " gave " << t;
            }
        // Anywhere at all, even far off the canvas: a whole number within -90..90.
        for (int y = -3000; y <= 3000; y += 37)
            for (int x = -3000; x <= 3000; x += 41) {
                const double t = TiltFromPoint(x, y);
                ASSERT_TRUE(t >= -90 && t <= 90 && t == std::trunc(t)) << x << "," << y;
            }
        FreeTiltDiagram();
    }
    gDisplayScale = DisplayScale{};
}

struct ChangeTiltTest : ScreenTest {
    void Start(int displayMode = 1024, bool coast = true) {
        ConfigRecord r = Record(displayMode);
        r.changeTiltDelay = 30;
        StartScreenProgram("change_tilt_test", r, {});
        if (coast) CopyFile(std::string(HELIORA_SOURCE_DIR) + "/data/newcoast.txt", "newcoast.txt");
        LoadCoastOutline();  // a missing file gives no coastline
    }
    static int Run(std::function<bool(long)> drive) {
        return DriveScreen(RunChangeTiltScreen, std::move(drive));
    }
};

// Hover and click on the arc: the cursor shows it clickable, and a click starts the globe's
// turn again at the new tilt. What the arc, the figures and the help line show at both display
// sizes: the change_tilt, settings_tilt_800 and settings_table replays; what leaving lets go:
// tests/explain/ways_out_test.cpp.
TEST_F(ChangeTiltTest, HoverAndClickOnTheArc) {
    Start();
    int cursorOn = 0, cursorOff = 0, framesBeforeClick = -1, frameAfterClick = -1;
    Run([&](long n) {
        if (n == 0) Move(339, 299);  // on the arc, 60 degrees left of straight up
        if (n == 1) cursorOn = CurrentCursorShape();
        if (n == 5) {
            framesBeforeClick = gChangeTilt.frameCounter;
            Click(468, 215);  // straight up, while highlighted
        }
        if (n == 6) {
            frameAfterClick = gChangeTilt.frameCounter;
            Move(468, 140);  // off the arc onto the diagram round it
        }
        if (n == 7) cursorOff = CurrentCursorShape();
        return n < 7;  // idle steps turn the globe
    });
    EXPECT_EQ(cursorOn, 3);
    EXPECT_EQ(cursorOff, 1);
    EXPECT_EQ(framesBeforeClick, 4);
    EXPECT_EQ(frameAfterClick, 0);
    EXPECT_EQ(Settings().axisTilt, 0);
}

// Where the buttons lead: the settings_ways_out replay; a lost display, the closed window and
// single-cycle mode: tests/explain/ways_out_test.cpp.

// The globe: night on the left, day on the right, the coastline in black across both only when
// the file gives one (a missing file stands for every file that gives none: coast_test.cpp).
// The yellow arrow's head meets its shaft at the tip (593, 259), and a full turn of the globe
// changes nothing round its disc (the axis stubs, the arc, the black ring).
TEST_F(ChangeTiltTest, GlobeArrowAndCoastlineAtBothSizesWithAnyCoastFile) {
    const ScreenRect night = Rect(380, 330, 460, 420), day = Rect(476, 330, 556, 420);  // in the disc
    const struct {
        int size;
        const char* coast;
    } runs[] = {{1024, "data"}, {800, "data"}, {1024, "missing"}};
    for (const auto& c : runs) {
        SCOPED_TRACE(testing::Message() << c.size << " " << c.coast);
        const bool data = std::string(c.coast) == "data";
        Start(c.size, data);
        std::vector<std::array<int, 3>> round;  // x, y, slot round the disc, as first drawn
        int changed = 0, nightPixels = 0, dayPixels = 0, coastPixels = 0;
        Run([&](long n) {
            if (n == 0) {
                for (const auto& p : {std::pair{593, 259}, {593, 250}, {602, 259}})
                    EXPECT_EQ(AtLogical(p.first, p.second), 14) << p.first << "," << p.second;
                const DeviceRect box = ToDeviceRect(Rect(468 - 165, 374 - 165, 468 + 165, 374 + 165));
                for (int y = box.top; y < box.bottom; ++y)
                    for (int x = box.left; x < box.right; ++x) {
                        bool inDisc = false;
                        for (const RegionSpan& s : gChangeTilt.earthDisc->spans)
                            inDisc |= s.y == y && x >= s.x0 && x < s.x1;
                        if (!inDisc) round.push_back({x, y, At(x, y)});
                    }
            }
            if (n == 30) {
                nightPixels = Count(night, 1);
                dayPixels = Count(day, 3);
                coastPixels = Count(night, 0) + Count(day, 0);
            }
            for (const auto& p : round) changed += At(p[0], p[1]) != p[2];
            return n < kGlobeFrameCount;
        });
        EXPECT_GT(round.size(), 10000u);
        EXPECT_EQ(changed, 0);
        EXPECT_EQ(coastPixels > 0, data);
        if (c.size == 1024) {
            EXPECT_GT(nightPixels, 5000);
            EXPECT_GT(dayPixels, 5000);
        }
        TearDown();
        folder.clear();
    }
}

}  // namespace
