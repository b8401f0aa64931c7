// SPDX-License-Identifier: GPL-3.0-or-later
// The Select Latitudes screen: a world map in 13 latitude bands beside a column of latitude
// buttons (and two for the pupil's home latitude and its mirror when that is not one of the
// 13). One or two latitudes can be on; a selected band turns yellow and a box under the map
// lists places near it.
#pragma once
#include <cstdint>

#include "graphics/rect.h"
#include "settings/world_map.h"

struct Control;

constexpr int kLatitudeButtons = 15;   // 13 standard ones, then home and opposite
constexpr int kStandardLatitudes = 13;  // 90, 75, ..., -90
constexpr int kLatitudeButtonId = 900;  // button k has id 900 + k
constexpr int kLatitudeExplainId = 101;  // "How does latitude@affect@solar energy?"
constexpr int kNoButton = 255;

struct SelectLatitudesState {
    int32_t buttonLatitude[kLatitudeButtons] = {};
    int32_t home = 0;             // the configured home latitude, kept within -90..90
    bool homeIsStandard = true;   // then buttons 13 and 14 do not exist
    int selectedButton[2] = {kNoButton, kNoButton};  // buttons holding selections 1 and 2
    Control* buttons[kLatitudeButtons] = {};         // null where a button does not exist
    Control* panel = nullptr;
    Control* map = nullptr;
    ScreenRect mapRect;    // the map's help area
    ScreenRect panelRect;  // the panel under everything
    WorldMapGeometry geometry;  // of the last map paint
};
extern SelectLatitudesState gSelectLatitudes;
void ResetSelectLatitudes();

// Runs the screen's loop; returns the next ScreenId (-8 to be run again after a lost display).
int RunSelectLatitudesScreen();

// The map help area's draw callback.
void DrawWorldMap(Control* map);
// Turns latitude button k on or off; a third selection is refused with the notice.
void ToggleLatitudeButton(int k);
// which 1 or 2 lists the places near button k's latitude in box 1 or 2; -1 or -2 clears it.
void ShowPlacesBox(int k, int which);
// Run as the screen ends: a latitude is always selected, and latitude[0] is the more northern.
void NormaliseLatitudeSelection();
