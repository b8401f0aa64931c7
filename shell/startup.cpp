// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/startup.h"

#include <cstdio>

#include "graphics/display.h"
#include "graphics/draw.h"
#include "graphics/palette.h"
#include "graphics/present.h"
#include "graphics/rect.h"
#include "logbook/logbook.h"
#include "model/model.h"
#include "settings/coast.h"
#include "config/config.h"
#include "shell/dispatcher.h"
#include "navbar/navbar.h"
#include "shell/options.h"
#include "widgets/about.h"
#include "widgets/events.h"
#include "widgets/ui_resources.h"

ShellState gShell;

void ResetShellState() { gShell = ShellState{}; }

namespace {

constexpr const char* kProductName = "Heliora";
constexpr const char* kMakerName = "Halvern";

void FillWholeScreen(int slot) {
    BeginDrawing();
    SetUpFixedPalette();
    ScreenRect whole;
    FullScreenRect(whole);
    SetBrushColour(slot);
    FillScreenRect(whole);
    EndDrawing();
}

}  // namespace

int StartupFailure(std::FILE* stream, const char* prefix, const std::string& text) {
    std::fprintf(stream, "%s%s\n", prefix, text.c_str());
    std::fflush(stream);
    PlatformShowMessageBox(true, kProductName, text.c_str());
    return 1;
}

bool SetUpUserInterface() {
    bool ok = true;
    // Entries of users no longer on the administrator's list go before anything is shown.
    if (!LogbookFilesOff()) CleanLogbookAtStartUp();
    FillWholeScreen(26);
    ok &= CreateUiResources();  // buffers, cursors 1..3, sprite sheet and sprites, fonts
    LoadCoastOutline();         // a missing file gives an empty outline, never a failure
    SetHomeLatitude(HomeLatitude());
    ResetModelToEarthNormal();
    ok &= CreateNavBar();
    ok &= CreateAboutPanel();
    gShell.userInterfaceBuilt = true;
    SetScreenWorkArea(0, 64, 1024, 738);
    Settings().axisTilt = EarthNormalTilt;
    Settings().orbitShape = EarthNormalShape;
    RedrawNavBar();
    return ok;
}

int RunHeliora(const HelioraOptions& options) {
    ResetShellState();
    ResetDispatcher();
    gShell.options = options;

    SetProgramIdentity(kProductName, HelioraVersion(), kMakerName);
    PlatformSelectBackend(options.backend);
    std::string error;
    switch (LoadConfiguration(error)) {
    case ConfigLoad::Loaded: break;
    // The missing file's message has always gone to standard output, as it stands.
    case ConfigLoad::Missing: return StartupFailure(stdout, "", error);
    case ConfigLoad::Damaged: return StartupFailure(stderr, "heliora: ", error);
    }
    if (!PlatformHasRealDisplay(error)) return StartupFailure(stderr, "heliora: ", error);
    PlatformStartWindowed(options.windowed);
    if (!CreateMainDisplay(ProductName(), DisplayDriverMode(), DisplayMode())) {
        TearDownDisplay();
        return StartupFailure(stderr, "heliora: ", "couldn't open the window (see above)");
    }
    gShell.displayCreated = true;
    SetWindowProcedure(HelioraWindowProcedure);
    // Whatever could not be made (a font, a cursor) only looks plainer: the program runs on.
    SetUpUserInterface();
    if (options.reportFirstFrame) PostFirstFrameMarker();
    gShell.dispatcherResult = RunScreenDispatcher();
    RunMessageLoop();

    // A loop that ended without the destroy message (the platform gave up) still leaves the
    // logbook and the display in order.
    RunShutdownSteps();
    ReleaseShellControls();
    SetWindowProcedure(nullptr);
    return 0;
}

int RunHeliora(PlatformBackend backend) {
    HelioraOptions options;
    options.backend = backend;
    return RunHeliora(options);
}
