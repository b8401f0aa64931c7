// The program's screens by ScreenId: the finished ones, and stand-ins for those still built.
#include "shell/dispatcher.h"
#include "shell/placeholder_screens.h"
#include "settings/change_tilt_screen.h"

#ifdef HELIORA_HAVE_SIMULATION
int RunMainScreen();
#endif
#ifdef HELIORA_HAVE_SETTINGS
int RunSelectLatitudesScreen();
int RunChangeShapeScreen();
#endif
#ifdef HELIORA_HAVE_EXPLAIN
int RunTiltIntensityScreen();
int RunTiltDayLengthScreen();
int RunOrbitEnergyScreen();
int RunSeasonLengthScreen();
int RunLatitudeZonesScreen();
int RunSunAngleScreen();
#endif

namespace {

const ScreenEntry kProgramScreens[] = {
#ifdef HELIORA_HAVE_SIMULATION
    {kScreenMain, RunMainScreen},
#else
    {kScreenMain, RunPlaceholderMainScreen},
#endif
    {kScreenChangeTilt, RunChangeTiltScreen},
#ifdef HELIORA_HAVE_SETTINGS
    {kScreenChangeShape, RunChangeShapeScreen},
    {kScreenSelectLatitudes, RunSelectLatitudesScreen},
#else
    {kScreenChangeShape, RunPlaceholderChangeShape},
    {kScreenSelectLatitudes, RunPlaceholderSelectLatitudes},
#endif
#ifdef HELIORA_HAVE_EXPLAIN
    {kScreenTiltIntensity, RunTiltIntensityScreen},
    {kScreenTiltDayLength, RunTiltDayLengthScreen},
    {kScreenOrbitEnergy, RunOrbitEnergyScreen},
    {kScreenSeasonLength, RunSeasonLengthScreen},
    {kScreenLatitudeZones, RunLatitudeZonesScreen},
    {kScreenSunAngle, RunSunAngleScreen},
#else
    {kScreenTiltIntensity, RunPlaceholderTiltIntensity},
    {kScreenTiltDayLength, RunPlaceholderTiltDayLength},
    {kScreenOrbitEnergy, RunPlaceholderOrbitEnergy},
    {kScreenSeasonLength, RunPlaceholderSeasonLength},
    {kScreenLatitudeZones, RunPlaceholderLatitudeZones},
    {kScreenSunAngle, RunPlaceholderSunAngle},
#endif
    {kScreenLogbook, RunPlaceholderLogbook},
};

}  // namespace

const ScreenEntry* ProgramScreenTable(int& count) {
    count = int(sizeof kProgramScreens / sizeof kProgramScreens[0]);
    return kProgramScreens;
}
