// SPDX-License-Identifier: GPL-3.0-or-later
// Daylight and daily mean solar energy at the ground for the 18 bands and the selected
// latitudes, from the sunrise equation and a Weddle's-rule integration over the half-day.
#include <cmath>

#include "model/model.h"
#include "model/trunc.h"

namespace {

constexpr double kTanClamp = 10000000000.0;     // replaces the infinite tangent at the poles
constexpr double kPolarDayHourAngle = 3.1415940000000004;  // the Sun never sets
// Solar constant 1397 W/m2, the 3/10 of Weddle's rule and the 1/pi of a daily mean.
constexpr double kEnergyFactor = 133.40760783065414;
constexpr double kLog2E = 1.4426950408889634;
constexpr double kWeights[7] = {1, 5, 1, 6, 1, 5, 1};

// Air lost before reaching the ground: more at high latitudes.
double BandLossFraction(int b) { return (b <= 4 || b >= 13) ? 0.15 : 0.12; }
double LatitudeLossFraction(int latitude) {
    return (latitude > -45 && latitude < 45) ? 0.12 : 0.15;
}

struct StepSun {
    double decl, cosDecl, sinDecl, invDist2;
};

StepSun SunAtStep(double tilt, int k) {
    const YearSeries& y = gModel.series;
    StepSun s;
    s.decl = tilt * std::cos(y.orbitAngle[k]);
    s.cosDecl = std::cos(s.decl);
    s.sinDecl = std::sin(s.decl);
    s.invDist2 = 1 / (y.orbitDistance[k] * y.orbitDistance[k]);
    return s;
}

}  // namespace

void InsolationKernel(double decl, double cosDecl, double sinDecl, double invDist2, double lat,
                      double cosLat, double sinLat, double dayLengthFactor, double lossFraction,
                      int32_t* outDaylightMinutes, int32_t* outEnergy) {
    double tanDecl = decl > 1.57079 ? kTanClamp : decl < -1.57079 ? -kTanClamp : std::tan(decl);
    double tanLat = lat > 1.57 ? kTanClamp : lat < -1.57 ? -kTanClamp : std::tan(lat);
    double x = -tanLat * tanDecl;
    double H0;
    if (x <= -1)
        H0 = kPolarDayHourAngle;
    else if (x >= 1)
        H0 = 0;  // polar night: the Sun never rises
    else
        H0 = std::acos(x);
    *outDaylightMinutes = int32_t(0.5 + 60 * dayLengthFactor * H0);
    if (H0 == 0) {
        *outEnergy = 0;
        return;
    }
    double sum = 0;
    for (int i = 0; i <= 6; ++i) {
        double h = i * H0 / 6;
        double mu = sinLat * sinDecl + cosLat * cosDecl * std::cos(h);  // sine of the Sun's altitude
        double m = 35 / std::sqrt(1 + 1224 * (mu * mu));               // air mass
        double t = std::exp2(m * std::log(0.89) * kLog2E);             // 0.89 per air mass
        sum += kWeights[i] * mu * t;
    }
    double factor = ((H0 / 6) * (1 - lossFraction)) * invDist2 * kEnergyFactor;
    *outEnergy = TruncClamped(sum * factor);
}

void ComputeYearInsolation() {
    ModelSettings& s = gModel.settings;
    YearSeries& y = gModel.series;
    double bandLat[kBands], bandCos[kBands], bandSin[kBands];
    for (int b = 0; b < kBands; ++b) {
        bandLat[b] = (85 - 10 * b) * kDegreeFactor;
        bandCos[b] = std::cos(bandLat[b]);
        bandSin[b] = std::sin(bandLat[b]);
    }
    const double tilt = s.axisTilt * kDegreeFactor;

    for (int k = 0; k < kHalfYearSteps; ++k) {
        StepSun sun = SunAtStep(tilt, k);
        for (int b = 0; b < kBands; ++b)
            InsolationKernel(sun.decl, sun.cosDecl, sun.sinDecl, sun.invDist2, bandLat[b],
                             bandCos[b], bandSin[b], kDayLengthFactor, BandLossFraction(b),
                             &y.bandDaylightMinutes[b][k], &y.bandEnergy[b][k]);
    }

    uint32_t energyMax = 0;
    for (int i = 0; i < 2; ++i) {
        if (s.latitude[i] > 90) continue;  // no latitude: the row keeps its old numbers
        const double fraction = LatitudeLossFraction(s.latitude[i]);
        const double lat = s.latitude[i] * kDegreeFactor;
        const double cosLat = std::cos(lat), sinLat = std::sin(lat);
        for (int k = 0; k < kHalfYearSteps; ++k) {
            StepSun sun = SunAtStep(tilt, k);
            InsolationKernel(sun.decl, sun.cosDecl, sun.sinDecl, sun.invDist2, lat, cosLat,
                             sinLat, kDayLengthFactor, fraction, &y.latDaylightMinutes[i][k],
                             &y.latEnergy[i][k]);
            if (uint32_t(y.latEnergy[i][k]) > energyMax) energyMax = uint32_t(y.latEnergy[i][k]);
        }
    }
    y.latEnergyMax = int32_t(energyMax);
}
