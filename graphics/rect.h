// SPDX-License-Identifier: GPL-3.0-or-later
// Logical rectangles and points, and their conversion to device pixels.
#pragma once
#include <cstdint>

#include "graphics/draw.h"

// A rectangle of the 1024 x 768 logical space, right and bottom exclusive, held as signed
// 16-bit values with a 32-bit copy that is kept equal to them.
struct ScreenRect {
    int16_t left = 0;
    int16_t top = 0;
    int16_t right = 0;
    int16_t bottom = 0;
    int32_t left32 = 0;
    int32_t top32 = 0;
    int32_t right32 = 0;
    int32_t bottom32 = 0;
};

// A logical point: 16-bit values with a 32-bit copy.
struct Point {
    int16_t x = 0;
    int16_t y = 0;
    int32_t x32 = 0;
    int32_t y32 = 0;
};

// A range of points in an array, first and last both included.
struct PointRange {
    int16_t first = 0;
    int16_t last = 0;
};

void MakeRect(ScreenRect& rect, int left, int top, int right, int bottom);
void OffsetRect(ScreenRect& rect, int dx, int dy);
void FullScreenRect(ScreenRect& rect);  // (0, 0, 1024, 768)
void MakePoint(Point& point, int x, int y);
void RectCentre(const ScreenRect& rect, int& x, int& y);  // integer halves, toward zero

// Origin converted, then width and height converted: right' = left' + conv(right - left).
DeviceRect ToDeviceRect(const ScreenRect& rect);
// A device rectangle taken as it is (used by the *Device variants).
DeviceRect RectAsDevice(const ScreenRect& rect);

void FillScreenRect(const ScreenRect& rect);         // solid fill colour
void FillScreenRectPattern(const ScreenRect& rect);  // pattern brush
void FrameScreenRect(const ScreenRect& rect);        // one-pixel frame, pattern brush

// Restricts drawing to the rect; null lifts any clip (rectangle or region).
void SetClipRect(const ScreenRect* rect);

// For w and h below 2, whether the point lies in the rect; otherwise whether a box of w by h
// device pixels centred on the point overlaps it. All in device pixels.
bool PointInRect(const Point& point, const ScreenRect& rect, int w, int h);

// Device helpers shared by the drawing code.
DeviceRect IntersectDeviceRects(const DeviceRect& a, const DeviceRect& b);
inline bool IsEmpty(const DeviceRect& r) { return r.right <= r.left || r.bottom <= r.top; }
// Logical coordinate to device with the value first limited to a range no drawing needs to
// exceed, so later arithmetic on device values cannot overflow.
int DeviceX(long long v);
int DeviceY(long long v);
