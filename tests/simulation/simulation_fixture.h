// SPDX-License-Identifier: GPL-3.0-or-later
// Shared set-up for the main screen tests: the program started in a fresh working folder
// holding the coastline (its start and stop reset every screen's own state), and the screen
// driver of tests/support.
#pragma once

#include "simulation/charts.h"
#include "simulation/earth_views.h"
#include "simulation/main_screen.h"
#include "simulation/simulation_state.h"
#include "tests/support/screen_driver.h"

struct SimulationTest : ScreenTest {
    // Runs a screen (the main screen unless told) with a driver; returns what it returned.
    static int Run(std::function<bool(long)> drive, int (*screen)() = RunMainScreen) {
        return DriveScreen(screen, std::move(drive));
    }
};
