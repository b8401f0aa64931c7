// SPDX-License-Identifier: GPL-3.0-or-later
// The Earth model: shared settings, the yearly series derived from them, and the
// calculations of orbit, insolation and surface temperature. No platform, no graphics.
#pragma once
#include <cstdint>

constexpr int kBands = 18;        // latitude bands centred on 85 - 10*b degrees
constexpr int kHalfYearSteps = 181;  // steps 0..180 of the band and latitude tables
constexpr int kYearSteps = 360;   // time steps of one model year; step 0 is perihelion
constexpr int kNoLatitude = 100;  // any latitude above 90 means none; we write 100

constexpr double EarthNormalTilt = -23.5;  // stored with the opposite sign of what users see
constexpr double EarthNormalShape = 0.02;

// Earth views and what the main chart shows.
enum EarthView : int32_t {
    kViewTemperature = 102,
    kViewEnergy = 103,
    kViewDaylight = 104,
    kViewDistance = 108,
};

struct ModelSettings {
    double axisTilt;       // degrees, negative of the tilt shown; Earth Normal -23.5
    double orbitShape;     // eccentricity, 0 <= e < 1
    int32_t latitude[2];   // whole degrees north positive; > 90 means none
    int32_t earthView;     // 102, 103, 104 or 108
    int32_t animationSpeed;  // 0 slowest .. 6 fastest
};

// Screen positions of Earth on a drawn orbit, one per step, and the start (tenths of a
// degree) of the half of the orbit line drawn again over the globe.
struct OrbitTrack {
    int32_t trackX[kYearSteps];
    int32_t trackY[kYearSteps];
    int32_t orbitArcStart[kYearSteps];
};

// The part of the series a log entry saves and restores in one piece, in stored order:
// settings and per-latitude rows (8708 bytes when written little-endian without padding).
struct RunSnapshot {
    double axisTilt;
    double orbitShape;
    int32_t latitude[2];
    double latTemperature[2][361];  // kelvin, days 0..360; day 0 equals day 360
    int32_t tempAxisMax;            // kelvin bounds of the temperature chart
    int32_t tempAxisMin;
    int32_t latEnergy[2][kHalfYearSteps];
    int32_t latEnergyMax;
    int32_t latDaylightMinutes[2][kHalfYearSteps];
};
constexpr int kRunSnapshotBytes = 8708;

struct YearSeries {
    double orbitAngle[kYearSteps];     // radians from perihelion
    double orbitDistance[kYearSteps];  // semi-major axes; x149.6 gives million km
    int32_t bandDaylightMinutes[kBands][kHalfYearSteps];
    int32_t bandEnergy[kBands][kHalfYearSteps];  // daily mean W/m2 at the ground
    int32_t latEnergy[2][kHalfYearSteps];
    int32_t latEnergyMax;
    int32_t latDaylightMinutes[2][kHalfYearSteps];
    double latTemperature[2][361];
    int32_t tempAxisMax;
    int32_t tempAxisMin;
    double bandYearStartTemperature[kBands];
    double bandTemperature[kBands];  // live temperatures while the main screen animates
    int32_t energyLead;
    OrbitTrack mainTrack;  // the main screen's Earth picture
};

// The whole process-wide model state.
struct ModelState {
    ModelSettings settings;
    YearSeries series;
    int32_t homeLatitude;  // from the configuration; only read
    int32_t spinUpYears;   // model years the last spin-up took
    bool spinUpSettled;    // false when the last spin-up hit the safety limit
    double bandG[kBands];  // meridional transport geometry, kept for the live daily step
};
extern ModelState gModel;
inline ModelSettings& Settings() { return gModel.settings; }
inline YearSeries& Series() { return gModel.series; }

// Zeroes settings and series, as at program start.
void ResetModelState();
void SetHomeLatitude(int latitude);

void ResetModelToEarthNormal();
void EnsureOneLatitude();
int StepOfDay(int d);
// Orbit (tables on, into `track` drawn with the given geometry), insolation, temperature.
// Returns false when the orbit refused its shape (outside 0 <= e < 1; nothing else is
// recomputed) or the spin-up hit its year limit.
bool RebuildYearSeries(double cx, double cy, double a, double b, OrbitTrack& track);
// The same into Series().mainTrack with a picture-independent geometry (tools, tests).
bool RebuildYearSeries();

// Orbit and calendar. Returns false, touching nothing, when orbitShape is outside 0 <= e < 1.
bool ComputeOrbit(double cx, double cy, double a, double b, OrbitTrack& track, int fillTables);
// The same integration and track for a shape of the caller's own (the explanation screens keep
// theirs apart from the model's settings); theta[0..359], when given, receives the angles.
// Returns false, touching nothing, for a shape outside 0 <= e < 1 or a picture with no size.
bool ComputeOrbitTrack(double e, double cx, double cy, double a, double b, OrbitTrack& track,
                       double* theta);

// Insolation and day length.
void ComputeYearInsolation();
void InsolationKernel(double decl, double cosDecl, double sinDecl, double invDist2, double lat,
                      double cosLat, double sinLat, double dayLengthFactor, double lossFraction,
                      int32_t* outDaylightMinutes, int32_t* outEnergy);
constexpr double kDegreeFactor = 0.0174533;
constexpr double kDayLengthFactor = 7.639433994335359;

// Surface temperature.
constexpr int kSpinUpYearLimit = 1000;  // far above the ~20 years any reachable setting takes
void ComputeYearTemperatures();
// Band index q (-1 for no latitude) and weights w[0], w[1]: the row's temperature is
// w[0]*T[q] + w[1]*T[q+1].
void LatitudeWeights(int32_t latitude, int32_t& q, double w[2]);
// Returns true when the year settled within the limit.
bool SpinUpBandTemperatures(const int32_t q[2], const double weights[2][2]);
void StepBandTemperatures(int day, int advance);
int DayToEnergyStep(int j, int shift);

// Run snapshot copy to and from the model.
void TakeRunSnapshot(RunSnapshot& out);
void RestoreRunSnapshot(const RunSnapshot& in);
