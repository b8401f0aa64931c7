// SPDX-License-Identifier: GPL-3.0-or-later
// The platform layer on its headless backend: scripted messages, virtual clock, presents.
#include "platform/platform.h"

#include <gtest/gtest.h>

namespace {

class Headless : public ::testing::Test {
protected:
    void SetUp() override {
        PlatformReset();
        ASSERT_TRUE(PlatformSelectBackend(PlatformBackend::Headless));
        ASSERT_TRUE(PlatformOpenWindow("Heliora", false));
        palette[1] = {10, 20, 30};
        palette[255] = {255, 255, 255};
        canvas.assign(4 * 3, 0);
        ASSERT_TRUE(PlatformSetCanvas(canvas.data(), 4, 3, palette));
        PlatformPresent();  // start with a clean canvas and a known last present
    }
    void TearDown() override { PlatformReset(); }

    Message Make(MessageKind kind, int x = 0, int y = 0) {
        Message m;
        m.kind = kind;
        m.x = x;
        m.y = y;
        return m;
    }

    std::vector<uint8_t> canvas;
    PlatformColour palette[256];
};

TEST_F(Headless, ClockMovesOnlyWhenWaitingAndScriptedMessagesComeOutInOrderAndStamped) {
    const uint64_t t0 = PlatformTicks();
    PlatformSleep(50);
    PlatformSleep(-5);  // a negative delay is no delay
    Message m;
    EXPECT_FALSE(PlatformWaitMessage(m, 7));
    EXPECT_EQ(PlatformTicks(), t0 + 57);

    HeadlessPushMessage(Make(MessageKind::MouseMove, 5, 6));
    HeadlessAdvanceClock(20);
    Message key = Make(MessageKind::KeyDown);
    key.key = KeyEnter;
    HeadlessPushMessage(key);
    ASSERT_TRUE(PlatformPollMessage(m));
    EXPECT_EQ(m.kind, MessageKind::MouseMove);
    EXPECT_EQ(std::pair(m.x, m.y), std::pair(5, 6));
    EXPECT_EQ(m.time, PlatformTicks());
    ASSERT_TRUE(PlatformPollMessage(m));
    EXPECT_EQ(m.key, KeyEnter);
    EXPECT_FALSE(PlatformPollMessage(m));
    // An unlimited wait on an empty script ends with a quit.
    ASSERT_TRUE(PlatformWaitMessage(m, -1));
    EXPECT_EQ(m.kind, MessageKind::Quit);
}

TEST_F(Headless, PresentsAreCoalescedWithinOneRefresh) {
    const long before = gPlatform.presentCount;
    canvas[0] = 1;
    PlatformPresentCoalesced();  // no refresh has passed since the last present
    PlatformPresentCoalesced();
    EXPECT_EQ(gPlatform.presentCount, before);
    EXPECT_TRUE(gPlatform.dirty);
    EXPECT_EQ(PresentedPixel(0, 0), 0xFF000000u);

    // The dirty canvas is shown before sleeping.
    PlatformSleep(1);
    EXPECT_EQ(gPlatform.presentCount, before + 1);
    EXPECT_EQ(PresentedPixel(0, 0), 0xFF0A141Eu);

    // A refresh later, a finished drawing is shown at once.
    HeadlessAdvanceClock(uint64_t(gPlatform.refreshMs));
    PlatformPresentCoalesced();
    EXPECT_EQ(gPlatform.presentCount, before + 2);
    EXPECT_FALSE(gPlatform.dirty);
}

TEST_F(Headless, DirtyCanvasIsShownWhenTheQueueRunsDry) {
    PlatformPresentCoalesced();
    const long before = gPlatform.presentCount;
    ASSERT_TRUE(gPlatform.dirty);
    HeadlessPushMessage(Make(MessageKind::MouseMove));
    Message m;
    ASSERT_TRUE(PlatformPollMessage(m));
    EXPECT_EQ(gPlatform.presentCount, before);  // still messages to handle
    EXPECT_FALSE(PlatformPollMessage(m));
    EXPECT_EQ(gPlatform.presentCount, before + 1);
    EXPECT_FALSE(PlatformPollMessage(m));
    EXPECT_EQ(gPlatform.presentCount, before + 1);  // nothing new to show
}

// Polls one message and expects its kind.
void ExpectNext(MessageKind kind) {
    Message m;
    ASSERT_TRUE(PlatformPollMessage(m));
    EXPECT_EQ(m.kind, kind);
}

TEST_F(Headless, ARestoreShowsThePictureAgainLosesNothingAndACloseQuits) {
    PlatformMinimise();
    ExpectNext(MessageKind::SysMinimise);
    EXPECT_TRUE(gPlatform.minimised);
    PlatformRestore();
    ExpectNext(MessageKind::SysRestore);
    EXPECT_FALSE(gPlatform.minimised);
    EXPECT_TRUE(gPlatform.dirty);  // presented again
    EXPECT_FALSE(PlatformTakeDisplayLost());
    // A display that really is lost is still reported, once.
    gPlatform.displayLost = true;
    EXPECT_TRUE(PlatformTakeDisplayLost());
    EXPECT_FALSE(PlatformTakeDisplayLost());

    PlatformDefaultHandling(Make(MessageKind::CloseRequest));
    ExpectNext(MessageKind::Destroy);
    ExpectNext(MessageKind::Quit);
}

// Polls one message per target and expects it there (a child's with the child's id, 7).
void ExpectTargets(std::initializer_list<MessageTarget> targets) {
    for (MessageTarget t : targets) {
        Message m;
        ASSERT_TRUE(PlatformPollMessage(m));
        EXPECT_EQ(m.target, t);
        EXPECT_TRUE(t != MessageTarget::EditBox || m.childId == 7) << m.childId;
    }
}

TEST_F(Headless, ChildWindowsGetTheirMouseAndFocusedKeys) {
    PlatformAddChild(ChildArea{7, 10, 10, 20, 20});
    HeadlessPushMessage(Make(MessageKind::LeftDown, 15, 15));
    HeadlessPushMessage(Make(MessageKind::LeftDown, 20, 15));  // right edge is outside
    HeadlessPushMessage(Make(MessageKind::Character));
    // The key goes to the main window, which has the focus.
    ExpectTargets({MessageTarget::EditBox, MessageTarget::MainWindow, MessageTarget::MainWindow});
    PlatformSetKeyboardFocus(7);
    PlatformCaptureMouse(true);
    HeadlessPushMessage(Make(MessageKind::KeyDown));
    HeadlessPushMessage(Make(MessageKind::LeftDown, 15, 15));
    // The key goes to the focused child; the click is captured by the main window.
    ExpectTargets({MessageTarget::EditBox, MessageTarget::MainWindow});

    PlatformSetKeyboardFocus(99);  // no such child: the focus stays
    EXPECT_EQ(PlatformKeyboardFocus(), 7);
    PlatformRemoveChild(7);
    EXPECT_EQ(PlatformKeyboardFocus(), 0);
}

TEST_F(Headless, CursorSlotsOutsideTheTableAreIgnored) {
    EXPECT_TRUE(gPlatform.cursorLoaded[1] && gPlatform.cursorLoaded[2] && gPlatform.cursorLoaded[3]);
    PlatformShowCursor(-1);  // nothing chosen yet
    EXPECT_EQ(gPlatform.cursorSlot, -1);
    PlatformShowCursor(3);
    PlatformShowCursor(21);
    PlatformShowCursor(-7);
    EXPECT_EQ(gPlatform.cursorSlot, 3);
    const uint8_t pixels[4] = {0, 1, 1, 0};
    EXPECT_FALSE(PlatformSetCursorImage(0, pixels, 2, 2, 0, 0, 0, palette));
    EXPECT_FALSE(PlatformSetCursorImage(4, pixels, 0, 2, 0, 0, 0, palette));
    EXPECT_TRUE(PlatformSetCursorImage(4, pixels, 2, 2, 9, 9, 0, palette));
}

TEST(Cp1252, ConvertsUtf8AndDropsWhatTheCodePageLacks) {
    std::vector<uint8_t> out;
    // "a", degree sign, euro sign, a CJK character, a stray continuation byte, "z".
    Utf8ToCp1252("a\xC2\xB0\xE2\x82\xAC\xE4\xB8\xAD\x80z", out);
    EXPECT_EQ(out, (std::vector<uint8_t>{'a', 0xB0, 0x80, 'z'}));
    out.clear();
    Utf8ToCp1252("\xE2\x82", out);  // cut short
    EXPECT_TRUE(out.empty());
    for (int b = 1; b < 256; ++b) {
        const uint32_t cp = Cp1252ToUnicode(uint8_t(b));
        if (cp != 0) {
            EXPECT_EQ(UnicodeToCp1252(cp), b);
        }
    }
    EXPECT_EQ(UnicodeToCp1252(0x81), -1);
}

}  // namespace
