// SPDX-License-Identifier: GPL-3.0-or-later
// The latitude zones screen: a large tilted globe split into the five climate zones, and
// beside it the yearly course of solar energy in the zone the pupil clicks. The curves are
// stylised shapes with tabled amplitudes for three tilts; the screen's tilt is its own and
// the model's settings are never changed.
#pragma once
#include <cstdint>

#include "graphics/rect.h"
#include "settings/coast.h"
#include "simulation/simulation_state.h"
#include "widgets/text_block.h"

struct Control;
struct Region;

constexpr int kLatitudeZonesScreenId = 9;
constexpr int kZoneCount = 5;
constexpr int kZoneSlotFirst = 240;  // zone k is painted in slot 240 + k
constexpr int kZoneEarthRadius = 140;
constexpr int kZoneGlobeRadius = 160;  // the axis and the clickable disc

enum : int {
    kZoneNorthPolar = 0,
    kZoneNorthTemperate = 1,
    kZoneTropical = 2,
    kZoneSouthTemperate = 3,
    kZoneSouthPolar = 4,
};

// Control ids of the screen.
enum : int {
    kZoneTiltLargeId = 101,
    kZoneTiltNormalId = 102,
    kZoneTiltSmallId = 104,
    kZoneReturnId = 106,
};

// The coastline turned to the screen's tilt, in a 2000 x 2000 square around the globe
// (4244 bytes: the count, then four arrays).
struct ZoneCoastPoints {
    int32_t count;
    int32_t x[kCoastPoints];
    int32_t y[kCoastPoints];
    int32_t visible[kCoastPoints];  // on the hemisphere facing the pupil
    int32_t code[kCoastPoints];     // >= kCoastNewLine: not joined to the point before
};
static_assert(sizeof(ZoneCoastPoints) == 4244, "a coastline buffer is 4244 bytes");

// Amplitudes and means of the stylised curves for one tilt, W per square metre.
struct ZoneCurveTable {
    double polarAmplitude;
    double temperateAmplitude;
    double temperateMean;
    double tropicalAmplitude;
    double tropicalMean;
};

struct LatitudeZonesState {
    double zoneTilt;   // degrees, stored negative like axisTilt
    int selectedZone;  // 0..4
    int styleCounter;  // the explanation's style, 1..5; carries on from one visit to the next
    int hoverZone;     // the zone whose help text the HelpLine shows, -1 none

    // Built with the globe, freed on every exit.
    Region* zoneRegions[kZoneCount];
    Region* globeRegion;
    ZoneCoastPoints* coastPoints;
    GlobeSegments* coastSegments;
    TextBlockFonts fonts;

    // The screen's controls (owned by its loop while it runs).
    Control* panel;
    Control* globePicture;
    Control* chartPicture;
    Control* tiltButtons[3];  // 104, 102, 101
    Control* returnButton;
};
extern LatitudeZonesState gZones;

// Frees everything the screen holds and returns every field to its start value.
void ResetLatitudeZonesState();
// Frees the regions, the coastline buffers and the fonts only.
void ReleaseLatitudeZonesResources();

const char* ZoneShortName(int zone);  // "North Polar", ...
const char* ZoneTitle(int zone);      // "North Polar Zone", ...

// The curve table of a tilt (-15 small, -40 large, anything else Earth Normal).
ZoneCurveTable ZoneCurvesForTilt(double zoneTilt);
// The energy a zone's curve gives on day d (0..360).
double ZoneCurveValue(int zone, int day, double zoneTilt);

// Where zone k begins along the axis (k = 1..4 its northern edge, k = 0 and 5 the axis ends),
// in units from the globe's centre, negative towards the north.
double ZoneEdge(int k, double zoneTilt);
// The point s units along the axis from the globe's centre.
void ZoneAxisPoint(const ScreenRect& picture, double zoneTilt, double s, double& x, double& y);

// Projects the coastline for a tilt into the two buffers.
void ProjectZoneCoastline(const CoastOutline& coast, double zoneTilt, ZoneCoastPoints& points,
                          GlobeSegments& segments);
// Builds the globe region and the five zone regions for the picture; false when one could
// not be made (those made are kept, to be freed with the rest).
bool BuildZoneRegions(const ScreenRect& picture, double zoneTilt);
void FreeZoneRegions();
// The zone under a logical point, or -1 outside the globe.
int ZoneAt(int x, int y);

// The zone colours in slots 240..244, the selected one yellow; only the palette changes.
void SetZoneColours(int selectedZone);

// The pictures, drawn on the current target inside an open drawing bracket.
void DrawZoneGlobe(const ScreenRect& picture, double zoneTilt);
void DrawZoneChart(const ScreenRect& chart, int zone, double zoneTilt);
// The selected zone's explanation under the NavBar, in the given style.
void DrawZoneExplanation(int zone, int style);

// Runs the screen's loop; returns the next ScreenId.
int RunLatitudeZonesScreen();
