// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/options.h"

#include <cstring>
#include <string>

#include "shell/startup.h"

namespace {

constexpr const char* kUsage =
    "usage: heliora [--window | --fullscreen] [--workdir DIR]\n"
    "       heliora --help | --version\n";

constexpr const char* kHelp =
    "Heliora shows why Earth has seasons: change the tilt of Earth's axis, the shape of its\n"
    "orbit and the latitudes to watch, then follow one model year.\n"
    "\n"
    "  --window        start in a resizable window (1024x768, or smaller to fit)\n"
    "  --fullscreen    fill the screen (the default); F11 switches at any time\n"
    "  --workdir DIR   keep the configuration and the logbook in DIR (default:\n"
    "                  $XDG_DATA_HOME/heliora, made from the installed data on first start)\n"
    "  --help          print this help and end\n"
    "  --version       print the version and end\n"
    "\n"
    "In the program, F1 lists the keys.\n";

int Refuse(std::FILE* err, const std::string& why) {
    std::fprintf(err, "heliora: %s\n%s", why.c_str(), kUsage);
    return 2;
}

}  // namespace

const char* HelioraVersion() { return "1.1h"; }

int ParseCommandLine(int argc, char** argv, HelioraOptions& options, std::FILE* out, std::FILE* err) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fprintf(out, "%s\n%s", kUsage, kHelp);
            return 0;
        }
        if (a == "--version") {
            std::fprintf(out, "heliora %s\n", HelioraVersion());
            return 0;
        }
        if (a == "--window") {
            options.windowed = true;
        } else if (a == "--fullscreen") {
            options.windowed = false;
        } else if (a == "--workdir" || a.rfind("--workdir=", 0) == 0) {
            std::string dir;
            if (a == "--workdir") {
                if (i + 1 >= argc) return Refuse(err, "--workdir needs a folder");
                dir = argv[++i];
            } else {
                dir = a.substr(std::strlen("--workdir="));
            }
            if (dir.empty()) return Refuse(err, "--workdir needs a folder");
            options.workdir = dir;
        } else {
            return Refuse(err, "unknown option " + a);
        }
    }
    return -1;
}
