// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/bitmap.h"

#include <cstring>
#include <map>
#include <vector>

#include "graphics/copy.h"

namespace {

struct BitmapResources {
    std::map<int, std::vector<uint8_t>> pngs;
};
BitmapResources gBitmaps;

}  // namespace

bool RegisterBitmapResource(int resourceId, const uint8_t* data, size_t size) {
    if (!data || size == 0 || size > kMaxPngBytes) return false;
    gBitmaps.pngs[resourceId].assign(data, data + size);
    return true;
}

bool RegisterBitmapResourceFile(int resourceId, const std::string& path) {
    std::vector<uint8_t> bytes;
    Surface probe;
    if (!ReadFileBytes(path.c_str(), bytes) || !DecodeIndexedPng(bytes.data(), bytes.size(), probe))
        return false;
    gBitmaps.pngs[resourceId] = std::move(bytes);
    return true;
}

void ResetBitmapResources() { gBitmaps = BitmapResources{}; }

bool LoadBitmapResource(int resourceId, int width, int height, int transparentSlot,
                        OffscreenBuffer& buffer) {
    auto it = gBitmaps.pngs.find(resourceId);
    if (it == gBitmaps.pngs.end() || width == 0 || height == 0) return false;
    Surface bitmap;
    if (!DecodeIndexedPng(it->second.data(), it->second.size(), bitmap)) return false;
    const bool stretch = height < 0;
    const long long w = width < 0 ? -(long long)width : width;
    const long long h = height < 0 ? -(long long)height : height;
    OffscreenBuffer made;
    if (width < 0) {
        // Device size as given. (Making it through the inclusive-edge rule would add a row
        // and a column the bitmap does not have.)
        if (w > kMaxBufferSide || h > kMaxBufferSide) return false;
        if (!CreateBufferSize(int(w), int(h), transparentSlot, made)) return false;
    } else {
        if (w > 32767 || h > 32767) return false;
        ScreenRect r;
        MakeRect(r, 0, 0, int(w), int(h));
        if (!CreateBuffer(r, transparentSlot, made)) return false;
    }
    Surface& s = *made.surface;
    // Whatever the bitmap does not cover shows as the transparent colour.
    std::memset(s.pixels.data(), uint8_t(s.transparentIndex), s.pixels.size());
    const DeviceRect to = stretch ? DeviceRect{0, 0, s.width, s.height}
                                  : DeviceRect{0, 0, bitmap.width, bitmap.height};
    CopySurfaceRect(bitmap, s, DeviceRect{0, 0, bitmap.width, bitmap.height}, to, false);
    ReleaseBuffer(buffer);
    buffer = std::move(made);
    return true;
}
