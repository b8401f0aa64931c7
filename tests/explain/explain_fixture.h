// The orbit-shape explanation screens on the headless backend: the screen driver of
// tests/support with both screens' own state reset around each test, and what a test needs
// to tell the two apart.
#pragma once

#include "explain/orbit_energy_screen.h"
#include "explain/season_length_screen.h"
#include "tests/support/screen_driver.h"

struct ExplainTest : ScreenTest {
    void Start(const ConfigRecord& record = Record()) {
        ResetExplainStates();
        ScreenTest::Start(record);
    }
    void TearDown() override {
        ScreenTest::TearDown();
        ResetExplainStates();
    }
    static void ResetExplainStates() {
        ResetOrbitEnergyState();
        ResetSeasonLengthState();
    }

    // Device pixels of a logical rectangle, row by row.
    static std::vector<int> Pixels(const ScreenRect& r) {
        const DeviceRect d = ToDeviceRect(r);
        std::vector<int> out;
        for (int y = d.top; y < d.bottom; ++y)
            for (int x = d.left; x < d.right; ++x) out.push_back(At(x, y));
        return out;
    }
    static int Differences(const std::vector<int>& a, const std::vector<int>& b) {
        if (a.size() != b.size()) return -1;
        int n = 0;
        for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
        return n;
    }
};

// One of the two screens, as the table-driven tests see it.
struct ShapeScreen {
    const char* name;
    int id;
    int (*run)();
    ShapeScreenControls* controls;
    double* shape;
    int* step;
    int* counter;
    int boxX, boxY;  // a point inside the message box
};
inline const ShapeScreen kShapeScreens[] = {
    {"solar energy", kOrbitEnergyScreenId, RunOrbitEnergyScreen, &gOrbitEnergy.controls,
     &gOrbitEnergy.shape, &gOrbitEnergy.step, &gOrbitEnergy.messageCounter, 60, 100},
    {"season length", kSeasonLengthScreenId, RunSeasonLengthScreen, &gSeasonLength.controls,
     &gSeasonLength.shape, &gSeasonLength.step, &gSeasonLength.messageCounter, 170, 90},
};
