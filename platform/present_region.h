// SPDX-License-Identifier: GPL-3.0-or-later
// What changed between the picture shown last and the one about to be: presents convert,
// scale and send only that rectangle, since most frames change a small part of the screen.
#pragma once
#include <cstdint>
#include <vector>

// A rectangle of canvas pixels, right and bottom exclusive; empty when right <= left.
struct PresentRegion {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};

// Changed pixels of one row: columns left to right, right exclusive.
struct RowSpan {
    int y = 0, left = 0, right = 0;
};

// The bounding rectangle of the pixels where `now` differs from `shown` (both width x height
// palette indices), and copies those rows of `now` into `shown`. `shown` of another size is
// taken as wholly different and made a copy of `now`. With `rows`, it also lists the changed
// stretches of each row, top to bottom and left to right (a row's change is split where many
// pixels between are the same; every row whole when all is different), so a caller converts
// and sends only those.
PresentRegion ChangedRegion(const uint8_t* now, int width, int height, std::vector<uint8_t>& shown,
                            std::vector<RowSpan>* rows = nullptr);
