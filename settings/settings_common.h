// SPDX-License-Identifier: GPL-3.0-or-later
// What the three settings screens share: their panels, the "!Watch the@Seasons" round button
// with its small turning orbit, and the "Earth Model Settings" table.
#pragma once

#include "graphics/rect.h"
#include "widgets/control.h"

struct ScreenLoop;

constexpr int kSettingsPanelColour = 23;
constexpr int kSettingsButtonColour = 16;

struct SettingsCommonState {
    int orbitIconAngle = 0;    // degrees 0..359: where the icon's planet stands; outlives visits
    ScreenRect orbitIconRect;  // the icon's place, left of the round button's label
    Control* table = nullptr;  // the running screen's settings table, if it shows one
};
extern SettingsCommonState gSettingsCommon;
void ResetSettingsCommon();

// A settings-screen panel (layer 0, slot 23, the panel tile); `paint` draws its texts after
// the panel itself (null for none). Added to the loop and returned.
Control* AddSettingsPanel(ScreenLoop& loop, const ScreenRect& rect, const char* help,
                          ControlDrawCallback paint);
// The "!Watch the@Seasons" button (id 801) at (20, 334, 250, 454) on `parent`, created
// selected, with the orbit sprite; places the orbit icon left of its label.
Control* AddWatchSeasonsButton(ScreenLoop& loop, Control* parent);
// The panel (688, 578, 1024, 738) titled "Earth Model Settings" and the value panel
// (698, 608, 1014, 728) with the table built into it. Returns the value panel.
Control* AddSettingsTablePanels(ScreenLoop& loop);

// The 15 items of the table, 5 columns by 3 rows; an item's x is its column, its y its row.
void BuildSettingsTable(Control* valuePanel);
// Puts text into table item (column, row) of the running screen's table and shows it.
void SetSettingsTableText(int column, int row, const char* text);

// One step of the orbit icon on the round button; reset 1 starts it again at angle 0.
void DrawOrbitIcon(int reset);

// The tilt as the pupil sees it ("%.1f" of -axisTilt) and the shape ("%.2f").
void FormatShownTilt(double axisTilt, char* out, int size);
void FormatShape(double orbitShape, char* out, int size);

// Texts of the settings panels: pen slot 0, one alignment, one font, at absolute positions.
struct PanelLine {
    int x, y;
    const char* text;
};
void DrawPanelLines(TextFont* font, int hAlign, int vAlign, const PanelLine* lines, int count);
