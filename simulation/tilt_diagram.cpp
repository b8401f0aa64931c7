// SPDX-License-Identifier: GPL-3.0-or-later
// The tilt diagram: a globe with its tilted axis, the Earth Normal axis for comparison, and
// the selected latitudes as dotted chords with their names; on the main screen the globe is
// recoloured every frame with the current view.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "graphics/region.h"
#include "graphics/scale.h"
#include "graphics/shape.h"
#include "graphics/text.h"
#include "settings/places.h"
#include "simulation/earth_views.h"
#include "graphics/picture_draw.h"
#include "widgets/ui_resources.h"

namespace {

constexpr int kTiltTextHeight = 45; // "Axis Tilt =" and the value below it
constexpr int kLabelMargin = 2;     // between a latitude's name and the picture's side

struct Spot {
    double x, y;
};

// The point at `degrees` (counter-clockwise from east, y up) on a circle.
Spot OnCircle(double cx, double cy, double radius, double degrees) {
    const double a = degrees * kDegreeFactor;
    return Spot{cx + radius * std::cos(a), cy - radius * std::sin(a)};
}

// A latitude circle seen edge-on: a chord of 21 small squares in white, in brush pattern
// 1 (first latitude) or 8 (second latitude), so the two can be told apart.
void DottedChord(Spot a, Spot b, int pattern) {
    SetPenColour(255);
    SetBrushColour(0);
    SetBrushPattern(pattern);
    for (int j = 0; j <= 20; ++j) {
        const int x = int(std::lround(a.x + (b.x - a.x) * j / 20.0));
        const int y = int(std::lround(a.y + (b.y - a.y) * j / 20.0));
        FillScreenRectPattern(Rect(x - 2, y - 2, x + 2, y + 2));
    }
    SetBrushPattern(1);
}

// 18 bands between the circles of latitude 80, 70, ..., -80, tilted with the axis.
void DrawBandedGlobe(const ScreenRect& globe, double tilt) {
    const double cx = (globe.left + globe.right) / 2.0;
    const double cy = (globe.top + globe.bottom) / 2.0;
    const double R = (globe.right - globe.left) / 2.0;
    const double t = tilt * kDegreeFactor;
    const double nx = std::sin(t), ny = -std::cos(t);  // towards the north pole
    const double px = std::cos(t), py = std::sin(t);   // along the equator
    Region* disc = EllipseRegion(globe);
    SetClipRegion(disc);
    for (int k = 0; k < kBands; ++k) {
        const double hi = k == 0 ? 1.2 * R : R * std::sin((90 - 10 * k) * kDegreeFactor);
        const double lo = k == kBands - 1 ? -1.2 * R : R * std::sin((80 - 10 * k) * kDegreeFactor);
        const double w = 1.2 * R;
        Point pts[4];
        MakePoint(pts[0], int(std::lround(cx + nx * hi + px * w)), int(std::lround(cy + ny * hi + py * w)));
        MakePoint(pts[1], int(std::lround(cx + nx * hi - px * w)), int(std::lround(cy + ny * hi - py * w)));
        MakePoint(pts[2], int(std::lround(cx + nx * lo - px * w)), int(std::lround(cy + ny * lo - py * w)));
        MakePoint(pts[3], int(std::lround(cx + nx * lo + px * w)), int(std::lround(cy + ny * lo + py * w)));
        SetBrushColour(kTiltBandSlotFirst + k);
        PointRange range;
        range.first = 0;
        range.last = 3;
        FillPolygon(range, pts);
    }
    SetClipRegion(nullptr);
    DeleteRegion(disc);
}

// The two ends of a latitude's chord on the globe of radius R.
void LatitudeChord(double cx, double cy, double R, int lat, double tilt, Spot& a, Spot& b) {
    a = OnCircle(cx, cy, R, lat - tilt);
    b = OnCircle(cx, cy, R, 180 - lat - tilt);
}

struct LatitudeName {
    int x, y;  // where the name is written: its near end, vertically centred
};

// A name that would leave the picture moves in from its side; where it would then cover the
// globe (radius R about (cx, cy)) it moves away from the centre line, above or below the
// globe, and its line goes on from `out` to it.
LatitudeName KeepNameInside(const char* text, TextFont* font, int align, LatitudeName name,
                            Spot out, double cx, double cy, double R, const ScreenRect& bounds) {
    SelectTextFont(font);
    const int w = TextWidth(text);
    const int h = ToLogicalY(TextHeightDevice(text));
    const int left = align == 0 ? name.x : name.x - w;
    const int inside = std::max(int(bounds.left) + kLabelMargin,
                                std::min(left, int(bounds.right) - kLabelMargin - w));
    if (inside == left) return name;
    name.x = align == 0 ? inside : inside + w;
    const double gap = align == 0 ? inside - cx : cx - (inside + w);  // to the nearer end
    const double clear = R + 4;  // the globe's disc is 2 larger for the plain globe
    if (gap >= clear) return name;
    const int away = out.y <= cy ? -1 : 1;
    const double reach = std::sqrt(clear * clear - std::max(gap, 0.0) * std::max(gap, 0.0));
    int y = int(std::lround(cy + away * (reach + h / 2.0)));
    y = std::max(int(bounds.top) + h / 2 + 1, std::min(y, int(bounds.bottom) - h / 2 - 1));
    if (std::fabs(y - cy) <= std::fabs(out.y - cy)) return name;
    name.y = y;
    SetPenColour(255);
    const int ox = int(std::lround(out.x));
    Line(ox, int(std::lround(out.y)), ox, y - away * (h / 2));
    return name;
}

}  // namespace

// The picture's whole width, centred in the height left under the two text lines, so the
// globe is as large as the picture allows and the latitude chords' squares stay apart.
ScreenRect TiltDiagramSquare(const ScreenRect& picture) {
    const int side = picture.right - picture.left;
    const int top = picture.top + kTiltTextHeight;
    const int squareTop = (top + picture.bottom - side) / 2;
    return Rect(picture.left, squareTop, picture.right, squareTop + side);
}

void DrawTiltDiagram(const ScreenRect& rect, double tilt, int mode, int lat0, int lat1,
                     ScreenRect& globeRect, const ScreenRect* labelBounds) {
    if (!std::isfinite(tilt)) tilt = 0;
    const int width = rect.right - rect.left;
    int ix = 0, iy = 0;
    RectCentre(rect, ix, iy);
    const double cx = ix, cy = iy;
    const double r = width / 2.0;
    const double t = tilt * kDegreeFactor;
    TextFont* font = gUi.smallLabelFont;

    if (tilt != EarthNormalTilt) {
        const double tn = EarthNormalTilt * kDegreeFactor;
        const Spot top{cx + r * std::sin(tn), cy - r * std::cos(tn)};
        const Spot bottom{cx - r * std::sin(tn), cy + r * std::cos(tn)};
        SetPenColour(3);
        Line(int(top.x), int(top.y), int(bottom.x), int(bottom.y));
        TextAt(int(bottom.x), int(bottom.y), 1, 0, "Earth", font, 3);
        TextAt(int(bottom.x), int(bottom.y) + 15, 1, 0, "Normal", font, 3);
    }

    SetPenWidth(3, 3);
    SetPenColour(7);
    Line(int(std::lround(cx + r * std::sin(t))), int(std::lround(cy - r * std::cos(t))), ix, iy);
    SetPenColour(8);
    Line(ix, iy, int(std::lround(cx - r * std::sin(t))), int(std::lround(cy + r * std::cos(t))));
    SetPenWidth(1, 1);

    const int m = int(0.15 * width);
    globeRect = Rect(rect.left + m, rect.top + m, rect.right - m, rect.bottom - m);
    if (mode == -1 || mode == 2) {
        SetBrushColour(9);
        FillEllipse(Inflate(globeRect, 2));
    } else {
        DrawBandedGlobe(globeRect, tilt);
    }
    if (mode < 1) return;

    const double R = width / 2.0 - m;
    const int lats[2] = {lat0, lat1};
    for (int i = 0; i < 2; ++i) {
        if (lats[i] >= 100) continue;
        Spot a, b;
        LatitudeChord(cx, cy, R, lats[i], tilt, a, b);
        DottedChord(a, b, i == 0 ? 1 : 8);
        // The first latitude is named at its chord's first end, the second at the other.
        const Spot end = i == 0 ? a : b;
        const double angle = i == 0 ? lats[i] - tilt : 180 - lats[i] - tilt;
        const Spot out = OnCircle(cx, cy, 1.1 * R, angle);
        SetPenColour(255);
        Line(int(std::lround(end.x)), int(std::lround(end.y)), int(std::lround(out.x)),
             int(std::lround(out.y)));
        char text[kLatitudeTextSize];
        FormatLatitude(lats[i], text, sizeof text);
        const int align = out.x >= cx ? 0 : 2;
        LatitudeName name{int(std::lround(out.x)) + (align == 0 ? 2 : -2),
                          int(std::lround(out.y))};
        if (labelBounds)
            name = KeepNameInside(text, font, align, name, out, cx, cy, R, *labelBounds);
        TextAt(name.x, name.y, align, 1, text, font, 255);
    }
}

void LayOutTiltPicture(const ScreenRect& picture) {
    gSim.tiltRect = picture;
    gSim.tiltDiagram = TiltDiagramSquare(picture);
    const ScreenRect& d = gSim.tiltDiagram;
    const int m = int(0.15 * (d.right - d.left));
    gSim.tiltGlobe = Rect(d.left + m, d.top + m, d.right - m, d.bottom - m);
}

void DrawTiltPicture() {
    const ScreenRect& p = gSim.tiltRect;
    const ModelSettings& s = Settings();
    SetDrawTarget(&gSim.scene);
    SetClipRect(&p);
    FillWith(p, 0);
    DrawTiltDiagram(gSim.tiltDiagram, s.axisTilt, 1, s.latitude[0], s.latitude[1], gSim.tiltGlobe,
                    &p);
    const int cx = (p.left + p.right) / 2;
    char value[64];
    if (s.axisTilt == 0) {
        TextAt(cx, p.top + 5, 1, 0, "Earth not", gUi.labelFont, 255);
        TextAt(cx, p.top + 25, 1, 0, "Tilted", gUi.labelFont, 255);
    } else {
        std::snprintf(value, sizeof value, "%.1f degrees", -s.axisTilt);
        TextAt(cx, p.top + 5, 1, 0, "Axis Tilt =", gUi.labelFont, 255);
        TextAt(cx, p.top + 25, 1, 0, value, gUi.labelFont, 255);
    }
    SetClipRect(nullptr);
    SetDrawTarget(nullptr);
}

void DrawTiltGlobeFrame() {
    OffscreenBuffer& buffer = gSim.tiltGlobeBuffer;
    if (!buffer.surface || !gSim.scene.surface) return;
    const ScreenRect& g = gSim.tiltGlobe;
    const int w = g.right - g.left;
    const int h = g.bottom - g.top;
    const ScreenRect local = Rect(0, 0, w, h);
    const double cx = w / 2.0, cy = h / 2.0;

    CopyRect(&gSim.scene, &buffer, g, local, false);
    SetDrawTarget(&buffer);
    DrawGlobeFace(local, 1);  // the tilt globe always shows the same side

    const ModelSettings& settings = Settings();
    const int lats[2] = {settings.latitude[0], settings.latitude[1]};
    for (int i = 0; i < 2; ++i) {
        if (lats[i] >= 100) continue;
        Spot a, b;
        LatitudeChord(cx, cy, w / 2.0, lats[i], settings.axisTilt, a, b);
        DottedChord(a, b, i == 0 ? 1 : 8);
    }
    SetDrawTarget(nullptr);
    BeginDrawing();
    CopyRect(&buffer, nullptr, local, g, false);
    EndDrawing();
}
