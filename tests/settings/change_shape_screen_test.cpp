// The Change Shape screen driven on the headless backend: the shape steps and their limits,
// where its buttons lead, and the diagram whose selected orbit comes off without a trace.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "settings/change_shape_screen.h"
#include "settings/settings_common.h"
#include "tests/support/screen_fixture.h"

namespace {

struct ChangeShapeTest : ScreenTest {
    void SetUp() override {
        ResetChangeShapeState();
        ResetSettingsCommon();
        StartIn("change_shape_test", Record());
    }
    void TearDown() override {
        ScreenTest::TearDown();
        ResetChangeShapeState();
        ResetSettingsCommon();
    }
    static int Run(std::function<bool(long)> drive) {
        return RunScreen(RunChangeShapeScreen, std::move(drive));
    }
    // Runs the screen; at the first idle step `first` is called, then each button of `clicks`
    // is clicked in turn, then `last` is called and the screen is left through Change Tilt.
    static int RunClicks(const std::vector<Control*>* clicks, const std::function<void()>& first,
                         const std::function<void()>& last) {
        size_t done = 0;
        bool leaving = false;
        return Run([&](long n) {
            if (n == 0 && first) first();
            if (clicks && done < clicks->size()) {
                ClickControl((*clicks)[done++]);
                return true;
            }
            if (leaving) return false;  // still here: the window closes
            if (last) last();
            ClickControl(gNavBar.changeTiltButton);
            return leaving = true;
        });
    }
    static std::string TableShape() {
        for (const TextItem* i = gSettingsCommon.table ? gSettingsCommon.table->items : nullptr; i;
             i = i->next)
            if (i->x == 3 && i->y == 3) return i->text;
        return "";
    }
    // The diagram's device pixels.
    static std::vector<uint8_t> Diagram() {
        const DeviceRect d = ToDeviceRect(gChangeShape.diagramRect);
        std::vector<uint8_t> p;
        for (int y = d.top; y < d.bottom; ++y)
            for (int x = d.left; x < d.right; ++x) p.push_back(uint8_t(At(x, y)));
        return p;
    }
};

// What the step buttons do from the shapes at and near their limits.
TEST_F(ChangeShapeTest, StepsGoFromEarthNormalOntoTheGridAndStopAtTheLimits) {
    enum Button { Stretched, Rounder, Normal };
    struct Case {
        double start;
        std::vector<Button> clicks;
        double shape;
        bool rounderAtStart, stretchedAtStart, rounder, stretched;
    };
    const Case cases[] = {
        {0.02, {Stretched}, 0.05, true, true, true, true},
        {0.02, {Rounder}, 0.00, true, true, false, true},
        {0.45, {Stretched}, 0.50, true, true, true, false},
        {0.45, {Stretched, Rounder}, 0.45, true, true, true, true},
        {0.00, {Normal}, 0.02, false, true, true, true},
        {0.50, {Normal}, 0.02, true, false, true, true},
        // Disabled buttons take no clicks: the shape stays within 0..0.50.
        {0.02, {Rounder, Rounder, Rounder}, 0.00, true, true, false, true},
        {0.05, std::vector<Button>(12, Stretched), 0.50, true, true, true, false},
        // Shapes no step makes still end within the range.
        {0.03, {Rounder}, 0.00, true, true, false, true},
        {0.48, {Stretched}, 0.50, true, true, true, false},
        {1.5, {Rounder}, 0.50, true, false, true, false},
    };
    for (const Case& c : cases) {
        Settings().orbitShape = c.start;
        bool rounderAtStart = false, stretchedAtStart = false, rounder = false, stretched = false;
        std::string bar, table;
        std::vector<Control*> clicks;
        const int result = RunClicks(
            &clicks,
            [&] {
                ChangeShapeState& st = gChangeShape;
                rounderAtStart = st.rounder->state == kStateActive;
                stretchedAtStart = st.stretched->state == kStateActive;
                Control* const of[3] = {st.stretched, st.rounder, st.earthNormal};
                for (Button b : c.clicks) clicks.push_back(of[b]);
            },
            [&] {
                rounder = gChangeShape.rounder->state == kStateActive;
                stretched = gChangeShape.stretched->state == kStateActive;
                bar = gChangeShape.valueBar->label;
                table = TableShape();
            });
        SCOPED_TRACE(testing::Message() << "from " << c.start);
        EXPECT_EQ(result, 2);
        EXPECT_NEAR(Settings().orbitShape, c.shape, 1e-9);
        char text[16];
        FormatShape(c.shape, text, sizeof text);
        EXPECT_EQ(bar, text);
        EXPECT_EQ(table, text);
        EXPECT_EQ(rounderAtStart, c.rounderAtStart);
        EXPECT_EQ(stretchedAtStart, c.stretchedAtStart);
        EXPECT_EQ(rounder, c.rounder);
        EXPECT_EQ(stretched, c.stretched);
    }
}

TEST_F(ChangeShapeTest, ButtonsLeadToTheirScreensWhileTheOwnNavBarButtonShowsSelected) {
    struct Case {
        int x, y;  // a logical point to click
        int result;
    };
    const Case cases[] = {
        {135, 394, 1},  // "Watch the Seasons", a round button
        {863, 346, 6},  {863, 501, 7},
        {537, 33, 8},   // Select Latitudes
        {420, 33, 2},   // its own, selected, NavBar button does nothing; then Change Tilt
        {980, 20, -5},  // minimised and back: the display was lost
    };
    for (const Case& c : cases) {
        int selected = -1;
        const int result = Run([&](long n) {
            if (n == 0) {
                selected = gNavBar.changeShapeButton->selected;
                Click(c.x, c.y);
            } else if (n == 1) {
                if (c.result == -5)
                    PostInput(MessageKind::SysRestore);
                else
                    ClickControl(gNavBar.changeTiltButton);
            }
            return n < 2;
        });
        EXPECT_EQ(result, c.result) << c.x << "," << c.y;
        EXPECT_EQ(selected, 1);
        EXPECT_EQ(gNavBar.changeShapeButton->selected, 0);
        EXPECT_EQ(gSettingsCommon.table, nullptr);
    }
    EXPECT_EQ(Run([](long) { return false; }), 2000);  // the window closes
}

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
        std::vector<uint8_t> before, moved, after;
        long step = 0;
        Run([&](long n) {
            step = n;
            if (n == 0) {
                before = Diagram();
                ClickControl(gChangeShape.*(c.there));
            } else if (n == 1) {
                moved = Diagram();
                ClickControl(gChangeShape.*(c.back));
            } else if (n == 2) {
                after = Diagram();
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

// The diagram at 0.50, by palette index: the Sun, the circles, the orbits, the stars.
TEST_F(ChangeShapeTest, DiagramDrawsTheSunTheOrbitsAndTheStars) {
    Settings().orbitShape = 0.5;
    std::vector<int> got;
    int stars = 0;
    Run([&](long n) {
        if (n > 0) return false;
        for (const auto& p : {std::pair{478, 299}, {584, 299}, {402, 299}, {318, 299},
                              {634, 299}, {425, 299}})
            got.push_back(AtLogical(p.first, p.second));
        const ScreenRect& r = gChangeShape.diagramRect;
        for (int slot : {7, 8, 255}) stars += Count(R(r.left, r.top, r.right, r.top + 14), slot);
        ClickControl(gNavBar.changeTiltButton);
        return true;
    });
    const ChangeShapeState& st = gChangeShape;
    EXPECT_EQ(st.a, 105);
    EXPECT_EQ(st.X0, 478);
    EXPECT_EQ(st.Y0, 299);
    // Sun, Earth Normal's right end, Venus's and Mars's left ends, the selected orbit's ends.
    EXPECT_EQ(got, (std::vector<int>{14, 3, 8, 8, 13, 13}));
    EXPECT_GT(stars, 5);  // about 525 x 14 / 350 of them lie in the top 14 rows
}

}  // namespace
