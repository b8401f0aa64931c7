// Heliora: why Earth has seasons.
#include <unistd.h>

#include <cstdio>

#include "shell/options.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
    HelioraOptions options;
    const int status = ParseCommandLine(argc, argv, options, stdout, stderr);
    if (status >= 0) return status;
    if (!options.workdir.empty() && chdir(options.workdir.c_str()) != 0) {
        std::fprintf(stderr, "heliora: cannot enter the folder %s\n", options.workdir.c_str());
        return 1;
    }
    return RunHeliora(options);
}
