// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/buffer.h"

#include <algorithm>
#include <new>

namespace {

// Frees a buffer's surface; drawing that was aimed at it goes back to the canvas.
void DropSurface(OffscreenBuffer& buffer) {
    if (buffer.surface && gDraw.target == buffer.surface.get()) SetDrawTarget(nullptr);
    if (buffer.surface && gDraw.primary == buffer.surface.get()) SetPrimarySurface(nullptr);
    buffer.surface.reset();
}

}  // namespace

bool CreateBufferSize(int w, int h, int transparentSlot, OffscreenBuffer& buffer) {
    if (w <= 0 || h <= 0 || w > kMaxBufferSide || h > kMaxBufferSide) return false;
    std::unique_ptr<Surface> s(new (std::nothrow) Surface);
    if (!s) return false;
    try {
        ResizeSurface(*s, w, h, 0);
    } catch (...) {
        return false;
    }
    s->transparentIndex = std::clamp(transparentSlot, 0, 255);
    DropSurface(buffer);
    buffer.surface = std::move(s);
    buffer.transparentSlot = std::clamp(transparentSlot, 0, 255);
    MakeRect(buffer.rect, 0, 0, w, h);
    return true;
}

bool CreateBuffer(const ScreenRect& rect, int transparentSlot, OffscreenBuffer& buffer) {
    const DeviceRect d = ToDeviceRect(rect);
    if (!CreateBufferSize(d.right - d.left, d.bottom - d.top, transparentSlot, buffer)) return false;
    MakeRect(buffer.rect, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
    return true;
}

bool CreateBufferDevice(const ScreenRect& rect, int transparentSlot, OffscreenBuffer& buffer) {
    const int w = int(rect.right) - rect.left + 1;
    const int h = int(rect.bottom) - rect.top + 1;
    if (!CreateBufferSize(w, h, transparentSlot, buffer)) return false;
    MakeRect(buffer.rect, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
    return true;
}

void ReleaseBuffer(OffscreenBuffer& buffer) { DropSurface(buffer); }
