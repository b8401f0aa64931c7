// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/display.h"

#include <cstdio>

#include "graphics/draw.h"
#include "graphics/palette.h"
#include "graphics/scale.h"

DisplayState gDisplay;

void ResetDisplayState() {
    TearDownDisplay();
    gDisplay = DisplayState{};
    gDisplayScale = DisplayScale{};
}

namespace {

// The canvas size for a display mode, or false with a diagnostic.
bool ChooseCanvasSize(int displayMode, int& width, int& height) {
    if (displayMode == 800) {
        width = 800;
        height = 600;
        return true;
    }
    if (displayMode == 1024) {
        width = 1024;
        height = 768;
        return true;
    }
    if (displayMode != 0) {
        std::fprintf(stderr,
                     "Couldn't set display mode %d: the modes are 0 (automatic), 800 and 1024.\n",
                     displayMode);
        return false;
    }
    int sw = 0, sh = 0;
    if (!PlatformScreenSize(sw, sh)) {
        std::fprintf(stderr, "Couldn't automatically set display mode.\n");
        return false;
    }
    // A screen too small for 1024 x 768 gets the smaller picture, drawn pixel for pixel.
    if (sw >= 1024 && sh >= 768) {
        width = 1024;
        height = 768;
    } else {
        width = 800;
        height = 600;
    }
    return true;
}

}  // namespace

int CreateMainDisplay(const char* title, int driverMode, int displayMode) {
    TearDownDisplay();
    if (driverMode == 0) driverMode = 1;  // nothing to choose between on this platform
    if (driverMode != 1 && driverMode != 2) {
        std::fprintf(stderr, "Couldn't create the display: driver mode %d is not supported.\n",
                     driverMode);
        return 0;
    }
    if (!PlatformOpenWindow(title, driverMode == 2)) return 0;
    gDisplay.windowOpen = true;

    int width = 0, height = 0;
    if (!ChooseCanvasSize(displayMode, width, height)) return 0;
    SetDisplaySize(width, height);
    ResizeSurface(gDisplay.canvas, width, height, 0);

    // Every free slot starts black but distinct in its flags, so nothing is merged.
    for (int i = 0; i < 256; ++i) gDisplay.paletteCopy[i] = PaletteEntry{};
    for (int i = 1; i < 255; ++i) gDisplay.paletteCopy[i].flags = kPaletteNoCollapse;
    ApplyPalette(0, 256);
    if (!PlatformSetCanvas(gDisplay.canvas.pixels.data(), width, height, gDisplay.shown)) {
        std::fprintf(stderr, "Couldn't set initial palette.\n");
        return 0;
    }

    SetPrimarySurface(&gDisplay.canvas);
    SetPenColour(255);
    SetBrushColour(0);
    SetBrushPattern(1);
    SetDrawTarget(nullptr);
    gDisplay.created = true;
    return 1;
}

void TearDownDisplay() {
    ResetDrawState();
    PlatformClearCanvas();
    if (gDisplay.windowOpen) PlatformCloseWindow();
    gDisplay.windowOpen = false;
    gDisplay.created = false;
    gDisplay.canvas = Surface{};
}

void SetDisplaySize(int width, int height) {
    if (width <= 0 || height <= 0) return;
    gDisplay.width = width;
    gDisplay.height = height;
    gDisplayScale.sx = width / 1024.0;
    gDisplayScale.sy = height / 768.0;
}

int DisplayWidth() { return gDisplay.width; }
int DisplayHeight() { return gDisplay.height; }

int IsDisplayLost() {
    // Off-screen buffers live in ordinary memory and keep their contents; only the canvas
    // can need a redraw, so the report waits until it is the target again.
    if (gDraw.target != gDraw.primary) return 0;
    return PlatformTakeDisplayLost() ? 1 : 0;
}
