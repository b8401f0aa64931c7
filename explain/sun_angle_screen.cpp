// SPDX-License-Identifier: GPL-3.0-or-later
// The Sun angle screen: its controls, the month and latitude steps, the Earth picture and the
// person picture, and the loop.
#include "explain/sun_angle_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "explain/explain_screen.h"
#include "graphics/copy.h"
#include "graphics/display.h"
#include "graphics/palette.h"
#include "graphics/region.h"
#include "graphics/shape.h"
#include "model/model.h"
#include "settings/coast.h"
#include "navbar/navbar.h"
#include "graphics/picture_draw.h"
#include "widgets/control.h"
#include "widgets/events.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

SunAngleState gSunAngle;

void ResetSunAngleState() {
    ReleaseBuffer(gSunAngle.buffer);
    gSunAngle.month = kSunAngleStartMonth;
    gSunAngle.latitudeIndex = kSunAngleStartLatitudeIndex;
    gSunAngle.showAngles = false;
    gSunAngle.frame.count = 0;
    gSunAngle.sunOffset = 0;
    gSunAngle.northButton = gSunAngle.southButton = nullptr;
}

namespace {

constexpr double k = kDegreeFactor;
constexpr int kSide = 480;  // both pictures are squares of this side
constexpr int kButtonColour = 16;
constexpr int kIdleWaitMs = 10;  // nothing animates: wait for input instead of spinning
constexpr int kChangeTiltScreenId = 2;

const ScreenRect kWhole = Rect(0, 0, kSide, kSide);
const ScreenRect kMonthArea = Rect(20, 199, 180, 231);
const ScreenRect kLatitudeArea = Rect(253, 174, 350, 231);
const ScreenRect kEarthArea = Rect(20, 234, 500, 714);
const ScreenRect kPersonArea = Rect(520, 234, 1000, 714);

// The Earth disc of the Earth picture: room is left on the Sun's side for the rays' labels.
const ScreenRect kDisc = Rect(20, 100, 300, 380);
constexpr int kDiscX = 160, kDiscY = 240, kDiscR = 140;

// The person picture: the ground line and the point the rays leave from.
constexpr int kGround = kSide - 80;
constexpr int kPersonX = kSide / 2;

const char kMonthNames[12][16] = {"January", "February", "March",     "April",
                                  "May",     "June",     "July",      "August",
                                  "September", "October", "November", "December"};

struct Pt {
    int x, y;
};

// The end of a ray from `from`, angle in degrees counter-clockwise from the right.
Pt RayEnd(Pt from, double degrees, int length) {
    return {from.x + int(length * std::cos(degrees * k)),
            from.y - int(length * std::sin(degrees * k))};
}

void SetPen(int slot, int width) {
    SetPenColour(slot);
    SetPenWidth(width, width);
}

ScreenRect Square(Pt c, int r) { return Rect(c.x - r, c.y - r, c.x + r, c.y + r); }

// A pie centred on c; angles in whole degrees, counter-clockwise from the right.
void Pie(Pt c, int r, int slot, int startDegrees, int sweepDegrees) {
    SetBrushColour(slot);
    FillPie(Square(c, r), startDegrees * 10, sweepDegrees * 10);
}

void FillShape(int slot, std::initializer_list<Pt> corners) {
    Point p[8];
    int n = 0;
    for (const Pt& c : corners)
        if (n < 8) MakePoint(p[n++], c.x, c.y);
    SetBrushColour(slot);
    SetPen(slot, 1);
    FillPolygon(PointRange{0, int16_t(n - 1)}, p);
}

void FillDisc(const ScreenRect& r, int slot) {
    SetBrushColour(slot);
    FillEllipse(r);
}

// A ray with an arrowhead at its far end, pointing away from where it starts. Returns the end.
Pt DrawArrow(Pt from, double degrees, int length, int width, int slot, int head) {
    const Pt end = RayEnd(from, degrees, length);
    const double a = degrees * k, ux = std::cos(a), uy = -std::sin(a);
    const double bx = end.x - head * ux, by = end.y - head * uy;
    const double half = head * 0.45 + width * 0.5;
    SetPen(slot, width);
    Line(from.x, from.y, int(bx + ux * 2), int(by + uy * 2));
    FillShape(slot, {end, {int(bx - half * uy), int(by + half * ux)},
                     {int(bx + half * uy), int(by - half * ux)}});
    SetPenWidth(1, 1);
    return end;
}

// The sunken frame both pictures get.
void FramePicture() {
    DrawBevel(kWhole, 0, 25, 27);
    DrawBevel(kWhole, 1, 24, 28);
    DrawBevel(kWhole, 2, 23, 29);
}

// "+%dº" for values from zero up, "%dº" below zero.
void FormatSigned(char* out, int size, int value) {
    std::snprintf(out, size, value >= 0 ? "+%d\xBA" : "%d\xBA", value);
}

// ---- the Earth picture ------------------------------------------------------------------

// A ray's label in the small label font, vertically centred on y: it starts 6 units beyond
// the ray's end, and for a ray pointing left it ends there instead, so it never lies across
// its own ray.
struct RayLabel {
    int x, y;
    const char* text;
    int slot;
    int hAlign;  // 0 left, 2 right
};

RayLabel LabelBeyond(Pt end, double degrees, int dy, const char* text, int slot) {
    if (std::cos(degrees * k) < -0.8) return {end.x - 6, end.y + dy, text, slot, 2};
    return {end.x + 6, end.y + dy, text, slot, 0};
}

int LabelLeft(const RayLabel& l) { return l.hAlign == 2 ? l.x - TextWidth(l.text) : l.x; }

// The ray labels at the person's place can crowd together when two rays nearly coincide (the
// Sun overhead at the equator, the Sun on the horizon at the polar circle): labels whose
// boxes overlap are pushed apart vertically until each stands clear.
void SpreadLabels(RayLabel* labels, int count) {
    SelectTextFont(gUi.smallLabelFont);
    const int gap = 18;
    for (int pass = 0; pass < 8; ++pass) {
        bool moved = false;
        for (int i = 0; i < count; ++i)
            for (int j = i + 1; j < count; ++j) {
                RayLabel& a = labels[i];
                RayLabel& b = labels[j];
                const int al = LabelLeft(a), bl = LabelLeft(b);
                const bool apartX = al + TextWidth(a.text) <= bl || bl + TextWidth(b.text) <= al;
                if (apartX || std::abs(a.y - b.y) >= gap) continue;
                RayLabel& upper = a.y <= b.y ? a : b;
                RayLabel& lower = &upper == &a ? b : a;
                const int mid = (upper.y + lower.y) / 2;
                upper.y = mid - gap / 2;
                lower.y = mid + gap - gap / 2;
                moved = true;
            }
        if (!moved) break;
    }
}

// The parallels at 30 and 60 degrees north and south: they show how the latitude is counted
// from the equator, and tip with the Earth.
void DrawParallels(double d) {
    Region* disc = EllipseRegion(kDisc);
    SetClipRegion(disc);
    const double nx = -std::sin(d), ny = -std::cos(d);  // towards the North Pole
    const double ex = std::cos(d), ey = -std::sin(d);   // along the equator, to the Sun's side
    for (int latitude : {60, 30, -30, -60}) {
        const double p = latitude * k;
        const double mx = kDiscX + kDiscR * std::sin(p) * nx, my = kDiscY + kDiscR * std::sin(p) * ny;
        const double h = kDiscR * std::cos(p);
        SetPen(8, std::abs(latitude) == 30 ? 2 : 1);
        Line(int(mx - h * ex), int(my - h * ey), int(mx + h * ex), int(my + h * ey));
    }
    SetClipRegion(nullptr);
    DeleteRegion(disc);
    SetPenWidth(1, 1);
}

// The lit half brightens towards the Sun on the right; the night half keeps the darkest blue.
void DrawLitDisc() {
    FillDisc(kDisc, kSkyGradientFirst);
    Region* disc = EllipseRegion(kDisc);
    SetClipRegion(disc);
    SetPenWidth(5, 5);
    for (int n = 0; n < kSkyGradientCount && kDiscX + 2 + 5 * n < kDisc.right; ++n) {
        const int x = kDiscX + 2 + 5 * n;
        SetPenColour(kSkyGradientFirst + n);
        Line(x, kDisc.top, x, kDisc.bottom);
    }
    SetClipRegion(nullptr);
    DeleteRegion(disc);
    SetPenWidth(1, 1);
}

// Each point of the 2000-unit frame scaled onto the disc: X x 0.001 x 140 from its corner.
void DrawCoastFrame(const GlobeSegments& frame) {
    SetPen(kCoastSlot, 1);
    const int n = std::min(std::max(frame.count, 0), kCoastPoints);
    const double s = 0.001 * kDiscR;
    for (int i = 0; i < n; ++i)
        Line(int(frame.x0[i] * s + kDisc.left), int(frame.y0[i] * s + kDisc.top),
             int(frame.x1[i] * s + kDisc.left), int(frame.y1[i] * s + kDisc.top));
}

}  // namespace

double SunOffset(int month) {
    month = ((month % 12) + 12) % 12;
    if (month == 2 || month == 8) return 0;  // the equinoxes: the Sun stands over the equator
    return std::cos((month + 1) * 0.5235987499999999) * 0.41015255000000006;
}

int PersonLatitude(int latitudeIndex) { return (latitudeIndex - 18) * 5; }

double ZenithAngle(int latitude, double sunOffset) { return latitude + sunOffset / k; }

int SunOffsetDegrees(double sunOffset) { return int(sunOffset / k); }

void SetSkyGradient() {
    for (int i = 0; i < kSkyGradientCount; ++i) {
        const double f = (2 + 5 * i) / 140.0;
        const int v = int(255 * f * f);
        SetPaletteEntry(kSkyGradientFirst + i, v + 1, v, int(92 + 163 * std::sqrt(f)));
    }
    ApplyPalette(kSkyGradientFirst, kSkyGradientCount);
}

void ProjectSunAngleEarth(double d, GlobeSegments& frame) {
    const CoastOutline& coast = TheCoastOutline();
    const int n = std::min(std::max(coast.count, 0), kCoastPoints);
    const double P = 1000 * std::cos(d), Q = 1000 * std::sin(d);
    bool visible[kCoastPoints];
    int h[kCoastPoints], u[kCoastPoints];
    for (int i = 0; i < n; ++i) {
        const double q = coast.latitude[i] * k, a = coast.longitude[i] * k;
        visible[i] = std::sin(a) * std::cos(q) >= 0;
        h[i] = int(P * std::cos(a) * std::cos(q) - Q * std::sin(q) + 1000);
        u[i] = int(-(Q * std::cos(a) * std::cos(q) + P * std::sin(q)) + 1000);
    }
    frame.count = 0;
    for (int i = 0; i + 1 < n; ++i) {
        if (!visible[i] || !visible[i + 1] || coast.code[i + 1] >= kCoastNewLine) continue;
        const int s = frame.count++;
        frame.x0[s] = h[i];
        frame.y0[s] = u[i];
        frame.x1[s] = h[i + 1];
        frame.y1[s] = u[i + 1];
    }
}

namespace {

// The person's place on the rim, at the angle A counter-clockwise from the Sun's direction.
Pt PlaceOnRim(double zenith) {
    return {int(kDiscX + kDiscR * std::cos(zenith * k)), int(kDiscY - kDiscR * std::sin(zenith * k))};
}

// At the centre and again at the place: the Sun's angle from the equator (from the Sun's
// direction up to d) and the latitude on top of it, which together make A.
void DrawEarthAngles(Pt centre, Pt place, int dDegrees, int latitude, double zenith) {
    const int outer = kDiscR / 3 + 20, inner = kDiscR / 3;
    Pie(centre, outer, 5, dDegrees, latitude);
    Pie(centre, inner, 12, 0, dDegrees);
    SetPen(11, 2);
    const Pt up = RayEnd(centre, zenith, kDiscR - 5);
    Line(centre.x, centre.y, up.x, up.y);
    SetPen(14, 2);
    const Pt sun = RayEnd(centre, 0, kDiscR - 5);
    Line(centre.x, centre.y, sun.x, sun.y);
    SetPenWidth(1, 1);
    Pie(place, 60, 5, dDegrees, latitude);
    Pie(place, 40, 12, 0, dDegrees);
}

// The four directions from the person's place: the local horizon both ways, the Sun (when it
// is up at noon) and overhead.
void DrawPlaceRays(Pt place, double zenith) {
    RayLabel labels[4];
    int n = 0;
    Pt end = DrawArrow(place, zenith - 90, 80, 2, 10, 8);
    labels[n++] = LabelBeyond(end, zenith - 90, 6, "S. Horizon", 2);
    end = DrawArrow(place, zenith + 90, 80, 2, 10, 8);
    labels[n++] = LabelBeyond(end, zenith + 90, -6, "N. Horizon", 2);
    if (!SunBelowHorizon(zenith)) {
        end = DrawArrow(place, 0, 80, 2, 14, 8);
        labels[n++] = LabelBeyond(end, 0, 0, "To the Sun", 14);
    }
    end = DrawArrow(place, zenith, 80, 2, 11, 8);
    labels[n++] = LabelBeyond(end, zenith, 0, "Overhead", 11);
    SpreadLabels(labels, n);
    for (int i = 0; i < n; ++i) {
        const RayLabel& l = labels[i];
        const int left = std::min(std::max(LabelLeft(l), 6), kSide - 6 - TextWidth(l.text));
        TextAt(left, l.y, 0, 1, l.text, gUi.smallLabelFont, l.slot);
    }
}

// The person's place: a red dot ringed in white, the colour of the person's shirt.
void DrawPlaceMark(Pt place) {
    FillDisc(Square(place, 5), 4);
    SetPen(255, 1);
    DrawEllipse(Square(place, 5));
}

}  // namespace

void DrawSunAngleEarth(double d, int latitude, bool showAngles, const GlobeSegments& frame) {
    FillWith(kWhole, 0);
    FramePicture();
    const Pt centre{kDiscX, kDiscY};

    // The axis first: the disc covers its middle, so it shows beyond both poles.
    const int w = kDisc.right - kDisc.left;
    const int ax = int(0.55 * w * std::sin(d)), ay = int(0.55 * w * std::cos(d));
    SetPen(255, 3);
    Line(centre.x - ax, centre.y - ay, centre.x + ax, centre.y + ay);
    SetPenWidth(1, 1);
    DrawLitDisc();
    DrawCoastFrame(frame);

    const Pt east = {centre.x + int(kDiscR * std::cos(-d)), centre.y + int(kDiscR * std::sin(-d))};
    const Pt west = {2 * centre.x - east.x, 2 * centre.y - east.y};
    SetPen(5, 3);
    Line(east.x, east.y, west.x, west.y);
    SetPenWidth(1, 1);
    if (showAngles)
        TextAt(west.x + 5, west.y, 0, 1, "Equator", gUi.smallLabelFont, 255);
    else {
        DrawParallels(d);
        TextAt(east.x - 5, east.y, 2, 1, "Equator", gUi.smallLabelFont, 255);
    }

    const double zenith = ZenithAngle(latitude, d);
    const Pt place = PlaceOnRim(zenith);
    if (showAngles) DrawEarthAngles(centre, place, SunOffsetDegrees(d), latitude, zenith);
    DrawPlaceRays(place, zenith);
    DrawPlaceMark(place);
}

namespace {

// Ground, shadow and shirt for the Sun's height: bright ground under a high Sun, dim under a
// low one, dark blue when the Sun stays below the horizon. The shirt faces south (right) and
// is lit only when the Sun stands there.
void SetPersonColours(double zenith) {
    const bool below = SunBelowHorizon(zenith);
    const double c = std::fabs(std::cos(zenith * k));
    const int v = below ? 0 : int(255 * c * c);
    const int b = below ? 92 : int(92 + 163 * std::sqrt(c));
    SetPaletteEntryNow(kGroundSlot, v, v, b);
    SetPaletteEntryNow(kShadowSlot, v / 2, v / 2, b / 2);
    const int red = below || zenith < 0 ? 92 : 92 + int(100 * c);
    SetPaletteEntryNow(kShirtSlot, red, red / 8, red / 8);
}

// The three indicators across the top: the Sun's angle from the equator, the latitude, and
// their sum, the Sun's angle from overhead. Each pie shows its angle's size and colour,
// rising from the left (falling for a negative angle), where the captions leave room.
void DrawAngleIndicators(int dDegrees, int latitude) {
    const int sum = dDegrees + latitude;
    const struct {
        ScreenRect rect;
        int slot, angle;
    } pies[3] = {{Rect(20, 5, 120, 105), 12, dDegrees},
                 {Rect(140, 5, 240, 105), 5, latitude},
                 {Rect(260, 5, 360, 105), 6, sum}};
    for (const auto& p : pies) {
        SetPen(23, 1);
        DrawEllipse(p.rect);
        SetBrushColour(p.slot);
        FillPie(p.rect, 1800, -p.angle * 10);
    }
    char value[3][48];
    FormatSigned(value[0], sizeof value[0], dDegrees);
    FormatSigned(value[1], sizeof value[1], latitude);
    std::snprintf(value[2], sizeof value[2],
                  latitude >= 0 ? "%d\xBA+%d\xBA=%d\xBA" : "%d\xBA-%d\xBA=%d\xBA", dDegrees,
                  std::abs(latitude), sum);
    char hemisphere[16];
    std::snprintf(hemisphere, sizeof hemisphere, latitude >= 0 ? "(%d\xBAN)" : "(%d\xBAS)",
                  std::abs(latitude));
    const struct {
        int x, y;
        const char* text;
        int slot;
    } lines[] = {{95, 5, "Sun's angle", 255},    {95, 25, "from Equator", 255},
                 {95, 70, value[0], 255},        {215, 5, "Latitude", 255},
                 {215, 70, value[1], 255},       {215, 90, hemisphere, 7},
                 {335, 5, "Sun's angle", 255},   {335, 25, "from Overhead", 255},
                 {335, 70, value[2], 255},       {335, 90, "(use absolute", 7},
                 {335, 106, "value of sum)", 7}};
    for (const auto& l : lines) TextAt(l.x, l.y, 1, 0, l.text, gUi.smallLabelFont, l.slot);

    // The same angles around the person: the sum, then d and the latitude inside it.
    const Pt origin{kPersonX, kGround};
    Pie(origin, 160, 6, 90, -sum);
    Pie(origin, 120, 12, 90 - sum, dDegrees);
    Pie(origin, 80, 5, 90 - latitude, latitude);
}

void DrawBelowHorizonBox() {
    FillWith(Rect(405, 3, 475, 100), 4);
    const char* words[6] = {"The", "Sun", "is", "below", "the", "Horizon!"};
    for (int i = 0; i < 6; ++i) TextAt(440, 5 + 16 * i, 1, 0, words[i], gUi.smallLabelFont, 14);
}

// Overhead, the two horizons and, when the Sun is up at noon, the ray to the Sun.
void DrawPersonRays(double zenith) {
    const Pt origin{kPersonX, kGround};
    Pt end = DrawArrow(origin, 90, 250, 5, 11, 14);
    TextAt(end.x, end.y - 4, 1, 2, "Overhead", gUi.smallLabelFont, 11);
    DrawArrow(origin, 0, 200, 3, 10, 12);
    DrawArrow(origin, 180, 200, 3, 10, 12);
    TextAt(kSide - 4, kGround - 20, 2, 1, "To South Horizon", gUi.smallLabelFont, 2);
    TextAt(4, kGround - 20, 0, 1, "To North Horizon", gUi.smallLabelFont, 2);
    if (SunBelowHorizon(zenith)) return;
    const int angle = int(90 - zenith);
    end = DrawArrow(origin, angle, 200, 5, 14, 14);
    // Near the horizon the label would sit on the horizon labels, near overhead on the
    // Overhead ray, and at the picture's edge it would run out of it: keep it above the
    // horizon labels, on the Sun's side of the Overhead ray, and inside.
    SelectTextFont(gUi.smallLabelFont);
    const int half = TextWidth("To the") / 2;
    const int clear = half + 12;  // from the Overhead ray's middle, past its arrowhead
    int x = end.x - 20;
    if (std::abs(x - kPersonX) < clear) x = angle < 90 ? kPersonX + clear : kPersonX - clear;
    x = std::min(std::max(x, half + 5), kSide - half - 5);
    const int bottom = std::min(end.y - 15, kGround - 32);
    TextAt(x, bottom - 20, 1, 2, "To the", gUi.smallLabelFont, 14);
    TextAt(x, bottom, 1, 2, "Sun", gUi.smallLabelFont, 14);
}

// The person's shadow falls on the ground away from the Sun, long when the Sun is low.
void DrawShadow(int feetX, int feetY, double zenith, int height) {
    if (SunBelowHorizon(zenith)) return;
    const double elevation = 90 - std::fabs(zenith);
    const int length = elevation >= 89.5 ? 0
                                         : int(std::min(height / std::tan(elevation * k), 215.0));
    const int dir = zenith > 0 ? -1 : 1;
    const int tip = feetX + dir * length;
    FillShape(kShadowSlot, {{feetX, feetY - 3}, {tip, feetY - 2}, {tip, feetY + 2}, {feetX, feetY + 3}});
    FillDisc(Rect(feetX - 11, feetY - 3, feetX + 13, feetY + 4), kShadowSlot);
    if (length > 12) FillDisc(Rect(tip - 8, feetY - 3, tip + 8, feetY + 4), kShadowSlot);
}

// A person seen from the side, facing south (right), feet on the line y = corner.y and 70
// units wide from corner.x; 63 units tall, so the rays leave at about the chest.
void DrawStandingPerson(Pt corner, double zenith) {
    const int x = corner.x + 35, y = corner.y;
    const int skin = 33, hair = 30, trousers = 16, shoes = 0;
    DrawShadow(x, y, zenith, 63);
    FillShape(trousers, {{x - 7, y - 22}, {x + 1, y - 22}, {x - 1, y - 4}, {x - 8, y - 4}});
    FillShape(trousers, {{x - 1, y - 22}, {x + 7, y - 22}, {x + 9, y - 4}, {x + 2, y - 4}});
    FillWith(Rect(x - 10, y - 4, x, y), shoes);
    FillWith(Rect(x + 1, y - 4, x + 13, y), shoes);
    FillShape(kShirtSlot, {{x - 8, y - 41}, {x - 5, y - 44}, {x + 5, y - 44}, {x + 8, y - 41},
                           {x + 8, y - 20}, {x - 8, y - 20}});
    FillWith(Rect(x - 3, y - 48, x + 3, y - 43), skin);
    const ScreenRect head = Rect(x - 9, y - 63, x + 9, y - 45);
    FillDisc(head, skin);
    SetBrushColour(hair);
    FillPie(head, 500, 1600);
    FillShape(skin, {{x + 8, y - 57}, {x + 12, y - 52}, {x + 8, y - 51}});
    FillWith(Rect(x + 3, y - 57, x + 6, y - 54), 0);
    // The arm in front of the body, the hand hanging at the hip.
    FillShape(kShirtSlot, {{x - 3, y - 42}, {x + 4, y - 42}, {x + 7, y - 27}, {x + 1, y - 26}});
    SetPen(37, 1);
    Line(x - 2, y - 41, x + 1, y - 27);
    FillDisc(Rect(x + 1, y - 29, x + 8, y - 22), skin);
}

}  // namespace

void DrawSunAnglePerson(double d, int latitude, bool showAngles) {
    const double zenith = ZenithAngle(latitude, d);
    SetPersonColours(zenith);
    FillWith(Rect(0, 0, kSide, kGround), 0);
    FillWith(Rect(0, kGround, kSide, kSide), kGroundSlot);
    if (showAngles) {
        DrawAngleIndicators(SunOffsetDegrees(d), latitude);
        if (SunBelowHorizon(zenith)) DrawBelowHorizonBox();
    }
    DrawPersonRays(zenith);
    DrawStandingPerson({kPersonX - 35, kSide - 45}, zenith);
    FramePicture();
}

// ---- the screen -------------------------------------------------------------------------

namespace {

void ShowBuffer(const ScreenRect& area) {
    BeginDrawing();
    CopyRect(&gSunAngle.buffer, nullptr, kWhole, area, false);
    EndDrawing();
}

// Above the person picture: its heading and, in a strip, who stands there and when.
void DrawPersonCaption() {
    const ScreenRect& a = kPersonArea;
    const ScreenRect strip = Rect(a.left + 40, a.top - 24, a.right - 40, a.top - 5);
    const int cx = (a.left + a.right) / 2;
    const int latitude = PersonLatitude(gSunAngle.latitudeIndex);
    char text[96];
    std::snprintf(text, sizeof text,
                  latitude < 0 ? "for a person at %d\xBAS latitude during %s"
                               : "for a person at %d\xBAN latitude during %s",
                  std::abs(latitude), kMonthNames[gSunAngle.month]);
    BeginDrawing();
    FillWith(strip, 26);
    DrawBevel(strip, -1, 25, 27);
    TextAt(cx, a.top - 40, 1, 1, "Noontime Sunshine", gUi.headingFont, 0);
    TextAt(cx, (strip.top + strip.bottom) / 2, 1, 1, text, gUi.labelFont, 0);
    EndDrawing();
}

void DrawPictures() {
    SunAngleState& s = gSunAngle;
    const int latitude = PersonLatitude(s.latitudeIndex);
    if (!s.buffer.surface) return;
    SetDrawTarget(&s.buffer);
    DrawSunAngleEarth(s.sunOffset, latitude, s.showAngles, s.frame);
    SetDrawTarget(nullptr);
    ShowBuffer(kEarthArea);
    SetDrawTarget(&s.buffer);
    DrawSunAnglePerson(s.sunOffset, latitude, s.showAngles);
    SetDrawTarget(nullptr);
    ShowBuffer(kPersonArea);
    DrawPersonCaption();
}

// Black field, yellow words: the month and the latitude read like a display.
void ShowField(const ScreenRect& area, const char* text, TextFont* font) {
    BeginDrawing();
    FillWith(area, 0);
    TextAt((area.left + area.right) / 2, (area.top + area.bottom) / 2, 1, 1, text, font, 14);
    EndDrawing();
}

void MonthStep(int step) {
    SunAngleState& s = gSunAngle;
    s.month = (((s.month + step) % 12) + 12) % 12;
    s.sunOffset = SunOffset(s.month);
    ShowField(kMonthArea, kMonthNames[s.month], gUi.largeHeadingFont);
    ProjectSunAngleEarth(s.sunOffset, s.frame);
    DrawPictures();
}

// A button at the end of its range is shown disabled; one step back enables it again.
void SetStepButton(Control* button, bool atEnd) {
    if (!button) return;
    if (atEnd && button->state != kStateInactive) {
        button->state = kStateRedrawInactive;
        DrawControl(button);
    } else if (!atEnd && button->state == kStateInactive) {
        button->state = kStateRedrawActive;
        DrawControl(button);
    }
}

void LatitudeStep(int step) {
    SunAngleState& s = gSunAngle;
    s.latitudeIndex = std::min(std::max(s.latitudeIndex + step, 0), kSunAngleLatitudeSteps);
    SetStepButton(s.southButton, s.latitudeIndex == 0);
    SetStepButton(s.northButton, s.latitudeIndex == kSunAngleLatitudeSteps);
    const int latitude = PersonLatitude(s.latitudeIndex);
    char text[16];
    if (latitude == 0) {
        ShowField(kLatitudeArea, "Equator", gUi.labelFont);
    } else {
        std::snprintf(text, sizeof text, latitude < 0 ? "%d\xBAS" : "%d\xBAN", std::abs(latitude));
        ShowField(kLatitudeArea, text, gUi.largeHeadingFont);
    }
    DrawPictures();
}

void PanelDrawn(Control*) {
    BeginDrawing();
    TextAt(380, 94, 1, 1, "Explore", gUi.largeHeadingFont, 0);
    TextAt(380, 130, 1, 1, "the Changing Sun Angle", gUi.largeHeadingFont, 0);
    TextAt(100, 160, 1, 1, "Month", gUi.labelFont, 0);
    TextAt(275, 160, 1, 1, "Latitude", gUi.labelFont, 0);
    EndDrawing();
}

void BuildControls(ScreenLoop& loop) {
    AddExplainPanel(
        loop,
        "This screen shows how the Sun's position in the sky depends on the season and latitude.",
        PanelDrawn);

    struct Button {
        int id;
        ScreenRect rect;
        const char* label;
        const char* help;
    };
    const Button buttons[] = {
        {kSunAngleReturnId, Rect(20, 84, 220, 134), "Return to@Tilt Screen",
         "Click on this to return to the Change Tilt screen."},
        {kSunAngleBackId, Rect(20, 174, 100, 196), "Back",
         "Click on this to move the time back a month."},
        {kSunAngleAheadId, Rect(100, 174, 180, 196), "Ahead",
         "Click on this to move the time ahead a month."},
        {kSunAngleNorthId, Rect(200, 174, 250, 202), "North",
         "Click on this to move the person's location northward."},
        {kSunAngleSouthId, Rect(200, 202, 250, 229), "South",
         "Click on this to move the person's location southward."},
        {kSunAngleShowAnglesId, Rect(370, 174, 480, 229), "Show/ Hide@Angles",
         "Click on this to show or hide the pie-piece indicators of angles."},
    };
    for (const Button& b : buttons) {
        const bool back = b.id == kSunAngleReturnId;
        Control* c = CreateButton(b.id, 1, kStateRedrawActive, b.rect, b.label, b.help,
                                  back ? UiSprite(kSpriteTilt) : nullptr, nullptr, kButtonColour,
                                  back ? gUi.labelFont : gUi.smallLabelFont);
        if (b.id == kSunAngleNorthId) gSunAngle.northButton = c;
        if (b.id == kSunAngleSouthId) gSunAngle.southButton = c;
        AddScreenControl(loop, c);
    }

    const struct {
        ScreenRect rect;
        const char* help;
    } areas[] = {
        {kMonthArea,
         "This is the month of the year; you can change it with the Ahead and Back buttons."},
        {kLatitudeArea,
         "This is the latitude of the person; you can change it with the North and South "
         "buttons."},
        {kEarthArea, "This diagram shows how sunlight strikes the Earth."},
        {kPersonArea, "This diagram shows how noontime sunlight strikes a standing person."},
    };
    for (const auto& a : areas) AddScreenControl(loop, CreateHotspot(2, a.rect, a.help, nullptr));
}

int Leave(ScreenLoop& loop, int result) {
    EndScreenLoop(loop);
    ReleaseBuffer(gSunAngle.buffer);
    gSunAngle.northButton = gSunAngle.southButton = nullptr;
    return result;
}

// The screen's own buttons; false for any other id.
bool OwnClick(int id) {
    switch (id) {
    case kSunAngleAheadId: MonthStep(+1); return true;
    case kSunAngleBackId: MonthStep(-1); return true;
    case kSunAngleNorthId: LatitudeStep(+1); return true;
    case kSunAngleSouthId: LatitudeStep(-1); return true;
    case kSunAngleShowAnglesId:
        gSunAngle.showAngles = !gSunAngle.showAngles;
        MonthStep(0);
        return true;
    default: return false;
    }
}

}  // namespace

int RunSunAngleScreen() {
    ScreenLoop loop;
    BeginScreenLoop(loop, kSunAngleScreenId);
    SetSkyGradient();
    BuildControls(loop);
    AppendNavBar(loop);
    // Without its picture buffer the screen cannot show anything: back to where it came from.
    if (!CreateBuffer(kWhole, 0, gSunAngle.buffer)) return Leave(loop, kChangeTiltScreenId);
    RedrawScreenLoop(loop);
    MonthStep(0);
    LatitudeStep(0);

    int result = 0;
    for (;;) {
        const ScreenEvent e = NextScreenEvent(loop);
        if (e.code == kScreenIdle) {
            PlatformWaitForMessage(kIdleWaitMs);
            continue;
        }
        if ((result = ScreenEventEnd(e)) != 0) break;
        if (e.pressed && e.pressed->id == kSunAngleReturnId) {
            result = kChangeTiltScreenId;
            break;
        }
        if (e.pressed && !OwnClick(e.pressed->id)) {
            const int next = NavBarClickResult(e.pressed->id, kSunAngleScreenId);
            if (next != kNavStay && next != kNavNotShared) {
                result = next;
                break;
            }
        }
        if (IsDisplayLost()) {
            result = -kSunAngleScreenId;
            break;
        }
    }
    return Leave(loop, result);
}
