// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/draw.h"

#include <algorithm>
#include <cstring>

#include "graphics/buffer.h"

DrawState gDraw;

namespace {

// The ten 8x8 brush patterns, top row first, most significant bit leftmost.
const uint8_t kBrushPatterns[10][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
    {0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88},
    {0xFF, 0xAA, 0xFF, 0x55, 0xFF, 0xAA, 0xFF, 0x55},
    {0xDD, 0x77, 0xDD, 0x77, 0xDD, 0x77, 0xDD, 0x77},
    {0x77, 0xFF, 0xDD, 0xFF, 0x77, 0xFF, 0xDD, 0xFF},
    {0x7F, 0xFF, 0xF7, 0xFF, 0x7F, 0xFF, 0xF7, 0xFF},
    {0x7F, 0xFF, 0xFF, 0xFF, 0xF7, 0xFF, 0xFF, 0xFF},
    {0x33, 0xFF, 0xFF, 0x33, 0x33, 0xFF, 0xFF, 0x33},
    {0xEF, 0xEF, 0xEF, 0x00, 0xFE, 0xFE, 0xFE, 0x00},
    {0x7F, 0xFF, 0xFF, 0xEB, 0xF7, 0xFF, 0xFF, 0xBE},
};

uint8_t ClampSlot(int slot) { return uint8_t(std::clamp(slot, 0, 255)); }

// Recomputes clipBounds after the target or the clip changed.
void UpdateClipBounds() {
    DeviceRect b;
    if (gDraw.target) {
        b.right = gDraw.target->width;
        b.bottom = gDraw.target->height;
    }
    if (gDraw.hasClip) {
        DeviceRect c = gDraw.clipRect;
        if (gDraw.clipIsRegion) {
            const auto& s = gDraw.clipRegion.spans;
            c = DeviceRect{};
            if (!s.empty()) {
                c.top = s.front().y;
                c.bottom = s.back().y + 1;
                c.left = s.front().x0;
                c.right = s.front().x1;
                for (const RegionSpan& sp : s) {
                    c.left = std::min(c.left, sp.x0);
                    c.right = std::max(c.right, sp.x1);
                }
            }
        }
        b.left = std::max(b.left, c.left);
        b.top = std::max(b.top, c.top);
        b.right = std::min(b.right, c.right);
        b.bottom = std::min(b.bottom, c.bottom);
    }
    if (b.right < b.left) b.right = b.left;
    if (b.bottom < b.top) b.bottom = b.top;
    gDraw.clipBounds = b;
}

// Writes n pixels of one colour at p with the raster mode. Callers have clipped.
inline void PutRun(uint8_t* p, int n, uint8_t c) {
    switch (gDraw.rasterMode) {
        case RasterMode::Copy: std::memset(p, c, size_t(n)); break;
        case RasterMode::Merge: for (int i = 0; i < n; ++i) p[i] |= c; break;
        case RasterMode::Xor: for (int i = 0; i < n; ++i) p[i] ^= c; break;
    }
}

// Writes [x0, x1) of row y, already inside target and clip, in the pattern.
void PutPatternRun(int y, int x0, int x1) {
    uint8_t* row = gDraw.target->Row(y);
    const uint8_t bits = gDraw.pattern[y & 7];
    if (bits == 0x00 || bits == 0xFF) {
        PutRun(row + x0, x1 - x0, bits ? gDraw.fillColour : gDraw.penColour);
        return;
    }
    uint8_t colours[8];
    for (int i = 0; i < 8; ++i) colours[i] = (bits >> (7 - i)) & 1 ? gDraw.fillColour : gDraw.penColour;
    switch (gDraw.rasterMode) {
        case RasterMode::Copy: for (int x = x0; x < x1; ++x) row[x] = colours[x & 7]; break;
        case RasterMode::Merge: for (int x = x0; x < x1; ++x) row[x] |= colours[x & 7]; break;
        case RasterMode::Xor: for (int x = x0; x < x1; ++x) row[x] ^= colours[x & 7]; break;
    }
}

// Calls put(y, a, b) for each part of [x0, x1) on row y that the clip lets through.
template <typename Put>
void ClipSpan(int y, int x0, int x1, Put put) {
    const DeviceRect& b = gDraw.clipBounds;
    if (!gDraw.target || y < b.top || y >= b.bottom) return;
    x0 = std::max(x0, b.left);
    x1 = std::min(x1, b.right);
    if (x0 >= x1) return;
    if (!gDraw.clipIsRegion) {
        put(y, x0, x1);
        return;
    }
    const auto& s = gDraw.clipRegion.spans;
    auto it = std::lower_bound(s.begin(), s.end(), y, [](const RegionSpan& sp, int row) {
        return sp.y < row;
    });
    for (; it != s.end() && it->y == y && it->x0 < x1; ++it) {
        const int a = std::max(x0, it->x0);
        const int e = std::min(x1, it->x1);
        if (a < e) put(y, a, e);
    }
}

}  // namespace

void ResetDrawState() {
    gDraw = DrawState{};
    std::memcpy(gDraw.pattern, kBrushPatterns[0], 8);
    UpdateClipBounds();
}

void SetPrimarySurface(Surface* canvas) {
    gDraw.primary = canvas;
    if (!gDraw.target) SetDrawTarget(canvas);
}

void SetDrawTarget(Surface* surface) {
    gDraw.target = surface ? surface : gDraw.primary;
    gDraw.hasClip = false;
    gDraw.clipIsRegion = false;
    gDraw.clipRegion.spans.clear();
    UpdateClipBounds();
}

void SetDrawTarget(const OffscreenBuffer* buffer) {
    SetDrawTarget(buffer ? buffer->surface.get() : static_cast<Surface*>(nullptr));
}

void SetDrawTarget(decltype(nullptr)) { SetDrawTarget(static_cast<Surface*>(nullptr)); }

void SetPenColour(int slot) {
    gDraw.penColour = ClampSlot(slot);
    gDraw.penIsPattern = false;
}

void SetPenStyle(int n) {
    gDraw.penStyle = n == 3 ? PenStyle::Dashed : n == 4 ? PenStyle::Dotted : PenStyle::Solid;
    gDraw.penIsPattern = false;
    gDraw.textTransparent = true;
}

void SetPenWidth(int w, int h) {
    // Widths beyond any screen are pointless and would only cost time.
    gDraw.penWidth = std::clamp(std::max(w, h), 1, 4096);
}

void SetBrushColour(int slot) { gDraw.fillColour = ClampSlot(slot); }

bool SetBrushPattern(int n) {
    const uint8_t* rows = BrushPatternRows(n);
    if (!rows) return false;
    std::memcpy(gDraw.pattern, rows, 8);
    gDraw.patternNumber = n;
    gDraw.penIsPattern = true;
    return true;
}

void SetRasterMode(int n) {
    gDraw.rasterMode = n == 1 ? RasterMode::Merge : n == 2 ? RasterMode::Xor : RasterMode::Copy;
}

const uint8_t* BrushPatternRows(int n) {
    if (n < 1 || n > 10) return nullptr;
    return kBrushPatterns[n - 1];
}

void WriteSpan(int y, int x0, int x1, uint8_t colour) {
    ClipSpan(y, x0, x1, [colour](int row, int a, int b) {
        PutRun(gDraw.target->Row(row) + a, b - a, colour);
    });
}

void WritePixel(int x, int y, uint8_t colour) {
    if (x == 2147483647) return;  // x + 1 below must not overflow
    WriteSpan(y, x, x + 1, colour);
}

void WriteSpanPixels(int y, int x0, int x1, const uint8_t* pixels) {
    if (!pixels) return;
    ClipSpan(y, x0, x1, [x0, pixels](int row, int a, int b) {
        std::memcpy(gDraw.target->Row(row) + a, pixels + (a - x0), size_t(b - a));
    });
}

void WritePatternSpan(int y, int x0, int x1) { ClipSpan(y, x0, x1, PutPatternRun); }

uint8_t PatternColourAt(int x, int y) {
    return (gDraw.pattern[y & 7] >> (7 - (x & 7))) & 1 ? gDraw.fillColour : gDraw.penColour;
}

DeviceRect DrawClipBounds() { return gDraw.clipBounds; }

// Clip setters live with rectangles and regions; they call this to refresh the bounds.
void RefreshDrawClip() { UpdateClipBounds(); }
