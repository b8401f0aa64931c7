// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <ctime>

#include "graphics/display.h"
#include "graphics/text.h"
#include "logbook/logbook.h"
#include "config/config.h"
#include "navbar/navbar.h"
#include "shell/startup.h"
#include "widgets/about.h"
#include "widgets/events.h"
#include "widgets/interaction.h"
#include "widgets/ui_resources.h"

// Marks the first message the first screen takes when the first frame is to be timed.
constexpr int kFirstFrameMarker = 0x46524D31;

void RunShutdownSteps() {
    if (gShell.shutdownDone) return;
    gShell.shutdownDone = true;
    if (gShell.userInterfaceBuilt) {
        // A logbook lasts one run of the program (unless it never left memory).
        if (!LogbookFilesOff()) CleanLogbookAtExit();
        ReleaseUiResources();  // fonts first, then the sprite sheet and the two buffers
    }
    TearDownDisplay();
    ResetTextState();  // FreeType and fontconfig's tables, now that no font is left
    gShell.displayCreated = false;
}

void ReleaseShellControls() {
    DestroyAboutPanel();
    DestroyNavBar();
}

namespace {

void ReportFirstFrame() {
    gShell.firstFrameReported = true;
    PlatformFlush();  // the first screen has drawn everything: show it now
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("first frame %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL +
                                          static_cast<long long>(now.tv_nsec));
    std::fflush(stdout);
    Message close;
    close.kind = MessageKind::CloseRequest;
    PlatformPostMessage(close);
}

}  // namespace

void HelioraWindowProcedure(const Message& message) {
    switch (message.kind) {
    case MessageKind::Destroy: {
        RunShutdownSteps();
        Message quit;
        quit.kind = MessageKind::Quit;
        PlatformPostMessage(quit);
        break;
    }
    case MessageKind::MouseMove: SetCursorShape(-1); break;
    case MessageKind::SysKeyDown:
    case MessageKind::SysKeyUp: break;
    case MessageKind::Other:
        if (message.key == kFirstFrameMarker && gShell.options.reportFirstFrame &&
            !gShell.firstFrameReported) {
            ReportFirstFrame();
            break;
        }
        PlatformDefaultHandling(message);
        break;
    default: PlatformDefaultHandling(message); break;
    }
}

void RunMessageLoop() {
    for (;;) {
        Message m;
        if (!PlatformWaitMessage(m, -1)) {
            if (!gPlatform.windowOpen && gPlatform.queue.empty()) return;  // nothing can come
            continue;
        }
        if (m.kind == MessageKind::Quit) return;
        DispatchMessage(m);  // system keys are dropped there
    }
}

void PostFirstFrameMarker() {
    Message marker;
    marker.kind = MessageKind::Other;
    marker.key = kFirstFrameMarker;
    PlatformPostMessage(marker);
}
