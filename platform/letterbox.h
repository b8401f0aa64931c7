// SPDX-License-Identifier: GPL-3.0-or-later
// Where the canvas sits in a window of any size: scaled by one factor to fit, centred, with
// black bars filling the rest. Both backends map the pointer through these, so a click lands
// on the same canvas pixel at every window size, in a window or on the whole screen.
#pragma once

// A rectangle of window pixels: left, top, width, height.
struct WindowRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// The largest rectangle of the canvas's shape that fits a windowW x windowH window, centred.
// Never smaller than 1 x 1; a non-positive size counts as 1.
WindowRect LetterboxFor(int windowW, int windowH, int canvasW, int canvasH);

// The canvas pixel that a window pixel shows (its centre decides); points on the bars land on
// the nearest edge pixel of the canvas.
void WindowToCanvas(const WindowRect& box, int canvasW, int canvasH, int wx, int wy, int& cx,
                    int& cy);

// The first window column (row) whose pixel centre lies at or past the canvas's pixel edge cx
// (cy), so the window pixels from the edge a up to the edge b show exactly canvas pixels
// a..b-1; 0 and canvasW (canvasH) map to the box's own edges.
void CanvasToWindow(const WindowRect& box, int canvasW, int canvasH, int cx, int cy, int& wx,
                    int& wy);

// The `--window` size: 1024 x 768 when that fits the desktop's usable area together with the
// window's frame (frameW, frameH: what the frame adds across and down), else the largest 4:3
// size that does, never under 160 x 120. An unknown usable area (non-positive) gives 1024 x 768.
void ChooseWindowSize(int usableW, int usableH, int frameW, int frameH, int& width, int& height);
