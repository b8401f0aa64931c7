// SPDX-License-Identifier: GPL-3.0-or-later
// Coastline data: the coarse outline of the turning globes ("newcoast.txt", text) and the
// finer outline of the Select Latitudes world map ("coast5.bin", binary records).
// Both files are read from the working directory and never written. A missing, empty or
// damaged file gives an outline with fewer points (or none), never a failure to start.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr const char* kCoastOutlineFile = "newcoast.txt";
constexpr const char* kCoastMapFile = "coast5.bin";

constexpr int kCoastPoints = 265;       // the globes' segment tables hold this many
constexpr int32_t kCoastNewLine = 1000;  // a code at or above this starts a new line

// The points of newcoast.txt as the file gives them, before rounding. The main screen's
// globe and the logbook's tilt picture project these decimals directly.
struct CoastPoints {
    int32_t count;                 // 0..kCoastPoints
    int32_t code[kCoastPoints];    // >= kCoastNewLine: not joined to the point before
    float latitude[kCoastPoints];  // degrees, north positive
    float longitude[kCoastPoints]; // degrees, east positive
};

// The coarse outline in whole degrees, kept for the whole run. Longitudes have their
// sign reversed from the file (west positive): the globe projections expect that.
// Layout: 1 + 3 x 265 signed 32-bit values, in this order.
struct CoastOutline {
    int32_t count;
    int32_t code[kCoastPoints];
    int32_t latitude[kCoastPoints];   // trunc(file latitude + 0.5)
    int32_t longitude[kCoastPoints];  // trunc(-(file longitude + 0.5))
};
static_assert(sizeof(CoastOutline) == 3184, "CoastOutline is 1 + 3 x 265 int32 values");

// Reads "code latitude longitude" lines from text (which need not end in a NUL) until a
// line does not give a point or kCoastPoints points are read; blank lines are skipped,
// anything after the third number on a line is ignored. A line that is not three
// numbers, or whose position is off the globe (latitude beyond 90, longitude beyond 360
// degrees), ends the list: the points before it stay. Returns the count.
int ParseCoastPoints(const char* text, size_t size, CoastPoints& points);

// Rounds points to the whole-degree outline. Returns the count.
int RoundCoastOutline(const CoastPoints& points, CoastOutline& outline);

// The same from a file; a missing or unreadable file gives count 0. Returns the count.
int LoadCoastPoints(const char* path, CoastPoints& points);
int LoadCoastOutline(const char* path, CoastOutline& outline);

// The program's one coarse outline: LoadCoastOutline() fills it from kCoastOutlineFile
// at start-up; the globe screens read it through TheCoastOutline(). Tests reset it.
const CoastOutline& LoadCoastOutline();
const CoastOutline& TheCoastOutline();
void ResetCoastOutline();

// One record of coast5.bin: 6 bytes little-endian on file.
constexpr double kCoastMapUnit = 0.00029088716978;  // radians, very nearly an arc minute
constexpr int16_t kCoastMapMaxLatitude = 5400;       // 90 degrees
constexpr int16_t kCoastMapMaxLongitude = 10800;     // 180 degrees
constexpr size_t kCoastMapRecordSize = 6;
constexpr size_t kCoastMapMaxRecords = 200000;       // far beyond any map's need

struct CoastMapRecord {
    int16_t code;       // > 5 starts a new line; 0..5 continue it
    int16_t latitude;   // units of kCoastMapUnit, north positive
    int16_t longitude;  // units of kCoastMapUnit, east (right on the map) positive
};

inline bool CoastMapStartsLine(const CoastMapRecord& r) { return r.code > 5; }

// Decodes whole 6-byte records from data into records (replacing its contents); a
// trailing piece shorter than a record is ignored. A record whose position lies off the
// globe (|latitude| > 5400 or |longitude| > 10800 units) is dropped and the line breaks
// there, so no stroke is drawn through it. Only the first kCoastMapMaxRecords records of
// data are looked at. Returns the number of records kept.
size_t ParseMapCoastline(const uint8_t* data, size_t size, std::vector<CoastMapRecord>& records);

// The same from a file. Returns false, with records empty, when the file cannot be
// opened or read; a readable file returns true even when it holds no whole record.
bool LoadMapCoastline(const char* path, std::vector<CoastMapRecord>& records);
