// SPDX-License-Identifier: GPL-3.0-or-later
// The real program, started as a teacher starts it, refuses what it cannot run with: a missing,
// empty or out-of-range configuration record, and no display. Each ends with status 1 and one
// line saying what is wrong, naming the file; no window is tried, no file is touched. (What is
// said of each damaged field: the configuration's own test.)
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "config/config.h"
#include "tests/tools/run_tool.h"

namespace {

const std::string kHeliora = HELIORA_PROGRAM;

std::string Record(void (*change)(ConfigRecord&)) {
    ConfigRecord r;
    r.homeLatitude = 40;
    r.logbookEnabled = 1;
    r.mainAnimationDelay = 40;
    change(r);
    unsigned char bytes[kConfigRecordSize];
    EncodeConfigRecord(r, bytes);
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

TEST(StartupFailure, DamagedRecordsAndNoDisplayEndWithOneLineAndStatusOne) {
    const struct {
        const char* what;
        bool present;
        std::string bytes;
        const char* env;       // environment given to the program
        const char* stream;    // "out" or "err": where the line goes
        const char* said;
        bool damaged;          // said as "<full name> is damaged: ..."
    } cases[] = {
        {"missing", false, "", "", "out", "Couldn't find configuration file, aborting program.", false},
        {"empty", true, "", "", "err", "hlra_cfg.bin is damaged: it holds 0 bytes; a configuration needs 80.", true},
        {"driver mode", true, Record([](ConfigRecord& r) { r.displayDriverMode = 171253846; }), "",
         "err", "its display-driver mode is 171253846, not 0, 1 or 2.", true},
        {"no display", true, Record([](ConfigRecord&) {}), "", "err",
         "neither DISPLAY nor WAYLAND_DISPLAY is set", false},
        {"dummy driver", true, Record([](ConfigRecord&) {}), "DISPLAY=:65000 SDL_VIDEODRIVER=dummy",
         "err", "SDL's video driver is \"dummy\"", false},
    };
    char cwd[PATH_MAX];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // The program runs in the folder itself, as a build-tree program does, so nothing is
        // seeded into it and a damaged file stays as it was.
        const std::string dir = std::string(cwd) + "/" + TestFile(".dir");
        ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
        const std::string config = dir + "/hlra_cfg.bin";
        if (c.present) {
            ASSERT_TRUE(WriteWholeFile(config, c.bytes));
        }
        // SDL's D-Bus link keeps an allocation to the end under the leak checker; our own
        // code's leaks are checked by the headless runs.
        const ToolResult r =
            RunTool("sh", {"-c", "cd \"$1\" && exec env -u DISPLAY -u WAYLAND_DISPLAY "
                                 "ASAN_OPTIONS=detect_leaks=0 " +
                                     std::string(c.env) + " \"$2\"",
                           "sh", dir, kHeliora});
        EXPECT_EQ(r.status, 1);
        const std::string& said = std::string(c.stream) == "out" ? r.out : r.err;
        EXPECT_EQ(SplitLines(said).size(), 1u) << said;
        EXPECT_TRUE(Contains(said, c.said)) << said;
        if (c.damaged) {
            EXPECT_TRUE(Contains(said, config + " is damaged: ")) << said;  // found by its name
        }
        if (c.present) {
            EXPECT_EQ(ReadWholeFile(config), c.bytes);
        }
        EXPECT_EQ(ReadWholeFile(dir + "/logbook.bin"), "");
        std::remove(config.c_str());
        std::remove((dir + "/logbook.bin").c_str());
        rmdir(dir.c_str());
    }
}

}  // namespace
