// SPDX-License-Identifier: GPL-3.0-or-later
// The Change Shape screen: its controls, the orbit diagram, the shape steps and the loop.
#include "settings/change_shape_screen.h"

#include <cmath>
#include <cstdlib>

#include "graphics/display.h"
#include "graphics/draw.h"
#include "graphics/line.h"
#include "graphics/present.h"
#include "graphics/shape.h"
#include "graphics/text.h"
#include "model/model.h"
#include "platform/platform.h"
#include "settings/settings_common.h"
#include "navbar/navbar.h"
#include "widgets/control.h"
#include "widgets/events.h"
#include "widgets/interaction.h"
#include "widgets/keyboard.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

ChangeShapeState gChangeShape;

void ResetChangeShapeState() { gChangeShape = ChangeShapeState{}; }

namespace {

constexpr int kIdleDelayMs = 100;
constexpr int kMaxSteps = 50;        // 0.50, the most stretched orbit the buttons reach
constexpr double kStep = 0.05;
constexpr int kOrbitSlot = 13;       // the selected orbit and its name, pink
constexpr int kNormalOrbitSlot = 3;  // the Earth Normal orbit, teal
constexpr int kPlanetOrbitSlot = 8;  // Venus and Mars, grey

const ScreenRect kDiagramRect = MakeScreenRect(288, 124, 668, 474);
const ScreenRect kValueBarRect = MakeScreenRect(408, 574, 548, 622);

// The shape the picture shows: the model's, held to what the buttons can reach, so a shape
// from elsewhere never draws outside the diagram.
double DrawnShape() {
    const double e = Settings().orbitShape;
    if (!(e > 0)) return 0;
    return e > 0.5 ? 0.5 : e;
}

// The selected orbit's ellipse for shape e, with the Sun in its left focus.
ScreenRect SelectedOrbitRect(double e) {
    const ChangeShapeState& st = gChangeShape;
    const double b = st.a * std::sqrt(1 - e * e), c = st.a * e;
    return MakeScreenRect(int(st.X0 + c - st.a), int(st.Y0 - b), int(st.X0 + c + st.a),
                          int(st.Y0 + b));
}

// The selected orbit drawn once more in exclusive-or: on or off.
void ToggleSelectedOrbit() {
    ChangeShapeState& st = gChangeShape;
    SetPenWidth(3, 3);
    SetPenColour(kOrbitSlot);
    SetBrushColour(0);
    SetRasterMode(2);
    DrawEllipse(st.selectedRect);
    SetPenWidth(1, 1);
    SetRasterMode(0);
    st.selectedShown = !st.selectedShown;
}

// A circle or ellipse of the diagram with its name centred below it at (x, y).
void OrbitWithName(const ScreenRect& rect, int slot, int x, int y, const char* name) {
    SetPenColour(slot);
    DrawEllipse(rect);
    SetTextAlignment(1, 0);
    DrawTextAt(x, y, name);
}

// Stars in three brightnesses, at places from the C library's generator.
void DrawStars(const ScreenRect& r) {
    struct Stars {
        int count, slot;
    };
    const Stars kStars[3] = {{400, 8}, {100, 7}, {25, 255}};
    const int h = r.bottom - r.top, w = r.right - r.left;
    for (const Stars& s : kStars) {
        SetPenColour(s.slot);
        for (int i = 0; i < s.count; ++i) {
            const int r1 = std::rand();  // first the row, then the column
            const int r2 = std::rand();
            PutPixel(r.left + r2 % w, r.top + r1 % h);
        }
    }
}

void SetGeometry(const ScreenRect& r) {
    ChangeShapeState& st = gChangeShape;
    st.diagramRect = r;
    st.a = (r.bottom - r.top - 140) * 0.5;
    st.bN = st.a * std::sqrt(1 - EarthNormalShape * EarthNormalShape);
    st.cN = std::sqrt(st.a * st.a - st.bN * st.bN);
    st.X0 = (r.left + r.right) / 2;
    st.Y0 = (r.top + r.bottom) / 2;
}

// ---- panels ------------------------------------------------------------------------------

void PaintDiagramPanel(Control*) {
    const PanelLine lines[2] = {
        {(kDiagramRect.left + kDiagramRect.right) / 2, kDiagramRect.top - 5,
         "Orbit Shape Diagram"},
        {(kValueBarRect.left + kValueBarRect.right) / 2, kValueBarRect.top - 5,
         "Current Orbit Shape Setting"},
    };
    DrawPanelLines(gUi.headingFont, 1, 2, lines, 2);
}

void PaintLinksPanel(Control* panel) {
    const int x = panel->rect.left + 20, t = panel->rect.top;
    const PanelLine lines[9] = {
        {x, t + 60, "The shape of the Earth's orbit"},
        {x, t + 85, "is almost round, so it doesn't"},
        {x, t + 110, "have much effect on the seasons."},
        {x, t + 135, "If Earth's orbit were an oval,"},
        {x, t + 160, "our seasons would be different."},
        {x, t + 210, "The orbit shape can change the"},
        {x, t + 235, "intensity of sunlight."},
        {x, t + 365, "The orbit shape can change the"},
        {x, t + 390, "lengths of the seasons."},
    };
    DrawPanelLines(gUi.labelFont, 0, 2, lines, 9);
}

// ---- building ----------------------------------------------------------------------------

Control* AddButton(ScreenLoop& loop, int id, int layer, bool active, const ScreenRect& rect,
                   const char* label, const char* help, SpriteId sprite) {
    Control* b = CreateButton(id, layer, active ? kStateRedrawActive : kStateRedrawInactive,
                              rect, label, help, UiSprite(sprite), nullptr,
                              kSettingsButtonColour, gUi.labelFont);
    AddScreenControl(loop, b);
    return b;
}

void BuildControls(ScreenLoop& loop) {
    ChangeShapeState& st = gChangeShape;
    const int n = ShapeSteps(Settings().orbitShape);
    Control* panel = AddSettingsPanel(loop, MakeScreenRect(0, 64, 688, 738),
                                      "Make changes to the Earth's orbit shape in this panel.",
                                      PaintDiagramPanel);
    AddWatchSeasonsButton(loop, panel);

    st.diagram = CreateHotspot(1, kDiagramRect,
                               "This shows what the Earth's orbit looks like from above.",
                               nullptr);
    st.diagram->drawCallback = DrawShapeDiagram;
    AddScreenControl(loop, st.diagram);
    st.rounder = AddButton(loop, kShapeRounderId, 1, n > 0, MakeScreenRect(313, 484, 473, 524),
                           "Make Orbit@Rounder",
                           "Click on this button to make the orbit shape more like a circle.",
                           kSpriteRounder);
    st.stretched = AddButton(loop, kShapeStretchedId, 1, n < kMaxSteps,
                             MakeScreenRect(483, 484, 643, 524), "Make Orbit@Stretched",
                             "Click on this button to make the orbit shape more like an oval.",
                             kSpriteStretched);
    char text[16];
    FormatShape(Settings().orbitShape, text, sizeof text);
    st.valueBar =
        CreateTextBar(2, kValueBarRect, "This is the current setting of the orbit shape.",
                      nullptr, gUi.titleFont, 26, 0, text);
    AddScreenControl(loop, st.valueBar);
    st.earthNormal = AddButton(
        loop, kShapeEarthNormalId, 2, true, MakeScreenRect(328, 649, 628, 689),
        "Set Shape to Earth Normal",
        "Click on this button to set the orbit shape to the Earth Normal value.",
        kSpriteEarthNormal);

    AddSettingsPanel(loop, MakeScreenRect(688, 64, 1024, 578),
                     "You can see more about orbit shape by clicking on the buttons.",
                     PaintLinksPanel);
    AddButton(loop, kShapeEnergyLinkId, 1, true, MakeScreenRect(738, 304, 988, 389),
              "How does orbit shape@affect@solar energy?",
              "Click on this to see how orbit shape affects the Sun's intensity.",
              kSpriteQuestion);
    AddButton(loop, kShapeSeasonLinkId, 1, true, MakeScreenRect(738, 459, 988, 544),
              "How does orbit shape@affect@season length?",
              "Click on this to see how orbit shape affects the length of seasons.",
              kSpriteQuestion);
    AddSettingsTablePanels(loop);
}

// ---- shape steps -------------------------------------------------------------------------

// Shows a step button clickable or not, redrawing it only when that changes.
void SetStepButton(Control* b, bool active) {
    if (!b) return;
    if (active && b->state == kStateInactive)
        b->state = kStateRedrawActive;
    else if (!active && b->state == kStateActive)
        b->state = kStateRedrawInactive;
    else
        return;
    DrawControl(b);
}

// After a step: the shape held within 0..0.50 (a step from a shape the buttons cannot make
// could leave it), the orbit, the value and the table shown, and each step button clickable
// exactly while its step can still change the shape.
void ShowNewShape() {
    ChangeShapeState& st = gChangeShape;
    double& e = Settings().orbitShape;
    if (!(e >= 0)) e = 0;
    if (e > kMaxSteps / 100.0) e = kMaxSteps / 100.0;
    // A step of 0.05 in floating point lands a rounding error off the two-decimal value
    // (ten steps down from 0.50 leave 1.4e-17, not a circle): keep the exact hundredths.
    e = ShapeSteps(e) / 100.0;
    char text[16];
    FormatShape(e, text, sizeof text);
    DrawSelectedOrbit(0);
    SetHelpLineText(st.valueBar, text);
    SetSettingsTableText(3, 3, text);
    const int n = ShapeSteps(e);
    SetStepButton(st.rounder, n > 0);
    SetStepButton(st.stretched, n < kMaxSteps);
}

void MakeStretched() {
    double& e = Settings().orbitShape;
    // From Earth Normal the first step lands on the 0.05 grid.
    if (e == EarthNormalShape)
        e = kStep;
    else if (ShapeSteps(e) < kMaxSteps)
        e += kStep;
    ShowNewShape();
}

void MakeRounder() {
    double& e = Settings().orbitShape;
    if (e == EarthNormalShape)
        e = 0;
    else if (e > 0)
        e -= kStep;
    ShowNewShape();
}

// The screen's own buttons; false for any other id.
bool OwnClick(int id) {
    switch (id) {
    case kShapeStretchedId: MakeStretched(); return true;
    case kShapeRounderId: MakeRounder(); return true;
    case kShapeEarthNormalId:
        Settings().orbitShape = EarthNormalShape;
        ShowNewShape();
        return true;
    default: return false;
    }
}

// The id of a clicked button: a push button the loop already showed pressed, or the round
// "Watch the Seasons" button, shown pressed here. 0 for anything else.
int ClickedId(const ScreenEvent& e) {
    if (e.pressed) return e.pressed->id;
    if (e.code != kEventLeftDown || !e.hit || e.hit->kind != kRoundButton) return 0;
    PressFeedback(e.hit);
    return e.hit->id;
}

// Where a click on a button leads: a ScreenId, or kNavStay.
int ClickResult(int id) {
    if (id == 0 || OwnClick(id)) return kNavStay;
    if (id == kShapeEnergyLinkId) return 6;
    if (id == kShapeSeasonLinkId) return 7;
    const int next = NavBarClickResult(id, kChangeShapeScreenId);
    return next == kNavNotShared ? kNavStay : next;
}

int Leave(ScreenLoop& loop, int result) {
    Control* own = gNavBar.changeShapeButton;
    if (result == 2000) {
        // The window is going away: nothing may be drawn any more.
        if (own) own->selected = 0;
    } else {
        ToggleControl(own);
    }
    EndScreenLoop(loop);
    gSettingsCommon.table = nullptr;
    ChangeShapeState& st = gChangeShape;
    st.diagram = st.rounder = st.stretched = st.earthNormal = st.valueBar = nullptr;
    return result;
}

}  // namespace

int ShapeSteps(double orbitShape) {
    if (!(orbitShape > 0)) return 0;
    if (orbitShape > 1) return 100;
    return int(100 * orbitShape + 0.5);
}

void DrawShapeDiagram(Control* helpArea) {
    if (!helpArea) return;
    ChangeShapeState& st = gChangeShape;
    const ScreenRect r = helpArea->rect;
    BeginDrawing();
    SelectTextFont(gUi.smallLabelFont);
    SetBrushColour(0);
    SetBrushPattern(1);
    if (st.firstPaint) {
        st.firstPaint = false;
        FillScreenRect(r);
        DrawBevel(r, -1, kSettingsPanelColour + 1, kSettingsPanelColour + 6);
        SetGeometry(r);
        st.selectedShown = false;
        DrawStars(r);
    } else if (st.selectedShown) {
        // Everything below is drawn again over the orbit; take it off first, or drawing it
        // once more would remove it and leave the lines drawn over it spoilt.
        ToggleSelectedOrbit();
    }
    SetClipRect(&r);
    st.selectedRect = SelectedOrbitRect(DrawnShape());

    const int X0 = int(st.X0), Y0 = int(st.Y0);
    SetPenColour(14);
    FillEllipsePattern(MakeScreenRect(X0 - 10, Y0 - 10, X0 + 10, Y0 + 10));
    const double a = st.a;
    OrbitWithName(MakeScreenRect(int(st.X0 + st.cN - a), int(st.Y0 - st.bN),
                                 int(st.X0 + st.cN + a), int(st.Y0 + st.bN)),
                  kNormalOrbitSlot, X0, int(st.Y0 + st.bN + 3), "Earth Normal");
    const double mars = 1.52 * a, venus = 0.72 * a;
    OrbitWithName(MakeScreenRect(int(st.X0 - mars), int(st.Y0 - mars), int(st.X0 + mars),
                                 int(st.Y0 + mars)),
                  kPlanetOrbitSlot, X0, r.bottom - 21, "Mars");
    OrbitWithName(MakeScreenRect(int(st.X0 - venus), int(st.Y0 - venus), int(st.X0 + venus),
                                 int(st.Y0 + venus)),
                  kPlanetOrbitSlot, X0, int(st.Y0 + venus + 3), "Venus");
    DrawSelectedOrbit(1);
    SetClipRect(nullptr);
    EndDrawing();
}

void DrawSelectedOrbit(int update) {
    ChangeShapeState& st = gChangeShape;
    if (st.a <= 0) return;  // the diagram has not been painted yet
    BeginDrawing();
    SetClipRect(&st.diagramRect);
    if (update == 0) {
        if (st.selectedShown) ToggleSelectedOrbit();
        st.selectedRect = SelectedOrbitRect(DrawnShape());
    }
    ToggleSelectedOrbit();
    SelectTextFont(gUi.labelFont);
    SetTextAlignment(1, 2);
    SetPenColour(kOrbitSlot);
    DrawTextAt(int(st.X0), int(st.Y0 - st.a), "Selected Shape");
    SetClipRect(nullptr);
    EndDrawing();
}

void RunChangeShapeIdleStep() { DrawOrbitIcon(0); }

// The arrow keys are the Rounder and Stretched buttons.
const ScreenKey kShapeKeys[] = {
    {KeyLeft, 0, kShapeRounderId},
    {KeyDown, 0, kShapeRounderId},
    {KeyRight, 0, kShapeStretchedId},
    {KeyUp, 0, kShapeStretchedId},
};

int RunChangeShapeScreen() {
    ScreenLoop loop;
    BeginScreenLoop(loop, kChangeShapeScreenId);
    ChangeShapeState& st = gChangeShape;
    st.firstPaint = true;
    st.selectedShown = false;
    ToggleControl(gNavBar.changeShapeButton);
    BuildControls(loop);
    AppendNavBar(loop);
    SetScreenKeys(kShapeKeys, int(sizeof kShapeKeys / sizeof kShapeKeys[0]));
    RedrawScreenLoop(loop);
    DrawOrbitIcon(1);

    int result = 0;
    for (;;) {
        const ScreenEvent e = NextScreenEvent(loop);
        if (e.code == kScreenIdle) {
            RunChangeShapeIdleStep();
            PlatformSleep(kIdleDelayMs);
            continue;
        }
        if ((result = ScreenEventEnd(e)) != 0) break;
        const int next = ClickResult(ClickedId(e));
        if (next != kNavStay) {
            result = next;
            break;
        }
        if (IsDisplayLost()) {
            result = -kChangeShapeScreenId;
            break;
        }
    }
    return Leave(loop, result);
}
