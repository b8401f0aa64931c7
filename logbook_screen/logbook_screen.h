// SPDX-License-Identifier: GPL-3.0-or-later
// The logbook screen: lists the current user's saved runs four at a time, newest first, and
// shows one in full (when it was made, its three charts, its tilted globe, its orbit and the
// pupil's comments). From it an entry can be paged to, commented, marked for deletion or
// restored, and rerun.
//
// The comments are the pupil's own words: whatever is typed reaches the working copy before
// another entry is shown, and the logbook on every way out of the screen, the closing window
// included.
#pragma once
#include <cstddef>
#include <cstdint>

#include "graphics/edit_box.h"
#include "graphics/rect.h"
#include "settings/coast.h"
#include "simulation/simulation_state.h"

struct Control;
struct LogEntry;
struct ScreenLoop;

constexpr int kLogbookScreenId = 15;
constexpr int kListButtons = 4;  // entry buttons on the list

// Control ids of the screen.
enum : int {
    kNewerEntriesId = 100,
    kFirstEntryButtonId = 101,  // 101..104
    kOlderEntriesId = 106,
    kDeleteRestoreId = 107,
    kRerunEntryId = 108,
    kCommentsAreaId = 109,
    kPrintEntryId = 110,
};

// Palette slots the screen sets on entry: the panel's face and its shadow.
constexpr int kLogbookFaceSlot = 253;
constexpr int kLogbookShadeSlot = 252;

struct LogbookScreenState {
    int32_t page;      // index of the entry on the top list button
    int32_t selected;  // index of the shown entry in the working copy
    Control* mainPanel;
    Control* newer;
    Control* older;
    Control* entryButtons[kListButtons];
    Control* rerun;
    Control* deleteRestore;
    EditBox editor;     // the comment editor, made while entries exist
    // The shown comment is still a new entry's "Enter comments here." and the box has not
    // been clicked since: it is all selected, and the first click selects it all again, so
    // what the pupil types replaces it.
    bool freshComment;
    CoastPoints coast;  // newcoast.txt as read on entering, decimals kept
    GlobeSegments coastLines;  // the tilt picture's coastline, offsets from the globe's corner
};
extern LogbookScreenState gLogbookScreen;
// No controls, no editor, page and selection 0 (tests call it).
void ResetLogbookScreenState();

// Runs the screen; returns the next ScreenId: 1 after "Watch the@Seasons" or a rerun, 2, 5 or
// 8 from the NavBar, 2001 to end the program, 2000 when the window is closing, -15 after the
// display was lost.
int RunLogbookScreen();

// The screen's start and end, apart from its loop (benchmarks drive them). Entering builds
// the working copy, the controls and every picture; leaving stores the comments, removes
// everything and commits the logbook. `drawing` false: the window is going away.
void EnterLogbookScreen(ScreenLoop& loop);
void LeaveLogbookScreen(ScreenLoop& loop, bool drawing);
// What a click on list button i (0..3) does: stores the shown comments, shows page + i.
void SelectListEntry(int i);
// What a click in the comment box does after the box has placed its caret.
void CommentBoxClicked();

// What the screen shows for an entry whose run it cannot draw (a damaged record).
constexpr const char* kDamagedEntryLabel = "Damaged@Entry";
constexpr const char* kDamagedEntryNotice = "This entry is damaged: its run cannot be shown.";

// ---- pictures, each drawn alone on the current target ------------------------------------
// The list's label of an entry, "Tilt 23.5º@Shape 0.02@Lat. 45º N & 30º S"; a damaged
// entry's is kDamagedEntryLabel.
void FormatEntryLabel(const LogEntry& entry, char* out, size_t size);
// Shortens each line of a label that is wider than the button's label box (the latitudes
// lose "Lat. ", then the blanks before N and S; a line still too wide is cut), so every
// label stays inside its button.
void FitEntryLabel(char* label, size_t size, const Control& button);
// "Comments About This Entry" above the comment box.
void DrawCommentsTitle();
// Newer, the four entry buttons and Older, as the page and the entry count make them.
void DrawEntryList();
// The whole entry view of the shown entry, or the no-entries texts.
void DrawEntryView();
// The band with "Log Entry made at ..." and, for a marked entry, the deletion notice.
void DrawEntryHeading(const LogEntry* entry);
void DrawEntryCharts(const LogEntry& entry);
void DrawEntryTiltPicture(const LogEntry& entry);
void DrawEntryOrbitPicture(const LogEntry& entry);
// The tilt picture's coastline for a tilt (degrees as stored) into gLogbookScreen.coastLines.
void ProjectEntryCoastline(double axisTilt);

// Where the pictures are, in design units.
ScreenRect LogbookMainRect();         // 200, 84, 1004, 718
ScreenRect TemperatureChartRect();    // 700, 164, 920, 314
ScreenRect EnergyChartRect();         // 700, 344, 920, 494
ScreenRect DaylightChartRect();       // 700, 524, 920, 674
ScreenRect EntryTiltRect();           // 220, 164, 430, 354
ScreenRect EntryOrbitRect();          // 435, 164, 625, 354
ScreenRect CommentsAreaRect();        // 220, 394, 625, 684
