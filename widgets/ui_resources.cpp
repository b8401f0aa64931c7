// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ui_resources.h"

#include "graphics/bitmap.h"
#include "graphics/display.h"
#include "graphics/text.h"
#include "platform/platform.h"
#include "widgets/interaction.h"
#ifdef HELIORA_HAVE_RESOURCES
#include "resources/resources.h"
#endif

UiResources gUi;

const SpritePlace kSpritePlaces1024[kSpriteCount] = {
    {0, 0, 32, 32},    {32, 0, 32, 32},  {32, 32, 32, 32}, {40, 128, 32, 32}, {64, 32, 32, 32},
    {0, 32, 32, 32},   {64, 0, 32, 32},  {96, 32, 32, 32}, {140, 64, 48, 32}, {128, 32, 32, 32},
    {160, 32, 32, 32}, {0, 96, 40, 40},  {32, 64, 32, 32}, {0, 64, 16, 16},   {72, 96, 12, 12},
    {96, 64, 22, 22},  {118, 64, 22, 22}, {68, 64, 22, 32}, {84, 96, 64, 32},  {96, 0, 32, 32},
    {160, 0, 32, 32},  {128, 0, 32, 32}, {40, 96, 32, 32}, {159, 96, 12, 12}, {147, 96, 12, 12},
};

const SpritePlace kSpritePlaces800[kSpriteCount] = {
    {0, 0, 24, 24},   {24, 0, 24, 24},  {24, 24, 24, 24}, {30, 96, 24, 24},  {48, 24, 24, 24},
    {0, 24, 24, 24},  {48, 0, 24, 24},  {72, 24, 24, 24}, {105, 48, 36, 24}, {117, 24, 20, 24},
    {96, 24, 20, 24}, {0, 72, 28, 30},  {24, 48, 24, 24}, {0, 48, 8, 8},     {54, 72, 8, 8},
    {73, 48, 16, 16}, {89, 48, 16, 16}, {48, 48, 24, 24}, {63, 72, 48, 24},  {72, 0, 24, 24},
    {120, 0, 24, 24}, {96, 0, 24, 24},  {30, 72, 24, 24}, {120, 72, 10, 10}, {111, 72, 10, 10},
};

namespace {

#ifdef HELIORA_HAVE_RESOURCES
int CursorShapeOf(int resourceId) {
    switch (resourceId) {
    case kCursorResourceNormal: return 1;
    case kCursorResourceBusy: return 2;
    case kCursorResourceClickable: return 3;
    default: return 0;
    }
}

// Makes the built-in sheets known under their resource numbers.
void RegisterSheets() {
    const ResourceData large = FindResource(SpriteSheetResourceName(1024));
    const ResourceData small = FindResource(SpriteSheetResourceName(800));
    if (large.bytes) RegisterBitmapResource(kSpriteSheetResource1024, large.bytes, large.size);
    if (small.bytes) RegisterBitmapResource(kSpriteSheetResource800, small.bytes, small.size);
}
#endif

bool LoadSpriteSheet() {
#ifdef HELIORA_HAVE_RESOURCES
    RegisterSheets();
#endif
    const bool large = DisplayWidth() == 1024;
    const bool loaded =
        large ? LoadBitmapResource(kSpriteSheetResource1024, 192, 168, 19, gUi.spriteSheet)
              : LoadBitmapResource(kSpriteSheetResource800, -144, 126, 19, gUi.spriteSheet);
    const SpritePlace* places = large ? kSpritePlaces1024 : kSpritePlaces800;
    // The sprites are cut even without a sheet: they then draw nothing, but keep their sizes.
    for (int i = 0; i < kSpriteCount; ++i)
        MakeSprite(gUi.sprites[i], loaded ? &gUi.spriteSheet : nullptr, places[i].x, places[i].y,
                   places[i].width, places[i].height);
    return loaded;
}

bool MakeFonts() {
    gUi.smallLabelFont = CreateTextFont("Arial Bold", 16, 0, 0);
    gUi.labelFont = CreateTextFont("Arial Bold", 18, 0, 0);
    gUi.headingFont = CreateTextFont("Times New Roman Bold", 24, 0, 0);
    gUi.largeHeadingFont = CreateTextFont("Times New Roman Bold", 30, 0, 0);
    gUi.titleFont = CreateTextFont("Times New Roman Bold", 48, 0, 0);
    return gUi.smallLabelFont && gUi.labelFont && gUi.headingFont && gUi.largeHeadingFont &&
           gUi.titleFont;
}

}  // namespace

bool LoadCursorResource(int slot, int resourceId) {
#ifdef HELIORA_HAVE_RESOURCES
    const int shape = CursorShapeOf(resourceId);
    const char* name = shape ? CursorResourceName(shape) : nullptr;
    const ResourceData data = name ? FindResource(name) : ResourceData{nullptr, 0};
    if (!data.bytes) return false;
    Surface image;
    if (!DecodeIndexedPng(data.bytes, data.size, image)) return false;
    const CursorHotspot hot = CursorHotspotOf(shape);
    return PlatformSetCursorImage(slot, image.pixels.data(), image.width, image.height, hot.x,
                                  hot.y, kResourceTransparentSlot, gDisplay.shown);
#else
    (void)slot;
    (void)resourceId;
    return false;  // the platform's plain pointer shapes stay
#endif
}

namespace {

// The program's icon on the main window (it shares resource 103 with the normal pointer).
bool SetProgramIcon() {
#ifdef HELIORA_HAVE_RESOURCES
    const ResourceData data = FindResource("icon.png");
    Surface image;
    if (!data.bytes || !DecodeIndexedPng(data.bytes, data.size, image)) return false;
    return PlatformSetWindowIcon(image.pixels.data(), image.width, image.height,
                                 kResourceTransparentSlot, gDisplay.shown);
#else
    return false;
#endif
}

}  // namespace

bool CreateUiResources() {
    ReleaseUiResources();
    bool ok = true;
    ScreenRect side;
    MakeRect(side, 0, 0, kPopupBufferSide, kPopupBufferSide);
    ok &= CreateBuffer(side, 0, gUi.popupBuffers[0]);
    ok &= CreateBuffer(side, 0, gUi.popupBuffers[1]);
    ok &= SetProgramIcon();
    ok &= LoadCursorShape(1, kCursorResourceNormal);
    ok &= LoadCursorShape(2, kCursorResourceBusy);
    ok &= LoadCursorShape(3, kCursorResourceClickable);
    ok &= LoadSpriteSheet();
    ok &= MakeFonts();
    gUi.created = true;
    return ok;
}

void ReleaseUiResources() {
    DeleteGraphicObject(gUi.smallLabelFont);
    DeleteGraphicObject(gUi.labelFont);
    DeleteGraphicObject(gUi.headingFont);
    DeleteGraphicObject(gUi.largeHeadingFont);
    DeleteGraphicObject(gUi.titleFont);
    ReleaseBuffer(gUi.spriteSheet);
    ReleaseBuffer(gUi.popupBuffers[0]);
    ReleaseBuffer(gUi.popupBuffers[1]);
    gUi = UiResources{};
}

const Sprite* UiSprite(SpriteId id) {
    if (id < 0 || id >= kSpriteCount) return nullptr;
    return &gUi.sprites[id];
}
