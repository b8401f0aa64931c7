// SPDX-License-Identifier: GPL-3.0-or-later
// Heliora: why Earth has seasons.
#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "shell/options.h"
#include "shell/startup.h"
#include "shell/workdir.h"

int main(int argc, char** argv) {
    HelioraOptions options;
    const int status = ParseCommandLine(argc, argv, options, stdout, stderr);
    if (status >= 0) return status;
    std::string said;
    const int prepared = PrepareWorkdir(options.workdir, stderr, &said);
    // Said on the terminal already; a box too, for a program started from the desktop's menu.
    if (!said.empty()) PlatformShowMessageBox(prepared >= 0, "Heliora", said.c_str());
    if (prepared >= 0) return prepared;
    return RunHeliora(options);
}
