// SPDX-License-Identifier: GPL-3.0-or-later
// The orbit shape screens on the headless backend at 1024 x 768: one animation frame of each
// (everything the frame draws, plus converting the canvas for a present), and what a shape
// change redraws: the solar energy screen's message box, orbit picture and energy chart, the
// season length screen's picture with its message box. Argument: the shape button 0..3.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/bench_program.h"
#include "navbar/navbar.h"
#include "explain/orbit_energy_screen.h"
#include "explain/season_length_screen.h"

namespace {

using bench_program::RunInsideScreen;
using bench_program::StartProgram;

int gShapeIndex = 0;

template <bool (*Frame)()>
void FrameBody(benchmark::State& state) {
    std::vector<uint32_t> frame(gDisplay.canvas.pixels.size());
    for (auto _ : state) {
        Frame();
        bench_program::ConvertCanvas(frame);
        benchmark::DoNotOptimize(frame.data());
    }
}

void OrbitEnergyRedrawBody(benchmark::State& state) {
    for (auto _ : state) {
        gOrbitEnergy.shape = kScreenShapes[gShapeIndex];
        ShowOrbitEnergyMessage();
        DrawOrbitEnergyPicture();
        DrawSolarEnergyChart();
    }
}

void SeasonLengthRedrawBody(benchmark::State& state) {
    for (auto _ : state) {
        gSeasonLength.shape = kScreenShapes[gShapeIndex];
        DrawSeasonLengthPicture();
    }
}

void Run(benchmark::State& state, int (*screen)(), void (*body)(benchmark::State&)) {
    if (!StartProgram({"newcoast.txt"})) {
        state.SkipWithError("the program could not start");
        return;
    }
    RunInsideScreen(screen, gNavBar.changeTiltButton, state, body);
}

void BM_OrbitEnergyFrame(benchmark::State& state) {
    Run(state, RunOrbitEnergyScreen, FrameBody<RunOrbitEnergyFrame>);
}
void BM_SeasonLengthFrame(benchmark::State& state) {
    Run(state, RunSeasonLengthScreen, FrameBody<RunSeasonLengthFrame>);
}
void BM_OrbitEnergyShapeChange(benchmark::State& state) {
    gShapeIndex = int(state.range(0));
    Run(state, RunOrbitEnergyScreen, OrbitEnergyRedrawBody);
}
void BM_SeasonLengthShapeChange(benchmark::State& state) {
    gShapeIndex = int(state.range(0));
    Run(state, RunSeasonLengthScreen, SeasonLengthRedrawBody);
}

BENCHMARK(BM_OrbitEnergyFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SeasonLengthFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OrbitEnergyShapeChange)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SeasonLengthShapeChange)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
