// SPDX-License-Identifier: GPL-3.0-or-later
// Every explanation screen left every way there is: its own return button, the NavBar's
// buttons, a lost display and the closed window each give their result, and what the screen
// holds while it runs is let go; the three tilt screens stand on one panel. The animated
// screens end after one cycle in single-cycle mode.
#include <set>
#include <vector>

#include "explain/latitude_zones_screen.h"
#include "explain/sun_angle_screen.h"
#include "explain/tilt_day_length_screen.h"
#include "explain/tilt_intensity_screen.h"
#include "tests/explain/explain_fixture.h"

namespace {

struct ExplainScreen {
    const char* name;
    int (*run)();
    int id, parent;       // the screen its return button leads back to
    void (*back)();       // a click on the return button
    bool (*freed)();      // what the screen held is let go (null: nothing to look at)
    int cycle;            // frames of one cycle in single-cycle mode (0: none)
};
bool TiltSibling(const ExplainScreen& s) { return s.parent == 2; }

bool ZonesFreed() {
    bool freed = !gZones.globeRegion && !gZones.coastPoints && !gZones.coastSegments &&
                 !gZones.fonts.heading && !gZones.fonts.body && !gZones.panel;
    for (Region* r : gZones.zoneRegions) freed = freed && !r;
    return freed;
}

const ExplainScreen kScreens[] = {
    {"latitude zones", RunLatitudeZonesScreen, kLatitudeZonesScreenId, 8,
     [] { ScreenTest::ClickControl(gZones.returnButton); }, ZonesFreed, 0},
    {"solar energy", RunOrbitEnergyScreen, kOrbitEnergyScreenId, 5,
     [] { ScreenTest::ClickControl(gOrbitEnergy.controls.returnButton); },
     [] { return !gOrbitEnergy.controls.panel; }, 360},
    {"season length", RunSeasonLengthScreen, kSeasonLengthScreenId, 5,
     [] { ScreenTest::ClickControl(gSeasonLength.controls.returnButton); },
     [] { return !gSeasonLength.controls.panel; }, 360},
    {"Sun angle", RunSunAngleScreen, kSunAngleScreenId, 2, [] { ScreenTest::Click(120, 109); },
     [] { return !gSunAngle.buffer.surface; }, 0},
    {"sunlight intensity", RunTiltIntensityScreen, kTiltIntensityScreenId, 2,
     [] { ScreenTest::Click(125, 599); }, nullptr, 0},
    {"day length", RunTiltDayLengthScreen, kTiltDayLengthScreenId, 2,
     [] { ScreenTest::Click(125, 649); }, [] { return !gTiltDayLength.buffer.surface; }, 48},
};

TEST_F(ExplainTest, EveryWayOutGivesItsResultAndLetsGoOfWhatTheScreenHeld) {
    struct Way {
        const char* name;
        void (*act)(const ExplainScreen&);
        int result;  // 0: the screen's parent; -1: its own id negated
    };
    const Way ways[] = {
        {"return button", [](const ExplainScreen& s) { s.back(); }, 0},
        {"Change Tilt", [](const ExplainScreen&) { ClickControl(gNavBar.changeTiltButton); }, 2},
        {"Change Shape", [](const ExplainScreen&) { ClickControl(gNavBar.changeShapeButton); }, 5},
        {"Select Latitudes",
         [](const ExplainScreen&) { ClickControl(gNavBar.selectLatitudesButton); }, 8},
        {"Exit", [](const ExplainScreen&) { ClickControl(gNavBar.exitButton); }, 2001},
        {"display lost", [](const ExplainScreen&) { HeadlessLoseDisplay(); }, -1},
        // Last: a closed window ends every later run of this program.
        {"window closed", [](const ExplainScreen&) { PostInput(MessageKind::CloseRequest); }, 2000},
    };
    // The tilt screens' panels: the same tiles and bevel at the lower left corner.
    const DeviceRect corner = ToDeviceRect(R(0, 690, 20, 738));
    std::vector<std::vector<int>> panels;
    for (const ExplainScreen& s : kScreens) {
        Start();
        for (const Way& w : ways) {
            SCOPED_TRACE(testing::Message() << s.name << ", " << w.name);
            bool heldWhileRunning = false;
            const int result = DriveScreen(s.run, [&](long n) {
                if (n == 1) {
                    if (TiltSibling(s) && &w == ways) {
                        panels.emplace_back();
                        for (int y = corner.top; y < corner.bottom; ++y)
                            for (int x = corner.left; x < corner.right; ++x)
                                panels.back().push_back(At(x, y));
                    }
                    heldWhileRunning = !s.freed || !s.freed();
                    w.act(s);
                }
                return n < 2;
            });
            EXPECT_EQ(result, w.result == 0 ? s.parent : w.result == -1 ? -s.id : w.result);
            EXPECT_TRUE(heldWhileRunning);
            EXPECT_TRUE(!s.freed || s.freed());
        }
        TearDown();
        folder.clear();
    }
    ASSERT_EQ(panels.size(), 3u);
    EXPECT_GT(std::set<int>(panels[0].begin(), panels[0].end()).size(), 2u);
    EXPECT_EQ(panels[0], panels[1]);
    EXPECT_EQ(panels[0], panels[2]);
}

TEST_F(ExplainTest, SingleCycleModeEndsTheAnimatedScreensAfterOneCycle) {
    ConfigRecord r = Record();
    r.singleCycleMode = 1;
    r.dayLengthDelay = 60;
    Start(r);
    for (const ExplainScreen& s : kScreens) {
        if (!s.cycle) continue;
        long feeds = 0;
        const uint64_t before = PlatformTicks();
        const int result = DriveScreen(s.run, [&](long n) {
            feeds = n;
            return true;
        });
        EXPECT_EQ(result, s.cycle) << s.name;
        EXPECT_EQ(feeds, s.cycle - 1) << s.name;
        if (s.id == kTiltDayLengthScreenId) {
            EXPECT_GE(PlatformTicks() - before, 47u * 60u);  // the configured delay per step
        }
    }
}

}  // namespace
