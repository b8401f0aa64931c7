// SPDX-License-Identifier: GPL-3.0-or-later
#include "explain/explain_screen.h"

#include "graphics/display.h"
#include "navbar/navbar.h"
#include "widgets/events.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

namespace {

// The rectangle relative to the panel, which CreateButton and CreateHotspot expect.
ScreenRect OnPanel(const Control* panel, const ScreenRect& r) {
    return MakeScreenRect(r.left - panel->rect.left, r.top - panel->rect.top,
                          r.right - panel->rect.left, r.bottom - panel->rect.top);
}

Control* AddButton(ScreenLoop& loop, Control* panel, int id, const ScreenRect& rect,
                   const char* label, const char* help, const Sprite* sprite, bool on) {
    Control* b = CreateButton(id, 1, kStateRedrawActive, OnPanel(panel, rect), label, help,
                              sprite, panel, kExplainButtonColour,
                              sprite ? gUi.labelFont : gUi.smallLabelFont);
    b->selected = on ? 1 : 0;
    AddScreenControl(loop, b);
    return b;
}

}  // namespace

Control* AddExplainPanel(ScreenLoop& loop, const char* help, ControlDrawCallback draw) {
    Control* panel = CreatePanel(0, ScreenWorkArea(), help, UiSprite(kSpritePanelMark),
                                 kExplainPanelColour);
    panel->drawCallback = draw;
    AddScreenControl(loop, panel);
    return panel;
}

Control* AddExplainButton(ScreenLoop& loop, Control* panel, int id, const ScreenRect& rect,
                          const char* label, const char* help, bool on) {
    return AddButton(loop, panel, id, rect, label, help, nullptr, on);
}

Control* AddReturnToTiltButton(ScreenLoop& loop, Control* panel, const ScreenRect& rect) {
    return AddButton(loop, panel, kReturnToTiltId, rect, "Return to@Tilt Screen",
                     "Click on this to return to the Change Tilt screen.",
                     UiSprite(kSpriteTilt), false);
}

Control* AddExplainHelpArea(ScreenLoop& loop, Control* panel, const ScreenRect& rect,
                            const char* help) {
    Control* area = CreateHotspot(1, OnPanel(panel, rect), help, panel);
    AddScreenControl(loop, area);
    return area;
}

Control* ChoiceWithId(Control* const* group, int count, int id) {
    for (int i = 0; i < count; ++i)
        if (group[i] && group[i]->id == id) return group[i];
    return nullptr;
}

bool SelectChoice(Control* const* group, int count, Control* pressed) {
    if (!pressed || pressed->selected == 1 || !ChoiceWithId(group, count, pressed->id))
        return false;
    for (int i = 0; i < count; ++i)
        if (group[i] && group[i]->selected == 1) ToggleControl(group[i]);
    ToggleControl(pressed);
    return true;
}

int RunExplainEvents(ScreenLoop& loop, ExplainIdleStep idle, ExplainClick click) {
    for (;;) {
        const ScreenEvent e = NextScreenEvent(loop);
        if (e.code == kScreenIdle) {
            const int next = idle ? idle() : kExplainStay;
            if (next != kExplainStay) return next;
            continue;
        }
        if (const int end = ScreenEventEnd(e)) return end;
        if (e.pressed) {
            int next = click ? click(e.pressed->id) : kExplainNotOwn;
            if (next == kExplainNotOwn) {
                next = NavBarClickResult(e.pressed->id, loop.screenId);
                if (next == kNavNotShared) next = kExplainStay;
            }
            if (next != kExplainStay) return next;
        }
        if (IsDisplayLost()) return -loop.screenId;
    }
}
