// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own start-up and shutdown on the headless display, in a fresh working folder:
// shared by the tests that drive the shell and whole screens.
#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "graphics/display.h"
#include "graphics/text.h"
#include "logbook/logbook.h"
#include "model/model.h"
#include "platform/platform.h"
#include "settings/change_tilt_screen.h"
#include "settings/coast.h"
#include "settings/settings_common.h"
#include "config/config.h"
#include "shell/dispatcher.h"
#include "config/logbook_file.h"
#include "config/logbook_file_ops.h"
#include "navbar/navbar.h"
#include "shell/startup.h"
#include "widgets/control.h"
#include "widgets/ui_resources.h"
#include "widgets/widget_state.h"

// Puts one input message (device pixels) into the headless queue.
inline void PostInput(MessageKind kind, int x = 0, int y = 0) {
    Message m;
    m.kind = kind;
    m.x = x;
    m.y = y;
    HeadlessPushMessage(m);
}
// A key pressed and let go, and text typed.
inline void PostKey(int key, int modifiers = 0) {
    Message m;
    m.kind = MessageKind::KeyDown;
    m.key = key;
    m.modifiers = uint8_t(modifiers);
    HeadlessPushMessage(m);
    m.kind = MessageKind::KeyUp;
    HeadlessPushMessage(m);
}
inline void PostText(const char* text) {
    for (const char* p = text; *p; ++p) {
        Message m;
        m.kind = MessageKind::Character;
        m.character = uint8_t(*p);
        HeadlessPushMessage(m);
    }
}

struct ProgramFixture : ::testing::Test {
    std::string home, folder;

    // Every subsystem back to its state at process start.
    static void ResetProgramState() {
        ResetProgramToStart();
        ResetFileOps();
    }

    // Moves into a new empty folder under the test's working directory.
    void EnterFreshFolder(const char* prefix) {
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        home = cwd;
        std::string pattern = std::string(prefix) + "_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = home + "/" + pattern;
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }

    // The program's user-interface set-up with `record`, as at start-up.
    static void StartProgram(const ConfigRecord& record) {
        ResetProgramState();
        PlatformSelectBackend(PlatformBackend::Headless);
        ApplyConfiguration(record);
        ASSERT_EQ(CreateMainDisplay("Heliora", 1, record.displayMode), 1);
        gShell.displayCreated = true;
        ASSERT_TRUE(SetUpUserInterface());
    }

    // Shutdown as at the end of the program, then the folder and everything in it goes.
    void StopProgram() {
        RunShutdownSteps();
        ReleaseShellControls();
        ResetProgramState();
        if (folder.empty()) return;
        ASSERT_EQ(chdir(home.c_str()), 0);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    static int At(int x, int y) { return gDisplay.canvas.At(x, y); }
    static long FileSize(const char* name) {
        struct stat st {};
        return stat(name, &st) == 0 ? long(st.st_size) : -1;
    }
};
