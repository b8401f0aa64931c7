// SPDX-License-Identifier: GPL-3.0-or-later
// heliora-replay: runs the real program on the headless backend in a given working directory,
// driven by a script of input steps (or by the monkey's random ones), and writes PNGs of the
// screen on the way.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "config/config.h"
#include "shell/workdir.h"
#include "tools/heliora-replay/monkey.h"
#include "tools/heliora-replay/monkey_checks.h"
#include "tools/heliora-replay/replay_run.h"
#include "tools/heliora-replay/replay_script.h"
#include "tools/tool_args.h"

namespace {

const char* const kUsage =
    "usage: heliora-replay [--workdir DIR] --script FILE --out DIR [--check]\n"
    "       heliora-replay --monkey N --seed S [--workdir DIR] [--data DIR] [--out DIR]\n"
    "\n"
    "Runs Heliora without a window in DIR (which must hold hlra_cfg.bin), feeding it the\n"
    "steps of FILE, and writes the pictures the script asks for into the folder given by --out.\n"
    "Without --workdir it works where heliora itself would: an installed copy in the per-user\n"
    "folder ($XDG_DATA_HOME/heliora), made and filled on first use; else the current folder.\n"
    "Script lines (coordinates in the 1024 x 768 design space):\n"
    "  move X Y | click X Y | rclick X Y | key [Shift+|Ctrl+]NAME [N] | type TEXT | idle N\n"
    "  shot NAME.png\n"
    "  expect-screen N | minimise | restore | close | # comment\n"
    "  expect-pixel X Y SLOT   the picture holds palette slot SLOT at X Y\n"
    "  restart           the program has ended: start it again, as a new process would\n"
    "  state NAME.json   the ScreenId, the model's settings and the last saved orbit, as JSON\n"
    "  texts NAME.txt    every text drawn since the last texts step, one per line:\n"
    "                    x, y, pen slot, face, size, screen|buffer, text (tab separated);\n"
    "                    then each line an edit box shows now, marked edit\n"
    "  copy FILE NAME    a file of the working folder, copied into the --out folder\n"
    "  disk full | disk mended   from here every write to a logbook file fails for want of\n"
    "                    room, or succeeds again\n"
    "--check             after every step, check what the monkey checks (below)\n"
    "\n"
    "The monkey makes N random steps on whatever screen is running: clicks and right clicks\n"
    "(most of them on the enabled controls, the NavBar's more often), pointer moves, keys\n"
    "(Tab, Enter, Space, Escape, F1, arrows, digits...), typed text, idle time, minimise and\n"
    "restore, and closing the window; whenever the program ends it is started again. The same\n"
    "seed always makes the same steps. After every step it checks that the ScreenId names one\n"
    "of the screens, that the model's settings are within their ranges (tilt -90..90, shape\n"
    "0..0.50, latitudes of the Select Latitudes buttons or none, the four views, speeds 0..6),\n"
    "and that logbook.bin is whole records the program accepts with no entry lost that was not\n"
    "deleted (and empty once the program has ended). At the end it prints the steps and the\n"
    "peak resident memory per screen, and the process's VmHWM.\n"
    "  --workdir DIR   run in DIR as it is (it must hold hlra_cfg.bin); without it, in a new\n"
    "                  folder under $TMPDIR (or /tmp) filled from --data, removed after a clean\n"
    "                  run and kept after a failure\n"
    "  --data DIR      the files a new working folder starts with (default: the source's data/)\n"
    "  --out DIR       where a failing run's steps go, as the script monkey-seed-S.txt that\n"
    "                  replays it (with --check) in a fresh copy of the same folder (default: .)\n"
    "\n"
    "Exit status: 0 the script (or the monkey) ran clean, 1 an expectation or a check failed,\n"
    "2 bad arguments or script.\n";

bool ReadWholeFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return !in.bad();
}

// The path as seen from `base` when it is relative.
std::string Absolute(const std::string& base, const std::string& path) {
    return !path.empty() && path[0] == '/' ? path : base + "/" + path;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int Usage(const std::string& error) {
    std::fprintf(stderr, "heliora-replay: %s\n", error.c_str());
    return 2;
}

// --check: the monkey's checks after every step of a script.
LogbookWatch gScriptLogbook;
bool CheckScriptStep() {
    std::string why;
    if (CheckScreenId(why) && CheckModelSettings(why) && CheckLogbook(gScriptLogbook, why)) return true;
    std::fprintf(stderr, "heliora-replay: after line %d: %s\n",
                 gRun.next > 0 ? gRun.steps[gRun.next - 1].line : 0, why.c_str());
    return false;
}

int RunScript(const std::string& workdir, const std::string& script, const std::string& out,
              bool check) {
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return Usage("cannot read the current folder");
    std::string text, error;
    gRun = ReplayRun{};
    if (!ReadWholeFile(Absolute(cwd, script), text)) return Usage("cannot read the script " + script);
    if (!ParseReplayScript(text, gRun.steps, error)) return Usage(script + ": " + error);

    gRun.outDir = Absolute(cwd, out);
    if (!IsDirectory(gRun.outDir) && mkdir(gRun.outDir.c_str(), 0777) != 0)
        return Usage("cannot make the output folder " + out);
    if (workdir.empty()) {
        if (PrepareWorkdir("", stderr) >= 0) return 2;
    } else if (!IsDirectory(workdir) || chdir(workdir.c_str()) != 0) {
        return Usage("cannot enter the working folder " + workdir);
    }
    if (access(kConfigFileName, R_OK) != 0)
        return Usage("no readable " + std::string(kConfigFileName) + " in " +
                     (workdir.empty() ? std::string("the working folder") : workdir));

    // Texts are recorded only when the script reads them.
    for (const ReplayStep& step : gRun.steps)
        if (step.kind == StepKind::Texts) gRun.recordTexts = true;
    if (check) gRun.check = CheckScriptStep;
    if (!RunReplaySteps()) return 1;
    std::printf("heliora-replay: %zu steps, %d pictures\n", gRun.steps.size(), gRun.shots);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string workdir, script, out, monkey, seed, data = HELIORA_DATA_DIR;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--check") {
            check = true;
            continue;
        }
        std::string* target = a == "--workdir"  ? &workdir
                              : a == "--script" ? &script
                              : a == "--out"    ? &out
                              : a == "--monkey" ? &monkey
                              : a == "--seed"   ? &seed
                              : a == "--data"   ? &data
                                                : nullptr;
        if (!target) return Usage("unknown argument " + a + " (try --help)");
        if (i + 1 >= argc || argv[i + 1][0] == '\0') return Usage(a + " needs a value");
        *target = argv[++i];
    }
    if (!monkey.empty() || !seed.empty()) {
        if (!script.empty()) return Usage("--monkey and --script do not go together (try --help)");
        long steps = 0, s = 0;
        if (!ParseWholeNumber(monkey.c_str(), 1, 100000000, steps))
            return Usage("--monkey needs a number of steps, 1 or more (try --help)");
        if (!ParseWholeNumber(seed.c_str(), 0, LONG_MAX, s))
            return Usage("--seed needs a whole number, 0 or more (try --help)");
        MonkeyOptions options;
        options.steps = steps;
        options.seed = uint64_t(s);
        options.workdir = workdir;
        options.dataDir = data;
        options.outDir = out;
        return RunMonkey(options);
    }
    if (script.empty() || out.empty())
        return Usage("--script and --out are both needed (try --help)");
    return RunScript(workdir, script, out, check);
}
