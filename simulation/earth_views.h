// SPDX-License-Identifier: GPL-3.0-or-later
// The Earth views: colour ramps and the value-to-colour rule, the colour legend, the
// Earth picture with its starry sky and turning globe, the orbit diagram and the tilt
// diagram. Pictures are drawn into the screen's off-screen scene and copied to the display.
#pragma once

#include "graphics/rect.h"
#include "simulation/simulation_state.h"

// Palette slots of the three ramps.
constexpr int kTemperatureRampFirst = 58;  // 58..106
constexpr int kEnergyRampFirst = 107;      // 107..155 (also the distance view)
constexpr int kDaylightRampFirst = 156;    // 156..204
constexpr int kRampLength = 49;
constexpr int kViewPaletteFirst = 58;
constexpr int kViewPaletteCount = 147;
constexpr int kTiltBandSlotFirst = 225;    // the banded tilt globe: 225..242

// Loads the three ramps into slots 58..204 and applies them.
void LoadViewPalette();

// The band (0..17) a latitude in degrees belongs to.
int BandOfLatitude(double latitude);
// The slot of band 0..17 under the current view, for the main screen's day.
int ViewColour(int band);
// The same rules for single values.
int TemperatureSlot(double kelvin);
int EnergySlot(int wattsPerSquareMetre);
int DaylightSlot(int minutes);
int DistanceSlot(double distance);

// The legend sentence and the view title of a view ("" for views that do not exist).
const char* LegendSentence(int earthView);
const char* ViewTitle(int earthView);

// Random points in slots 8 and 7 over rect, about one in 25 and one in 250 device pixels.
void DrawStarryBackground(const ScreenRect& rect);

// Earth picture parts, drawn on the current target in absolute logical coordinates.
void DrawColourLegend();
void DrawViewTitle();
// The full redraw of the Earth picture into the scene (only when its flag is set, which it
// clears). Lays out the picture's orbit and fills the model's orbit tables.
void DrawEarthPicture();
// Works out the Earth picture's geometry from its rectangle (no drawing).
void LayOutEarthPicture(const ScreenRect& picture);

// Chords and the projected coastline of all 24 phases. False when a phase buffer could not
// be allocated.
bool PrepareRotatingGlobe();
// Projects the coastline points into the phase buffers for the tilt `axisTilt` (degrees).
void ProjectCoastline(const CoastPoints& points, double axisTilt, GlobeSegments* phases);
// One phase (15 degrees of turn each) on a globe of `radius` pixels: the visible segments in
// the coordinates of the globe's 2 x radius square.
void ProjectCoastlinePhase(const CoastPoints& points, double axisTilt, double radius, int phase,
                           GlobeSegments& out);
// The 26 chords for a tilt in degrees.
void MakeGlobeChords(double axisTilt, GlobeChord* chords);

// A globe's face in `square` (a surface's own coordinates): the band-coloured latitude chords
// clipped to its disc and the coastline of a rotation phase, scaled from the 128-pixel globe.
void DrawGlobeFace(const ScreenRect& square, int phase);

// The turning globe for `day`, composed off-screen and copied to the display over the
// background its previous position left.
void DrawGlobeFrame(int day);

// The orbit diagram into the scene, then on the display; and the Earth marker for `day`.
void LayOutOrbitDiagram(const ScreenRect& picture);
void DrawOrbitDiagram();
void MoveOrbitMarker(int day);

// The tilt diagram: `rect` a square; the globe's square is returned in globeRect. Mode -1:
// plain disc, no latitudes; 0: banded globe; 1: banded globe with the latitudes; 2: plain
// disc with the latitudes. Drawn on the current target; with `labelBounds`, a latitude's name
// that would not fit moves in from its side (and above or below the globe, clear of it).
void DrawTiltDiagram(const ScreenRect& rect, double tilt, int mode, int lat0, int lat1,
                     ScreenRect& globeRect, const ScreenRect* labelBounds = nullptr);
// The main screen's tilt picture: the diagram and the tilt texts, into the scene.
void LayOutTiltPicture(const ScreenRect& picture);
void DrawTiltPicture();
// Recolours the tilt globe for the main screen's day.
void DrawTiltGlobeFrame();

// The square the tilt diagram takes in the main screen's tilt picture.
ScreenRect TiltDiagramSquare(const ScreenRect& picture);
