// Benchmarking a screen from inside its own loop on the headless backend at 1024 x 768: the
// program's user interface started once in a scratch folder holding the coastline, and a body
// that runs when the screen first finds its queue empty, after which the screen is left.
#pragma once
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "config/config.h"
#include "graphics/display.h"
#include "platform/platform.h"
#include "shell/navbar.h"
#include "shell/startup.h"
#include "widgets/control.h"

namespace screen_bench {

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

// The program's user interface, once, in a scratch folder holding the coastline.
inline bool StartProgram() {
    static int started = -1;
    if (started >= 0) return started == 1;
    started = 0;
    char pattern[] = "/tmp/heliora_bench_XXXXXX";
    if (!mkdtemp(pattern) || chdir(pattern) != 0) return false;
    if (!CopyFile(std::string(HELIORA_SOURCE_DIR) + "/data/newcoast.txt", "newcoast.txt"))
        return false;
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

// The running benchmark's body, called from inside the screen when it first has an idle step
// to take; afterwards the screen is left through `leave` (a NavBar button).
inline benchmark::State* gState = nullptr;
inline void (*gBody)(benchmark::State&) = nullptr;
inline bool gBodyRan = false;
inline Control* NavBarState::*gLeave = nullptr;

inline void Feed() {
    if (!gBodyRan && gBody) {
        gBodyRan = true;
        gBody(*gState);
    }
    PostClick(gNavBar.*gLeave);
}

inline void RunInsideScreen(benchmark::State& state, int (*screen)(),
                            void (*body)(benchmark::State&), Control* NavBarState::*leave) {
    gState = &state;
    gBody = body;
    gBodyRan = false;
    gLeave = leave;
    HeadlessSetIdleFeeder(Feed);
    screen();
    HeadlessSetIdleFeeder(nullptr);
}

}  // namespace screen_bench
