// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/year_csv.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string LatitudeName(int lat) {
    if (lat == 0) return "EQU";
    return std::to_string(std::abs(lat)) + (lat > 0 ? "N" : "S");
}

bool Followed(int32_t latitude) { return latitude >= -90 && latitude <= 90; }

}  // namespace

YearCsvSource ModelYearCsvSource() {
    const YearSeries& y = Series();
    const ModelSettings& s = Settings();
    return {y.orbitDistance, {s.latitude[0], s.latitude[1]}, y.latDaylightMinutes, y.latEnergy,
            y.latTemperature};
}

bool OrbitDistances(double e, double out[kYearSteps]) {
    OrbitTrack track;
    double theta[kYearSteps];
    // The track is not wanted; any picture size does.
    if (!ComputeOrbitTrack(e, 100, 100, 100, 100, track, theta)) return false;
    for (int k = 0; k < kYearSteps; ++k) out[k] = 1 - e * std::cos(theta[k]);
    return true;
}

std::string YearCsv(const YearCsvSource& src) {
    std::string out = "day,distance (million km)";
    for (int i = 0; i < 2; ++i) {
        if (!Followed(src.latitude[i])) continue;
        const std::string n = LatitudeName(src.latitude[i]);
        out += "," + n + " daylight (h)," + n + " energy (W/m2)," + n + " temperature (C)";
    }
    out += "\n";
    char cell[64];
    for (int d = 0; d <= 360; ++d) {
        std::snprintf(cell, sizeof cell, "%d,%.3f", d, src.orbitDistance[d % kYearSteps] * 149.6);
        out += cell;
        const int k = StepOfDay(d);
        for (int i = 0; i < 2; ++i) {
            if (!Followed(src.latitude[i])) continue;
            std::snprintf(cell, sizeof cell, ",%.3f,%d,%.2f", src.daylightMinutes[i][k] / 60.0,
                          int(src.energy[i][k]), src.temperature[i][d] - 273);
            out += cell;
        }
        out += "\n";
    }
    return out;
}

std::string YearCsvSettingsLine(double shownTilt, double orbitShape, const int32_t latitude[2]) {
    char text[160];
    std::snprintf(text, sizeof text, "# Heliora: tilt %.1f degrees, orbit shape %.2f, latitudes ",
                  shownTilt, orbitShape);
    std::string out = text;
    bool first = true;
    for (int i = 0; i < 2; ++i) {
        if (!Followed(latitude[i])) continue;
        out += (first ? "" : ", ") + LatitudeName(latitude[i]);
        first = false;
    }
    return out + "\n";
}
