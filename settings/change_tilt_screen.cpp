// SPDX-License-Identifier: GPL-3.0-or-later
// The Change Tilt screen: its controls, the tilt diagram (arc, ticks, axis, scale), the turning
// globe composed off-screen from projected coastline segments, and the reactions to the pointer.
#include "settings/change_tilt_screen.h"

#include <algorithm>
#include <cmath>

#include "config/config.h"
#include "graphics/copy.h"
#include "graphics/display.h"
#include "graphics/line.h"
#include "graphics/present.h"
#include "graphics/region.h"
#include "graphics/scale.h"
#include "graphics/shape.h"
#include "graphics/text.h"
#include "model/model.h"
#include "settings/settings_common.h"
#include "navbar/navbar.h"
#include "widgets/control.h"
#include "widgets/events.h"
#include "widgets/interaction.h"
#include "widgets/keyboard.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

ChangeTiltState gChangeTilt;

namespace {

constexpr int kEarthNormalButton = 102;
constexpr int kSunlightButton = 105;
constexpr int kDayLengthButton = 106;
constexpr int kSunAngleButton = 107;

constexpr int kDiscRadius = 130;
constexpr int kArcInner = 133;
constexpr int kRingRadius = 165;
constexpr int kArcBelowCentre = 8;  // the half-ring reaches this far below the centre line
constexpr int kAxisInner = 130, kAxisOuter = 151;
constexpr int kScaleRadius = 168;

constexpr int kArcSlot = 19, kArcHighlightSlot = 21, kAxisSlot = 14;
constexpr int kNightSlot = 1, kDaySlot = 3;
constexpr double kFrameTurn = 0.065449875;  // 3.75 degrees a frame

const ScreenRect kDiagramRect = MakeScreenRect(268, 124, 668, 544);
const ScreenRect kTiltTextRect = MakeScreenRect(393, 599, 543, 647);
const ScreenRect kGlobeRect = MakeScreenRect(0, 0, kGlobeSize, kGlobeSize);
const char* const kArcHelp = "Click here to change the Earth's axis tilt.";

void DeleteRegionRef(Region*& r) {
    DeleteRegion(r);
    r = nullptr;
}

Region* Disc(int cx, int cy, int radius) {
    return EllipseRegion(MakeScreenRect(cx - radius, cy - radius, cx + radius, cy + radius));
}

// The two stubs of the axis at screen angle a, between the globe's edge and the ring's middle.
void DrawAxisStubs(double a) {
    const ChangeTiltState& st = gChangeTilt;
    const double c = std::cos(a), s = std::sin(a);
    for (int sign : {1, -1}) {
        MoveTo(int(st.cx + sign * kAxisInner * c + 0.5), int(st.cy - sign * kAxisInner * s + 0.5));
        LineTo(int(st.cx + sign * kAxisOuter * c + 0.5), int(st.cy - sign * kAxisOuter * s + 0.5));
    }
}

void DrawText(int x, int y, int hAlign, int vAlign, const char* text) {
    SetTextAlignment(hAlign, vAlign);
    DrawTextAt(x, y, text);
}

// The scale round the arc reads the tilt as the pupil sees it: negative on the Sun's side.
void DrawScaleLabels() {
    const int cx = gChangeTilt.cx, cy = gChangeTilt.cy;
    SelectTextFont(gUi.smallLabelFont);
    SetPenColour(255);
    DrawText(cx, cy - kScaleRadius, 1, 2, "0");
    DrawText(cx + kScaleRadius, cy, 0, 1, "-90");
    DrawText(int(cx + 145.488), cy - 84, 0, 2, "-60");
    DrawText(cx + 84, int(cy - 145.488), 0, 2, "-30");
    DrawText(cx - 84, int(cy - 145.488), 2, 2, "30");
    DrawText(int(cx - 145.488), cy - 84, 2, 2, "60");
    DrawText(cx - kScaleRadius, cy, 2, 1, "90");
    SetPenColour(3);
    DrawText(int(cx - 67.2 - 12), int(cy - 154.056 - 18), 2, 1, "Earth Normal");
    MoveTo(int(cx - 67.2), int(cy - 154.056));
    LineBy(-8, -18);
}

// The help area's paint: the whole diagram, once per visit.
void PaintTiltDiagram(Control* c) {
    ChangeTiltState& st = gChangeTilt;
    if (!st.firstPaint) return;
    st.firstPaint = false;
    const ScreenRect& r = c->rect;
    BeginDrawing();
    SetBrushColour(0);
    FillScreenRect(r);
    LayOutTiltDiagram(r);
    DrawTiltArc(0);

    SelectTextFont(gUi.labelFont);
    SetPenColour(14);
    DrawText(st.cx, r.top + 5, 1, 0, "Click anywhere on the blue curve");
    DrawText(st.cx, r.top + 25, 1, 0, "to change the axis tilt.");
    SetPenWidth(1, 1);
    MoveTo(r.right - 60, r.top + 50);
    LineBy(35, 35);
    LineBy(-50, 50);
    LineBy(0, -10);
    LineBy(0, 10);
    LineBy(10, 0);
    DrawScaleLabels();
    EndDrawing();
}

void PaintTiltPanel(Control*) {
    const PanelLine titles[2] = {{468, kDiagramRect.top - 5, "Axis Tilt Diagram"},
                                 {468, kTiltTextRect.top - 5, "Current Axis Tilt Setting"}};
    DrawPanelLines(gUi.headingFont, 1, 2, titles, 2);
    const PanelLine unit{kTiltTextRect.right + 10, (kTiltTextRect.top + kTiltTextRect.bottom) / 2,
                         "degrees"};
    DrawPanelLines(gUi.smallLabelFont, 0, 1, &unit, 1);
}

void PaintLinksPanel(Control* c) {
    const char* const texts[5] = {"Seasons on Earth are caused by",
                                  "the fact that the Earth's axis", "of rotation is tilted.  This",
                                  "causes the amount of sunlight", "to change during the year."};
    PanelLine lines[5];
    for (int i = 0; i < 5; ++i)
        lines[i] = PanelLine{c->rect.left + 20, c->rect.top + 60 + 25 * i, texts[i]};
    DrawPanelLines(gUi.labelFont, 0, 2, lines, 5);
}

void BuildControls(ScreenLoop& loop) {
    ChangeTiltState& st = gChangeTilt;
    const Sprite* question = UiSprite(kSpriteQuestion);
    char tilt[16];
    FormatShownTilt(Settings().axisTilt, tilt, sizeof tilt);

    AddSettingsPanel(loop, MakeScreenRect(0, 64, 688, 738),
                     "Make changes to the Earth's axis tilt in this panel.", PaintTiltPanel);
    AddWatchSeasonsButton(loop, nullptr);
    Control* diagram = CreateHotspot(1, kDiagramRect,
                                     "This is what the Earth looks like on December 21.", nullptr);
    diagram->drawCallback = PaintTiltDiagram;
    AddScreenControl(loop, diagram);
    st.tiltText = CreateTextBar(1, kTiltTextRect, "This is the current setting of the axis tilt.",
                                nullptr, gUi.titleFont, 26, 0, tilt);
    AddScreenControl(loop, st.tiltText);
    AddScreenControl(loop, CreateButton(kEarthNormalButton, 1, kStateRedrawActive,
                                        MakeScreenRect(318, 664, 618, 704),
                                        "Set Tilt to Earth Normal",
                                        "Click on this button to set the axis tilt to the Earth "
                                        "Normal value.",
                                        UiSprite(kSpriteEarthNormal), nullptr,
                                        kSettingsButtonColour, gUi.labelFont));

    AddSettingsPanel(loop, MakeScreenRect(688, 64, 1024, 578),
                     "You can see more about of axis tilt by clicking on the buttons.",
                     PaintLinksPanel);
    struct Link {
        int id, top;
        const char *label, *help;
    };
    const Link links[3] = {
        {kSunlightButton, 264, "How does axis tilt@affect@sunlight intensity?",
         "Click on this to see how axis tilt affects the angle of sunlight."},
        {kSunAngleButton, 364, "How does axis tilt@affect@sun angle?",
         "Click on this to see how axis tilt affects the intensity of sunlight."},
        {kDayLengthButton, 464, "How does axis tilt@affect@day length?",
         "Click on this to see how axis tilt affects the length of daylight."},
    };
    for (const Link& l : links)
        AddScreenControl(loop, CreateButton(l.id, 1, kStateRedrawActive,
                                            MakeScreenRect(738, l.top, 988, l.top + 85), l.label,
                                            l.help, question, nullptr, kSettingsButtonColour,
                                            gUi.labelFont));
    AddSettingsTablePanels(loop);
}

// The new tilt in the large figures and in the table.
void ShowTilt() {
    char text[16];
    FormatShownTilt(Settings().axisTilt, text, sizeof text);
    SetHelpLineText(gChangeTilt.tiltText, text);
    SetSettingsTableText(3, 2, text);
}

void SetTilt(double tilt, int highlight) {
    Settings().axisTilt = tilt;
    DrawTiltArc(highlight);
    ShowTilt();
    ComputeGlobeFrames();
}

bool PointerOnArc(int x, int y) {
    Point p;
    MakePoint(p, ToLogicalX(x), ToLogicalY(y));
    return PointInRegion(p, gChangeTilt.tiltArc, 0, 0);
}

// The pointer is on the arc: it shows highlighted and clickable, and no control is hovered.
void EnterArc(ScreenLoop& loop) {
    ChangeTiltState& st = gChangeTilt;
    loop.previous = nullptr;
    if (st.hoverOnArc) return;
    st.hoverOnArc = true;
    SetCursorShape(3);
    SetHelpLineText(HelpLine(), kArcHelp);
}

void PointerMoved(ScreenLoop& loop, const ScreenEvent& e) {
    ChangeTiltState& st = gChangeTilt;
    int x = 0, y = 0;
    PointerPosition(e.message, x, y);
    if (PointerOnArc(x, y)) {
        if (!st.hoverOnArc) DrawTiltArc(1);
        EnterArc(loop);
        return;
    }
    // Leaving the arc lands on the diagram's help area, which surrounds it.
    if (HoverScreenControl(loop, e.hit) && st.hoverOnArc) {
        DrawTiltArc(0);
        SetCursorShape(1);
        st.hoverOnArc = false;
    }
}

// The screen's own buttons: a ScreenId to leave with, kNavStay, or kNavNotShared.
int OwnClick(int id) {
    switch (id) {
    case kSunlightButton: return 3;
    case kDayLengthButton: return 4;
    case kSunAngleButton: return 13;
    case kEarthNormalButton: SetTilt(EarthNormalTilt, 0); return kNavStay;
    default: return kNavNotShared;
    }
}

// A press on a control: its button acts, and a press on the arc (whatever control lies there)
// sets the tilt. Returns the ScreenId to leave with, or kNavStay.
int Pressed(ScreenLoop& loop, const ScreenEvent& e) {
    if (!e.hit) return kNavStay;
    Control* button = e.pressed;
    if (!button && e.hit->kind == kRoundButton) {
        PressFeedback(e.hit);
        button = e.hit;
    }
    if (button) {
        int next = OwnClick(button->id);
        if (next == kNavNotShared) next = NavBarClickResult(button->id, kChangeTiltScreenId);
        if (next != kNavStay && next != kNavNotShared) return next;
    }
    int x = 0, y = 0;
    PointerPosition(e.message, x, y);
    if (PointerOnArc(x, y)) {
        SetTilt(TiltFromPoint(x, y), 1);
        // The arc stays highlighted under the pointer, so it stays hovered too: the next move
        // off it takes the highlight away.
        EnterArc(loop);
    }
    return kNavStay;
}

int Leave(ScreenLoop& loop, int result) {
    ChangeTiltState& st = gChangeTilt;
    if (Control* own = gNavBar.changeTiltButton) {
        if (result == 2000)
            own->selected = 0;  // the window is going away: nothing may be drawn any more
        else if (own->selected)
            ToggleControl(own);
    }
    EndScreenLoop(loop);
    ReleaseBuffer(st.globe);
    FreeTiltDiagram();
    st.tiltText = nullptr;
    st.hoverOnArc = false;
    gSettingsCommon.table = nullptr;
    return result;
}

}  // namespace

void ResetChangeTiltState() {
    FreeTiltDiagram();
    ChangeTiltState& st = gChangeTilt;
    ReleaseBuffer(st.globe);
    st.lastAxisAngle = kNoAxisDrawn;
    for (GlobeFrame& f : st.frames) f.count = 0;
    st.frameCounter = 0;
    st.cx = st.cy = 0;
    st.firstPaint = st.hoverOnArc = false;
    st.tiltText = nullptr;
}

void LayOutTiltDiagram(const ScreenRect& r) {
    ChangeTiltState& st = gChangeTilt;
    FreeTiltDiagram();
    st.cx = (r.left + r.right) / 2;
    st.cy = (r.top + r.bottom) / 2 + 40;
    const int cx = st.cx, cy = st.cy;
    st.earthDisc = Disc(cx, cy, kDiscRadius);
    Region* ring = Disc(cx, cy, kRingRadius);
    Region* inner = Disc(cx, cy, kArcInner);
    Region* band = SubtractRegions(ring, inner);
    Region* upper = RectRegion(MakeScreenRect(cx - kRingRadius, cy - kRingRadius, cx + kRingRadius,
                                              cy + kArcBelowCentre));
    st.axisRing = SubtractRegions(ring, st.earthDisc);
    st.tiltArc = IntersectRegions(band, upper);
    st.arcRest = SubtractRegions(st.axisRing, st.tiltArc);
    DeleteRegion(ring);
    DeleteRegion(inner);
    DeleteRegion(band);
    DeleteRegion(upper);
}

void FreeTiltDiagram() {
    ChangeTiltState& st = gChangeTilt;
    DeleteRegionRef(st.earthDisc);
    DeleteRegionRef(st.axisRing);
    DeleteRegionRef(st.tiltArc);
    DeleteRegionRef(st.arcRest);
}

double TiltFromPoint(int x, int y) {
    const ChangeTiltState& st = gChangeTilt;
    const int dx = ToLogicalX(x) - st.cx;
    const int dy = std::max(st.cy - ToLogicalY(y), 0);  // below the centre line counts as level
    const double d = std::atan2(double(dy), double(dx)) / kDegreeFactor;
    const double t = 180 - (d + 90);
    return t >= 0 ? std::trunc(t + 0.5) : std::trunc(t - 0.5);
}

void DrawTiltArc(int highlight) {
    ChangeTiltState& st = gChangeTilt;
    if (!st.axisRing || !st.tiltArc) return;  // no diagram laid out: an unclipped axis would stray
    BeginDrawing();
    if (st.lastAxisAngle != kNoAxisDrawn) {
        SetClipRegion(st.axisRing);
        SetPenWidth(9, 9);
        SetPenColour(0);
        DrawAxisStubs(st.lastAxisAngle);
    }
    SetPenColour(highlight == 1 ? kArcHighlightSlot : kArcSlot);
    FillRegionPattern(st.tiltArc);

    SetPenColour(0);
    SetPenWidth(1, 1);
    SetClipRegion(st.tiltArc);
    for (int p = -90; p <= 90; p += 5) {
        const double a = p * kDegreeFactor;
        MoveTo(st.cx, st.cy);
        LineTo(int(st.cx + 260 * std::sin(a)), int(st.cy - 260 * std::cos(a)));
    }
    SetClipRegion(nullptr);
    SetBrushColour(0);
    FillRegion(st.arcRest);

    // A yellow axis with a black rim.
    const double a = (90 - Settings().axisTilt) * kDegreeFactor;
    SetClipRegion(st.axisRing);
    SetPenWidth(9, 9);
    SetPenColour(0);
    DrawAxisStubs(a);
    SetPenWidth(7, 7);
    SetPenColour(kAxisSlot);
    DrawAxisStubs(a);
    SetClipRegion(nullptr);
    SetPenWidth(1, 1);
    st.lastAxisAngle = a;
    EndDrawing();
}

void ComputeGlobeFrames() {
    ChangeTiltState& st = gChangeTilt;
    const CoastOutline& coast = TheCoastOutline();
    const int n = std::clamp(int(coast.count), 0, kCoastPoints);
    const double t = Settings().axisTilt * kDegreeFactor;
    const double cosT = std::cos(t), sinT = std::sin(t);
    double up[kCoastPoints], across[kCoastPoints], longitude[kCoastPoints];  // per point
    for (int i = 0; i < n; ++i) {
        const double p = coast.latitude[i] * kDegreeFactor;
        up[i] = -kDiscRadius * std::sin(p);
        across[i] = std::cos(p);
        longitude[i] = coast.longitude[i] * kDegreeFactor;
    }
    bool visible[kCoastPoints];
    double B[kCoastPoints];  // across the picture before the tilt; up[] is the other way
    for (int f = 0; f < kGlobeFrameCount; ++f) {
        GlobeFrame& frame = st.frames[f];
        const double r = f * kFrameTurn;
        for (int i = 0; i < n; ++i) {
            const double a = longitude[i] - r;
            visible[i] = std::sin(a) >= 0;
            B[i] = kDiscRadius * std::cos(a) * across[i];
        }
        int count = 0;
        for (int i = 0; i + 1 < n; ++i) {
            if (!visible[i] || !visible[i + 1] || coast.code[i + 1] >= kCoastNewLine) continue;
            frame.x0[count] = int32_t(B[i] * cosT - up[i] * sinT + kDiscRadius);
            frame.y0[count] = int32_t(up[i] * cosT + B[i] * sinT + kDiscRadius);
            frame.x1[count] = int32_t(B[i + 1] * cosT - up[i + 1] * sinT + kDiscRadius);
            frame.y1[count] = int32_t(up[i + 1] * cosT + B[i + 1] * sinT + kDiscRadius);
            ++count;
        }
        frame.count = count;
    }
    st.frameCounter = 0;
}

void DrawSpinningGlobeFrame() {
    ChangeTiltState& st = gChangeTilt;
    if (!st.globe.surface) return;
    const GlobeFrame& frame = st.frames[std::clamp(st.frameCounter, 0, kGlobeFrameCount - 1)];
    SetDrawTarget(&st.globe);
    SetBrushColour(kGlobeTransparentSlot);
    FillScreenRect(kGlobeRect);
    SetBrushColour(kNightSlot);
    FillPie(kGlobeRect, 900, 1800);
    SetBrushColour(kDaySlot);
    FillPie(kGlobeRect, 2700, 1800);
    // Coastline points on the rim would put pixels just outside the disc, over the axis.
    Region* disc = EllipseRegion(kGlobeRect);
    SetClipRegion(disc);
    SetPenColour(0);
    SetPenWidth(1, 1);
    for (int i = 0; i < frame.count; ++i) {
        MoveTo(frame.x0[i], frame.y0[i]);
        LineTo(frame.x1[i], frame.y1[i]);
    }
    SetClipRegion(nullptr);
    DeleteRegion(disc);
    SetDrawTarget(nullptr);
    BeginDrawing();
    CopyRect(&st.globe, nullptr, kGlobeRect,
             MakeScreenRect(st.cx - kDiscRadius, st.cy - kDiscRadius, st.cx + kDiscRadius,
                            st.cy + kDiscRadius),
             true);
    EndDrawing();
}

namespace {

// The arrow keys lean the axis one whole degree at a time (left and up: the tilt the pupil
// sees grows; right and down: it shrinks), as far as a click on the arc could.
bool TiltArrowKey(int key) {
    const double shown = -Settings().axisTilt;
    const bool more = key == KeyLeft || key == KeyUp;
    const double target = more ? std::floor(shown) + 1 : std::ceil(shown) - 1;
    if (!(target >= -90 && target <= 90)) return false;
    SetTilt(target == 0 ? 0 : -target, gChangeTilt.hoverOnArc ? 1 : 0);
    return true;
}

}  // namespace

int RunChangeTiltScreen() {
    ChangeTiltState& st = gChangeTilt;
    ScreenLoop loop;
    BeginScreenLoop(loop, kChangeTiltScreenId);
    loop.screenHovers = true;  // the arc takes the pointer from the help area around it
    st.firstPaint = true;
    st.hoverOnArc = false;
    if (Control* own = gNavBar.changeTiltButton)
        if (!own->selected) ToggleControl(own);

    BuildControls(loop);
    AppendNavBar(loop);
    SetArrowAction(TiltArrowKey);
    // Without its buffer the globe is not drawn; the rest of the screen still works.
    CreateBuffer(kGlobeRect, kGlobeTransparentSlot, st.globe);
    RedrawScreenLoop(loop);
    DrawOrbitIcon(1);
    ComputeGlobeFrames();

    int result = 0;
    for (;;) {
        const ScreenEvent e = NextScreenEvent(loop);
        if (e.code == kScreenIdle) {
            DrawSpinningGlobeFrame();
            DrawOrbitIcon(0);
            st.frameCounter = (st.frameCounter + 1) % kGlobeFrameCount;
            if (SingleCycleMode() && st.frameCounter == 0) {
                result = kGlobeFrameCount;
                break;
            }
            PlatformSleep(std::max(ChangeTiltDelay(), 0));
            continue;
        }
        if ((result = ScreenEventEnd(e)) != 0) break;
        if (e.code == kEventMouseMove) PointerMoved(loop, e);
        if (e.code == kEventLeftDown) {
            const int next = Pressed(loop, e);
            if (next != kNavStay) {
                result = next;
                break;
            }
        }
        if (IsDisplayLost()) {
            result = -kChangeTiltScreenId;
            break;
        }
    }
    return Leave(loop, result);
}
