// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/dispatcher.h"

#include <climits>

#include "platform/platform.h"
#include "navbar/navbar.h"
#include "widgets/widget_state.h"

DispatcherState gDispatcher;

void ResetDispatcher() { gDispatcher = DispatcherState{}; }

void SetScreenTable(const ScreenEntry* table, int count) {
    gDispatcher.table = table;
    gDispatcher.tableCount = table ? count : 0;
}

ScreenFunction FindScreen(int id) {
    int count = gDispatcher.tableCount;
    const ScreenEntry* table = gDispatcher.table;
    if (!table) table = ProgramScreenTable(count);
    for (int i = 0; i < count; ++i)
        if (table[i].id == id) return table[i].run;
    return nullptr;
}

namespace {

void PostCloseRequest() {
    Message close;
    close.kind = MessageKind::CloseRequest;
    PlatformPostMessage(close);
}

}  // namespace

int RunScreenDispatcher() {
    gDispatcher.current = gDispatcher.previous = -1;
    int id = kScreenMain;
    for (;;) {
        if (id < 0 && id != INT_MIN) {
            // A screen lost its display or a pop-up covered the bar: paint it all again.
            RequestNavBarRedraw();
            RedrawNavBar();
            id = -id;
        }
        gDispatcher.previous = gDispatcher.current;
        gDispatcher.current = id;
        if (id == kScreenStop) return id;
        if (id == kScreenEndProgram) {
            PostCloseRequest();
            return id;
        }
        const ScreenFunction run = FindScreen(id);
        if (!run) {
            // No screen of that id (a single-cycle run's frame count, or a fault): end the
            // program in order rather than leave a window that nothing answers.
            PostCloseRequest();
            return id;
        }
        ++gDispatcher.screensRun;
        PlatformNoteScreen(id);
        id = run();
        PlatformNoteScreen(0);
        ForgetLiveControls();  // whatever the screen left, its controls are gone now
    }
}

int CurrentScreenId() { return gDispatcher.current; }
int PreviousScreenId() { return gDispatcher.previous; }
