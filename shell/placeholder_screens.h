// Plain stand-ins for the screens that are still being built: the screen's title on a panel
// over the work area, the NavBar, and buttons to the screens it leads to, so every button of
// the program goes somewhere.
#pragma once

// One function per ScreenId; each runs the shared screen loop and returns the next ScreenId.
int RunPlaceholderMainScreen();
int RunPlaceholderChangeTilt();
int RunPlaceholderTiltIntensity();
int RunPlaceholderTiltDayLength();
int RunPlaceholderChangeShape();
int RunPlaceholderOrbitEnergy();
int RunPlaceholderSeasonLength();
int RunPlaceholderSelectLatitudes();
int RunPlaceholderLatitudeZones();
int RunPlaceholderSunAngle();
int RunPlaceholderLogbook();

// The title a stand-in shows for a ScreenId, or null when it has none.
const char* PlaceholderTitle(int screenId);
