// SPDX-License-Identifier: GPL-3.0-or-later
// Pop-up panels (the About panel and the like) with their own modal loop, and the notice box
// a screen can lay over itself.
#pragma once

#include "graphics/rect.h"

struct Control;
struct TextFont;

// What RunPopupPanel returns besides a button id.
enum : int {
    kPopupTimedOut = -1,         // left untouched for the configured idle time
    kPopupDisplayLost = 9875,    // the caller starts afresh (its own ScreenId negated)
    kPopupWindowClosing = 9876,  // the caller ends the program (2001)
};

// Shows `panel` over the screen and runs its loop until one of the panel's push buttons among
// `controls` is clicked (its id is returned), the idle time-out passes, the display is lost or
// the window closes. The screen area under the panel is put back afterwards.
int RunPopupPanel(Control* panel, int count, Control* const* controls);

// Shows a notice box with a shadow over rect (show 1), or takes it away again (show 0),
// putting back what lay beneath. '@' in text starts a new line; the box widens about its
// centre where a line would not fit inside its bevel.
void ShowNotice(const ScreenRect& rect, const char* text, TextFont* font, int show);
bool NoticeShown();

// The pop-up frame: grey face and a black frame.
void DrawPopupFrameBody(const ScreenRect& rect);
