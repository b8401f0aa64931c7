// SPDX-License-Identifier: GPL-3.0-or-later
// The colour ramps of the Earth views and the rule that turns a band's value into a slot.
#include <algorithm>
#include <cmath>

#include "graphics/palette.h"
#include "model/trunc.h"
#include "simulation/earth_views.h"

namespace {

int Limit(int v, int lo, int hi) { return std::min(std::max(v, lo), hi); }

}  // namespace

void LoadViewPalette() {
    // Later writes replace earlier ones: each ramp segment's last entry (which would leave
    // 0..255) is overwritten by the first of the next.
    SetPaletteEntry(58, 89, 89, 165);
    for (int j = 0; j <= 7; ++j) SetPaletteEntry(59 + j, 89 - 9 * j, 89 - 9 * j, 165 + 9 * j);
    for (int j = 0; j <= 8; ++j) SetPaletteEntry(66 + j, 25, 25 + 29 * j, 229);
    for (int j = 0; j <= 8; ++j) SetPaletteEntry(74 + j, 25, 229, 229 - 29 * j);
    for (int j = 0; j <= 8; ++j) SetPaletteEntry(82 + j, 25 + 29 * j, 229, 25);
    for (int j = 0; j <= 8; ++j) SetPaletteEntry(90 + j, 229, 229 - 29 * j, 25);
    for (int j = 0; j <= 9; ++j) SetPaletteEntry(98 + j, 229 - 9 * j, 25 + 9 * j, 25 + 9 * j);
    SetPaletteEntry(106, 153, 102, 102);
    // Energy: black through brown and orange, then towards pale yellow.
    for (int i = 0; i <= 24; ++i) {
        const int v = int(255 * std::sqrt(i * 0.04081632653061224));
        SetPaletteEntry(107 + i, v, int(v * 0.6666666666666666), int(v * 0.3333333333333333));
    }
    for (int j = 0; j <= 24; ++j) {
        const int k = 11 * j;
        SetPaletteEntry(131 + j, 255, std::min(int(170 + k * 0.6666666666666666), 255),
                        std::min(int(85 + k * 0.3333333333333333), 255));
    }
    // Daylight: black to near white.
    for (int j = 0; j <= 48; ++j) {
        const int v = int(j * 5.270833333333333);
        SetPaletteEntry(156 + j, v, v, v);
    }
    ApplyPalette(kViewPaletteFirst, kViewPaletteCount);
}

int BandOfLatitude(double latitude) {
    if (!std::isfinite(latitude)) return 0;
    return Limit(TruncClamped((90 - latitude) * 0.1), 0, kBands - 1);
}

int TemperatureSlot(double kelvin) {
    return Limit(TruncClamped(58.5 - (kelvin * 0.01124 - 2.7416) * (-50)), 58, 106);
}

int EnergySlot(int energy) {
    return Limit(TruncClamped(58.5 + energy * (1.0 / 1200) * 48), 58, 106) + 49;
}

int DaylightSlot(int minutes) {
    // 156 plus the hours of daylight in half hours, rounded.
    return Limit(156 - TruncClamped(minutes * (-0.03333333333333333) - 0.5), 156, 204);
}

int DistanceSlot(double distance) {
    return Limit(TruncClamped(107.5 + distance * 0.4986666666666667 * 48), 107, 155);
}

int ViewColour(int band) {
    band = Limit(band, 0, kBands - 1);
    const YearSeries& y = Series();
    const int day = Limit(gSim.day, 0, kYearSteps - 1);
    const int step = StepOfDay(day);
    switch (Settings().earthView) {
    case kViewEnergy: return EnergySlot(y.bandEnergy[band][step]);
    case kViewDaylight: return DaylightSlot(y.bandDaylightMinutes[band][step]);
    case kViewDistance: return DistanceSlot(y.orbitDistance[day]);
    default: return TemperatureSlot(y.bandTemperature[band]);
    }
}

const char* LegendSentence(int earthView) {
    switch (earthView) {
    case kViewTemperature: return "The colors indicate the Earth's surface temperature.";
    case kViewEnergy: return "The shading indicates the solar energy received each day.";
    case kViewDaylight: return "The shading indicates the hours of sunlight each day.";
    case kViewDistance: return "The shading indicates the distance from the Sun.";
    default: return "";
    }
}

const char* ViewTitle(int earthView) {
    switch (earthView) {
    case kViewTemperature: return "Surface Temperature:";
    case kViewEnergy: return "Energy Received from the Sun:";
    case kViewDaylight: return "Hours of Daylight:";
    case kViewDistance: return "Distance from the Sun:";
    default: return "";
    }
}
