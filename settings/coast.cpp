// SPDX-License-Identifier: GPL-3.0-or-later
// Readers of the two coastline files.
#include "settings/coast.h"

#include <locale.h>  // newlocale
#include <stdlib.h>  // strtof_l

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// newcoast.txt holds a few hundred short lines; a file larger than this is damaged, and
// only its first whole lines are looked at.
constexpr size_t kCoastTextMaxBytes = 1 << 20;

constexpr int16_t kCoastMapLineStart = 6;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// The next white-space separated word of the line [p, end), or an empty one.
void NextWord(const char*& p, const char* end, const char*& word, const char*& wordEnd) {
    while (p < end && IsBlank(*p)) ++p;
    word = p;
    while (p < end && !IsBlank(*p)) ++p;
    wordEnd = p;
}

// from_chars takes no leading '+', which the C library's number scanning accepts.
const char* SkipPlus(const char* p, const char* end) {
    if (p + 1 < end && p[0] == '+' && p[1] != '-' && p[1] != '+') return p + 1;
    return p;
}

bool WordToInt(const char* p, const char* end, int32_t& value) {
    p = SkipPlus(p, end);
    if (p == end) return false;
    auto r = std::from_chars(p, end, value);
    return r.ec == std::errc() && r.ptr == end;
}

// A plain decimal of at most seven digits ("45.5", "-170.25"), as nearly every coastline word
// is: its digits as a whole number and the power of ten are both exact floats, so the one
// division rounds correctly, as strtof does. False for anything else.
bool ShortDecimal(const char* p, const char* end, float& value) {
    static const float kTens[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f};
    const bool negative = p < end && *p == '-';
    if (negative) ++p;
    uint32_t digits = 0;
    int count = 0, decimals = 0;
    bool point = false;
    for (; p < end; ++p) {
        if (*p == '.' && !point) {
            point = true;
            continue;
        }
        if (*p < '0' || *p > '9' || ++count > 7) return false;
        digits = digits * 10 + uint32_t(*p - '0');
        if (point) ++decimals;
    }
    if (count == 0) return false;
    const float v = float(digits) / kTens[decimals];
    value = negative ? -v : v;
    return true;
}

// Decimal notation only ("45.5", "-1e2"), read in the C locale so a program that sets a
// decimal comma elsewhere still reads "45.5". strtof_l rather than from_chars: not every C++
// library the program is built with parses floating-point numbers there, and both round the
// same (correctly, to the nearest float).
bool WordToFloat(const char* p, const char* end, float& value) {
    p = SkipPlus(p, end);
    if (p == end) return false;
    // strtof also reads hexadecimal numbers and skips leading blanks; a coastline word is
    // neither.
    const char* digits = (*p == '-') ? p + 1 : p;
    if (digits == end || IsBlank(*digits) || *digits == '+' || *digits == '-') return false;
    if (end - digits >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        return false;
    if (ShortDecimal(p, end, value)) return true;
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
    if (cLocale == locale_t(0)) return false;
    const std::string word(p, end);
    char* stop = nullptr;
    errno = 0;
    value = strtof_l(word.c_str(), &stop, cLocale);
    // Out of range: from_chars refused these, so they stay refused.
    if (errno == ERANGE) return false;
    return stop == word.c_str() + word.size() && std::isfinite(value);
}

// One line as a point: three numbers, then anything.
bool ParseLine(const char* p, const char* end, int32_t& code, float& latitude, float& longitude) {
    const char *w, *we;
    NextWord(p, end, w, we);
    if (!WordToInt(w, we, code)) return false;
    NextWord(p, end, w, we);
    if (!WordToFloat(w, we, latitude)) return false;
    NextWord(p, end, w, we);
    return WordToFloat(w, we, longitude);
}

bool IsBlankLine(const char* p, const char* end) {
    for (; p < end; ++p) {
        if (!IsBlank(*p)) return false;
    }
    return true;
}

// The globes' rounding: add 0.5 and truncate toward zero (so -45.5 gives -45), and the
// longitude's sign reversed after the half is added (10.3 gives -10, -10.3 gives 9).
int32_t RoundLatitude(float latitude) { return static_cast<int32_t>(std::trunc(double(latitude) + 0.5)); }
int32_t RoundLongitude(float longitude) {
    return static_cast<int32_t>(std::trunc(-(double(longitude) + 0.5)));
}

// Positions off the globe are damage, and would overflow the whole-degree conversion.
bool OnGlobe(float latitude, float longitude) {
    if (std::fabs(latitude) > 91.0f || std::fabs(longitude) > 361.0f) return false;
    int32_t lat = RoundLatitude(latitude), lon = RoundLongitude(longitude);
    return lat >= -90 && lat <= 90 && lon >= -360 && lon <= 360;
}

// Reads at most limit bytes of a file; false when it cannot be opened or read.
bool ReadFilePrefix(const char* path, size_t limit, std::vector<uint8_t>& bytes, bool& cut) {
    bytes.clear();
    cut = false;
    if (path == nullptr) return false;
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return false;
    uint8_t chunk[8192];
    bool ok = true;
    for (;;) {
        size_t want = sizeof chunk;
        if (bytes.size() + want > limit) want = limit - bytes.size();
        if (want == 0) {
            cut = std::fgetc(f) != EOF;
            break;
        }
        size_t got = std::fread(chunk, 1, want, f);
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < want) {
            ok = !std::ferror(f);
            break;
        }
    }
    std::fclose(f);
    if (!ok) bytes.clear();
    return ok;
}

CoastOutline g_coastOutline;  // zero: no coastline until loaded

}  // namespace

int ParseCoastPoints(const char* text, size_t size, CoastPoints& points) {
    std::memset(&points, 0, sizeof points);
    if (text == nullptr) return 0;
    const char* p = text;
    const char* end = text + size;
    int n = 0;
    while (p < end && n < kCoastPoints) {
        const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        if (lineEnd == nullptr) lineEnd = end;
        if (!IsBlankLine(p, lineEnd)) {
            int32_t code;
            float latitude, longitude;
            if (!ParseLine(p, lineEnd, code, latitude, longitude) || !OnGlobe(latitude, longitude)) break;
            points.code[n] = code;
            points.latitude[n] = latitude;
            points.longitude[n] = longitude;
            ++n;
        }
        p = lineEnd < end ? lineEnd + 1 : end;
    }
    points.count = n;
    return n;
}

int RoundCoastOutline(const CoastPoints& points, CoastOutline& outline) {
    std::memset(&outline, 0, sizeof outline);
    int n = points.count < 0 ? 0 : points.count > kCoastPoints ? kCoastPoints : points.count;
    for (int i = 0; i < n; ++i) {
        outline.code[i] = points.code[i];
        outline.latitude[i] = RoundLatitude(points.latitude[i]);
        outline.longitude[i] = RoundLongitude(points.longitude[i]);
    }
    outline.count = n;
    return n;
}

int LoadCoastPoints(const char* path, CoastPoints& points) {
    std::vector<uint8_t> bytes;
    bool cut = false;
    if (!ReadFilePrefix(path, kCoastTextMaxBytes, bytes, cut)) {
        std::memset(&points, 0, sizeof points);
        return 0;
    }
    size_t size = bytes.size();
    if (cut) {
        // Never read half a line as a point: drop the piece after the last line break.
        while (size > 0 && bytes[size - 1] != '\n') --size;
    }
    return ParseCoastPoints(reinterpret_cast<const char*>(bytes.data()), size, points);
}

int LoadCoastOutline(const char* path, CoastOutline& outline) {
    CoastPoints points;
    LoadCoastPoints(path, points);
    return RoundCoastOutline(points, outline);
}

const CoastOutline& LoadCoastOutline() {
    LoadCoastOutline(kCoastOutlineFile, g_coastOutline);
    return g_coastOutline;
}

const CoastOutline& TheCoastOutline() { return g_coastOutline; }

void ResetCoastOutline() { std::memset(&g_coastOutline, 0, sizeof g_coastOutline); }

size_t ParseMapCoastline(const uint8_t* data, size_t size, std::vector<CoastMapRecord>& records) {
    records.clear();
    if (data == nullptr) return 0;
    size_t n = size / kCoastMapRecordSize;
    if (n > kCoastMapMaxRecords) n = kCoastMapMaxRecords;
    records.reserve(n);
    bool breakLine = false;
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* b = data + i * kCoastMapRecordSize;
        CoastMapRecord r;
        r.code = static_cast<int16_t>(uint16_t(b[0] | (b[1] << 8)));
        r.latitude = static_cast<int16_t>(uint16_t(b[2] | (b[3] << 8)));
        r.longitude = static_cast<int16_t>(uint16_t(b[4] | (b[5] << 8)));
        if (r.latitude < -kCoastMapMaxLatitude || r.latitude > kCoastMapMaxLatitude ||
            r.longitude < -kCoastMapMaxLongitude || r.longitude > kCoastMapMaxLongitude) {
            breakLine = true;
            continue;
        }
        if (breakLine && !CoastMapStartsLine(r)) r.code = kCoastMapLineStart;
        breakLine = false;
        records.push_back(r);
    }
    return records.size();
}

bool LoadMapCoastline(const char* path, std::vector<CoastMapRecord>& records) {
    std::vector<uint8_t> bytes;
    bool cut = false;
    if (!ReadFilePrefix(path, kCoastMapMaxRecords * kCoastMapRecordSize, bytes, cut)) {
        records.clear();
        return false;
    }
    ParseMapCoastline(bytes.data(), bytes.size(), records);
    return true;
}
