// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252, the code page of every text the program shows or takes in.
#include "platform/platform.h"

namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes the code page leaves unassigned.
const uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}  // namespace

uint32_t Cp1252ToUnicode(uint8_t byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

int UnicodeToCp1252(uint32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return int(codePoint);
    if (codePoint == 0) return -1;
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == codePoint) return 0x80 + i;
    return -1;
}

void Utf8ToCp1252(const char* utf8, std::vector<uint8_t>& out) {
    if (!utf8) return;
    const auto* s = reinterpret_cast<const unsigned char*>(utf8);
    while (*s) {
        uint32_t cp = 0;
        int extra = 0;
        if (*s < 0x80) {
            cp = *s;
        } else if ((*s & 0xE0) == 0xC0) {
            cp = *s & 0x1F;
            extra = 1;
        } else if ((*s & 0xF0) == 0xE0) {
            cp = *s & 0x0F;
            extra = 2;
        } else if ((*s & 0xF8) == 0xF0) {
            cp = *s & 0x07;
            extra = 3;
        } else {
            ++s;  // a stray continuation byte or an invalid lead byte
            continue;
        }
        ++s;
        bool ok = true;
        for (int i = 0; i < extra; ++i) {
            if ((*s & 0xC0) != 0x80) {
                ok = false;  // truncated sequence: resume at this byte
                break;
            }
            cp = (cp << 6) | (*s & 0x3F);
            ++s;
        }
        if (!ok) continue;
        const int byte = UnicodeToCp1252(cp);
        if (byte > 0) out.push_back(uint8_t(byte));
    }
}
