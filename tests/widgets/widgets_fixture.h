// SPDX-License-Identifier: GPL-3.0-or-later
// Shared set-up for the toolkit tests: the headless display at 1024 x 768 with the fixed
// palette, the shared fonts and sprites, and helpers to script input and read the canvas.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

#include "graphics/display.h"
#include "graphics/draw.h"
#include "graphics/palette.h"
#include "graphics/present.h"
#include "graphics/rect.h"
#include "graphics/text.h"
#include "platform/platform.h"
#include "config/config.h"
#include "widgets/control.h"
#include "widgets/events.h"
#include "widgets/ui_resources.h"
#include "widgets/widget_state.h"

struct WidgetTest : ::testing::Test {
    std::vector<Control*> owned;

    void SetUp() override {
        ResetDisplayState();
        PlatformReset();
        PlatformSelectBackend(PlatformBackend::Headless);
        ResetConfiguration();
        ResetWidgetState();
        ASSERT_EQ(CreateMainDisplay("Heliora", 0, 1024), 1);
        BeginDrawing();
        SetUpFixedPalette();
        ApplyPalette(0, 256);
        EndDrawing();
        ASSERT_TRUE(CreateUiResources());
        Fill(R(0, 0, 1024, 768), 26);
    }
    void TearDown() override {
        for (Control* c : owned) DestroyControl(c);
        owned.clear();
        ResetWidgetState();
        ReleaseUiResources();
        ResetTextState();  // fonts are gone: FreeType and fontconfig can go too
        ResetDisplayState();
        PlatformReset();
        ResetConfiguration();
    }

    Control* Own(Control* c) {
        owned.push_back(c);
        return c;
    }
    static ScreenRect R(int l, int t, int r, int b) {
        ScreenRect rect;
        MakeRect(rect, l, t, r, b);
        return rect;
    }
    static void Fill(const ScreenRect& r, int slot) {
        BeginDrawing();
        SetBrushColour(slot);
        FillScreenRect(r);
        EndDrawing();
    }
    static int At(int x, int y) { return gDisplay.canvas.At(x, y); }
    static std::pair<int, int> XY(int x, int y) { return {x, y}; }
    // Each listed pixel {x, y, slot} holds its slot.
    static void ExpectPixels(std::initializer_list<std::array<int, 3>> pixels) {
        for (const auto& p : pixels)
            EXPECT_EQ(At(p[0], p[1]), p[2]) << "at " << p[0] << "," << p[1];
    }

    // The box of pixels of one colour inside r (empty when there are none).
    static DeviceRect Ink(const ScreenRect& r, int colour) {
        DeviceRect b{r.right, r.bottom, r.left, r.top};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(x, y) == colour) {
                    b.left = std::min(b.left, x);
                    b.top = std::min(b.top, y);
                    b.right = std::max(b.right, x + 1);
                    b.bottom = std::max(b.bottom, y + 1);
                }
        return b;
    }
    static int Count(const ScreenRect& r, int colour) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
        return n;
    }
    // Rows of r holding `colour`, grouped into runs of consecutive rows: one run a text line.
    static std::vector<std::pair<int, int>> InkRows(const ScreenRect& r, int colour) {
        std::vector<std::pair<int, int>> runs;
        for (int y = r.top; y < r.bottom; ++y) {
            bool any = false;
            for (int x = r.left; x < r.right && !any; ++x) any = At(x, y) == colour;
            if (!any) continue;
            if (!runs.empty() && runs.back().second == y)
                runs.back().second = y + 1;
            else
                runs.push_back({y, y + 1});
        }
        return runs;
    }
    // Where a text drawn centred and middle-aligned at (x, y) puts its ink: drawn on a scratch
    // strip at the bottom of the canvas, then cleared again.
    static DeviceRect ReferenceInk(TextFont* font, const char* text, int x, int y) {
        const ScreenRect scratch = R(0, 600, 1024, 768);
        Fill(scratch, 26);
        BeginDrawing();
        SelectTextFont(font);
        SetTextAlignment(1, 1);
        SetPenColour(0);
        DrawTextAt(x, 680, text);
        EndDrawing();
        DeviceRect b = Ink(scratch, 0);
        b.top += y - 680;
        b.bottom += y - 680;
        Fill(scratch, 26);
        return b;
    }
    static Message Mouse(MessageKind kind, int x, int y) {
        Message m;
        m.kind = kind;
        m.x = x;
        m.y = y;
        return m;
    }
    static Message Of(MessageKind kind) {
        Message m;
        m.kind = kind;
        return m;
    }
    // The next queued message is of this kind.
    static void ExpectNext(MessageKind kind) {
        Message m;
        ASSERT_TRUE(PollMessage(m));
        EXPECT_EQ(m.kind, kind);
    }
};

// Counts the drawings of the controls it is attached to.
inline int gDrawCount = 0;
inline void CountDrawing(Control*) { ++gDrawCount; }
