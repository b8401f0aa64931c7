// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <climits>
#include <vector>

#include "graphics/draw.h"
#include "graphics/present.h"
#include "graphics/rect.h"
#include "tests/support/screen_driver.h"

namespace {

struct DispatcherTest : ScreenTest {
    void SetUp() override { Start(); }
    void TearDown() override {
        SetScreenTable(nullptr, 0);
        ScreenTest::TearDown();
    }
};

// What the stand-in screens saw and what they return next.
struct Script {
    std::vector<int> ran;              // ScreenIds in the order they ran
    std::vector<int> previousSeen;     // PreviousScreenId() as each screen started
    std::vector<int> results;          // what the next screen run returns
    size_t next = 0;
};
Script gScript;

int Stand() {
    gScript.ran.push_back(CurrentScreenId());
    gScript.previousSeen.push_back(PreviousScreenId());
    return gScript.next < gScript.results.size() ? gScript.results[gScript.next++] : 2000;
}

// Screen 13 covers the whole NavBar on its first run, as a pop-up or a lost display would
// leave it, and returns -13; on later runs it notes what the bar looks like.
struct BarSeen {
    int panelPixel = -1, exitPixel = -1;
    std::vector<int> states;
};
BarSeen gBarSeen;

int SpoilNavBarOnce() {
    const bool first = std::count(gScript.ran.begin(), gScript.ran.end(), 13) == 0;
    const int next = Stand();
    if (first) {
        BeginDrawing();
        ScreenRect r;
        MakeRect(r, 0, 0, 1024, 64);
        SetBrushColour(5);
        FillScreenRect(r);
        EndDrawing();
        return -13;
    }
    gBarSeen.panelPixel = gDisplay.canvas.At(150, 30);
    gBarSeen.exitPixel = gDisplay.canvas.At(16, 51);
    gBarSeen.states.clear();
    for (int i = 0; i < NavBarCount(); ++i) gBarSeen.states.push_back(gNavBar.list[i]->state);
    return next;
}

const ScreenEntry kStands[] = {{1, Stand}, {2, Stand}, {5, Stand}, {13, SpoilNavBarOnce}};

int gLast = 0;

void RunScreens(std::vector<int> results) {
    gScript = Script{};
    gBarSeen = BarSeen{};
    gScript.results = std::move(results);
    SetScreenTable(kStands, 4);
    gLast = RunScreenDispatcher();
}

// A negative id repaints the whole NavBar, then runs its screen again: 13 spoils the bar and
// returns -13.
TEST_F(DispatcherTest, StartsAtTheMainScreenAndFollowsEachResult) {
    RunScreens({2, 5, 13, 2000});
    EXPECT_EQ(gScript.ran, (std::vector<int>{1, 2, 5, 13, 13}));
    EXPECT_EQ(gScript.previousSeen, (std::vector<int>{-1, 1, 2, 5, 13}));
    EXPECT_EQ(gLast, 2000);
    EXPECT_EQ(CurrentScreenId(), 2000);
    EXPECT_EQ(PreviousScreenId(), 13);
    EXPECT_TRUE(gPlatform.queue.empty());  // 2000: the window is already closing
    EXPECT_EQ(gBarSeen.panelPixel, 26);
    EXPECT_EQ(gBarSeen.exitPixel, 19);
    // Drawn afresh leaves every control as it was: active, and Save In Logbook inactive.
    ASSERT_EQ(gBarSeen.states.size(), 12u);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(gBarSeen.states[i], gNavBar.list[i] == gNavBar.saveInLogbookButton ? 1 : 2) << i;
}

// Exit (2001), and ids that name no screen, end the program with one close request.
TEST_F(DispatcherTest, IdsThatNameNoScreenEndTheProgramInOrder) {
    // 96 is what a screen returns after one animation cycle in single-cycle mode.
    for (int id : {2001, 96, 0, 10, 14, 1999, 2002, INT_MAX, INT_MIN}) {
        gPlatform.queue.clear();
        RunScreens({id});
        EXPECT_EQ(gLast, id) << id;
        ASSERT_EQ(gPlatform.queue.size(), 1u) << id;
        EXPECT_EQ(gPlatform.queue.front().kind, MessageKind::CloseRequest) << id;
    }
}

}  // namespace
