// SPDX-License-Identifier: GPL-3.0-or-later
// The orbit shape and solar energy screen: Earth runs round an orbit of the pupil's chosen
// shape, glowing brighter near the Sun, while a cross-hair follows it along the curve of
// sunlight energy against distance and a readout gives the distance in million km.
#pragma once

#include "explain/orbit_shape_screens.h"
#include "model/model.h"

constexpr int kOrbitEnergyScreenId = 6;
constexpr int kEnergyRampFirstSlot = 129;  // 129..158: 50 W/m2 bands of the chart
constexpr int kEnergyRampSlots = 30;
constexpr int kGlowSlot = 128;             // the Earth's disc, recoloured every frame

struct OrbitEnergyState {
    double shape = EarthNormalShape;  // the screen's own; the model's settings never change
    int step = 0;                     // 0..359
    OrbitTrack track{};
    double dist[kYearSteps] = {};     // semi-major axes
    OrbitPictureCopies copies;
    ScreenRect picture;               // the orbit picture
    ScreenRect chart;                 // the energy chart
    ScreenRect readout;               // where the distance figure is written
    int crossX = -1, crossY = -1;     // the cross-hair drawn now; -1 when none
    int messageCounter = 1;           // the message boxes' fill; kept while the program runs
    ShapeScreenControls controls;
};
extern OrbitEnergyState gOrbitEnergy;

// Everything as at program start (the message counter back to 1).
void ResetOrbitEnergyState();

// Runs the screen's loop; returns the next ScreenId.
int RunOrbitEnergyScreen();

// The pictures, each drawn alone on the screen with the current shape.
void DrawOrbitEnergyPicture();
void DrawSolarEnergyChart();
// One animation frame for the current step: the glowing Earth, the cross-hair, the readout.
// Then the step moves on; true when it has just come round to 0 (a whole orbit shown).
bool RunOrbitEnergyFrame();
// The message box of the current shape, with the screen's own colour counter.
void ShowOrbitEnergyMessage();

// The chart point of a distance d in semi-major axes: x over 40..150 (92.9 units per axis),
// y over 0..1200 W/m2 of 263 / d^2.
void EnergyChartPoint(double d, int& x, int& y);
// The glow of the Earth's disc at distance d: brighter near the Sun.
void GlowColour(double d, int rgb[3]);
// Draws the cross-hair at (x, y) in exclusive-or: drawing it twice leaves nothing.
void ToggleCrossHair(int x, int y);
// The three lines of the message box for a shape, or null for a shape without them.
const char* const* OrbitEnergyMessage(double shape);
