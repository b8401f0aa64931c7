// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a screenful of short labels, and converting the canvas for a present.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "graphics/display.h"
#include "graphics/palette.h"
#include "graphics/present.h"
#include "graphics/text.h"

namespace {

bool OpenHeadlessDisplay() {
    PlatformSelectBackend(PlatformBackend::Headless);
    if (!CreateMainDisplay("Heliora", 1, 1024)) return false;
    SetUpFixedPalette();
    return true;
}

// 1000 short labels in the label font, as a busy screen would draw them.
void BM_DrawThousandLabels(benchmark::State& state) {
    if (!OpenHeadlessDisplay()) {
        state.SkipWithError("no display");
        return;
    }
    TextFont* font = CreateTextFont("Arial Bold", 18, 0, 0);
    if (!font) {
        state.SkipWithError("no font");
        return;
    }
    SelectTextFont(font);
    SetPenColour(1);
    SetTextAlignment(1, 1);
    char label[32];
    for (auto _ : state) {
        BeginDrawing();
        for (int i = 0; i < 1000; ++i) {
            std::snprintf(label, sizeof label, "%d.5\xBA N", i % 90);
            DrawTextAt(40 + (i % 20) * 48, 80 + (i / 20) * 13, label);
        }
        EndDrawing();
    }
    benchmark::DoNotOptimize(gDisplay.canvas.pixels.data());
    DeleteGraphicObject(font);
    ResetDisplayState();
    ResetTextState();
}
BENCHMARK(BM_DrawThousandLabels)->Unit(benchmark::kMillisecond);

// Palette indices of a 1024 x 768 canvas to the 32-bit colours a present uploads.
void BM_ConvertCanvasForPresent(benchmark::State& state) {
    std::vector<uint8_t> canvas(1024 * 768);
    for (size_t i = 0; i < canvas.size(); ++i) canvas[i] = uint8_t(i * 31 + i / 1024);
    std::vector<uint32_t> out(canvas.size());
    PlatformColour palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i / 2), uint8_t(255 - i)};
    for (auto _ : state) {
        PlatformConvertCanvas(canvas.data(), canvas.size(), palette, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ConvertCanvasForPresent)->Unit(benchmark::kMicrosecond);

}  // namespace
