// SPDX-License-Identifier: GPL-3.0-or-later
// The tilt and sunlight intensity screen: the Earth from the side with the Sun to the right,
// two equal sunbeams striking 35 degrees north and south at noon. The pupil picks a tilt and
// a northern season; the footprints are shaded by the beams' noon intensity, the beams shimmer
// by palette cycling, and an explanation box says what the choice shows. The screen keeps its
// own tilt and season and leaves the model's settings alone.
#pragma once
#include <cstdint>

#include "graphics/rect.h"
#include "settings/coast.h"
#include "settings/coast_segments.h"
#include "widgets/explanation_box.h"

struct Control;

constexpr int kTiltIntensityScreenId = 3;

// Control ids.
enum : int {
    kIntensityNormalTiltId = 101,
    kIntensityLargeTiltId = 102,
    kIntensityNoTiltId = 103,
    kIntensityWinterId = 110,
    kIntensitySummerId = 112,
};

// Seasons as the screen keeps them.
enum : int32_t { kIntensityWinter = 0, kIntensitySummer = 2 };

constexpr int kBeamFirstSlot = 58;   // 58..81: the beams' stripes, cycled
constexpr int kBeamSlots = 24;
constexpr int kNorthFootprintSlot = 160;
constexpr int kSouthFootprintSlot = 161;
constexpr int kFootprintPoints = 36;

// One projected view: the coastline in a 2000 x 2000 space centred on (1000, 1000) with the
// globe's radius 1000, then the two footprints (north first), 36 points each.
struct IntensityView {
    CoastSegments coast;
    int32_t footX[2 * kFootprintPoints];
    int32_t footY[2 * kFootprintPoints];
};

struct TiltIntensityState {
    double screenTilt = -23.5;  // stored sign: -23.5, -40 or 0
    int32_t season = kIntensityWinter;
    int32_t beamPhase = 0;      // 0..23
    ExplanationColour box;      // lives for the whole run
    IntensityView winterView;
    IntensityView summerView;
    ScreenRect diagram;         // the help area the diagram fills
    ScreenRect disc;            // the globe's square in it
    Control* tiltButtons[3] = {};
    Control* seasonButtons[2] = {};
};
extern TiltIntensityState gTiltIntensity;
// Back to the state at program start (the box colour included).
void ResetTiltIntensityState();

// Runs the screen; returns 2 ("Return to@Tilt Screen"), a NavBar result, 2000 when the window
// closes, or -3 after a lost display.
int RunTiltIntensityScreen();

// The globe's square for a diagram area: side ((B - T) - 150) / 2 * 2, 100 units in from the
// left, centred vertically.
ScreenRect IntensityDiscRect(const ScreenRect& area);

// Noon intensities in W/m2 of the northern and southern beam, truncated.
void NoonIntensities(double screenTilt, int season, int& north, int& south);
// "very low in the sky", "low in the sky", "high in the sky" or "nearly overhead".
const char* SkyWord(int intensity);
// The explanation box's texts for a tilt and season.
const ExplanationText& IntensityExplanation(double screenTilt, int season);

// Projects the coastline and the footprints for the tilt, as seen in winter or in summer.
void ProjectIntensityView(const CoastOutline& outline, double screenTilt, int season,
                          IntensityView& view);
// The explanation box and the diagram for the state's tilt and season (the views must be
// projected); sets palette slots 160 and 161.
void DrawIntensityDiagram();
// One idle step: the stripes' yellows move on by one slot.
void CycleBeams();
