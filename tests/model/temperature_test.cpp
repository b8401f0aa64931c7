// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <cstring>

#include "model_fixture.h"

TEST_F(ModelTest, LatitudeWeightsInterpolateAndExtrapolate) {
    struct Case { int lat, q; double w0, w1; } cases[] = {
        {85, 0, 1, 0}, {80, 0, 0.5, 0.5}, {90, 0, 1.5, -0.5}, {-85, 16, 0, 1},
        {-86, 16, -0.1, 1.1}, {-90, 16, -0.5, 1.5}, {5, 8, 1, 0}, {0, 8, 0.5, 0.5}};
    for (const Case& c : cases) {
        int32_t q;
        double w[2];
        LatitudeWeights(c.lat, q, w);
        EXPECT_EQ(q, c.q) << c.lat;
        EXPECT_NEAR(w[0], c.w0, 1e-12) << c.lat;
        EXPECT_NEAR(w[1], c.w1, 1e-12) << c.lat;
    }
    int32_t q;
    double w[2];
    LatitudeWeights(100, q, w);
    EXPECT_EQ(q, -1);
}

TEST_F(ModelTest, SelectedLatitudesFollowTheirBands) {
    // 85 reads band 0 alone and 75 band 1 alone, so 80 is their mean and 90 extrapolates.
    double t85[361], t75[361];
    Set(-23.5, 0.02, 85, 75);
    ASSERT_TRUE(RebuildYearSeries());
    std::memcpy(t85, Series().latTemperature[0], sizeof t85);
    std::memcpy(t75, Series().latTemperature[1], sizeof t75);
    Set(-23.5, 0.02, 80, 90);
    ASSERT_TRUE(RebuildYearSeries());
    for (int d = 0; d <= 360; ++d) {
        EXPECT_NEAR(Series().latTemperature[0][d], 0.5 * t85[d] + 0.5 * t75[d], 1e-9) << d;
        EXPECT_NEAR(Series().latTemperature[1][d], 1.5 * t85[d] - 0.5 * t75[d], 1e-9) << d;
    }
}

TEST_F(ModelTest, SettledYearRepeatsAndBoundsTheChart) {
    Set(-23.5, 0.02, 40, -30);
    ASSERT_TRUE(RebuildYearSeries());
    const YearSeries& y = Series();
    EXPECT_TRUE(gModel.spinUpSettled);
    EXPECT_LE(gModel.spinUpYears, 20);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(y.latTemperature[i][0], y.latTemperature[i][360]);
    // 40 N is warmest after its midsummer (aphelion side), 30 S after perihelion.
    EXPECT_GT(y.latTemperature[0][200], y.latTemperature[0][20]);
    EXPECT_LT(y.latTemperature[1][200], y.latTemperature[1][20]);
    // Both rows stay within 258..318 K, so the chart keeps its usual bounds.
    EXPECT_EQ(y.tempAxisMin, 253);
    EXPECT_EQ(y.tempAxisMax, 323);
}

TEST_F(ModelTest, ExtremeSeasonsWidenTheChart) {
    // The Sun overhead at the pole near perihelion heats 60 N beyond 45 C; an untilted Earth
    // keeps 85 N below -15 C all year.
    Set(-90, 0.5, 60);
    ASSERT_TRUE(RebuildYearSeries());
    const double* row = Series().latTemperature[0];
    const double hi = *std::max_element(row, row + 360);
    ASSERT_GE(hi, 318);
    EXPECT_EQ(Series().tempAxisMax, int(hi) + 5);
    Set(0, 0.02, 85);
    ASSERT_TRUE(RebuildYearSeries());
    const double lo = *std::min_element(row, row + 360);
    ASSERT_LT(lo, 258);
    EXPECT_EQ(Series().tempAxisMin, int(lo) - 5);
}

TEST_F(ModelTest, EnergyLeadShrinksWithEccentricity) {
    for (auto [shape, lead] : {std::pair{0.0, 30}, {0.02, 28}, {0.5, 3}}) {
        Set(-23.5, shape, 45);
        ASSERT_TRUE(RebuildYearSeries());
        EXPECT_EQ(Series().energyLead, lead) << shape;
    }
    for (auto [day, step] : {std::pair{170, 162}, {360, 28}, {200, 132}})
        EXPECT_EQ(DayToEnergyStep(day, 28), step) << day;
    for (int j = 0; j <= 360; ++j) {
        int idx = DayToEnergyStep(j, 30);
        EXPECT_GE(idx, 0);
        EXPECT_LE(idx, 180);
    }
}

TEST_F(ModelTest, PolarNightBandsStayAboveAbsoluteZero) {
    Set(-90, 0.3, 90, -90);
    ASSERT_TRUE(RebuildYearSeries());
    for (int b = 0; b < kBands; ++b) EXPECT_GT(Series().bandYearStartTemperature[b], 0);
    for (int d = 0; d <= 360; ++d) EXPECT_GE(Series().latTemperature[0][d], -50);  // extrapolated row
}

TEST_F(ModelTest, LiveStepStartsFromTheYearStartAndRepeatsTheYear) {
    Set(-23.5, 0.02, 45);
    ASSERT_TRUE(RebuildYearSeries());
    YearSeries before = Series();
    StepBandTemperatures(0, 0);
    for (int b = 0; b < kBands; ++b)
        EXPECT_EQ(Series().bandTemperature[b], Series().bandYearStartTemperature[b]);
    std::memcpy(before.bandTemperature, Series().bandTemperature, sizeof before.bandTemperature);
    EXPECT_EQ(0, std::memcmp(&before, &Series(), sizeof before));  // nothing else changed

    for (int day = 0; day < 360; ++day) StepBandTemperatures(day, 1);
    for (int b = 0; b < kBands; ++b)
        EXPECT_NEAR(Series().bandTemperature[b], Series().bandYearStartTemperature[b], 1.0) << b;
    // The equator is warmer than the poles after a year.
    EXPECT_GT(Series().bandTemperature[8], Series().bandTemperature[0] + 20);
}

TEST_F(ModelTest, SpinUpStopsAtItsYearLimitWhenTheModelCannotSettle) {
    // A nearly parabolic orbit with the axis in the orbit plane: the daily step is unstable.
    Set(-90, 0.99, 45);
    EXPECT_FALSE(RebuildYearSeries());
    EXPECT_EQ(gModel.spinUpYears, kSpinUpYearLimit);
    EXPECT_FALSE(gModel.spinUpSettled);
    // Its chart bounds still come out as numbers.
    EXPECT_LE(Series().tempAxisMin, 253);
    EXPECT_GE(Series().tempAxisMax, 323);
}
