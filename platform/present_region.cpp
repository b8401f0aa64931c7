// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/present_region.h"

#include <algorithm>
#include <cstring>

PresentRegion ChangedRegion(const uint8_t* now, int width, int height,
                            std::vector<uint8_t>& shown) {
    PresentRegion r;
    if (!now || width <= 0 || height <= 0) return r;
    const size_t w = size_t(width);
    if (shown.size() != w * size_t(height)) {
        shown.assign(now, now + w * size_t(height));
        return PresentRegion{0, 0, width, height};
    }
    r.left = width;
    for (int y = 0; y < height; ++y) {
        const uint8_t* a = now + size_t(y) * w;
        uint8_t* b = shown.data() + size_t(y) * w;
        if (std::memcmp(a, b, w) == 0) continue;  // most rows: one fast compare
        int l = 0, rgt = width;
        while (a[l] == b[l]) ++l;
        while (a[rgt - 1] == b[rgt - 1]) --rgt;
        if (r.bottom == 0) r.top = y;
        r.left = std::min(r.left, l);
        r.right = std::max(r.right, rgt);
        r.bottom = y + 1;
        std::memcpy(b, a, w);
    }
    if (r.bottom == 0) return PresentRegion{};
    return r;
}
