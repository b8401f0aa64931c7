// SPDX-License-Identifier: GPL-3.0-or-later
// Rasteriser throughput on a 1024 x 768 canvas.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <vector>

#include "graphics/draw.h"
#include "graphics/line.h"
#include "graphics/rect.h"
#include "graphics/region.h"
#include "graphics/scale.h"
#include "graphics/shape.h"

namespace {

struct Canvas {
    Surface surface;
    Canvas() {
        ResetDrawState();
        gDisplayScale = DisplayScale{};
        ResizeSurface(surface, 1024, 768, 0);
        SetPrimarySurface(&surface);
        SetDrawTarget(nullptr);
    }
    ~Canvas() { ResetDrawState(); }
};

ScreenRect Rect(int l, int t, int r, int b) {
    ScreenRect rc;
    MakeRect(rc, l, t, r, b);
    return rc;
}

// Fills the whole canvas once per iteration, a new colour each time, through the current clip.
void FillWholeCanvas(benchmark::State& state, Canvas& c) {
    ScreenRect all;
    FullScreenRect(all);
    int slot = 0;
    for (auto _ : state) {
        SetBrushColour(++slot & 255);
        FillScreenRect(all);
        benchmark::DoNotOptimize(c.surface.pixels.data());
    }
}

void BM_FullCanvasFill(benchmark::State& state) {
    Canvas c;
    FillWholeCanvas(state, c);
    state.SetItemsProcessed(state.iterations() * 1024 * 768);
}
BENCHMARK(BM_FullCanvasFill);

void BM_FullCanvasPatternFill(benchmark::State& state) {
    Canvas c;
    ScreenRect all;
    FullScreenRect(all);
    SetPenColour(4);
    SetBrushColour(14);
    SetBrushPattern(3);
    for (auto _ : state) {
        FillScreenRectPattern(all);
        benchmark::DoNotOptimize(c.surface.pixels.data());
    }
}
BENCHMARK(BM_FullCanvasPatternFill);

// Random boxes of 10 to 200 pixels, the same ones every run.
std::vector<ScreenRect> Boxes(int n) {
    std::mt19937 rng(7);
    std::vector<ScreenRect> boxes;
    for (int i = 0; i < n; ++i) {
        const int w = 10 + int(rng() % 190), h = 10 + int(rng() % 190);
        const int x = int(rng() % (1024 - w)), y = int(rng() % (768 - h));
        boxes.push_back(Rect(x, y, x + w, y + h));
    }
    return boxes;
}

void BM_ThousandFilledEllipses(benchmark::State& state) {
    Canvas c;
    const std::vector<ScreenRect> boxes = Boxes(1000);
    for (auto _ : state) {
        int slot = 1;
        for (const ScreenRect& b : boxes) {
            SetBrushColour(slot++ & 255);
            FillEllipse(b);
        }
        benchmark::DoNotOptimize(c.surface.pixels.data());
    }
}
BENCHMARK(BM_ThousandFilledEllipses)->Unit(benchmark::kMillisecond);

void BM_ThousandWidth7Lines(benchmark::State& state) {
    Canvas c;
    std::mt19937 rng(11);
    std::vector<int> xy;
    for (int i = 0; i < 4000; ++i) xy.push_back(int(rng() % (i % 2 ? 768 : 1024)));
    SetPenColour(16);
    SetPenWidth(7, 7);
    for (auto _ : state) {
        for (size_t i = 0; i < xy.size(); i += 4) {
            MoveTo(xy[i], xy[i + 1]);
            LineTo(xy[i + 2], xy[i + 3]);
        }
        benchmark::DoNotOptimize(c.surface.pixels.data());
    }
}
BENCHMARK(BM_ThousandWidth7Lines)->Unit(benchmark::kMillisecond);

void BM_RegionClipFill(benchmark::State& state) {
    Canvas c;
    // A disc with a slot cut out: many short spans per row.
    Region* disc = EllipseRegion(Rect(62, 0, 962, 768));
    Region* bar = RectRegion(Rect(400, 0, 620, 768));
    Region* clip = SubtractRegions(disc, bar);
    SetClipRegion(clip);
    FillWholeCanvas(state, c);
    SetClipRegion(nullptr);
    for (Region* r : {disc, bar, clip}) DeleteRegion(r);
}
BENCHMARK(BM_RegionClipFill);

}  // namespace
