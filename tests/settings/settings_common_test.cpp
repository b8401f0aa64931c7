// SPDX-License-Identifier: GPL-3.0-or-later
// The parts the settings screens share: the settings table's items, and the orbit icon drawn
// on the headless canvas.
#include <cmath>
#include <cstring>

#include "graphics/draw.h"
#include "logbook/logbook.h"
#include "settings/settings_common.h"
#include "tests/support/screen_driver.h"
#include "widgets/screen_loop.h"

namespace {

struct SettingsCommonTest : ScreenTest {
    void SetUp() override {
        ConfigRecord r;
        r.displayMode = 1024;
        StartScreenProgram("settings_common_test", r, {});
    }
};

TEST_F(SettingsCommonTest, TableHoldsFifteenItemsWithLabelAndNumberColours) {
    gLogbook.lastOrbitRecord.axisTilt = -10;
    gLogbook.lastOrbitRecord.orbitShape = 0.3;
    Settings().axisTilt = 0;  // upright: shown without a minus sign
    Settings().orbitShape = 0.45;
    ScreenLoop loop;
    BeginScreenLoop(loop, 2);
    Control* table = AddSettingsTablePanels(loop);
    ASSERT_EQ(table, gSettingsCommon.table);

    const char* texts[3][5] = {{"", "Last@Orbit", "Current", "Earth@Normal", "units"},
                               {"Tilt", "10.0", "0.0", "23.5", "degrees"},
                               {"Shape", "0.30", "0.45", "0.02", "circle=0.0"}};
    int n = 0;
    for (const TextItem* item = table->items; item; item = item->next, ++n) {
        ASSERT_LT(n, 15);
        const int col = n % 5, row = n / 5;
        SCOPED_TRACE(n);
        EXPECT_EQ(item->x, col + 1);
        EXPECT_EQ(item->y, row + 1);
        EXPECT_STREQ(item->text, texts[row][col]);
        const bool number = row > 0 && col > 0 && col < 4;
        EXPECT_EQ(item->penColour, number ? 1 : 0);
        EXPECT_EQ(item->fillColour, 26);
        EXPECT_EQ(item->font, gUi.smallLabelFont);
    }
    EXPECT_EQ(n, 15);

    SetSettingsTableText(3, 2, "-90.0");
    ASSERT_NE(ItemAt(table, 3, 2), nullptr);
    EXPECT_STREQ(ItemAt(table, 3, 2)->text, "-90.0");
    EndScreenLoop(loop);
    gSettingsCommon.table = nullptr;
}

TEST_F(SettingsCommonTest, OrbitIconSitsLeftOfTheLabelAndStepsItsPlanetRoundTheSun) {
    ScreenLoop loop;
    BeginScreenLoop(loop, 2);
    AddWatchSeasonsButton(loop, nullptr);
    const ScreenRect& r = gSettingsCommon.orbitIconRect;
    EXPECT_EQ(r.left, 44);  // label left 20 + 20 + 48 + 4 = 92; the icon starts 48 before it
    EXPECT_EQ(r.top, 378);
    EXPECT_EQ(r.right, 108);
    EXPECT_EQ(r.bottom, 410);

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
