// SPDX-License-Identifier: GPL-3.0-or-later
// The NavBar: the bar of buttons across the top of every screen, the HelpLine bar across the
// bottom with the About button, and what a click on one of their buttons asks of a screen.
// Built once at start-up; every screen appends the list to its own control array.
#pragma once

#include "graphics/rect.h"

struct Control;
struct ScreenLoop;

constexpr int kNavBarMaxControls = 12;
constexpr int kNavBarLayers = 2;  // layer 0: the two bar panels; layer 1: everything on them

// Ids of the shared buttons.
enum : int {
    kNavWatchSeasons = 801,  // a screen's own "Watch the@Seasons" button, not in the NavBar
    kNavChangeTilt = 802,
    kNavChangeShape = 803,
    kNavSelectLatitudes = 804,
    kNavSaveInLogbook = 806,
    kNavExit = 807,
    kNavOpenLogbook = 808,
    kNavMinimise = 809,
    kNavClose = 810,
    kNavAbout = 1,
};

struct NavBarState {
    Control* list[kNavBarMaxControls] = {};  // creation order
    int count = 0;
    int layers = kNavBarLayers;

    // Named references screens use to change one button's state (null when not made).
    Control* navBarPanel = nullptr;
    Control* helpLineBarPanel = nullptr;
    Control* helpLine = nullptr;
    Control* exitButton = nullptr;
    Control* changeTiltButton = nullptr;
    Control* changeShapeButton = nullptr;
    Control* selectLatitudesButton = nullptr;
    Control* saveInLogbookButton = nullptr;
    Control* openLogbookButton = nullptr;
    Control* minimiseBox = nullptr;
    Control* closeBox = nullptr;
    Control* aboutButton = nullptr;

    // The part of the screen between the NavBar and the HelpLine bar: each screen's main panel.
    ScreenRect workArea;
};
extern NavBarState gNavBar;

// Frees every NavBar control and returns the state to empty (shutdown and tests).
void DestroyNavBar();

// Builds the list: 12 controls with the logbook enabled (Save In Logbook, created inactive,
// and Open Logbook), 10 without. Makes the HelpLine the toolkit's help line. False when a
// NavBar already exists.
bool CreateNavBar();
// Draws every list control, layer 0 first, then layer 1, in list order.
void RedrawNavBar();
// Negates every list control's state, so the next RedrawNavBar paints the whole bar afresh.
void RequestNavBarRedraw();

// The screen work area, set once at start-up to (0, 64, 1024, 738).
void SetScreenWorkArea(int left, int top, int right, int bottom);
const ScreenRect& ScreenWorkArea();

Control* const* NavBarList();
int NavBarCount();
// Appends the NavBar list to a screen's control array.
bool AppendNavBar(ScreenLoop& loop);

// What a click on a shared button (after its press was shown) means for the running screen:
// kNavStay (0) to go on, or the ScreenId to return after cleaning up. Save In Logbook saves
// the current run here; kNavNotShared (3001) when the id is the screen's own.
int NavBarClickResult(int id, int ownScreenId);
// Puts the logbook's last failure on the disk, if any, into the HelpLine ("The run could not
// be saved: the disk is full."); the screen goes on.
void ShowLogbookFailure();
