// SPDX-License-Identifier: GPL-3.0-or-later
// The Change Shape screen: the pupil makes Earth's orbit rounder or more stretched in fixed
// steps between a circle (0.00) and 0.50, or sets it back to Earth Normal, and sees the chosen
// orbit drawn from above among the Sun, the Earth Normal orbit and the orbits of Venus and Mars.
#pragma once

#include "graphics/rect.h"

struct Control;

constexpr int kChangeShapeScreenId = 5;

// Button ids of the screen's own buttons.
enum : int {
    kShapeEarthNormalId = 102,
    kShapeStretchedId = 103,
    kShapeRounderId = 104,
    kShapeEnergyLinkId = 105,  // to "orbit shape and solar energy"
    kShapeSeasonLinkId = 106,  // to "orbit shape and season length"
};

struct ChangeShapeState {
    bool firstPaint = true;  // the next paint of the diagram is its first: background and stars
    // The diagram's geometry in logical units, set at the first paint: the semi-major axis
    // of every Earth orbit drawn, the Sun's centre, and the Earth Normal orbit's semi-minor
    // axis and focus offset.
    double a = 0, X0 = 0, Y0 = 0, bN = 0, cN = 0;
    ScreenRect diagramRect;   // the help area the diagram fills
    ScreenRect selectedRect;  // the selected orbit's ellipse as last drawn
    bool selectedShown = false;  // it stands on the screen (drawing it again removes it)

    Control* diagram = nullptr;
    Control* rounder = nullptr;
    Control* stretched = nullptr;
    Control* earthNormal = nullptr;
    Control* valueBar = nullptr;
};
extern ChangeShapeState gChangeShape;
void ResetChangeShapeState();

// Runs the screen's loop; returns the next ScreenId.
int RunChangeShapeScreen();

// The diagram's draw callback (the help area). The black sky with its stars only at the
// first paint; the Sun, the orbits and their names on every paint.
void DrawShapeDiagram(Control* helpArea);
// update 0: removes the selected orbit, makes its ellipse anew for `orbitShape` and draws
// it; 1: draws it at the ellipse last made. Drawn in exclusive-or, so drawing the same
// ellipse twice leaves the picture as it was.
void DrawSelectedOrbit(int update);
// The idle step without its pause: one step of the orbit icon.
void RunChangeShapeIdleStep();

// The shape in hundredths, rounded: the steps of the two buttons are counted in these.
int ShapeSteps(double orbitShape);
