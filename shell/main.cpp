// Heliora: why Earth has seasons.
#include <cstdio>

#include "shell/options.h"
#include "shell/startup.h"
#include "shell/workdir.h"

int main(int argc, char** argv) {
    HelioraOptions options;
    const int status = ParseCommandLine(argc, argv, options, stdout, stderr);
    if (status >= 0) return status;
    const int prepared = PrepareWorkdir(options.workdir, stderr);
    if (prepared >= 0) return prepared;
    return RunHeliora(options);
}
