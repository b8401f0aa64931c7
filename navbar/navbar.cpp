// SPDX-License-Identifier: GPL-3.0-or-later
#include "navbar/navbar.h"

#include <cstdio>

#include "graphics/rect.h"
#include "logbook/logbook.h"
#include "config/config.h"
#include "config/logbook_file.h"
#include "widgets/about.h"
#include "widgets/control.h"
#include "widgets/interaction.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

NavBarState gNavBar;

namespace {

constexpr int kBarColour = 23;     // grey bars and icon boxes
constexpr int kButtonColour = 16;  // the buttons' face shades
constexpr int kAboutRight = 132;   // the About button's right edge on the HelpLine bar

Control* Add(Control* c) {
    if (c && gNavBar.count < kNavBarMaxControls) gNavBar.list[gNavBar.count++] = c;
    return c;
}

// A button on one of the bars: layer 1, with a draw request.
Control* NavButton(int id, int state, const ScreenRect& rect, const char* label, const char* help,
                   SpriteId sprite, Control* parent, int colour, TextFont* font) {
    return Add(CreateButton(id, 1, state, rect, label, help, UiSprite(sprite), parent, colour,
                            font));
}

}  // namespace

void DestroyNavBar() {
    if (gNavBar.helpLine && HelpLine() == gNavBar.helpLine) SetHelpLine(nullptr);
    // Children first, so nothing is left pointing at a freed panel.
    for (int i = gNavBar.count - 1; i >= 0; --i) DestroyControl(gNavBar.list[i]);
    gNavBar = NavBarState{};
}

bool CreateNavBar() {
    if (gNavBar.count != 0) return false;
    NavBarState& n = gNavBar;

    n.navBarPanel = Add(CreatePanel(0, MakeScreenRect(0, 0, 1024, 64),
                                    "The buttons on this bar let you move between screens.",
                                    nullptr, kBarColour));
    n.helpLineBarPanel =
        Add(CreatePanel(0, MakeScreenRect(0, 738, 1024, 768),
                        "The text area on this bar tells you about what you're pointing at.",
                        nullptr, kBarColour));
    // The About button is wide and tall enough for its label inside its bevel at 800 x 600
    // too, where the small font is relatively larger; the HelpLine starts beside it. Where
    // the logbook lives, when it is not where it is expected, is the first thing said.
    n.helpLine = Add(CreateTextBar(1, MakeScreenRect(kAboutRight + 4, 4, 1024, 26), "",
                                   n.helpLineBarPanel, gUi.labelFont, 26, 0,
                                   *LogbookNotice() ? LogbookNotice()
                                                    : "This tells you about what's happening "
                                                      "where your mouse cursor is."));
    SetHelpLine(n.helpLine);

    Control* bar = n.navBarPanel;
    TextFont* small = gUi.smallLabelFont;
    n.exitButton = NavButton(kNavExit, kStateRedrawActive, MakeScreenRect(10, 10, 90, 56), "Exit",
                             "Click on this to exit the program.", kSpriteExit, bar,
                             kButtonColour, small);
    n.changeTiltButton =
        NavButton(kNavChangeTilt, kStateRedrawActive, MakeScreenRect(250, 10, 360, 56), "Change@Tilt",
                  "Click on this to change the setting of the Earth's tilt.", kSpriteTilt, bar,
                  kButtonColour, small);
    n.changeShapeButton =
        NavButton(kNavChangeShape, kStateRedrawActive, MakeScreenRect(365, 10, 475, 56), "Change@Shape",
                  "Click on this to change the setting of the Earth's orbit shape.",
                  kSpriteShape, bar, kButtonColour, small);
    n.selectLatitudesButton = NavButton(
        kNavSelectLatitudes, kStateRedrawActive, MakeScreenRect(480, 10, 595, 56), "Select@Latitudes",
        "Click on this to change the latitudes selected for charting.", kSpriteLatitudes, bar,
        kButtonColour, small);
    if (LogbookEnabled()) {
        // Only the main screen makes Save In Logbook active: a run must exist to be saved.
        n.saveInLogbookButton = NavButton(
            kNavSaveInLogbook, kStateRedrawInactive, MakeScreenRect(690, 10, 810, 56), "Save In@Logbook",
            "Click on this to save these model settings to the logbook.", kSpriteSaveLogbook,
            bar, kButtonColour, small);
        n.openLogbookButton =
            NavButton(kNavOpenLogbook, kStateRedrawActive, MakeScreenRect(815, 10, 935, 56),
                      "Open@Logbook", "Click on this to open and use the logbook.",
                      kSpriteOpenLogbook, bar, kButtonColour, small);
    }
    n.minimiseBox = NavButton(kNavMinimise, kStateRedrawActive, MakeScreenRect(970, 10, 990, 30), "",
                              "Click on this to minimize this program.", kSpriteMinimise, bar,
                              kBarColour, gUi.labelFont);
    n.closeBox = NavButton(kNavClose, kStateRedrawActive, MakeScreenRect(990, 10, 1010, 30), "",
                           "Click on this to end this program.", kSpriteClose, bar, kBarColour,
                           gUi.labelFont);

    char aboutLabel[kLabelSize];
    std::snprintf(aboutLabel, sizeof aboutLabel, "About \"%s\"", ProductName());
    Control* helpBar = n.helpLineBarPanel;
    n.aboutButton = Add(CreateButton(kNavAbout, 1, kStateRedrawActive,
                                     MakeScreenRect(4, 3, kAboutRight, 27), aboutLabel,
                                     "Click on this to find out about this program.", nullptr,
                                     helpBar, kButtonColour, small));
    n.layers = kNavBarLayers;
    return true;
}

void RedrawNavBar() {
    for (int layer = 0; layer < gNavBar.layers; ++layer)
        for (int i = 0; i < gNavBar.count; ++i)
            if (gNavBar.list[i] && gNavBar.list[i]->layer == layer) DrawControl(gNavBar.list[i]);
}

void RequestNavBarRedraw() {
    for (int i = 0; i < gNavBar.count; ++i)
        if (gNavBar.list[i]) gNavBar.list[i]->state = -gNavBar.list[i]->state;
}

void SetScreenWorkArea(int left, int top, int right, int bottom) {
    MakeRect(gNavBar.workArea, left, top, right, bottom);
}

const ScreenRect& ScreenWorkArea() { return gNavBar.workArea; }

Control* const* NavBarList() { return gNavBar.list; }
int NavBarCount() { return gNavBar.count; }

bool AppendNavBar(ScreenLoop& loop) {
    return AppendSharedControls(loop, gNavBar.list, gNavBar.count, gNavBar.layers);
}

int NavBarClickResult(int id, int ownScreenId) {
    const int result = SharedClickResult(id, ownScreenId);
    if (result != kNavSaveRun) return result;
    ChooseLogbookFileForSave();
    if (!SaveInLogbook()) ShowLogbookFailure();
    return kNavStay;
}

void ShowLogbookFailure() {
    const char* message = LogbookFailureMessage();
    if (*message != '\0' && HelpLine()) SetHelpLineText(HelpLine(), message);
}
