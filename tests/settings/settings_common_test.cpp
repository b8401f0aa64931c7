// SPDX-License-Identifier: GPL-3.0-or-later
// The parts the settings screens share: the orbit icon drawn on the headless canvas.
#include <cmath>
#include <vector>

#include "graphics/draw.h"
#include "settings/settings_common.h"
#include "tests/support/screen_driver.h"
#include "widgets/screen_loop.h"

namespace {

struct SettingsCommonTest : ScreenTest {
    void SetUp() override { Start(); }
};

// The settings table's items, colours and updates: the settings_table replay.

TEST_F(SettingsCommonTest, OrbitIconSitsLeftOfTheLabelAndStepsItsPlanetRoundTheSun) {
    ScreenLoop loop;
    BeginScreenLoop(loop, 2);
    AddWatchSeasonsButton(loop, nullptr);
    const ScreenRect& r = gSettingsCommon.orbitIconRect;
    // Label left 20 + 20 + 48 + 4 = 92; the icon starts 48 before it.
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}),
              (std::vector<int>{44, 378, 108, 410}));

    const int ix = 76, iy = 394;
    DrawOrbitIcon(1);
    EXPECT_EQ(gSettingsCommon.orbitIconAngle, 8);
    EXPECT_EQ(AtLogical(r.left + 1, r.top + 1), 19);
    EXPECT_EQ(AtLogical(ix, r.top + 5), 5);   // the orbit's top
    EXPECT_EQ(AtLogical(ix, iy), 14);         // the Sun
    EXPECT_EQ(AtLogical(ix - 27, iy), 9);     // the planet at angle 0, on the orbit's left end
    EXPECT_EQ(AtLogical(ix - 24, iy), 9);

    for (int i = 0; i < 10; ++i) DrawOrbitIcon(0);  // on to angle 88: below the Sun
    EXPECT_EQ(gSettingsCommon.orbitIconAngle, 88);
    EXPECT_EQ(AtLogical(ix - 24, iy), 19);          // the old planet is gone
    EXPECT_EQ(AtLogical(int(ix - 27 * std::cos(80 * 0.0174533)), iy + 10), 9);
    DrawOrbitIcon(1);
    EXPECT_EQ(gSettingsCommon.orbitIconAngle, 8);
    EndScreenLoop(loop);
}

}  // namespace
