// SPDX-License-Identifier: GPL-3.0-or-later
// The tilt and sunlight intensity screen: its controls, the two projected views, the diagram
// and the shimmering beams.
#include "explain/tilt_intensity_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "explain/explain_screen.h"
#include "graphics/palette.h"
#include "graphics/picture_draw.h"
#include "graphics/shape.h"
#include "model/model.h"
#include "platform/platform.h"
#include "navbar/navbar.h"
#include "widgets/control.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

TiltIntensityState gTiltIntensity;

void ResetTiltIntensityState() { gTiltIntensity = TiltIntensityState{}; }

namespace {

constexpr double kLargeTilt = -40;
constexpr double kViewLongitude = 50;     // degrees; the coastline turned to face the viewer
constexpr double kFootprintLongitude = 30;
constexpr double kFootprintLatitude = 35;
constexpr double kFootprintRadius = 1000000;  // metres
constexpr double kEarthDiameter = 12740000;   // metres: arc = diameter x asin(chord / 2)
constexpr int kBeamDelayMs = 50;
constexpr int kStripeWidth = 6;
constexpr double kGreyPerWatt = 0.18142857142857144;  // 254 / 1400
constexpr int kExplanationX0 = 40;

// The Earth Normal tilt exactly; any other non-zero tilt is "large".
bool IsNormalTilt(double tilt) { return tilt == EarthNormalTilt; }

// ---- the views -------------------------------------------------------------------------

// A point on the unit sphere.
void UnitVector(double latitude, double longitude, double v[3]) {
    const double q = latitude * kDegreeFactor, a = longitude * kDegreeFactor;
    v[0] = std::cos(q) * std::cos(a);
    v[1] = std::cos(q) * std::sin(a);
    v[2] = std::sin(q);
}

// Metres along the surface between two points.
double SurfaceDistance(double lat0, double lon0, double lat1, double lon1) {
    double a[3], b[3];
    UnitVector(lat0, lon0, a);
    UnitVector(lat1, lon1, b);
    const double chord =
        std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                  (a[2] - b[2]) * (a[2] - b[2]));
    return kEarthDiameter * std::asin(chord / 2);
}

// The 36 points of a 1000 km circle round (centreLatitude, 30 degrees), projected.
void ProjectFootprint(double centreLatitude, double P, double Q, int32_t* xs, int32_t* ys) {
    const double c = centreLatitude, l = kFootprintLongitude;
    const double perLatitude = SurfaceDistance(c, l, c + 1, l);
    const double perLongitude = SurfaceDistance(c, l, c, l + 1);
    for (int i = 0; i < kFootprintPoints; ++i) {
        const double turn = 10 * i * kDegreeFactor;
        const double latitude = c + kFootprintRadius * std::cos(turn) / perLatitude;
        double longitude = l + kFootprintRadius * std::sin(turn) / perLongitude;
        if (longitude > 180) longitude -= 360;
        if (longitude < -180) longitude += 360;
        const double q = latitude * kDegreeFactor, a = longitude * kDegreeFactor;
        xs[i] = int32_t(P * std::cos(a) * std::cos(q) - Q * std::sin(q) + 1000);
        ys[i] = int32_t(1000 - (Q * std::cos(a) * std::cos(q) + P * std::sin(q)));
    }
}

// ---- the diagram ------------------------------------------------------------------------

// A footprint on the screen: its points, and its top, bottom, leftmost and rightmost.
struct Footprint {
    Point points[kFootprintPoints];
    int topX = 0, topY = 0, bottomX = 0, bottomY = 0, left = 0, right = 0;
};

Footprint ScreenFootprint(const IntensityView& view, int which, double f, const ScreenRect& disc) {
    Footprint p;
    for (int i = 0; i < kFootprintPoints; ++i) {
        const int k = which * kFootprintPoints + i;
        const int x = int(view.footX[k] * f + disc.left);
        const int y = int(view.footY[k] * f + disc.top);
        MakePoint(p.points[i], x, y);
        if (i == 0 || y < p.topY) p.topX = x, p.topY = y;
        if (i == 0 || y > p.bottomY) p.bottomX = x, p.bottomY = y;
        if (i == 0 || x < p.left) p.left = x;
        if (i == 0 || x > p.right) p.right = x;
    }
    return p;
}

// A beam: the corner beside the footprint in slot 58, then 6-unit stripes from `stripesFrom`
// to the diagram's right edge in the cycled slots, stripe i in 58 + (i mod 24).
void DrawBeam(const Footprint& p, bool upperCorner, int stripesFrom, const ScreenRect& area) {
    const int middle = (p.topY + p.bottomY) / 2;
    SetClipRect(&area);
    // The corner between the two extreme points, so the beam meets the footprint's rim.
    FillWith(Rect(std::min(p.topX, p.bottomX), upperCorner ? p.topY : middle,
                  std::max(p.topX, p.bottomX), upperCorner ? middle : p.bottomY),
             kBeamFirstSlot);
    for (int i = 1, x = stripesFrom; x < area.right; ++i, x += kStripeWidth)
        FillWith(Rect(x, p.topY, x + kStripeWidth, p.bottomY),
                 kBeamFirstSlot + i % kBeamSlots);
    SetClipRect(nullptr);
}

// The three-line intensity label left of the footprint and the Sun's height beside it.
void DrawBeamTexts(const Footprint& p, int intensity, bool north) {
    char text[64];
    const int y = (p.topY + p.bottomY) / 2;
    std::snprintf(text, sizeof text, "%.0f Watts per", double(intensity));
    TextAt(p.left - 5, y - 8, 2, 1, text, gUi.smallLabelFont, 255);
    DrawTextAt(p.left - 5, y + 8, "square meter");
    DrawTextAt(p.left - 5, y + 24, "(at noon)");
    std::snprintf(text, sizeof text, "The Sun is %s at noon", SkyWord(intensity));
    if (north)
        TextAt(p.right, p.topY - 5, 0, 2, text, gUi.smallLabelFont, 255);
    else
        TextAt(p.right, p.bottomY + 5, 0, 0, text, gUi.smallLabelFont, 255);
}

// A point on the globe's rim at an angle (radians, y down).
Point RimPoint(int ex, int ey, int r, double angle) {
    Point p;
    MakePoint(p, int(ex + r * std::cos(angle)), int(ey + r * std::sin(angle)));
    return p;
}

// A latitude seen edge-on, a chord of the globe in slot 13, and its label right-aligned `gap`
// units left of the second end.
void DrawLatitudeLine(const Point& from, const Point& to, const char* label, int gap,
                      bool merge) {
    SetPenColour(13);
    Line(from.x, from.y, to.x, to.y);
    SetRasterMode(merge ? 1 : 0);
    TextAt(to.x - gap, to.y, 2, 1, label, gUi.smallLabelFont, 255);
    SetRasterMode(0);
}

// Until the next idle step the stripes show colours no other picture uses.
void HideBeamColours() {
    for (int i = 0; i < kBeamSlots; ++i) FindFreeColour(kBeamFirstSlot + i);
    ApplyPalette(kBeamFirstSlot, kBeamSlots);
}

const IntensityView& SeasonView() {
    const TiltIntensityState& s = gTiltIntensity;
    return s.season == kIntensitySummer ? s.summerView : s.winterView;
}

// ---- the screen -------------------------------------------------------------------------

void PanelDrawn(Control* panel) {
    TiltIntensityState& s = gTiltIntensity;
    const Control* noTilt = s.tiltButtons[2];
    const int x = noTilt ? (noTilt->rect.left + noTilt->rect.right) / 2 : 125;
    BeginDrawing();
    TextAt(x, panel->rect.top + 180, 1, 1, "Select Axis Tilt", gUi.labelFont, 0);
    DrawTextAt(x, panel->rect.top + 350, "Select Season");
    EndDrawing();
    s.disc = IntensityDiscRect(s.diagram);
}

// Ids 101..103 and 110, 112: the tilt or the season, when the button is not on already.
int OwnClick(int id) {
    TiltIntensityState& s = gTiltIntensity;
    if (id == kReturnToTiltId) return 2;
    Control* tilt = ChoiceWithId(s.tiltButtons, 3, id);
    Control* season = ChoiceWithId(s.seasonButtons, 2, id);
    if (!tilt && !season) return kExplainNotOwn;
    Control* pressed = tilt ? tilt : season;
    if (pressed->selected == 1) return kExplainStay;
    if (id == kIntensityNormalTiltId) s.screenTilt = EarthNormalTilt;
    if (id == kIntensityLargeTiltId) s.screenTilt = kLargeTilt;
    if (id == kIntensityNoTiltId) s.screenTilt = 0;
    if (id == kIntensityWinterId) s.season = kIntensityWinter;
    if (id == kIntensitySummerId) s.season = kIntensitySummer;

    const CoastOutline& coast = TheCoastOutline();
    ProjectIntensityView(coast, s.screenTilt, kIntensityWinter, s.winterView);
    ProjectIntensityView(coast, s.screenTilt, kIntensitySummer, s.summerView);
    if (tilt)
        SelectChoice(s.tiltButtons, 3, tilt);
    else
        SelectChoice(s.seasonButtons, 2, season);
    HideBeamColours();
    DrawIntensityDiagram();
    return kExplainStay;
}

int IdleStep() {
    CycleBeams();
    PlatformSleep(kBeamDelayMs);
    return kExplainStay;
}

void BuildControls(ScreenLoop& loop) {
    TiltIntensityState& s = gTiltIntensity;
    Control* panel = AddExplainPanel(
        loop, "This screen shows how the intensity of sunlight depends on the season and latitude.",
        PanelDrawn);
    s.tiltButtons[0] = AddExplainButton(
        loop, panel, kIntensityNormalTiltId, Rect(20, 294, 230, 324), "Earth Normal (23.5\xBA)",
        "Click on this to set Earth's axis tilt to its normal value (23.5 degrees).", true);
    s.tiltButtons[1] = AddExplainButton(loop, panel, kIntensityLargeTiltId,
                                        Rect(20, 329, 230, 359), "Increased Tilt (40\xBA)",
                                        "Click on this to set Earth's axis tilt to 40 degrees.",
                                        false);
    s.tiltButtons[2] = AddExplainButton(loop, panel, kIntensityNoTiltId, Rect(20, 259, 230, 289),
                                        "No Tilt (0\xBA)",
                                        "Click on this to set Earth's axis tilt to zero.", false);
    s.seasonButtons[0] = AddExplainButton(
        loop, panel, kIntensityWinterId, Rect(10, 429, 240, 459), "Northern Hemisphere Winter",
        "Click on this to set the season to winter in the Northern Hemisphere.", false);
    s.seasonButtons[1] = AddExplainButton(
        loop, panel, kIntensitySummerId, Rect(10, 464, 240, 494), "Northern Hemisphere Summer",
        "Click on this to set the season to summer in the Northern Hemisphere.", false);
    const Control* area = AddExplainHelpArea(
        loop, panel, Rect(250, 184, 1004, 718),
        "This diagram shows how the sunlight strikes the Earth.");
    s.diagram = area->rect;
    AddReturnToTiltButton(loop, panel, Rect(20, 564, 230, 634));
}

}  // namespace

ScreenRect IntensityDiscRect(const ScreenRect& area) {
    const int d = ((area.bottom - area.top) - 150) / 2;
    const int cx = area.left + 100 + d;
    const int cy = (area.top + area.bottom) / 2;
    return Rect(cx - d, cy - d, cx + d, cy + d);
}

void NoonIntensities(double screenTilt, int season, int& north, int& south) {
    const double k = kDegreeFactor;
    if (season == kIntensitySummer) {
        north = int(1400 * std::cos((screenTilt + 35) * k));
        south = int(1400 * std::cos((screenTilt - 35) * k));
    } else {
        north = int(1400 * std::cos((35 - screenTilt) * k));
        south = int(1400 * std::cos((-35 - screenTilt) * k));
    }
}

const char* SkyWord(int intensity) {
    static const char* const kWords[4] = {"very low in the sky", "low in the sky",
                                          "high in the sky", "nearly overhead"};
    return kWords[std::min(std::max(intensity / 400, 0), 3)];
}

const ExplanationText& IntensityExplanation(double screenTilt, int season) {
    static const ExplanationText kTexts[5] = {
        {"Earth Not Tilted:",
         "The Sun's rays strike both hemispheres of the Earth in the same",
         "way all year, so there really aren't any seasons."},
        {"Normal Tilt, Northern Hemisphere Winter:",
         "The Sun's rays strike the Northern Hemisphere at a low angle, while in the",
         "Southern Hemisphere the rays come from more overhead."},
        {"Normal Tilt, Northern Hemisphere Summer:",
         "The Sun's rays strike the Northern Hemisphere at a steep angle, while in the",
         "Southern Hemisphere the rays come from lower in the sky."},
        {"Large Tilt, Northern Hemisphere Winter:",
         "The Sun's rays strike the Northern Hemisphere at a very low angle, while in the",
         "Southern Hemisphere the rays come from nearly overhead."},
        {"Large Tilt, Northern Hemisphere Summer:",
         "The Sun's rays strike the Northern Hemisphere from nearly overhead, while",
         "in the Southern Hemisphere the rays come from much lower in the sky."},
    };
    if (screenTilt == 0) return kTexts[0];
    const int summer = season == kIntensitySummer ? 1 : 0;
    return kTexts[(IsNormalTilt(screenTilt) ? 1 : 3) + summer];
}

void ProjectIntensityView(const CoastOutline& outline, double screenTilt, int season,
                          IntensityView& view) {
    const double k = kDegreeFactor;
    const double t = screenTilt * k;
    const double P = 1000 * std::cos(t);
    const double Q = (season == kIntensitySummer ? 1000 : -1000) * std::sin(t);
    const int n = std::min(std::max(outline.count, 0), kCoastPoints);
    bool visible[kCoastPoints];
    double x[kCoastPoints], y[kCoastPoints];
    for (int i = 0; i < n; ++i) {
        const double a = (outline.longitude[i] - kViewLongitude) * k;
        const double q = outline.latitude[i] * k;
        const double ca = std::cos(a), cq = std::cos(q), sq = std::sin(q);
        visible[i] = std::sin(a) * cq >= 0;
        x[i] = P * ca * cq - Q * sq + 1000;
        y[i] = -(Q * ca * cq + P * sq) + 1000;
    }
    JoinCoastSegments(outline.code, n, visible, x, y, view.coast);
    ProjectFootprint(kFootprintLatitude, P, Q, view.footX, view.footY);
    ProjectFootprint(-kFootprintLatitude, P, Q, view.footX + kFootprintPoints,
                     view.footY + kFootprintPoints);
}

void DrawIntensityDiagram() {
    TiltIntensityState& s = gTiltIntensity;
    const double k = kDegreeFactor;
    const double t = s.screenTilt * k;
    const bool summer = s.season == kIntensitySummer;
    const IntensityView& view = SeasonView();
    const ScreenRect& area = s.diagram;
    const ScreenRect& disc = s.disc;
    const int w = disc.right - disc.left, r = w / 2;
    int ex = 0, ey = 0;
    RectCentre(disc, ex, ey);
    const double f = w * 0.0005;

    DrawExplanationBox(s.box, kExplanationX0, ScreenWorkArea().top + 70,
                       IntensityExplanation(s.screenTilt, s.season));
    BeginDrawing();
    FillWith(area, 0);

    // The axis, its north end leaning away from the Sun in winter and towards it in summer.
    const double g = summer ? 1 : -1;
    const double ax = 0.55 * w * std::sin(t) * g, ay = 0.55 * w * std::cos(t);
    SetPenColour(255);
    SetPenWidth(5, 5);
    Line(int(ex - ax), int(ey - ay), int(ex + ax), int(ey + ay));
    SetPenWidth(1, 1);

    // The globe, its right half lit by the Sun.
    SetBrushColour(1);
    FillEllipse(disc);
    SetBrushColour(9);
    FillPie(disc, 2700, 1800);

    const Footprint north = ScreenFootprint(view, 0, f, disc);
    const Footprint south = ScreenFootprint(view, 1, f, disc);
    DrawBeam(north, true, north.bottomX, area);
    DrawBeam(south, false, south.topX, area);

    int northWatts = 0, southWatts = 0;
    NoonIntensities(s.screenTilt, s.season, northWatts, southWatts);
    const int northGrey = int(northWatts * kGreyPerWatt);
    const int southGrey = int(southWatts * kGreyPerWatt);
    SetPaletteEntryNow(kNorthFootprintSlot, northGrey, northGrey, northGrey);
    SetPaletteEntryNow(kSouthFootprintSlot, southGrey, southGrey, southGrey);
    const PointRange all{0, kFootprintPoints - 1};
    SetBrushColour(kNorthFootprintSlot);
    FillPolygon(all, north.points);
    SetBrushColour(kSouthFootprintSlot);
    FillPolygon(all, south.points);

    SetPenColour(0);
    DrawCoastSegments(view.coast, f, disc.left, disc.top);

    // The equator and the two dashed 35-degree circles, seen edge-on as chords.
    const double e = summer ? -t : t;
    Point west;
    MakePoint(west, int(ex - r * std::cos(e)), int(ey - r * std::sin(e)));
    DrawLatitudeLine(RimPoint(ex, ey, r, e), west, "Equator", 5, true);
    SetPenStyle(3);
    DrawLatitudeLine(RimPoint(ex, ey, r, e + 35 * k), RimPoint(ex, ey, r, e + 145 * k),
                     "35\xBA S", 10, true);
    DrawLatitudeLine(RimPoint(ex, ey, r, e - 35 * k), RimPoint(ex, ey, r, e - 145 * k),
                     "35\xBA N", 10, false);
    SetPenStyle(0);

    DrawBeamTexts(north, northWatts, true);
    DrawBeamTexts(south, southWatts, false);
    const int y = (north.bottomY + south.topY) / 2;
    TextAt(int(ex + r + 30), y - 8, 0, 0, "The energy of each sunbeam", gUi.smallLabelFont, 255);
    DrawTextAt(int(ex + r + 30), y + 8, "increases with its thickness");
    EndDrawing();
}

void CycleBeams() {
    TiltIntensityState& s = gTiltIntensity;
    for (int i = 0; i < kBeamSlots; ++i) {
        const int v = int(192 + 60 * std::sin((s.beamPhase + i) * 0.26179916666666664));
        SetPaletteEntry(kBeamFirstSlot + i, v, v, 0);
    }
    ApplyPalette(kBeamFirstSlot, kBeamSlots);
    s.beamPhase = (s.beamPhase + 1) % kBeamSlots;
}

int RunTiltIntensityScreen() {
    TiltIntensityState& s = gTiltIntensity;
    s.screenTilt = EarthNormalTilt;
    s.season = kIntensityWinter;

    ScreenLoop loop;
    BeginScreenLoop(loop, kTiltIntensityScreenId);
    HideBeamColours();
    BuildControls(loop);
    AppendNavBar(loop);
    RedrawScreenLoop(loop);
    OwnClick(kIntensityWinterId);  // as if the winter button had been pressed

    const int result = RunExplainEvents(loop, IdleStep, OwnClick);
    EndScreenLoop(loop);
    for (Control*& c : s.tiltButtons) c = nullptr;
    for (Control*& c : s.seasonButtons) c = nullptr;
    return result;
}
