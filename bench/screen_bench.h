// What the screen benchmarks share: the program's user interface started once on the headless
// backend at 1024 x 768 in a scratch folder holding the coastline, and a way to run a benchmark
// body from inside a running screen (its controls built, its pictures drawn).
#pragma once
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "config/config.h"
#include "graphics/display.h"
#include "platform/platform.h"
#include "shell/navbar.h"
#include "shell/startup.h"
#include "widgets/control.h"

inline bool CopyBenchFile(const std::string& from, const char* to) {
    FILE* in = std::fopen(from.c_str(), "rb");
    if (!in) return false;
    FILE* out = std::fopen(to, "wb");
    if (!out) {
        std::fclose(in);
        return false;
    }
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) std::fwrite(buffer, 1, n, out);
    std::fclose(in);
    std::fclose(out);
    return true;
}

// The program's user interface, once, in a scratch folder holding the coastline.
inline bool StartBenchProgram() {
    static int started = -1;
    if (started >= 0) return started == 1;
    started = 0;
    char pattern[] = "/tmp/heliora_bench_XXXXXX";
    if (!mkdtemp(pattern) || chdir(pattern) != 0) return false;
    if (!CopyBenchFile(std::string(HELIORA_SOURCE_DIR) + "/data/newcoast.txt", "newcoast.txt"))
        return false;
    PlatformSelectBackend(PlatformBackend::Headless);
    ConfigRecord r;
    r.homeLatitude = 40;
    r.logbookEnabled = 1;
    r.mainAnimationDelay = 40;
    r.changeTiltDelay = 30;
    r.displayMode = 1024;
    ApplyConfiguration(r);
    if (CreateMainDisplay("Heliora", 1, 1024) != 1) return false;
    gShell.displayCreated = true;
    if (!SetUpUserInterface()) return false;
    started = 1;
    return true;
}

inline void PostClick(const Control* c) {
    Message m;
    m.x = (c->rect.left + c->rect.right) / 2;
    m.y = (c->rect.top + c->rect.bottom) / 2;
    for (MessageKind k : {MessageKind::MouseMove, MessageKind::LeftDown, MessageKind::LeftUp}) {
        m.kind = k;
        HeadlessPushMessage(m);
    }
}

// The running benchmark's body, called from inside the screen when it first finds its queue
// empty; afterwards the screen is left through the NavBar button `leave`.
struct BenchRun {
    benchmark::State* state = nullptr;
    void (*body)(benchmark::State&) = nullptr;
    bool bodyRan = false;
    Control* NavBarState::*leave = nullptr;
};
inline BenchRun gBenchRun;

inline void FeedBench() {
    BenchRun& r = gBenchRun;
    if (!r.bodyRan && r.body) {
        r.bodyRan = true;
        r.body(*r.state);
    }
    PostClick(gNavBar.*r.leave);
}

inline void RunInsideScreen(int (*screen)(), Control* NavBarState::*leave,
                            benchmark::State& state, void (*body)(benchmark::State&)) {
    gBenchRun = BenchRun{&state, body, false, leave};
    HeadlessSetIdleFeeder(FeedBench);
    screen();
    HeadlessSetIdleFeeder(nullptr);
}

// Converts the canvas through the palette, as every present does.
struct PresentConversion {
    std::vector<uint32_t> frame = std::vector<uint32_t>(gDisplay.canvas.pixels.size());
    void Run() {
        PlatformConvertCanvas(gDisplay.canvas.pixels.data(), frame.size(), gDisplay.shown,
                              frame.data());
        benchmark::DoNotOptimize(frame.data());
    }
};
