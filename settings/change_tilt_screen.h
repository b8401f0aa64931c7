// SPDX-License-Identifier: GPL-3.0-or-later
// The Change Tilt screen: a globe seen from the side on December 21 turns about its tilted
// axis inside a clickable blue half-ring; a click on the ring sets the axis tilt to the
// whole-degree angle of the click, a button sets it back to the Earth Normal value.
#pragma once
#include <cstdint>

#include "graphics/buffer.h"
#include "graphics/draw.h"
#include "graphics/rect.h"
#include "settings/coast.h"

struct Control;

constexpr int kChangeTiltScreenId = 2;
constexpr int kGlobeFrameCount = 96;      // one full turn of the globe
constexpr int kGlobeSize = 260;           // the globe's picture, 260 x 260 with centre (130, 130)
constexpr int kGlobeTransparentSlot = 15; // what the picture leaves out round the disc
constexpr double kNoAxisDrawn = -999;

// The coastline segments seen in one frame, in the globe picture's coordinates.
struct GlobeFrame {
    int32_t count = 0;
    int32_t x0[kCoastPoints], y0[kCoastPoints], x1[kCoastPoints], y1[kCoastPoints];
};

struct ChangeTiltState {
    // What outlives a visit.
    double lastAxisAngle = kNoAxisDrawn;  // radians: where the axis was last drawn
    GlobeFrame frames[kGlobeFrameCount];
    int frameCounter = 0;                 // the frame the next idle step draws

    // What each visit rebuilds.
    int cx = 0, cy = 0;                   // the diagram's centre
    Region* earthDisc = nullptr;          // radius 130
    Region* axisRing = nullptr;           // radius 165 without the disc
    Region* tiltArc = nullptr;            // the blue half-ring the pupil clicks
    Region* arcRest = nullptr;            // the ring without the arc
    bool firstPaint = false;
    bool hoverOnArc = false;              // the pointer is on the arc and it shows highlighted
    OffscreenBuffer globe;                // the turning globe is composed here
    Control* tiltText = nullptr;          // the large "%.1f" of the shown tilt
};
extern ChangeTiltState gChangeTilt;
// Frees the regions and the buffer and returns everything to its start values.
void ResetChangeTiltState();

// Runs the screen; returns the next ScreenId (1, 3, 4, 13, the NavBar's, 2000, 2001), -2 when
// the display was lost, 96 in single-cycle mode after one full turn of the globe.
int RunChangeTiltScreen();

// The diagram's centre and its four regions for the help area `rect`: (cx, cy) is the middle
// of rect, 40 units lower.
void LayOutTiltDiagram(const ScreenRect& rect);
void FreeTiltDiagram();
// The whole-degree tilt (-90..90, as stored) for a pointer position in device pixels.
double TiltFromPoint(int x, int y);
// The arc (paler when highlighted), its 37 ticks and the axis at the current tilt, which
// replaces the one drawn before.
void DrawTiltArc(int highlight);
// Projects the coastline for all 96 frames at the current tilt; the globe restarts at frame 0.
void ComputeGlobeFrames();
// Frame frameCounter: night and day halves and the coastline, composed off-screen and copied
// onto the diagram with the corners left out.
void DrawSpinningGlobeFrame();
