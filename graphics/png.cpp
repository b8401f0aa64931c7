// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/png.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <cstdio>
#include <memory>
#include <vector>

#include "graphics/buffer.h"
#include "graphics/display.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// libpng's default handler prints and jumps; ours only jumps so failures stay return values.
void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

}  // namespace

bool WriteSurfacePng(const char* path, const Surface& surface, const PlatformColour* palette) {
    if (!path || !palette || surface.width <= 0 || surface.height <= 0 ||
        surface.pixels.size() < size_t(surface.width) * size_t(surface.height))
        return false;
    File file(std::fopen(path, "wb"));
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_color> colours(256);
    for (int i = 0; i < 256; ++i) colours[size_t(i)] = {palette[i].r, palette[i].g, palette[i].b};
    std::vector<png_bytep> rows(size_t(surface.height));
    for (int y = 0; y < surface.height; ++y)
        rows[size_t(y)] = const_cast<png_bytep>(surface.Row(y));
    png_byte alpha[256];
    volatile bool ok = false;  // read again after a jump out of libpng
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file.get());
        png_set_IHDR(png, info, png_uint_32(surface.width), png_uint_32(surface.height), 8,
                     PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_set_PLTE(png, info, colours.data(), 256);
        if (surface.transparentIndex >= 0 && surface.transparentIndex < 256) {
            for (int i = 0; i < 256; ++i) alpha[i] = i == surface.transparentIndex ? 0 : 255;
            png_set_tRNS(png, info, alpha, surface.transparentIndex + 1, nullptr);
        }
        png_write_info(png, info);
        png_write_image(png, rows.data());
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    if (ok && std::fflush(file.get()) != 0) ok = false;
    if (ok && std::fclose(file.release()) != 0) ok = false;
    return ok;
}

bool WriteCanvasPng(const char* path) {
    return WriteSurfacePng(path, gDisplay.canvas, gDisplay.shown);
}

namespace {

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

// The libpng part. It may jump back to its setjmp, so it owns no C++ objects; the pixel
// storage lives in the caller.
bool DecodeInto(png_structp png, png_infop info, MemoryReader* reader, Surface& out,
                PlatformColour* colours) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, reader, ReadFromMemory);
    png_set_user_limits(png, kMaxBufferSide, kMaxBufferSide);
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info);
    const png_uint_32 h = png_get_image_height(png, info);
    const int type = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    if (type != PNG_COLOR_TYPE_PALETTE && type != PNG_COLOR_TYPE_GRAY) return false;
    if (depth > 8 || w == 0 || h == 0 || w > png_uint_32(kMaxBufferSide) ||
        h > png_uint_32(kMaxBufferSide))
        return false;
    png_colorp plte = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &plte, &count) == PNG_INFO_PLTE)
        for (int i = 0; i < count && i < 256; ++i)
            colours[i] = {plte[i].red, plte[i].green, plte[i].blue};
    png_bytep trans = nullptr;
    int transCount = 0;
    if (type == PNG_COLOR_TYPE_PALETTE &&
        png_get_tRNS(png, info, &trans, &transCount, nullptr) == PNG_INFO_tRNS)
        for (int i = 0; i < transCount && i < 256; ++i)
            if (trans[i] == 0) {
                out.transparentIndex = i;
                break;
            }
    if (depth < 8) png_set_packing(png);  // one index per byte, values kept
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != w) return false;
    ResizeSurface(out, int(w), int(h));
    for (int p = 0; p < passes; ++p)
        for (png_uint_32 y = 0; y < h; ++y) png_read_row(png, out.Row(int(y)), nullptr);
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

bool DecodeIndexedPng(const uint8_t* data, size_t size, Surface& surface, PlatformColour* palette) {
    surface = Surface{};
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    MemoryReader reader{data, size, 0};
    Surface result;
    std::vector<PlatformColour> colours(256);
    const bool ok = DecodeInto(png, info, &reader, result, colours.data());
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) return false;
    surface = std::move(result);
    if (palette)
        for (int i = 0; i < 256; ++i) palette[i] = colours[size_t(i)];
    return true;
}

bool ReadFileBytes(const char* path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (!path) return false;
    File file(std::fopen(path, "rb"));
    if (!file) return false;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        if (bytes.size() + n > kMaxPngBytes) return false;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return std::ferror(file.get()) == 0;
}

bool ReadSurfacePng(const char* path, Surface& surface, PlatformColour* palette) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) {
        surface = Surface{};
        return false;
    }
    return DecodeIndexedPng(bytes.data(), bytes.size(), surface, palette);
}
