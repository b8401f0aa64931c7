// SPDX-License-Identifier: GPL-3.0-or-later
// The main display: one window showing an indexed canvas of 1024 x 768 or 800 x 600 pixels.
#pragma once
#include <cstddef>  // surface.h uses size_t
#include <cstdint>

#include "graphics/surface.h"
#include "platform/platform.h"

// One palette entry as the program keeps it: colour and flags.
struct PaletteEntry {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t flags = 0;
};
// The platform must not merge this entry with another of the same colour.
constexpr uint8_t kPaletteNoCollapse = 0x04;

struct DisplayState {
    bool windowOpen = false;
    bool created = false;      // every step of CreateMainDisplay succeeded
    int width = 0;             // canvas size in device pixels
    int height = 0;
    Surface canvas;            // the visible surface: palette indices
    PaletteEntry paletteCopy[256];
    PlatformColour shown[256]; // the display palette the canvas is presented through
};
extern DisplayState gDisplay;

// Tears everything down and returns the display state to its start values.
void ResetDisplayState();

// Opens the window and makes the canvas. driverMode 0 and 1 let the renderer use the
// graphics hardware, 2 asks for software only; displayMode 0 picks 1024 x 768 when the screen
// is at least that large and 800 x 600 otherwise, 800 and 1024 ask for that size. Returns 1 on
// success, 0 on failure (with a diagnostic on stderr); the caller then calls TearDownDisplay.
int CreateMainDisplay(const char* title, int driverMode, int displayMode);
// Releases whatever CreateMainDisplay made; safe after a partial failure and when called twice.
void TearDownDisplay();
// Stores the canvas size and derives the logical-to-device scale. Non-positive sizes are ignored.
void SetDisplaySize(int width, int height);
int DisplayWidth();
int DisplayHeight();
// 0: the canvas still holds what was drawn. 1: it was lost (the window was iconised and
// restored, or the renderer was reset) and everything must be drawn again. Reported once.
int IsDisplayLost();
