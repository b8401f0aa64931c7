// The program's screens by ScreenId: the finished ones, and stand-ins for those still built.
#include "shell/dispatcher.h"
#include "shell/placeholder_screens.h"

#ifdef HELIORA_HAVE_SIMULATION
int RunMainScreen();
#endif
#ifdef HELIORA_HAVE_LOGBOOK_SCREEN
int RunLogbookScreen();
#endif

namespace {

const ScreenEntry kProgramScreens[] = {
#ifdef HELIORA_HAVE_SIMULATION
    {kScreenMain, RunMainScreen},
#else
    {kScreenMain, RunPlaceholderMainScreen},
#endif
    {kScreenChangeTilt, RunPlaceholderChangeTilt},
    {kScreenTiltIntensity, RunPlaceholderTiltIntensity},
    {kScreenTiltDayLength, RunPlaceholderTiltDayLength},
    {kScreenChangeShape, RunPlaceholderChangeShape},
    {kScreenOrbitEnergy, RunPlaceholderOrbitEnergy},
    {kScreenSeasonLength, RunPlaceholderSeasonLength},
    {kScreenSelectLatitudes, RunPlaceholderSelectLatitudes},
    {kScreenLatitudeZones, RunPlaceholderLatitudeZones},
    {kScreenSunAngle, RunPlaceholderSunAngle},
#ifdef HELIORA_HAVE_LOGBOOK_SCREEN
    {kScreenLogbook, RunLogbookScreen},
#else
    {kScreenLogbook, RunPlaceholderLogbook},
#endif
};

}  // namespace

const ScreenEntry* ProgramScreenTable(int& count) {
    count = int(sizeof kProgramScreens / sizeof kProgramScreens[0]);
    return kProgramScreens;
}
