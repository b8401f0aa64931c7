// SPDX-License-Identifier: GPL-3.0-or-later
// Pointer and keyboard matters shared by every loop: hit testing, the pressed-button
// animation, hover highlighting, the help line, cursor shapes, pointer confinement and
// capture, keyboard focus, and the idle clock of pop-up panels.
#pragma once

struct Control;

// The control under device point (x, y): active controls only, the highest layer winning and,
// among equal layers, the first in the array. Null when none.
Control* HitTestControls(int x, int y, int count, Control* const* controls);
// The picture under a push or round button slides down and right by two pixels and back.
void PressFeedback(Control* control);
// Moves the hover highlight from `previous` to `control` and picks the cursor for it.
void HoverControl(Control* control, Control* previous);
// Puts text into a text bar (the HelpLine, or a screen's own) and draws it.
void SetHelpLineText(Control* textBar, const char* text);
// The HelpLine of the program, as the shell made it.
void SetHelpLine(Control* helpLine);
Control* HelpLine();

// Cursor shapes. Slots 1..20; LoadCursorShape reads cursor resource `resourceId`.
bool LoadCursorShape(int slot, int resourceId);
// Slots 0..20 become current and are shown; -1 re-applies the current one, if any.
void SetCursorShape(int slot);
int CurrentCursorShape();

// Keeps the pointer inside the logical rectangle; a negative left frees it.
void ConfinePointer(int left, int top, int right, int bottom);
void CaptureMouse(int on);
// On: the main window takes the keyboard focus, remembering who had it; off: gives it back.
void TakeFocus(int on);

// True when the idle time-out is on and more than the configured seconds have passed since
// the idle clock was last set.
bool IdleTimedOut();
void RestartIdleClock();
