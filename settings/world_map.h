// SPDX-License-Identifier: GPL-3.0-or-later
// The Select Latitudes world map: a sinusoidal projection cut into 13 latitude bands, each
// painted on a palette index of its own so that a selected band can turn yellow through the
// palette alone, with band borders, parallels and the coast5.bin outline.
#pragma once

#include "graphics/rect.h"

constexpr int kMapBands = 13;          // one per selectable latitude, 90 down to -90
constexpr int kMapFirstBandSlot = 128;  // band b (its centre -90 + 15b) is painted on 128 + b

// The projection of the last paint: the map's centre and its two scales.
struct WorldMapGeometry {
    int cx = 0;
    int cy = 0;
    double sx = 0;
    double sy = 0;
};

// The projection for a map painted into rect.
WorldMapGeometry WorldMapGeometryFor(const ScreenRect& rect);
// Half the map's width at whole-degree latitude g: 0 at the poles.
int MapHalfWidth(const WorldMapGeometry& g, int latitude);

// Paints the whole map into rect on the current target, the bands on their own indices set to
// dark blue, and the outline read afresh from coastFile: a missing, empty or damaged file gives
// a map without coastline.
WorldMapGeometry PaintWorldMap(const ScreenRect& rect, const char* coastFile);
