// SPDX-License-Identifier: GPL-3.0-or-later
// The Earth picture: a starry sky with the Sun, Earth's orbit, the colour legend, the view
// title, and the small globe that turns and travels along the orbit day by day.
#include "simulation/earth_views.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

#include "graphics/draw.h"
#include "graphics/region.h"
#include "graphics/scale.h"
#include "graphics/shape.h"
#include "model/trunc.h"
#include "graphics/picture_draw.h"
#include "widgets/ui_resources.h"

namespace {

int Width(const ScreenRect& r) { return r.right - r.left; }
int Height(const ScreenRect& r) { return r.bottom - r.top; }

// The middle of the Earth picture's width, where the legend starts and the title ends.
int EarthCentreX() { return (gSim.earthRect.left + gSim.earthRect.right) / 2; }

// A small linear congruential sequence: the same sky every time the screen starts.
uint32_t NextRandom() {
    gSim.starSeed = gSim.starSeed * 1664525u + 1013904223u;
    return gSim.starSeed >> 8;
}

void ScatterPoints(const DeviceRect& d, long count, uint8_t slot) {
    const int w = d.right - d.left;
    const int h = d.bottom - d.top;
    if (w <= 0 || h <= 0) return;
    for (long i = 0; i < count; ++i) {
        const int x = d.left + int(NextRandom() % uint32_t(w));
        const int y = d.top + int(NextRandom() % uint32_t(h));
        WritePixel(x, y, slot);
    }
}

// Text with a dark shadow one pixel lower and one pixel towards the bar's middle.
void ShadowedText(int x, int y, int h, int inward, const char* text, TextFont* font) {
    TextAt(x + inward, y + 1, h, 1, text, font, 0);
    TextAt(x, y, h, 1, text, font, 255);
}

}  // namespace

void DrawStarryBackground(const ScreenRect& rect) {
    const DeviceRect d = ToDeviceRect(rect);
    const double f = gDisplayScale.sx;
    const long n = long(f * f * Width(rect) * Height(rect));
    if (n <= 0) return;
    ScatterPoints(d, n / 25, 8);
    ScatterPoints(d, n / 250, 7);
}

void DrawColourLegend() {
    const ScreenRect& p = gSim.earthRect;
    const int cx = EarthCentreX();
    const ScreenRect bar = Rect(cx, p.top + 5, cx + 200, p.top + 30);
    FillWith(bar, 0);
    const int view = Settings().earthView;
    const int base = view == kViewTemperature ? kTemperatureRampFirst
                     : view == kViewDaylight  ? kDaylightRampFirst
                                              : kEnergyRampFirst;
    const int w = Width(bar);
    for (int i = 0; i < kRampLength; ++i) {
        const int x0 = int(bar.left + i * w * 0.02040816326530612);
        const int x1 = int(bar.left + (i + 1) * w * 0.02040816326530612 + 1);
        FillWith(Rect(x0, bar.top, std::min(x1, int(bar.right)), bar.bottom), base + i);
    }
    TextFont* font = gUi.smallLabelFont;
    const int y = (bar.top + bar.bottom) / 2;
    const int left = bar.left + 5;
    const int right = bar.right - 5;
    switch (view) {
    case kViewTemperature:
        ShadowedText(left, y, 0, 1, "Cooler", font);
        ShadowedText(right, y, 2, -1, "Warmer", font);
        break;
    case kViewEnergy:
        TextAt(left, y, 0, 1, "Less", font, 255);
        TextAt(right, y, 2, 1, "More", font, 0);
        break;
    case kViewDaylight:
        TextAt(left, y, 0, 1, "0", font, 255);
        TextAt((bar.left + bar.right) / 2, y, 1, 1, "12", font, 255);
        TextAt(right, y, 2, 1, "24", font, 0);
        break;
    case kViewDistance:
        TextAt(left, y, 0, 1, "Closer", font, 255);
        TextAt(right, y, 2, 1, "Farther", font, 0);
        break;
    default: break;
    }
    SetPenColour(255);
    SetBrushPattern(1);
    FrameScreenRect(bar);
}

void DrawViewTitle() {
    const ScreenRect& p = gSim.earthRect;
    const int cx = EarthCentreX();
    const ScreenRect patch = Rect(int(cx - 0.4 * Width(p) - 5), p.top + 5, cx - 5, p.top + 30);
    FillWith(patch, 0);
    DrawStarryBackground(patch);
    TextAt(cx - 5, p.top + 17, 2, 1, ViewTitle(Settings().earthView), gUi.labelFont, 255);
}

void LayOutEarthPicture(const ScreenRect& picture) {
    gSim.earthRect = picture;
    const int w = Width(picture);
    const int h = Height(picture);
    gSim.earthSky = Rect(picture.left, picture.top, picture.right, picture.bottom - 35);
    const int hh = h - 20;
    gSim.earthOrbitBox = Rect(int(picture.left + 0.1 * w), int(picture.top + 0.3 * hh + 20),
                              int(picture.right - 0.1 * w), int(picture.bottom - 0.3 * hh));
}

void DrawEarthPicture() {
    if (!gSim.earthPictureFlag) return;
    gSim.earthPictureFlag = false;
    const ScreenRect& p = gSim.earthRect;
    const int w = Width(p);
    const int h = Height(p);
    int cx = 0, cy = 0;
    RectCentre(p, cx, cy);
    cy += 10;
    double e = Settings().orbitShape;
    if (!(e >= 0 && e < 1)) e = 0;  // the model refuses such shapes; draw a circle

    CopySame(&gSim.backdrop, &gSim.scene, p);  // the text strip keeps the panel's face
    SetDrawTarget(&gSim.scene);
    SetClipRect(&p);
    FillWith(gSim.earthSky, 0);
    DrawStarryBackground(gSim.earthSky);
    DrawViewTitle();

    // The Sun sits at the focus of the drawn orbit.
    gSim.earthSunX = cx - int(0.4 * w * e);
    gSim.earthSunY = cy;
    SetBrushColour(14);
    FillEllipse(Rect(gSim.earthSunX - 42, cy - 42, gSim.earthSunX + 42, cy + 42));

    SetPenColour(5);
    SetPenWidth(3, 3);
    DrawEllipse(gSim.earthOrbitBox);
    SetPenWidth(1, 1);

    ComputeOrbit(cx, cy, 0.4 * w, 0.19999999999999996 * ((h - 20) - 20), Series().mainTrack, 1);

    DrawColourLegend();
    TextAt(cx, (gSim.earthSky.bottom + p.bottom) / 2, 1, 1, LegendSentence(Settings().earthView),
           gUi.labelFont, 0);
    SetClipRect(nullptr);
    SetDrawTarget(nullptr);
    gSim.globeShown = false;  // the picture is shown whole: no globe on it any more
}

// ---- the turning globe ----------------------------------------------------------------

void MakeGlobeChords(double axisTilt, GlobeChord* chords) {
    const double t = axisTilt * kDegreeFactor;
    const double st = std::sin(t);
    const double ct = std::cos(t);
    const int dx = int(0.5 + kGlobeRadius * ct);
    const int dy = int(0.5 + kGlobeRadius * -st);
    for (int i = 0; i < kGlobeChords; ++i) {
        // Five pixels apart along the tilted axis, north first.
        const double s = 5 * i - 64;
        const int a = int(s * -st + 0.5);
        const int b = int(s * ct + 0.5);
        GlobeChord& c = chords[i];
        c.x0 = a + dx;
        c.y0 = b - dy;
        c.x1 = a - dx;
        c.y1 = b + dy;
        c.latitude = int(0.5 + 57.29575495751519 * std::asin(1 - 2 * i * 0.038461538461538464));
    }
}

void ProjectCoastlinePhase(const CoastPoints& points, double axisTilt, double radius, int phase,
                           GlobeSegments& out) {
    const double t = axisTilt * kDegreeFactor;
    const double st = std::sin(t);
    const double ct = std::cos(t);
    const int n = std::min(std::max(points.count, 0), kCoastPoints);
    bool visible[kCoastPoints];
    double x[kCoastPoints], y[kCoastPoints];
    for (int i = 0; i < n; ++i) {
        const double p = double(points.latitude[i]) * kDegreeFactor;
        const double a = double(points.longitude[i]) * -kDegreeFactor - phase * 0.2617995;
        visible[i] = std::sin(a) >= 0;  // the near side of the globe
        const double A = -radius * std::sin(p);
        const double B = radius * std::cos(a) * std::cos(p);
        x[i] = B * ct - A * st + radius;
        y[i] = A * ct + B * st + radius;
    }
    JoinCoastSegments(points.code, n, visible, x, y, out);
}

void ProjectCoastline(const CoastPoints& points, double axisTilt, GlobeSegments* phases) {
    if (!phases) return;
    for (int r = 0; r < kGlobePhases; ++r)
        ProjectCoastlinePhase(points, axisTilt, kGlobeRadius, r, phases[r]);
}

bool PrepareRotatingGlobe() {
    delete[] gSim.globeBuffers;
    gSim.globeBuffers = new (std::nothrow) GlobeSegments[kGlobePhases];
    if (!gSim.globeBuffers) return false;
    MakeGlobeChords(Settings().axisTilt, gSim.chords);
    // Read afresh: the decimals of the file, not the whole degrees kept at start-up.
    CoastPoints points;
    LoadCoastPoints(kCoastOutlineFile, points);
    ProjectCoastline(points, Settings().axisTilt, gSim.globeBuffers);
    return true;
}

void DrawGlobeFace(const ScreenRect& square, int phase) {
    const int w = square.right - square.left;
    const double f = w * 0.0078125;  // the chords and coast are laid out for a 128-pixel globe
    const double cx = square.left + w / 2.0;
    const double cy = (square.top + square.bottom) / 2.0;
    auto X = [&](double v) { return int(std::lround(cx + v * f)); };
    auto Y = [&](double v) { return int(std::lround(cy + v * f)); };

    Region* disc = EllipseRegion(square);
    SetClipRegion(disc);
    SetPenWidth(7, 7);
    for (const GlobeChord& c : gSim.chords) {
        SetPenColour(ViewColour(BandOfLatitude(c.latitude)));
        Line(X(c.x0), Y(c.y0), X(c.x1), Y(c.y1));
    }
    SetClipRegion(nullptr);
    DeleteRegion(disc);
    SetPenWidth(1, 1);

    if (!gSim.globeBuffers) return;
    SetPenColour(0);
    DrawCoastSegments(gSim.globeBuffers[phase], f, square.left, square.top);
}

void DrawGlobeFrame(int day) {
    if (!gSim.globe.surface || !gSim.scene.surface) return;
    day = std::min(std::max(day, 0), kYearSteps - 1);
    const OrbitTrack& track = Series().mainTrack;
    const int left = track.trackX[day] - kGlobeRadius;
    const int top = track.trackY[day] - kGlobeRadius;
    const ScreenRect square = Rect(left, top, left + kGlobeSide, top + kGlobeSide);
    const ScreenRect local = Rect(0, 0, kGlobeSide, kGlobeSide);

    CopyRect(&gSim.scene, &gSim.globe, square, local, false);
    SetDrawTarget(&gSim.globe);

    DrawGlobeFace(local, day % kGlobePhases);

    // The front half of the orbit passes in front of the Earth.
    ScreenRect box = gSim.earthOrbitBox;
    OffsetRect(box, -left, -top);
    SetPenColour(5);
    SetPenWidth(3, 3);
    DrawArc(box, track.orbitArcStart[day], 1800);
    SetPenWidth(1, 1);

    // On the far half of the orbit the Earth passes behind the Sun.
    if (day >= 180) {
        const int sx = gSim.earthSunX - left;
        const int sy = gSim.earthSunY - top;
        SetBrushColour(14);
        FillEllipse(Rect(sx - 42, sy - 42, sx + 42, sy + 42));
    }
    SetDrawTarget(nullptr);

    BeginDrawing();
    if (gSim.globeShown) ShowFromScene(gSim.scene, gSim.globeSquare);
    CopyRect(&gSim.globe, nullptr, local, square, false);
    EndDrawing();
    gSim.globeShown = true;
    gSim.globeSquare = square;
}
