// SPDX-License-Identifier: GPL-3.0-or-later
// The Select Latitudes screen on the headless backend at 1024 x 768: one idle step (the orbit
// icon's step, plus converting the canvas for a present), and one paint of the world map with
// coast5.bin read afresh, as on every entry.
#include <vector>

#include "bench/bench_program.h"
#include "settings/coast.h"
#include "settings/select_latitudes_screen.h"
#include "settings/settings_common.h"
#include "settings/world_map.h"
#include "navbar/navbar.h"

namespace {

bool Run(benchmark::State& state, void (*body)(benchmark::State&)) {
    if (!bench_program::StartProgram({"coast5.bin"})) {
        state.SkipWithError("the program could not start");
        return false;
    }
    bench_program::RunInsideScreen(RunSelectLatitudesScreen, gNavBar.changeTiltButton, state,
                                   body);
    return true;
}

void IdleStepBody(benchmark::State& state) {
    std::vector<uint32_t> frame(gDisplay.canvas.pixels.size());
    for (auto _ : state) {
        DrawOrbitIcon(0);
        PlatformConvertCanvas(gDisplay.canvas.pixels.data(), frame.size(), gDisplay.shown,
                              frame.data());
        benchmark::DoNotOptimize(frame.data());
    }
}

void MapBody(benchmark::State& state) {
    for (auto _ : state) PaintWorldMap(gSelectLatitudes.mapRect, kCoastMapFile);
}

void BM_SelectLatitudesIdleStep(benchmark::State& state) { Run(state, IdleStepBody); }
BENCHMARK(BM_SelectLatitudesIdleStep)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_SelectLatitudesWorldMap(benchmark::State& state) { Run(state, MapBody); }
BENCHMARK(BM_SelectLatitudesWorldMap)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
