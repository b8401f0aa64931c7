// Shared set-up for the main screen tests: a fresh working folder holding the coastline, the
// program's start-up on the headless display (NavBar, fonts, sprites, model at Earth Normal),
// and the screen driver of tests/support.
#pragma once

#include "simulation/charts.h"
#include "simulation/earth_views.h"
#include "simulation/main_screen.h"
#include "simulation/simulation_state.h"
#include "tests/support/screen_driver.h"

struct SimulationTest : ScreenTest {
    void Start(const ConfigRecord& record = Record()) {
        ResetSimulationState();
        StartScreenProgram("simulation_test", record, {"newcoast.txt"});
    }

    void TearDown() override {
        ScreenTest::TearDown();
        ResetSimulationState();
    }

    // Runs a screen (the main screen unless told) with a driver; returns what it returned.
    static int Run(std::function<bool(long)> drive, int (*screen)() = RunMainScreen) {
        return DriveScreen(screen, std::move(drive));
    }
};
