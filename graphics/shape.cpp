// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/shape.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "graphics/raster.h"

namespace {

// The device points of a range, or false when the range is empty, inverted or too long.
bool RangePoints(PointRange range, const Point* points, std::vector<DevicePoint>& out) {
    const int count = int(range.last) - int(range.first) + 1;
    if (!points || range.first < 0 || count < 1 || count > kMaxPolygonPoints) return false;
    out.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        const Point& p = points[range.first + i];
        out[size_t(i)] = DevicePoint{DeviceX(p.x), DeviceY(p.y)};
    }
    return true;
}

// The closed outline of a polygon, each edge from one vertex up to the next.
void PolygonOutline(const std::vector<DevicePoint>& pts, bool withPen, const DeviceRect& window,
                    Region& out) {
    const size_t n = pts.size();
    if (n < 2) return;
    for (size_t i = 0; i < n; ++i) {
        const DevicePoint a = pts[i];
        const DevicePoint b = pts[(i + 1) % n];
        if (withPen) {
            PenLine(a, b, window, out);
        } else {
            ThinLine(a, b, PenStyle::Solid, window, out);
        }
    }
}

// The device box of an ellipse, with inverted edges put in order.
DeviceRect EllipseBox(const ScreenRect& rect) {
    DeviceRect d = ToDeviceRect(rect);
    if (d.right < d.left) std::swap(d.left, d.right);
    if (d.bottom < d.top) std::swap(d.top, d.bottom);
    return d;
}

struct Sweep {
    DeviceRect box;
    int cx = 0, cy = 0;
    DevicePoint start, end;
    bool full = false;
};

// The two rays of an arc or pie. False when there is nothing to draw (a sweep of 0).
bool ArcSweep(const ScreenRect& rect, int startTenths, int sweepTenths, Sweep& s) {
    if (sweepTenths == 0) return false;
    const double kRad = 0.0017453292;
    const double kTurn = 6.2831852;
    double start = startTenths * kRad;
    double sweep = sweepTenths * kRad;
    if (start < 0) start += kTurn;
    if (sweep < 0) {
        start += sweep + kTurn;
        sweep = -sweep;
    }
    s.box = EllipseBox(rect);
    s.cx = int(((long long)s.box.left + s.box.right) / 2);
    s.cy = int(((long long)s.box.top + s.box.bottom) / 2);
    const double r = std::max(s.box.right - s.box.left, s.box.bottom - s.box.top);
    s.start = DevicePoint{s.cx + int(r * std::cos(start) + 0.5), s.cy - int(r * std::sin(start) + 0.5)};
    s.end = DevicePoint{s.cx + int(r * std::cos(start + sweep) + 0.5),
                        s.cy - int(r * std::sin(start + sweep) + 0.5)};
    // A whole turn or more is the whole ellipse. Decided on the tenths given, because the
    // rounded rays of a full turn and of a tiny sweep can be the same point.
    s.full = std::abs((long long)sweepTenths) >= 3600;
    return true;
}

void Pie(const ScreenRect& rect, int start, int sweep, PaintKind kind) {
    Sweep s;
    if (!ArcSweep(rect, start, sweep, s)) return;
    Region r;
    EllipseInterior(s.box, DrawClipBounds(), r);
    RestrictToSweep(r, s.cx, s.cy, s.start, s.end, s.full);
    PaintSpans(r, kind, gDraw.fillColour);
}

}  // namespace

void DrawPolygon(PointRange range, const Point* points) {
    std::vector<DevicePoint> pts;
    if (!RangePoints(range, points, pts)) return;
    Region r;
    PolygonOutline(pts, true, DrawClipBounds(), r);
    NormaliseSpans(r);
    PaintWithPen(r);
}

void FillPolygon(PointRange range, const Point* points) {
    std::vector<DevicePoint> pts;
    if (!RangePoints(range, points, pts)) return;
    const DeviceRect w = DrawClipBounds();
    Region r;
    PolygonInterior(pts.data(), int(pts.size()), w, r);
    PolygonOutline(pts, false, w, r);
    NormaliseSpans(r);
    PaintSpans(r, PaintKind::Colour, gDraw.fillColour);
}

void FillPolygonPattern(PointRange range, const Point* points) {
    std::vector<DevicePoint> pts;
    if (!RangePoints(range, points, pts)) return;
    Region r;
    PolygonInterior(pts.data(), int(pts.size()), DrawClipBounds(), r);
    PaintSpans(r, PaintKind::Pattern, 0);
}

// The outline of the ellipse of box with the current pen's width and style.
static void PenEllipse(const DeviceRect& box, Region& r) {
    EllipseOutline(box, gDraw.penWidth, DrawClipBounds(), r);
    const double meanRadius = ((double)box.right - box.left + (double)box.bottom - box.top) / 4.0;
    StyleCurve(r, int(((long long)box.left + box.right) / 2), int(((long long)box.top + box.bottom) / 2),
               meanRadius, CurveStyle());
}

void DrawEllipse(const ScreenRect& rect) {
    Region r;
    PenEllipse(EllipseBox(rect), r);
    PaintWithPen(r);
}

void FillEllipse(const ScreenRect& rect) {
    Region r;
    EllipseInterior(EllipseBox(rect), DrawClipBounds(), r);
    PaintSpans(r, PaintKind::Colour, gDraw.fillColour);
}

void FillEllipsePattern(const ScreenRect& rect) {
    const DeviceRect box = EllipseBox(rect);
    const DeviceRect w = DrawClipBounds();
    Region inside, outline;
    EllipseInterior(box, w, inside);
    EllipseOutline(box, gDraw.penWidth, w, outline);
    // The pattern stops where the outline starts, so each pixel is painted once; the gaps of
    // a dashed outline are left as they were.
    PaintSpans(SpanSubtract(inside, outline), PaintKind::Pattern, 0);
    const double meanRadius = ((double)box.right - box.left + (double)box.bottom - box.top) / 4.0;
    StyleCurve(outline, int(((long long)box.left + box.right) / 2),
               int(((long long)box.top + box.bottom) / 2), meanRadius, CurveStyle());
    PaintWithPen(outline);
}

void DrawArc(const ScreenRect& rect, int start, int sweep) {
    Sweep s;
    if (!ArcSweep(rect, start, sweep, s)) return;
    Region r;
    PenEllipse(s.box, r);
    RestrictToSweep(r, s.cx, s.cy, s.start, s.end, s.full);
    PaintWithPen(r);
}

void FillPie(const ScreenRect& rect, int start, int sweep) { Pie(rect, start, sweep, PaintKind::Colour); }

void FillPiePattern(const ScreenRect& rect, int start, int sweep) {
    Pie(rect, start, sweep, PaintKind::Pattern);
}
