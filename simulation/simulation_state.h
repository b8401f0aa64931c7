// SPDX-License-Identifier: GPL-3.0-or-later
// The main screen's process-wide state: the animation counters, the redraw flags, the
// geometry of its pictures, the off-screen surfaces they are drawn in, the projected globe
// and the chart mapping that the plotting shares with the axes.
#pragma once
#include <cstdint>

#include "graphics/buffer.h"
#include "graphics/rect.h"
#include "model/model.h"
#include "settings/coast.h"
#include "settings/coast_segments.h"

struct Control;

constexpr int kMainScreenId = 1;
constexpr int kGlobePhases = 24;   // rotation phases of the turning globe, 15 degrees apart
constexpr int kGlobeSide = 128;    // the turning globe's square, logical units
constexpr int kGlobeRadius = 64;
constexpr int kGlobeChords = 26;   // latitude chords that colour a globe

// Control ids of the main screen.
enum : int {
    kPauseButtonId = 101,
    kFasterButtonId = 106,
    kSlowerButtonId = 107,
};

// One rotation phase of the globe: the visible coastline as line segments in the coordinates
// of the 128 x 128 globe square (4244 bytes: the count, then four arrays).
using GlobeSegments = CoastSegments;

// A latitude chord of the globe, relative to the globe's centre, with its latitude.
struct GlobeChord {
    int x0, y0, x1, y1;
    int latitude;  // whole degrees; picks the band colour
};

// Where a latitude's legend line lies above the chart.
struct ChartLegendRow {
    bool shown;
    int y;      // the legend line's y
    int start;  // legendStart
    int end;    // legendEnd
};

struct SimulationState {
    // Animation.
    int32_t day;           // the model day shown next, 0..359
    int32_t orbitCounter;  // completed years since the screen started
    bool paused;
    int32_t frameDelay;    // milliseconds between frames

    // Redraw flags.
    bool chartTitlesFlag;
    bool earthPictureFlag;
    bool orbitPictureFlag;

    // The screen's controls (owned by its screen loop while it runs).
    Control* earthPanel;
    Control* orbitPanel;
    Control* chartPanel;
    Control* viewButtons[3];  // 102, 103, 104
    Control* pauseButton;
    Control* fasterButton;
    Control* slowerButton;
    Control* earthPicture;
    Control* orbitPicture;
    Control* tiltPicture;
    Control* chartPicture;

    // Picture geometry, logical.
    ScreenRect earthRect;       // the Earth picture
    ScreenRect earthSky;        // its drawing area (less the text strip at the bottom)
    ScreenRect earthOrbitBox;   // the orbit ellipse drawn in it
    int earthSunX, earthSunY;   // the Sun's centre in it
    ScreenRect orbitRect;       // the orbit diagram
    ScreenRect distanceBox;     // where the distance figure is written
    ScreenRect tiltRect;        // the tilt picture
    ScreenRect tiltDiagram;     // the square the tilt diagram is drawn in
    ScreenRect tiltGlobe;       // its globe
    ScreenRect chartRect;       // the chart picture
    ScreenRect chartPanelRect;  // the chart panel around it

    // Tracks of the two orbit pictures (the Earth picture's is the model's mainTrack).
    OrbitTrack diagramTrack;

    // The rotating globe: chords and the coastline of every phase (24 phase buffers).
    GlobeChord chords[kGlobeChords];
    GlobeSegments* globeBuffers;

    // What moves, and where it was last drawn on the display (device pixels).
    bool globeShown;
    ScreenRect globeSquare;   // logical
    bool markerShown;
    ScreenRect markerDevice;  // device pixels

    // Off-screen surfaces: the panels as first drawn, the static pictures over them, and
    // the two globes being composed.
    OffscreenBuffer backdrop;
    OffscreenBuffer scene;
    OffscreenBuffer globe;
    OffscreenBuffer tiltGlobeBuffer;

    // The chart mapping: y = value * chartScale + chartOffset.
    double chartScale;
    double chartOffset;
    ChartLegendRow legend[2];

    uint32_t starSeed;  // the starfield's random sequence
};
extern SimulationState gSim;

// Frees the surfaces and phase buffers and returns every field to its start value.
void ResetSimulationState();
// Frees the surfaces and the phase buffers only.
void ReleaseSimulationSurfaces();
