// SPDX-License-Identifier: GPL-3.0-or-later
// The rasteriser behind the drawing operations: device geometry to span sets.
//
// Every generator writes only rows and columns inside `window` (the clip box of the target,
// or the region limits), so a shape far larger than the screen costs no more than the part
// that can be seen. Generated span sets are then normalised and painted once through the
// span writer, so a shape made of several parts (a fill and its outline, a wide line's
// caps) touches each pixel once and XOR drawing stays reversible.
#pragma once
#include <cstdint>

#include "graphics/draw.h"

struct DevicePoint {
    int x = 0;
    int y = 0;
};

// Appends [x0, x1) of row y, cut to the window.
void AddSpan(Region& out, const DeviceRect& window, int y, int x0, int x1);
// Sorts the spans and merges overlapping or touching ones.
void NormaliseSpans(Region& r);

// Span set algebra on normalised sets.
Region SpanUnion(const Region& a, const Region& b);
Region SpanIntersect(const Region& a, const Region& b);
Region SpanSubtract(const Region& a, const Region& b);
Region SpanIntersectRect(const Region& a, const DeviceRect& r);
bool SpanContains(const Region& r, int x, int y);

// Interior of a polygon by the alternate (even-odd) rule. Pixel (x, y) is inside when the
// point (x, y) is, with left and top edges in and right and bottom edges out; sampling at the
// same points a one-pixel line is drawn through means a filled polygon meets its outline
// without a gap.
void PolygonInterior(const DevicePoint* pts, int n, const DeviceRect& window, Region& out);
// The ellipse inscribed in box (right and bottom exclusive), by pixel centres. Mirror
// symmetric in both axes and never outside the box.
void EllipseInterior(const DeviceRect& box, const DeviceRect& window, Region& out);
// A band of `width` pixels along the inside of the ellipse of box; always closed.
void EllipseOutline(const DeviceRect& box, int width, const DeviceRect& window, Region& out);
// A one-pixel line from a to b without its end point; dashed and dotted leave gaps.
void ThinLine(DevicePoint a, DevicePoint b, PenStyle style, const DeviceRect& window, Region& out);
// A line `width` pixels thick with round ends, end points included.
void WideLine(DevicePoint a, DevicePoint b, int width, const DeviceRect& window, Region& out);
// A line with the current pen's width and style (unnormalised spans).
void PenLine(DevicePoint a, DevicePoint b, const DeviceRect& window, Region& out);

// Keeps the pixels whose centres lie in the counter-clockwise sweep from ray (sx, sy) to ray
// (ex, ey) about (cx, cy) (device y down; the rays are end points). `full` keeps everything.
void RestrictToSweep(Region& r, int cx, int cy, DevicePoint start, DevicePoint end, bool full);

// Dashes or dots a one-pixel curve about (cx, cy) by its distance along the curve, taken as
// the angle of each pixel times the mean radius. Solid leaves it as it is.
void StyleCurve(Region& r, int cx, int cy, double meanRadius, PenStyle style);
// The style the current pen draws curves with (wide and pattern pens draw solid).
PenStyle CurveStyle();

// Paints a normalised span set: one colour, or the pattern brush.
enum class PaintKind { Colour, Pattern };
void PaintSpans(const Region& r, PaintKind kind, uint8_t colour);
// Paints with the current pen: its colour, or the pattern when the pen is the pattern pen.
void PaintWithPen(const Region& r);

// Limits of region geometry in device pixels.
constexpr int kRegionLimit = 32768;
DeviceRect RegionWindow();
