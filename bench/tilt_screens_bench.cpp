// SPDX-License-Identifier: GPL-3.0-or-later
// The tilt explanation screens on the headless backend at 1024 x 768, from inside the running
// screen: an idle step of the sunlight intensity screen (the beams' palette cycling), an idle
// step of the day length screen (the North Pole view and the clock of one half hour), each
// with and without converting the canvas for a present, and recomputing the 48 North Pole
// frames. The screens' own sleeps are left out.
#include <vector>

#include "bench/bench_program.h"
#include "navbar/navbar.h"
#include "explain/tilt_day_length_screen.h"
#include "explain/tilt_intensity_screen.h"

namespace {

// What a present of the changed picture costs on top: the canvas converted through the palette.
void ConvertCanvas(std::vector<uint32_t>& frame) {
    PlatformConvertCanvas(gDisplay.canvas.pixels.data(), frame.size(), gDisplay.shown,
                          frame.data());
    benchmark::DoNotOptimize(frame.data());
}

template <bool kPresent>
void BeamsBody(benchmark::State& state) {
    std::vector<uint32_t> frame(gDisplay.canvas.pixels.size());
    for (auto _ : state) {
        CycleBeams();
        if (kPresent) ConvertCanvas(frame);
    }
}

template <bool kPresent>
void DayStepBody(benchmark::State& state) {
    std::vector<uint32_t> frame(gDisplay.canvas.pixels.size());
    int step = 0;
    for (auto _ : state) {
        DrawPoleView(step);
        DrawDayClock(step);
        step = (step + 1) % kDayFrames;
        if (kPresent) ConvertCanvas(frame);
    }
}

void FramesBody(benchmark::State& state) {
    for (auto _ : state) {
        ComputePoleFrames(TheCoastOutline());
        benchmark::DoNotOptimize(gPoleFrames[0].count);
    }
}

void Run(benchmark::State& state, int (*screen)(), void (*body)(benchmark::State&)) {
    if (!bench_program::StartProgram({"newcoast.txt"})) {
        state.SkipWithError("the program could not start");
        return;
    }
    bench_program::RunInsideScreen(screen, gNavBar.changeTiltButton, state, body);
}

void BM_TiltIntensityIdleStep(benchmark::State& state) {
    Run(state, RunTiltIntensityScreen, state.range(0) ? BeamsBody<true> : BeamsBody<false>);
}
BENCHMARK(BM_TiltIntensityIdleStep)->ArgName("present")->Arg(0)->Arg(1)
    ->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_TiltDayLengthIdleStep(benchmark::State& state) {
    Run(state, RunTiltDayLengthScreen, state.range(0) ? DayStepBody<true> : DayStepBody<false>);
}
BENCHMARK(BM_TiltDayLengthIdleStep)->ArgName("present")->Arg(0)->Arg(1)
    ->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_TiltDayLengthFrames(benchmark::State& state) {
    Run(state, RunTiltDayLengthScreen, FramesBody);
}
BENCHMARK(BM_TiltDayLengthFrames)
    ->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
