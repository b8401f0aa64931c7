#include "graphics/line.h"

#include <algorithm>

#include "graphics/raster.h"
#include "graphics/rect.h"

namespace {

// Relative moves keep the position within a range that cannot overflow.
int ClampPosition(long long v) { return int(std::clamp(v, -(1LL << 26), 1LL << 26)); }

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
    gDraw.curX = ClampPosition((long long)gDraw.curX + DeviceX(dx));
    gDraw.curY = ClampPosition((long long)gDraw.curY + DeviceY(dy));
}

void LineTo(int x, int y) { LineToDevice(DeviceX(x), DeviceY(y)); }

void LineBy(int dx, int dy) {
    LineToDevice(ClampPosition((long long)gDraw.curX + DeviceX(dx)),
                 ClampPosition((long long)gDraw.curY + DeviceY(dy)));
}

void PutPixel(int x, int y) { WritePixel(DeviceX(x), DeviceY(y), gDraw.penColour); }
