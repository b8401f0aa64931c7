// SPDX-License-Identifier: GPL-3.0-or-later
// Shared set-up for the drawing tests: a tiny surface of palette indices as the target.
#pragma once
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "graphics/draw.h"
#include "graphics/rect.h"
#include "graphics/scale.h"

struct DrawTest : ::testing::Test {
    Surface canvas;

    void SetUpCanvas(int w, int h, uint8_t fill = 0) {
        ResetDrawState();
        gDisplayScale = DisplayScale{};
        ResizeSurface(canvas, w, h, fill);
        SetPrimarySurface(&canvas);
        SetDrawTarget(nullptr);
    }
    void SetUp() override { SetUpCanvas(32, 32); }
    void TearDown() override {
        ResetDrawState();
        gDisplayScale = DisplayScale{};
    }

    static ScreenRect R(int l, int t, int r, int b) {
        ScreenRect rect;
        MakeRect(rect, l, t, r, b);
        return rect;
    }
    static Point P(int x, int y) {
        Point p;
        MakePoint(p, x, y);
        return p;
    }
    static std::vector<Point> Points(std::initializer_list<std::pair<int, int>> xy) {
        std::vector<Point> pts;
        for (auto [x, y] : xy) pts.push_back(P(x, y));
        return pts;
    }
    // Pixels of `index` in row y, or in column x.
    int InRow(int y, uint8_t index) const {
        int n = 0;
        for (int x = 0; x < canvas.width; ++x) n += canvas.At(x, y) == index;
        return n;
    }
    int InColumn(int x, uint8_t index) const {
        int n = 0;
        for (int y = 0; y < canvas.height; ++y) n += canvas.At(x, y) == index;
        return n;
    }
    int Count(uint8_t index) const {
        int n = 0;
        for (uint8_t v : canvas.pixels) n += v == index;
        return n;
    }
    // The bounding box of pixels that differ from `background`.
    DeviceRect Ink(uint8_t background = 0) const {
        DeviceRect b{canvas.width, canvas.height, 0, 0};
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x)
                if (canvas.At(x, y) != background) {
                    b.left = std::min(b.left, x);
                    b.top = std::min(b.top, y);
                    b.right = std::max(b.right, x + 1);
                    b.bottom = std::max(b.bottom, y + 1);
                }
        return b;
    }
    static std::array<int, 4> Box(const DeviceRect& d) { return {d.left, d.top, d.right, d.bottom}; }
    // Each listed pixel {x, y, index} of the canvas holds its index.
    void ExpectPixels(std::initializer_list<std::array<int, 3>> pixels) const {
        for (const auto& p : pixels)
            EXPECT_EQ(canvas.At(p[0], p[1]), p[2]) << "at " << p[0] << "," << p[1];
    }
    // A fresh canvas of w x h and a plain pen of `colour`.
    void Fresh(int w, int h, int colour) {
        SetUpCanvas(w, h);
        SetPenColour(colour);
    }
    // The canvas as text, '.' for 0 and a letter per other index, for failure messages.
    std::string Dump() const {
        std::string s;
        for (int y = 0; y < canvas.height; ++y) {
            for (int x = 0; x < canvas.width; ++x) {
                const uint8_t v = canvas.At(x, y);
                s += v == 0 ? '.' : char('A' + v % 26);
            }
            s += '\n';
        }
        return s;
    }
};
