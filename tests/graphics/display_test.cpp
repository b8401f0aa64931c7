// SPDX-License-Identifier: GPL-3.0-or-later
// The display on the headless backend: modes and scale, palette rules, the drawing bracket.
#include "graphics/display.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "graphics/draw.h"
#include "graphics/palette.h"
#include "graphics/present.h"
#include "graphics/rect.h"
#include "graphics/scale.h"

namespace {

struct Display : ::testing::Test {
    void SetUp() override {
        TearDown();
        PlatformSelectBackend(PlatformBackend::Headless);
    }
    void TearDown() override {
        ResetDisplayState();
        PlatformReset();
    }
};

TEST_F(Display, AutomaticModeFollowsTheScreen) {
    HeadlessSetScreenSize(1280, 1024);
    ASSERT_EQ(CreateMainDisplay("Heliora", 1, 0), 1);
    EXPECT_EQ(std::pair(DisplayWidth(), DisplayHeight()), std::pair(1024, 768));
    EXPECT_DOUBLE_EQ(gDisplayScale.sx, 1.0);
    TearDownDisplay();

    // A screen that cannot hold 1024 x 768 gets the smaller picture.
    HeadlessSetScreenSize(800, 600);
    ASSERT_EQ(CreateMainDisplay("Heliora", 0, 0), 1);
    EXPECT_EQ(DisplayWidth(), 800);
    EXPECT_DOUBLE_EQ(gDisplayScale.sx, 0.78125);
    EXPECT_DOUBLE_EQ(gDisplayScale.sy, 0.78125);
    EXPECT_EQ(std::pair(gDisplay.canvas.width, gDisplay.canvas.height), std::pair(800, 600));
    // Drawing starts as a fresh context: on the canvas, white pen, black fill, pattern 1.
    EXPECT_EQ(gDraw.target, &gDisplay.canvas);
    EXPECT_EQ(gPlatform.canvas, gDisplay.canvas.pixels.data());
    EXPECT_EQ((std::array<int, 3>{gDraw.penColour, gDraw.fillColour, gDraw.patternNumber}),
              (std::array{255, 0, 1}));

    // Conversions at the small mode truncate toward zero; a width is scaled as a width.
    EXPECT_EQ(ToDeviceX(32), 25);  // 25.5
    EXPECT_EQ(ToDeviceX(-1), 0);   // -0.28125
    ScreenRect r;
    MakeRect(r, 10, 10, 42, 42);
    const DeviceRect d = ToDeviceRect(r);
    EXPECT_EQ(std::pair(d.left, d.right - d.left), std::pair(8, 25));
    SetDisplaySize(0, 600);  // ignored: a zero scale would break every conversion
    EXPECT_EQ(DisplayWidth(), 800);
}

TEST_F(Display, UnsupportedModesFailAndTearDownIsSafe) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(CreateMainDisplay("Heliora", 1, 640), 0);
    EXPECT_EQ(CreateMainDisplay("Heliora", 3, 0), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Couldn't set display mode 640"), std::string::npos);
    EXPECT_NE(err.find("driver mode 3"), std::string::npos);
    TearDownDisplay();
    TearDownDisplay();
    EXPECT_FALSE(gPlatform.windowOpen);
    EXPECT_EQ(gDraw.target, nullptr);
}

TEST_F(Display, PaletteChangesShowWhenSentAndBlackAndWhiteNeverChange) {
    ASSERT_EQ(CreateMainDisplay("Heliora", 1, 1024), 1);
    SetPaletteEntry(160, 50, 60, 70);
    EXPECT_EQ(gDisplay.shown[160].r, 0);
    EXPECT_EQ(PaletteColour(160).r, 50);
    SetPaletteEntryNow(161, 80, 90, 300);
    EXPECT_EQ(gDisplay.shown[161].b, 255);  // channels are limited to 0..255
    EXPECT_EQ(gDisplay.shown[160].r, 0);
    ApplyPalette(160, 1);
    EXPECT_EQ(gDisplay.shown[160].r, 50);

    for (int slot : {0, 255, -4, 300}) {
        SetPaletteEntry(slot, 9, 9, 9);
        SetPaletteEntryNow(slot, 9, 9, 9);
    }
    ApplyPalette(-10, 1000);
    EXPECT_EQ((std::array{gDisplay.paletteCopy[0].r, gDisplay.paletteCopy[255].r,
                          gDisplay.shown[0].g, gDisplay.shown[255].g}),
              (std::array<uint8_t, 4>{0, 0, 0, 255}));
}

TEST_F(Display, FixedPaletteIsShownAndFreeColourAvoidsEveryEntry) {
    ASSERT_EQ(CreateMainDisplay("Heliora", 1, 1024), 1);
    SetUpFixedPalette();
    // Shown at once, black and white at the ends.
    EXPECT_EQ((std::array{gDisplay.shown[26].r, gDisplay.shown[0].r, gDisplay.shown[255].b}),
              (std::array<uint8_t, 3>{192, 0, 255}));
    for (int i = 1; i < 255; ++i) EXPECT_EQ(gDisplay.paletteCopy[i].flags, kPaletteNoCollapse);
    // The fixed colours replaced (1,1,1)..(1,1,50); slot 70 takes the first of them back.
    SetPaletteEntry(70, 1, 1, 1);
    FindFreeColour(100);
    EXPECT_EQ(gDisplay.paletteCopy[100].b, 2);
    FindFreeColour(100);  // its own colour counts as taken too
    EXPECT_EQ(gDisplay.paletteCopy[100].b, 3);
}

TEST_F(Display, DrawingsWithinOneRefreshShareOnePresent) {
    ASSERT_EQ(CreateMainDisplay("Heliora", 1, 1024), 1);
    PlatformPresent();
    const long before = gPlatform.presentCount;
    for (int i = 0; i < 40; ++i) {  // a screen of 40 controls, each in its own bracket
        BeginDrawing();
        BeginDrawing();  // nested: nothing
        EndDrawing();
    }
    EXPECT_EQ(gPlatform.presentCount, before);
    PlatformSleep(10);  // shown before the program sleeps
    EXPECT_EQ(gPlatform.presentCount, before + 1);
}

TEST_F(Display, LostDisplayIsReportedOnceForTheCanvas) {
    ASSERT_EQ(CreateMainDisplay("Heliora", 1, 1024), 1);
    Message m;
    HeadlessLoseDisplay();
    while (PlatformPollMessage(m)) {
    }
    Surface buffer;
    ResizeSurface(buffer, 4, 4);
    SetDrawTarget(&buffer);
    EXPECT_EQ(IsDisplayLost(), 0);  // a buffer keeps its contents
    SetDrawTarget(nullptr);
    EXPECT_EQ(IsDisplayLost(), 1);
    EXPECT_EQ(IsDisplayLost(), 0);  // reported once
}

}  // namespace
