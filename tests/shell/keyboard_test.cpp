// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard across the program's screens: the focus ring's round, F11, and the files F12
// and Ctrl+E write. (Enter on the NavBar and the arrow keys: the shell_keys replays.)
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "graphics/display.h"
#include "graphics/png.h"
#include "model/model.h"
#include "settings/change_shape_screen.h"
#include "settings/change_tilt_screen.h"
#include "settings/select_latitudes_screen.h"
#include "navbar/navbar.h"
#include "simulation/main_screen.h"
#include "tests/support/screen_driver.h"
#include "tests/tools/run_tool.h"
#include "widgets/export_files.h"
#include "widgets/keyboard.h"

namespace {

struct KeyboardTest : ScreenTest {
    void SetUp() override {
        Start();
        gExportFolder.overrideFolder = folder + "/out";
    }
    void TearDown() override {
        gExportFolder.overrideFolder.clear();
        ScreenTest::TearDown();
    }
    // A screen that ended by the window closing leaves no program behind: start a new one.
    void Restart() {
        TearDown();
        SetUp();
    }

    // Presses Tab until the ring is back where the first Tab put it; returns the ids of the
    // ring's stops, read while the screen still owns its controls.
    static std::vector<int> TabRound(int (*screen)()) {
        std::vector<const Control*> stops;
        std::vector<int> ids;
        DriveScreen(screen, [&](long) {
            if (!stops.empty() && gKeyboard.focus == stops.front() && stops.size() > 1) return false;
            if (gKeyboard.focus) {
                stops.push_back(gKeyboard.focus);
                ids.push_back(gKeyboard.focus->id);
            }
            if (stops.size() > 200) return false;
            PostKey(KeyTab);
            return true;
        });
        EXPECT_EQ(std::set<const Control*>(stops.begin(), stops.end()).size(), stops.size());
        return ids;
    }

    // The file of that extension (".png") written into the export folder.
    static std::string Exported(const char* extension) {
        for (const auto& e : std::filesystem::directory_iterator(gExportFolder.overrideFolder))
            if (e.path().extension() == extension) return e.path();
        return "";
    }
};

// Every stop is an enabled button, none is visited twice in a round, and the NavBar and About
// come after the screen's own; the end buttons of Change Shape are skipped when disabled.
TEST_F(KeyboardTest, TabVisitsEachEnabledButtonOnceARound) {
    struct Case {
        int (*screen)();
        double shape;
        int absentId;  // a disabled button the ring must skip (0: none)
    };
    const Case cases[] = {
        {RunMainScreen, 0.02, 0},
        {RunChangeTiltScreen, 0.02, 0},
        {RunChangeShapeScreen, 0.0, kShapeRounderId},
        {RunChangeShapeScreen, 0.5, kShapeStretchedId},
        {RunSelectLatitudesScreen, 0.02, 0},
    };
    for (const Case& c : cases) {
        Restart();
        Settings().orbitShape = c.shape;
        const std::vector<int> stops = TabRound(c.screen);
        ASSERT_GT(stops.size(), 5u);
        bool navBarSeen = false;
        for (int id : stops) {
            if (c.absentId) {
                EXPECT_NE(id, c.absentId);
            }
            const bool inNavBar = id >= kNavChangeTilt && id <= kNavClose && id != kNavWatchSeasons;
            if (inNavBar) {
                navBarSeen = true;
            } else if (id != kNavAbout) {
                EXPECT_FALSE(navBarSeen) << "own button " << id << " after the NavBar";
            }
        }
        EXPECT_EQ(stops.back(), kNavAbout);
    }
}

// F11 works on a screen and in a pop-up; after resizes and two toggles the window and its
// scaling are as before, and a click at a window point presses the control the letterbox
// puts there.
TEST_F(KeyboardTest, F11TogglesTheWindowAndClicksStillLand) {
    HeadlessSetScreenSize(1920, 1080);  // the whole screen, as the program started on it
    ASSERT_TRUE(PlatformIsFullscreen());
    int step = 0;
    const int result = DriveScreen(RunMainScreen, [&](long) {
        switch (step++) {
        case 0: PostKey(KeyF1); break;
        case 1:
            EXPECT_TRUE(gKeyboard.keysPanelOpen);
            PostKey(KeyF11);
            break;
        case 2:
            EXPECT_TRUE(gKeyboard.keysPanelOpen);
            EXPECT_FALSE(PlatformIsFullscreen());
            EXPECT_EQ(gPlatform.windowWidth, 1024);
            PostKey(KeyEscape);
            break;
        case 3:
            EXPECT_TRUE(HeadlessResizeWindow(600, 700));
            PostKey(KeyF11);
            break;
        case 4:
            EXPECT_TRUE(PlatformIsFullscreen());
            EXPECT_EQ(gPlatform.windowWidth, 1920);
            PostKey(KeyF11);
            break;
        case 5: {
            EXPECT_FALSE(PlatformIsFullscreen());
            EXPECT_EQ(gPlatform.windowWidth, 600);
            EXPECT_EQ(gPlatform.windowHeight, 700);
            const WindowRect box = PlatformLetterbox();
            EXPECT_EQ(box.y, 125);
            EXPECT_EQ(box.h, 450);
            const ScreenRect& r = gNavBar.exitButton->rect;
            int wx = 0, wy = 0;
            CanvasToWindow(box, DisplayWidth(), DisplayHeight(), ToDeviceX((r.left + r.right) / 2),
                           ToDeviceY((r.top + r.bottom) / 2), wx, wy);
            Message m;
            for (MessageKind k : {MessageKind::MouseMove, MessageKind::LeftDown, MessageKind::LeftUp}) {
                m.kind = k;
                m.x = wx;
                m.y = wy;
                HeadlessPushWindowMessage(m);
            }
            break;
        }
        default: return false;
        }
        return true;
    });
    EXPECT_EQ(step, 6);
    EXPECT_EQ(result, 2001);  // Exit, as its click gives
}

// F12 writes the canvas itself; Ctrl+E the year, which equals what heliora-model prints.
TEST_F(KeyboardTest, PictureAndNumbersOfTheRun) {
    int n = 0;
    std::vector<uint8_t> canvas;
    DriveScreen(RunMainScreen, [&](long) {
        ++n;
        if (n == 3) PostKey(KeySpace);  // pause, so the picture stands still
        if (n == 6) {
            canvas = gDisplay.canvas.pixels;
            PostKey(KeyF12);
        }
        if (n == 8) PostKey('E', kModControl);
        return n < 10;
    });
    Surface saved;
    ASSERT_TRUE(ReadSurfacePng(Exported(".png").c_str(), saved, nullptr));
    EXPECT_EQ(saved.pixels, canvas);

    const std::string csv = ReadWholeFile(Exported(".csv"));
    const size_t settingsEnd = csv.find('\n');
    EXPECT_EQ(csv.substr(0, settingsEnd),
              "# Heliora: tilt 23.5 degrees, orbit shape 0.02, latitudes 40N");
    const ToolResult tool =
        RunTool(HELIORA_BINARY_DIR "/tools/heliora-model/heliora-model", {"--lat", "40"});
    ASSERT_EQ(tool.status, 0) << tool.err;
    EXPECT_EQ(csv.substr(settingsEnd + 1), tool.out);
}

}  // namespace
