// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/copy.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const Surface* SurfaceOf(const OffscreenBuffer* b) { return b ? b->surface.get() : gDraw.primary; }
Surface* SurfaceOf(OffscreenBuffer* b) { return b ? b->surface.get() : gDraw.primary; }

}  // namespace

bool CopySurfaceRect(const Surface& source, Surface& destination, const DeviceRect& s,
                     const DeviceRect& d, bool useTransparent) {
    const long long sw = (long long)s.right - s.left, sh = (long long)s.bottom - s.top;
    const long long dw = (long long)d.right - d.left, dh = (long long)d.bottom - d.top;
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return false;
    // Far beyond any surface: refuse rather than let the scaling products overflow.
    const long long kFar = 1LL << 24;
    for (long long v : {(long long)s.left, (long long)s.top, (long long)s.right, (long long)s.bottom,
                        (long long)d.left, (long long)d.top, (long long)d.right, (long long)d.bottom}) {
        if (v < -kFar || v > kFar) return false;
    }
    if (source.pixels.empty() || destination.pixels.empty()) return false;
    // Copying within one surface reads from a snapshot so overlapping parts come out whole.
    const Surface* src = &source;
    Surface snapshot;
    if (&source == &destination) {
        snapshot = source;
        src = &snapshot;
    }
    const int key = useTransparent ? source.transparentIndex : -1;
    const int y0 = int(std::max<long long>(d.top, 0));
    const int y1 = int(std::min<long long>(d.bottom, destination.height));
    const int x0 = int(std::max<long long>(d.left, 0));
    const int x1 = int(std::min<long long>(d.right, destination.width));
    if (x0 >= x1) return true;
    if (sw == dw && sh == dh) {
        // Unscaled, as nearly every copy is: row by row, without the column table.
        const long long dx = s.left - d.left, dy = s.top - d.top;
        const int c0 = int(std::max<long long>(x0, -dx));
        const int c1 = int(std::min<long long>(x1, src->width - dx));
        for (int y = y0; y < y1 && c0 < c1; ++y) {
            const long long sy = y + dy;
            if (sy < 0 || sy >= src->height) continue;
            const uint8_t* in = src->Row(int(sy)) + (c0 + dx);
            uint8_t* out = destination.Row(y) + c0;
            if (key < 0) {
                std::memcpy(out, in, size_t(c1 - c0));
                continue;
            }
            for (int i = 0; i < c1 - c0; ++i)
                if (in[i] != key) out[i] = in[i];
        }
        return true;
    }
    // Source column of each destination column: nearest neighbour through pixel centres.
    std::vector<int> column(size_t(x1 - x0));
    for (int x = x0; x < x1; ++x) column[size_t(x - x0)] = int(s.left + ((2 * (x - d.left) + 1) * sw) / (2 * dw));
    for (int y = y0; y < y1; ++y) {
        const long long sy = s.top + ((2 * ((long long)y - d.top) + 1) * sh) / (2 * dh);
        if (sy < 0 || sy >= src->height) continue;
        const uint8_t* in = src->Row(int(sy));
        uint8_t* out = destination.Row(y);
        for (int x = x0; x < x1; ++x) {
            const int sx = column[size_t(x - x0)];
            if (sx < 0 || sx >= src->width) continue;
            const uint8_t v = in[sx];
            if (v == key) continue;
            out[x] = v;
        }
    }
    return true;
}

bool CopyRectDevice(const OffscreenBuffer* source, OffscreenBuffer* destination,
                    const ScreenRect& sourceRect, const ScreenRect& destinationRect,
                    bool useTransparent) {
    const Surface* s = SurfaceOf(source);
    Surface* d = SurfaceOf(destination);
    if (!s || !d) return false;
    return CopySurfaceRect(*s, *d, RectAsDevice(sourceRect), RectAsDevice(destinationRect), useTransparent);
}

bool CopyRect(const OffscreenBuffer* source, OffscreenBuffer* destination,
              const ScreenRect& sourceRect, const ScreenRect& destinationRect, bool useTransparent) {
    const Surface* s = SurfaceOf(source);
    Surface* d = SurfaceOf(destination);
    if (!s || !d) return false;
    return CopySurfaceRect(*s, *d, ToDeviceRect(sourceRect), ToDeviceRect(destinationRect), useTransparent);
}

bool SaveScreenArea(const ScreenRect& rect, int transparentSlot, SavedArea& saved) {
    FreeScreenArea(saved);
    if (!gDraw.primary) return false;
    if (!CreateBuffer(rect, transparentSlot, saved.buffer)) return false;
    const Surface& b = *saved.buffer.surface;
    const DeviceRect from = ToDeviceRect(rect);
    CopySurfaceRect(*gDraw.primary, *saved.buffer.surface, from,
                    DeviceRect{0, 0, b.width, b.height}, false);
    MakeRect(saved.rect, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
    saved.valid = true;
    return true;
}

void RestoreScreenArea(const ScreenRect& rect, const SavedArea& saved, bool useTransparent) {
    if (!saved.valid || !saved.buffer.surface || !gDraw.primary) return;
    const Surface& b = *saved.buffer.surface;
    CopySurfaceRect(b, *gDraw.primary, DeviceRect{0, 0, b.width, b.height}, ToDeviceRect(rect),
                    useTransparent);
}

void FreeScreenArea(SavedArea& saved) {
    if (saved.valid || saved.buffer.surface) ReleaseBuffer(saved.buffer);
    saved.valid = false;
}

void ShiftScreenArea(const ScreenRect& sourceRect, const ScreenRect& destinationRect) {
    Surface* const canvas = gDraw.primary;
    if (!canvas) return;
    // A block copy inside the canvas's drawing context: the destination's size taken from the
    // source's origin, every source pixel read before any is written (so overlapping parts come
    // out whole), and the current clip deciding what changes.
    const DeviceRect from = ToDeviceRect(sourceRect);
    const DeviceRect to = ToDeviceRect(destinationRect);
    const DeviceRect part = IntersectDeviceRects(to, DeviceRect{0, 0, canvas->width, canvas->height});
    if (IsEmpty(part)) return;
    const int w = part.right - part.left;
    const long long dx = (long long)from.left - to.left, dy = (long long)from.top - to.top;
    std::vector<uint8_t> pixels(size_t(w) * size_t(part.bottom - part.top));
    for (int y = part.top; y < part.bottom; ++y) {
        uint8_t* row = pixels.data() + size_t(y - part.top) * size_t(w);
        // Where the source lies off the canvas the destination keeps its own pixels.
        std::memcpy(row, canvas->Row(y) + part.left, size_t(w));
        const long long sy = y + dy;
        if (sy < 0 || sy >= canvas->height) continue;
        const uint8_t* in = canvas->Row(int(sy));
        for (int x = part.left; x < part.right; ++x) {
            const long long sx = x + dx;
            if (sx >= 0 && sx < canvas->width) row[x - part.left] = in[sx];
        }
    }
    const bool onCanvas = gDraw.target == canvas;
    for (int y = part.top; y < part.bottom; ++y) {
        const uint8_t* row = pixels.data() + size_t(y - part.top) * size_t(w);
        if (onCanvas)
            WriteSpanPixels(y, part.left, part.right, row);
        else
            std::memcpy(canvas->Row(y) + part.left, row, size_t(w));
    }
}

void MakeSprite(Sprite& sprite, const OffscreenBuffer* sheet, int x, int y, int width, int height) {
    sprite.x = x;
    sprite.y = y;
    sprite.width = width;
    sprite.height = height;
    MakeRect(sprite.rect, x, y, x + width, y + height);
    sprite.sheet = sheet;
}

void DrawSprite(const ScreenRect& destination, const Sprite& sprite, bool useTransparent) {
    // Our drawing bracket holds no platform lock, so the copy needs no release around it.
    if (!sprite.sheet || !sprite.sheet->surface || !gDraw.target) return;
    const DeviceRect from{sprite.x, sprite.y, sprite.x + sprite.width, sprite.y + sprite.height};
    CopySurfaceRect(*sprite.sheet->surface, *gDraw.target, from, RectAsDevice(destination),
                    useTransparent);
}
