// SPDX-License-Identifier: GPL-3.0-or-later
// An 8-bit surface of palette indices: the canvas and every off-screen buffer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // row-major, width * height palette indices
    int transparentIndex = -1;    // colour key for copies; -1 when the surface has none

    uint8_t* Row(int y) { return pixels.data() + size_t(y) * size_t(width); }
    const uint8_t* Row(int y) const { return pixels.data() + size_t(y) * size_t(width); }
    uint8_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// Makes `s` a w x h surface filled with `index`.
inline void ResizeSurface(Surface& s, int w, int h, uint8_t index = 0) {
    s.width = w < 0 ? 0 : w;
    s.height = h < 0 ? 0 : h;
    s.pixels.assign(size_t(s.width) * size_t(s.height), index);
}
