// SPDX-License-Identifier: GPL-3.0-or-later
// Every subsystem back to where a new process starts: the replay's restart step and the tests
// run the program many times in one process.
#include <cstdlib>

#include "config/config.h"
#include "config/logbook_file.h"
#include "explain/latitude_zones_screen.h"
#include "explain/orbit_energy_screen.h"
#include "explain/season_length_screen.h"
#include "explain/sun_angle_screen.h"
#include "explain/tilt_day_length_screen.h"
#include "explain/tilt_intensity_screen.h"
#include "graphics/display.h"
#include "graphics/text.h"
#include "logbook/logbook.h"
#include "logbook_screen/logbook_screen.h"
#include "model/model.h"
#include "platform/platform.h"
#include "settings/change_shape_screen.h"
#include "settings/change_tilt_screen.h"
#include "settings/coast.h"
#include "settings/select_latitudes_screen.h"
#include "settings/settings_common.h"
#include "shell/dispatcher.h"
#include "navbar/navbar.h"
#include "shell/startup.h"
#include "simulation/simulation_state.h"
#include "widgets/keyboard.h"
#include "widgets/ui_resources.h"
#include "widgets/widget_state.h"

void ResetProgramToStart() {
    ResetLogbookScreenState();
    ResetSimulationState();
    ResetLatitudeZonesState();
    ResetTiltIntensityState();
    ResetTiltDayLengthState();
    ResetSunAngleState();
    ResetSeasonLengthState();
    ResetOrbitEnergyState();
    ResetSelectLatitudes();
    ResetChangeShapeState();
    ResetChangeTiltState();
    ResetKeyboard();
    DestroyNavBar();
    ResetWidgetState();
    ReleaseUiResources();
    ResetDisplayState();
    ResetTextState();
    PlatformReset();
    ResetConfiguration();
    ResetDispatcher();
    ResetShellState();
    ResetLogbookState();
    ResetLogbookFileState();
    ResetModelState();
    ResetCoastOutline();
    ResetSettingsCommon();
    std::srand(1);  // as at process start: the Change Shape screen places its stars with it
}
