// SPDX-License-Identifier: GPL-3.0-or-later
// The orbit shape and season length screen: the orbit of the pupil's chosen shape cut into the
// four Northern Hemisphere seasons as seen from the Sun, the solstices and equinoxes with their
// dates, each season's length in days, and the Earth running round at its changing speed.
#pragma once

#include "explain/orbit_shape_screens.h"
#include "model/model.h"

constexpr int kSeasonLengthScreenId = 7;
constexpr int kSeasonFirstSlot = 128;  // 128..131: winter, spring, summer, fall

// The turning points in the order the screen keeps them.
enum TurningPointIndex : int {
    kWinterSolstice,
    kSpringEquinox,
    kSummerSolstice,
    kFallEquinox,
    kTurningPoints
};

// An orbit of one shape laid out in the picture, with the calendar the screen derives from it.
struct SeasonOrbit {
    OrbitEllipse ellipse;
    double sunX = 0;                   // the Sun sits at the left focus (sunX, ellipse.cy)
    OrbitTrack track{};
    double speed[kYearSteps] = {};     // miles per second at each step
    int pointStep[kTurningPoints] = {};
    int pointDay[kTurningPoints] = {};  // day of the year, 0 = 1 January
};

struct SeasonLengthState {
    double shape = EarthNormalShape;  // the screen's own; the model's settings never change
    int step = 0;                     // 0..359
    SeasonOrbit orbit;
    OrbitPictureCopies copies;
    ScreenRect speedBox;
    char speedText[32] = "";          // the figure shown, changed every fourth step
    int messageCounter = 1;           // the message boxes' fill; kept while the program runs
    ShapeScreenControls controls;
};
extern SeasonLengthState gSeasonLength;

// Everything as at program start (the message counter back to 1).
void ResetSeasonLengthState();

// Runs the screen's loop; returns the next ScreenId.
int RunSeasonLengthScreen();

// Lays out the orbit of a shape in a picture rectangle: track, speeds, turning points and days.
void ComputeSeasonOrbit(double shape, const ScreenRect& picture, SeasonOrbit& out);
// The lengths in days of winter, spring, summer and fall; they add up to 365.
void SeasonLengths(const SeasonOrbit& orbit, int lengths[4]);
// "December 21" for day 354; days outside 0..364 count on into the next or last year.
void FormatSeasonDate(int day, char* text, int size);

// The orbit picture with its message box, drawn anew for the current shape.
void DrawSeasonLengthPicture();
// One animation frame for the current step: the Earth's disc, and every fourth step the speed.
// Then the step moves on; true when it has just come round to 0 (a whole orbit shown).
bool RunSeasonLengthFrame();
// The three lines of the message box for a shape ("%s orbit:" of its name first).
void SeasonLengthMessage(double shape, char* line1, int size, const char** line2,
                         const char** line3);
