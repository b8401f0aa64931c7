// SPDX-License-Identifier: GPL-3.0-or-later
// The tilt and day length screen: the pupil picks a tilt, a northern season and a latitude;
// the Earth seen from above the North Pole and a 24-hour clock turn through one day in 48
// steps, the clock lit for as long as the Sun is up, and the screen writes the hours of
// daylight and an explanation box. The screen keeps its own choices and leaves the model's
// settings alone.
#pragma once
#include <cstdint>

#include "graphics/buffer.h"
#include "graphics/rect.h"
#include "settings/coast.h"
#include "settings/coast_segments.h"
#include "widgets/explanation_box.h"

struct Control;

constexpr int kTiltDayLengthScreenId = 4;
constexpr int kDayFrames = 48;     // half an hour each
constexpr int kDaylightSlot = 192;  // (128, 192, 230)
constexpr int kNightSlot = 193;     // (92, 92, 100)

// Control ids.
enum : int {
    kDayNormalTiltId = 101,
    kDayLargeTiltId = 102,
    kDayNoTiltId = 103,
    kDay75NorthId = 107,
    kDay45NorthId = 108,
    kDay30NorthId = 109,
    kDayEquatorId = 110,
    kDayWinterId = 111,
    kDaySpringId = 112,
    kDaySummerId = 113,
    kDayFallId = 114,
};

struct TiltDayLengthState {
    double screenTilt = -23.5;    // stored sign: -23.5, -40 or 0
    int32_t dayLatitude = 45;     // 75, 45, 30 or 0
    int32_t seasonId = kDayWinterId;
    double daylightHours = 0;
    int32_t step = 0;             // 0..47, the half hour drawn next
    ExplanationColour box;        // lives for the whole run
    OffscreenBuffer buffer;       // 320 x 320, slot 2 transparent: each picture in turn
    ScreenRect poleArea;          // where the North Pole view is shown
    ScreenRect clockArea;         // where the clock is shown
    Control* tiltButtons[3] = {};
    Control* seasonButtons[4] = {};
    Control* latitudeButtons[4] = {};
};
extern TiltDayLengthState gTiltDayLength;
// The coastline seen from above the North Pole, turned 7.5 degrees a frame, in a 2000 x 2000
// space centred on (1000, 1000).
extern CoastSegments gPoleFrames[kDayFrames];
// Back to the state at program start (the box colour included).
void ResetTiltDayLengthState();

// Runs the screen; returns 2 ("Return to@Tilt Screen"), a NavBar result, 2000 when the window
// closes, -4 after a lost display, or 48 after one full day in single-cycle mode.
int RunTiltDayLengthScreen();

// Hours of daylight for a tilt (stored sign), a latitude and a season button id; and the same
// for the screen's current choices.
double DayLengthFor(double screenTilt, int latitude, int seasonId);
double DayLengthHours();
// "%.1f hours of daylight", or "No Sunshine" for none.
void DaylightText(double hours, char* out, int size);
// The explanation box's texts for the choices.
const ExplanationText& DayLengthExplanation(double screenTilt, int latitude, int seasonId);

// Fills the 48 frames from the outline.
void ComputePoleFrames(const CoastOutline& outline);
// The pictures of one step, each composed in the buffer and copied to its area.
void DrawPoleView(int step);
void DrawDayClock(int step);
// Works out the hours of daylight and writes them below the clock.
void DrawDaylightText();
