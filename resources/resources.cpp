// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/resources.h"

#include <cstring>

#include "resources/resource_table.h"

ResourceData FindResource(const char* name) {
  if (name != nullptr) {
    for (int i = 0; i < kResourceCount; ++i) {
      if (std::strcmp(kResourceTable[i].name, name) == 0) {
        return {kResourceTable[i].bytes, kResourceTable[i].size};
      }
    }
  }
  return {nullptr, 0};
}

int ResourceCount() { return kResourceCount; }

const char* ResourceName(int index) {
  return index >= 0 && index < kResourceCount ? kResourceTable[index].name : nullptr;
}

const char* SpriteSheetResourceName(int displayWidth) {
  return displayWidth == 1024 ? "sprites_1024.png" : "sprites_800.png";
}

const char* CursorResourceName(int shape) {
  static const char* const kNames[3] = {"cursor_1.png", "cursor_2.png", "cursor_3.png"};
  return shape >= 1 && shape <= 3 ? kNames[shape - 1] : nullptr;
}

CursorHotspot CursorHotspotOf(int shape) {
  return shape >= 1 && shape <= 3 ? kCursorHotspots[shape - 1] : CursorHotspot{0, 0};
}

const char* BrushPatternResourceName(int pattern) {
  static const char* const kNames[10] = {"brush_1.png", "brush_2.png", "brush_3.png", "brush_4.png",
                                         "brush_5.png", "brush_6.png", "brush_7.png", "brush_8.png",
                                         "brush_9.png", "brush_10.png"};
  return pattern >= 1 && pattern <= 10 ? kNames[pattern - 1] : nullptr;
}
