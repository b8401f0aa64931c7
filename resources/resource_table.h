// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared between resources.cpp and the file that embed.cmake generates.

#include "resources/resources.h"

struct ResourceEntry {
  const char* name;
  const unsigned char* bytes;
  size_t size;
};

extern const ResourceEntry kResourceTable[];
extern const int kResourceCount;
extern const CursorHotspot kCursorHotspots[3];
