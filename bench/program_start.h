// The program's user interface on the headless display, started once in a scratch folder that
// holds the coastline: shared by the benchmarks of whole screens.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <string>

#include "config/config.h"
#include "graphics/display.h"
#include "platform/platform.h"
#include "shell/startup.h"

namespace bench {

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

// `record` is used by the first call only; later calls report how that one went.
inline bool StartProgram(const ConfigRecord& record) {
    static int started = -1;
    if (started >= 0) return started == 1;
    started = 0;
    char pattern[] = "/tmp/heliora_bench_XXXXXX";
    if (!mkdtemp(pattern) || chdir(pattern) != 0) return false;
    if (!CopyFile(std::string(HELIORA_SOURCE_DIR) + "/data/newcoast.txt", "newcoast.txt"))
        return false;
    PlatformSelectBackend(PlatformBackend::Headless);
    ApplyConfiguration(record);
    if (CreateMainDisplay("Heliora", 1, record.displayMode) != 1) return false;
    gShell.displayCreated = true;
    if (!SetUpUserInterface()) return false;
    started = 1;
    return true;
}

// The configuration the screen benchmarks run with: 1024 x 768, logbook on, in files.
inline ConfigRecord BenchRecord() {
    ConfigRecord r;
    r.homeLatitude = 40;
    r.logbookEnabled = 1;
    r.mainAnimationDelay = 40;
    r.displayMode = 1024;
    return r;
}

}  // namespace bench
