// SPDX-License-Identifier: GPL-3.0-or-later
#include "explain/orbit_shape_screens.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "graphics/copy.h"
#include "graphics/shape.h"
#include "model/model.h"
#include "navbar/navbar.h"
#include "graphics/picture_draw.h"
#include "widgets/events.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

const double kScreenShapes[kShapeButtonCount] = {0, EarthNormalShape, 0.25, 0.5};

namespace {

constexpr int kPanelColour = 23;
constexpr int kButtonColour = 16;
constexpr int kButtonLeft = 20, kButtonRight = 230;
constexpr int kButtonHeight = 30, kButtonPitch = 35;
constexpr int kReturnHeight = 70;
constexpr int kPictureMargin = 20;  // the copies leave out the picture's top and bottom strips

struct ShapeButtonText {
    const char* label;
    const char* help;
};
const ShapeButtonText kShapeButtonTexts[kShapeButtonCount] = {
    {"Circular (0.00)", "Click on this to make the Earth's orbit shape circular."},
    {"Earth Normal (0.02)",
     "Click on this to make the Earth's orbit shape what it is in real life."},
    {"Elliptical (0.25)", "Click on this to make the Earth's orbit shape elliptical."},
    {"Very Elliptical (0.50)", "Click on this to make the Earth's orbit shape very elliptical."},
};

// A rectangle of the design space made relative to a panel's top-left corner.
ScreenRect OnPanel(const Control* panel, int left, int top, int right, int bottom) {
    const int x = panel->rect.left, y = panel->rect.top;
    return Rect(left - x, top - y, right - x, bottom - y);
}

void Redraw(Control* c) {
    c->state = kStateRedrawActive;
    DrawControl(c);
}

// Only the clicked button is marked; every one is drawn again.
void SelectShapeButton(ShapeScreenControls& controls, int index) {
    for (Control* b : controls.shapeButtons) {
        b->selected = 0;
        Redraw(b);
    }
    controls.shapeButtons[index]->selected = 1;
    Redraw(controls.shapeButtons[index]);
}

}  // namespace

void AddShapeScreenControls(ScreenLoop& loop, const char* panelHelp, int selectY, int buttonTop,
                            int returnTop, ShapeScreenControls& out) {
    Control* panel = CreatePanel(0, ScreenWorkArea(), panelHelp, UiSprite(kSpritePanelMark),
                                 kPanelColour);
    AddScreenControl(loop, panel);
    const int x = 125 - panel->rect.left;
    const int y = selectY - panel->rect.top;
    AddPanelText(panel, x, y, panel->rect, 1, 1, "Select", gUi.labelFont, 0, kPanelColour + 3);
    AddPanelText(panel, x, y + 20, panel->rect, 1, 1, "Orbit Shape", gUi.labelFont, 0,
                 kPanelColour + 3);
    out.panel = panel;

    for (int i = 0; i < kShapeButtonCount; ++i) {
        const int top = buttonTop + i * kButtonPitch;
        Control* b = CreateButton(kFirstShapeButtonId + i, 1, kStateRedrawActive,
                                  OnPanel(panel, kButtonLeft, top, kButtonRight,
                                          top + kButtonHeight),
                                  kShapeButtonTexts[i].label, kShapeButtonTexts[i].help, nullptr,
                                  panel, kButtonColour, gUi.smallLabelFont);
        b->selected = i == kEarthNormalShapeIndex ? 1 : 0;
        out.shapeButtons[i] = b;
        AddScreenControl(loop, b);
    }
    out.returnButton = CreateButton(
        kReturnToShapeId, 1, kStateRedrawActive,
        OnPanel(panel, kButtonLeft, returnTop, kButtonRight, returnTop + kReturnHeight),
        "Return to@Shape Screen", "Click on this to return to the Change Shape screen.",
        UiSprite(kSpriteShape), panel, kButtonColour, gUi.labelFont);
    AddScreenControl(loop, out.returnButton);
}

Control* AddPictureArea(ScreenLoop& loop, Control* panel, const ScreenRect& rect,
                        const char* help, ControlDrawCallback draw) {
    Control* c = CreateHotspot(1, OnPanel(panel, rect.left, rect.top, rect.right, rect.bottom),
                               help, panel);
    c->drawCallback = draw;
    AddScreenControl(loop, c);
    return c;
}

int ShapeScreenEventResult(const ScreenEvent& e, ShapeScreenControls& controls, int screenId,
                           int& shapeIndex) {
    shapeIndex = -1;
    if (const int end = ScreenEventEnd(e)) return end;
    if (e.pressed) {
        const int id = e.pressed->id;
        const int index = id - kFirstShapeButtonId;
        if (index >= 0 && index < kShapeButtonCount) {
            SelectShapeButton(controls, index);
            shapeIndex = index;
        } else if (id == kReturnToShapeId) {
            return 5;
        } else {
            const int next = NavBarClickResult(id, screenId);
            if (next != kNavStay && next != kNavNotShared) return next;
        }
    }
    return 0;
}

bool CreatePictureCopies(const ScreenRect& picture, OrbitPictureCopies& copies) {
    ReleasePictureCopies(copies);
    copies.strip = Rect(picture.left, picture.top + kPictureMargin, picture.right,
                        picture.bottom - kPictureMargin);
    if (CreateBuffer(copies.strip, 0, copies.clean) && CreateBuffer(copies.strip, 0, copies.work))
        return true;
    ReleasePictureCopies(copies);
    return false;
}

void KeepCleanPicture(OrbitPictureCopies& copies) {
    if (copies.clean.surface) CopyRect(nullptr, &copies.clean, copies.strip, copies.clean.rect, false);
}

void ShowEarthDisc(OrbitPictureCopies& copies, int x, int y, int slot) {
    if (!copies.clean.surface || !copies.work.surface) return;
    BeginDrawing();
    CopyRect(&copies.clean, &copies.work, copies.clean.rect, copies.work.rect, false);
    SetDrawTarget(&copies.work);
    SetBrushColour(slot);
    const int bx = x - copies.strip.left, by = y - copies.strip.top;
    FillEllipse(Rect(bx - 6, by - 6, bx + 6, by + 6));
    SetDrawTarget(nullptr);
    CopyRect(&copies.work, nullptr, copies.work.rect, copies.strip, false);
    EndDrawing();
}

void ReleasePictureCopies(OrbitPictureCopies& copies) {
    ReleaseBuffer(copies.clean);
    ReleaseBuffer(copies.work);
}

OrbitEllipse PictureEllipse(const ScreenRect& picture, int margin, double shape) {
    OrbitEllipse o;
    RectCentre(picture, o.cx, o.cy);
    o.a = (picture.bottom - picture.top) / 2 - margin;
    o.b = o.a * std::sqrt(1 - shape * shape);
    o.c = std::sqrt(std::max(o.a * o.a - o.b * o.b, 0.0));
    return o;
}

void DrawSunDisc(double x, int y) {
    SetBrushColour(14);
    FillEllipse(Rect(int(x - 6), y - 6, int(x + 6), y + 6));
}

void DrawShapeTitle(int x, int y, double shape) {
    char text[32];
    std::snprintf(text, sizeof text, "Orbit Shape = %0.2f", shape);
    TextAt(x, y, 0, 0, text, gUi.labelFont, 255);
}

int FrameDelay(int configured) { return std::max(configured, 0); }
