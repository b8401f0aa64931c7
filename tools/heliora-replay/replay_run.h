// SPDX-License-Identifier: GPL-3.0-or-later
// Feeding steps to the real program on the headless backend: each step is handed over exactly
// when the program finds its message queue empty, and a `restart` step starts the program
// again after it has ended, in the same state a new process would start from.
#pragma once
#include <string>
#include <vector>

#include "tools/heliora-replay/replay_script.h"

constexpr int kIdleStepMs = 5;     // virtual time each idle step lets pass
constexpr int kInputStepMs = 20;   // and each input step, as a quick hand would

struct ReplayRun {
    std::vector<ReplayStep> steps;  // the script, or every step the monkey has made so far
    size_t next = 0;
    int idleLeft = 0;
    std::string outDir;
    bool failed = false;
    bool finished = false;   // the steps ran out (or stopped at a failure): close posted
    long pollsAfterEnd = 0;
    int shots = 0;
    bool recordTexts = false;
    std::string drawnTexts;  // lines of the texts step, gathered while a texts step is ahead

    // The monkey: asked for one more step whenever the steps have run out (false: no more).
    bool (*more)(ReplayStep& step) = nullptr;
    // Asked, once the program has handled a step, whether all is still well (false: stop).
    bool (*check)() = nullptr;
    size_t checkedUpTo = 0;  // steps handled and checked
};
extern ReplayRun gRun;

// Runs the program (again after each restart step) until the steps have run out or one failed.
// False when a step failed or the program ended before the steps did.
bool RunReplaySteps();
// Reports a failure at `step` and has the program close.
void FailStep(const ReplayStep& step, const std::string& why);
