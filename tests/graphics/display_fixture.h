// SPDX-License-Identifier: GPL-3.0-or-later
// Shared set-up for tests on the full headless canvas: 1024 x 768 with the fixed palette, the
// whole picture in the background grey (slot 26), and the label font.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>

#include "graphics/display.h"
#include "graphics/palette.h"
#include "graphics/rect.h"
#include "graphics/text.h"

struct CanvasTest : ::testing::Test {
    TextFont* label = nullptr;

    void SetUp() override {
        ResetDisplayState();
        PlatformReset();
        PlatformSelectBackend(PlatformBackend::Headless);
        ASSERT_EQ(CreateMainDisplay("Heliora", 1, 1024), 1);
        SetUpFixedPalette();
        Clear();
        label = CreateTextFont("Arial Bold", 18, 0, 0);
        ASSERT_NE(label, nullptr);
    }
    void TearDown() override {
        DeleteGraphicObject(label);
        ResetDisplayState();
        ResetTextState();
        PlatformReset();
        EXPECT_EQ(gText.fontCount, 0);  // every font made was freed
    }
    static ScreenRect R(int l, int t, int r, int b) {
        ScreenRect s;
        MakeRect(s, l, t, r, b);
        return s;
    }
    void Clear() { std::fill(gDisplay.canvas.pixels.begin(), gDisplay.canvas.pixels.end(), 26); }
};
