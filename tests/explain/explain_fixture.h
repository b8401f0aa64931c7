// SPDX-License-Identifier: GPL-3.0-or-later
// The explanation screens on the headless backend: the screen driver of tests/support (the
// program's start and stop reset every screen's own state), and what the tests share.
#pragma once

#include <array>
#include <vector>

#include "explain/orbit_energy_screen.h"
#include "explain/season_length_screen.h"
#include "tests/support/screen_driver.h"

using ExplainTest = ScreenTest;

// A colour as one comparable value.
inline std::array<int, 3> Rgb(const PlatformColour& c) { return {c.r, c.g, c.b}; }
using RGB = std::array<int, 3>;

// How many pixels differ between two copies of one rectangle (ScreenTest::Pixels).
inline int Differences(const std::vector<int>& a, const std::vector<int>& b) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

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
