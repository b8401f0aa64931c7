// SPDX-License-Identifier: GPL-3.0-or-later
// The platform layer on its headless backend: scripted messages, virtual clock, presents; the
// letterbox at window sizes from 1 x 1 to extreme shapes, and the headless window's resizes
// and F11 toggles mapping the pointer and the picture through it; partial presents.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <utility>

#include "platform/letterbox.h"
#include "platform/present_region.h"

namespace {

struct Headless : ::testing::Test {
    // Opens the headless window on a w x h canvas of zeros, with a known last present; when
    // `windowed`, on a 1920 x 1080 screen as --window would.
    void Open(int w, int h, bool windowed = false) {
        PlatformReset();
        ASSERT_TRUE(PlatformSelectBackend(PlatformBackend::Headless));
        if (windowed) {
            HeadlessSetScreenSize(1920, 1080);
            PlatformStartWindowed(true);
        }
        ASSERT_TRUE(PlatformOpenWindow("Heliora", false));
        canvas.assign(size_t(w * h), 0);
        ASSERT_TRUE(PlatformSetCanvas(canvas.data(), w, h, palette));
        PlatformPresent();
    }
    void SetUp() override {
        palette[1] = {10, 20, 30};
        palette[255] = {255, 255, 255};
        Open(4, 3);
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
    PlatformColour palette[256] = {};
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

TEST_F(Headless, PresentsAreCoalescedWithinOneRefreshAndMadeWhenTheQueueRunsDry) {
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

    // A dirty canvas is shown when the queue runs dry, not while messages wait.
    PlatformPresentCoalesced();
    ASSERT_TRUE(gPlatform.dirty);
    HeadlessPushMessage(Make(MessageKind::MouseMove));
    Message m;
    ASSERT_TRUE(PlatformPollMessage(m));
    EXPECT_EQ(gPlatform.presentCount, before + 2);
    EXPECT_FALSE(PlatformPollMessage(m));
    EXPECT_EQ(gPlatform.presentCount, before + 3);
    EXPECT_FALSE(PlatformPollMessage(m));
    EXPECT_EQ(gPlatform.presentCount, before + 3);  // nothing new to show
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
    EXPECT_FALSE(PlatformTakeDisplayLost());  // a real loss is reported: see the window test

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


TEST(Letterbox, FitsCentresAndMapsBothWays) {
    struct Case {
        int w, h;
        WindowRect box;
    };
    const Case cases[] = {
        {1024, 768, {0, 0, 1024, 768}},     {2048, 1536, {0, 0, 2048, 1536}},
        {1280, 1024, {0, 32, 1280, 960}},   {1920, 1080, {240, 0, 1440, 1080}},
        {600, 700, {0, 125, 600, 450}},     {1023, 767, {0, 0, 1023, 767}},
        {5000, 10, {2493, 0, 13, 10}},      {10, 5000, {0, 2496, 10, 8}},
        {1, 1, {0, 0, 1, 1}},               {0, -4, {0, 0, 1, 1}},
        {100000, 3, {49998, 0, 4, 3}},
    };
    for (const Case& c : cases) {
        const WindowRect b = LetterboxFor(c.w, c.h, 1024, 768);
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        EXPECT_EQ((std::array{b.x, b.y, b.w, b.h}),
                  (std::array{c.box.x, c.box.y, c.box.w, c.box.h}));
        // The corners of the box show the canvas's corners (as nearly as a shrunken picture
        // can: a window pixel's centre decides), and points far outside stay on the canvas.
        int x = -1, y = -1;
        WindowToCanvas(b, 1024, 768, b.x, b.y, x, y);
        EXPECT_TRUE(x <= 512 / b.w && y <= 384 / b.h) << x << "," << y;
        WindowToCanvas(b, 1024, 768, b.x + b.w - 1, b.y + b.h - 1, x, y);
        EXPECT_TRUE(x >= 1023 - 1024 / b.w && y >= 767 - 768 / b.h) << x << "," << y;
        WindowToCanvas(b, 1024, 768, -1000000, 2000000000, x, y);
        EXPECT_EQ(std::pair(x, y), std::pair(0, 767));
        // Where the window is at least as large as the canvas, every canvas pixel can be
        // pointed at: its first window pixel maps back onto it.
        if (b.w >= 1024)
            for (int cx = 0; cx < 1024; ++cx) {
                int wx = 0, wy = 0;
                CanvasToWindow(b, 1024, 768, cx, 0, wx, wy);
                WindowToCanvas(b, 1024, 768, wx, wy, x, y);
                ASSERT_EQ(x, cx);
            }
        CanvasToWindow(b, 1024, 768, 1024, 768, x, y);
        EXPECT_EQ(std::pair(x, y), std::pair(b.x + b.w, b.y + b.h));
    }
}

struct HeadlessWindow : Headless {
    void SetUp() override {
        palette[7] = {200, 100, 50};
        Open(1024, 768, true);
        canvas[767 * 1024 + 1023] = 7;  // the bottom-right pixel stands out
        PlatformPresent();
    }

    // A click at window pixel (wx, wy) reaches the program at canvas pixel (x, y).
    static void ExpectClick(int wx, int wy, int x, int y) {
        Message m;
        m.kind = MessageKind::LeftDown;
        m.x = wx;
        m.y = wy;
        HeadlessPushWindowMessage(m);
        ASSERT_TRUE(PlatformPollMessage(m));
        EXPECT_EQ(std::pair(m.x, m.y), std::pair(x, y)) << "from " << wx << "," << wy;
    }
};

// --window: 1024 x 768 where window and frame fit the desktop's usable area, else the largest
// 4:3 size that does; a frame of its own counts against the room.
TEST(WindowSize, LargestFourByThreeThatFitsWithTheFrame) {
    const struct {
        int usableW, usableH, frameW, frameH, w, h;
    } cases[] = {
        {1920, 1050, 2, 30, 1024, 768},  // room to spare: no larger than 1024 x 768
        {1024, 768, 0, 0, 1024, 768},    // exactly room, no frame (no window manager)
        {1366, 740, 2, 30, 944, 708},    // the laptop: a panel below and a title bar
        {1366, 768, 0, 0, 1024, 768},
        {1024, 768, 2, 30, 984, 738},    // the frame alone pushes it down
        {800, 572, 0, 28, 724, 543},     // height decides
        {700, 2000, 10, 0, 688, 516},    // width decides
        {100, 80, 0, 0, 160, 120},       // never below the smallest window
        {0, 0, 0, 0, 1024, 768},         // the desktop could not be measured
        {-5, 600, 0, 0, 1024, 768},
        {1280, 720, -4, -4, 960, 720},   // a nonsense frame counts as none
    };
    for (const auto& c : cases) {
        int w = 0, h = 0;
        ChooseWindowSize(c.usableW, c.usableH, c.frameW, c.frameH, w, h);
        EXPECT_EQ(std::pair(w, h), std::pair(c.w, c.h))
            << c.usableW << "x" << c.usableH << " frame " << c.frameW << "," << c.frameH;
    }
}

TEST_F(HeadlessWindow, ResizeAndF11TwiceKeepThePictureAndPointerInStep) {
    EXPECT_FALSE(PlatformIsFullscreen());
    EXPECT_EQ(std::pair(gPlatform.windowWidth, gPlatform.windowHeight), std::pair(1024, 768));

    // The user makes the window tall and narrow: the picture shrinks to 600 x 450, centred.
    ASSERT_TRUE(HeadlessResizeWindow(600, 700));
    const long before = gPlatform.presentCount;
    Message m;
    EXPECT_FALSE(PlatformPollMessage(m));  // screens get no message; the picture is shown again
    EXPECT_EQ(gPlatform.presentCount, before + 1);
    ExpectClick(300, 350, 512, 384);
    EXPECT_EQ(HeadlessWindowPixel(10, 10), 0xFF000000u);      // a bar
    EXPECT_EQ(HeadlessWindowPixel(599, 574), 0xFFC86432u);    // the canvas's last pixel
    EXPECT_EQ(HeadlessWindowPixel(599, 575), 0xFF000000u);    // the bar under it

    // F11 fills the 1920 x 1080 screen, F11 again gives back the same window and scaling.
    ASSERT_TRUE(PlatformToggleFullscreen());
    EXPECT_TRUE(PlatformIsFullscreen());
    PlatformFlush();
    EXPECT_EQ(gPlatform.presentedWindowWidth, 1920);
    ExpectClick(240, 0, 0, 0);
    EXPECT_EQ(HeadlessWindowPixel(1679, 1079), 0xFFC86432u);
    EXPECT_EQ(HeadlessWindowPixel(1680, 1079), 0xFF000000u);
    EXPECT_FALSE(HeadlessResizeWindow(800, 800));  // the whole screen is not dragged

    ASSERT_TRUE(PlatformToggleFullscreen());
    EXPECT_FALSE(PlatformIsFullscreen());
    PlatformFlush();
    EXPECT_EQ(std::pair(gPlatform.presentedWindowWidth, gPlatform.presentedWindowHeight),
              std::pair(600, 700));
    ExpectClick(300, 350, 512, 384);

    // A lost display after all this is still reported, once.
    HeadlessLoseDisplay();
    while (PlatformPollMessage(m)) {
    }
    EXPECT_TRUE(PlatformTakeDisplayLost());
    EXPECT_FALSE(PlatformTakeDisplayLost());
}

TEST(ChangedRegion, BoundsTheChangedPixelsAndSplitsFarApartChanges) {
    struct Case {
        std::vector<std::pair<int, int>> changes;  // (x, y) set to 7 on a 200x5 canvas
        PresentRegion want;
        std::vector<std::array<int, 3>> stretches;  // y, left, right
    };
    const Case cases[] = {
        {{}, {}, {}},
        {{{3, 2}}, {3, 2, 4, 3}, {{2, 3, 4}}},
        {{{0, 0}, {199, 4}}, {0, 0, 200, 5}, {{0, 0, 1}, {4, 199, 200}}},
        {{{5, 1}, {2, 3}}, {2, 1, 6, 4}, {{1, 5, 6}, {3, 2, 3}}},
        {{{3, 2}, {40, 2}}, {3, 2, 41, 3}, {{2, 3, 41}}},                // near: one stretch
        {{{3, 2}, {150, 2}, {160, 2}}, {3, 2, 161, 3}, {{2, 3, 4}, {2, 150, 161}}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> now(200 * 5, 0), shown(200 * 5, 0);
        for (auto [x, y] : c.changes) now[size_t(y * 200 + x)] = 7;
        std::vector<RowSpan> rows;
        const PresentRegion r = ChangedRegion(now.data(), 200, 5, shown, &rows);
        EXPECT_EQ(r.Empty(), c.want.Empty());
        if (!c.want.Empty()) {
            EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
                      (std::array{c.want.left, c.want.top, c.want.right, c.want.bottom}));
        }
        std::vector<std::array<int, 3>> got;
        for (const RowSpan& s : rows) got.push_back({s.y, s.left, s.right});
        EXPECT_EQ(got, c.stretches);
        EXPECT_EQ(shown, now);  // the next compare starts from this picture
        EXPECT_TRUE(ChangedRegion(now.data(), 200, 5, shown).Empty());
    }
    // A copy of another size (the first present, a new canvas) counts as all changed.
    std::vector<uint8_t> now(6, 1), shown;
    const PresentRegion r = ChangedRegion(now.data(), 3, 2, shown);
    EXPECT_EQ(std::pair(r.right - r.left, r.bottom - r.top), std::pair(3, 2));
    EXPECT_TRUE(ChangedRegion(nullptr, 3, 2, shown).Empty());
}

// Random strokes, palette changes and focus-ring moves: after each present the picture is
// exactly what converting the whole canvas and drawing the ring would give.
TEST_F(Headless, PartialPresentsEqualAWholeConversion) {
    const int w = 200, h = 30;  // wide enough for a row's changes to be split
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)};
    Open(w, h);
    std::mt19937 rng(5);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    for (int step = 0; step < 300; ++step) {
        switch (pick(6)) {
        case 0: palette[pick(256)] = {uint8_t(pick(256)), 0, 0}; break;
        case 1: PlatformSetFocusRing(pick(2) == 0, pick(w), pick(h), pick(w), pick(h)); break;
        default:  // a few strokes, often on one row and far apart
            for (int k = 1 + pick(3), y = pick(h); k > 0; --k) {
                const int x = pick(w), n = 1 + pick(10);
                for (int i = 0; i < n && x + i < w; ++i) canvas[size_t(y * w + x + i)] = uint8_t(pick(256));
            }
        }
        PlatformPresent();
        std::vector<uint32_t> want(canvas.size());
        PlatformConvertCanvas(canvas.data(), canvas.size(), palette, want.data());
        if (gPlatform.focusRing) DrawFocusRing(want.data(), w, h);
        ASSERT_EQ(gPlatform.frame, want) << "step " << step;
    }
}

}  // namespace
