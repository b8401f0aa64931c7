#include "tools/heliora-replay/replay_script.h"

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

TEST(ReplayScript, ReadsEveryStepKind) {
    const std::string text =
        "# a comment\n"
        "\n"
        "move 10 20\r\n"
        "  click 1023 767\n"
        "rclick 0 0\n"
        "key Enter\n"
        "key F12\n"
        "key Shift+Tab\n"
        "type Hello, world  \n"
        "idle 25\n"
        "shot start-1.png\n"
        "expect-screen -13\n"
        "minimise\n"
        "restore\n"
        "close\n"
        "state now.json\n"
        "texts drawn.txt\n"
        "copy logbook.bin saved.bin\n"
        "restart\n"
        "key Ctrl+E\n"
        "disk full\n"
        "disk mended\n"
        "expect-pixel 230 120 253\n";
    std::vector<ReplayStep> steps;
    std::string error;
    ASSERT_TRUE(ParseReplayScript(text, steps, error)) << error;
    ASSERT_EQ(steps.size(), 21u);
    EXPECT_EQ(steps[0].kind, StepKind::Move);
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_EQ(steps[0].x, 10);
    EXPECT_EQ(steps[0].y, 20);
    EXPECT_EQ(steps[1].kind, StepKind::Click);
    EXPECT_EQ(steps[1].x, 1023);
    EXPECT_EQ(steps[2].kind, StepKind::RightClick);
    EXPECT_EQ(steps[3].key, KeyEnter);
    EXPECT_EQ(steps[4].key, KeyF12);
    EXPECT_EQ(steps[5].key, KeyTab);
    EXPECT_EQ(steps[5].modifiers, kModShift);
    EXPECT_EQ(steps[6].kind, StepKind::Type);
    EXPECT_EQ(steps[6].text, "Hello, world");
    EXPECT_EQ(steps[7].count, 25);
    EXPECT_EQ(steps[8].text, "start-1.png");
    EXPECT_EQ(steps[9].count, -13);
    EXPECT_EQ(steps[10].kind, StepKind::Minimise);
    EXPECT_EQ(steps[11].kind, StepKind::Restore);
    EXPECT_EQ(steps[12].kind, StepKind::Close);
    EXPECT_EQ(steps[13].kind, StepKind::State);
    EXPECT_EQ(steps[13].text, "now.json");
    EXPECT_EQ(steps[14].kind, StepKind::Texts);
    EXPECT_EQ(steps[15].kind, StepKind::Copy);
    EXPECT_EQ(steps[15].text, "logbook.bin");
    EXPECT_EQ(steps[15].name, "saved.bin");
    EXPECT_EQ(steps[16].kind, StepKind::Restart);
    EXPECT_EQ(steps[18].kind, StepKind::Disk);
    EXPECT_EQ(steps[18].count, 1);
    EXPECT_EQ(steps[19].count, 0);
    EXPECT_EQ(steps[20].kind, StepKind::ExpectPixel);
    EXPECT_EQ(steps[20].count, 253);

    // What the monkey writes down reads back as the same steps.
    std::string written;
    for (const ReplayStep& s : steps) written += FormatReplayStep(s) + "\n";
    std::vector<ReplayStep> again;
    ASSERT_TRUE(ParseReplayScript(written, again, error)) << error << "\n" << written;
    ASSERT_EQ(again.size(), steps.size());
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(FormatReplayStep(again[i]), FormatReplayStep(steps[i]));
        EXPECT_EQ(again[i].key, steps[i].key);
        EXPECT_EQ(again[i].modifiers, steps[i].modifiers);
    }
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
