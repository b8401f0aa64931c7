// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/widget_state.h"

#include "graphics/copy.h"
#include "widgets/about.h"
#include "widgets/keyboard.h"

WidgetState gWidgets;

void ResetWidgetState() {
    DestroyAboutPanel();
    FreeScreenArea(gWidgets.notice.saved);
    gWidgets = WidgetState{};
    ResetKeyboard();
}

void ForgetLiveControls() {
    gWidgets.liveControls = nullptr;
    gWidgets.liveControlCount = 0;
}

void ForgetControl(const Control* control) {
    if (!control) return;
    if (gWidgets.helpLine == control) gWidgets.helpLine = nullptr;
    if (gWidgets.hoverControl == control) gWidgets.hoverControl = nullptr;
    if (gWidgets.activePopup == control) gWidgets.activePopup = nullptr;
    if (gWidgets.aboutPanel == control) gWidgets.aboutPanel = nullptr;
    if (gWidgets.aboutDone == control) gWidgets.aboutDone = nullptr;
    ForgetKeyboardFocus(control);
}
