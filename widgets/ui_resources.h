// SPDX-License-Identifier: GPL-3.0-or-later
// The user-interface objects made once at start-up and shared by every screen: the five
// fonts, the sprite sheet cut into its 25 sprites, the cursor shapes and the two buffers that
// hold the screen behind an open pop-up panel.
#pragma once

#include "graphics/buffer.h"
#include "graphics/sprite.h"

struct TextFont;

enum SpriteId : int {
    kSpriteTilt,
    kSpriteShape,
    kSpriteTemperature,
    kSpriteSpare,
    kSpriteDaylight,
    kSpriteSolarEnergy,
    kSpriteLatitudes,
    kSpriteEarthNormal,
    kSpriteWatch,
    kSpriteRounder,
    kSpriteStretched,
    kSpriteDone,
    kSpriteQuestion,
    kSpritePanelMark,
    kSpriteSpareMark,
    kSpriteNewer,
    kSpriteOlder,
    kSpriteDelete,
    kSpriteAboutLogo,
    kSpriteOpenLogbook,
    kSpriteSaveLogbook,
    kSpriteUsers,
    kSpriteExit,
    kSpriteClose,
    kSpriteMinimise,
    kSpriteCount
};

// Where a sprite lies on its sheet, in sheet pixels.
struct SpritePlace {
    int x, y, width, height;
};
// The large sheet (displays 1024 wide) and the small one: separate tables, since several
// sprites sit elsewhere on the small sheet.
extern const SpritePlace kSpritePlaces1024[kSpriteCount];
extern const SpritePlace kSpritePlaces800[kSpriteCount];

// Bitmap and cursor resource numbers.
enum : int {
    kCursorResourceNormal = 103,
    kSpriteSheetResource1024 = 104,
    kCursorResourceBusy = 105,
    kCursorResourceClickable = 106,
    kSpriteSheetResource800 = 114,
};

constexpr int kPopupBufferSide = 500;  // logical units

struct UiResources {
    TextFont* smallLabelFont = nullptr;    // "Arial Bold" 16
    TextFont* labelFont = nullptr;         // "Arial Bold" 18
    TextFont* headingFont = nullptr;       // "Times New Roman Bold" 24
    TextFont* largeHeadingFont = nullptr;  // "Times New Roman Bold" 30
    TextFont* titleFont = nullptr;         // "Times New Roman Bold" 48

    OffscreenBuffer spriteSheet;
    Sprite sprites[kSpriteCount];

    // The screen behind an open pop-up: [0] for panels with id 0, [1] for the others.
    OffscreenBuffer popupBuffers[2];

    bool created = false;
};
extern UiResources gUi;

// Makes everything in the start-up order: pop-up buffers, cursor shapes 1 to 3, the sprite
// sheet for the display's width and its sprites, the fonts. The display must exist. Returns
// false if anything could not be made (what could be made stays usable).
bool CreateUiResources();
// Frees the fonts, the sheet and the buffers.
void ReleaseUiResources();

const Sprite* UiSprite(SpriteId id);

// Loads cursor resource `resourceId` (103, 105, 106) into the platform's cursor slot.
bool LoadCursorResource(int slot, int resourceId);
