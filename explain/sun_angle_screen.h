// SPDX-License-Identifier: GPL-3.0-or-later
// The Sun angle screen: how high the Sun stands at noon for a person at a chosen latitude in
// a chosen month. The left picture shows the Earth lit from the right with the person's place
// and the directions from there; the right picture shows the person under the noon Sun, with
// the angles that add up to the Sun's angle from overhead when the pupil asks for them.
#pragma once

#include "graphics/buffer.h"
#include "simulation/simulation_state.h"  // GlobeSegments: one projected coastline frame

struct Control;

constexpr int kSunAngleScreenId = 13;
constexpr int kSunAngleStartMonth = 11;          // December
constexpr int kSunAngleStartLatitudeIndex = 27;  // 45 N
constexpr int kSunAngleLatitudeSteps = 36;       // 5-degree steps from 90 S to 90 N

// The screen's own buttons.
enum : int {
    kSunAngleAheadId = 101,
    kSunAngleBackId = 102,
    kSunAngleNorthId = 103,
    kSunAngleSouthId = 104,
    kSunAngleShowAnglesId = 105,
    kSunAngleReturnId = 150,
};

// Palette: the sky gradient of the lit half, and the person picture's ground, shadow and shirt.
constexpr int kSkyGradientFirst = 140;  // 140..167
constexpr int kSkyGradientCount = 28;
constexpr int kGroundSlot = 128;
constexpr int kShadowSlot = 129;
constexpr int kShirtSlot = 130;
constexpr int kCoastSlot = 160;

struct SunAngleState {
    // Kept for the whole run of the program.
    int month = kSunAngleStartMonth;                  // 0 January .. 11 December
    int latitudeIndex = kSunAngleStartLatitudeIndex;  // 0..36: latitude (index - 18) x 5
    bool showAngles = false;

    // One visit of the screen.
    OffscreenBuffer buffer;  // 480 x 480: each picture is drawn here, then shown
    GlobeSegments frame{};   // the coastline seen from the side, 2000 x 2000 units
    double sunOffset = 0;    // d of the month, radians
    Control* northButton = nullptr;
    Control* southButton = nullptr;
};
extern SunAngleState gSunAngle;
// Back to the start of the program: December, 45 N, angles hidden, nothing allocated.
void ResetSunAngleState();

// The month's Sun offset d in radians: +23.5 degrees in December, -23.5 in June, 0 exactly
// in March and September; the sign of the model's axisTilt.
double SunOffset(int month);
// The person's latitude in whole degrees, north positive.
int PersonLatitude(int latitudeIndex);
// The Sun's signed angle from overhead at noon, degrees: latitude + d.
double ZenithAngle(int latitude, double sunOffset);
inline bool SunBelowHorizon(double zenith) { return zenith > 90 || zenith < -90; }
// The Sun's angle from the equator as the screen prints it: d in whole degrees.
int SunOffsetDegrees(double sunOffset);

// Stores the sky gradient in slots 140..167 and sends it to the display.
void SetSkyGradient();
// The coastline of the Earth seen from the side with the Sun to the right, for offset d.
void ProjectSunAngleEarth(double sunOffset, GlobeSegments& frame);

// The two pictures, each drawn on the current target in the coordinates of a 480 x 480 square.
void DrawSunAngleEarth(double sunOffset, int latitude, bool showAngles,
                       const GlobeSegments& frame);
// Also sets the ground, shadow and shirt colours (slots 128..130) for the Sun's height.
void DrawSunAnglePerson(double sunOffset, int latitude, bool showAngles);

// Runs the screen's loop; returns the next ScreenId.
int RunSunAngleScreen();
