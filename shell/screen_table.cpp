// The program's screens by ScreenId: the finished ones, and stand-ins for those still built.
#include "shell/dispatcher.h"
#include "shell/placeholder_screens.h"
#include "settings/change_tilt_screen.h"

#ifdef HELIORA_HAVE_SIMULATION
int RunMainScreen();
#endif
#ifdef HELIORA_HAVE_SETTINGS
int RunSelectLatitudesScreen();
#endif
#ifdef HELIORA_HAVE_EXPLAIN
int RunLatitudeZonesScreen();
#endif

namespace {

const ScreenEntry kProgramScreens[] = {
#ifdef HELIORA_HAVE_SIMULATION
    {kScreenMain, RunMainScreen},
#else
    {kScreenMain, RunPlaceholderMainScreen},
#endif
    {kScreenChangeTilt, RunChangeTiltScreen},
    {kScreenTiltIntensity, RunPlaceholderTiltIntensity},
    {kScreenTiltDayLength, RunPlaceholderTiltDayLength},
    {kScreenChangeShape, RunPlaceholderChangeShape},
    {kScreenOrbitEnergy, RunPlaceholderOrbitEnergy},
    {kScreenSeasonLength, RunPlaceholderSeasonLength},
#ifdef HELIORA_HAVE_SETTINGS
    {kScreenSelectLatitudes, RunSelectLatitudesScreen},
#else
    {kScreenSelectLatitudes, RunPlaceholderSelectLatitudes},
#endif
#ifdef HELIORA_HAVE_EXPLAIN
    {kScreenLatitudeZones, RunLatitudeZonesScreen},
#else
    {kScreenLatitudeZones, RunPlaceholderLatitudeZones},
#endif
    {kScreenSunAngle, RunPlaceholderSunAngle},
    {kScreenLogbook, RunPlaceholderLogbook},
};

}  // namespace

const ScreenEntry* ProgramScreenTable(int& count) {
    count = int(sizeof kProgramScreens / sizeof kProgramScreens[0]);
    return kProgramScreens;
}
