// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's process-wide state: one record, with a reset for tests.
#pragma once
#include <cstdint>

#include "graphics/buffer.h"
#include "graphics/rect.h"
#include "platform/platform.h"

struct Control;

// The window procedure: what the main window does with a message a loop dispatches. The shell
// registers its own (it owns the shutdown steps); until then DefaultWindowProcedure serves.
using WindowProcedure = void (*)(const Message& message);

constexpr int kCursorTableSlots = 21;  // slots 1..20 hold shapes; 0 shows no pointer

// The notice box a screen may lay over itself, and the screen area under it.
struct NoticeState {
    bool shown = false;
    ScreenRect rect;  // the notice and its shadow
    SavedArea saved;
};

struct WidgetState {
    Control* helpLine = nullptr;       // the HelpLine text bar (made by the shell)
    Control* hoverControl = nullptr;   // the control the pointer was last found over
    Control* activePopup = nullptr;    // the pop-up panel whose loop is running
    // The controls of the loop taking messages now (the running screen's, or an open
    // pop-up's), so a driver of the headless program can aim at what is on screen; null
    // between loops.
    Control* const* liveControls = nullptr;
    int liveControlCount = 0;

    int cursorSlot = -1;                          // -1 until a shape was chosen
    int cursorResource[kCursorTableSlots] = {};   // resource number loaded into each slot

    uint64_t idleClockSeconds = 0;  // when a pop-up loop last handled a message
    Message lastMessage;            // the closing message a pop-up saw

    bool focusTaken = false;        // TakeFocus(1) is in force
    int rememberedFocus = 0;        // the child that had the keyboard focus before
    ScreenRect confineRect;         // where the pointer is kept (the whole screen when free)

    NoticeState notice;
    WindowProcedure windowProcedure = nullptr;

    Control* aboutPanel = nullptr;  // made once at start-up, see about.h
    Control* aboutDone = nullptr;

    // The program's identity, as the shell copies it in at start-up.
    char productName[64] = "Heliora";
    char version[16] = "1.1h";
    char makerName[64] = "Halvern";
};
extern WidgetState gWidgets;

// Frees what the state owns (the About panel, a shown notice's saved area) and returns every
// field to its start value.
void ResetWidgetState();
// Drops every reference the state holds to a control that is being freed.
void ForgetControl(const Control* control);
// No loop is taking messages (a screen ended): the live controls are gone.
void ForgetLiveControls();
