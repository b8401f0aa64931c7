// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/rect.h"

#include <algorithm>

#include "graphics/raster.h"
#include "graphics/scale.h"

namespace {

// Logical values beyond this are clamped: nothing on a 1024 x 768 design is that far out,
// and it keeps every later device sum far from int overflow.
constexpr long long kLogicalLimit = 1LL << 24;

long long ClampLogical(long long v) { return std::clamp(v, -kLogicalLimit, kLogicalLimit); }

// Fills a device rectangle within the clip, one colour or the pattern.
void FillDevice(const DeviceRect& r, PaintKind kind, uint8_t colour) {
    const DeviceRect c = IntersectDeviceRects(r, DrawClipBounds());
    for (int y = c.top; y < c.bottom; ++y) {
        if (kind == PaintKind::Pattern) {
            WritePatternSpan(y, c.left, c.right);
        } else {
            WriteSpan(y, c.left, c.right, colour);
        }
    }
}

}  // namespace

int DeviceX(long long v) { return ToDeviceX(double(ClampLogical(v))); }
int DeviceY(long long v) { return ToDeviceY(double(ClampLogical(v))); }

void MakeRect(ScreenRect& rect, int left, int top, int right, int bottom) {
    rect.left = int16_t(left);
    rect.top = int16_t(top);
    rect.right = int16_t(right);
    rect.bottom = int16_t(bottom);
    rect.left32 = rect.left;
    rect.top32 = rect.top;
    rect.right32 = rect.right;
    rect.bottom32 = rect.bottom;
}

void OffsetRect(ScreenRect& rect, int dx, int dy) {
    MakeRect(rect, rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy);
}

void FullScreenRect(ScreenRect& rect) { MakeRect(rect, 0, 0, 1024, 768); }

void MakePoint(Point& point, int x, int y) {
    point.x = int16_t(x);
    point.y = int16_t(y);
    point.x32 = point.x;
    point.y32 = point.y;
}

void RectCentre(const ScreenRect& rect, int& x, int& y) {
    x = (rect.left + rect.right) / 2;
    y = (rect.top + rect.bottom) / 2;
}

DeviceRect ToDeviceRect(const ScreenRect& rect) {
    DeviceRect d;
    d.left = DeviceX(rect.left);
    d.top = DeviceY(rect.top);
    d.right = d.left + DeviceX((long long)rect.right - rect.left);
    d.bottom = d.top + DeviceY((long long)rect.bottom - rect.top);
    return d;
}

DeviceRect RectAsDevice(const ScreenRect& rect) {
    return DeviceRect{rect.left, rect.top, rect.right, rect.bottom};
}

DeviceRect IntersectDeviceRects(const DeviceRect& a, const DeviceRect& b) {
    DeviceRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

void FillScreenRect(const ScreenRect& rect) {
    FillDevice(ToDeviceRect(rect), PaintKind::Colour, gDraw.fillColour);
}

void FillScreenRectPattern(const ScreenRect& rect) {
    FillDevice(ToDeviceRect(rect), PaintKind::Pattern, 0);
}

void FrameScreenRect(const ScreenRect& rect) {
    const DeviceRect d = ToDeviceRect(rect);
    if (IsEmpty(d)) return;
    // The frame as one span set, so XOR drawing touches each pixel once.
    const DeviceRect w = DrawClipBounds();
    Region frame;
    AddSpan(frame, w, d.top, d.left, d.right);
    for (int y = std::max(d.top + 1, w.top); y < std::min(d.bottom - 1, w.bottom); ++y) {
        AddSpan(frame, w, y, d.left, d.left + 1);
        if (d.right - 1 > d.left) AddSpan(frame, w, y, d.right - 1, d.right);
    }
    if (d.bottom - 1 > d.top) AddSpan(frame, w, d.bottom - 1, d.left, d.right);
    PaintSpans(frame, PaintKind::Pattern, 0);
}

void SetClipRect(const ScreenRect* rect) {
    gDraw.clipIsRegion = false;
    gDraw.clipRegion.spans.clear();
    gDraw.hasClip = rect != nullptr;
    if (rect) gDraw.clipRect = ToDeviceRect(*rect);
    RefreshDrawClip();
}

bool PointInRect(const Point& point, const ScreenRect& rect, int w, int h) {
    const int x = DeviceX(point.x);
    const int y = DeviceY(point.y);
    const DeviceRect r = ToDeviceRect(rect);
    if (w < 2 && h < 2) return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    // A size of 1 (or less) counts as 2; sizes beyond any screen are capped.
    const int hw = std::clamp(w, 2, 65536) / 2;
    const int hh = std::clamp(h, 2, 65536) / 2;
    const DeviceRect box{x - hw, y - hh, x + hw, y + hh};
    return !IsEmpty(IntersectDeviceRects(box, r));
}
