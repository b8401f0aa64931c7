// Shared set-up for the main screen tests: the program started on the headless display in a
// fresh folder holding the coastline, and the main screen run with a driver.
#pragma once
#include "simulation/charts.h"
#include "simulation/earth_views.h"
#include "simulation/main_screen.h"
#include "simulation/simulation_state.h"
#include "tests/support/screen_fixture.h"

struct SimulationTest : ScreenFixture {
    void Start(const ConfigRecord& record = Record()) {
        ResetSimulationState();
        StartScreens("simulation_test", record);
    }

    void TearDown() override {
        StopScreens();
        ResetSimulationState();
    }

    static int Run(std::function<bool(long)> drive) {
        return RunScreen(RunMainScreen, std::move(drive));
    }
};
