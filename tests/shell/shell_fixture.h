// SPDX-License-Identifier: GPL-3.0-or-later
// Shared set-up for the shell tests: a fresh working folder, a configuration record, the
// headless display and the program's own user-interface set-up (NavBar, HelpLine, About).
#pragma once
#include "tests/support/program_fixture.h"

struct ShellTest : ProgramFixture {
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
        EnterFreshFolder("shell_test");
        StartProgram(record);
    }

    void TearDown() override { StopProgram(); }

    static void Push(MessageKind kind, int x = 0, int y = 0) { PostInput(kind, x, y); }
    static int Queued(MessageKind kind) {
        int n = 0;
        for (const Message& m : gPlatform.queue) n += m.kind == kind;
        return n;
    }
};
