// SPDX-License-Identifier: GPL-3.0-or-later
// Input messages: polling, the window procedure, and the small codes screens react to.
#pragma once

#include "platform/platform.h"
#include "widgets/widget_state.h"

// What ClassifyMessage makes of a message.
enum : int {
    kEventLeftDown = 0,
    kEventRightDown = 1,
    kEventMouseMove = 2,
    kEventCloseRequest = 3,
    kEventDisabled = 4,
    kEventEnabled = 5,
    kEventHidden = 6,
    kEventShown = 7,
    kEventRestored = 8,           // the window was minimised and is back
    kEventClosedMinimised = 9,    // the window was closed while minimised
    kEventNothing = 10,
    kEventEnterInChild = 11,      // Enter pressed in an edit box
    kEventLeftUp = 12,
    kEventOther = 999,
};

// Takes the next message if there is one (true); never waits.
bool PollMessage(Message& message);
// True for the main window's destroy and close messages.
bool IsWindowClosing(const Message& message);
// Hands the message to the window procedure; system key messages are dropped.
void DispatchMessage(const Message& message);
// The event code of a message. A minimise waits here, blocking, until the window is restored
// (8) or closed (9).
int ClassifyMessage(const Message& message);
// The pointer position of a mouse message, in device pixels.
void PointerPosition(const Message& message, int& x, int& y);

// Registers the main window's procedure; null goes back to the default one.
void SetWindowProcedure(WindowProcedure procedure);
// Re-applies the cursor on every mouse movement; everything else gets the platform's default
// handling (iconise, restore, close).
void DefaultWindowProcedure(const Message& message);
