// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/region.h"

#include <algorithm>
#include <new>
#include <vector>

#include "graphics/raster.h"

namespace {

Region* NewRegion(Region&& r) {
    Region* out = new (std::nothrow) Region;
    if (out) out->spans = std::move(r.spans);
    return out;
}

}  // namespace

Region* RectRegion(const ScreenRect& rect) {
    const DeviceRect d = IntersectDeviceRects(ToDeviceRect(rect), RegionWindow());
    Region r;
    for (int y = d.top; y < d.bottom; ++y) r.spans.push_back(RegionSpan{y, d.left, d.right});
    return NewRegion(std::move(r));
}

Region* EllipseRegion(const ScreenRect& rect) {
    DeviceRect d = ToDeviceRect(rect);
    if (d.right < d.left) std::swap(d.left, d.right);
    if (d.bottom < d.top) std::swap(d.top, d.bottom);
    Region r;
    EllipseInterior(d, RegionWindow(), r);
    return NewRegion(std::move(r));
}

Region* PolygonRegion(int count, const Point* points) {
    if (!points || count < 1 || count > kMaxRegionPoints) return nullptr;
    std::vector<DevicePoint> pts(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        pts[size_t(i)] = DevicePoint{DeviceX(points[i].x), DeviceY(points[i].y)};
    }
    Region r;
    PolygonInterior(pts.data(), count, RegionWindow(), r);
    NormaliseSpans(r);
    return NewRegion(std::move(r));
}

Region* EmptyRegion() { return new (std::nothrow) Region; }

Region* IntersectRegions(const Region* a, const Region* b) {
    if (!a || !b) return nullptr;
    return NewRegion(SpanIntersect(*a, *b));
}

Region* SubtractRegions(const Region* a, const Region* b) {
    if (!a || !b) return nullptr;
    return NewRegion(SpanSubtract(*a, *b));
}

Region* UnionRegions(const Region* a, const Region* b) {
    if (!a || !b) return nullptr;
    return NewRegion(SpanUnion(*a, *b));
}

void FillRegion(const Region* region) {
    if (region) PaintSpans(*region, PaintKind::Colour, gDraw.fillColour);
}

void FillRegionPattern(const Region* region) {
    if (region) PaintSpans(*region, PaintKind::Pattern, 0);
}

void SetClipRegion(const Region* region) {
    gDraw.hasClip = region != nullptr;
    gDraw.clipIsRegion = region != nullptr;
    gDraw.clipRegion.spans.clear();
    if (region) gDraw.clipRegion = *region;
    RefreshDrawClip();
}

void DeleteRegion(Region* region) { delete region; }

bool PointInRegion(const Point& point, const Region* region, int w, int h) {
    if (!region) return false;
    const int x = DeviceX(point.x);
    const int y = DeviceY(point.y);
    if (w < 2 && h < 2) return SpanContains(*region, x, y);
    const int hw = std::clamp(w, 2, 65536) / 2;
    const int hh = std::clamp(h, 2, 65536) / 2;
    const Region box = SpanIntersectRect(*region, DeviceRect{x - hw, y - hh, x + hw, y + hh});
    return !box.spans.empty();
}
