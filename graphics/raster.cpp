// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Doubles limited to the int range before conversion; used for computed pixel edges.
int ClampToInt(double v, int lo, int hi) {
    if (!(v > lo)) return lo;  // also catches NaN
    if (v > hi) return hi;
    return int(v);
}

// One row of the ellipse inscribed in box: pixels [x0, x1). False when the row is outside.
// Computed from the row's distance to the nearer edge and mirrored, so the shape is exactly
// symmetric about both axes of the box.
bool EllipseRow(const DeviceRect& box, int y, int& x0, int& x1) {
    const long long w = (long long)box.right - box.left;
    const long long h = (long long)box.bottom - box.top;
    if (w <= 0 || h <= 0 || y < box.top || y >= box.bottom) return false;
    const long long k = y - box.top;
    const long long kk = std::min(k, h - 1 - k);
    const double a = double(w) / 2.0;
    const double b = double(h) / 2.0;
    const double dy = (double(kk) + 0.5 - b) / b;
    const double v = 1.0 - dy * dy;
    if (v < 0) return false;
    const double hw = a * std::sqrt(v);
    // Leftmost pixel whose centre lies within the ellipse, counted from the box's left edge.
    long long left = (long long)std::ceil(a - hw - 0.5 - 1e-9);
    if (left < 0) left = 0;
    if (left > (w - 1) / 2) left = (w - 1) / 2;  // the middle pixel(s) are always inside
    if (kk == (h - 1) / 2) left = 0;              // and the middle row(s) reach both sides
    x0 = int(box.left + left);
    x1 = int(box.right - left);
    return true;
}

// On and off lengths in pixels of the dashed and dotted pens.
bool StyleOn(PenStyle style, double along) {
    if (style == PenStyle::Dashed) return std::fmod(along, 12.0) < 8.0;
    if (style == PenStyle::Dotted) return std::fmod(along, 4.0) < 2.0;
    return true;
}

}  // namespace

DeviceRect RegionWindow() { return DeviceRect{-kRegionLimit, -kRegionLimit, kRegionLimit, kRegionLimit}; }

void AddSpan(Region& out, const DeviceRect& window, int y, int x0, int x1) {
    if (y < window.top || y >= window.bottom) return;
    x0 = std::max(x0, window.left);
    x1 = std::min(x1, window.right);
    if (x0 < x1) out.spans.push_back(RegionSpan{y, x0, x1});
}

void NormaliseSpans(Region& r) {
    auto& s = r.spans;
    s.erase(std::remove_if(s.begin(), s.end(), [](const RegionSpan& sp) { return sp.x0 >= sp.x1; }),
            s.end());
    if (!std::is_sorted(s.begin(), s.end(), [](const RegionSpan& p, const RegionSpan& q) {
            return p.y != q.y ? p.y < q.y : p.x0 < q.x0;
        })) {
        std::sort(s.begin(), s.end(), [](const RegionSpan& p, const RegionSpan& q) {
            return p.y != q.y ? p.y < q.y : p.x0 < q.x0;
        });
    }
    size_t o = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (o > 0 && s[o - 1].y == s[i].y && s[i].x0 <= s[o - 1].x1) {
            s[o - 1].x1 = std::max(s[o - 1].x1, s[i].x1);
        } else {
            s[o++] = s[i];
        }
    }
    s.resize(o);
}

Region SpanUnion(const Region& a, const Region& b) {
    Region r;
    r.spans.reserve(a.spans.size() + b.spans.size());
    std::merge(a.spans.begin(), a.spans.end(), b.spans.begin(), b.spans.end(),
               std::back_inserter(r.spans), [](const RegionSpan& p, const RegionSpan& q) {
                   return p.y != q.y ? p.y < q.y : p.x0 < q.x0;
               });
    NormaliseSpans(r);
    return r;
}

Region SpanIntersect(const Region& a, const Region& b) {
    Region r;
    size_t i = 0, j = 0;
    while (i < a.spans.size() && j < b.spans.size()) {
        const RegionSpan& p = a.spans[i];
        const RegionSpan& q = b.spans[j];
        if (p.y != q.y) {
            (p.y < q.y ? i : j)++;
            continue;
        }
        const int x0 = std::max(p.x0, q.x0);
        const int x1 = std::min(p.x1, q.x1);
        if (x0 < x1) r.spans.push_back(RegionSpan{p.y, x0, x1});
        (p.x1 < q.x1 ? i : j)++;
    }
    return r;
}

Region SpanSubtract(const Region& a, const Region& b) {
    Region r;
    size_t j = 0;
    for (const RegionSpan& s : a.spans) {
        while (j < b.spans.size() &&
               (b.spans[j].y < s.y || (b.spans[j].y == s.y && b.spans[j].x1 <= s.x0))) {
            ++j;
        }
        int cur = s.x0;
        for (size_t k = j; k < b.spans.size() && b.spans[k].y == s.y && b.spans[k].x0 < s.x1; ++k) {
            if (b.spans[k].x0 > cur) r.spans.push_back(RegionSpan{s.y, cur, b.spans[k].x0});
            cur = std::max(cur, b.spans[k].x1);
        }
        if (cur < s.x1) r.spans.push_back(RegionSpan{s.y, cur, s.x1});
    }
    return r;
}

Region SpanIntersectRect(const Region& a, const DeviceRect& rc) {
    Region r;
    for (const RegionSpan& s : a.spans) AddSpan(r, rc, s.y, s.x0, s.x1);
    return r;
}

bool SpanContains(const Region& r, int x, int y) {
    auto it = std::lower_bound(r.spans.begin(), r.spans.end(), std::make_pair(y, x),
                               [](const RegionSpan& s, const std::pair<int, int>& p) {
                                   return s.y != p.first ? s.y < p.first : s.x1 <= p.second;
                               });
    return it != r.spans.end() && it->y == y && it->x0 <= x && x < it->x1;
}

void PolygonInterior(const DevicePoint* pts, int n, const DeviceRect& window, Region& out) {
    if (!pts || n < 3) return;
    int minY = pts[0].y, maxY = pts[0].y;
    for (int i = 1; i < n; ++i) {
        minY = std::min(minY, pts[i].y);
        maxY = std::max(maxY, pts[i].y);
    }
    const int y0 = std::max(minY, window.top);
    const int y1 = std::min(maxY, window.bottom);
    std::vector<double> xs;
    for (int y = y0; y < y1; ++y) {
        const double Y = y;
        xs.clear();
        for (int i = 0; i < n; ++i) {
            const DevicePoint& p = pts[i];
            const DevicePoint& q = pts[(i + 1) % n];
            if ((p.y <= Y) == (q.y <= Y)) continue;  // rows [top, bottom) of each edge
            xs.push_back(p.x + (Y - p.y) * double(q.x - p.x) / double(q.y - p.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            // Pixel (x, y) is inside when the point (x, y) lies in [xs[i], xs[i+1]).
            const int a = ClampToInt(std::ceil(xs[i]), window.left - 1, window.right + 1);
            const int b = ClampToInt(std::ceil(xs[i + 1]), window.left - 1, window.right + 1);
            AddSpan(out, window, y, a, b);
        }
    }
}

void EllipseInterior(const DeviceRect& box, const DeviceRect& window, Region& out) {
    const int y0 = std::max(box.top, window.top);
    const int y1 = std::min(box.bottom, window.bottom);
    for (int y = y0; y < y1; ++y) {
        int x0, x1;
        if (EllipseRow(box, y, x0, x1)) AddSpan(out, window, y, x0, x1);
    }
}

void EllipseOutline(const DeviceRect& box, int width, const DeviceRect& window, Region& out) {
    width = std::max(width, 1);
    const DeviceRect inner{box.left + width, box.top + width, box.right - width, box.bottom - width};
    const int y0 = std::max(box.top, window.top);
    const int y1 = std::min(box.bottom, window.bottom);
    for (int y = y0; y < y1; ++y) {
        int x0, x1;
        if (!EllipseRow(box, y, x0, x1)) continue;
        // Pixels with all four neighbours inside the ellipse are interior; the rest form a
        // closed one-pixel boundary. Wider pens also take what lies outside the inset ellipse.
        int hole0 = x1, hole1 = x0;
        int a0, a1, b0, b1;
        if (EllipseRow(box, y - 1, a0, a1) && EllipseRow(box, y + 1, b0, b1)) {
            hole0 = std::max({x0 + 1, a0, b0});
            hole1 = std::min({x1 - 1, a1, b1});
        }
        if (width > 1) {
            int i0, i1;
            if (EllipseRow(inner, y, i0, i1)) {
                hole0 = std::max(hole0, i0);
                hole1 = std::min(hole1, i1);
            } else {
                hole1 = hole0;
            }
        }
        if (hole0 < hole1) {
            AddSpan(out, window, y, x0, hole0);
            AddSpan(out, window, y, hole1, x1);
        } else {
            AddSpan(out, window, y, x0, x1);
        }
    }
}

void ThinLine(DevicePoint a, DevicePoint b, PenStyle style, const DeviceRect& window, Region& out) {
    const long long dx = (long long)b.x - a.x;
    const long long dy = (long long)b.y - a.y;
    const long long adx = dx < 0 ? -dx : dx;
    const long long ady = dy < 0 ? -dy : dy;
    const long long n = std::max(adx, ady);
    if (n == 0) return;
    const bool xMajor = adx >= ady;
    const int sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int sMinor = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const long long minorLen = xMajor ? ady : adx;
    const long long start = xMajor ? a.x : a.y;
    const long long minorStart = xMajor ? a.y : a.x;
    const long long lo = xMajor ? window.left : window.top;
    const long long hi = xMajor ? window.right : window.bottom;
    // Steps i whose major coordinate start + sMajor * i lies in [lo, hi).
    long long i0, i1;
    if (sMajor > 0) {
        i0 = lo - start;
        i1 = hi - start;
    } else {
        i0 = start - hi + 1;
        i1 = start - lo + 1;
    }
    i0 = std::max(i0, 0LL);
    i1 = std::min(i1, n);
    for (long long i = i0; i < i1; ++i) {
        if (!StyleOn(style, double(i))) continue;
        const long long major = start + sMajor * i;
        const long long minor = minorStart + sMinor * ((2 * i * minorLen + n) / (2 * n));
        const int x = int(xMajor ? major : minor);
        const int y = int(xMajor ? minor : major);
        if (y < window.top || y >= window.bottom || x < window.left || x >= window.right) continue;
        if (!out.spans.empty() && out.spans.back().y == y && out.spans.back().x1 == x) {
            out.spans.back().x1 = x + 1;
        } else if (!out.spans.empty() && out.spans.back().y == y && out.spans.back().x0 == x + 1) {
            out.spans.back().x0 = x;
        } else {
            out.spans.push_back(RegionSpan{y, x, x + 1});
        }
    }
}

void WideLine(DevicePoint a, DevicePoint b, int width, const DeviceRect& window, Region& out) {
    width = std::max(width, 1);
    // Odd widths centre on the pixel; even widths centre between two pixels.
    const double o = (width % 2 == 0) ? 0.5 : 0.0;
    const double r = width / 2.0;
    const double ax = a.x, ay = a.y;
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const double len2 = dx * dx + dy * dy;
    const double len = std::sqrt(len2);
    const int reach = width / 2 + 2;
    const int y0 = int(std::max((long long)window.top, (long long)std::min(a.y, b.y) - reach));
    const int y1 = int(std::min((long long)window.bottom, (long long)std::max(a.y, b.y) + reach + 1));
    for (int y = y0; y < y1; ++y) {
        const double Y = y + o;
        double lo = INFINITY, hi = -INFINITY;
        auto disc = [&](double cx, double cy) {
            const double d = Y - cy;
            if (std::fabs(d) >= r) return;
            const double h = std::sqrt(r * r - d * d);
            lo = std::min(lo, cx - h);
            hi = std::max(hi, cx + h);
        };
        disc(ax, ay);
        disc(double(b.x), double(b.y));
        if (len2 > 0) {
            const double ey = Y - ay;
            double blo = -INFINITY, bhi = INFINITY;
            // Along the segment: 0 <= ((X - ax) dx + ey dy) <= len2.
            if (dx != 0) {
                double p = ax + (-ey * dy) / dx, q = ax + (len2 - ey * dy) / dx;
                if (p > q) std::swap(p, q);
                blo = std::max(blo, p);
                bhi = std::min(bhi, q);
            } else if (ey * dy < 0 || ey * dy > len2) {
                blo = 1;
                bhi = 0;
            }
            // Across the segment: |(X - ax) dy - ey dx| < r len.
            if (dy != 0) {
                double p = ax + (ey * dx - r * len) / dy, q = ax + (ey * dx + r * len) / dy;
                if (p > q) std::swap(p, q);
                blo = std::max(blo, p);
                bhi = std::min(bhi, q);
            } else if (std::fabs(ey * dx) >= r * len) {
                blo = 1;
                bhi = 0;
            }
            if (blo < bhi) {
                lo = std::min(lo, blo);
                hi = std::max(hi, bhi);
            }
        }
        if (!(lo < hi)) continue;
        // Pixels whose sample point x + o lies strictly inside (lo, hi).
        const int xs = ClampToInt(std::floor(lo - o) + 1, window.left - 1, window.right + 1);
        const int xe = ClampToInt(std::ceil(hi - o), window.left - 1, window.right + 1);
        AddSpan(out, window, y, xs, xe);
    }
}

void PenLine(DevicePoint a, DevicePoint b, const DeviceRect& window, Region& out) {
    if (gDraw.penWidth > 1) {
        WideLine(a, b, gDraw.penWidth, window, out);
    } else {
        ThinLine(a, b, gDraw.penIsPattern ? PenStyle::Solid : gDraw.penStyle, window, out);
    }
}

namespace {

// The first x in [from, to) where pred(x) differs from pred(from), or `to`; pred must change
// at most once along the row (each side test below is monotonic in x, roundings included).
template <typename Pred>
int FirstChange(int from, int to, Pred pred) {
    const bool first = pred(from);
    if (pred(to - 1) == first) return to;
    int lo = from, hi = to - 1;  // pred(lo) is `first`, pred(hi) is not
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        (pred(mid) == first ? lo : hi) = mid;
    }
    return hi;
}

}  // namespace

void RestrictToSweep(Region& r, int cx, int cy, DevicePoint start, DevicePoint end, bool full) {
    if (full) return;
    // Ray vectors with y pointing up.
    const double ux = double(start.x) - cx, uy = double(cy) - start.y;
    const double vx = double(end.x) - cx, vy = double(cy) - end.y;
    const double uv = ux * vy - uy * vx;
    const double dot = ux * vx + uy * vy;
    Region kept;
    for (const RegionSpan& s : r.spans) {
        if (s.x1 <= s.x0) continue;
        const double py = double(cy) - (s.y + 0.5);
        // p is counter-clockwise of u; v is counter-clockwise of p.
        auto up = [&](int x) { return ux * py - uy * (x + 0.5 - cx) >= 0; };
        auto pv = [&](int x) { return (x + 0.5 - cx) * vy - py * vx >= 0; };
        auto in = [&](int x) {
            if (uv > 0) return up(x) && pv(x);
            if (uv < 0) return up(x) || pv(x);
            if (dot < 0) return up(x);  // half a turn
            return false;               // rays coincide: an empty sweep (a full one is `full`)
        };
        // Each side test changes at most once along the span: between the changes, `in` holds
        // or fails throughout, so only the pieces' first pixels are tested.
        int cuts[4] = {s.x0, FirstChange(s.x0, s.x1, up), FirstChange(s.x0, s.x1, pv), s.x1};
        if (cuts[1] > cuts[2]) std::swap(cuts[1], cuts[2]);
        int runStart = 0;
        bool inRun = false;
        for (int i = 0; i < 3; ++i) {
            if (cuts[i] >= cuts[i + 1]) continue;
            const bool piece = in(cuts[i]);
            if (piece && !inRun) {
                runStart = cuts[i];
                inRun = true;
            } else if (!piece && inRun) {
                kept.spans.push_back(RegionSpan{s.y, runStart, cuts[i]});
                inRun = false;
            }
        }
        if (inRun) kept.spans.push_back(RegionSpan{s.y, runStart, s.x1});
    }
    r.spans.swap(kept.spans);
}

PenStyle CurveStyle() {
    return gDraw.penWidth > 1 || gDraw.penIsPattern ? PenStyle::Solid : gDraw.penStyle;
}

void StyleCurve(Region& r, int cx, int cy, double meanRadius, PenStyle style) {
    if (style == PenStyle::Solid) return;
    Region kept;
    for (const RegionSpan& s : r.spans) {
        for (int x = s.x0; x < s.x1; ++x) {
            const double a = std::atan2(double(cy) - (s.y + 0.5), x + 0.5 - cx);
            const double along = (a < 0 ? a + 6.283185307179586 : a) * meanRadius;
            if (!StyleOn(style, along)) continue;
            if (!kept.spans.empty() && kept.spans.back().y == s.y && kept.spans.back().x1 == x) {
                kept.spans.back().x1 = x + 1;
            } else {
                kept.spans.push_back(RegionSpan{s.y, x, x + 1});
            }
        }
    }
    r.spans.swap(kept.spans);
}

void PaintSpans(const Region& r, PaintKind kind, uint8_t colour) {
    if (!gDraw.target) return;
    for (const RegionSpan& s : r.spans) {
        if (kind == PaintKind::Pattern) {
            WritePatternSpan(s.y, s.x0, s.x1);
        } else {
            WriteSpan(s.y, s.x0, s.x1, colour);
        }
    }
}

void PaintWithPen(const Region& r) {
    PaintSpans(r, gDraw.penIsPattern ? PaintKind::Pattern : PaintKind::Colour, gDraw.penColour);
}
