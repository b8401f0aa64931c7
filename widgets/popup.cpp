// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/popup.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/copy.h"
#include "graphics/display.h"
#include "graphics/draw.h"
#include "graphics/present.h"
#include "graphics/text.h"
#include "platform/platform.h"
#include "config/config.h"
#include "widgets/control.h"
#include "widgets/events.h"
#include "widgets/interaction.h"
#include "widgets/keyboard.h"
#include "widgets/ui_resources.h"
#include "widgets/widget_state.h"

namespace {

constexpr int kPopupWaitMs = 20;  // how long an idle pop-up waits before it looks again
constexpr int kMaxNoticeLines = 8;
constexpr int kNoticeMargin = 8;  // between a notice's widest line and its box's edge

// The screen area behind an open pop-up: in one of the two shared buffers when it fits there,
// otherwise in a buffer of its own, so a large panel never loses part of what it covers.
struct Background {
    OffscreenBuffer* shared = nullptr;
    SavedArea own;
};

bool FitsIn(const OffscreenBuffer& buffer, const ScreenRect& rect) {
    if (!buffer.surface) return false;
    const DeviceRect d = ToDeviceRect(rect);
    return d.right - d.left <= buffer.surface->width && d.bottom - d.top <= buffer.surface->height;
}

void SaveBackground(const ScreenRect& rect, int panelId, Background& bg) {
    OffscreenBuffer& buffer = gUi.popupBuffers[panelId == 0 ? 0 : 1];
    if (FitsIn(buffer, rect)) {
        bg.shared = &buffer;
        CopyRect(nullptr, &buffer, rect, MakeScreenRect(0, 0, rect.right - rect.left, rect.bottom - rect.top),
                 false);
    } else {
        SaveScreenArea(rect, 0, bg.own);
    }
}

void RestoreBackground(const ScreenRect& rect, Background& bg) {
    if (bg.shared)
        CopyRect(bg.shared, nullptr, MakeScreenRect(0, 0, rect.right - rect.left, rect.bottom - rect.top),
                 rect, false);
    else
        RestoreScreenArea(rect, bg.own, false);
    FreeScreenArea(bg.own);
    PlatformMarkDirty();
}

bool IsChild(const Control* c, const Control* panel) { return c && c->parent == panel; }

void DrawChildren(Control* panel, int count, Control* const* controls) {
    for (int i = 0; i < count; ++i) {
        Control* c = controls[i];
        if (!IsChild(c, panel)) continue;
        c->state = kStateRedrawActive;
        DrawControl(c);
    }
}

// Shows which button was chosen: it is drawn selected and the others plain. Their own selected
// values come back afterwards, so the chosen button is not left unclickable the next time.
void ShowChoice(Control* panel, int count, Control* const* controls, int result) {
    std::vector<int32_t> kept;
    for (int i = 0; i < count; ++i)
        if (IsChild(controls[i], panel)) kept.push_back(controls[i]->selected);
    for (int i = 0; i < count; ++i) {
        Control* c = controls[i];
        if (!IsChild(c, panel)) continue;
        c->state = kStateRedrawActive;
        c->selected = c->id == result ? 1 : 0;
        DrawControl(c);
    }
    PlatformSleep(300);
    size_t k = 0;
    for (int i = 0; i < count; ++i)
        if (IsChild(controls[i], panel)) controls[i]->selected = kept[k++];
}

void DeactivateChildren(Control* panel, int count, Control* const* controls) {
    for (int i = 0; i < count; ++i)
        if (IsChild(controls[i], panel)) controls[i]->state = kStateInactive;
}

// Lets go of the pointer and the keyboard the pop-up took.
void ReleaseInput() {
    ConfinePointer(0, 0, 1024, 768);
    CaptureMouse(0);
    TakeFocus(0);
}

bool ClosedWithDone(int result, int count, Control* const* controls) {
    for (int i = 0; i < count; ++i)
        if (controls[i] && controls[i]->id == result && std::strcmp(controls[i]->label, "Done") == 0)
            return true;
    return false;
}

// While a pop-up runs its buttons are the live controls; the screen's come back after it.
struct LiveControlsOfPopup {
    Control* const* outer = gWidgets.liveControls;
    int outerCount = gWidgets.liveControlCount;
    LiveControlsOfPopup(Control* const* controls, int count) {
        gWidgets.liveControls = controls;
        gWidgets.liveControlCount = count;
    }
    ~LiveControlsOfPopup() {
        gWidgets.liveControls = outer;
        gWidgets.liveControlCount = outerCount;
    }
};

}  // namespace

int RunPopupPanel(Control* panel, int count, Control* const* controls) {
    if (!panel) return kPopupTimedOut;
    if (!controls) count = 0;
    TakeFocus(1);
    CaptureMouse(1);
    SetCursorShape(1);
    // The time-out counts from the opening, not from whatever pop-up was last used.
    RestartIdleClock();

    const ScreenRect rect = panel->rect;
    Background bg;
    SaveBackground(rect, panel->id, bg);
    BeginDrawing();
    DrawPopupFrameBody(rect);
    EndDrawing();
    if (panel->drawCallback) panel->drawCallback(panel);
    DrawChildren(panel, count, controls);
    ConfinePointer(rect.left, rect.top, rect.right, rect.bottom);

    Control* const outerPopup = gWidgets.activePopup;
    gWidgets.activePopup = panel;
    const LiveControlsOfPopup live(controls, count);
    Control* previous = nullptr;
    // The ring goes onto the panel's buttons while it is open, and back afterwards.
    Control* const outerFocus = gKeyboard.focus;
    ForgetKeyboardFocus(nullptr);
    int result = kPopupTimedOut;
    for (;;) {
        Message m;
        if (!PollMessage(m)) {
            if (IdleTimedOut()) break;  // result -1
            if (IdleTimeoutEnabled()) {
                PlatformWaitForMessage(kPopupWaitMs);
                continue;
            }
            // Nothing can happen until the user acts: wait for it rather than spin.
            if (!PlatformWaitMessage(m, -1)) m.kind = MessageKind::Quit;
        }
        if (IsWindowClosing(m) || m.kind == MessageKind::Quit) {
            if (m.kind == MessageKind::Quit)
                PlatformPostMessage(m);  // the outermost loop ends on it
            else
                DispatchMessage(m);
            gWidgets.lastMessage = m;
            gWidgets.activePopup = outerPopup;
            DeactivateChildren(panel, count, controls);
            ReleaseInput();
            return kPopupWindowClosing;
        }
        DispatchMessage(m);
        RestartIdleClock();
        if (m.kind == MessageKind::KeyDown && m.key == KeyEscape) break;  // result -1: closed
        const KeyResult key = TranslateKey(m, count, controls, previous, true);
        if (key == kKeyHandled) continue;
        const int code = ClassifyMessage(m);
        int x = 0, y = 0;
        PointerPosition(m, x, y);
        if (code == kEventLeftDown) {
            Control* hit = HitTestControls(x, y, count, controls);
            if (hit && hit->kind == kPushButton && hit->selected != 1) {
                PressFeedback(hit);
                result = hit->id;
                break;
            }
        } else if (code == kEventMouseMove) {
            Control* hit = HitTestControls(x, y, count, controls);
            if (IsChild(hit, panel)) {
                if (hit != previous) {
                    HoverControl(hit, previous);
                    SetHelpLineText(HelpLine(), hit->help);
                    previous = hit;
                }
            } else if (previous != panel) {
                HoverControl(panel, previous);
                SetHelpLineText(HelpLine(), panel->help);
                previous = panel;
            }
        }
        if (IsDisplayLost()) {
            // The caller redraws everything; only the pointer and keyboard are given back.
            gWidgets.activePopup = outerPopup;
            DeactivateChildren(panel, count, controls);
            ReleaseInput();
            return kPopupDisplayLost;
        }
    }
    gWidgets.activePopup = outerPopup;
    ForgetKeyboardFocus(nullptr);

    if (!ClosedWithDone(result, count, controls)) ShowChoice(panel, count, controls, result);
    ConfinePointer(0, 0, 1024, 768);
    DeactivateChildren(panel, count, controls);
    RestoreBackground(rect, bg);
    CaptureMouse(0);
    TakeFocus(0);
    if (outerFocus) {
        Control* hovered = nullptr;
        SetKeyboardFocus(outerFocus, hovered);
    }
    return result;
}

void ShowNotice(const ScreenRect& rect, const char* text, TextFont* font, int show) {
    NoticeState& n = gWidgets.notice;
    if (!show) {
        if (!n.shown) return;
        RestoreScreenArea(n.rect, n.saved, false);
        FreeScreenArea(n.saved);
        PlatformMarkDirty();
        n.shown = false;
        return;
    }
    if (n.shown) return;  // one notice at a time

    // The lines, split at '@'.
    const char* lines = text ? text : "";
    char line[kMaxNoticeLines][kLabelSize];
    int count = 0;
    for (const char* start = lines; count < kMaxNoticeLines;) {
        const char* at = std::strchr(start, '@');
        const size_t len = at ? size_t(at - start) : std::strlen(start);
        const size_t kept = std::min(len, sizeof line[0] - 1);
        std::memcpy(line[count], start, kept);
        line[count][kept] = '\0';
        ++count;
        if (!at) break;
        start = at + 1;
    }

    // The box grows on both sides until its widest line stands clear of the bevel; what is
    // saved covers the box and its shadow, so taking the notice away leaves nothing behind.
    SelectTextFont(font);
    const int cx = (rect.left + rect.right) / 2;
    int left = rect.left, right = rect.right;
    for (int i = 0; i < count; ++i) {
        const int half = TextWidth(line[i]) / 2 + kNoticeMargin;
        left = std::min(left, cx - half);
        right = std::max(right, cx + half);
    }
    ScreenRect box;
    MakeRect(box, left, rect.top, right, rect.bottom);
    MakeRect(n.rect, left, rect.top, right + 20, rect.bottom + 20);
    SaveScreenArea(n.rect, 0, n.saved);
    n.shown = true;

    BeginDrawing();
    ScreenRect shadow = box;
    OffsetRect(shadow, 20, 20);
    SetBrushColour(0);
    FillScreenRect(shadow);
    SetBrushColour(4);
    FillScreenRect(box);
    DrawBevel(box, 0, 12, 0);
    DrawBevel(box, 1, 12, 0);
    SelectTextFont(font);
    SetTextAlignment(1, 1);
    SetPenColour(14);
    for (int i = 0; i < count; ++i) {
        const double f = double(i + 1) / (count + 1);
        DrawTextAt(cx, int((1 - f) * rect.top + f * rect.bottom), line[i]);
    }
    EndDrawing();
}

bool NoticeShown() { return gWidgets.notice.shown; }
