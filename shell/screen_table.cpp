// The program's screens by ScreenId: the finished ones, and stand-ins for those still built.
#include "shell/dispatcher.h"
#include "shell/placeholder_screens.h"

#ifdef HELIORA_HAVE_SIMULATION
int RunMainScreen();
#endif
#ifdef HELIORA_HAVE_SETTINGS
int RunSelectLatitudesScreen();
int RunChangeShapeScreen();
#endif
#ifdef HELIORA_HAVE_EXPLAIN
int RunLatitudeZonesScreen();
int RunSunAngleScreen();
int RunTiltIntensityScreen();
int RunTiltDayLengthScreen();
#endif

namespace {

const ScreenEntry kProgramScreens[] = {
#ifdef HELIORA_HAVE_SIMULATION
    {kScreenMain, RunMainScreen},
#else
    {kScreenMain, RunPlaceholderMainScreen},
#endif
    {kScreenChangeTilt, RunPlaceholderChangeTilt},
#ifdef HELIORA_HAVE_EXPLAIN
    {kScreenTiltIntensity, RunTiltIntensityScreen},
    {kScreenTiltDayLength, RunTiltDayLengthScreen},
#else
    {kScreenTiltIntensity, RunPlaceholderTiltIntensity},
    {kScreenTiltDayLength, RunPlaceholderTiltDayLength},
#endif
#ifdef HELIORA_HAVE_SETTINGS
    {kScreenChangeShape, RunChangeShapeScreen},
#else
    {kScreenChangeShape, RunPlaceholderChangeShape},
#endif
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
#ifdef HELIORA_HAVE_EXPLAIN
    {kScreenSunAngle, RunSunAngleScreen},
#else
    {kScreenSunAngle, RunPlaceholderSunAngle},
#endif
    {kScreenLogbook, RunPlaceholderLogbook},
};

}  // namespace

const ScreenEntry* ProgramScreenTable(int& count) {
    count = int(sizeof kProgramScreens / sizeof kProgramScreens[0]);
    return kProgramScreens;
}
