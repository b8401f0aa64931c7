// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <cstring>

#include "model_fixture.h"

namespace {
constexpr double kCx = 400, kCy = 300, kA = 300, kB = 101;
bool Orbit(double shape, OrbitTrack& track, int fill = 1) {
    Settings().orbitShape = shape;
    return ComputeOrbit(kCx, kCy, kA, kB, track, fill);
}
}  // namespace

TEST_F(ModelTest, CircularOrbitAdvancesEvenly) {
    OrbitTrack t;
    ASSERT_TRUE(Orbit(0, t));
    for (int k = 0; k < 360; ++k) {
        int j = k <= 180 ? k : 360 - k;
        EXPECT_NEAR(Series().orbitAngle[k], j * 3.14159 / 180, 1e-12) << k;
        EXPECT_EQ(Series().orbitDistance[k], 1.0) << k;
    }
}

TEST_F(ModelTest, EccentricOrbitIsFastestAtPerihelionMirroredAndOnItsEllipse) {
    OrbitTrack t;
    for (double e : {0.02, 0.5}) {
        ASSERT_TRUE(Orbit(e, t));
        const YearSeries& y = Series();
        EXPECT_EQ(y.orbitAngle[0], 0.0);
        EXPECT_NEAR(y.orbitAngle[180], 3.14159, 1e-5);
        EXPECT_NEAR(y.orbitDistance[0], 1 - e, 1e-10);
        EXPECT_NEAR(y.orbitDistance[180], 1 + e, 1e-10);
        EXPECT_GT(y.orbitAngle[1] - y.orbitAngle[0], y.orbitAngle[180] - y.orbitAngle[179]);
        for (int k = 1; k < 180; ++k) {
            EXPECT_EQ(y.orbitAngle[360 - k], y.orbitAngle[k]);
            EXPECT_EQ(y.orbitDistance[360 - k], y.orbitDistance[k]);
            EXPECT_GT(y.orbitAngle[k], y.orbitAngle[k - 1]);
            EXPECT_EQ(t.trackX[360 - k], t.trackX[k]);
            EXPECT_EQ(t.trackY[k] + t.trackY[360 - k], 2 * kCy);
        }
    }
    // The values a faithful run of the integration gives at aphelion for Earth's orbit.
    ASSERT_TRUE(Orbit(0.02, t));
    EXPECT_NEAR(Series().orbitAngle[180], 3.141590052551536, 1e-14);
    EXPECT_NEAR(Series().orbitDistance[180], 1.0199999999999296, 1e-14);

    // The track runs from the left end along the lower half first.
    EXPECT_EQ(t.trackX[0], kCx - kA);
    EXPECT_EQ(t.trackX[180], kCx + kA);
    EXPECT_EQ(t.trackY[0], kCy);
    EXPECT_EQ(t.trackY[180], kCy);
    EXPECT_GT(t.trackY[90], kCy);
    EXPECT_LT(t.trackY[270], kCy);
    EXPECT_EQ(t.orbitArcStart[0], 1800);
    for (int k = 0; k < 360; ++k) {
        EXPECT_GE(t.orbitArcStart[k], 0);
        EXPECT_LT(t.orbitArcStart[k], 3600);
        // Every point lies on (or within rounding of) the drawn ellipse.
        double dx = (t.trackX[k] - kCx) / kA, dy = (t.trackY[k] - kCy) / kB;
        EXPECT_NEAR(dx * dx + dy * dy, 1.0, 0.02) << k;
    }
}

TEST_F(ModelTest, TrackOnlyCallKeepsTheTables) {
    OrbitTrack t;
    ASSERT_TRUE(Orbit(0.02, t));
    YearSeries before = Series();
    OrbitTrack other;
    std::memset(&other, 0x5a, sizeof other);
    ASSERT_TRUE(Orbit(0.5, other, 0));
    EXPECT_EQ(0, std::memcmp(&before, &Series(), sizeof before));
    EXPECT_EQ(other.orbitArcStart[7], 0x5a5a5a5a);  // arc starts come only with the tables
    EXPECT_NE(other.trackY[90], t.trackY[90]);
}

TEST_F(ModelTest, ShapesOutsideAnEllipseAreRefusedAndTouchNothing) {
    OrbitTrack t;
    ASSERT_TRUE(Orbit(0.02, t));
    YearSeries before = Series();
    OrbitTrack track = t;
    for (double e : {-0.01, 1.0, 1.5, std::nan("")}) {
        EXPECT_FALSE(Orbit(e, track)) << e;
        EXPECT_EQ(0, std::memcmp(&before, &Series(), sizeof before));
        EXPECT_EQ(0, std::memcmp(&track, &t, sizeof t));
    }
    EXPECT_TRUE(Orbit(0.999, track));
    Settings().orbitShape = 1.0;
    EXPECT_FALSE(RebuildYearSeries());
}
