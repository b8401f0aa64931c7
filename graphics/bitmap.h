// Indexed-colour bitmaps: PNG decoding and the program's bitmap resources.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/buffer.h"

// Decodes a palette (or 8-bit grey) PNG into a surface of its indices; the PNG's own colour
// table is ignored, the indices are palette slots. False on anything else or on damage.
bool DecodeIndexedPng(const uint8_t* data, size_t size, Surface& out);
bool LoadIndexedPngFile(const std::string& path, Surface& out);

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
