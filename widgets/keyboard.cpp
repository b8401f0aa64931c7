// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/keyboard.h"

#include <cstdio>

#include "graphics/edit_box.h"
#include "graphics/scale.h"
#include "widgets/control.h"
#include "widgets/export_files.h"
#include "widgets/interaction.h"
#include "widgets/keys_panel.h"
#include "widgets/popup.h"
#include "widgets/widget_state.h"

KeyboardState gKeyboard;

void ResetKeyboard() {
    gKeyboard = KeyboardState{};
    PlatformSetFocusRing(false, 0, 0, 0, 0);
}

void SetScreenKeys(const ScreenKey* keys, int count) {
    gKeyboard.keys = keys;
    gKeyboard.keyCount = keys ? count : 0;
}
void SetArrowAction(ArrowAction arrowAction) { gKeyboard.arrowAction = arrowAction; }
void SetArrowFocusGroup(int firstId, int lastId) {
    gKeyboard.arrowFirstId = firstId;
    gKeyboard.arrowLastId = lastId;
}
void SetExportRun(ExportRun exportRun) { gKeyboard.exportRun = exportRun; }

void ClearScreenKeys() {
    SetScreenKeys(nullptr, 0);
    SetArrowAction(nullptr);
    SetArrowFocusGroup(0, -1);
    SetExportRun(nullptr);
}

namespace {
// The edit box lying over an entry area (its child id), 0 when there is none.
unsigned BoxUnder(const Control* c) {
    if (!c || c->kind != kEntryArea) return 0;
    return EditBoxAt(ToDeviceX((c->rect.left + c->rect.right) / 2),
                     ToDeviceY((c->rect.top + c->rect.bottom) / 2));
}
}  // namespace

bool IsFocusable(const Control* c) {
    if (!c) return false;
    // A selected button counts too: a latitude that is on turns off when pressed, and the
    // ring on a choice that is on shows which one it is.
    const bool active = c->state == kStateActive || c->state == kStateRedrawActive;
    if (active && c->kind == kEntryArea) return BoxUnder(c) != 0;  // a box to write in
    return active && (c->kind == kPushButton || c->kind == kRoundButton);
}

void SetKeyboardFocus(Control* c, Control*& hovered) {
    gKeyboard.focus = c;
    // The ring on an entry area gives its box the keys; anywhere else the keys are the
    // window's, and no caret is left in a box that no longer takes them.
    const unsigned box = BoxUnder(c);
    if (int(box) != PlatformKeyboardFocus()) FocusEditBox(box);
    if (!c) {
        PlatformSetFocusRing(false, 0, 0, 0, 0);
        return;
    }
    HoverControl(c, hovered);
    hovered = c;
    gWidgets.hoverControl = c;
    SetHelpLineText(HelpLine(), c->help);
    const ScreenRect& r = c->rect;
    PlatformSetFocusRing(true, ToDeviceX(r.left), ToDeviceY(r.top), ToDeviceX(r.right),
                         ToDeviceY(r.bottom));
}

void ForgetKeyboardFocus(const Control* c) {
    if (c && c != gKeyboard.focus) return;
    gKeyboard.focus = nullptr;
    PlatformSetFocusRing(false, 0, 0, 0, 0);
}

namespace {

int IndexOf(const Control* c, int count, Control* const* controls) {
    for (int i = 0; i < count; ++i)
        if (controls[i] == c) return i;
    return -1;
}

// The next focusable control after (step 1) or before (step -1) the focused one, in the
// order the controls were made, wrapping round; `inGroup` keeps to the arrow group.
Control* NextFocus(int step, int count, Control* const* controls, bool inGroup) {
    if (count <= 0) return nullptr;
    int at = IndexOf(gKeyboard.focus, count, controls);
    if (at < 0) at = step > 0 ? -1 : count;
    for (int n = 0; n < count; ++n) {
        at = (at + step + count) % count;
        Control* c = controls[at];
        if (!IsFocusable(c)) continue;
        if (inGroup && (c->id < gKeyboard.arrowFirstId || c->id > gKeyboard.arrowLastId))
            continue;
        return c;
    }
    return nullptr;
}

// The entry area the edit box `childId` lies over, null when none.
Control* AreaOfBox(int childId, int count, Control* const* controls) {
    for (int i = 0; i < count; ++i)
        if (controls[i] && int(BoxUnder(controls[i])) == childId) return controls[i];
    return nullptr;
}

// The keys that work everywhere, in an edit box too (F11 is handled before).
bool IsWindowKey(const Message& m) {
    const bool control = (m.modifiers & kModControl) != 0;
    return m.key == KeyTab || m.key == KeyF1 || m.key == KeyF12 || m.key == KeyPrint ||
           (control && m.key == 'E');
}

Control* FindById(int id, int count, Control* const* controls) {
    for (int i = 0; i < count; ++i)
        if (controls[i] && controls[i]->id == id && IsFocusable(controls[i])) return controls[i];
    return nullptr;
}

// Rewrites the message into the press of the left button at logical (x, y) and queues the
// release, so the screen sees exactly what a click there gives.
KeyResult ClickAt(Message& m, int x, int y) {
    m.kind = MessageKind::LeftDown;
    m.x = ToDeviceX(x);
    m.y = ToDeviceY(y);
    m.key = 0;
    m.modifiers = 0;
    Message up = m;
    up.kind = MessageKind::LeftUp;
    PlatformPostMessage(up);
    return kKeyClick;
}

KeyResult Press(Message& m, const Control* c) {
    if (!c) return kKeyHandled;
    const ScreenRect& r = c->hitRect;
    return ClickAt(m, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

const ScreenKey* ScreenKeyFor(const Message& m) {
    for (int i = 0; i < gKeyboard.keyCount; ++i) {
        const ScreenKey& k = gKeyboard.keys[i];
        if (m.kind == MessageKind::KeyDown && k.key && k.key == m.key && !(m.modifiers & kModControl))
            return &k;
        if (m.kind == MessageKind::Character && k.character && k.character == m.character)
            return &k;
    }
    return nullptr;
}

void ShowMessage(const char* text) { SetHelpLineText(HelpLine(), text); }

KeyResult RunKeysPanelFromScreen() {
    gKeyboard.keysPanelOpen = true;
    const int r = RunKeysPanel();
    gKeyboard.keysPanelOpen = false;
    if (r == kPopupWindowClosing) return kKeyClosing;
    // The screen starts afresh, as after the About panel.
    if (r == kPopupDisplayLost) gPlatform.displayLost = true;
    return kKeyHandled;
}

}  // namespace

KeyResult TranslateKey(Message& m, int count, Control* const* controls, Control*& hovered,
                       bool inPopup) {
    if (m.kind != MessageKind::KeyDown && m.kind != MessageKind::Character) return kKeyNotMine;
    // The window's mode belongs to no screen: F11 works everywhere, in an edit box too.
    if (m.kind == MessageKind::KeyDown && m.key == KeyF11) {
        PlatformToggleFullscreen();
        return kKeyHandled;
    }
    if (m.target != MessageTarget::MainWindow) {
        // An edit box keeps every key it uses but those that work everywhere; it takes no
        // Tab, so Tab leaves it for the next stop after its own.
        if (m.kind != MessageKind::KeyDown || !IsWindowKey(m)) return kKeyNotMine;
        if (m.key == KeyTab) {
            if (Control* area = AreaOfBox(m.childId, count, controls)) gKeyboard.focus = area;
            FocusEditBox(0);
        }
    }
    if (m.kind == MessageKind::Character) {
        const ScreenKey* k = inPopup ? nullptr : ScreenKeyFor(m);
        return k ? Press(m, FindById(k->controlId, count, controls)) : kKeyNotMine;
    }
    const bool shift = (m.modifiers & kModShift) != 0;
    const bool control = (m.modifiers & kModControl) != 0;
    Control* focus = IndexOf(gKeyboard.focus, count, controls) >= 0 ? gKeyboard.focus : nullptr;
    switch (m.key) {
    case KeyTab:
        SetKeyboardFocus(NextFocus(shift ? -1 : 1, count, controls, false), hovered);
        return kKeyHandled;
    case KeyEnter:
        return focus && IsFocusable(focus) ? Press(m, focus) : kKeyHandled;
    case KeyEscape:
        ForgetKeyboardFocus(nullptr);
        return kKeyHandled;  // a pop-up's loop closes itself on Escape before asking here
    case KeyF1:
        return inPopup ? kKeyHandled : RunKeysPanelFromScreen();
    case KeyF12:
    case KeyPrint: {
        char message[kLabelSize];
        SaveScreenPicture(message, sizeof message);
        ShowMessage(message);
        return kKeyHandled;
    }
    default: break;
    }
    if (control) {
        if (m.key == 'E' && !inPopup && gKeyboard.exportRun) {
            char message[kLabelSize];
            gKeyboard.exportRun(message, sizeof message);
            ShowMessage(message);
            return kKeyHandled;
        }
        return kKeyNotMine;
    }
    if (m.key == KeySpace && focus && IsFocusable(focus)) return Press(m, focus);
    if (inPopup) return kKeyNotMine;
    if (const ScreenKey* k = ScreenKeyFor(m)) return Press(m, FindById(k->controlId, count, controls));
    const bool arrow = m.key == KeyLeft || m.key == KeyRight || m.key == KeyUp || m.key == KeyDown;
    if (!arrow) return kKeyNotMine;
    if (gKeyboard.arrowAction && gKeyboard.arrowAction(m.key)) return kKeyHandled;
    if (gKeyboard.arrowLastId >= gKeyboard.arrowFirstId) {
        const int step = m.key == KeyUp || m.key == KeyLeft ? -1 : 1;
        if (Control* next = NextFocus(step, count, controls, true)) SetKeyboardFocus(next, hovered);
        return kKeyHandled;
    }
    return kKeyNotMine;
}
