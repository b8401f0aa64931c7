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
    static ConfigRecord Record(int displayMode = 1024) {
        ConfigRecord r;
        r.homeLatitude = 40;
        r.logbookEnabled = 1;
        r.mainAnimationDelay = 40;
        r.idleTimeoutEnabled = 1;
        r.idleTimeoutSeconds = 60;
        r.displayMode = displayMode;
        return r;
    }

    void Start(const ConfigRecord& record = Record()) {
        ResetSimulationState();
        StartScreenProgram("simulation_test", record, {"newcoast.txt"});
    }

    void TearDown() override {
        ScreenTest::TearDown();
        ResetSimulationState();
    }

    // Runs the main screen with a driver; returns what the screen returned.
    static int Run(std::function<bool(long)> drive) {
        return DriveScreen(RunMainScreen, std::move(drive));
    }
};
