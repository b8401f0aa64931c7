// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "run_tool.h"
#include "config/config.h"

namespace {

const std::string kTool = HELIORA_CONFIG_TOOL;

ConfigRecord ReadRecord(const std::string& path) {
    std::string bytes = ReadWholeFile(path);
    return DecodeConfigRecord(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string Encoded(const ConfigRecord& record) {
    unsigned char bytes[kConfigRecordSize];
    EncodeConfigRecord(record, bytes);
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// A record with the idle time-out on at 120 seconds and the given latitude, logbook and delays.
ConfigRecord Record(int latitude, int logbook, int main, int tilt, int day, int orbit, int season) {
    ConfigRecord r;
    r.homeLatitude = latitude;
    r.logbookEnabled = uint8_t(logbook);
    r.mainAnimationDelay = main;
    r.changeTiltDelay = tilt;
    r.dayLengthDelay = day;
    r.orbitEnergyDelay = orbit;
    r.seasonLengthDelay = season;
    r.idleTimeoutEnabled = 1;
    r.idleTimeoutSeconds = 120;
    return r;
}

// Bad arguments are refused with status 2, a file that cannot be read or written with 1; either
// way in one line, and nothing is written.
TEST(ConfigTool, RefusedInOneLineAndWritingNothing) {
    const std::string file = TestFile(".bin"), dir = TestFile(".dir");
    ::mkdir(dir.c_str(), 0755);
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frob"},
        {"show"},
        {"write"},
        {"write", "--home-latitude", "40"},
        {"write", file, "--home-latitude", "91"},
        {"write", file, "--home-latitude", "40.5"},
        {"write", file, "--home-latitude", "forty"},
        {"write", file, "--home-latitude", "99999999999999999999"},
        {"write", file, "--home-latitude"},
        {"write", file, "--home-latitude", "1", "--home-latitude", "2"},
        {"write", file, "--print-button", "2"},
        {"write", file, "--logbook", "1"},
        {"write", file, "--main-delay", "10001"},
        {"write", file, "--season-length-delay=abc"},
        {"write", file, "--driver-mode", "3"},
        {"write", file, "--display-mode", "640"},
        {"write", file, "--idle-timeout", "on"},  // on with no seconds would close at once
        {"write", file, "--bogus", "1"},
        {"write", file, "stray"},
    };
    for (const auto& args : cases) {
        ExpectRefused(kTool, args);
        EXPECT_EQ(access(file.c_str(), F_OK), -1) << args.size() << " arguments: wrote the file";
        std::remove(file.c_str());
    }
    for (const std::string& name : {std::string("no-such-file.bin"), dir}) {
        ExpectRefused(kTool, {"show", name}, 1);
        EXPECT_TRUE(Contains(RunTool(kTool, {"show", name}).err, name));
    }
    ExpectRefused(kTool, {"write", dir + "/missing/x.bin"}, 1);
    ::rmdir(dir.c_str());
    // Help comes first, whatever else is asked.
    const ToolResult help = RunTool(kTool, {"write", file, "--bogus", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Contains(help.out, "--logbook-files")) << help.out;
}

TEST(ConfigTool, WriteThenShowRoundTrip) {
    const std::string file = TestFile(".bin");
    ToolResult w = RunTool(kTool, {"write", file, "--home-latitude", "-12", "--print-button", "1", "--users-mode",
                                   "1", "--logbook", "off", "--single-cycle", "96", "--main-delay", "40",
                                   "--tilt-delay=30", "--day-length-delay", "60", "--orbit-energy-delay", "31",
                                   "--season-length-delay", "32", "--idle-timeout", "on", "--idle-seconds", "120",
                                   "--driver-mode", "0", "--display-mode", "800", "--logbook-files", "on"});
    ASSERT_EQ(w.status, 0) << w.err;
    ConfigRecord want = Record(-12, 0, 40, 30, 60, 31, 32);
    want.printButton = 1;
    want.usersMode = 1;
    want.singleCycleMode = 96;
    want.displayMode = 800;
    EXPECT_EQ(ReadWholeFile(file), Encoded(want));

    ToolResult s = RunTool(kTool, {"show", file});
    ASSERT_EQ(s.status, 0) << s.err;
    EXPECT_EQ(s.err, "");
    const std::vector<std::string> lines = SplitLines(s.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "home latitude: -12");
    for (const char* line : {"print button: 1", "users mode: 1", "logbook: off (0)", "single-cycle mode: 96",
                             "main animation delay: 40 ms", "Change Tilt delay: 30 ms", "day length delay: 60 ms",
                             "orbit energy delay: 31 ms", "season length delay: 32 ms", "idle time-out: on (1)",
                             "idle time-out seconds: 120", "display-driver mode: 0 (automatic)",
                             "display mode: 800 (800x600 only)", "logbook files: on (logbook-files-off 0)"})
        EXPECT_TRUE(Contains(s.out, std::string(line) + "\n")) << line;
    // As stored the file asks for a second user, printing and logbook files; the program
    // grants none of it, and says so.
    EXPECT_TRUE(Contains(s.out, "in effect: print button 0, users mode 0 as \"Guest User\", logbook files off, "
                                "display-driver mode 1\n"))
        << s.out;
    EXPECT_FALSE(Contains(s.out, "short file"));

    // The files-off flag is the one field stored inverted.
    ASSERT_EQ(RunTool(kTool, {"write", file, "--logbook", "on", "--logbook-files", "off"}).status, 0);
    ConfigRecord r = ReadRecord(file);
    EXPECT_EQ(r.logbookEnabled, 1);
    EXPECT_EQ(r.logbookFilesOff, 1);
    EXPECT_TRUE(Contains(RunTool(kTool, {"show", file}).out, "logbook files: off (logbook-files-off 1)\n"));

    // Nothing given: an all-zero record.
    ASSERT_EQ(RunTool(kTool, {"write", file}).status, 0);
    EXPECT_EQ(ReadWholeFile(file), std::string(kConfigRecordSize, '\0'));
    std::remove(file.c_str());
}

TEST(ConfigTool, ShowNamesTheFieldsAShortFileLacks) {
    const std::string full = TestFile(".full.bin"), part = TestFile(".short.bin");
    ASSERT_EQ(RunTool(kTool, {"write", full, "--home-latitude", "40", "--idle-seconds", "9"}).status, 0);
    ASSERT_TRUE(WriteWholeFile(part, ReadWholeFile(full).substr(0, 30)));

    ToolResult s = RunTool(kTool, {"show", part});
    EXPECT_EQ(s.status, 0) << s.err;
    EXPECT_EQ(SplitLines(s.out).at(0), "home latitude: 40");
    EXPECT_TRUE(Contains(s.out, "idle time-out seconds: 0\n"));  // read as zero, as the program does
    EXPECT_TRUE(Contains(s.out, "short file: 30 of 80 bytes; read as zero: day length delay (partly), "
                                "orbit energy delay, season length delay, reserved byte 40, idle time-out, "
                                "idle time-out seconds, display-driver mode, display mode, logbook files\n"))
        << s.out;

    // An empty file still shows, every field missing.
    ASSERT_TRUE(WriteWholeFile(part, ""));
    s = RunTool(kTool, {"show", part});
    EXPECT_EQ(s.status, 0);
    EXPECT_EQ(SplitLines(s.out).at(0), "home latitude: 0");
    EXPECT_TRUE(Contains(s.out, "short file: 0 of 80 bytes; read as zero: home latitude, print button,")) << s.out;
    std::remove(full.c_str());
    std::remove(part.c_str());
}

TEST(ConfigTool, ShippedConfigurationHoldsTheClassroomDefaults) {
    const std::string shipped = std::string(HELIORA_SOURCE_DIR) + "/data/hlra_cfg.bin";
    EXPECT_EQ(ReadWholeFile(shipped), Encoded(Record(40, 1, 40, 30, 60, 30, 30)));
    // The run script reads the home latitude from the first line.
    EXPECT_EQ(SplitLines(RunTool(kTool, {"show", shipped}).out).at(0), "home latitude: 40");
}

}  // namespace
