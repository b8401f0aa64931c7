// Shared set-up for the main screen tests: the screen driver with the simulation's own state
// reset before and after each test.
#pragma once
#include <functional>

#include "simulation/charts.h"
#include "simulation/earth_views.h"
#include "simulation/main_screen.h"
#include "simulation/simulation_state.h"
#include "tests/support/screen_fixture.h"

struct SimulationTest : ScreenTest {
    void Start(const ConfigRecord& record = Record()) {
        ResetSimulationState();
        StartIn("simulation_test", record);
    }

    void TearDown() override {
        ScreenTest::TearDown();
        ResetSimulationState();
    }

    // Runs the main screen with a driver; returns what the screen returned.
    static int Run(std::function<bool(long)> drive) {
        return RunScreen(RunMainScreen, std::move(drive));
    }
};
