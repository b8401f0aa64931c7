// SPDX-License-Identifier: GPL-3.0-or-later
// Regions: sets of device pixels made from logical shapes, combined, filled, used as clips.
// A region is a handle (Region*) owned by whoever made it and freed with DeleteRegion.
// Functions that make a region return null on failure; every function accepts null.
#pragma once

#include "graphics/draw.h"
#include "graphics/rect.h"

// The most points a polygon region may have; more makes no region.
constexpr int kMaxRegionPoints = 1000;

Region* RectRegion(const ScreenRect& rect);
Region* EllipseRegion(const ScreenRect& rect);
Region* PolygonRegion(int count, const Point* points);  // alternate (even-odd) filling
// Holds no pixels at all, so a region built up from it (or a clip made of it) never carries
// a stray pixel at the corner of the screen.
Region* EmptyRegion();

// New regions; null when either input is null.
Region* IntersectRegions(const Region* a, const Region* b);
Region* SubtractRegions(const Region* a, const Region* b);  // a without b
Region* UnionRegions(const Region* a, const Region* b);

void FillRegion(const Region* region);         // solid fill colour
void FillRegionPattern(const Region* region);  // pattern brush

// Restricts drawing to the region (a copy is kept); null lifts any clip.
void SetClipRegion(const Region* region);
void DeleteRegion(Region* region);

// For w and h below 2, whether the point's pixel is in the region; otherwise whether a box of
// w by h device pixels centred on the point overlaps it (a size of 1 counts as 2).
bool PointInRegion(const Point& point, const Region* region, int w, int h);
