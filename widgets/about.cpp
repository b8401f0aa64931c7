// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/about.h"

#include <cstdio>
#include <cstring>

#include "graphics/copy.h"
#include "graphics/draw.h"
#include "graphics/present.h"
#include "graphics/scale.h"
#include "graphics/sprite.h"
#include "graphics/text.h"
#include "widgets/control.h"
#include "widgets/popup.h"
#include "widgets/ui_resources.h"
#include "widgets/widget_state.h"

namespace {

void Copy(char* out, size_t size, const char* text) {
    std::snprintf(out, size, "%s", text ? text : "");
}

// The maker's notice and contact lines under the name and version; null marks the line that
// carries the maker's name.
struct NoticeLine {
    int dy;
    const char* text;
};
const NoticeLine kNoticeLines[] = {
    {100, "An Earth and Sun model by"},
    {130, nullptr},
    {150, "Learning software for"},
    {170, "the science classroom."},
    {200, "Questions or ideas?"},
    {220, "Ask your teacher to"},
    {240, "get in touch with us."},
    {280, "All rights reserved."},
    {305, "Enjoy the seasons!"},
};

}  // namespace

void SetProgramIdentity(const char* productName, const char* version, const char* makerName) {
    Copy(gWidgets.productName, sizeof gWidgets.productName, productName);
    Copy(gWidgets.version, sizeof gWidgets.version, version);
    Copy(gWidgets.makerName, sizeof gWidgets.makerName, makerName);
}

const char* ProductName() { return gWidgets.productName; }
const char* ProgramVersion() { return gWidgets.version; }
const char* MakerName() { return gWidgets.makerName; }

void FormatVersionText(const char* version, char* out, size_t size) {
    if (!out || size == 0) return;
    const char* v = version ? version : "";
    const char* suffix = v[0] == '0' ? " (beta)" : v[0] == 'X' ? " (alpha)" : "";
    std::snprintf(out, size, "Version %s%s", v, suffix);
}

bool CreateAboutPanel() {
    if (gWidgets.aboutPanel) return false;
    Control* panel = CreatePopupPanel(0, 1, MakeScreenRect(362, 186, 662, 586),
                                      "This tells you about this program.",
                                      UiSprite(kSpriteAboutLogo), 23);
    panel->state = kStateInactive;  // drawn only while a pop-up shows it
    panel->drawCallback = DrawAboutContents;
    Control* done = CreateButton(1, 1, kStateInactive, MakeScreenRect(100, 335, 200, 385), "Done",
                                 "Click on this to return to the action.", UiSprite(kSpriteDone),
                                 panel, 16, gUi.labelFont);
    gWidgets.aboutPanel = panel;
    gWidgets.aboutDone = done;
    return true;
}

void DestroyAboutPanel() {
    Control* done = gWidgets.aboutDone;
    Control* panel = gWidgets.aboutPanel;
    gWidgets.aboutDone = nullptr;
    gWidgets.aboutPanel = nullptr;
    DestroyControl(done);
    DestroyControl(panel);
}

Control* AboutPanel() { return gWidgets.aboutPanel; }
Control* AboutDoneButton() { return gWidgets.aboutDone; }

int RunAboutPanel() {
    Control* panel = gWidgets.aboutPanel;
    Control* done = gWidgets.aboutDone;
    if (!panel || !done) return kPopupTimedOut;  // nothing to show: the screen just goes on
    Control* controls[1] = {done};
    return RunPopupPanel(panel, 1, controls);
}

void DrawAboutContents(Control* panel) {
    if (!panel) return;
    const ScreenRect& r = panel->rect;
    const int c = panel->colour;
    const int cx = (r.left + r.right) / 2;
    const int top = r.top;

    BeginDrawing();
    SetBrushColour(c + 3);
    FillScreenRect(r);
    DrawBevel(r, 0, 0, 0);
    DrawBevel(r, 1, c + 6, c + 1);
    DrawBevel(r, 2, c + 6, c + 1);
    SetPenColour(0);
    EndDrawing();

    if (panel->sprite) {
        const Sprite& logo = *panel->sprite;
        const int hw = logo.width / 2;
        const int hh = logo.height / 2;
        const int x = ToDeviceX(cx);
        const int y = ToDeviceY(top);
        DrawSprite(MakeScreenRect(x - hw, y + hh, x + hw, y + 3 * hh), logo, true);
    }

    BeginDrawing();
    SelectTextFont(gUi.labelFont);
    SetTextAlignment(1, 1);
    SetPenColour(0);
    char line[160];
    std::snprintf(line, sizeof line, "%s %s", gWidgets.makerName, gWidgets.productName);
    DrawTextAt(cx, top + 60, line);
    FormatVersionText(gWidgets.version, line, sizeof line);
    DrawTextAt(cx, top + 80, line);
    for (const NoticeLine& n : kNoticeLines)
        DrawTextAt(cx, top + n.dy, n.text ? n.text : gWidgets.makerName);
    EndDrawing();
}
