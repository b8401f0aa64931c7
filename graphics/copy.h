// SPDX-License-Identifier: GPL-3.0-or-later
// Copies between surfaces: rectangle copies with stretching and a transparent colour, saved
// areas of the canvas, and sprites. Copies ignore the clip and the raster mode (all but
// ShiftScreenArea, which copies within the drawing context).
#pragma once

#include "graphics/buffer.h"
#include "graphics/sprite.h"

// Copies sourceRect of `source` (null: the canvas) to destinationRect of `destination` (null:
// the canvas), stretching when the sizes differ. With useTransparent the source's transparent
// colour is left out. Rectangles are logical. Parts outside either surface are skipped.
bool CopyRect(const OffscreenBuffer* source, OffscreenBuffer* destination,
              const ScreenRect& sourceRect, const ScreenRect& destinationRect, bool useTransparent);
// The same with rectangles in device pixels.
bool CopyRectDevice(const OffscreenBuffer* source, OffscreenBuffer* destination,
                    const ScreenRect& sourceRect, const ScreenRect& destinationRect,
                    bool useTransparent);
// Surface to surface in device pixels; the two may be the same surface and may overlap.
bool CopySurfaceRect(const Surface& source, Surface& destination, const DeviceRect& sourceRect,
                     const DeviceRect& destinationRect, bool useTransparent);

bool SaveScreenArea(const ScreenRect& rect, int transparentSlot, SavedArea& saved);
void RestoreScreenArea(const ScreenRect& rect, const SavedArea& saved, bool useTransparent);
void FreeScreenArea(SavedArea& saved);
// Copies one part of the canvas to another of the destination's size, without stretching;
// overlapping parts are handled. While the canvas is the drawing target its clip applies.
void ShiftScreenArea(const ScreenRect& sourceRect, const ScreenRect& destinationRect);

// Copies the sprite's sheet rectangle to `destination` (device pixels) on the drawing target.
void DrawSprite(const ScreenRect& destination, const Sprite& sprite, bool useTransparent);
