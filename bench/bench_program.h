// SPDX-License-Identifier: GPL-3.0-or-later
// The program's user interface on the headless backend, for benchmarks of whole screens: started
// once in a scratch folder, and a way to run a benchmark's body inside a running screen.
#pragma once
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <initializer_list>
#include <string>

#include "config/config.h"
#include "graphics/display.h"
#include "platform/platform.h"
#include "shell/startup.h"
#include "widgets/control.h"

namespace bench_program {

inline bool CopyFile(const std::string& from, const char* to) {
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

// The user interface at 1024 x 768, once, in a scratch folder holding the named data files.
inline bool StartProgram(std::initializer_list<const char*> dataFiles) {
    static int started = -1;
    if (started >= 0) return started == 1;
    started = 0;
    char pattern[] = "/tmp/heliora_bench_XXXXXX";
    if (!mkdtemp(pattern) || chdir(pattern) != 0) return false;
    for (const char* name : dataFiles)
        if (!CopyFile(std::string(HELIORA_SOURCE_DIR) + "/data/" + name, name)) return false;
    PlatformSelectBackend(PlatformBackend::Headless);
    ConfigRecord r;
    r.homeLatitude = 40;
    r.logbookEnabled = 1;
    r.mainAnimationDelay = 40;
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
// empty; afterwards the screen is left through the `leave` button.
inline benchmark::State* gState = nullptr;
inline void (*gBody)(benchmark::State&) = nullptr;
inline bool gBodyRan = false;
inline Control* gLeave = nullptr;

inline void Feed() {
    if (!gBodyRan && gBody) {
        gBodyRan = true;
        gBody(*gState);
    }
    PostClick(gLeave);
}

inline void RunInsideScreen(int (*screen)(), Control* leave, benchmark::State& state,
                            void (*body)(benchmark::State&)) {
    gState = &state;
    gBody = body;
    gBodyRan = false;
    gLeave = leave;
    HeadlessSetIdleFeeder(Feed);
    screen();
    HeadlessSetIdleFeeder(nullptr);
}

// A frame's conversion of the canvas through the palette, as a present does it.
inline void ConvertCanvas(std::vector<uint32_t>& frame) {
    PlatformConvertCanvas(gDisplay.canvas.pixels.data(), frame.size(), gDisplay.shown,
                          frame.data());
}

}  // namespace bench_program
