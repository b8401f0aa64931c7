// SPDX-License-Identifier: GPL-3.0-or-later
// Message classification, hit testing, hover, the shared screen loop, and pop-up panels with
// the About panel: what they leave behind, how they end, the notice box.
#include "config/logbook_file.h"
#include "graphics/edit_box.h"
#include "widgets/about.h"
#include "widgets/events.h"
#include "widgets/interaction.h"
#include "widgets/popup.h"
#include "widgets/screen_loop.h"
#include "widgets_fixture.h"

namespace {

using Events = WidgetTest;

TEST_F(Events, MessagesBecomeTheirCodes) {
    struct Case {
        MessageKind kind;
        int code;
    };
    const Case cases[] = {
        {MessageKind::LeftDown, 0},     {MessageKind::RightDown, 1}, {MessageKind::MouseMove, 2},
        {MessageKind::CloseRequest, 3}, {MessageKind::Disable, 4},   {MessageKind::Enable, 5},
        {MessageKind::Hide, 6},         {MessageKind::Show, 7},      {MessageKind::SysKeyDown, 10},
        {MessageKind::SysKeyUp, 10},    {MessageKind::SysClose, 10}, {MessageKind::LeftUp, 12},
        {MessageKind::KeyDown, 999},    {MessageKind::Character, 999}, {MessageKind::Other, 999},
    };
    for (const Case& k : cases) EXPECT_EQ(ClassifyMessage(Of(k.kind)), k.code) << int(k.kind);

    Message child = Of(MessageKind::KeyDown);
    child.target = MessageTarget::EditBox;
    child.key = KeyEnter;
    EXPECT_EQ(ClassifyMessage(child), 11);
    child.key = 'A';
    EXPECT_EQ(ClassifyMessage(child), 999);
    child.kind = MessageKind::LeftDown;
    EXPECT_EQ(ClassifyMessage(child), 10);

    EXPECT_TRUE(IsWindowClosing(Of(MessageKind::CloseRequest)));
    EXPECT_TRUE(IsWindowClosing(Of(MessageKind::Destroy)));
    EXPECT_FALSE(IsWindowClosing(Of(MessageKind::SysClose)));
}

TEST_F(Events, MinimisedWindowWaitsForRestoreOrClose) {
    // Everything but the restore is dropped while the window is an icon.
    HeadlessPushMessage(Of(MessageKind::SysMinimise));
    HeadlessPushMessage(Mouse(MessageKind::LeftDown, 10, 10));
    HeadlessPushMessage(Of(MessageKind::SysRestore));
    HeadlessPushMessage(Mouse(MessageKind::MouseMove, 5, 5));
    Message m;
    ASSERT_TRUE(PollMessage(m));
    DispatchMessage(m);
    EXPECT_EQ(ClassifyMessage(m), kEventRestored);
    EXPECT_EQ(IsDisplayLost(), 0);  // the picture is only shown again: nothing was lost
    ExpectNext(MessageKind::MouseMove);

    HeadlessPushMessage(Of(MessageKind::SysMinimise));
    HeadlessPushMessage(Of(MessageKind::SysClose));
    ASSERT_TRUE(PollMessage(m));
    EXPECT_EQ(ClassifyMessage(m), kEventClosedMinimised);

    // A script that ends while minimised gives the quit message, which is kept for the
    // outermost loop rather than swallowed.
    HeadlessPushMessage(Of(MessageKind::SysMinimise));
    ASSERT_TRUE(PollMessage(m));
    EXPECT_EQ(ClassifyMessage(m), kEventOther);
    ExpectNext(MessageKind::Quit);
}

std::vector<MessageKind> gHandled;
void Procedure(const Message& m) { gHandled.push_back(m.kind); }

TEST_F(Events, DispatchHandsMessagesToTheWindowProcedure) {
    gHandled.clear();
    SetWindowProcedure(Procedure);
    DispatchMessage(Mouse(MessageKind::MouseMove, 1, 1));
    DispatchMessage(Of(MessageKind::SysKeyDown));  // dropped
    DispatchMessage(Of(MessageKind::CloseRequest));
    ASSERT_EQ(gHandled.size(), 2u);
    EXPECT_EQ(gHandled[1], MessageKind::CloseRequest);
    // The default procedure re-applies the cursor on moves and closes on a close request.
    SetWindowProcedure(nullptr);
    SetCursorShape(2);
    gPlatform.cursorSlot = 1;
    DispatchMessage(Mouse(MessageKind::MouseMove, 1, 1));
    EXPECT_EQ(gPlatform.cursorSlot, 2);
    DispatchMessage(Of(MessageKind::CloseRequest));
    ExpectNext(MessageKind::Destroy);

    // Messages for an edit box go to the box, not to the window.
    gHandled.clear();
    SetWindowProcedure(Procedure);
    EditBox box;
    ASSERT_EQ(CreateEditBox(box, 0, R(100, 100, 300, 130)), 1);
    Message typed = Of(MessageKind::Character);
    typed.character = 'a';
    typed.target = MessageTarget::EditBox;
    typed.childId = int(box.childId);
    DispatchMessage(typed);
    EXPECT_EQ(EditText(box), "a");
    EXPECT_TRUE(gHandled.empty());
    DestroyEditBox(box);
    ResetEditBoxes();
}

TEST_F(Events, HitTestPrefersTheHigherLayerThenTheEarlierControl) {
    Control* low = Own(CreateHotspot(1, R(100, 100, 300, 300), "low", nullptr));
    Control* high = Own(CreateHotspot(2, R(200, 200, 400, 400), "high", nullptr));
    Control* twin = Own(CreateHotspot(2, R(200, 200, 400, 400), "twin", nullptr));
    Control* deep = Own(CreateHotspot(-2, R(0, 0, 1024, 768), "deep", nullptr));
    Control* minus1 = Own(CreateHotspot(-1, R(0, 0, 50, 50), "minus one", nullptr));
    Control* list[] = {low, twin, high, deep, minus1};
    for (Control* c : list) c->state = kStateActive;
    // Layer 2 first in the array wins; layer -2 never; left and top edges belong to the
    // control, right and bottom do not.
    const struct {
        int x, y, count;
        Control* hit;
    } cases[] = {{250, 250, 5, twin}, {150, 150, 5, low},     {350, 350, 5, twin},
                 {10, 10, 5, minus1}, {600, 600, 5, nullptr}, {100, 100, 1, low},
                 {300, 150, 1, nullptr}};
    for (const auto& c : cases) EXPECT_EQ(HitTestControls(c.x, c.y, c.count, list), c.hit) << c.x;
    // Only active controls are hit: not inactive, hidden or draw requests.
    twin->state = kStateInactive;
    high->state = kStateRedrawActive;
    EXPECT_EQ(HitTestControls(250, 250, 5, list), low);
    EXPECT_EQ(HitTestControls(250, 250, 0, list), nullptr);
    EXPECT_EQ(HitTestControls(250, 250, 5, nullptr), nullptr);
}

// A screen with a panel, two buttons on it, a help area, and a help line of its own.
struct LoopTest : WidgetTest {
    ScreenLoop loop;
    Control* panel = nullptr;
    Control* go = nullptr;
    Control* stay = nullptr;
    Control* help = nullptr;

    void SetUp() override {
        WidgetTest::SetUp();
        Control* line = Own(CreateTextBar(1, R(120, 742, 1024, 764), "", nullptr, gUi.labelFont,
                                          26, 0, "start"));
        SetHelpLine(line);
        DrawControl(line);
        BeginScreenLoop(loop, 13);
        panel = CreatePanel(0, R(0, 0, 1024, 738), "the panel", nullptr, 23);
        go = CreateButton(101, 1, -2, R(100, 100, 300, 160), "Go@There", "go help", nullptr,
                          panel, 16, gUi.labelFont);
        stay = CreateButton(102, 1, -2, R(400, 100, 600, 160), "Stay", "stay help", nullptr,
                            panel, 16, gUi.labelFont);
        help = CreateHotspot(1, R(700, 100, 900, 160), "area help", panel);
        for (Control* c : {panel, go, stay, help}) ASSERT_TRUE(AddScreenControl(loop, c));
        RedrawScreenLoop(loop);
    }
    void TearDown() override {
        EndScreenLoop(loop);
        WidgetTest::TearDown();
    }
    ScreenEvent Step(const Message& m) {
        HeadlessPushMessage(m);
        return NextScreenEvent(loop);
    }
};

TEST_F(LoopTest, ControlsAreDrawnLayerByLayerAndBecomeActive) {
    EXPECT_EQ(loop.layers, 2);
    for (Control* c : {panel, go, stay, help}) EXPECT_EQ(c->state, kStateActive);
    EXPECT_EQ(At(110, 150), 19);  // go's face, drawn over the panel
    EXPECT_EQ(CurrentCursorShape(), 1);
    EXPECT_EQ(NextScreenEvent(loop).code, kScreenIdle);
}

// The highlight, and that moving within a button draws nothing, are checked by a replay.
TEST_F(LoopTest, HoverMovesTheCursorAndHelpLine) {
    // The first control reached only takes the help line: there is nothing to un-highlight.
    Step(Mouse(MessageKind::MouseMove, 50, 400));
    EXPECT_STREQ(HelpLine()->label, "the panel");
    EXPECT_EQ(CurrentCursorShape(), 1);
    ScreenEvent e = Step(Mouse(MessageKind::MouseMove, 120, 130));
    EXPECT_EQ(e.code, kEventMouseMove);
    EXPECT_EQ(e.hit, go);
    EXPECT_STREQ(HelpLine()->label, "go help");
    EXPECT_EQ(CurrentCursorShape(), 3);
    // Onto the panel behind: the normal cursor and the panel's help return.
    Step(Mouse(MessageKind::MouseMove, 350, 130));
    EXPECT_EQ(CurrentCursorShape(), 1);
    EXPECT_STREQ(HelpLine()->label, "the panel");
    // A help area gives its help and the normal cursor; where no control lies, it stays.
    Step(Mouse(MessageKind::MouseMove, 800, 130));
    EXPECT_STREQ(HelpLine()->label, "area help");
    EXPECT_EQ(CurrentCursorShape(), 1);
    Step(Mouse(MessageKind::MouseMove, 800, 750));
    EXPECT_STREQ(HelpLine()->label, "area help");
}

TEST_F(LoopTest, ClicksPressOnlyActiveUnselectedPushButtons) {
    const int before = At(150, 110);
    Control* round = CreateRoundButton(103, 1, -2, R(300, 300, 400, 400), "A@B", "", nullptr,
                                       panel, 44, 37, gUi.labelFont);
    AddScreenControl(loop, round);
    DrawControl(round);
    const int roundBefore = At(330, 330);
    PressFeedback(round);
    EXPECT_EQ(At(330, 330), roundBefore);
    ScreenEvent e = Step(Mouse(MessageKind::LeftDown, 150, 130));
    EXPECT_EQ(e.code, kEventLeftDown);
    EXPECT_EQ(e.pressed, go);
    EXPECT_EQ(At(150, 110), before);  // the press animation leaves the picture as it was
    EXPECT_EQ(At(100, 100), 0);

    ToggleControl(stay);  // selected, as a screen marks its own NavBar button
    e = Step(Mouse(MessageKind::LeftDown, 450, 130));
    EXPECT_EQ(e.hit, stay);
    EXPECT_EQ(e.pressed, nullptr);

    e = Step(Mouse(MessageKind::LeftDown, 800, 130));
    EXPECT_EQ(e.hit, help);
    EXPECT_EQ(e.pressed, nullptr);

    go->state = kStateInactive;
    e = Step(Mouse(MessageKind::LeftDown, 150, 130));
    EXPECT_EQ(e.hit, panel);
    EXPECT_EQ(e.pressed, nullptr);
}

TEST_F(LoopTest, SharedControlsAreDrawnButNotFreed) {
    Control* bar = Own(CreatePanel(0, R(0, 0, 1024, 64), "bar", nullptr, 23));
    Control* exitButton = Own(CreateButton(807, 1, -2, R(10, 10, 90, 56), "Exit", "", nullptr,
                                           bar, 16, gUi.smallLabelFont));
    Control* nav[] = {bar, exitButton};
    ASSERT_TRUE(AppendSharedControls(loop, nav, 2, 2));
    Control* late = CreateHotspot(0, R(0, 0, 1, 1), "", nullptr);
    EXPECT_FALSE(AddScreenControl(loop, late));  // a screen's own controls come first
    DestroyControl(late);
    RedrawScreenLoop(loop);
    EXPECT_EQ(exitButton->state, kStateActive);
    ScreenEvent e = Step(Mouse(MessageKind::LeftDown, 50, 30));
    EXPECT_EQ(e.pressed, exitButton);
    EXPECT_EQ(SharedClickResult(e.pressed->id, 13), 2001);
    EndScreenLoop(loop);
    EXPECT_EQ(loop.count, 0);
    EXPECT_EQ(exitButton->state, kStateActive);  // still alive, owned by the test
}

TEST_F(Events, SharedIdsMeanTheSameOnEveryScreen) {
    for (auto [id, result] : {std::pair{801, 1}, {802, 2}, {803, 5}, {804, 8}, {806, int(kNavSaveRun)},
                              {807, 2001}, {810, 2001}, {808, 15}, {120, int(kNavNotShared)}})
        EXPECT_EQ(SharedClickResult(id, 4), result) << id;
    EXPECT_EQ(gLogbookFile.openResult, 1);  // Open Logbook chose its file
    EXPECT_STREQ(gLogbookFile.fileName, "logbook.bin");
    // Minimising posts the request and the screen stays.
    EXPECT_EQ(SharedClickResult(809, 4), kNavStay);
    ExpectNext(MessageKind::SysMinimise);
    // Without an About panel there is nothing to open.
    EXPECT_EQ(SharedClickResult(1, 4), kNavStay);
}

TEST_F(Events, DestroyingScreenControlsFreesEveryLayer) {
    Control* list[4] = {
        CreateHotspot(0, R(0, 0, 10, 10), "", nullptr),
        CreateHotspot(3, R(0, 0, 10, 10), "", nullptr),
        CreateHotspot(-1, R(0, 0, 10, 10), "", nullptr),  // outside the layers given
        nullptr,
    };
    const std::vector<uint8_t> before = gDisplay.canvas.pixels;
    DestroyScreenControls(4, list, 2);
    for (Control* c : list) EXPECT_EQ(c, nullptr);
    EXPECT_EQ(gDisplay.canvas.pixels, before);  // hiding paints nothing
}

TEST_F(Events, CursorConfinementFocusAndIdleClock) {
    for (int shape : {3, 21, -1}) SetCursorShape(shape);  // the last two are ignored
    EXPECT_EQ(XY(CurrentCursorShape(), gPlatform.cursorSlot), XY(3, 3));

    ConfinePointer(362, 186, 662, 586);
    EXPECT_TRUE(gPlatform.confined);
    EXPECT_EQ(gPlatform.confineLeft, 362);
    ConfinePointer(0, 0, 1024, 768);  // the whole screen: free
    EXPECT_FALSE(gPlatform.confined);
    ConfinePointer(362, 186, 662, 586);
    ConfinePointer(-1, 0, 0, 0);  // let go
    EXPECT_FALSE(gPlatform.confined);

    PlatformAddChild(ChildArea{7, 0, 0, 10, 10});
    PlatformSetKeyboardFocus(7);
    TakeFocus(1);
    EXPECT_EQ(PlatformKeyboardFocus(), 0);
    TakeFocus(0);
    EXPECT_EQ(PlatformKeyboardFocus(), 7);

    gConfig.record.idleTimeoutEnabled = 1;
    gConfig.record.idleTimeoutSeconds = 60;
    RestartIdleClock();
    HeadlessAdvanceClock(60 * 1000);
    EXPECT_FALSE(IdleTimedOut());
    HeadlessAdvanceClock(1000);
    EXPECT_TRUE(IdleTimedOut());
    gConfig.record.idleTimeoutEnabled = 0;
    EXPECT_FALSE(IdleTimedOut());
}

struct Popup : WidgetTest {
    void SetUp() override {
        WidgetTest::SetUp();
        // A striped screen, so a restore that misses a part shows.
        for (int y = 0; y < 768; y += 8) Fill(R(0, y, 1024, y + 4), 40);
        ASSERT_TRUE(CreateAboutPanel());
        Control* line = Own(CreateTextBar(1, R(120, 742, 1024, 764), "", nullptr, gUi.labelFont,
                                          26, 0, ""));
        SetHelpLine(line);
    }
    static int Stripe(int y) { return (y % 8) < 4 ? 40 : 26; }
    // The striped picture under the About panel is back.
    void ExpectScreenRestored() {
        for (int y : {186, 200, 404, 521, 585})
            for (int x : {362, 400, 512, 661}) EXPECT_EQ(At(x, y), Stripe(y)) << x << "," << y;
    }
};

TEST_F(Popup, DoneClosesAtOnceAndPutsTheScreenBack) {
    Control* done = AboutDoneButton();
    gDrawCount = 0;
    done->drawCallback = CountDrawing;
    HeadlessPushMessage(Mouse(MessageKind::MouseMove, 400, 300));  // over the panel
    HeadlessPushMessage(Mouse(MessageKind::MouseMove, 500, 540));  // over "Done"
    HeadlessPushMessage(Mouse(MessageKind::MouseMove, 510, 545));
    HeadlessPushMessage(Mouse(MessageKind::LeftDown, 510, 545));
    EXPECT_EQ(RunAboutPanel(), 1);
    EXPECT_EQ(gDrawCount, 1);  // drawn on opening only: no highlight of the choice
    EXPECT_EQ(XY(done->state, done->selected), XY(kStateInactive, 0));
    ExpectScreenRestored();
    EXPECT_FALSE(gPlatform.confined || gPlatform.captured);
}

TEST_F(Popup, OtherButtonsShowTheChoiceAndKeepTheirSelection) {
    Control* panel = AboutPanel();
    Control* yes = Own(CreateButton(140, 1, 1, R(20, 335, 120, 385), "Yes", "", nullptr, panel,
                                    16, gUi.labelFont));
    Control* no = Own(CreateButton(141, 1, 1, R(180, 335, 280, 385), "No", "", nullptr, panel, 16,
                                   gUi.labelFont));
    Control* both[] = {yes, no};
    gDrawCount = 0;
    yes->drawCallback = CountDrawing;
    HeadlessPushMessage(Mouse(MessageKind::LeftDown, 400, 540));
    EXPECT_EQ(RunPopupPanel(panel, 2, both), 140);
    EXPECT_EQ(gDrawCount, 2);  // opened, then shown chosen
    EXPECT_EQ(yes->selected, 0);  // so it can be chosen again next time
    ExpectScreenRestored();
    HeadlessPushMessage(Mouse(MessageKind::LeftDown, 400, 540));
    EXPECT_EQ(RunPopupPanel(panel, 2, both), 140);
}

TEST_F(Popup, IdleTimeOutEndsAnUntouchedPanel) {
    gConfig.record.idleTimeoutEnabled = 1;
    gConfig.record.idleTimeoutSeconds = 60;
    HeadlessAdvanceClock(3600 * 1000);  // long on the screens before: the clock starts afresh
    const uint64_t opened = PlatformTicks();
    HeadlessPushMessage(Mouse(MessageKind::MouseMove, 400, 300));
    EXPECT_EQ(RunAboutPanel(), kPopupTimedOut);
    EXPECT_GT(PlatformTicks() - opened, 60u * 1000u);
    ExpectScreenRestored();
}

TEST_F(Popup, DisplayLossAndClosingEndThePanelAtOnce) {
    HeadlessLoseDisplay();
    HeadlessPushMessage(Mouse(MessageKind::LeftDown, 510, 545));
    EXPECT_EQ(RunAboutPanel(), kPopupDisplayLost);
    // The pointer and keyboard are given back even though nothing is restored.
    EXPECT_FALSE(gPlatform.confined || gPlatform.captured);
    EXPECT_EQ(AboutDoneButton()->state, kStateInactive);
    ExpectNext(MessageKind::LeftDown);  // the click after the loss is left for the screen

    HeadlessPushMessage(Of(MessageKind::CloseRequest));
    EXPECT_EQ(RunAboutPanel(), kPopupWindowClosing);
    EXPECT_EQ(gWidgets.lastMessage.kind, MessageKind::CloseRequest);

    // With no time-out and nothing more to come, the panel ends instead of waiting for ever.
    EXPECT_EQ(RunAboutPanel(), kPopupWindowClosing);
}

TEST_F(Popup, PanelsLargerThanTheSharedBufferAreRestoredWhole) {
    Control* big = Own(CreatePopupPanel(0, 0, R(100, 100, 900, 700), "big", nullptr, 23));
    Control* ok = Own(CreateButton(150, 1, 1, R(350, 500, 450, 550), "Done", "", nullptr, big, 16,
                                   gUi.labelFont));
    Control* list[] = {ok};
    HeadlessPushMessage(Mouse(MessageKind::LeftDown, 500, 620));
    EXPECT_EQ(RunPopupPanel(big, 1, list), 150);
    for (int y : {100, 404, 699})
        for (int x : {100, 650, 899}) EXPECT_EQ(At(x, y), Stripe(y)) << x << "," << y;
}

TEST_F(Popup, VersionTextsAndOneAboutPanel) {
    char text[64];
    for (auto [version, want] : {std::pair<const char*, const char*>{"1.1h", "Version 1.1h"},
                                 {"0.9", "Version 0.9 (beta)"}, {"X3", "Version X3 (alpha)"}, {nullptr, "Version "}}) {
        FormatVersionText(version, text, sizeof text);
        EXPECT_STREQ(text, want);
    }
    EXPECT_FALSE(CreateAboutPanel());  // made once
}

TEST_F(Popup, NoticeComesAndGoesLeavingNothingBehind) {
    const ScreenRect box = R(272, 300, 752, 400);
    const char* text = "Only two latitudes can be selected at the same time.@ @Turn off one.";
    ShowNotice(box, text, gUi.headingFont, 1);
    EXPECT_TRUE(NoticeShown());
    ExpectPixels({{280, 310, 4}, {760, 410, 0}});  // the face and the shadow
    EXPECT_GT(Count(R(272, 300, 752, 340), 14), 50);
    // The long first line widens the box: its bevel stays whole and the text clear of it.
    int left = 200;
    while (left < 272 && At(left, 350) != 12) ++left;
    EXPECT_LT(left, 266);
    for (int y = 300; y < 400; ++y)
        for (int x = left - 2; x < left + 3; ++x) ASSERT_NE(At(x, y), 14) << x << "," << y;
    ShowNotice(box, "again", gUi.headingFont, 1);  // already shown: no second notice
    ShowNotice(box, nullptr, nullptr, 0);
    EXPECT_FALSE(NoticeShown());
    for (int y = 290; y < 430; ++y)
        for (int x = 200; x < 830; x += 3) ASSERT_EQ(At(x, y), Stripe(y)) << x << "," << y;
    ShowNotice(box, nullptr, nullptr, 0);  // nothing to take away
}

TEST(SmallDisplay, UsesTheSmallSheetAndItsOwnSpriteTable) {
    ResetDisplayState();
    PlatformReset();
    PlatformSelectBackend(PlatformBackend::Headless);
    ResetWidgetState();
    ASSERT_EQ(CreateMainDisplay("Heliora", 0, 800), 1);
    EXPECT_EQ(gPlatform.windowIconWidth, 0);
    ASSERT_TRUE(CreateUiResources());
    EXPECT_EQ(gPlatform.windowIconWidth, 32);  // the window shows the program's icon
    ASSERT_NE(gUi.spriteSheet.surface, nullptr);
    EXPECT_EQ(WidgetTest::XY(gUi.spriteSheet.surface->width, gUi.spriteSheet.surface->height),
              WidgetTest::XY(144, 126));
    EXPECT_EQ(WidgetTest::XY(UiSprite(kSpriteDone)->width, UiSprite(kSpriteRounder)->x),
              WidgetTest::XY(28, 117));
    EXPECT_EQ(UiSprite(SpriteId(kSpriteCount)), nullptr);
    ResetWidgetState();
    ReleaseUiResources();
    ResetTextState();
    ResetDisplayState();
    PlatformReset();
}

}  // namespace
