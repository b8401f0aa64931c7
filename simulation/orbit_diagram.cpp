// SPDX-License-Identifier: GPL-3.0-or-later
// The orbit diagram: Earth's orbit to scale beside those of Venus and Mars, the orbit's
// name, the Sun-Earth distance box, and the marker that follows the Earth around.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "graphics/copy.h"
#include "graphics/scale.h"
#include "graphics/shape.h"
#include "simulation/earth_views.h"
#include "graphics/picture_draw.h"
#include "widgets/ui_resources.h"

namespace {

// An ellipse outline centred on (x, y) with half-axes a and b.
ScreenRect EllipseAround(double x, double y, double a, double b) {
    return Rect(int(x - a), int(y - b), int(x + a), int(y + b));
}

// A downward arrow floating over the Earth's place on the orbit.
const Sprite* MarkerSprite() { return UiSprite(kSpriteOlder); }

}  // namespace

void LayOutOrbitDiagram(const ScreenRect& picture) { gSim.orbitRect = picture; }

void DrawOrbitDiagram() {
    const ScreenRect& p = gSim.orbitRect;
    int cx = 0, cy = 0;
    RectCentre(p, cx, cy);
    double e = Settings().orbitShape;
    if (!(e >= 0 && e < 1)) e = 0;
    const double R = (p.bottom - p.top) / 2 - 60;
    const double b = R * std::sqrt(1 - e * e);
    const double bn = R * std::sqrt(1 - 0.02 * 0.02);
    const double c = std::sqrt(std::max(R * R - b * b, 0.0));
    const double cn = std::sqrt(std::max(R * R - bn * bn, 0.0));
    TextFont* font = gUi.smallLabelFont;

    ComputeOrbit(cx, cy, R, b, gSim.diagramTrack, 0);

    SetDrawTarget(&gSim.scene);
    SetClipRect(&p);  // Mars's orbit of a stretched Earth orbit reaches past the picture
    FillWith(p, 0);

    SetBrushColour(14);
    FillEllipse(EllipseAround(cx - c, cy, 9, 9));

    // The planets' orbits share the Sun as their focus; their shapes are Earth Normal's.
    const double px = cx - c + cn;
    if (Settings().orbitShape != EarthNormalShape) {
        SetPenColour(3);
        DrawEllipse(EllipseAround(px, cy, R, bn));
        TextAt(int(px), int(cy + bn + 2), 1, 0, "Earth Normal", font, 3);
    }
    SetPenColour(8);
    DrawEllipse(EllipseAround(px, cy, 0.72 * R, 0.72 * bn));
    TextAt(int(px), int(cy + 0.72 * bn), 1, 2, "Venus", font, 8);
    const ScreenRect mars = EllipseAround(px, cy, 1.52 * R, 1.52 * bn);
    DrawEllipse(mars);
    TextAt(int(mars.left + 0.854 * (mars.right - mars.left)),
           int(mars.top + 0.854 * (mars.bottom - mars.top)), 1, 1, "Mars", font, 8);

    SetPenColour(5);
    SetPenWidth(3, 3);
    DrawEllipse(EllipseAround(cx, cy, R, b));
    SetPenWidth(1, 1);
    TextAt(cx, int(cy - b - 2), 1, 2, "Earth", font, 13);

    char label[64];
    if (Settings().orbitShape == 0)
        std::snprintf(label, sizeof label, "Circular Orbit (0.00)");
    else if (Settings().orbitShape == EarthNormalShape)
        std::snprintf(label, sizeof label, "Earth Normal Orbit (0.02)");
    else
        std::snprintf(label, sizeof label, "Elliptical Orbit (%0.2f)", Settings().orbitShape);
    TextAt(cx, p.top + 5, 1, 0, label, font, 255);

    // "Distance from Sun: [000.0] million km" along the bottom.
    const int baseline = p.bottom - 5;
    TextAt(p.left + 20, baseline, 0, 3, "Distance from Sun:", font, 255);
    const int boxLeft = p.left + 20 + TextWidth("Distance from Sun:") + 25;
    const int boxRight = boxLeft + TextWidth("000.0");
    gSim.distanceBox = Rect(boxLeft, p.bottom - 25, boxRight, p.bottom - 5);
    TextAt(boxRight + 4, baseline, 0, 3, "million km", font, 255);
    SetClipRect(nullptr);
    SetDrawTarget(nullptr);
    gSim.markerShown = false;
}

void MoveOrbitMarker(int day) {
    const Sprite* s = MarkerSprite();
    if (!s || !gSim.scene.surface) return;
    day = std::min(std::max(day, 0), kYearSteps - 1);
    const int x = ToDeviceX(gSim.diagramTrack.trackX[day]);
    const int y = ToDeviceY(gSim.diagramTrack.trackY[day] - 20);
    ScreenRect d;
    MakeRect(d, x - s->width / 2, y - s->height / 2, x - s->width / 2 + s->width,
             y - s->height / 2 + s->height);
    BeginDrawing();
    if (gSim.markerShown)
        CopyRectDevice(&gSim.scene, nullptr, gSim.markerDevice, gSim.markerDevice, false);
    DrawSprite(d, *s, true);
    EndDrawing();
    gSim.markerShown = true;
    gSim.markerDevice = d;
}
