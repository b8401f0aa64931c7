// SPDX-License-Identifier: GPL-3.0-or-later
// A projected coastline as the globe pictures keep it: the line segments between neighbouring
// outline points that both lie on the visible side, in a picture's own coordinates.
#pragma once
#include <cstdint>

#include "graphics/line.h"
#include "settings/coast.h"

// One frame: the segment count, then four arrays (4244 bytes, as the globe screens store them).
struct CoastSegments {
    int32_t count;
    int32_t x0[kCoastPoints];
    int32_t y0[kCoastPoints];
    int32_t x1[kCoastPoints];
    int32_t y1[kCoastPoints];
};
static_assert(sizeof(CoastSegments) == 4244, "a frame is the count and four arrays of 265");

// Makes `out` the segments from point i to point i + 1 of `count` projected points (x, y,
// truncated toward zero) where both are visible and point i + 1 does not start a new line
// (its code is below kCoastNewLine). A count beyond kCoastPoints is cut to it.
void JoinCoastSegments(const int32_t* codes, int count, const bool* visible, const double* x,
                       const double* y, CoastSegments& out);

// Draws every segment with the current pen, each end scaled as (left + trunc(v * f),
// top + trunc(v * f)).
inline void DrawCoastSegments(const CoastSegments& frame, double f, int left, int top) {
    for (int i = 0; i < frame.count && i < kCoastPoints; ++i) {
        MoveTo(left + int(frame.x0[i] * f), top + int(frame.y0[i] * f));
        LineTo(left + int(frame.x1[i] * f), top + int(frame.y1[i] * f));
    }
}
