// SPDX-License-Identifier: GPL-3.0-or-later
// Polygons, ellipses, arcs and pies. Coordinates are logical; angles are tenths of a degree,
// counter-clockwise from east with y up.
#pragma once

#include "graphics/rect.h"

// The most points a drawn polygon may have; longer ranges draw nothing.
constexpr int kMaxPolygonPoints = 500;

void DrawPolygon(PointRange range, const Point* points);         // current pen, closed
void FillPolygon(PointRange range, const Point* points);         // fill colour, outline included
void FillPolygonPattern(PointRange range, const Point* points);  // pattern brush, no outline

void DrawEllipse(const ScreenRect& rect);         // current pen
void FillEllipse(const ScreenRect& rect);         // fill colour
void FillEllipsePattern(const ScreenRect& rect);  // current pen outline, pattern inside

void DrawArc(const ScreenRect& rect, int start, int sweep);
void FillPie(const ScreenRect& rect, int start, int sweep);
void FillPiePattern(const ScreenRect& rect, int start, int sweep);
