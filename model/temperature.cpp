// SPDX-License-Identifier: GPL-3.0-or-later
// Surface temperature from an energy-balance model over the 18 latitude bands: heat
// capacity, radiation to space and diffusion of heat along the meridian.
#include <cmath>
#include <cstdint>

#include "model/model.h"
#include "model/trunc.h"

namespace {

constexpr double kBandSpacing = 0.174533;            // 10 degrees in radians
constexpr double kGFactor = 1.575633261331668;        // 0.55 / (2 x band spacing)
constexpr double kSecondDifference = 18.05541944883395;  // 0.55 / band spacing squared
constexpr double kEndBandFactor = 3.151266522663336;  // 0.55 / band spacing
constexpr double kRadiation = 3.4019999999999996e-08;  // emissivity x Stefan-Boltzmann, W/m2/K4
constexpr double kSecondsPerDay = 86400;
constexpr double kStartTemperature = 150;             // a cold start, K
constexpr double kSettlingTolerance = 0.5;            // K per band over one model year

// Heat capacity of each band, J/m2/K: oceans make the low latitudes sluggish.
constexpr double kCapacity[kBands] = {
    30000000,  35000000,  40000000,  40000000,  40000000,  85000000,
    110000000, 150000000, 200000000, 200000000, 150000000, 110000000,
    85000000,  40000000,  40000000,  40000000,  35000000,  30000000};

// One day of heating, radiation and transport for one band; never below 0 K.
double StepBand(double T, double E, double D, int b) {
    double T4 = (T * T) * (T * T);
    double next = T + kSecondsPerDay * (E - kRadiation * T4 - D) / kCapacity[b];
    return next < 0 ? 0 : next;
}

// Transport terms of the spin-up; positive where a band gives heat to its neighbours.
void SpinUpTransport(const double T[kBands], const double G[kBands], double D[kBands]) {
    D[0] = kEndBandFactor * (T[0] - T[1]);
    for (int b = 1; b <= 16; ++b)
        D[b] = G[b] * (T[b - 1] - T[b + 1]) - kSecondDifference * (T[b - 1] - 2 * T[b] + T[b + 1]);
    D[17] = -kEndBandFactor * (T[16] - T[17]);
}

// The same terms for the live daily step, with the end terms formed from the stored spacing.
void LiveTransport(const double T[kBands], const double G[kBands], double D[kBands]) {
    D[0] = (T[0] - T[1]) * 0.55 / kBandSpacing;
    for (int b = 1; b <= 16; ++b)
        D[b] = G[b] * (T[b - 1] - T[b + 1]) + (T[b - 1] - 2 * T[b] + T[b + 1]) * -kSecondDifference;
    D[17] = (T[16] - T[17]) * (-0.55) / kBandSpacing;
}

void SetChartBounds(const int32_t q[2]) {
    YearSeries& y = gModel.series;
    int32_t axisMax = 0, axisMin = 10000;
    for (int i = 0; i < 2; ++i) {
        if (q[i] == -1) continue;
        for (int d = 0; d < kYearSteps; ++d) {
            double t = y.latTemperature[i][d];
            if (t > axisMax) axisMax = TruncClamped(t);
            if (t < axisMin) axisMin = TruncClamped(t);
        }
    }
    // At least -20 to 50 degrees C, and 5 K of room beyond the extremes.
    y.tempAxisMax = axisMax < 318 ? 323 : (axisMax > INT32_MAX - 5 ? INT32_MAX : axisMax + 5);
    y.tempAxisMin = axisMin > 258 ? 253 : (axisMin < INT32_MIN + 5 ? INT32_MIN : axisMin - 5);
}

}  // namespace

// Interpolation of a selected latitude between its neighbouring band centres (and
// extrapolation beyond 85 degrees from the two outermost bands).
void LatitudeWeights(int32_t latitude, int32_t& q, double w[2]) {
    q = -1;
    w[0] = w[1] = 0;
    if (latitude > 90) return;
    q = (85 - latitude) / 10;
    if (q > 16) q = 16;
    double f = (85 - latitude) * 0.1;
    w[0] = q + 1 - f;
    w[1] = f - q;
}

int DayToEnergyStep(int j, int shift) {
    int idx = j <= 180 ? j + shift : 360 - j - shift;
    if (idx > 180) idx = 360 - idx;
    if (idx < 0) idx = -idx;
    // Days outside one year (never asked for by the screens) stay inside the tables.
    if (idx > 180) idx = 180;
    if (idx < 0) idx = 0;
    return idx;
}

bool SpinUpBandTemperatures(const int32_t q[2], const double weights[2][2]) {
    YearSeries& y = gModel.series;
    double* G = gModel.bandG;
    double T[kBands], D[kBands];
    for (int b = 0; b < kBands; ++b) {
        T[b] = kStartTemperature;
        y.bandYearStartTemperature[b] = kStartTemperature;
        G[b] = kGFactor * std::tan((85 - 10 * b) * kDegreeFactor);
    }
    const double e = gModel.settings.orbitShape;
    double cube = (1 - e) * (1 - e);
    cube = cube * (1 - e);
    // Temperatures lag the sunshine; a more eccentric orbit shortens the lag.
    y.energyLead = TruncClamped(30 * cube);

    gModel.spinUpYears = 0;
    gModel.spinUpSettled = false;
    while (gModel.spinUpYears < kSpinUpYearLimit) {
        ++gModel.spinUpYears;
        // Start each year halfway between the last start and the last end: this damps the
        // change from one year to the next.
        for (int b = 0; b < kBands; ++b)
            T[b] = y.bandYearStartTemperature[b] = (y.bandYearStartTemperature[b] + T[b]) * 0.5;
        for (int j = 1; j <= 360; ++j) {
            int idx = DayToEnergyStep(j, y.energyLead);
            SpinUpTransport(T, G, D);
            for (int b = 0; b < kBands; ++b) T[b] = StepBand(T[b], y.bandEnergy[b][idx], D[b], b);
            for (int i = 0; i < 2; ++i)
                if (q[i] != -1)
                    y.latTemperature[i][j] = T[q[i]] * weights[i][0] + T[q[i] + 1] * weights[i][1];
        }
        for (int i = 0; i < 2; ++i)
            if (q[i] != -1) y.latTemperature[i][0] = y.latTemperature[i][360];
        bool settled = true;
        for (int b = 0; b < kBands; ++b)
            if (!(std::fabs(T[b] - y.bandYearStartTemperature[b]) <= kSettlingTolerance)) settled = false;
        if (settled) {
            gModel.spinUpSettled = true;
            break;
        }
    }
    return gModel.spinUpSettled;
}

void ComputeYearTemperatures() {
    const ModelSettings& s = gModel.settings;
    int32_t q[2];
    double weights[2][2];
    for (int i = 0; i < 2; ++i) LatitudeWeights(s.latitude[i], q[i], weights[i]);
    SpinUpBandTemperatures(q, weights);
    SetChartBounds(q);
}

void StepBandTemperatures(int day, int advance) {
    YearSeries& y = gModel.series;
    // The temperature view reads the energy ahead by the lag; the others read the day itself.
    int shift = gModel.settings.earthView == kViewTemperature ? y.energyLead : 0;
    int idx = DayToEnergyStep(day, shift);
    if (day == 0)
        for (int b = 0; b < kBands; ++b) y.bandTemperature[b] = y.bandYearStartTemperature[b];
    double D[kBands];
    LiveTransport(y.bandTemperature, gModel.bandG, D);
    if (!advance) return;
    for (int b = 0; b < kBands; ++b)
        y.bandTemperature[b] = StepBand(y.bandTemperature[b], y.bandEnergy[b][idx], D[b], b);
}
