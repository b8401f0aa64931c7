// Shared set-up for the shell tests: a fresh working folder, a configuration record, the
// headless display and the program's own user-interface set-up (NavBar, HelpLine, About).
#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "graphics/display.h"
#include "graphics/text.h"
#include "logbook/logbook.h"
#include "model/model.h"
#include "platform/platform.h"
#include "settings/coast.h"
#include "shell/config.h"
#include "shell/dispatcher.h"
#include "shell/logbook_file.h"
#include "shell/navbar.h"
#include "shell/startup.h"
#include "widgets/control.h"
#include "widgets/ui_resources.h"
#include "widgets/widget_state.h"

struct ShellTest : ::testing::Test {
    std::string home, folder;

    static ConfigRecord Record(bool logbookEnabled) {
        ConfigRecord r;
        r.homeLatitude = 40;
        r.logbookEnabled = logbookEnabled ? 1 : 0;
        r.idleTimeoutEnabled = 1;
        r.idleTimeoutSeconds = 60;
        r.displayMode = 1024;
        return r;
    }

    // Starts the program's user interface with `record` in an empty working folder.
    void Start(const ConfigRecord& record) {
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        home = cwd;
        char pattern[] = "shell_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = home + "/" + pattern;
        ASSERT_EQ(chdir(folder.c_str()), 0);

        ResetAll();
        PlatformSelectBackend(PlatformBackend::Headless);
        ApplyConfiguration(record);
        ASSERT_EQ(CreateMainDisplay("Heliora", 1, 1024), 1);
        gShell.displayCreated = true;
        ASSERT_TRUE(SetUpUserInterface());
    }

    void TearDown() override {
        RunShutdownSteps();
        ReleaseShellControls();
        ResetAll();
        if (!folder.empty()) {
            std::remove((folder + "/logbook.bin").c_str());
            std::remove((folder + "/logbook.tmp").c_str());
            std::remove((folder + "/logbook.zzz").c_str());
            ASSERT_EQ(chdir(home.c_str()), 0);
            rmdir(folder.c_str());
        }
    }

    static void ResetAll() {
        DestroyNavBar();
        ResetWidgetState();
        ReleaseUiResources();
        ResetDisplayState();
        ResetTextState();
        PlatformReset();
        ResetConfiguration();
        ResetDispatcher();
        ResetShellState();
        ResetLogbookState();
        ResetLogbookFileState();
        ResetModelState();
        ResetCoastOutline();
    }

    static int At(int x, int y) { return gDisplay.canvas.At(x, y); }
    static long FileSize(const char* name) {
        struct stat st {};
        return stat(name, &st) == 0 ? long(st.st_size) : -1;
    }
    static void Push(MessageKind kind, int x = 0, int y = 0) {
        Message m;
        m.kind = kind;
        m.x = x;
        m.y = y;
        HeadlessPushMessage(m);
    }
    static int Queued(MessageKind kind) {
        int n = 0;
        for (const Message& m : gPlatform.queue) n += m.kind == kind;
        return n;
    }
};
