// SPDX-License-Identifier: GPL-3.0-or-later
// How long the main screen's start waits for the model.
#include <benchmark/benchmark.h>

#include "model/model.h"

namespace {

void Prepare(double tilt, double shape) {
    ResetModelState();
    SetHomeLatitude(40);
    ResetModelToEarthNormal();
    Settings().axisTilt = tilt;
    Settings().orbitShape = shape;
    Settings().latitude[1] = -30;
}

void Rebuild(benchmark::State& state, double tilt, double shape) {
    Prepare(tilt, shape);
    for (auto _ : state) {
        RebuildYearSeries();
        benchmark::DoNotOptimize(gModel.series.latTemperature[0][100]);
    }
    state.counters["years"] = gModel.spinUpYears;
}

void BM_RebuildEarthNormal(benchmark::State& state) { Rebuild(state, -23.5, 0.02); }
void BM_RebuildUntilted(benchmark::State& state) { Rebuild(state, 0, 0.02); }
// The setting that needs the most spin-up years of any the screens can reach.
void BM_RebuildSlowest(benchmark::State& state) { Rebuild(state, -90, 0.25); }

void BM_ComputeYearInsolation(benchmark::State& state) {
    Prepare(-23.5, 0.02);
    RebuildYearSeries();
    for (auto _ : state) {
        ComputeYearInsolation();
        benchmark::DoNotOptimize(gModel.series.bandEnergy[5][90]);
    }
}

}  // namespace

BENCHMARK(BM_RebuildEarthNormal)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RebuildUntilted)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RebuildSlowest)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComputeYearInsolation)->Unit(benchmark::kMicrosecond);
