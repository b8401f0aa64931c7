// SPDX-License-Identifier: GPL-3.0-or-later
// The letterbox at window sizes from 1 x 1 to extreme shapes, and the headless window's
// resizes and F11 toggles mapping the pointer and the picture through it.
#include "platform/letterbox.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "platform/platform.h"

namespace {

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

class HeadlessWindow : public ::testing::Test {
protected:
    void SetUp() override {
        PlatformReset();
        PlatformSelectBackend(PlatformBackend::Headless);
        HeadlessSetScreenSize(1920, 1080);
        PlatformStartWindowed(true);
        ASSERT_TRUE(PlatformOpenWindow("Heliora", false));
        palette[7] = {200, 100, 50};
        canvas.assign(1024 * 768, 0);
        canvas[767 * 1024 + 1023] = 7;  // the bottom-right pixel stands out
        ASSERT_TRUE(PlatformSetCanvas(canvas.data(), 1024, 768, palette));
        PlatformPresent();
    }
    void TearDown() override { PlatformReset(); }

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

    std::vector<uint8_t> canvas;
    PlatformColour palette[256];
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
    EXPECT_EQ(gPlatform.windowWidth, 1024);
    EXPECT_EQ(gPlatform.windowHeight, 768);

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
    EXPECT_EQ(gPlatform.presentedWindowWidth, 600);
    EXPECT_EQ(gPlatform.presentedWindowHeight, 700);
    ExpectClick(300, 350, 512, 384);

    // A lost display after all this is still reported, once.
    HeadlessLoseDisplay();
    while (PlatformPollMessage(m)) {
    }
    EXPECT_TRUE(PlatformTakeDisplayLost());
    EXPECT_FALSE(PlatformTakeDisplayLost());
}

}  // namespace
