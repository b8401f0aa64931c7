// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/letterbox.h"

#include <algorithm>
#include <cstdint>

namespace {

int64_t FloorDiv(int64_t n, int64_t d) { return n / d - ((n % d != 0) && ((n < 0) != (d < 0))); }
int64_t CeilDiv(int64_t n, int64_t d) { return -FloorDiv(-n, d); }

// One axis of WindowToCanvas: the centre of window pixel w, as a canvas pixel.
int ToCanvas(int w, int boxStart, int boxSize, int canvasSize) {
    const int64_t c = FloorDiv((2 * (int64_t(w) - boxStart) + 1) * canvasSize, 2 * int64_t(boxSize));
    return int(std::clamp<int64_t>(c, 0, std::max(0, canvasSize - 1)));
}

int ToWindow(int c, int boxStart, int boxSize, int canvasSize) {
    c = std::clamp(c, 0, canvasSize);
    return boxStart + int(CeilDiv(2 * int64_t(c) * boxSize - canvasSize, 2 * int64_t(canvasSize)));
}

}  // namespace

WindowRect LetterboxFor(int windowW, int windowH, int canvasW, int canvasH) {
    windowW = std::max(1, windowW);
    windowH = std::max(1, windowH);
    if (canvasW <= 0 || canvasH <= 0) return {0, 0, windowW, windowH};
    WindowRect r;
    // The side that runs out first sets the scale; the other is rounded to the nearest pixel,
    // which never exceeds the window since the exact length does not.
    if (int64_t(windowW) * canvasH <= int64_t(windowH) * canvasW) {
        r.w = windowW;
        r.h = int((2 * int64_t(windowW) * canvasH + canvasW) / (2 * int64_t(canvasW)));
    } else {
        r.h = windowH;
        r.w = int((2 * int64_t(windowH) * canvasW + canvasH) / (2 * int64_t(canvasH)));
    }
    r.w = std::clamp(r.w, 1, windowW);
    r.h = std::clamp(r.h, 1, windowH);
    r.x = (windowW - r.w) / 2;
    r.y = (windowH - r.h) / 2;
    return r;
}

void WindowToCanvas(const WindowRect& box, int canvasW, int canvasH, int wx, int wy, int& cx,
                    int& cy) {
    if (box.w <= 0 || box.h <= 0 || canvasW <= 0 || canvasH <= 0) {
        cx = cy = 0;
        return;
    }
    cx = ToCanvas(wx, box.x, box.w, canvasW);
    cy = ToCanvas(wy, box.y, box.h, canvasH);
}

void CanvasToWindow(const WindowRect& box, int canvasW, int canvasH, int cx, int cy, int& wx,
                    int& wy) {
    if (box.w <= 0 || box.h <= 0 || canvasW <= 0 || canvasH <= 0) {
        wx = box.x;
        wy = box.y;
        return;
    }
    wx = ToWindow(cx, box.x, box.w, canvasW);
    wy = ToWindow(cy, box.y, box.h, canvasH);
}

void ChooseWindowSize(int usableW, int usableH, int frameW, int frameH, int& width, int& height) {
    width = 1024;
    height = 768;
    if (usableW <= 0 || usableH <= 0) return;
    const int roomW = usableW - std::max(frameW, 0);
    const int roomH = usableH - std::max(frameH, 0);
    if (roomW >= width && roomH >= height) return;
    // Whole steps of 4 x 3 keep the shape exact, so the picture fills the window without bars.
    const int step = std::max(std::min(roomW / 4, roomH / 3), 40);
    width = 4 * step;
    height = 3 * step;
}
