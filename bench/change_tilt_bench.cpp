// SPDX-License-Identifier: GPL-3.0-or-later
// The Change Tilt screen on the headless backend at 1024 x 768: what a click on the arc costs
// (the arc and axis redrawn, the coastline projected for all 96 globe frames), and one idle step
// (a globe frame composed and copied, the orbit icon stepped, the canvas converted for a
// present).
#include <vector>

#include "bench/bench_program.h"
#include "model/model.h"
#include "settings/change_tilt_screen.h"
#include "settings/settings_common.h"
#include "navbar/navbar.h"

namespace {

void ArcClickBody(benchmark::State& state) {
    int tilt = -90;
    for (auto _ : state) {
        Settings().axisTilt = tilt;
        DrawTiltArc(1);
        ComputeGlobeFrames();
        tilt = tilt >= 90 ? -90 : tilt + 7;
    }
}

void IdleStepBody(benchmark::State& state) {
    std::vector<uint32_t> frame(gDisplay.canvas.pixels.size());
    for (auto _ : state) {
        DrawSpinningGlobeFrame();
        DrawOrbitIcon(0);
        gChangeTilt.frameCounter = (gChangeTilt.frameCounter + 1) % kGlobeFrameCount;
        PlatformConvertCanvas(gDisplay.canvas.pixels.data(), frame.size(), gDisplay.shown,
                              frame.data());
        benchmark::DoNotOptimize(frame.data());
    }
}

void BM_ChangeTilt(benchmark::State& state, void (*body)(benchmark::State&)) {
    if (!bench_program::StartProgram({"newcoast.txt"})) {
        state.SkipWithError("the program could not start");
        return;
    }
    Settings().axisTilt = EarthNormalTilt;
    bench_program::RunInsideScreen(RunChangeTiltScreen, gNavBar.changeShapeButton, state, body);
}
BENCHMARK_CAPTURE(BM_ChangeTilt, ArcClick, ArcClickBody)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ChangeTilt, IdleStep, IdleStepBody)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
