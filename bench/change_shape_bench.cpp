// SPDX-License-Identifier: GPL-3.0-or-later
// The Change Shape screen on the headless backend at 1024 x 768: one idle step (the orbit
// icon's step) and converting the canvas through the palette as a present does.
#include <vector>

#include "bench/bench_program.h"
#include "navbar/navbar.h"
#include "settings/change_shape_screen.h"

namespace {

void IdleStepBody(benchmark::State& state) {
    std::vector<uint32_t> frame(gDisplay.canvas.pixels.size());
    for (auto _ : state) {
        RunChangeShapeIdleStep();
        PlatformConvertCanvas(gDisplay.canvas.pixels.data(), frame.size(), gDisplay.shown,
                              frame.data());
        benchmark::DoNotOptimize(frame.data());
    }
}

void BM_ChangeShapeIdleStep(benchmark::State& state) {
    if (!bench_program::StartProgram({"newcoast.txt"})) {
        state.SkipWithError("the program could not start");
        return;
    }
    bench_program::RunInsideScreen(RunChangeShapeScreen, gNavBar.changeTiltButton, state,
                                   IdleStepBody);
}
BENCHMARK(BM_ChangeShapeIdleStep)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
