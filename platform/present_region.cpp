// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/present_region.h"

#include <algorithm>
#include <cstring>

namespace {

uint64_t Word(const uint8_t* p) {
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Whether 32 bytes from a and b differ.
bool BlockDiffers(const uint8_t* a, const uint8_t* b) {
    return ((Word(a) ^ Word(b)) | (Word(a + 8) ^ Word(b + 8)) | (Word(a + 16) ^ Word(b + 16)) |
            (Word(a + 24) ^ Word(b + 24))) != 0;
}

// Where rows a and b (n bytes) first and last differ: [first, last). False when they are the
// same. Whole words at a time, since nearly every row is unchanged and the browser build's
// memcmp goes byte by byte.
bool RowDifference(const uint8_t* a, const uint8_t* b, size_t n, size_t& first, size_t& last) {
    size_t i = 0;
    while (i + 32 <= n && !BlockDiffers(a + i, b + i)) i += 32;
    while (i + 8 <= n && Word(a + i) == Word(b + i)) i += 8;
    while (i < n && a[i] == b[i]) ++i;
    if (i == n) return false;
    size_t j = n;
    while (j - i > 8 && Word(a + j - 8) == Word(b + j - 8)) j -= 8;
    while (a[j - 1] == b[j - 1]) --j;  // stops at i + 1 at the latest: a[i] != b[i]
    first = i;
    last = j;
    return true;
}

// Unchanged bytes that split a row's change in two: far-apart changes (a globe here, a chart
// there) are then converted and sent apart.
constexpr size_t kSplitGap = 64;

// Adds the changed stretches of [first, last) of rows a and b (a[first] and a[last - 1]
// differ), split where kSplitGap or more bytes in a row are the same.
void AddStretches(const uint8_t* a, const uint8_t* b, size_t first, size_t last, int y,
                  std::vector<RowSpan>& rows) {
    size_t start = first, end = first + 1, i = first + 1;  // the stretch so far: [start, end)
    while (i < last) {
        if (i + 8 <= last && Word(a + i) == Word(b + i)) {
            i += 8;
        } else if (a[i] == b[i]) {
            ++i;
        } else {
            if (i - end >= kSplitGap) {
                rows.push_back(RowSpan{y, int(start), int(end)});
                start = i;
            }
            end = ++i;
        }
    }
    rows.push_back(RowSpan{y, int(start), int(end)});
}

}  // namespace

PresentRegion ChangedRegion(const uint8_t* now, int width, int height, std::vector<uint8_t>& shown,
                            std::vector<RowSpan>* rows) {
    if (rows) rows->clear();
    if (!now || width <= 0 || height <= 0) return PresentRegion{};
    const size_t w = size_t(width);
    if (shown.size() != w * size_t(height)) {
        shown.assign(now, now + w * size_t(height));
        if (rows)
            for (int y = 0; y < height; ++y) rows->push_back(RowSpan{y, 0, width});
        return PresentRegion{0, 0, width, height};
    }
    PresentRegion r;
    r.left = width;
    for (int y = 0; y < height; ++y) {
        const uint8_t* a = now + size_t(y) * w;
        uint8_t* b = shown.data() + size_t(y) * w;
        size_t first = 0, last = 0;
        if (!RowDifference(a, b, w, first, last)) continue;
        if (r.bottom == 0) r.top = y;
        r.left = std::min(r.left, int(first));
        r.right = std::max(r.right, int(last));
        r.bottom = y + 1;
        if (rows) AddStretches(a, b, first, last, y, *rows);
        std::memcpy(b + first, a + first, last - first);
    }
    if (r.bottom == 0) return PresentRegion{};
    return r;
}
