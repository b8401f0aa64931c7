// SPDX-License-Identifier: GPL-3.0-or-later
// Off-screen buffers: surfaces that are drawn on and copied to the canvas.
#pragma once
#include <memory>

#include "graphics/rect.h"
#include "graphics/surface.h"

struct OffscreenBuffer {
    std::unique_ptr<Surface> surface;  // null when the buffer holds nothing
    int transparentSlot = 0;           // left out by copies with the transparent option
    ScreenRect rect;                   // (0, 0, width, height)
};

// A part of the canvas kept aside so it can be put back.
struct SavedArea {
    OffscreenBuffer buffer;
    ScreenRect rect;  // (0, 0, w, h)
    bool valid = false;
};

// A buffer the device size of the logical rect. Returns false and leaves `buffer` empty when
// the size is not positive or too large.
bool CreateBuffer(const ScreenRect& rect, int transparentSlot, OffscreenBuffer& buffer);
// The same with rect in device pixels, both edges included: width right - left + 1.
bool CreateBufferDevice(const ScreenRect& rect, int transparentSlot, OffscreenBuffer& buffer);
// A buffer of exactly w by h device pixels.
bool CreateBufferSize(int w, int h, int transparentSlot, OffscreenBuffer& buffer);
void ReleaseBuffer(OffscreenBuffer& buffer);

// The largest side a buffer may have, in device pixels.
constexpr int kMaxBufferSide = 8192;
