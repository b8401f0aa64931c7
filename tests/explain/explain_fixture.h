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
