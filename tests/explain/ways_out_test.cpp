// SPDX-License-Identifier: GPL-3.0-or-later
// The screens left every way there is: their own return button, the NavBar's buttons, a lost
// display and the closed window each give their result, and what the screen holds while it
// runs is let go; the three tilt screens stand on one panel. The animated screens end after
// one cycle in single-cycle mode.
#include <set>
#include <vector>

#include "explain/latitude_zones_screen.h"
#include "explain/sun_angle_screen.h"
#include "explain/tilt_day_length_screen.h"
#include "explain/tilt_intensity_screen.h"
#include "settings/change_tilt_screen.h"
#include "simulation/main_screen.h"
#include "simulation/simulation_state.h"
#include "tests/explain/explain_fixture.h"

namespace {

// The ways out, in this order; the closed window last, as it ends every later run.
enum { kBack, kTilt, kShape, kLatitudes, kExit, kLost, kClosed, kWays };
const char* const kWayNames[kWays] = {"return button", "Change Tilt", "Change Shape",
                                      "Select Latitudes", "Exit", "display lost", "window closed"};

struct Screen {
    const char* name;
    int (*run)();
    void (*back)();       // a click on the screen's way back
    int result[kWays];    // what each way out gives (0: not a way out of this screen)
    bool (*freed)();      // what the screen held is let go (null: nothing to look at)
    int cycle;            // frames of one cycle in single-cycle mode (0: none)
};

bool ZonesFreed() {
    bool freed = !gZones.globeRegion && !gZones.coastPoints && !gZones.coastSegments &&
                 !gZones.fonts.heading && !gZones.fonts.body && !gZones.panel;
    for (Region* r : gZones.zoneRegions) freed = freed && !r;
    return freed;
}

const Screen kScreens[] = {
    {"latitude zones", RunLatitudeZonesScreen,
     [] { ScreenTest::ClickControl(gZones.returnButton); },
     {8, 2, 5, 8, 2001, -kLatitudeZonesScreenId, 2000}, ZonesFreed, 0},
    {"solar energy", RunOrbitEnergyScreen,
     [] { ScreenTest::ClickControl(gOrbitEnergy.controls.returnButton); },
     {5, 2, 5, 8, 2001, -kOrbitEnergyScreenId, 2000}, [] { return !gOrbitEnergy.controls.panel; },
     360},
    {"season length", RunSeasonLengthScreen,
     [] { ScreenTest::ClickControl(gSeasonLength.controls.returnButton); },
     {5, 2, 5, 8, 2001, -kSeasonLengthScreenId, 2000},
     [] { return !gSeasonLength.controls.panel; }, 360},
    {"Sun angle", RunSunAngleScreen, [] { ScreenTest::Click(120, 109); },
     {2, 2, 5, 8, 2001, -kSunAngleScreenId, 2000}, [] { return !gSunAngle.buffer.surface; }, 0},
    {"sunlight intensity", RunTiltIntensityScreen, [] { ScreenTest::Click(125, 599); },
     {2, 2, 5, 8, 2001, -kTiltIntensityScreenId, 2000}, nullptr, 0},
    {"day length", RunTiltDayLengthScreen, [] { ScreenTest::Click(125, 649); },
     {2, 2, 5, 8, 2001, -kTiltDayLengthScreenId, 2000},
     [] { return !gTiltDayLength.buffer.surface; }, 48},
    // Its own NavBar button does nothing; "Watch the Seasons" is its way back.
    {"Change Tilt", RunChangeTiltScreen, [] { ScreenTest::Click(135, 394); },
     {1, 0, 5, 8, 2001, -kChangeTiltScreenId, 2000},
     [] { return !gChangeTilt.tiltArc && !gChangeTilt.globe.surface; }, kGlobeFrameCount},
    {"main", RunMainScreen, nullptr, {0, 2, 5, 8, 2001, -kMainScreenId, 2000},
     [] { return !gSim.scene.surface && !gSim.globeBuffers && !gSim.earthPicture; }, 360},
};

bool TiltSibling(const Screen& s) { return s.result[kBack] == 2 && s.result[kTilt] == 2; }

void TakeWay(const Screen& s, int way) {
    switch (way) {
    case kBack: s.back(); break;
    case kTilt: ScreenTest::ClickControl(gNavBar.changeTiltButton); break;
    case kShape: ScreenTest::ClickControl(gNavBar.changeShapeButton); break;
    case kLatitudes: ScreenTest::ClickControl(gNavBar.selectLatitudesButton); break;
    case kExit: ScreenTest::ClickControl(gNavBar.exitButton); break;
    case kLost: HeadlessLoseDisplay(); break;
    default: PostInput(MessageKind::CloseRequest); break;
    }
}

TEST_F(ExplainTest, EveryWayOutGivesItsResultAndLetsGoOfWhatTheScreenHeld) {
    // The tilt screens' panels: the same tiles and bevel at the lower left corner.
    const DeviceRect corner = ToDeviceRect(Rect(0, 690, 20, 738));
    std::vector<std::vector<int>> panels;
    for (const Screen& s : kScreens) {
        Start();
        for (int way = 0; way < kWays; ++way) {
            if (!s.result[way]) continue;
            SCOPED_TRACE(testing::Message() << s.name << ", " << kWayNames[way]);
            bool heldWhileRunning = false;
            const int result = DriveScreen(s.run, [&](long n) {
                if (n == 1) {
                    if (TiltSibling(s) && way == kBack) {
                        panels.emplace_back();
                        for (int y = corner.top; y < corner.bottom; ++y)
                            for (int x = corner.left; x < corner.right; ++x)
                                panels.back().push_back(At(x, y));
                    }
                    heldWhileRunning = !s.freed || !s.freed();
                    TakeWay(s, way);
                }
                return n < 2;
            });
            EXPECT_EQ(result, s.result[way]);
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
    for (const Screen& s : kScreens) {
        if (!s.cycle) continue;
        long feeds = 0;
        const uint64_t before = PlatformTicks();
        const int result = DriveScreen(s.run, [&](long n) {
            feeds = n;
            return true;
        });
        EXPECT_EQ(result, s.cycle) << s.name;
        EXPECT_EQ(feeds, s.cycle - 1) << s.name;
        if (s.run == RunTiltDayLengthScreen) {
            EXPECT_GE(PlatformTicks() - before, 47u * 60u);  // the configured delay per step
        }
    }
}

}  // namespace
