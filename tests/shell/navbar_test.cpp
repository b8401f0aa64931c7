// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "graphics/scale.h"
#include "graphics/text.h"
#include "tests/support/screen_driver.h"
#include "widgets/interaction.h"

namespace {

struct NavBarTest : ScreenTest {};

// With the logbook twelve controls, without it ten and no logbook buttons: the ids in creation
// order (a text bar's id is its fill), the bar below the buttons, drawn once at start-up on
// the grey screen, before any screen draws, with everything active except Save In Logbook.
// (An inactive Save In Logbook takes no clicks: the navbar_buttons replay.)
TEST_F(NavBarTest, ControlsInCreationOrderWithAndWithoutTheLogbook) {
    const struct {
        bool logbook;
        std::vector<int> ids;
    } cases[] = {{true, {0, 0, 26, 807, 802, 803, 804, 806, 808, 809, 810, 1}},
                 {false, {0, 0, 26, 807, 802, 803, 804, 809, 810, 1}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.logbook);
        ConfigRecord r = Record();
        r.logbookEnabled = c.logbook;
        Start(r);
        const NavBarState& n = gNavBar;
        ASSERT_EQ(NavBarCount(), int(c.ids.size()));
        EXPECT_EQ(n.layers, 2);
        for (int i = 0; i < NavBarCount(); ++i) {
            EXPECT_EQ(n.list[i]->id, c.ids[size_t(i)]) << i;
            EXPECT_EQ(n.list[i]->layer, i < 2 ? 0 : 1) << i;
            EXPECT_EQ(n.list[i]->state, n.list[i] == n.saveInLogbookButton ? 1 : 2) << i;
        }
        EXPECT_EQ(n.saveInLogbookButton != nullptr, c.logbook);
        EXPECT_EQ(n.openLogbookButton != nullptr, c.logbook);
        EXPECT_EQ(HelpLine(), n.helpLine);
        EXPECT_STREQ(n.helpLine->label,
                     "This tells you about what's happening where your mouse cursor is.");
        EXPECT_STREQ(n.aboutButton->label, "About \"Heliora\"");
        EXPECT_EQ(ScreenWorkArea().top, 64);
        EXPECT_EQ(ScreenWorkArea().bottom, 738);
        EXPECT_EQ(At(150, 30), 26);   // the NavBar's panel face
        EXPECT_EQ(At(16, 51), 19);    // Exit's face, below its icon
        EXPECT_EQ(At(500, 400), 26);  // the grey screen
        EXPECT_EQ(At(1015, 750), 26);
        EXPECT_FALSE(CreateNavBar());  // one NavBar per run
        EXPECT_EQ(NavBarCount(), int(c.ids.size()));
        TearDown();
    }
}

// The About button shows its whole label at both display sizes: as much ink inside its frame
// as the label drawn alone.
TEST_F(NavBarTest, AboutLabelIsWholeAtBothSizes) {
    for (const int size : {1024, 800}) {
        SCOPED_TRACE(size);
        Start(Record(size));
        const Control* about = gNavBar.aboutButton;
        const DeviceRect d = ToDeviceRect(about->rect);
        const auto inkInFrame = [&] {
            int n = 0;
            for (int y = d.top + 1; y < d.bottom - 1; ++y)
                for (int x = d.left + 1; x < d.right - 1; ++x) n += At(x, y) == 0;
            return n;
        };
        const int ink = inkInFrame();
        // The label alone, in black on a cleared strip of the grey screen.
        const ScreenRect strip = MakeScreenRect(0, 300, 400, 340);
        SetBrushColour(26);
        FillScreenRect(strip);
        SelectTextFont(about->font);
        SetTextAlignment(1, 1);
        SetPenColour(0);
        DrawTextAt(200, 320, about->label);
        EXPECT_GT(Count(strip, 0), 100);
        EXPECT_EQ(ink, Count(strip, 0));
        // A HelpLine text far wider than its bar is cut at the bar, never drawn over About.
        SetHelpLineText(gNavBar.helpLine, std::string(200, 'W').c_str());
        EXPECT_EQ(inkInFrame(), ink);
        TearDown();
    }
}

// The display lost while About is open: the screen starts afresh. (Done, the idle time-out and
// the window closing: the about_panel and shell_about replays.)
TEST_F(NavBarTest, AboutPanelLosingTheDisplayStartsTheScreenAfresh) {
    Start();
    gPlatform.displayLost = true;
    PostInput(MessageKind::MouseMove, 500, 400);
    EXPECT_EQ(NavBarClickResult(kNavAbout, 13), -13);
}

}  // namespace
