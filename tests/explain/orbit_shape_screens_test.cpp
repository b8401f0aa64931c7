// What the two orbit-shape screens share, checked on both: where each button leads, the end of
// a single-cycle run, the shape buttons and the message boxes' own colour counters.
#include <array>
#include <vector>

#include "explain_fixture.h"

namespace {

using OrbitShapeScreens = ExplainTest;

TEST_F(OrbitShapeScreens, EachWayOutReturnsItsScreen) {
    Start();
    struct Way {
        const char* name;
        Control* (*button)(const ShapeScreen&);
        int result;  // 0: the screen's own id negated
    };
    const Way ways[] = {
        {"return", [](const ShapeScreen& s) { return s.controls->returnButton; }, 5},
        {"tilt", [](const ShapeScreen&) { return gNavBar.changeTiltButton; }, 2},
        {"shape", [](const ShapeScreen&) { return gNavBar.changeShapeButton; }, 5},
        {"latitudes", [](const ShapeScreen&) { return gNavBar.selectLatitudesButton; }, 8},
        {"exit", [](const ShapeScreen&) { return gNavBar.exitButton; }, 2001},
        {"display lost", nullptr, 0},
    };
    for (const ShapeScreen& s : kShapeScreens)
        for (const Way& w : ways) {
            const int result = DriveScreen(s.run, [&](long n) {
                if (n == 2 && w.button) ClickControl(w.button(s));
                if (n == 2 && !w.button) {
                    gPlatform.displayLost = true;
                    PostInput(MessageKind::MouseMove, 1, 1);
                }
                return n < 3;
            });
            EXPECT_EQ(result, w.result ? w.result : -s.id) << s.name << ", " << w.name;
            EXPECT_EQ(s.controls->panel, nullptr) << s.name;  // the controls were freed
        }
}

TEST_F(OrbitShapeScreens, SingleCycleModeEndsAfterOneOrbit) {
    ConfigRecord r = Record();
    r.singleCycleMode = 1;
    Start(r);
    for (const ShapeScreen& s : kShapeScreens) {
        long feeds = 0;
        const int result = DriveScreen(s.run, [&](long n) {
            feeds = n;
            return true;
        });
        EXPECT_EQ(result, 360) << s.name;
        EXPECT_EQ(feeds, 359) << s.name;
    }
}

// The shape is the screen's own: Earth Normal at every entry, the model's shape untouched. A
// click on the selected shape does nothing; every box drawn takes the screen's next colour.
TEST_F(OrbitShapeScreens, ShapeButtonsAndMessageBoxCounters) {
    Start();
    Settings().orbitShape = 0.25;
    for (const ShapeScreen& s : kShapeScreens) {
        using Seen = std::array<double, 5>;  // shape, step, box counter, box fill, selected
        std::vector<Seen> seen;
        Control* const* buttons = s.controls->shapeButtons;
        auto look = [&] {
            int selected = -1;
            for (int i = 0; i < kShapeButtonCount; ++i)
                if (buttons[i]->selected) selected = i;
            seen.push_back({*s.shape, double(*s.step), double(*s.counter),
                            double(AtLogical(s.boxX, s.boxY)), double(selected)});
        };
        for (int visit = 0; visit < 2; ++visit) {
            seen.clear();
            DriveScreen(s.run, [&](long n) {
                if (n == 5) look();
                if (n == 5) ClickControl(buttons[kEarthNormalShapeIndex]);  // selected already
                if (n == 6) look();
                if (n == 6) ClickControl(buttons[0]);
                if (n == 7) look();
                if (n == 9) ClickControl(buttons[3]);
                if (n == 10) look();
                if (n == 10) ClickControl(gNavBar.changeTiltButton);
                return n <= 10;
            });
            // The first visit starts with slot 1; the second goes on from where the first left.
            const int first = visit == 0 ? 1 : 2;
            const int c1 = NextBoxColour(first), c2 = NextBoxColour(c1), c3 = NextBoxColour(c2);
            const std::vector<Seen> want = {
                {EarthNormalShape, 5, double(c1), double(first), kEarthNormalShapeIndex},
                {EarthNormalShape, 5, double(c1), double(first), kEarthNormalShapeIndex},
                {0, 0, double(c2), double(c1), 0},
                {0.5, 0, double(c3), double(c2), 3},
            };
            EXPECT_EQ(seen, want) << s.name << " visit " << visit;
        }
        EXPECT_EQ(Settings().orbitShape, 0.25) << s.name;
    }
}

}  // namespace
