// SPDX-License-Identifier: GPL-3.0-or-later
// The Change Shape screen driven on the headless backend: the shape steps and their limits,
// and the diagram whose selected orbit comes off without a trace.
#include <cstring>
#include <string>
#include <vector>

#include "settings/change_shape_screen.h"
#include "settings/settings_common.h"
#include "tests/support/screen_driver.h"

namespace {

struct ChangeShapeTest : ScreenTest {
    void SetUp() override { Start(); }
    static int Run(std::function<bool(long)> drive) {
        return DriveScreen(RunChangeShapeScreen, std::move(drive));
    }
    // "RS": which of Rounder and Stretched are clickable ("-" for one that is not).
    static std::string StepButtons() {
        const ChangeShapeState& st = gChangeShape;
        return std::string(st.rounder->state == kStateActive ? "R" : "-") +
               (st.stretched->state == kStateActive ? "S" : "-");
    }
};

// What the step buttons do from the shapes at and near their limits, with the buttons
// clickable (R, S) at entry and afterwards; the shape is always exactly its hundredths.
TEST_F(ChangeShapeTest, StepsGoFromEarthNormalOntoTheGridAndStopAtTheLimits) {
    // Clicks: S Stretched, R Rounder, N Set Shape to Earth Normal.
    struct Case { double start; const char* clicks; double shape; const char *atEntry, *after; };
    const Case cases[] = {
        {0.02, "S", 0.05, "RS", "RS"},
        {0.02, "R", 0.00, "RS", "-S"},
        {0.45, "S", 0.50, "RS", "R-"},
        {0.45, "SR", 0.45, "RS", "RS"},
        {0.00, "N", 0.02, "-S", "RS"},
        {0.50, "N", 0.02, "R-", "RS"},
        // Disabled buttons take no clicks: the shape stays within 0..0.50 (and Stretched beyond
        // 0.50, and ten steps down from there to exactly a circle: the change_shape replay).
        {0.02, "RRR", 0.00, "RS", "-S"},
        // Every step leaves the exact two-decimal value.
        {0.05, "SSSSR", 0.20, "RS", "RS"},
        // Shapes no step makes still end within the range.
        {0.03, "R", 0.00, "RS", "-S"},
        {0.48, "S", 0.50, "RS", "R-"},
        {1.5, "R", 0.50, "R-", "R-"},
    };
    for (const Case& c : cases) {
        Settings().orbitShape = c.start;
        std::string atEntry, after, bar, table;
        const size_t clicks = std::strlen(c.clicks);
        const int result = Run([&](long n) {
            const ChangeShapeState& st = gChangeShape;
            if (n == 0) atEntry = StepButtons();
            if (size_t(n) < clicks) {
                const char b = c.clicks[n];
                ClickControl(b == 'S' ? st.stretched : b == 'R' ? st.rounder : st.earthNormal);
                return true;
            }
            if (size_t(n) > clicks) return false;  // still here: the window closes
            after = StepButtons();
            bar = st.valueBar->label;
            const TextItem* shown = ItemAt(gSettingsCommon.table, 3, 3);
            table = shown ? shown->text : "";
            ClickControl(gNavBar.changeTiltButton);
            return true;
        });
        SCOPED_TRACE(testing::Message() << "from " << c.start << " by " << c.clicks);
        EXPECT_EQ(result, 2);
        EXPECT_EQ(gSettingsCommon.table, nullptr);  // the table went with the screen
        EXPECT_EQ(Settings().orbitShape, c.shape);
        char text[16];
        FormatShape(c.shape, text, sizeof text);
        EXPECT_EQ(bar, text);
        EXPECT_EQ(table, text);
        EXPECT_EQ(atEntry, c.atEntry);
        EXPECT_EQ(after, c.after);
    }
}

// Where the buttons lead, and the NavBar button shown selected: the settings_ways_out replay.

// Each step takes the old orbit off in exclusive-or: going back leaves every pixel of the
// diagram (stars, Sun, the other orbits and their names) as it was.
TEST_F(ChangeShapeTest, ASelectedOrbitTakenOffRestoresWhatLayBeneath) {
    struct Case {
        double start;
        Control* ChangeShapeState::*there;
        Control* ChangeShapeState::*back;
    };
    const Case cases[] = {
        {0.02, &ChangeShapeState::stretched, &ChangeShapeState::earthNormal},
        {0.45, &ChangeShapeState::stretched, &ChangeShapeState::rounder},
        {0.05, &ChangeShapeState::rounder, &ChangeShapeState::stretched},
    };
    for (const Case& c : cases) {
        Settings().orbitShape = c.start;
        std::vector<int> before, moved, after;
        long step = 0;
        Run([&](long n) {
            step = n;
            if (n == 0) {
                before = Pixels(gChangeShape.diagramRect);
                ClickControl(gChangeShape.*(c.there));
            } else if (n == 1) {
                moved = Pixels(gChangeShape.diagramRect);
                ClickControl(gChangeShape.*(c.back));
            } else if (n == 2) {
                after = Pixels(gChangeShape.diagramRect);
                ClickControl(gNavBar.changeTiltButton);
            }
            return n < 3;
        });
        SCOPED_TRACE(testing::Message() << "from " << c.start);
        ASSERT_EQ(step, 2);
        ASSERT_EQ(before.size(), after.size());
        EXPECT_TRUE(before == after);
        // Between, only the two ellipses differ: each changed pixel is its old index XOR 13.
        int changed = 0, other = 0;
        for (size_t i = 0; i < before.size(); ++i) {
            changed += moved[i] != before[i];
            other += moved[i] != before[i] && moved[i] != (before[i] ^ 13);
        }
        EXPECT_GT(changed, 200);
        EXPECT_EQ(other, 0);
    }
}

// The diagram at 0.50, by palette index: the change_shape replay.

}  // namespace
