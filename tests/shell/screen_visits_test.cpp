// SPDX-License-Identifier: GPL-3.0-or-later
// Fifty rounds through every screen by their own buttons and the NavBar's: the memory the
// program holds must not grow from one visit of a screen to the next.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>
#include <vector>

#include "shell/dispatcher.h"
#include "tests/support/screen_driver.h"
#include "widgets/widget_state.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's own count (its allocator does not answer mallinfo2).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes the program holds on the heap now.
long LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return long(__sanitizer_get_current_allocated_bytes());
#else
    return long(mallinfo2().uordblks);
#endif
}

// One round: on each screen, the button that leads to the next.
struct Hop {
    int screen;
    int buttonId;
};
const Hop kRound[] = {
    {kScreenMain, 802},           {kScreenChangeTilt, 105},      {kScreenTiltIntensity, 802},
    {kScreenChangeTilt, 106},     {kScreenTiltDayLength, 802},   {kScreenChangeTilt, 107},
    {kScreenSunAngle, 803},       {kScreenChangeShape, 105},     {kScreenOrbitEnergy, 803},
    {kScreenChangeShape, 106},    {kScreenSeasonLength, 804},    {kScreenSelectLatitudes, 101},
    {kScreenLatitudeZones, 808},  {kScreenLogbook, 801},
};
constexpr int kHops = int(sizeof kRound / sizeof kRound[0]);
constexpr int kRounds = 50;

const Control* LiveControl(int id) {
    for (int i = 0; i < gWidgets.liveControlCount; ++i) {
        const Control* c = gWidgets.liveControls[i];
        if (c && c->id == id && c->state == kStateActive) return c;
    }
    return nullptr;
}

struct ScreenVisitsTest : ScreenTest {};

TEST_F(ScreenVisitsTest, MemoryDoesNotGrowFromVisitToVisit) {
    Start();
    std::vector<long> heap(size_t(kHops) * kRounds, 0);
    int hop = 0, settle = 0;
    // A screen that never shows the button of its hop is closed by the driver's feed limit.
    gDrive = [&](long) {
        if (hop >= kHops * kRounds) return false;
        const Hop& h = kRound[hop % kHops];
        const Control* c = CurrentScreenId() == h.screen ? LiveControl(h.buttonId) : nullptr;
        // A few idle polls on each screen first, so it has drawn and animated.
        if (!c || ++settle < 5) {
            PostInput(MessageKind::MouseMove, 0, 0);
            return true;
        }
        settle = 0;
        heap[size_t(hop)] = LiveHeapBytes();
        ++hop;
        ClickControl(c);
        return true;
    };
    RunScreenDispatcher();
    gDrive = nullptr;
    ASSERT_EQ(hop, kHops * kRounds) << "stuck at hop " << hop % kHops << ", on the way to screen "
                                    << kRound[hop % kHops].screen;
    // Visit 10 against visit 50. What the program keeps between visits still creeps up while
    // its caches fill (about 18 KiB by visit 50, 6 KiB more by 100, 1 KiB more by 150); a
    // screen that left one control or picture behind per visit would grow by far more.
    for (int i = 0; i < kHops; ++i) {
        const long early = heap[size_t(9 * kHops + i)], late = heap[size_t((kRounds - 1) * kHops + i)];
        EXPECT_LE(late - early, 32 * 1024)
            << "screen " << kRound[i].screen << ": " << early << " bytes at visit 10, " << late
            << " at visit 50";
    }
}

}  // namespace
