#include <cstring>
#include <string>

#include "shell_fixture.h"
#include "widgets/interaction.h"
#include "graphics/scale.h"
#include "graphics/text.h"
#include "widgets/screen_loop.h"

namespace {

struct NavBarTest : ShellTest {};

int Id(int i) { return gNavBar.list[i]->id; }

TEST_F(NavBarTest, WithTheLogbookTwelveControlsInCreationOrder) {
    Start(Record(true));
    ASSERT_EQ(NavBarCount(), 12);
    const NavBarState& n = gNavBar;
    Control* const expected[] = {n.navBarPanel,        n.helpLineBarPanel,    n.helpLine,
                                 n.exitButton,         n.changeTiltButton,    n.changeShapeButton,
                                 n.selectLatitudesButton, n.saveInLogbookButton,
                                 n.openLogbookButton,  n.minimiseBox,         n.closeBox,
                                 n.aboutButton};
    for (int i = 0; i < 12; ++i) {
        ASSERT_NE(expected[i], nullptr) << i;
        EXPECT_EQ(n.list[i], expected[i]) << i;
    }
    const int ids[] = {0, 0, 26, 807, 802, 803, 804, 806, 808, 809, 810, 1};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(Id(i), ids[i]) << i;  // a text bar's id is its fill
    EXPECT_EQ(n.layers, 2);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(n.list[i]->layer, i < 2 ? 0 : 1) << i;

    // Drawn once at start-up: everything active except Save In Logbook.
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(n.list[i]->state, n.list[i] == n.saveInLogbookButton ? 1 : 2) << i;

    EXPECT_EQ(HelpLine(), n.helpLine);
    EXPECT_STREQ(n.helpLine->label,
                 "This tells you about what's happening where your mouse cursor is.");
    EXPECT_STREQ(n.aboutButton->label, "About \"Heliora\"");
    EXPECT_STREQ(n.changeTiltButton->label, "Change@Tilt");
    EXPECT_STREQ(n.minimiseBox->label, "");
    EXPECT_EQ(n.minimiseBox->sprite, UiSprite(kSpriteMinimise));
    EXPECT_EQ(n.saveInLogbookButton->sprite, UiSprite(kSpriteSaveLogbook));

    // Rectangles on the HelpLine bar are placed relative to it.
    const ScreenRect& h = n.helpLine->rect;
    EXPECT_EQ(h.left, 136);
    EXPECT_EQ(h.top, 742);
    EXPECT_EQ(h.right, 1024);
    EXPECT_EQ(h.bottom, 764);
    const ScreenRect& a = n.aboutButton->rect;
    EXPECT_EQ(a.left, 4);
    EXPECT_EQ(a.top, 741);
    EXPECT_EQ(a.right, 132);
    EXPECT_EQ(a.bottom, 765);
    const ScreenRect& w = ScreenWorkArea();
    EXPECT_EQ(w.top, 64);
    EXPECT_EQ(w.bottom, 738);
}

TEST_F(NavBarTest, WithoutTheLogbookTenControlsAndNoLogbookButtons) {
    Start(Record(false));
    ASSERT_EQ(NavBarCount(), 10);
    EXPECT_EQ(gNavBar.saveInLogbookButton, nullptr);
    EXPECT_EQ(gNavBar.openLogbookButton, nullptr);
    const int ids[] = {0, 0, 26, 807, 802, 803, 804, 809, 810, 1};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Id(i), ids[i]) << i;
    EXPECT_FALSE(CreateNavBar());  // one NavBar per run
    EXPECT_EQ(NavBarCount(), 10);
}

TEST_F(NavBarTest, DrawnOnTheGreyScreenAndTheInactiveSaveButtonTakesNoClicks) {
    Start(Record(true));
    EXPECT_EQ(At(150, 30), 26);   // NavBar panel face
    EXPECT_EQ(At(16, 51), 19);    // Exit's face, below its icon
    EXPECT_EQ(At(500, 400), 26);  // the grey screen, before any screen draws
    EXPECT_EQ(At(1015, 750), 26);

    ScreenLoop loop;
    BeginScreenLoop(loop, 1);
    ASSERT_TRUE(AppendNavBar(loop));
    EXPECT_EQ(HitTestControls(750, 33, loop.count, loop.controls), gNavBar.navBarPanel);
    EXPECT_EQ(HitTestControls(50, 33, loop.count, loop.controls), gNavBar.exitButton);
    EXPECT_EQ(HitTestControls(600, 753, loop.count, loop.controls), gNavBar.helpLine);

    // The main screen activates it while it runs.
    gNavBar.saveInLogbookButton->state = kStateRedrawActive;
    DrawControl(gNavBar.saveInLogbookButton);
    EXPECT_EQ(HitTestControls(750, 33, loop.count, loop.controls), gNavBar.saveInLogbookButton);
    EndScreenLoop(loop);
}

// The About button shows its whole label at both display sizes: as much ink inside its frame
// as the label drawn alone.
TEST_F(NavBarTest, AboutLabelIsWholeAtBothSizes) {
    for (const int size : {1024, 800}) {
        SCOPED_TRACE(size);
        ConfigRecord r = Record(true);
        r.displayMode = size;
        Start(r);
        const Control* about = gNavBar.aboutButton;
        const DeviceRect d = ToDeviceRect(about->rect);
        int ink = 0;
        for (int y = d.top + 1; y < d.bottom - 1; ++y)
            for (int x = d.left + 1; x < d.right - 1; ++x) ink += At(x, y) == 0;
        // The label alone, in black on a cleared strip of the grey screen.
        const ScreenRect strip = MakeScreenRect(0, 300, 400, 340);
        SetBrushColour(26);
        FillScreenRect(strip);
        SelectTextFont(about->font);
        SetTextAlignment(1, 1);
        SetPenColour(0);
        DrawTextAt(200, 320, about->label);
        const DeviceRect s = ToDeviceRect(strip);
        int alone = 0;
        for (int y = s.top; y < s.bottom; ++y)
            for (int x = s.left; x < s.right; ++x) alone += At(x, y) == 0;
        EXPECT_GT(alone, 100);
        EXPECT_EQ(ink, alone);
        // A HelpLine text far wider than its bar is cut at the bar, never drawn over About.
        SetHelpLineText(gNavBar.helpLine, std::string(200, 'W').c_str());
        int after = 0;
        for (int y = d.top + 1; y < d.bottom - 1; ++y)
            for (int x = d.left + 1; x < d.right - 1; ++x) after += At(x, y) == 0;
        EXPECT_EQ(after, ink);
        TearDown();
    }
}

TEST_F(NavBarTest, SharedButtonsLeadToTheirScreens) {
    Start(Record(true));
    EXPECT_EQ(NavBarClickResult(kNavWatchSeasons, 2), 1);
    EXPECT_EQ(NavBarClickResult(kNavChangeTilt, 1), 2);
    EXPECT_EQ(NavBarClickResult(kNavChangeShape, 1), 5);
    EXPECT_EQ(NavBarClickResult(kNavSelectLatitudes, 1), 8);
    EXPECT_EQ(NavBarClickResult(kNavExit, 1), 2001);
    EXPECT_EQ(NavBarClickResult(kNavClose, 1), 2001);
    EXPECT_EQ(NavBarClickResult(4242, 1), kNavNotShared);

    EXPECT_EQ(NavBarClickResult(kNavOpenLogbook, 1), 15);
    EXPECT_EQ(gLogbookFile.openResult, 1);
    EXPECT_STREQ(gLogbookFile.fileName, "logbook.bin");

    EXPECT_EQ(NavBarClickResult(kNavMinimise, 1), kNavStay);
    EXPECT_EQ(Queued(MessageKind::SysMinimise), 1);
}

TEST_F(NavBarTest, SaveInLogbookStoresTheRunAndExitEmptiesTheFile) {
    Start(Record(true));
    ASSERT_TRUE(RebuildYearSeries());
    EXPECT_EQ(NavBarClickResult(kNavSaveInLogbook, 1), kNavStay);
    EXPECT_EQ(gLogbookFile.saveResult, 1);
    EXPECT_EQ(FileSize("logbook.bin"), long(kLogEntryBytes));
    EXPECT_EQ(NavBarClickResult(kNavSaveInLogbook, 1), kNavStay);
    EXPECT_EQ(FileSize("logbook.bin"), 2 * long(kLogEntryBytes));

    RunShutdownSteps();
    EXPECT_EQ(FileSize("logbook.bin"), 0);
    EXPECT_EQ(FileSize("logbook.tmp"), -1);
}

TEST_F(NavBarTest, MemoryOnlyLogbookSavesIntoSlotsAndLeavesFilesAlone) {
    ConfigRecord r = Record(true);
    r.logbookFilesOff = 1;
    Start(r);
    ASSERT_TRUE(RebuildYearSeries());
    EXPECT_EQ(NavBarClickResult(kNavSaveInLogbook, 1), kNavStay);
    EXPECT_GT(LogbookSlots()[0].serialNumber, 0);
    RunShutdownSteps();
    EXPECT_EQ(FileSize("logbook.bin"), -1);
}

TEST_F(NavBarTest, AboutPanelResults) {
    Start(Record(true));
    // Done: the screen goes on.
    Push(MessageKind::LeftDown, 512, 546);
    EXPECT_EQ(NavBarClickResult(kNavAbout, 13), kNavStay);

    // Left alone past the idle time-out: closes by itself and the screen goes on.
    const uint64_t before = PlatformTicks();
    EXPECT_EQ(NavBarClickResult(kNavAbout, 13), kNavStay);
    EXPECT_GT(PlatformTicks() - before, 60u * 1000u);

    // Display lost while open: the screen starts afresh.
    gPlatform.displayLost = true;
    Push(MessageKind::MouseMove, 500, 400);
    EXPECT_EQ(NavBarClickResult(kNavAbout, 13), -13);

    // The window closing while open ends the program.
    Push(MessageKind::CloseRequest);
    EXPECT_EQ(NavBarClickResult(kNavAbout, 13), 2001);
}

}  // namespace
