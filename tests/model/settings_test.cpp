// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>
#include <utility>

#include "model_fixture.h"

TEST_F(ModelTest, EarthNormalTakesTheHomeLatitudeAndOneLatitudeOnlyWhenBothAreNone) {
    Series().latEnergyMax = 77;
    Set(-40, 0.5, 10, 20);
    ResetModelToEarthNormal();
    EXPECT_EQ(Settings().axisTilt, EarthNormalTilt);
    EXPECT_EQ(Settings().latitude[0], 45);
    EXPECT_EQ(Settings().latitude[1], kNoLatitude);
    EXPECT_EQ(Series().latEnergyMax, 77);  // the series are left alone

    Set(-23.5, 0.02, 100, 100);
    EnsureOneLatitude();
    EXPECT_EQ(Settings().latitude[0], 45);
    Set(-23.5, 0.02, 100, -30);
    EnsureOneLatitude();
    EXPECT_EQ(Settings().latitude[0], 100);
    EXPECT_EQ(Settings().latitude[1], -30);
}

TEST_F(ModelTest, StepOfDayFoldsTheSecondHalfYear) {
    for (auto [day, step] : {std::pair{0, 0}, {180, 180}, {181, 179}, {359, 1}, {360, 0}})
        EXPECT_EQ(StepOfDay(day), step) << day;
    for (int d = 0; d <= 360; ++d) EXPECT_EQ(DayToEnergyStep(d, 0), StepOfDay(d)) << d;
}

TEST_F(ModelTest, RunSnapshotRoundTripsSettingsAndLatitudeRows) {
    Set(-40, 0.3, 60, -10);
    ASSERT_TRUE(RebuildYearSeries());
    RunSnapshot snap;
    TakeRunSnapshot(snap);
    YearSeries saved = Series();
    ResetModelState();
    RestoreRunSnapshot(snap);
    EXPECT_EQ(Settings().axisTilt, -40);
    EXPECT_EQ(Settings().orbitShape, 0.3);
    EXPECT_EQ(Settings().latitude[1], -10);
    EXPECT_EQ(0, std::memcmp(Series().latTemperature, saved.latTemperature, sizeof saved.latTemperature));
    EXPECT_EQ(0, std::memcmp(Series().latEnergy, saved.latEnergy, sizeof saved.latEnergy));
    EXPECT_EQ(0, std::memcmp(Series().latDaylightMinutes, saved.latDaylightMinutes,
                             sizeof saved.latDaylightMinutes));
    EXPECT_EQ(Series().latEnergyMax, saved.latEnergyMax);
    EXPECT_EQ(Series().tempAxisMax, saved.tempAxisMax);
    EXPECT_EQ(Series().tempAxisMin, saved.tempAxisMin);
}
