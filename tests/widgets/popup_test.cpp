// SPDX-License-Identifier: GPL-3.0-or-later
// Pop-up panels and the About panel: what they leave behind, how they end, the notice box.
#include <cstring>

#include "widgets/about.h"
#include "widgets/events.h"
#include "widgets/interaction.h"
#include "widgets/popup.h"
#include "widgets_fixture.h"

namespace {

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
