// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the program until its first screen is shown and prints the wall-clock time of that
// frame, so a script can measure start-up from before the process began.
//   heliora-startup-time [--headless]
#include <cstdio>
#include <cstring>

#include "shell/startup.h"

int main(int argc, char** argv) {
    HelioraOptions options;
    options.reportFirstFrame = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            options.backend = PlatformBackend::Headless;
        } else {
            std::fprintf(stderr, "usage: heliora-startup-time [--headless]\n");
            return 2;
        }
    }
    return RunHeliora(options);
}
