// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/heliora-replay/replay_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every step kind read, blanks and comments passed over: each step written back (as the monkey
// writes its steps down) is its line without the extra blanks, and reads back as itself. (What
// each step does once read: the replays that use it.)
TEST(ReplayScript, ReadsEveryStepKind) {
    const std::vector<std::string> lines = {
        "move 10 20", "click 1023 767", "rclick 0 0", "key Enter", "key F12", "key Shift+Tab",
        "type Hello, world", "idle 25", "shot start-1.png", "expect-screen -13", "minimise",
        "restore", "close", "state now.json", "texts drawn.txt", "copy logbook.bin saved.bin",
        "restart", "key Ctrl+E", "disk full", "disk mended", "expect-pixel 230 120 253"};
    std::string text = "# a comment\n\n";
    for (const std::string& line : lines) text += "  " + line + (line[0] == 'm' ? "\r\n" : "  \n");
    std::vector<ReplayStep> steps, again;
    std::string error, written;
    ASSERT_TRUE(ParseReplayScript(text, steps, error)) << error;
    ASSERT_EQ(steps.size(), lines.size());
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(FormatReplayStep(steps[i]), lines[i]);
        written += FormatReplayStep(steps[i]) + "\n";
    }
    EXPECT_EQ(steps[0].line, 3);
    ASSERT_TRUE(ParseReplayScript(written, again, error)) << error << "\n" << written;
    ASSERT_EQ(again.size(), steps.size());
    for (size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(FormatReplayStep(again[i]), lines[i]);
    // A key with a count is that many presses.
    ASSERT_TRUE(ParseReplayScript("key Shift+Tab 3\n", steps, error)) << error;
    ASSERT_EQ(steps.size(), 3u);
    for (const ReplayStep& s : steps) EXPECT_EQ(FormatReplayStep(s), "key Shift+Tab");
}

TEST(ReplayScript, RejectsBadLinesNamingTheLine) {
    const char* bad[] = {
        "click 1024 10",       // outside the design space
        "click 10",            // one coordinate
        "move -1 5",
        "click 10 20 30",
        "key Hyper",
        "key",
        "key Ctrl+",
        "key Tab 0",           // a count of presses from 1
        "key Tab 2 3",
        "idle",
        "idle -3",
        "idle 12x",
        "shot ../escape.png",  // shots stay inside the output folder
        "shot picture.bmp",
        "shot .png",
        "expect-screen",
        "expect-screen two",
        "minimise now",
        "restart 2",
        "type",
        "state now.txt",       // each output step has its own kind of file
        "texts",
        "copy logbook.bin",
        "copy ../hlra_cfg.bin out.bin",  // only files of the working folder
        "copy logbook.bin sub/out.bin",
        "disk",
        "disk empty",
        "expect-pixel 10 10",
        "expect-pixel 10 10 256",
        "jump 3 4",
        "click 99999999999999999999 1",
    };
    for (const char* line : bad) {
        std::vector<ReplayStep> steps;
        std::string error;
        EXPECT_FALSE(ParseReplayScript(std::string("idle 1\n") + line + "\n", steps, error))
            << line;
        EXPECT_NE(error.find("line 2"), std::string::npos) << line << ": " << error;
    }
}

TEST(ReplayScript, BinaryGarbageIsRejectedNotCrashedOn) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += char((i * 131 + 7) & 0xFF);
    std::vector<ReplayStep> steps;
    std::string error;
    EXPECT_FALSE(ParseReplayScript(junk, steps, error));
}

}  // namespace
