// SPDX-License-Identifier: GPL-3.0-or-later
// The program's screens by ScreenId.
#include "explain/latitude_zones_screen.h"
#include "explain/orbit_energy_screen.h"
#include "explain/season_length_screen.h"
#include "explain/sun_angle_screen.h"
#include "explain/tilt_day_length_screen.h"
#include "explain/tilt_intensity_screen.h"
#include "logbook_screen/logbook_screen.h"
#include "settings/change_shape_screen.h"
#include "settings/change_tilt_screen.h"
#include "settings/select_latitudes_screen.h"
#include "shell/dispatcher.h"
#include "simulation/main_screen.h"

namespace {

const ScreenEntry kProgramScreens[] = {
    {kScreenMain, RunMainScreen},
    {kScreenChangeTilt, RunChangeTiltScreen},
    {kScreenTiltIntensity, RunTiltIntensityScreen},
    {kScreenTiltDayLength, RunTiltDayLengthScreen},
    {kScreenChangeShape, RunChangeShapeScreen},
    {kScreenOrbitEnergy, RunOrbitEnergyScreen},
    {kScreenSeasonLength, RunSeasonLengthScreen},
    {kScreenSelectLatitudes, RunSelectLatitudesScreen},
    {kScreenLatitudeZones, RunLatitudeZonesScreen},
    {kScreenSunAngle, RunSunAngleScreen},
    {kScreenLogbook, RunLogbookScreen},
};

}  // namespace

const ScreenEntry* ProgramScreenTable(int& count) {
    count = int(sizeof kProgramScreens / sizeof kProgramScreens[0]);
    return kProgramScreens;
}
