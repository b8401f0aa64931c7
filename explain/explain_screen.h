// SPDX-License-Identifier: GPL-3.0-or-later
// What the explanation screens share: their main panel, buttons placed in absolute
// coordinates on it, the choice groups of buttons (exactly one on), and the loop that takes
// their events.
#pragma once

#include "graphics/rect.h"
#include "widgets/control.h"

struct ScreenLoop;

constexpr int kExplainPanelColour = 23;   // grey family; the face is 26
constexpr int kExplainButtonColour = 16;  // blue family
constexpr int kReturnToTiltId = 106;      // "Return to@Tilt Screen"

// The screen's panel over the work area, tiled, with its draw callback; added to the loop.
Control* AddExplainPanel(ScreenLoop& loop, const char* help, ControlDrawCallback draw);
// A push button on the panel at an absolute rectangle, in Arial Bold 16 (18 with a sprite),
// drawn pressed when `on`; added to the loop.
Control* AddExplainButton(ScreenLoop& loop, Control* panel, int id, const ScreenRect& rect,
                          const char* label, const char* help, bool on);
// "Return to@Tilt Screen" with the tilt icon, id kReturnToTiltId.
Control* AddReturnToTiltButton(ScreenLoop& loop, Control* panel, const ScreenRect& rect);
// A help area at an absolute rectangle on the panel; added to the loop.
Control* AddExplainHelpArea(ScreenLoop& loop, Control* panel, const ScreenRect& rect,
                            const char* help);

// Turns `pressed` on and the group's other button that is on off, each redrawn. False, with
// nothing changed, when `pressed` is already on or not in the group.
bool SelectChoice(Control* const* group, int count, Control* pressed);
// The group's button with the id, or null.
Control* ChoiceWithId(Control* const* group, int count, int id);

// What a screen's own click or idle step asks for.
enum : int {
    kExplainStay = 0,     // go on
    kExplainNotOwn = -1,  // not the screen's own id (clicks only)
};
using ExplainIdleStep = int (*)();          // kExplainStay, or the ScreenId to leave with
using ExplainClick = int (*)(int id);       // kExplainStay, kExplainNotOwn or a ScreenId

// Runs the screen's events until it leaves; returns the ScreenId to leave with. Idle time runs
// `idle`; a click on an active button that is not on goes to `click`, then, when not the
// screen's own, to the NavBar and About rules; a closing window gives 2000, a close while
// minimised 2001, a lost display -(the loop's screen id). The caller cleans up.
int RunExplainEvents(ScreenLoop& loop, ExplainIdleStep idle, ExplainClick click);
