// SPDX-License-Identifier: GPL-3.0-or-later
// Chart backgrounds, mappings and labels, drawn on the headless canvas.
#include "simulation_fixture.h"

#include <utility>
#include <vector>

namespace {

struct ChartsTest : SimulationTest {
    const ScreenRect wide = Rect(572, 461, 954, 698);     // the main screen's chart picture
    const ScreenRect narrow = Rect(700, 164, 920, 314);   // the logbook's charts are 220 wide

    void SetUp() override {
        Start();
        Fill(Rect(0, 64, 1024, 738), 26);
    }
    static void Fill(const ScreenRect& r, int slot) {
        SetBrushColour(slot);
        FillScreenRect(r);
    }
    // Runs of columns (or rows) holding slot-0 ink inside r, split where `gap` empty ones pass.
    static std::vector<std::pair<int, int>> InkRuns(const ScreenRect& r, bool columns, int gap) {
        std::vector<std::pair<int, int>> runs;
        const int from = columns ? r.left : r.top, to = columns ? r.right : r.bottom;
        int lastInk = -1000;
        for (int a = from; a < to; ++a) {
            bool ink = false;
            const int b0 = columns ? r.top : r.left, b1 = columns ? r.bottom : r.right;
            for (int b = b0; b < b1 && !ink; ++b) ink = (columns ? At(a, b) : At(b, a)) == 0;
            if (!ink) continue;
            if (a - lastInk > gap)
                runs.push_back({a, a + 1});
            else
                runs.back().second = a + 1;
            lastInk = a;
        }
        return runs;
    }
};

TEST_F(ChartsTest, EnergyAxisReachesAHundredAboveTheLargestAndDistancesReach300) {
    for (auto [largest, top] : {std::pair{300, 600}, {499, 600}, {501, 601}, {1150, 1250}})
        EXPECT_EQ(EnergyAxisTop(largest), top) << largest;

    DrawEnergyAxes(wide, 300);
    EXPECT_EQ(ChartY(0), wide.bottom);
    EXPECT_EQ(ChartY(600), wide.top);
    EXPECT_EQ(At(700, ChartY(590)), 131);  // band 24 of 49: 588 to 612
    EXPECT_EQ(At(700, ChartY(10)), 107);
    EXPECT_GT(Count(Rect(wide.left - 40, wide.top - 8, wide.left - 2, wide.top + 8), 0), 0);  // "600"

    Fill(Rect(512, 401, 1024, 738), 26);
    DrawEnergyAxes(wide, 1150);
    EXPECT_EQ(ChartY(1250), wide.top);
    EXPECT_GT(ChartY(1200) - 1, wide.top + 3);
    EXPECT_EQ(At(700, wide.top + 1), 155);  // above 1200: the palest slot
    EXPECT_EQ(At(700, ChartY(600)), 131);
    // Labels every 200 up to 1200 on both sides; 1400 would be above the axis.
    EXPECT_GT(Count(Rect(wide.right + 2, ChartY(1200) - 5, wide.right + 40, ChartY(1200) + 5), 0), 0);
    // Nothing is painted outside the chart but the labels.
    EXPECT_EQ(At(700, wide.top - 2), 26);
    EXPECT_EQ(At(700, wide.bottom + 1), 26);

    // Distances span 0 to 300 million km on the energy colours, with a note at the top centre.
    Fill(Rect(512, 401, 1024, 738), 26);
    DrawDistanceAxes(wide);
    EXPECT_EQ(ChartY(0), wide.bottom);
    EXPECT_EQ(ChartY(300), wide.top);
    EXPECT_EQ(At(700, ChartY(145)), 130);
    EXPECT_EQ(At(700, wide.top + 1), 155);
    EXPECT_GT(Count(Rect(wide.left, wide.top + 4, wide.right, wide.top + 44), 0), 100);
}

TEST_F(ChartsTest, TemperatureBackgroundMatchesTheGlobeColourOfEachValue) {
    for (const auto& range : {std::pair<int, int>{323, 253}, std::pair<int, int>{340, 230}}) {
        Fill(Rect(512, 401, 1024, 738), 26);
        DrawTemperatureAxes(wide, range.first, range.second);
        EXPECT_EQ(ChartY(range.first), wide.top);
        EXPECT_EQ(ChartY(range.second), wide.bottom);
        for (int k = range.second + 2; k < range.first - 1; k += 3) {
            const int y = ChartY(k);
            const int slot = At(700, y);
            EXPECT_NEAR(slot, TemperatureSlot(k), 2) << k << " K";
        }
    }
    // Beyond 333 K and below 244 K the ends of the ramp.
    EXPECT_EQ(At(700, ChartY(336)), 106);
    EXPECT_EQ(At(700, ChartY(236)), 58);
    // Celsius in slot 4 and Fahrenheit in slot 1 to the right.
    EXPECT_GT(Count(Rect(wide.right + 2, wide.top, wide.right + 30, wide.bottom), 4), 0);
    EXPECT_GT(Count(Rect(wide.right + 32, wide.top, wide.right + 70, wide.bottom), 1), 0);
}

TEST_F(ChartsTest, ComfortWordsShowOnlyWhereTheyFit) {
    // 253..323 K, the smallest range: every word whose place lies inside the chart.
    DrawTemperatureAxes(wide, 323, 253);
    auto wordAt = [&](int kelvin) {
        const int y = ChartY(kelvin);
        return Count(Rect(wide.left - 60, y - 2, wide.left - 2, y + 3), 0) > 0;
    };
    EXPECT_TRUE(wordAt(289));  // Nice
    EXPECT_TRUE(wordAt(266));  // Cold
    EXPECT_TRUE(wordAt(300));  // Warm
    EXPECT_FALSE(wordAt(244)); // Deadly would be below the chart
    // A wide range crowds the middle words out; the far ones stay.
    Fill(Rect(512, 401, 1024, 738), 26);
    DrawTemperatureAxes(wide, 380, 200);
    EXPECT_TRUE(wordAt(289));
    EXPECT_TRUE(wordAt(311));   // Hot
    EXPECT_TRUE(wordAt(244));   // Deadly
    EXPECT_FALSE(wordAt(300));  // no Warm
    EXPECT_FALSE(wordAt(277));  // no Cool
}

TEST_F(ChartsTest, NarrowChartLabelsEveryOtherMonthAndFewerValues) {
    for (int m = 0; m < 12; ++m) EXPECT_EQ(ShowsMonth(narrow, m), m % 2 == 0) << m;
    for (int m = 0; m < 12; ++m) EXPECT_TRUE(ShowsMonth(wide, m)) << m;
    EXPECT_EQ(MonthLabelX(narrow, 0), 709);
    EXPECT_EQ(MonthLabelX(narrow, 11), 910);

    Fill(Rect(600, 100, 1000, 360), 26);
    DrawDaylightAxes(narrow);
    // Below the "0" labels, which stand centred on the bottom edge.
    const auto months = InkRuns(Rect(narrow.left - 20, narrow.bottom + 9, narrow.right + 20,
                                  narrow.bottom + 24), true, 4);
    ASSERT_EQ(months.size(), 6u);  // Jan, Mar, May, Jul, Sep, Nov
    for (int i = 0; i < 6; ++i) {
        const int centre = (months[i].first + months[i].second) / 2;
        EXPECT_NEAR(centre, MonthLabelX(narrow, 2 * i), 2) << kMonthLabels[2 * i];
    }
    // Hours 0, 4, ..., 24 on both sides (left of where "Jan" begins).
    EXPECT_EQ(InkRuns(Rect(narrow.left - 30, narrow.top - 10, narrow.left - 6, narrow.bottom + 10),
                      false, 2).size(), 7u);
    EXPECT_EQ(InkRuns(Rect(narrow.right + 1, narrow.top - 10, narrow.right + 30, narrow.bottom + 10),
                      false, 2).size(), 7u);
    // The wide chart labels every two hours.
    Fill(Rect(512, 401, 1024, 738), 26);
    DrawDaylightAxes(wide);
    EXPECT_EQ(InkRuns(Rect(wide.left - 30, wide.top - 10, wide.left - 1, wide.bottom + 10), false, 2)
                  .size(), 13u);
    // 24 hour bands, 0 hours at the bottom in the darkest slot used.
    EXPECT_EQ(At(700, wide.bottom - 1), 158);
    EXPECT_EQ(At(700, wide.top + 1), 204);
    EXPECT_EQ(At(700, ChartY(12.5)), 182);
}

TEST_F(ChartsTest, PointsRunFromTheLeftEdgeOnDay0ToTheRightEdgeOnDay360) {
    gSim.chartRect = wide;
    Settings().earthView = kViewDaylight;
    Series().latDaylightMinutes[0][0] = 720;
    Series().latDaylightMinutes[0][StepOfDay(270)] = 0;
    DrawDaylightAxes(wide);
    // Day, and the point's x and y (-1: not checked).
    const int points[][3] = {{0, wide.left, ChartY(12)}, {180, wide.left + 191, -1},
                             {360, wide.right, ChartY(12)}, {270, -1, wide.bottom}};
    for (const auto& p : points) {
        int x = -1, y = -1;
        ChartPoint(p[0], 0, x, y);
        EXPECT_EQ(p[1] < 0 ? -1 : x, p[1]) << p[0];
        EXPECT_EQ(p[2] < 0 ? -1 : y, p[2]) << p[0];
    }
}

}  // namespace
