// SPDX-License-Identifier: GPL-3.0-or-later
// The shape every screen's modal loop shares: one array of controls (the screen's own first,
// then the shared NavBar ones), drawing it layer by layer, taking one message at a time with
// hover, help line and cursor handled, and the meaning of the shared button ids.
//
// A screen runs like this:
//
//     ScreenLoop loop;
//     BeginScreenLoop(loop, kMyScreenId);
//     AddScreenControl(loop, CreateButton(...));          // the screen's own controls
//     AppendSharedControls(loop, navList, navCount, 2);   // the NavBar, from the shell
//     ...draw the screen...; RedrawScreenLoop(loop);
//     for (;;) {
//         ScreenEvent e = NextScreenEvent(loop);
//         if (e.code == kScreenIdle) { one animation frame; PlatformSleep(delay); continue; }
//         if (e.code == kScreenClosing) { clean up; return 2000; }
//         if (e.code == kEventClosedMinimised) { clean up; return 2001; }
//         if (e.pressed) {
//             int next = SharedClickResult(e.pressed->id, kMyScreenId);
//             ...the screen's own ids, kNavSaveRun, or clean up and return next...
//         }
//         if (IsDisplayLost()) { clean up; return -kMyScreenId; }
//     }
#pragma once

#include "platform/platform.h"

struct Control;

constexpr int kMaxScreenControls = 256;

struct ScreenLoop {
    Control* controls[kMaxScreenControls] = {};
    int count = 0;      // every control in the array
    int ownCount = 0;   // the screen's own, at the front; the loop frees these
    int layers = 0;     // layers drawn: 0 .. layers-1
    int screenId = 0;   // what the screen returns negated when the display is lost
    Control* previous = nullptr;  // the control the pointer was last found over
    bool screenHovers = false;    // the screen answers pointer moves itself (HoverScreenControl)
};

// NextScreenEvent codes besides the InputEvent codes of events.h.
enum : int {
    kScreenIdle = -1,     // the queue is empty: time for the screen's idle step
    kScreenClosing = -2,  // the window is closing: clean up and return 2000
};

struct ScreenEvent {
    int code = kScreenIdle;
    Control* hit = nullptr;      // the control under the pointer (mouse messages)
    Control* pressed = nullptr;  // a push button was clicked and shown pressed: act on its id
    Message message;
};

// Starts a screen: the normal cursor, an empty array, no hovered control.
void BeginScreenLoop(ScreenLoop& loop, int screenId);
// Adds one of the screen's own controls (before the shared ones). False when the array is full,
// the control is null, or shared controls were already appended.
bool AddScreenControl(ScreenLoop& loop, Control* control);
// Appends controls the screen does not own (the NavBar list), drawn in `layers` layers.
bool AppendSharedControls(ScreenLoop& loop, Control* const* list, int count, int layers);
// Draws every control of the loop that holds a draw request, layer by layer.
void RedrawScreenLoop(ScreenLoop& loop);
// Destroys the screen's own controls, highest layer first, and empties the array.
void EndScreenLoop(ScreenLoop& loop);
// Takes one message and does what every screen does with it: a close ends the loop, a click on
// an active, unselected push button shows the press, a move updates hover, cursor and help line
// (unless the screen hovers itself).
ScreenEvent NextScreenEvent(ScreenLoop& loop);
// What ends every screen the same way: 2000 when the window is closing, 2001 when it was closed
// while an icon; 0 for any other event.
int ScreenEventEnd(const ScreenEvent& e);
// What a pointer move over `hit` does: when it is a control other than the one last hovered,
// the highlight moves to it and its help text shows. True when it did.
bool HoverScreenControl(ScreenLoop& loop, Control* hit);

// For each layer from 0 up, draws each control of that layer that holds a draw request.
void RedrawScreenControls(int count, Control* const* controls, int layers);
// For each layer from the highest down, hides, destroys and clears each control of that layer;
// controls on layers outside 0 .. layers-1 are destroyed last, so none is left behind.
void DestroyScreenControls(int count, Control** controls, int layers);

// What a click on a shared button asks of the running screen, after its press was shown.
enum : int {
    kNavStay = 0,          // handled; the screen goes on
    kNavSaveRun = 3000,    // "Save In@Logbook": choose the save file and save the run; stay
    kNavNotShared = 3001,  // not a shared id: the screen's own
};
// 801 -> 1, 802 -> 2, 803 -> 5, 804 -> 8, 807 and 810 -> 2001, 808 -> 15 (the open file is
// chosen), 809 minimises (stay), 1 runs the About panel (display lost -> -ownScreenId, window
// closing -> 2001, otherwise stay). Any other ScreenId returned means: clean up and return it.
int SharedClickResult(int id, int ownScreenId);
