// SPDX-License-Identifier: GPL-3.0-or-later
// heliora-model: runs the Earth model for one setting and prints its yearly series, as CSV for
// a spreadsheet, as JSON with every array, or as a short table to read.
// Exit status: 0 done, 1 output failed, 2 bad arguments, 3 the temperature year never settled.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/model.h"
#include "model/year_csv.h"
#include "tools/tool_args.h"

namespace {

const char* const kUsage =
    "Usage: heliora-model [--tilt DEGREES] [--shape E] --lat N [--lat N] [--format csv|json|table]\n"
    "\n"
    "Runs Heliora's Earth model for one model year and prints the results.\n"
    "\n"
    "  --tilt DEGREES   tilt of Earth's axis as the program shows it, -90..90\n"
    "                   (default 23.5, Earth Normal)\n"
    "  --shape E        orbit shape, the eccentricity of the orbit, 0 <= E < 1; 0 is a circle\n"
    "                   (default 0.02, Earth Normal)\n"
    "  --lat N          a latitude to follow, in whole degrees, north positive, -90..90;\n"
    "                   give it once or twice\n"
    "  --format F       csv (default): one row per day 0..360 with a header row: the day, the\n"
    "                   distance from the Sun in million km and, for each latitude, its hours\n"
    "                   of daylight, daily solar energy at the ground (W/m2) and surface\n"
    "                   temperature (degrees C)\n"
    "                   json: one object holding every series of the model by its field name\n"
    "                   (orbitAngle, orbitDistance, bandDaylightMinutes, bandEnergy, latEnergy,\n"
    "                   latDaylightMinutes, latEnergyMax, latTemperature in kelvin,\n"
    "                   tempAxisMax, tempAxisMin, bandYearStartTemperature, energyLead), the\n"
    "                   spin-up (spinUpYears, settled) and the settings (tilt, shape,\n"
    "                   latitudes); a latitude row that is not used is all zeros\n"
    "                   table: every 30 days, the same columns as csv, to read\n"
    "  --help           this text\n"
    "\n"
    "Values may also be given as --option=VALUE.\n"
    "Exit status: 0 success; 1 the output could not be written; 2 bad arguments; 3 the\n"
    "temperatures did not settle into a repeating year (very elongated orbits): the numbers\n"
    "are printed anyway with a warning.\n";

[[noreturn]] void Refuse(const std::string& message) { RefuseArgument("heliora-model", message); }

// A finite decimal number with nothing after it.
bool ParseNumber(const char* text, double& out) {
    if (!text || !*text || std::strchr(" \t\n\r\f\v", text[0])) return false;
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(text, &end);
    if (errno == ERANGE || *end != '\0' || !std::isfinite(v)) return false;
    out = v;
    return true;
}

enum class Format { kCsv, kJson, kTable };

struct Request {
    double tilt = -EarthNormalTilt;  // as the user sees it
    double shape = EarthNormalShape;
    int latitudes[2] = {kNoLatitude, kNoLatitude};
    int latitudeCount = 0;
    Format format = Format::kCsv;
};

Request ParseArguments(int argc, char** argv) {
    Request req;
    bool tiltGiven = false, shapeGiven = false, formatGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string name = arg;
        std::string value;
        bool hasValue = false;
        size_t eq = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        if (name != "--tilt" && name != "--shape" && name != "--lat" && name != "--format") {
            if (arg.compare(0, 1, "-") == 0 && arg.size() > 1) Refuse("unknown option '" + name + "'");
            Refuse("unexpected argument '" + arg + "'");
        }
        if (!hasValue) {
            if (i + 1 >= argc) Refuse(name + " needs a value");
            value = argv[++i];
        }
        double v = 0;
        if (name == "--format") {
            if (formatGiven) Refuse("--format given twice");
            formatGiven = true;
            if (value == "csv") req.format = Format::kCsv;
            else if (value == "json") req.format = Format::kJson;
            else if (value == "table") req.format = Format::kTable;
            else Refuse("bad value '" + value + "' for --format: csv, json or table");
        } else if (!ParseNumber(value.c_str(), v)) {
            Refuse("bad value '" + value + "' for " + name + ": not a number");
        } else if (name == "--tilt") {
            if (tiltGiven) Refuse("--tilt given twice");
            tiltGiven = true;
            if (v < -90 || v > 90) Refuse("tilt " + value + " is outside -90..90 degrees");
            req.tilt = v;
        } else if (name == "--shape") {
            if (shapeGiven) Refuse("--shape given twice");
            shapeGiven = true;
            if (!(v >= 0 && v < 1)) Refuse("shape " + value + " is outside 0 <= shape < 1");
            req.shape = v;
        } else {
            if (req.latitudeCount == 2) Refuse("at most two latitudes");
            if (v < -90 || v > 90) Refuse("latitude " + value + " is outside -90..90 degrees");
            if (v != std::trunc(v)) Refuse("latitude " + value + " is not a whole number of degrees");
            req.latitudes[req.latitudeCount++] = int(v);
        }
    }
    if (req.latitudeCount == 0) Refuse("give at least one latitude with --lat");
    return req;
}

// Latitude as a column name: 45N, 30S, EQU.
std::string LatitudeName(int lat) {
    if (lat == 0) return "EQU";
    return std::to_string(std::abs(lat)) + (lat > 0 ? "N" : "S");
}

double DistanceMillionKm(int day) { return Series().orbitDistance[day % kYearSteps] * 149.6; }
double DaylightHours(int row, int day) { return Series().latDaylightMinutes[row][StepOfDay(day)] / 60.0; }
int Energy(int row, int day) { return Series().latEnergy[row][StepOfDay(day)]; }
// Shown the way the program shows it: kelvin minus 273.
double Celsius(int row, int day) { return Series().latTemperature[row][day] - 273; }

void PrintCsv() { std::fputs(YearCsv(ModelYearCsvSource()).c_str(), stdout); }

void PrintTable(const Request& req) {
    std::printf("Tilt %g degrees, orbit shape %g\n\n", req.tilt, req.shape);
    std::printf("  day  distance");
    for (int i = 0; i < req.latitudeCount; ++i)
        std::printf(i + 1 < req.latitudeCount ? " | %-24s" : " | %s", LatitudeName(req.latitudes[i]).c_str());
    std::printf("\n%15s", "");
    for (int i = 0; i < req.latitudeCount; ++i) std::printf(" | %8s %7s %7s", "daylight", "energy", "temp");
    std::printf("\n%15s", "mill. km");
    for (int i = 0; i < req.latitudeCount; ++i) std::printf(" | %8s %7s %7s", "h", "W/m2", "C");
    std::printf("\n");
    for (int d = 0; d <= 360; d += 30) {
        std::printf("%5d %9.1f", d, DistanceMillionKm(d));
        for (int i = 0; i < req.latitudeCount; ++i)
            std::printf(" | %8.1f %7d %7.1f", DaylightHours(i, d), Energy(i, d), Celsius(i, d));
        std::printf("\n");
    }
}

// Doubles round-trip with 17 significant digits; JSON has no NaN or infinity, so those are null.
void PrintDouble(double v) {
    if (std::isfinite(v)) std::printf("%.17g", v);
    else std::printf("null");
}

void PrintDoubles(const double* v, int n) {
    std::printf("[");
    for (int i = 0; i < n; ++i) {
        if (i) std::printf(",");
        PrintDouble(v[i]);
    }
    std::printf("]");
}

void PrintInts(const int32_t* v, int n) {
    std::printf("[");
    for (int i = 0; i < n; ++i) std::printf(i ? ",%d" : "%d", int(v[i]));
    std::printf("]");
}

template <typename Row, typename PrintRow>
void PrintRows(const char* key, int rows, const Row* table, PrintRow printRow, bool last = false) {
    std::printf("\"%s\":[", key);
    for (int r = 0; r < rows; ++r) {
        if (r) std::printf(",\n  ");
        printRow(table[r]);
    }
    std::printf("]%s\n", last ? "" : ",");
}

void PrintJson(const Request& req) {
    const YearSeries& y = Series();
    auto ints181 = [](const int32_t (&row)[kHalfYearSteps]) { PrintInts(row, kHalfYearSteps); };
    std::printf("{\n");
    std::printf("\"tilt\":");
    PrintDouble(req.tilt);
    std::printf(",\n\"shape\":");
    PrintDouble(req.shape);
    std::printf(",\n\"latitudes\":");
    int32_t lats[2] = {req.latitudes[0], req.latitudes[1]};
    PrintInts(lats, req.latitudeCount);
    std::printf(",\n\"spinUpYears\":%d,\n", int(gModel.spinUpYears));
    std::printf("\"settled\":%s,\n", gModel.spinUpSettled ? "true" : "false");
    std::printf("\"orbitAngle\":");
    PrintDoubles(y.orbitAngle, kYearSteps);
    std::printf(",\n\"orbitDistance\":");
    PrintDoubles(y.orbitDistance, kYearSteps);
    std::printf(",\n");
    PrintRows("bandDaylightMinutes", kBands, y.bandDaylightMinutes, ints181);
    PrintRows("bandEnergy", kBands, y.bandEnergy, ints181);
    PrintRows("latEnergy", 2, y.latEnergy, ints181);
    PrintRows("latDaylightMinutes", 2, y.latDaylightMinutes, ints181);
    std::printf("\"latEnergyMax\":%d,\n", int(y.latEnergyMax));
    PrintRows("latTemperature", 2, y.latTemperature, [](const double (&row)[361]) { PrintDoubles(row, 361); });
    std::printf("\"tempAxisMax\":%d,\n\"tempAxisMin\":%d,\n", int(y.tempAxisMax), int(y.tempAxisMin));
    std::printf("\"bandYearStartTemperature\":");
    PrintDoubles(y.bandYearStartTemperature, kBands);
    std::printf(",\n\"energyLead\":%d\n}\n", int(y.energyLead));
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    const Request req = ParseArguments(argc, argv);

    ResetModelState();
    SetHomeLatitude(req.latitudes[0]);
    ModelSettings& s = Settings();
    s.axisTilt = 0.0 - req.tilt;  // stored with the opposite sign; 0.0 - 0.0 avoids -0
    s.orbitShape = req.shape;
    s.latitude[0] = req.latitudes[0];
    s.latitude[1] = req.latitudes[1];
    s.earthView = kViewTemperature;
    s.animationSpeed = 3;
    const bool settled = RebuildYearSeries();
    if (!settled && gModel.spinUpSettled) {
        // The shape was checked above, so the model refusing it is our fault, not the user's.
        std::fprintf(stderr, "heliora-model: the model refused orbit shape %g\n", req.shape);
        return 1;
    }

    // Near e = 1 the daily energy outgrows a 32-bit integer and the model saturates it: the
    // numbers are then meaningless, and the caller must hear it like an unsettled year.
    auto outOfRange = [](int32_t e) { return e < 0 || e == INT32_MAX; };
    bool overflowed = false;
    for (int b = 0; b < kBands; ++b)
        for (int k = 0; k < kHalfYearSteps; ++k) overflowed = overflowed || outOfRange(Series().bandEnergy[b][k]);
    for (int row = 0; row < req.latitudeCount; ++row)
        for (int k = 0; k < kHalfYearSteps; ++k) overflowed = overflowed || outOfRange(Series().latEnergy[row][k]);

    // A row without a latitude is never computed; show it as zeros rather than leftovers.
    YearSeries& y = Series();
    for (int row = req.latitudeCount; row < 2; ++row) {
        std::memset(y.latEnergy[row], 0, sizeof y.latEnergy[row]);
        std::memset(y.latDaylightMinutes[row], 0, sizeof y.latDaylightMinutes[row]);
        std::memset(y.latTemperature[row], 0, sizeof y.latTemperature[row]);
    }

    switch (req.format) {
        case Format::kCsv: PrintCsv(); break;
        case Format::kJson: PrintJson(req); break;
        case Format::kTable: PrintTable(req); break;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "heliora-model: writing the output failed\n");
        return 1;
    }
    if (overflowed) {
        std::fprintf(stderr,
                     "heliora-model: warning: orbit shape %.16g is beyond what the model can compute; "
                     "the daily energies overflowed\n",
                     req.shape);
        return 3;
    }
    if (!settled) {
        std::fprintf(stderr,
                     "heliora-model: warning: the temperatures did not settle within %d model "
                     "years; they are printed as the last year left them\n",
                     int(gModel.spinUpYears));
        return 3;
    }
    return 0;
}
