// SPDX-License-Identifier: GPL-3.0-or-later
// The latitude zones screen: its controls, the zoned globe, the zone's energy chart, the
// explanation, and the reactions to the tilt buttons and to clicks on the globe.
#include "explain/latitude_zones_screen.h"

#include <cmath>
#include <cstdio>
#include <new>

#include "graphics/display.h"
#include "graphics/palette.h"
#include "graphics/region.h"
#include "graphics/scale.h"
#include "model/model.h"
#include "platform/platform.h"
#include "navbar/navbar.h"
#include "simulation/charts.h"
#include "simulation/earth_views.h"
#include "graphics/picture_draw.h"
#include "widgets/control.h"
#include "widgets/events.h"
#include "widgets/interaction.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

LatitudeZonesState gZones;

namespace {

constexpr int kPanelColour = 23;
constexpr int kButtonColour = 16;
constexpr int kExplanationFill = 16;  // dark blue: white text reads well on it
constexpr int kBusyCursor = 2;
constexpr int kNormalCursor = 1;
constexpr int kClickableCursor = 3;
constexpr int kIdleWaitMs = 10;  // nothing animates: wait for input instead of spinning
constexpr int kChartEnergyMax = 500;  // the energy axis then runs 0..600

const char* const kShortNames[kZoneCount] = {"North Polar", "North Temperate", "Tropical",
                                             "South Temperate", "South Polar"};
const char* const kTitles[kZoneCount] = {"North Polar Zone", "North Temperate Zone",
                                         "Tropical Zone", "South Temperate Zone",
                                         "South Polar Zone"};

struct Explanation {
    const char* heading;
    const char* lines[2];
};
const Explanation kExplanations[kZoneCount] = {
    {"North Polar Zone:",
     {"This area of the Earth experiences six months of daylight, then",
      "six months of darkness.  The most solar energy is received in June."}},
    {"North Temperate Zone:",
     {"Solar energy varies through the year like a simple wave, with the",
      "most energy being received during June and July."}},
    {"Tropical Zone:",
     {"The energy curve has two peaks, because the Sun moves overhead twice during",
      "the year.  The Sun is overhead at the equinoxes (March and September)."}},
    {"South Temperate Zone:",
     {"The solar energy curve is the opposite of that in the Northern",
      "Temperate Zone; the most energy is received during December and January."}},
    {"South Polar Zone:",
     {"Like the North Polar Zone, this area of the Earth experiences six months",
      "of daylight and darkness.  December is when the most solar energy occurs."}},
};

// Zone colours when not selected: the green carries + k so no two slots are equal.
const uint8_t kZoneColours[kZoneCount][3] = {
    {0, 0, 255}, {0, 141, 140}, {0, 162, 0}, {0, 143, 140}, {0, 4, 255}};

struct TiltButton {
    int id;
    int left, top, right, bottom;  // on the screen panel
    const char* label;
    const char* help;
    double tilt;
};
const TiltButton kTiltButtons[3] = {
    {kZoneTiltSmallId, 20, 230, 140, 260, "Small (15\xBA)",
     "Click on this to make the Earth's axis tilt 15 degrees.", -15},
    {kZoneTiltNormalId, 20, 265, 140, 295, "Normal (23.5\xBA)",
     "Click on this to make the Earth's axis tilt its normal value.", EarthNormalTilt},
    {kZoneTiltLargeId, 20, 300, 140, 330, "Large (40\xBA)",
     "Click on this to make the Earth's axis tilt 40 degrees.", -40},
};

int Clamped(int zone) { return zone < 0 ? 0 : zone >= kZoneCount ? kZoneCount - 1 : zone; }

ScreenRect Square(int cx, int cy, int radius) {
    return Rect(cx - radius, cy - radius, cx + radius, cy + radius);
}

void AxisPoint(const ScreenRect& picture, double zoneTilt, double s, int& x, int& y) {
    double fx = 0, fy = 0;
    ZoneAxisPoint(picture, zoneTilt, s, fx, fy);
    x = int(std::lround(fx));
    y = int(std::lround(fy));
}

// A label that reads on every zone colour: a black outline one device pixel wide, then
// the white text on top.
void OutlinedLabel(int x, int y, int h, int v, const char* text) {
    SelectTextFont(gUi.smallLabelFont);
    SetTextAlignment(h, v);
    const int offsets[4][2] = {{1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
    SetPenColour(0);
    for (const auto& d : offsets) {
        MoveTo(x, y);
        gDraw.curX += d[0];
        gDraw.curY += d[1];
        DrawTextHere(text);
    }
    SetPenColour(255);
    DrawTextAt(x, y, text);
}

void DrawZoneLabels(const ScreenRect& picture, double zoneTilt) {
    const double polar = kZoneEarthRadius * std::cos(zoneTilt * kDegreeFactor);
    struct Place {
        double s;
        int h, v;
    };
    // Each label at the middle of its zone's stretch of the axis inside the Earth; the polar
    // ones stand outwards from the middle of their caps.
    const Place places[kZoneCount] = {
        {-(polar + kZoneEarthRadius) / 2, 2, 2},
        {(ZoneEdge(1, zoneTilt) + ZoneEdge(2, zoneTilt)) / 2, 1, 1},
        {0, 1, 1},
        {(ZoneEdge(3, zoneTilt) + ZoneEdge(4, zoneTilt)) / 2, 1, 1},
        {(polar + kZoneEarthRadius) / 2, 0, 0},
    };
    for (int k = 0; k < kZoneCount; ++k) {
        int x = 0, y = 0;
        AxisPoint(picture, zoneTilt, places[k].s, x, y);
        OutlinedLabel(x, y, places[k].h, places[k].v, kShortNames[k]);
    }
}

void DrawZoneCoastline(const ScreenRect& picture) {
    if (!gZones.coastSegments) return;
    int cx = 0, cy = 0;
    RectCentre(picture, cx, cy);
    // The projection spans 2000 units across the Earth's disc.
    const double f = 2 * kZoneEarthRadius * 0.0005;
    const int ox = cx - kZoneEarthRadius, oy = cy - kZoneEarthRadius;
    const GlobeSegments& g = *gZones.coastSegments;
    SetPenColour(0);
    for (int i = 0; i < g.count && i < kCoastPoints; ++i)
        Line(ox + int(g.x0[i] * f), oy + int(g.y0[i] * f), ox + int(g.x1[i] * f),
             oy + int(g.y1[i] * f));
}

// The texts and the hint box painted on the screen panel after it is drawn.
void PanelDrawn(Control* panel) {
    if (!gZones.globePicture || !gZones.chartPicture) return;
    BeginDrawing();
    const TiltButton& first = kTiltButtons[0];
    const int top = panel->rect.top + first.top;
    const int buttonX = panel->rect.left + (first.left + first.right) / 2;
    TextAt(buttonX, top - 40, 1, 1, "Select", gUi.labelFont, 0);
    TextAt(buttonX, top - 20, 1, 1, "Axis Tilt", gUi.labelFont, 0);

    const ScreenRect& chart = gZones.chartPicture->rect;
    const int chartX = (chart.left + chart.right) / 2;
    TextAt(chartX, chart.top - 35, 1, 1, "Energy from the Sun", gUi.labelFont, 0);
    TextAt(chartX, chart.top - 15, 1, 1, "(in Watts per square meter)", gUi.smallLabelFont, 0);

    const ScreenRect& globe = gZones.globePicture->rect;
    const ScreenRect hint = Rect(globe.left, globe.top - 25, globe.right, globe.top);
    FillWith(hint, 14);
    TextAt((hint.left + hint.right) / 2, (hint.top + hint.bottom) / 2, 1, 1,
           "Click on globe to select zone", gUi.smallLabelFont, 0);
    EndDrawing();
}

// ---- building ----------------------------------------------------------------------------

void BuildControls(ScreenLoop& loop) {
    Control* panel = CreatePanel(
        0, ScreenWorkArea(),
        "This screen shows how the seasonal changes in solar energy depend on latitude.",
        UiSprite(kSpritePanelMark), kPanelColour);
    panel->drawCallback = PanelDrawn;
    gZones.panel = panel;
    AddScreenControl(loop, panel);

    gZones.globePicture = CreateHotspot(
        1, Rect(150, 200, 500, 550), "This shows important latitudes and zones on the Earth.",
        panel);
    AddScreenControl(loop, gZones.globePicture);
    gZones.chartPicture = CreateHotspot(
        1, Rect(540, 200, 970, 550),
        "This is a chart of how the solar energy varies throughout the year.", panel);
    AddScreenControl(loop, gZones.chartPicture);

    for (int i = 0; i < 3; ++i) {
        const TiltButton& t = kTiltButtons[i];
        gZones.tiltButtons[i] = CreateButton(t.id, 1, kStateRedrawActive,
                                             Rect(t.left, t.top, t.right, t.bottom), t.label,
                                             t.help, nullptr, panel, kButtonColour,
                                             gUi.smallLabelFont);
        AddScreenControl(loop, gZones.tiltButtons[i]);
    }
    gZones.returnButton = CreateButton(
        kZoneReturnId, 1, kStateRedrawActive, Rect(20, 560, 240, 630),
        "Return to@Latitude Screen", "Click on this to return to the Select Latitude screen.",
        UiSprite(kSpriteLatitudes), panel, kButtonColour, gUi.labelFont);
    AddScreenControl(loop, gZones.returnButton);
}

void ForgetControls() {
    gZones.panel = gZones.globePicture = gZones.chartPicture = gZones.returnButton = nullptr;
    for (Control*& b : gZones.tiltButtons) b = nullptr;
}

int Leave(ScreenLoop& loop, int result) {
    EndScreenLoop(loop);
    ForgetControls();
    ReleaseLatitudeZonesResources();
    gZones.hoverZone = -1;
    SetCursorShape(kNormalCursor);
    return result;
}

// ---- reactions ---------------------------------------------------------------------------

void ShowChart() {
    BeginDrawing();
    DrawZoneChart(gZones.chartPicture->rect, gZones.selectedZone, gZones.zoneTilt);
    EndDrawing();
}

void ShowExplanation() {
    BeginDrawing();
    DrawZoneExplanation(gZones.selectedZone, gZones.styleCounter);
    EndDrawing();
    gZones.styleCounter = NextTextBlockStyle(gZones.styleCounter);
}

// A tilt button: selects it in the group and redraws the globe and the chart for its tilt.
// A button already selected changes nothing. False when the globe's regions could not be
// made.
bool SelectTilt(int index) {
    Control* chosen = gZones.tiltButtons[index];
    if (chosen->selected) return true;
    for (Control* b : gZones.tiltButtons) {
        b->selected = b == chosen ? 1 : 0;
        b->state = kStateRedrawActive;
        DrawControl(b);
    }
    gZones.zoneTilt = kTiltButtons[index].tilt;
    ProjectZoneCoastline(TheCoastOutline(), gZones.zoneTilt, *gZones.coastPoints,
                         *gZones.coastSegments);
    const ScreenRect& globe = gZones.globePicture->rect;
    const bool built = BuildZoneRegions(globe, gZones.zoneTilt);
    BeginDrawing();
    DrawZoneGlobe(globe, gZones.zoneTilt);
    EndDrawing();
    ShowChart();
    return built;
}

void SelectZone(int zone) {
    gZones.selectedZone = zone;
    SetZoneColours(zone);
    ShowExplanation();
    ShowChart();
}

// Over the globe the HelpLine names the zone under the pointer and the pointer shows that it
// can be clicked; elsewhere the usual hover help applies.
void TrackZoneHover(const ScreenEvent& e, int x, int y) {
    const int zone = ZoneAt(x, y);
    if (zone == gZones.hoverZone) return;
    gZones.hoverZone = zone;
    if (zone >= 0) {
        char text[kLabelSize];
        std::snprintf(text, sizeof text,
                      "Click here to see the solar energy chart for the %s zone.",
                      kShortNames[zone]);
        SetHelpLineText(HelpLine(), text);
        SetCursorShape(kClickableCursor);
    } else if (e.hit == gZones.globePicture) {
        // Off the disc but still on the picture: its own help again.
        SetHelpLineText(HelpLine(), gZones.globePicture->help);
        SetCursorShape(kNormalCursor);
    }
}

int TiltIndex(int id) {
    for (int i = 0; i < 3; ++i)
        if (kTiltButtons[i].id == id) return i;
    return -1;
}

}  // namespace

// ---- state -------------------------------------------------------------------------------

void ReleaseLatitudeZonesResources() {
    FreeZoneRegions();
    delete gZones.coastPoints;
    delete gZones.coastSegments;
    gZones.coastPoints = nullptr;
    gZones.coastSegments = nullptr;
    ReleaseTextBlockFonts(gZones.fonts);
}

void ResetLatitudeZonesState() {
    ReleaseLatitudeZonesResources();
    gZones = LatitudeZonesState{};
    gZones.zoneTilt = EarthNormalTilt;
    gZones.selectedZone = kZoneNorthTemperate;
    gZones.styleCounter = 1;
    gZones.hoverZone = -1;
}

const char* ZoneShortName(int zone) { return kShortNames[Clamped(zone)]; }
const char* ZoneTitle(int zone) { return kTitles[Clamped(zone)]; }

// ---- curves ------------------------------------------------------------------------------

ZoneCurveTable ZoneCurvesForTilt(double zoneTilt) {
    if (zoneTilt == -15) return {200, 90, 210, 20, 310};
    if (zoneTilt == -40) return {580, 210, 230, 50, 280};
    return {330, 130, 230, 25, 300};
}

double ZoneCurveValue(int zone, int day, double zoneTilt) {
    const ZoneCurveTable t = ZoneCurvesForTilt(zoneTilt);
    const double c = std::cos(day * kDegreeFactor);
    switch (zone) {
    case kZoneNorthPolar: return std::fmax(0.0, -t.polarAmplitude * c);
    case kZoneNorthTemperate: return t.temperateMean - t.temperateAmplitude * c;
    case kZoneTropical:  // the Sun passes overhead twice a year: two peaks
        return t.tropicalMean - t.tropicalAmplitude * std::cos(day * 0.0349066);
    case kZoneSouthTemperate: return t.temperateMean + t.temperateAmplitude * c;
    default: return std::fmax(0.0, t.polarAmplitude * c);
    }
}

// ---- globe geometry ----------------------------------------------------------------------

double ZoneEdge(int k, double zoneTilt) {
    const double t = zoneTilt * kDegreeFactor;
    const double polar = kZoneEarthRadius * std::cos(t);   // the polar circles
    const double tropic = kZoneEarthRadius * std::sin(t);  // the tropics
    switch (k) {
    case 0: return -kZoneGlobeRadius;
    case 1: return -polar;
    case 2: return tropic;
    case 3: return -tropic;
    case 4: return polar;
    default: return kZoneGlobeRadius;
    }
}

void ZoneAxisPoint(const ScreenRect& picture, double zoneTilt, double s, double& x, double& y) {
    int cx = 0, cy = 0;
    RectCentre(picture, cx, cy);
    const double t = zoneTilt * kDegreeFactor;
    x = cx - s * std::sin(t);
    y = cy + s * std::cos(t);
}

void ProjectZoneCoastline(const CoastOutline& coast, double zoneTilt, ZoneCoastPoints& points,
                          GlobeSegments& segments) {
    const double t = zoneTilt * kDegreeFactor;
    const double ct = std::cos(t), st = std::sin(t);
    const int n = coast.count < 0 ? 0 : coast.count > kCoastPoints ? kCoastPoints : coast.count;
    points.count = n;
    for (int i = 0; i < n; ++i) {
        const double lat = coast.latitude[i] * kDegreeFactor;
        const double lon = coast.longitude[i] * kDegreeFactor;
        const double X = 1000 * std::cos(lat) * std::cos(lon);
        const double Y = -1000 * std::sin(lat);
        points.visible[i] = std::sin(lon) >= 0 ? 1 : 0;
        points.x[i] = int32_t(ct * X - st * Y + 1000);
        points.y[i] = int32_t(ct * Y + st * X + 1000);
        points.code[i] = coast.code[i];
    }
    segments.count = 0;
    for (int i = 0; i + 1 < n; ++i) {
        if (!points.visible[i] || !points.visible[i + 1] || points.code[i + 1] >= kCoastNewLine)
            continue;
        const int k = segments.count++;
        segments.x0[k] = points.x[i];
        segments.y0[k] = points.y[i];
        segments.x1[k] = points.x[i + 1];
        segments.y1[k] = points.y[i + 1];
    }
}

void FreeZoneRegions() {
    for (Region*& r : gZones.zoneRegions) {
        DeleteRegion(r);
        r = nullptr;
    }
    DeleteRegion(gZones.globeRegion);
    gZones.globeRegion = nullptr;
}

bool BuildZoneRegions(const ScreenRect& picture, double zoneTilt) {
    FreeZoneRegions();
    int cx = 0, cy = 0;
    RectCentre(picture, cx, cy);
    gZones.globeRegion = EllipseRegion(Square(cx, cy, kZoneGlobeRadius));
    if (!gZones.globeRegion) return false;
    const double t = zoneTilt * kDegreeFactor;
    // Across the axis, half a globe's width either way.
    const double px = kZoneGlobeRadius * std::cos(t), py = kZoneGlobeRadius * std::sin(t);
    bool all = true;
    for (int k = 0; k < kZoneCount; ++k) {
        double ax = 0, ay = 0, bx = 0, by = 0;
        ZoneAxisPoint(picture, zoneTilt, ZoneEdge(k, zoneTilt), ax, ay);
        ZoneAxisPoint(picture, zoneTilt, ZoneEdge(k + 1, zoneTilt), bx, by);
        Point quad[4];
        MakePoint(quad[0], int(std::lround(ax + px)), int(std::lround(ay + py)));
        MakePoint(quad[1], int(std::lround(bx + px)), int(std::lround(by + py)));
        MakePoint(quad[2], int(std::lround(bx - px)), int(std::lround(by - py)));
        MakePoint(quad[3], int(std::lround(ax - px)), int(std::lround(ay - py)));
        Region* band = PolygonRegion(4, quad);
        gZones.zoneRegions[k] = IntersectRegions(band, gZones.globeRegion);
        DeleteRegion(band);
        all = all && gZones.zoneRegions[k];
    }
    return all;
}

int ZoneAt(int x, int y) {
    Point p;
    MakePoint(p, x, y);
    if (!PointInRegion(p, gZones.globeRegion, 0, 0)) return -1;
    for (int k = 0; k < kZoneCount; ++k)
        if (PointInRegion(p, gZones.zoneRegions[k], 0, 0)) return k;
    return -1;
}

void SetZoneColours(int selectedZone) {
    for (int k = 0; k < kZoneCount; ++k) FindFreeColour(kZoneSlotFirst + k);
    for (int k = 0; k < kZoneCount; ++k) {
        const uint8_t* c = kZoneColours[k];
        if (k == selectedZone)
            SetPaletteEntry(kZoneSlotFirst + k, 255, 255, 0);
        else
            SetPaletteEntry(kZoneSlotFirst + k, c[0], c[1], c[2]);
    }
    ApplyPalette(kZoneSlotFirst, kZoneCount);
}

// ---- pictures ----------------------------------------------------------------------------

void DrawZoneGlobe(const ScreenRect& picture, double zoneTilt) {
    FillWith(picture, 0);
    DrawBevel(picture, 0, 255, 255);

    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    AxisPoint(picture, zoneTilt, -kZoneGlobeRadius, x0, y0);
    AxisPoint(picture, zoneTilt, kZoneGlobeRadius, x1, y1);
    SetPenColour(255);
    SetPenWidth(7, 7);
    Line(x0, y0, x1, y1);
    SetPenWidth(1, 1);

    // Inside the Earth the zones cover the axis, which shows only beyond the poles.
    int cx = 0, cy = 0;
    RectCentre(picture, cx, cy);
    Region* earth = EllipseRegion(Square(cx, cy, kZoneEarthRadius));
    SetClipRegion(earth);
    SetZoneColours(gZones.selectedZone);
    for (int k = 0; k < kZoneCount; ++k) {
        SetBrushColour(kZoneSlotFirst + k);
        FillRegion(gZones.zoneRegions[k]);
    }
    DrawZoneCoastline(picture);
    SetClipRegion(nullptr);
    DeleteRegion(earth);

    DrawZoneLabels(picture, zoneTilt);
}

void DrawZoneChart(const ScreenRect& chart, int zone, double zoneTilt) {
    zone = Clamped(zone);
    DrawEnergyAxes(chart, kChartEnergyMax);

    // The thick curve stays inside the chart, so no trace of it is left beside the chart
    // when another zone's curve replaces it.
    SetClipRect(&chart);
    SetPenColour(10);
    SetPenWidth(7, 7);
    const double scale = ChartScale(), offset = ChartOffset();
    const int width = chart.right - chart.left;
    for (int d = 0; d <= 360; ++d) {
        const int x = int(width * d * 0.002777777777777778 + chart.left + 0.5);
        const int y = int(ZoneCurveValue(zone, d, zoneTilt) * scale + offset);
        if (d == 0)
            MoveTo(x, y);
        else
            LineTo(x, y);
    }
    SetPenWidth(1, 1);
    SetClipRect(nullptr);
    // The title goes on last: the tallest curves (580 at the large tilt) pass through it.
    TextAt((chart.left + chart.right) / 2, chart.top + 20, 1, 1, kTitles[zone], gUi.labelFont, 0);
}

void DrawZoneExplanation(int zone, int style) {
    const Explanation& e = kExplanations[Clamped(zone)];
    const ScreenRect& area = ScreenWorkArea();
    const int top = area.top + 70;
    const ScreenRect card = Rect(40, top, 40 + 512, top + TextBlockHeight(gZones.fonts, 2));
    DrawTextBlock(card, 255, kExplanationFill, style, gZones.fonts, e.heading, e.lines, 2);
}

// ---- the screen --------------------------------------------------------------------------

int RunLatitudeZonesScreen() {
    ScreenLoop loop;
    BeginScreenLoop(loop, kLatitudeZonesScreenId);
    SetCursorShape(kBusyCursor);
    BuildControls(loop);
    AppendNavBar(loop);
    LoadViewPalette();
    gZones.zoneTilt = EarthNormalTilt;
    gZones.selectedZone = kZoneNorthTemperate;
    gZones.hoverZone = -1;
    if (gZones.styleCounter < 1 || gZones.styleCounter > kTextBlockStyles)
        gZones.styleCounter = 1;

    ReleaseLatitudeZonesResources();
    gZones.coastPoints = new (std::nothrow) ZoneCoastPoints{};
    gZones.coastSegments = new (std::nothrow) GlobeSegments{};
    if (!gZones.coastPoints || !gZones.coastSegments) return Leave(loop, 2000);
    ProjectZoneCoastline(TheCoastOutline(), gZones.zoneTilt, *gZones.coastPoints,
                         *gZones.coastSegments);
    CreateTextBlockFonts(gZones.fonts);  // without them the card is shown empty

    RedrawScreenLoop(loop);
    if (!SelectTilt(TiltIndex(kZoneTiltNormalId))) return Leave(loop, 2000);
    ShowExplanation();
    SetCursorShape(kNormalCursor);

    int result = 0;
    for (;;) {
        const ScreenEvent e = NextScreenEvent(loop);
        if (e.code == kScreenIdle) {
            PlatformWaitForMessage(kIdleWaitMs);
            continue;
        }
        if ((result = ScreenEventEnd(e)) != 0) break;
        if (e.code == kEventMouseMove || e.code == kEventLeftDown) {
            int dx = 0, dy = 0;
            PointerPosition(e.message, dx, dy);
            const int x = ToLogicalX(dx), y = ToLogicalY(dy);
            if (e.code == kEventMouseMove) TrackZoneHover(e, x, y);
            const int zone = ZoneAt(x, y);
            if (e.code == kEventLeftDown && e.hit == gZones.globePicture && zone >= 0)
                SelectZone(zone);
        }
        if (e.pressed) {
            const int id = e.pressed->id;
            const int tilt = TiltIndex(id);
            if (tilt >= 0) {
                if (!SelectTilt(tilt)) {
                    result = 2000;
                    break;
                }
            } else if (id == kZoneReturnId) {
                result = 8;
                break;
            } else {
                const int next = NavBarClickResult(id, kLatitudeZonesScreenId);
                if (next != kNavStay && next != kNavNotShared) {
                    result = next;
                    break;
                }
            }
        }
        if (IsDisplayLost()) {
            result = -kLatitudeZonesScreenId;
            break;
        }
    }
    return Leave(loop, result);
}
