// SPDX-License-Identifier: GPL-3.0-or-later
// The real SDL window on a virtual X server: heliora-display-check must open it, present, write
// the canvas and exit cleanly. Skipped where Xvfb or the program is missing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>

#include "graphics/png.h"

namespace {

bool Exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

TEST(DisplayCheck, RunsUnderXvfb) {
    const std::string program =
        std::string(HELIORA_BINARY_DIR) + "/tools/heliora-display-check/heliora-display-check";
    if (!Exists(program)) GTEST_SKIP() << "heliora-display-check is not built";
    if (std::system("command -v Xvfb >/dev/null 2>&1") != 0) GTEST_SKIP() << "no Xvfb";
    std::remove("display_check.png");
    // The system's X11 and D-Bus libraries keep buffers until exit, and their stacks cannot be
    // unwound for suppressions: sanitizer builds check leaks in the unit tests, not here.
    const std::string command = "ASAN_OPTIONS=detect_leaks=0 '" HELIORA_SOURCE_DIR
                                "/tests/support/with_xvfb.sh' '" + program +
                                "' --hold 200 --png display_check.png >/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    // A 1280 x 1024 screen holds the large picture; the fixed palette's background shows.
    Surface canvas;
    PlatformColour palette[256];
    ASSERT_TRUE(ReadSurfacePng("display_check.png", canvas, palette));
    EXPECT_EQ(canvas.width, 1024);
    EXPECT_EQ(canvas.height, 768);
    EXPECT_EQ(canvas.At(5, 5), 26);
    EXPECT_EQ(palette[26].r, 192);
}

}  // namespace
