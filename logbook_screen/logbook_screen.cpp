// SPDX-License-Identifier: GPL-3.0-or-later
// The logbook screen: its controls, entering and leaving, the list and the reactions.
#include "logbook_screen/logbook_screen.h"

#include <cstdio>
#include <string>

#include "graphics/display.h"
#include "graphics/palette.h"
#include "logbook/logbook.h"
#include "model/year_csv.h"
#include "platform/platform.h"
#include "navbar/navbar.h"
#include "simulation/earth_views.h"
#include "graphics/picture_draw.h"
#include "widgets/control.h"
#include "widgets/events.h"
#include "widgets/export_files.h"
#include "widgets/interaction.h"
#include "widgets/keyboard.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

LogbookScreenState gLogbookScreen{};

void ResetLogbookScreenState() {
    DestroyEditBox(gLogbookScreen.editor);
    gLogbookScreen = LogbookScreenState{};
}

namespace {

constexpr int kPanelColour = 23;
constexpr int kButtonColour = 16;
constexpr int kButtonLayer = 2;
constexpr int kIdleWaitMs = 10;  // nothing animates here: wait for input instead of spinning
constexpr int kScreenStop = 2000;  // what ScreenEventEnd gives when the window is closing

void Redraw(Control* c, int state) {
    if (!c) return;
    c->state = state;
    DrawControl(c);
}

Control* Button(int id, int state, const ScreenRect& r, const char* label, const char* help,
                const Sprite* sprite, TextFont* font) {
    return CreateButton(id, kButtonLayer, state, r, label, help, sprite, nullptr, kButtonColour,
                        font);
}

// The whole work area's panel; its own drawing is the entry view's ground and frame.
void MainPanelDrawn(Control*) {
    BeginDrawing();
    const ScreenRect r = LogbookMainRect();
    FillWith(r, kLogbookFaceSlot);
    DrawBevel(r, -1, 255, kLogbookShadeSlot);
    if (EntryCount() > 0) DrawCommentsTitle();
    EndDrawing();
}

Control* TitledPanel(const ScreenRect& r, const char* help, const char* title, int titleY) {
    Control* p = CreatePanel(1, r, help, UiSprite(kSpritePanelMark), kPanelColour);
    AddPanelText(p, 104 - r.left, titleY - r.top, p->rect, 1, 1, title, gUi.labelFont, 0,
                 kPanelColour + 3);
    return p;
}

void BuildControls(ScreenLoop& loop) {
    LogbookScreenState& s = gLogbookScreen;
    TextFont* small = gUi.smallLabelFont;
    s.mainPanel = CreatePanel(0, ScreenWorkArea(), "View the logbook and make entries here.",
                              UiSprite(kSpritePanelMark), kPanelColour);
    s.mainPanel->drawCallback = MainPanelDrawn;
    AddScreenControl(loop, s.mainPanel);
    AddScreenControl(loop, TitledPanel(Rect(16, 80, 192, 466),
                                       "The buttons on this panel let you move through your "
                                       "logbook.",
                                       "LOG ENTRIES", 92));
    AddScreenControl(loop, TitledPanel(Rect(16, 482, 192, 722),
                                       "The buttons on this panel let you delete or rerun "
                                       "entries, or return.",
                                       "COMMANDS", 498));

    s.newer = Button(kNewerEntriesId, kStateRedrawInactive, Rect(26, 105, 180, 135),
                     "Newer Entries", "Click on this to see newer log entries.",
                     UiSprite(kSpriteNewer), small);
    AddScreenControl(loop, s.newer);
    for (int i = 0; i < kListButtons; ++i) {
        s.entryButtons[i] = Button(kFirstEntryButtonId + i, kStateRedrawInactive,
                                   Rect(41, 145 + 70 * i, 157, 210 + 70 * i), "", "", nullptr,
                                   small);
        AddScreenControl(loop, s.entryButtons[i]);
    }
    s.older = Button(kOlderEntriesId, kStateRedrawInactive, Rect(26, 430, 182, 460),
                     "Older Entries", "Click on this to see older log entries.",
                     UiSprite(kSpriteOlder), small);
    AddScreenControl(loop, s.older);
    AddScreenControl(loop, Button(kNavWatchSeasons, kStateRedrawActive, Rect(26, 512, 182, 562),
                                  "Watch the@Seasons",
                                  "Click on this to watch the temperature change and the seasons "
                                  "happen.",
                                  UiSprite(kSpriteWatch), gUi.labelFont));
    s.rerun = Button(kRerunEntryId, kStateRedrawInactive, Rect(26, 567, 182, 617),
                     "Rerun This@Log Entry",
                     "Click on this to rerun the seasons that are shown in this log entry.",
                     UiSprite(kSpriteWatch), small);
    AddScreenControl(loop, s.rerun);
    s.deleteRestore = Button(kDeleteRestoreId, kStateRedrawInactive, Rect(26, 622, 182, 672),
                             "Delete/Restore@Entry",
                             "Click on this to remove this entry from your logbook.",
                             UiSprite(kSpriteDelete), small);
    AddScreenControl(loop, s.deleteRestore);
    AddScreenControl(loop, Button(kPrintEntryId, kStateRedrawInactive, Rect(26, 677, 182, 707),
                                  "Print Entry", "Click on this to print out this entry.",
                                  nullptr, small));

    if (EntryCount() <= 0) return;
    struct Area {
        ScreenRect rect;
        const char* help;
    };
    const Area areas[] = {
        {TemperatureChartRect(),
         "This chart shows how the temperature varied throughout the year."},
        {EnergyChartRect(),
         "This chart shows how the daily solar energy varied throughout the year."},
        {DaylightChartRect(),
         "This chart shows how the hours of daylight varied throughout the year."},
        {EntryTiltRect(), "This chart shows how the how the Earth is tilted."},
        {EntryOrbitRect(), "This is what the Earth's orbit looks like."},
    };
    for (const Area& a : areas) AddScreenControl(loop, CreateHotspot(1, a.rect, a.help, nullptr));
    AddScreenControl(loop, CreateEntryArea(kCommentsAreaId, 1, CommentsAreaRect(),
                                           "Use this editor to write down your comments about "
                                           "this log entry.",
                                           nullptr));
}

void ForgetControls() {
    LogbookScreenState& s = gLogbookScreen;
    s.mainPanel = s.newer = s.older = s.rerun = s.deleteRestore = nullptr;
    for (Control*& b : s.entryButtons) b = nullptr;
}

// The screen's panel colours, then the Earth views' ramps the charts are coloured with.
void SetScreenPalette() {
    FindFreeColour(kLogbookFaceSlot);
    ApplyPalette(kLogbookFaceSlot, 1);
    SetPaletteEntryNow(kLogbookFaceSlot, 255, 204, 153);
    FindFreeColour(kLogbookShadeSlot);
    ApplyPalette(kLogbookShadeSlot, 1);
    SetPaletteEntryNow(kLogbookShadeSlot, 128, 102, 77);
    LoadViewPalette();
}

// "Open@Logbook" is shown selected while the screen runs. When the window is going away
// nothing may be drawn any more, so the button only takes its mark.
void MarkOpenLogbook(bool on, bool drawing) {
    Control* b = gNavBar.openLogbookButton;
    if (!b || (b->selected == 1) == on) return;
    if (drawing)
        ToggleControl(b);
    else
        b->selected = on ? 1 : 0;
}

// What the disk refused, or else the latest failure, goes to the HelpLine.
void ShowFailure(const std::string& refused) {
    if (refused.empty())
        ShowLogbookFailure();
    else
        SetHelpLineText(HelpLine(), refused.c_str());
}

// The editor's text, or null when there is no editor (so nothing is taken for an emptied
// comment).
const char* EditorText(char (&text)[kCommentsSize]) {
    if (!gLogbookScreen.editor.window) return nullptr;
    GetEditText(gLogbookScreen.editor, text, sizeof text);
    return text;
}

// Marks the shown entry for deletion or takes the mark away. The editor keeps what is typed
// in it; it is stored when another entry is shown or the screen is left.
void ToggleShownEntry() {
    const LogEntry* shown = ShownEntry();
    if (!shown) return;
    // A mark the disk refused is not shown as made: the heading shows what the working
    // copy holds, and the HelpLine says why.
    const std::string refused =
        ToggleDeletionMark(shown->serialNumber) ? "" : LogbookFailureMessage();
    LoadShownEntry(gLogbookScreen.selected, false, nullptr);
    DrawEntryHeading(ShownEntry());
    ShowFailure(refused);
}

// The shown run becomes the model's; false (the screen stays) for a run unfit to rerun.
bool RerunShownEntry() {
    const LogEntry* shown = ShownEntry();
    return shown && EntryToModel(*shown);
}

// Ctrl+E: the numbers of the shown run, with the settings it was saved with.
void ExportShownEntry(char* message, int size) {
    const LogEntry* shown = ShownEntry();
    double distance[kYearSteps];
    if (!shown || !IsSoundRun(shown->run) || !OrbitDistances(shown->run.orbitShape, distance)) {
        std::snprintf(message, size_t(size), "There is no log entry whose numbers can be saved.");
        return;
    }
    const RunSnapshot& run = shown->run;
    const YearCsvSource source{distance,
                               {run.latitude[0], run.latitude[1]},
                               run.latDaylightMinutes,
                               run.latEnergy,
                               run.latTemperature};
    const std::string csv =
        YearCsvSettingsLine(-run.axisTilt + 0.0, run.orbitShape, run.latitude) + YearCsv(source);
    SaveExportText(csv, "this log entry", message, size);
}

// What a click on an active button asks: kNavStay, or the ScreenId to leave with.
int ClickResult(int id) {
    LogbookScreenState& s = gLogbookScreen;
    switch (id) {
    case kNewerEntriesId:
        if (s.page >= 1) {
            --s.page;
            DrawEntryList();
        }
        return kNavStay;
    case kOlderEntriesId:
        if (s.page < EntryCount() - kListButtons) {
            ++s.page;
            DrawEntryList();
        }
        return kNavStay;
    case kDeleteRestoreId: ToggleShownEntry(); return kNavStay;
    case kRerunEntryId: return RerunShownEntry() ? 1 : kNavStay;
    default: break;
    }
    if (id >= kFirstEntryButtonId && id < kFirstEntryButtonId + kListButtons) {
        SelectListEntry(id - kFirstEntryButtonId);
        return kNavStay;
    }
    const int next = SharedClickResult(id, kLogbookScreenId);
    // A save while the working copy is open would be overwritten on leaving; the button is
    // inactive here anyway.
    if (next == kNavNotShared || next == kNavSaveRun) return kNavStay;
    return next;
}

}  // namespace

void DrawEntryList() {
    LogbookScreenState& s = gLogbookScreen;
    Control* list[kListButtons + 2] = {s.newer, s.entryButtons[0], s.entryButtons[1],
                                       s.entryButtons[2], s.entryButtons[3], s.older};
    for (Control* c : list) {
        if (!c) return;
        c->state = kStateRedrawInactive;
        c->selected = 0;
    }
    const int count = EntryCount();
    if (count > 0) {
        if (s.page > 0) s.newer->state = kStateRedrawActive;
        if (count > s.page + kListButtons) s.older->state = kStateRedrawActive;
        LoadLogbookSlots();
    }
    bool filled = count > 0;
    for (int i = 0; i < kListButtons; ++i) {
        Control* b = s.entryButtons[i];
        const int k = s.page + i;
        filled = filled && k < kLogbookSlotCount && LogbookSlots()[k].serialNumber != 0;
        if (!filled) {
            SetControlLabel(b, "");  // no entry: inactive with an empty label
            continue;
        }
        char label[kLabelSize];
        FormatEntryLabel(LogbookSlots()[k], label, sizeof label);
        FitEntryLabel(label, sizeof label, *b);
        SetControlLabel(b, label);
        b->state = kStateRedrawActive;
        b->selected = k == s.selected ? 1 : 0;
    }
    for (Control* c : list) DrawControl(c);
}

void SelectListEntry(int i) {
    LogbookScreenState& s = gLogbookScreen;
    if (i < 0 || i >= kListButtons) return;
    s.selected = s.page + i;
    char text[kCommentsSize];
    LoadShownEntry(s.selected, true, EditorText(text));
    const std::string refused = LogbookFailureMessage();
    DrawEntryView();
    for (Control* b : s.entryButtons) {
        if (b->state != kStateActive) continue;
        b->selected = 0;
        Redraw(b, kStateRedrawActive);
    }
    s.entryButtons[i]->selected = 1;
    Redraw(s.entryButtons[i], kStateRedrawActive);
    ShowFailure(refused);
}

void CommentBoxClicked() {
    LogbookScreenState& s = gLogbookScreen;
    if (!s.freshComment) return;  // the caret stays where the click put it
    s.freshComment = false;
    if (EditText(s.editor) == kNewEntryComments) SelectAllEditText(s.editor);
}

void EnterLogbookScreen(ScreenLoop& loop) {
    ResetLogbookScreenState();
    LogbookScreenState& s = gLogbookScreen;
    BeginScreenLoop(loop, kLogbookScreenId);
    SetScreenPalette();
    LoadCoastPoints(kCoastOutlineFile, s.coast);  // afresh, with its decimals
    BuildWorkingCopy();
    const std::string refused = LogbookFailureMessage();
    BuildControls(loop);
    AppendNavBar(loop);
    SetExportRun(ExportShownEntry);
    RedrawScreenLoop(loop);
    MarkOpenLogbook(true, true);
    DrawEntryList();
    if (EntryCount() > 0) {
        LoadShownEntry(0, false, nullptr);
        Redraw(s.rerun, kStateRedrawActive);
        Redraw(s.deleteRestore, kStateRedrawActive);
        CreateEditBox(s.editor, kEditMultiScroll, CommentsAreaRect());
        SetEditFont(s.editor, gUi.smallLabelFont);
        SetEditLimit(s.editor, int(kCommentsMaxChars));
    }
    DrawEntryView();
    ShowFailure(refused);
    if (refused.empty() && *LogbookNotice()) SetHelpLineText(HelpLine(), LogbookNotice());
}

void LeaveLogbookScreen(ScreenLoop& loop, bool drawing) {
    LogbookScreenState& s = gLogbookScreen;
    char text[kCommentsSize];
    if (ShownEntry()) StoreShownComments(EditorText(text));
    DestroyEditBox(s.editor);
    MarkOpenLogbook(false, drawing);
    EndScreenLoop(loop);
    ForgetControls();
    // A commit the disk refuses keeps the changes for the next try; the pupil is told and
    // goes on.
    if (EntryCount() > 0 && !CommitLogbook() && drawing) ShowLogbookFailure();
    LoadShownEntry(-1, false, nullptr);  // no entry is shown once the screen is gone
}

int RunLogbookScreen() {
    ScreenLoop loop;
    EnterLogbookScreen(loop);
    int result = 0;
    for (;;) {
        const ScreenEvent e = NextScreenEvent(loop);
        if (e.code == kScreenIdle) {
            PlatformWaitForMessage(kIdleWaitMs);
            continue;
        }
        if ((result = ScreenEventEnd(e)) != 0) break;
        const Message& m = e.message;
        if (m.kind == MessageKind::LeftDown && m.target == MessageTarget::EditBox &&
            m.childId == int(gLogbookScreen.editor.childId))
            CommentBoxClicked();
        if (e.pressed) {
            const int next = ClickResult(e.pressed->id);
            if (next != kNavStay) {
                result = next;
                break;
            }
        }
        if (IsDisplayLost()) {
            result = -kLogbookScreenId;
            break;
        }
    }
    // Even when the window is closing the pupil's comments are stored and committed first;
    // only the drawing is left out.
    LeaveLogbookScreen(loop, result != kScreenStop);
    return result;
}
