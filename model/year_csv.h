// SPDX-License-Identifier: GPL-3.0-or-later
// The model year as CSV, one row per day 0..360: the day, the distance from the Sun in
// million km and, for each latitude followed, its hours of daylight, daily solar energy at the
// ground (W/m2) and surface temperature (degrees C, kelvin - 273 as the program shows it).
// heliora-model prints it; the program saves it for the run on screen (Ctrl+E).
#pragma once

#include <cstdint>
#include <string>

#include "model/model.h"

// What one CSV is made from. A latitude above 90 is not followed and gives no columns.
struct YearCsvSource {
    const double* orbitDistance;               // kYearSteps semi-major axes
    int32_t latitude[2];
    const int32_t (*daylightMinutes)[kHalfYearSteps];  // [2][kHalfYearSteps]
    const int32_t (*energy)[kHalfYearSteps];
    const double (*temperature)[361];          // kelvin
};
// From the model's own series and settings.
YearCsvSource ModelYearCsvSource();
// The distances (semi-major axes) of an orbit of shape e, for a saved run's CSV; false for a
// shape outside 0 <= e < 1.
bool OrbitDistances(double e, double out[kYearSteps]);
// The header row (a latitude as 45N, 30S, EQU) and the 361 data rows.
std::string YearCsv(const YearCsvSource& source);
// A first line naming the settings, for files saved by the program:
// "# Heliora: tilt 23.5 degrees, orbit shape 0.02, latitudes 45N, 30S".
std::string YearCsvSettingsLine(double shownTilt, double orbitShape, const int32_t latitude[2]);
