// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/keys_panel.h"

#include "graphics/present.h"
#include "graphics/text.h"
#include "widgets/control.h"
#include "widgets/popup.h"
#include "widgets/ui_resources.h"

namespace {

constexpr int kPanelColour = 23;
constexpr int kKeysPanelId = 2;  // not 0: the screen behind it is kept in the second buffer

struct KeyLine {
    const char* keys;  // null: a heading over the lines that follow
    const char* what;
};
const KeyLine kKeyLines[] = {
    {"Tab, Shift+Tab", "move between the buttons"},
    {"Enter, Space", "press the button with the ring"},
    {"Escape", "close a panel like this one"},
    {"F1", "this list of keys"},
    {"F11", "a window or the whole screen"},
    {"F12, Print", "save a picture of the screen"},
    {"Ctrl+E", "save the numbers of the run shown"},
    {nullptr, "Watch the Seasons"},
    {"Space", "pause and go on"},
    {"+  -", "faster, slower"},
    {"1  2  3", "temperature, energy, daylight"},
    {nullptr, "Change Tilt, Change Shape, Latitudes"},
    {"Arrow keys", "tilt one degree, orbit shape,"},
    {"", "move between latitudes"},
};

void DrawKeysContents(Control* panel) {
    const ScreenRect& r = panel->rect;
    const int c = panel->colour;
    BeginDrawing();
    SetBrushColour(c + 3);
    FillScreenRect(r);
    DrawBevel(r, 0, 0, 0);
    DrawBevel(r, 1, c + 6, c + 1);
    DrawBevel(r, 2, c + 6, c + 1);
    SetPenColour(0);
    SelectTextFont(gUi.headingFont);
    SetTextAlignment(1, 0);
    DrawTextAt((r.left + r.right) / 2, r.top + 12, "Keys");
    int y = r.top + 52;
    for (const KeyLine& line : kKeyLines) {
        if (!line.keys) {
            y += 6;
            SelectTextFont(gUi.labelFont);
            SetTextAlignment(0, 0);
            DrawTextAt(r.left + 24, y, line.what);
        } else {
            SelectTextFont(gUi.smallLabelFont);
            SetTextAlignment(0, 0);
            DrawTextAt(r.left + 24, y, line.keys);
            DrawTextAt(r.left + 180, y, line.what);
        }
        y += 22;
    }
    EndDrawing();
}

}  // namespace

int RunKeysPanel() {
    Control* panel = CreatePopupPanel(0, kKeysPanelId, MakeScreenRect(262, 134, 762, 634),
                                      "These are the keys Heliora knows.", nullptr, kPanelColour);
    panel->drawCallback = DrawKeysContents;
    Control* done = CreateButton(1, 1, kStateRedrawActive, MakeScreenRect(200, 435, 300, 485),
                                 "Done", "Click on this to return to the action.",
                                 UiSprite(kSpriteDone), panel, 16, gUi.labelFont);
    Control* controls[1] = {done};
    const int result = RunPopupPanel(panel, 1, controls);
    DestroyControl(done);
    DestroyControl(panel);
    return result;
}
