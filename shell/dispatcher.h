// SPDX-License-Identifier: GPL-3.0-or-later
// The screen dispatcher: runs one screen after another, each screen returning the ScreenId of
// the next. The table of screens is injectable so tests can run the dispatcher on stand-ins.
#pragma once

// ScreenId values besides the screens' own.
enum : int {
    kScreenMain = 1,
    kScreenChangeTilt = 2,
    kScreenTiltIntensity = 3,
    kScreenTiltDayLength = 4,
    kScreenChangeShape = 5,
    kScreenOrbitEnergy = 6,
    kScreenSeasonLength = 7,
    kScreenSelectLatitudes = 8,
    kScreenLatitudeZones = 9,
    kScreenSunAngle = 13,
    kScreenLogbook = 15,
    kScreenStop = 2000,        // the window is already closing
    kScreenEndProgram = 2001,  // the user asked to end the program
};

// A screen: runs its own loop and returns the next ScreenId.
using ScreenFunction = int (*)();

struct ScreenEntry {
    int id;
    ScreenFunction run;
};

struct DispatcherState {
    int current = -1;   // the ScreenId running now (or last run)
    int previous = -1;  // the one before it
    const ScreenEntry* table = nullptr;  // null: the program's own screens
    int tableCount = 0;
    long screensRun = 0;
};
extern DispatcherState gDispatcher;
void ResetDispatcher();

// Replaces the screen table (tests); null goes back to the program's own screens.
void SetScreenTable(const ScreenEntry* table, int count);
// The program's own screens: the finished ones, and plain stand-ins for the others.
const ScreenEntry* ProgramScreenTable(int& count);

// The screen function for a ScreenId, or null when the id names no screen.
ScreenFunction FindScreen(int id);

// Runs screens from the main screen on until one yields 2000 or 2001 (or names no screen);
// returns that last result. 2001, and any id that names no screen, post a close request so the
// program ends in order.
int RunScreenDispatcher();

int CurrentScreenId();
int PreviousScreenId();
