// SPDX-License-Identifier: GPL-3.0-or-later
// Partial presents: the changed rectangle, and a picture that always equals a whole conversion.
#include "platform/platform.h"
#include "platform/present_region.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <utility>

namespace {

TEST(ChangedRegion, BoundsTheChangedPixels) {
    struct Case {
        std::vector<std::pair<int, int>> changes;  // (x, y) set to 7 on an 8x5 canvas
        PresentRegion want;
    };
    const Case cases[] = {
        {{}, {}},
        {{{3, 2}}, {3, 2, 4, 3}},
        {{{0, 0}, {7, 4}}, {0, 0, 8, 5}},
        {{{5, 1}, {2, 3}}, {2, 1, 6, 4}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> now(8 * 5, 0), shown(8 * 5, 0);
        for (auto [x, y] : c.changes) now[size_t(y * 8 + x)] = 7;
        const PresentRegion r = ChangedRegion(now.data(), 8, 5, shown);
        EXPECT_EQ(r.Empty(), c.want.Empty());
        if (!c.want.Empty()) {
            EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
                      (std::array{c.want.left, c.want.top, c.want.right, c.want.bottom}));
        }
        EXPECT_EQ(shown, now);  // the next compare starts from this picture
        EXPECT_TRUE(ChangedRegion(now.data(), 8, 5, shown).Empty());
    }
    // A copy of another size (the first present, a new canvas) counts as all changed.
    std::vector<uint8_t> now(6, 1), shown;
    const PresentRegion r = ChangedRegion(now.data(), 3, 2, shown);
    EXPECT_EQ(std::pair(r.right - r.left, r.bottom - r.top), std::pair(3, 2));
    EXPECT_TRUE(ChangedRegion(nullptr, 3, 2, shown).Empty());
}

// Random strokes, palette changes and focus-ring moves: after each present the picture is
// exactly what converting the whole canvas and drawing the ring would give.
TEST(PartialPresent, PictureEqualsAWholeConversion) {
    PlatformReset();
    ASSERT_TRUE(PlatformSelectBackend(PlatformBackend::Headless));
    ASSERT_TRUE(PlatformOpenWindow("Heliora", false));
    const int w = 40, h = 30;
    PlatformColour palette[256] = {};
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)};
    std::vector<uint8_t> canvas(size_t(w * h), 0);
    ASSERT_TRUE(PlatformSetCanvas(canvas.data(), w, h, palette));
    std::mt19937 rng(5);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    for (int step = 0; step < 300; ++step) {
        switch (pick(6)) {
        case 0: palette[pick(256)] = {uint8_t(pick(256)), 0, 0}; break;
        case 1: PlatformSetFocusRing(pick(2) == 0, pick(w), pick(h), pick(w), pick(h)); break;
        default: {
            const int x = pick(w), y = pick(h), n = 1 + pick(10);
            for (int i = 0; i < n && x + i < w; ++i) canvas[size_t(y * w + x + i)] = uint8_t(pick(256));
        }
        }
        PlatformPresent();
        std::vector<uint32_t> want(canvas.size());
        PlatformConvertCanvas(canvas.data(), canvas.size(), palette, want.data());
        if (gPlatform.focusRing) DrawFocusRing(want.data(), w, h);
        ASSERT_EQ(gPlatform.frame, want) << "step " << step;
    }
    PlatformReset();
}

}  // namespace
