// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/interaction.h"

#include "graphics/copy.h"
#include "graphics/draw.h"
#include "graphics/present.h"
#include "graphics/region.h"
#include "graphics/scale.h"
#include "platform/platform.h"
#include "config/config.h"
#include "widgets/control.h"
#include "widgets/ui_resources.h"
#include "widgets/widget_state.h"

namespace {

bool Contains(const DeviceRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

bool IsPointerKind(const Control* c) {
    return c->kind == kPushButton || c->kind == kSliderTrack || c->kind == kRoundButton ||
           c->kind == kEntryArea;
}

void FillKnob(const Control* c, int slot) {
    BeginDrawing();
    SetBrushColour(slot);
    FillScreenRect(MakeScreenRect(c->hitRect.left + 4, c->hitRect.top + 4, c->hitRect.right - 4,
                        c->hitRect.bottom - 4));
    EndDrawing();
}

void Highlight(Control* c, int on) {
    switch (c->kind) {
    case kPushButton: DrawButtonLabel(c, on); break;
    case kSliderTrack: FillKnob(c, on ? 22 : 19); break;
    case kRoundButton: DrawRoundLabel(c, on); break;
    default: break;
    }
}

}  // namespace

Control* HitTestControls(int x, int y, int count, Control* const* controls) {
    if (!controls) return nullptr;
    Control* best = nullptr;
    int bestLayer = -2;  // layers below -1 never win
    for (int i = 0; i < count; ++i) {
        Control* c = controls[i];
        if (!c || c->state != kStateActive) continue;
        if (!Contains(ToDeviceRect(c->hitRect), x, y)) continue;
        if (c->layer > bestLayer) {
            best = c;
            bestLayer = c->layer;
        }
    }
    return best;
}

void PressFeedback(Control* control) {
    if (!control) return;
    const ScreenRect rect = control->rect;
    SavedArea saved;
    const bool kept = SaveScreenArea(rect, 0, saved);
    BeginDrawing();
    Region* ellipse = nullptr;
    if (control->kind == kPushButton) {
        SetClipRect(&rect);
    } else if (control->kind == kRoundButton) {
        ellipse = EllipseRegion(MakeScreenRect(rect.left + 5, rect.top + 5, rect.right - 5, rect.bottom - 5));
        SetClipRegion(ellipse);
    }
    for (int d = 1; d <= 2; ++d) {
        ScreenRect moved = rect;
        OffsetRect(moved, d, d);
        ShiftScreenArea(rect, moved);  // within the drawing context: the clip applies
        // Each step is shown before the pause, so the press is seen as movement.
        EndDrawing();
        PlatformSleep(10);
        BeginDrawing();
    }
    PlatformSleep(40);
    EndDrawing();
    if (kept) {
        RestoreScreenArea(rect, saved, false);
        PlatformMarkDirty();
    }
    FreeScreenArea(saved);
    SetClipRect(nullptr);
    DeleteRegion(ellipse);
}

void HoverControl(Control* control, Control* previous) {
    if (!previous) return;  // the first control reached after a screen starts
    if (!previous->selected && previous->state != kStateHidden)
        Highlight(previous, 0);
    else if (previous->kind == kRoundButton)
        DrawRoundLabel(previous, 0);
    if (!control || !IsPointerKind(control)) {
        SetCursorShape(1);
        return;
    }
    SetCursorShape(3);
    if (!control->selected)
        Highlight(control, 1);
    else if (control->kind == kRoundButton)
        DrawRoundLabel(control, 1);
}

void SetHelpLineText(Control* textBar, const char* text) {
    if (!textBar) return;
    SetControlLabel(textBar, text ? text : "");
    DrawControl(textBar);
}

void SetHelpLine(Control* helpLine) { gWidgets.helpLine = helpLine; }
Control* HelpLine() { return gWidgets.helpLine; }

bool LoadCursorShape(int slot, int resourceId) {
    if (slot < 1 || slot >= kCursorTableSlots) return false;
    if (!LoadCursorResource(slot, resourceId)) return false;
    gWidgets.cursorResource[slot] = resourceId;
    return true;
}

void SetCursorShape(int slot) {
    if (slot == -1) {
        if (gWidgets.cursorSlot >= 0) PlatformShowCursor(gWidgets.cursorSlot);
        return;
    }
    if (slot < 0 || slot >= kCursorTableSlots) return;
    gWidgets.cursorSlot = slot;
    PlatformShowCursor(slot);
}

int CurrentCursorShape() { return gWidgets.cursorSlot; }

void ConfinePointer(int left, int top, int right, int bottom) {
    MakeRect(gWidgets.confineRect, 0, 0, 1024, 768);
    // Kept to the whole screen is the same as free; a grab there would only trap the pointer
    // on this one display.
    if (left < 0 || (left <= 0 && top <= 0 && right >= 1024 && bottom >= 768)) {
        PlatformConfinePointer(false, 0, 0, 0, 0);
        return;
    }
    MakeRect(gWidgets.confineRect, left, top, right, bottom);
    const DeviceRect d = ToDeviceRect(gWidgets.confineRect);
    PlatformConfinePointer(true, d.left, d.top, d.right, d.bottom);
}

void CaptureMouse(int on) { PlatformCaptureMouse(on != 0); }

void TakeFocus(int on) {
    if (on) {
        if (!gWidgets.focusTaken) gWidgets.rememberedFocus = PlatformKeyboardFocus();
        gWidgets.focusTaken = true;
        PlatformSetKeyboardFocus(0);
    } else if (gWidgets.focusTaken) {
        gWidgets.focusTaken = false;
        PlatformSetKeyboardFocus(gWidgets.rememberedFocus);
        gWidgets.rememberedFocus = 0;
    }
}

bool IdleTimedOut() {
    if (!IdleTimeoutEnabled()) return false;
    const int64_t now = int64_t(PlatformTicks() / 1000);
    return now - int64_t(gWidgets.idleClockSeconds) > int64_t(IdleTimeoutSeconds());
}

void RestartIdleClock() { gWidgets.idleClockSeconds = PlatformTicks() / 1000; }
