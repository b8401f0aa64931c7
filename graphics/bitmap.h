// SPDX-License-Identifier: GPL-3.0-or-later
// The program's bitmap resources: indexed PNGs registered by number, loaded into buffers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/buffer.h"
#include "graphics/png.h"  // DecodeIndexedPng, which the resources use too

// Bitmap resources by number: PNG bytes registered at start-up (embedded or read from a file).
bool RegisterBitmapResource(int resourceId, const uint8_t* data, size_t size);
bool RegisterBitmapResourceFile(int resourceId, const std::string& path);
void ResetBitmapResources();

// Makes a buffer and copies resource `resourceId` into it. Positive width and height: the
// buffer is their device size and the bitmap is copied pixel for pixel. A negative width: the
// buffer is |width| by |height| device pixels, unscaled. A negative height: the bitmap is
// stretched to the scaled size. False (and nothing allocated) on any failure.
bool LoadBitmapResource(int resourceId, int width, int height, int transparentSlot,
                        OffscreenBuffer& buffer);
