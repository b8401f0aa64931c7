// SPDX-License-Identifier: GPL-3.0-or-later
// The process-wide drawing state and the span writer every primitive draws through.
//
// All drawing lands on one target Surface of palette indices. Geometry is clipped once by
// the primitive, then written here as horizontal spans (y, x0, x1) with x1 exclusive; the
// span writer applies the clip (rectangle or region), the surface bounds and the raster
// mode (copy, OR, XOR on indices), so every primitive and the text renderer share one
// definition of "what ends up on a pixel".
#pragma once
#include <cstddef>  // surface.h uses size_t
#include <cstdint>
#include <vector>

#include "graphics/surface.h"

struct TextFont;  // defined by the text code; the drawing state only remembers the current one

// A rectangle in device pixels, right and bottom exclusive.
struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// One horizontal run of pixels [x0, x1) on row y.
struct RegionSpan {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
};

// A set of device pixels held as horizontal spans, sorted by row and then by x, disjoint
// and never touching (touching spans are merged). An empty span list is the empty set.
struct Region {
    std::vector<RegionSpan> spans;
};

enum class PenStyle { Solid, Dashed, Dotted };
enum class RasterMode { Copy, Merge, Xor };

// Device rows of the current brush pattern, top row first, most significant bit leftmost.
using BrushRows = uint8_t[8];

struct DrawState {
    Surface* primary = nullptr;  // the canvas; registered by the display code
    Surface* target = nullptr;   // where drawing goes now: the canvas or an off-screen buffer
    bool drawing = false;        // the drawing bracket is held (BeginDrawing .. EndDrawing)

    uint8_t penColour = 255;     // also the text colour
    PenStyle penStyle = PenStyle::Solid;
    bool penIsPattern = true;    // the pen draws with the pattern brush (after SetBrushPattern)
    int penWidth = 1;            // device pixels, at least 1

    uint8_t fillColour = 0;      // solid brush, fill outline pen, and the 1 bits of patterns
    int patternNumber = 1;       // 1..10
    uint8_t pattern[8] = {0, 0, 0, 0, 0, 0, 0, 0};

    RasterMode rasterMode = RasterMode::Copy;

    // Clip in device pixels of the target. With clipIsRegion the region's spans apply,
    // otherwise clipRect does when hasClip is set. clipBounds is always the box that
    // holds every pixel drawing may touch (clip and target bounds intersected).
    bool hasClip = false;
    bool clipIsRegion = false;
    DeviceRect clipRect;
    Region clipRegion;
    DeviceRect clipBounds;

    // Text: the pen colour is the text colour; the rest belongs to the text code.
    int textAlignH = 0;          // 0 left, 1 centre, 2 right
    int textAlignV = 0;          // 0 top, 1 middle, 2 bottom, 3 baseline
    bool textTransparent = true; // text background is never painted
    TextFont* font = nullptr;

    int curX = 0;                // current position, device pixels
    int curY = 0;
};
extern DrawState gDraw;

// Back to the start-up state: pen 255 with pattern 1 as the pen, fill 0, copy mode, no clip,
// no target and no canvas.
void ResetDrawState();

// The display registers its canvas here; SetDrawTarget with no buffer goes back to it.
void SetPrimarySurface(Surface* canvas);

struct OffscreenBuffer;
// Further drawing goes to `surface` (null: the canvas). A new target starts without a clip,
// as a fresh drawing context would.
void SetDrawTarget(Surface* surface);
void SetDrawTarget(const OffscreenBuffer* buffer);
void SetDrawTarget(decltype(nullptr));

// Pens, brushes, modes. Colours are palette slots; widths are device pixels.
void SetPenColour(int slot);
void SetPenStyle(int n);               // 3 dashed, 4 dotted, anything else solid
void SetPenWidth(int w, int h);        // the larger of the two, at least 1
void SetBrushColour(int slot);
bool SetBrushPattern(int n);           // 1..10; false keeps the old pattern and pen
void SetRasterMode(int n);             // 1 OR, 2 XOR, anything else copy

// The rows of brush pattern n (1..10), or null.
const uint8_t* BrushPatternRows(int n);

// ---- span writer ---------------------------------------------------------------------
// These are the only functions that write drawing pixels. Coordinates are device pixels of
// the current target; anything outside the target or the clip is dropped; the raster mode
// applies. They are safe to call with any values and with no target.

// Row y, pixels x0 .. x1-1, one colour.
void WriteSpan(int y, int x0, int x1, uint8_t colour);
// One pixel.
void WritePixel(int x, int y, uint8_t colour);
// Row y, pixels x0 .. x1-1 taken from pixels[0 ..]: a copy within the drawing context, so the
// clip applies but the raster mode does not.
void WriteSpanPixels(int y, int x0, int x1, const uint8_t* pixels);
// Row y, pixels x0 .. x1-1, in the current pattern: 0 bits the pen colour, 1 bits the fill
// colour. The pattern is anchored to the target's pixel grid: pixel (x, y) uses bit
// 7 - (x & 7) of row (y & 7).
void WritePatternSpan(int y, int x0, int x1);
// The colour the pattern gives pixel (x, y).
uint8_t PatternColourAt(int x, int y);
// The box of device pixels drawing can reach now (empty when there is no target).
DeviceRect DrawClipBounds();
// Recomputes the clip box after gDraw's clip fields were changed directly.
void RefreshDrawClip();
