// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/screen_loop.h"

#include "config/logbook_file.h"
#include "widgets/about.h"
#include "widgets/control.h"
#include "widgets/events.h"
#include "widgets/interaction.h"
#include "widgets/keyboard.h"
#include "widgets/popup.h"
#include "widgets/widget_state.h"

void BeginScreenLoop(ScreenLoop& loop, int screenId) {
    loop = ScreenLoop{};
    loop.screenId = screenId;
    gWidgets.hoverControl = nullptr;
    ForgetKeyboardFocus(nullptr);
    ClearScreenKeys();
    SetCursorShape(1);
}

bool AddScreenControl(ScreenLoop& loop, Control* control) {
    if (!control || loop.count >= kMaxScreenControls || loop.count != loop.ownCount) return false;
    loop.controls[loop.count++] = control;
    loop.ownCount = loop.count;
    if (control->layer + 1 > loop.layers) loop.layers = control->layer + 1;
    return true;
}

bool AppendSharedControls(ScreenLoop& loop, Control* const* list, int count, int layers) {
    if (!list || count < 0 || loop.count + count > kMaxScreenControls) return false;
    for (int i = 0; i < count; ++i) loop.controls[loop.count++] = list[i];
    if (layers > loop.layers) loop.layers = layers;
    return true;
}

void RedrawScreenLoop(ScreenLoop& loop) {
    RedrawScreenControls(loop.count, loop.controls, loop.layers);
}

void EndScreenLoop(ScreenLoop& loop) {
    if (gWidgets.liveControls == loop.controls) ForgetLiveControls();
    DestroyScreenControls(loop.ownCount, loop.controls, loop.layers);
    for (int i = 0; i < loop.count; ++i) loop.controls[i] = nullptr;
    loop.count = loop.ownCount = 0;
    loop.previous = nullptr;
    ForgetKeyboardFocus(nullptr);
    ClearScreenKeys();
}

ScreenEvent NextScreenEvent(ScreenLoop& loop) {
    ScreenEvent e;
    Message& m = e.message;
    gWidgets.liveControls = loop.controls;
    gWidgets.liveControlCount = loop.count;
    if (!PollMessage(m)) return e;  // kScreenIdle
    if (IsWindowClosing(m) || m.kind == MessageKind::Quit) {
        if (m.kind == MessageKind::Quit)
            PlatformPostMessage(m);  // the outermost message loop ends on it
        else
            DispatchMessage(m);
        e.code = kScreenClosing;
        return e;
    }
    DispatchMessage(m);
    // A click in an edit box gave it the keys: the ring, which shows where they go, goes.
    if (m.kind == MessageKind::LeftDown && m.target == MessageTarget::EditBox)
        ForgetKeyboardFocus(nullptr);
    const KeyResult key = TranslateKey(m, loop.count, loop.controls, loop.previous, false);
    if (key == kKeyHandled) {
        e.code = kEventNothing;
        return e;
    }
    if (key == kKeyClosing) {
        e.code = kEventClosedMinimised;  // as when the About panel saw the window close
        return e;
    }
    e.code = ClassifyMessage(m);
    int x = 0, y = 0;
    switch (e.code) {
    case kEventLeftDown:
        if (key != kKeyClick) ForgetKeyboardFocus(nullptr);  // the mouse is in use again
        PointerPosition(m, x, y);
        e.hit = HitTestControls(x, y, loop.count, loop.controls);
        if (e.hit && e.hit->kind == kPushButton && !e.hit->selected) {
            PressFeedback(e.hit);
            e.pressed = e.hit;
        }
        break;
    case kEventMouseMove:
        PointerPosition(m, x, y);
        e.hit = HitTestControls(x, y, loop.count, loop.controls);
        if (!loop.screenHovers) HoverScreenControl(loop, e.hit);
        break;
    case kEventRightDown:
    case kEventLeftUp:
        PointerPosition(m, x, y);
        e.hit = HitTestControls(x, y, loop.count, loop.controls);
        break;
    default: break;
    }
    return e;
}

int ScreenEventEnd(const ScreenEvent& e) {
    if (e.code == kScreenClosing) return 2000;
    if (e.code == kEventClosedMinimised) return 2001;
    return 0;
}

bool HoverScreenControl(ScreenLoop& loop, Control* hit) {
    if (!hit || hit == loop.previous) return false;
    HoverControl(hit, loop.previous);
    SetHelpLineText(HelpLine(), hit->help);
    loop.previous = hit;
    gWidgets.hoverControl = hit;
    return true;
}

void RedrawScreenControls(int count, Control* const* controls, int layers) {
    if (!controls) return;
    for (int layer = 0; layer < layers; ++layer)
        for (int i = 0; i < count; ++i) {
            Control* c = controls[i];
            if (c && c->layer == layer && c->state < 0) DrawControl(c);
        }
}

void DestroyScreenControls(int count, Control** controls, int layers) {
    if (!controls) return;
    for (int layer = layers - 1; layer >= 0; --layer)
        for (int i = 0; i < count; ++i) {
            Control* c = controls[i];
            if (!c || c->layer != layer) continue;
            c->state = kStateHide;
            DestroyControl(c);
            controls[i] = nullptr;
        }
    for (int i = 0; i < count; ++i) {
        if (!controls[i]) continue;
        controls[i]->state = kStateHide;
        DestroyControl(controls[i]);
        controls[i] = nullptr;
    }
}

int SharedClickResult(int id, int ownScreenId) {
    switch (id) {
    case 801: return 1;
    case 802: return 2;
    case 803: return 5;
    case 804: return 8;
    case 806: return kNavSaveRun;
    case 807:
    case 810: return 2001;
    case 808:
        ChooseLogbookFileForOpen();
        return 15;
    case 809:
        // The screen waits while the window is an icon (see ClassifyMessage); after the
        // restore its picture is shown again and it carries on where it was.
        PlatformMinimise();
        return kNavStay;
    case 1: {
        const int r = RunAboutPanel();
        if (r == kPopupDisplayLost) return -ownScreenId;
        if (r == kPopupWindowClosing) return 2001;
        return kNavStay;
    }
    default: return kNavNotShared;
    }
}
