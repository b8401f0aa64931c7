// SPDX-License-Identifier: GPL-3.0-or-later
// The main screen on the headless backend at 1024 x 768: one animation frame (everything the
// frame loop draws, plus converting the canvas for a present), and the screen's start (the
// model year rebuilt and every picture drawn for the first time).
#include <chrono>
#include <vector>

#include "bench/bench_program.h"
#include "model/model.h"
#include "navbar/navbar.h"
#include "simulation/main_screen.h"
#include "simulation/simulation_state.h"

namespace {

bool StartProgram() { return bench_program::StartProgram({"newcoast.txt"}); }

void RunInsideScreen(benchmark::State& state, void (*body)(benchmark::State&)) {
    bench_program::RunInsideScreen(RunMainScreen, gNavBar.changeTiltButton, state, body);
}

void FrameBody(benchmark::State& state) {
    std::vector<uint32_t> frame(gDisplay.canvas.pixels.size());
    for (auto _ : state) {
        RunMainFrame();
        PlatformConvertCanvas(gDisplay.canvas.pixels.data(), frame.size(), gDisplay.shown,
                              frame.data());
        gSim.day = (gSim.day + 1) % kYearSteps;
        benchmark::DoNotOptimize(frame.data());
    }
}

// The drawing alone, without the conversion a present adds.
void DrawingBody(benchmark::State& state) {
    for (auto _ : state) {
        RunMainFrame();
        gSim.day = (gSim.day + 1) % kYearSteps;
    }
}

void BM_MainScreenFrameDrawingOnly(benchmark::State& state) {
    if (!StartProgram()) {
        state.SkipWithError("the program could not start");
        return;
    }
    Settings().earthView = kViewTemperature;
    RunInsideScreen(state, DrawingBody);
}
BENCHMARK(BM_MainScreenFrameDrawingOnly)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_MainScreenFrame(benchmark::State& state) {
    if (!StartProgram()) {
        state.SkipWithError("the program could not start");
        return;
    }
    Settings().earthView = int(state.range(0));
    RunInsideScreen(state, FrameBody);
}
BENCHMARK(BM_MainScreenFrame)
    ->Arg(kViewTemperature)
    ->Arg(kViewEnergy)
    ->Arg(kViewDaylight)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// From entering the screen to its first frame: the series rebuilt and everything drawn.
std::chrono::steady_clock::time_point gEntered;
double gStartSeconds = 0;
void MarkStarted(benchmark::State&) {
    gStartSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - gEntered).count();
}

void BM_MainScreenStart(benchmark::State& state) {
    if (!StartProgram()) {
        state.SkipWithError("the program could not start");
        return;
    }
    for (auto _ : state) {
        gEntered = std::chrono::steady_clock::now();
        RunInsideScreen(state, MarkStarted);
        state.SetIterationTime(gStartSeconds);
    }
}
BENCHMARK(BM_MainScreenStart)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
