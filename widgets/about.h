// SPDX-License-Identifier: GPL-3.0-or-later
// The About panel: a small pop-up naming the program, its maker and its version.
#pragma once
#include <cstddef>

struct Control;

// The program's identity as the About panel shows it.
void SetProgramIdentity(const char* productName, const char* version, const char* makerName);
const char* ProductName();
const char* ProgramVersion();
const char* MakerName();

// Makes the About panel and its "Done" button (kept until DestroyAboutPanel), using the label
// font and sprites of the shared user-interface resources. False if they are already made.
bool CreateAboutPanel();
void DestroyAboutPanel();
Control* AboutPanel();
Control* AboutDoneButton();

// Opens the panel over the screen; returns what RunPopupPanel returns.
int RunAboutPanel();

// The panel's draw callback: face, bevels, logo and texts.
void DrawAboutContents(Control* panel);
// "Version <v>", with " (beta)" for a version starting with '0' and " (alpha)" for one starting
// with 'X'.
void FormatVersionText(const char* version, char* out, size_t size);
