// SPDX-License-Identifier: GPL-3.0-or-later
// The monkey: random steps on whatever screen is running, aimed mostly at the enabled
// controls on screen, with the program's invariants checked after every step. Deterministic
// for a seed: it draws from its own generator and from the program's state only.
#pragma once
#include <cstdint>
#include <string>

struct MonkeyOptions {
    long steps = 0;
    uint64_t seed = 0;
    std::string workdir;  // empty: a new folder seeded from dataDir, removed after a clean run
    std::string dataDir;
    std::string outDir;   // where a failing run's script goes
};

// Runs the monkey; prints the steps and peak memory per screen. 0 clean, 1 an invariant
// failed (the script that reproduces it is written), 2 the folders could not be set up.
int RunMonkey(const MonkeyOptions& options);
