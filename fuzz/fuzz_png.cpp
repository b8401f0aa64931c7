// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as one of the program's PNG images (sprite sheets, cursors, the icon): decoded as
// the program decodes them, then loaded as the sprite sheet of either display and every
// sprite drawn from it.
#include <cstdlib>

#include "graphics/bitmap.h"
#include "graphics/buffer.h"
#include "graphics/copy.h"
#include "graphics/draw.h"
#include "graphics/png.h"
#include "graphics/sprite.h"
#include "widgets/ui_resources.h"

namespace {

void CheckDecoded(const uint8_t* data, size_t size) {
    Surface s;
    PlatformColour palette[256];
    if (!DecodeIndexedPng(data, size, s, palette)) {
        if (s.width != 0 || s.height != 0 || !s.pixels.empty()) std::abort();
        return;
    }
    if (s.width < 1 || s.height < 1 || s.width > kMaxBufferSide || s.height > kMaxBufferSide ||
        s.pixels.size() != size_t(s.width) * size_t(s.height) || s.transparentIndex < -1 ||
        s.transparentIndex > 255)
        std::abort();
}

// The sheet as LoadSpriteSheet makes it, every sprite drawn onto a target.
void DrawSheet(int width, int height, const SpritePlace* places) {
    OffscreenBuffer sheet;
    if (!LoadBitmapResource(1, width, height, 19, sheet)) return;
    Surface target;
    ResizeSurface(target, 64, 64);
    SetDrawTarget(&target);
    for (int i = 0; i < kSpriteCount; ++i) {
        Sprite sprite;
        MakeSprite(sprite, &sheet, places[i].x, places[i].y, places[i].width, places[i].height);
        ScreenRect to;
        MakeRect(to, 0, 0, places[i].width, places[i].height);
        DrawSprite(to, sprite, true);
    }
    SetDrawTarget(nullptr);
    ReleaseBuffer(sheet);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckDecoded(data, size);
    if (!RegisterBitmapResource(1, data, size)) return 0;
    DrawSheet(192, 168, kSpritePlaces1024);
    DrawSheet(-144, 126, kSpritePlaces800);
    ResetBitmapResources();
    return 0;
}
