// SPDX-License-Identifier: GPL-3.0-or-later
// The latitude zones screen's pictures on the headless display at 1024 x 768: what a zone
// click redraws (the zone colours and the chart) and what a tilt change redraws (the
// coastline projected again, the six regions rebuilt, the globe drawn).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "explain/latitude_zones_screen.h"
#include "graphics/display.h"
#include "graphics/palette.h"
#include "graphics/present.h"
#include "platform/platform.h"
#include "settings/coast.h"
#include "simulation/earth_views.h"
#include "widgets/ui_resources.h"

namespace {

const ScreenRect kGlobe = [] {
    ScreenRect r;
    MakeRect(r, 150, 264, 500, 614);
    return r;
}();
const ScreenRect kChart = [] {
    ScreenRect r;
    MakeRect(r, 540, 264, 970, 614);
    return r;
}();

// The display, the palette, the fonts and the coastline, once.
bool Start() {
    static int started = -1;
    if (started >= 0) return started == 1;
    started = 0;
    PlatformSelectBackend(PlatformBackend::Headless);
    if (CreateMainDisplay("Heliora", 1, 1024) != 1) return false;
    SetUpFixedPalette();
    if (!CreateUiResources()) return false;
    LoadViewPalette();
    // The program reads its coastline from the working folder; the shipped copy is read here.
    if (chdir(HELIORA_SOURCE_DIR "/data") != 0 || LoadCoastOutline().count == 0) return false;
    ResetLatitudeZonesState();
    gZones.coastPoints = new ZoneCoastPoints{};
    gZones.coastSegments = new GlobeSegments{};
    started = 1;
    return true;
}

void ZoneClickChart(benchmark::State& state) {
    if (!Start()) return state.SkipWithError("no headless display");
    int zone = 0;
    for (auto _ : state) {
        zone = (zone + 1) % kZoneCount;
        SetZoneColours(zone);
        BeginDrawing();
        DrawZoneChart(kChart, zone, -23.5);
        EndDrawing();
    }
}
BENCHMARK(ZoneClickChart)->Unit(benchmark::kMicrosecond);

void TiltChangeGlobe(benchmark::State& state) {
    if (!Start()) return state.SkipWithError("no headless display");
    const double tilts[3] = {-15, -23.5, -40};
    int i = 0;
    for (auto _ : state) {
        const double tilt = tilts[i++ % 3];
        ProjectZoneCoastline(TheCoastOutline(), tilt, *gZones.coastPoints, *gZones.coastSegments);
        BuildZoneRegions(kGlobe, tilt);
        BeginDrawing();
        DrawZoneGlobe(kGlobe, tilt);
        EndDrawing();
    }
}
BENCHMARK(TiltChangeGlobe)->Unit(benchmark::kMicrosecond);

}  // namespace
