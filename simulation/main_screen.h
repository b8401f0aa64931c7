// SPDX-License-Identifier: GPL-3.0-or-later
// The main screen, "Watch the Seasons": rebuilds the model year from the settings and
// animates it day by day in the Earth picture, the orbit and tilt diagrams and the chart.
#pragma once

// Runs the screen's loop; returns the next ScreenId.
int RunMainScreen();

// One animation frame for the current day: the globe (and the live temperatures' daily
// step), the orbit marker, the tilt globe, the chart's point and the distance figure.
void RunMainFrame();
