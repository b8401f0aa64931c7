// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard, on every screen and pop-up: Tab and Shift+Tab move a focus ring over the
// enabled buttons and the edit boxes (Tab in a box leaves it), Enter or Space press the focused one exactly as a left click would, a
// screen's own keys press its buttons, and a few keys work everywhere (F1 the list of keys,
// F11 a window or the whole screen, F12 a picture of the screen, Ctrl+E the numbers of the
// run shown).
//
// A key never does anything a click could not: a press becomes the left-button click it
// stands for, at the middle of the control, and the screen handles it as any other click.
// Only a screen's own arrow keys act directly (Change Tilt's whole degrees), since no click
// point gives every degree at every display size.
#pragma once

#include "platform/platform.h"

struct Control;

// A screen's own key: the key (KeyDown code, 0 for none) or typed character (0 for none)
// presses the control with this id.
struct ScreenKey {
    int key;
    int character;
    int controlId;
};

// A screen's own use of the arrow keys: does what the key means there, false when it does
// nothing now.
using ArrowAction = bool (*)(int key);

// Ctrl+E: writes the numbers of what the screen shows and says in `message` where they went
// (or why they could not be written).
using ExportRun = void (*)(char* message, int size);

struct KeyboardState {
    Control* focus = nullptr;  // the control the ring is on, null when none
    // The running screen's own keys; cleared whenever a screen loop begins.
    const ScreenKey* keys = nullptr;
    int keyCount = 0;
    ArrowAction arrowAction = nullptr;
    int arrowFirstId = 0;   // arrows move the focus among the controls with ids in
    int arrowLastId = -1;   // arrowFirstId..arrowLastId (Select Latitudes)
    ExportRun exportRun = nullptr;
    bool keysPanelOpen = false;
};
extern KeyboardState gKeyboard;
void ResetKeyboard();

// The running screen's keys (BeginScreenLoop clears them).
void SetScreenKeys(const ScreenKey* keys, int count);
void SetArrowAction(ArrowAction arrowAction);
void SetArrowFocusGroup(int firstId, int lastId);
void SetExportRun(ExportRun exportRun);
void ClearScreenKeys();

// What TranslateKey made of a message.
enum KeyResult {
    kKeyNotMine,   // not a key of this layer: handle the message as it is
    kKeyHandled,   // done here (the focus moved, a pop-up ran, a file was written)
    kKeyClick,     // the message is now a left-button press (its release is queued)
    kKeyClosing,   // the window is closing (seen while the keys pop-up was open)
};
// For a key message to the main window. `controls` are those of the running loop (a screen's
// or a pop-up's); `hovered` is the loop's hovered control, kept in step with the focus.
// `inPopup`: Escape closes, F1 and Ctrl+E do nothing.
KeyResult TranslateKey(Message& message, int count, Control* const* controls,
                       Control*& hovered, bool inPopup);

// Whether the control can take the focus: an enabled push or round button, or an entry
// area with an edit box over it (the ring there gives the box the keys).
bool IsFocusable(const Control* control);
// Puts the ring on a control (null takes it away), showing its help text as a hover does.
void SetKeyboardFocus(Control* control, Control*& hovered);
// Takes the ring away; a destroyed control calls this with itself.
void ForgetKeyboardFocus(const Control* control);
