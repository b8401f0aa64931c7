#include "graphics/bitmap.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "graphics/copy.h"

namespace {

struct BitmapResources {
    std::map<int, std::vector<uint8_t>> pngs;
};
BitmapResources gBitmaps;

// Files larger than this are not bitmaps of ours.
constexpr size_t kMaxPngBytes = 64u << 20;

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
    auto* r = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (n > r->size - r->pos) png_error(png, "truncated");
    std::memcpy(out, r->data + r->pos, n);
    r->pos += n;
}

void QuietWarning(png_structp, png_const_charp) {}
// Damaged files are an expected input: fail quietly back to the setjmp.
[[noreturn]] void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// The libpng part. It may jump back to its setjmp, so it owns no C++ objects; the pixel
// storage lives in the caller.
bool DecodeInto(png_structp png, png_infop info, MemoryReader* reader, std::vector<uint8_t>& pixels,
                int& width, int& height) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, reader, ReadFromMemory);
    png_set_user_limits(png, kMaxBufferSide, kMaxBufferSide);
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info);
    const png_uint_32 h = png_get_image_height(png, info);
    const int type = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    if (type != PNG_COLOR_TYPE_PALETTE && type != PNG_COLOR_TYPE_GRAY) return false;
    if (depth > 8 || w == 0 || h == 0 || w > png_uint_32(kMaxBufferSide) || h > png_uint_32(kMaxBufferSide)) {
        return false;
    }
    if (depth < 8) png_set_packing(png);  // one index per byte, values kept
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != w) return false;
    width = int(w);
    height = int(h);
    pixels.resize(size_t(w) * h);
    for (int p = 0; p < passes; ++p) {
        for (png_uint_32 y = 0; y < h; ++y) png_read_row(png, pixels.data() + size_t(y) * w, nullptr);
    }
    png_read_end(png, nullptr);
    return true;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    uint8_t chunk[65536];
    size_t n;
    bool ok = true;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        if (bytes.size() + n > kMaxPngBytes) {
            ok = false;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    std::fclose(f);
    return ok;
}

}  // namespace

bool DecodeIndexedPng(const uint8_t* data, size_t size, Surface& out) {
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    MemoryReader reader{data, size, 0};
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    const bool ok = DecodeInto(png, info, &reader, pixels, w, h);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) return false;
    out.width = w;
    out.height = h;
    out.pixels.swap(pixels);
    return true;
}

bool LoadIndexedPngFile(const std::string& path, Surface& out) {
    std::vector<uint8_t> bytes;
    return ReadWholeFile(path, bytes) && DecodeIndexedPng(bytes.data(), bytes.size(), out);
}

bool RegisterBitmapResource(int resourceId, const uint8_t* data, size_t size) {
    if (!data || size == 0 || size > kMaxPngBytes) return false;
    gBitmaps.pngs[resourceId].assign(data, data + size);
    return true;
}

bool RegisterBitmapResourceFile(int resourceId, const std::string& path) {
    std::vector<uint8_t> bytes;
    Surface probe;
    if (!ReadWholeFile(path, bytes) || !DecodeIndexedPng(bytes.data(), bytes.size(), probe)) return false;
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
