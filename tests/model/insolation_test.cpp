// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "model_fixture.h"

TEST_F(ModelTest, UntiltedEarthHasTwelveHoursEverywhere) {
    Set(0, 0.02, 90, -90);
    ASSERT_TRUE(RebuildYearSeries());
    for (int k = 0; k <= 180; ++k) {
        for (int b = 0; b < kBands; ++b) EXPECT_EQ(Series().bandDaylightMinutes[b][k], 720);
        EXPECT_EQ(Series().latDaylightMinutes[0][k], 720);
        EXPECT_EQ(Series().latDaylightMinutes[1][k], 720);
    }
    // North and south see the same Sun.
    for (int b = 0; b < kBands; ++b)
        EXPECT_EQ(Series().bandEnergy[b][40], Series().bandEnergy[17 - b][40]) << b;
}

TEST_F(ModelTest, EarthNormalPerihelionIsSouthernSummer) {
    Set(-23.5, 0.02, 90, -90);
    ASSERT_TRUE(RebuildYearSeries());
    const YearSeries& y = Series();
    EXPECT_EQ(y.bandDaylightMinutes[0][0], 0);  // 85 N: polar night
    EXPECT_EQ(y.bandEnergy[0][0], 0);
    EXPECT_EQ(y.bandDaylightMinutes[17][0], 1440);  // 85 S: the Sun never sets
    EXPECT_GT(y.bandEnergy[17][0], 300);
    EXPECT_EQ(y.latDaylightMinutes[0][0], 0);  // the North Pole in the dark
    EXPECT_EQ(y.latEnergy[0][0], 0);
    EXPECT_EQ(y.latDaylightMinutes[1][0], 1440);
    // Half a year later the roles swap.
    EXPECT_EQ(y.bandDaylightMinutes[0][180], 1440);
    EXPECT_EQ(y.bandDaylightMinutes[17][180], 0);
    // Days shorten going north at perihelion, monotonically.
    for (int b = 1; b < kBands; ++b)
        EXPECT_GE(y.bandDaylightMinutes[b][0], y.bandDaylightMinutes[b - 1][0]);
    for (int b = 0; b < kBands; ++b)
        for (int k = 0; k <= 180; ++k) {
            EXPECT_GE(y.bandEnergy[b][k], 0);
            EXPECT_LE(y.bandDaylightMinutes[b][k], 1440);
        }
}

TEST_F(ModelTest, KernelClampsAndIntegratesLikeWeddlesRule) {
    int32_t minutes = -1, energy = -1;
    // Sun overhead at the equator on an equinox: 12 hours.
    InsolationKernel(0, 1, 0, 1, 0, 1, 0, kDayLengthFactor, 0.12, &minutes, &energy);
    EXPECT_EQ(minutes, 720);
    // Weddle's rule over six intervals is close to the exact integral of mu * 0.89^m over the
    // half-day: 1397/pi W/m2 x (1 - loss) x that integral.
    double integral = 0;
    const int n = 100000;
    for (int i = 0; i < n; ++i) {
        double h = (i + 0.5) * (3.141594 / 2) / n, mu = std::cos(h);
        integral += mu * std::pow(0.89, 35 / std::sqrt(1 + 1224 * mu * mu)) * (3.141594 / 2) / n;
    }
    EXPECT_NEAR(energy, 1397 / 3.1415 * 0.88 * integral, 4);
    // Polar night gives exactly nothing, polar day the full 24 hours; declinations beyond the
    // clamp are taken as straight overhead of the pole.
    const struct { double decl, lat; int minutes, energy; } cases[] = {
        {-0.4, 1.5, 0, 0}, {0.4, 1.5, 1440, -1}, {1.6, 0.5, 1440, -1}};
    for (const auto& c : cases) {
        InsolationKernel(c.decl, std::cos(c.decl), std::sin(c.decl), 1, c.lat, std::cos(c.lat),
                         std::sin(c.lat), kDayLengthFactor, 0.15, &minutes, &energy);
        EXPECT_EQ(minutes, c.minutes) << c.decl;
        if (c.energy >= 0) {
            EXPECT_EQ(energy, c.energy) << c.decl;
        }
    }
}

TEST_F(ModelTest, LossFractionChangesAtFortyFiveDegrees) {
    auto energyAt = [&](int lat) {
        Set(-23.5, 0.02, lat);
        ComputeOrbit(400, 300, 300, 100, Series().mainTrack, 1);
        ComputeYearInsolation();
        return Series().latEnergy[0][90];
    };
    // Same Sun, same latitude: only the loss fraction differs between 0.12 and 0.15.
    auto kernelAt = [&](int lat, double fraction) {
        double decl = -23.5 * kDegreeFactor * std::cos(Series().orbitAngle[90]);
        double d = Series().orbitDistance[90];
        double l = lat * kDegreeFactor;
        int32_t m, e;
        InsolationKernel(decl, std::cos(decl), std::sin(decl), 1 / (d * d), l, std::cos(l),
                         std::sin(l), kDayLengthFactor, fraction, &m, &e);
        return e;
    };
    for (int lat : {44, 45, -44, -45}) {
        int32_t computed = energyAt(lat);  // also fills the orbit the kernel reads below
        EXPECT_EQ(computed, kernelAt(lat, std::abs(lat) < 45 ? 0.12 : 0.15)) << lat;
    }
    EXPECT_NE(kernelAt(45, 0.12), kernelAt(45, 0.15));
}

TEST_F(ModelTest, RowsWithoutALatitudeKeepTheirNumbers) {
    Set(-23.5, 0.02, 100, 100);
    for (int i = 0; i < 2; ++i)
        for (int k = 0; k <= 180; ++k) Series().latEnergy[i][k] = Series().latDaylightMinutes[i][k] = 4242;
    Series().latTemperature[1][5] = 1234.5;
    Series().latEnergyMax = 999;
    ASSERT_TRUE(RebuildYearSeries());
    EXPECT_EQ(Series().latEnergyMax, 0);
    EXPECT_EQ(Series().latEnergy[0][0], 4242);
    EXPECT_EQ(Series().latDaylightMinutes[1][180], 4242);
    EXPECT_EQ(Series().latTemperature[1][5], 1234.5);
    EXPECT_EQ(Series().tempAxisMin, 253);
    EXPECT_EQ(Series().tempAxisMax, 323);
    // The band state is still spun up for the world view.
    EXPECT_GT(Series().bandYearStartTemperature[9], 250);
}
