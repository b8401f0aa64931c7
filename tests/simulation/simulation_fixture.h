// Shared set-up for the main screen tests: the screen driver of tests/support with the main
// screen's own state reset around each test.
#pragma once

#include "simulation/charts.h"
#include "simulation/earth_views.h"
#include "simulation/main_screen.h"
#include "simulation/simulation_state.h"
#include "tests/support/screen_driver.h"

struct SimulationTest : ScreenTest {
    void Start(const ConfigRecord& record = Record()) {
        ResetSimulationState();
        ScreenTest::Start(record);
    }

    void TearDown() override {
        ScreenTest::TearDown();
        ResetSimulationState();
    }

    // Runs the main screen with a driver; returns what the screen returned.
    static int Run(std::function<bool(long)> drive) { return RunScreen(RunMainScreen, std::move(drive)); }
};
