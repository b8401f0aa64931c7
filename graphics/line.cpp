// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/line.h"

#include <algorithm>

#include "graphics/raster.h"
#include "graphics/rect.h"

namespace {

// Relative moves keep the position within a range that cannot overflow.
int ClampPosition(long long v) { return int(std::clamp(v, -(1LL << 26), 1LL << 26)); }

// A relative offset in device pixels, scaled the same way in both directions: rounding
// -v as v's mirror image, so a line and its way back meet at the same pixel.
int OffsetX(int v) { return v < 0 ? -DeviceX(-(long long)v) : DeviceX(v); }
int OffsetY(int v) { return v < 0 ? -DeviceY(-(long long)v) : DeviceY(v); }

void LineToDevice(int x, int y) {
    Region spans;
    PenLine(DevicePoint{gDraw.curX, gDraw.curY}, DevicePoint{x, y}, DrawClipBounds(), spans);
    PaintWithPen(spans);
    gDraw.curX = x;
    gDraw.curY = y;
}

}  // namespace

void MoveTo(int x, int y) {
    gDraw.curX = DeviceX(x);
    gDraw.curY = DeviceY(y);
}

void MoveBy(int dx, int dy) {
    gDraw.curX = ClampPosition((long long)gDraw.curX + OffsetX(dx));
    gDraw.curY = ClampPosition((long long)gDraw.curY + OffsetY(dy));
}

void LineTo(int x, int y) { LineToDevice(DeviceX(x), DeviceY(y)); }

void LineBy(int dx, int dy) {
    LineToDevice(ClampPosition((long long)gDraw.curX + OffsetX(dx)),
                 ClampPosition((long long)gDraw.curY + OffsetY(dy)));
}

void PutPixel(int x, int y) { WritePixel(DeviceX(x), DeviceY(y), gDraw.penColour); }
