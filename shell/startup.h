// SPDX-License-Identifier: GPL-3.0-or-later
// The program: start-up in its fixed order, the screen dispatcher, the message loop that
// follows it, and the orderly shutdown when the window is destroyed. One entry serves the real
// program (SDL backend) and the replay tool (headless backend).
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/platform.h"

struct HelioraOptions {
    PlatformBackend backend = PlatformBackend::Sdl;
    // Development aid: when the first screen has been drawn and shown, print the wall-clock
    // time (CLOCK_REALTIME, nanoseconds) to stdout and end the program in order.
    bool reportFirstFrame = false;
    // Start in a resizable window instead of filling the screen.
    bool windowed = false;
    // The folder that holds the configuration and the logbook; empty: the per-user default.
    std::string workdir;
};

struct ShellState {
    HelioraOptions options;
    bool displayCreated = false;
    bool userInterfaceBuilt = false;
    bool shutdownDone = false;
    bool firstFrameReported = false;
    int dispatcherResult = 0;
};
extern ShellState gShell;
// Returns the shell's own state to its start values (tests; nothing is freed).
void ResetShellState();
// Every subsystem, each screen's state included, back to where a new process starts (the
// replay's restart step, tests). The logbook files' fault seam stands for the disk, not the
// process, and is left as it is.
void ResetProgramToStart();

// The whole program: start-up, screens, message loop, shutdown. Returns the exit status: 0, or
// 1 when it could not start (a missing or damaged configuration, no display, no window).
int RunHeliora(const HelioraOptions& options);
int RunHeliora(PlatformBackend backend);
// A start-up problem that ends the program: one line on `stream` (after `prefix`), and the
// same in a message box where a display exists. Returns the exit status, 1.
int StartupFailure(std::FILE* stream, const char* prefix, const std::string& text);

// The user-interface set-up between the display and the dispatcher: logbook clean-up,
// palette and grey screen, buffers, cursors, sprites, fonts, coastline, model, NavBar,
// HelpLine and About panel, work area, the NavBar drawn. False if anything could not be made.
bool SetUpUserInterface();

// What the destroy message runs: empties the logbook files (unless they are off), frees the
// fonts, sprite sheet and pop-up buffers, and tears the display down. Runs once.
void RunShutdownSteps();
// Frees the NavBar and About panel controls (after the message loop, when no screen runs).
void ReleaseShellControls();

// The main window's procedure: destroy runs the shutdown steps and ends the message loop;
// a mouse move re-applies the cursor; system keys are dropped; the rest gets the default.
void HelioraWindowProcedure(const Message& message);

// With reportFirstFrame: queues the marker the first screen takes once it has drawn itself.
void PostFirstFrameMarker();

// Takes and dispatches messages until the quit message arrives (or no more can come).
void RunMessageLoop();
