// SPDX-License-Identifier: GPL-3.0-or-later
// Earth's place on its orbit through the model year, and its track on a drawn ellipse.
#include <cmath>

#include "model/model.h"

namespace {

// Truncation toward zero of a value the caller knows to be in int range.
inline int32_t Trunc(double v) { return int32_t(v); }

constexpr double kOrbitPi = 3.14159;
// Tenths of a degree per radian, with the model's degree factor.
constexpr double kTenthsPerRadian = 572.9575495751519;
// Radius in pixels of the globe drawn on the Earth picture; the redrawn orbit arc is
// measured from the globe's edge.
constexpr double kGlobeRadius = 64;

// Half an orbit in 180 equal time steps (explicit Euler), normalised to a half-turn and
// mirrored onto the second half of the year.
void IntegrateOrbit(double e, double s, double a, double theta[kYearSteps]) {
    // 3.4159 (not pi): the integration path depends on this step constant.
    const double K = 3.4159 * a * (a * s) / 180;
    theta[0] = 0;
    for (int k = 1; k <= 180; ++k) {
        double r = a / (e * std::cos(theta[k - 1]) + 1);
        theta[k] = theta[k - 1] + (K / (r * r)) * (e + 1);
    }
    double c = kOrbitPi / theta[180];
    for (int k = 1; k <= 180; ++k) theta[k] = c * theta[k];
    for (int k = 1; k <= 180; ++k) theta[360 - k] = theta[k];
}

// Perihelion at the left end of the drawn ellipse, the first half-year along its lower half.
void LayOutTrack(double cx, double cy, double a, double b, const double theta[kYearSteps],
                 OrbitTrack& track) {
    for (int k = 1; k <= 179; ++k) {
        track.trackX[k] = Trunc(cx - a * std::cos(theta[k]) + 0.5);
        track.trackY[k] = Trunc(cy + b * std::sin(theta[k]) + 0.5);
        track.trackX[360 - k] = track.trackX[k];
        track.trackY[360 - k] = Trunc(2 * cy - track.trackY[k]);
    }
    track.trackX[0] = Trunc(cx - a + 0.5);
    track.trackY[0] = Trunc(cy);
    track.trackX[180] = Trunc(cx + a + 0.5);
    track.trackY[180] = Trunc(cy);
}

// Start, in tenths of a degree, of the half of the orbit line that passes in front of the
// globe at step k.
int32_t OrbitArcStart(int k, double cx, double cy, double b, const OrbitTrack& track) {
    int32_t raw = 0;
    if (k != 0) {
        const double x = track.trackX[k];
        const double y = track.trackY[k];
        double n = kGlobeRadius * (cy - y) / b;
        if (x < cx)
            raw = Trunc(std::atan2(y - cy, n - x + cx) * kTenthsPerRadian);
        else
            raw = Trunc(std::atan2(y - cy, cx - x - n) * kTenthsPerRadian - 1800);
    }
    if (raw < 0) raw += 3600;
    raw += 1800;
    if (raw >= 3600) raw -= 3600;
    return raw;
}

}  // namespace

bool ComputeOrbitTrack(double e, double cx, double cy, double a, double b, OrbitTrack& track,
                       double* theta) {
    // Only ellipses: beyond a circle's 0 and a parabola's 1 the orbit has no meaning.
    if (!(e >= 0 && e < 1)) return false;
    // A picture with no size has no track (and would divide by zero).
    if (!(a > 0 && b > 0)) return false;
    double own[kYearSteps];
    double* t = theta ? theta : own;
    IntegrateOrbit(e, std::sqrt(1 - e * e), a, t);
    LayOutTrack(cx, cy, a, b, t, track);
    return true;
}

bool ComputeOrbit(double cx, double cy, double a, double b, OrbitTrack& track, int fillTables) {
    const double e = gModel.settings.orbitShape;
    double theta[kYearSteps];
    if (!ComputeOrbitTrack(e, cx, cy, a, b, track, theta)) return false;
    if (!fillTables) return true;
    const double s = std::sqrt(1 - e * e);
    YearSeries& y = gModel.series;
    for (int k = 0; k < kYearSteps; ++k) {
        y.orbitAngle[k] = std::atan2(s * std::sin(theta[k]), std::cos(theta[k]) - e);
        y.orbitDistance[k] = 1 - e * std::cos(theta[k]);
        track.orbitArcStart[k] = OrbitArcStart(k, cx, cy, b, track);
    }
    return true;
}
