// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as coast5.bin: whole records only, each kept record as stored, records off
// the globe dropped, and the line always broken where one was dropped.
#include "settings/coast.h"

#include <cstdlib>
#include <vector>

static int16_t Word(const uint8_t* b) { return static_cast<int16_t>(uint16_t(b[0] | (b[1] << 8))); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<CoastMapRecord> records;
    size_t n = ParseMapCoastline(data, size, records);
    if (n != records.size()) std::abort();
    size_t whole = size / kCoastMapRecordSize;
    if (whole > kCoastMapMaxRecords) whole = kCoastMapMaxRecords;
    size_t j = 0;
    bool dropped = false;
    for (size_t i = 0; i < whole; ++i) {
        const uint8_t* b = data + i * kCoastMapRecordSize;
        int16_t code = Word(b), lat = Word(b + 2), lon = Word(b + 4);
        if (lat < -5400 || lat > 5400 || lon < -10800 || lon > 10800) {
            dropped = true;
            continue;
        }
        if (j >= n) std::abort();
        const CoastMapRecord& r = records[j++];
        if (r.latitude != lat || r.longitude != lon) std::abort();
        if (dropped ? !CoastMapStartsLine(r) : r.code != code) std::abort();
        if (dropped && code > 5 && r.code != code) std::abort();
        dropped = false;
    }
    if (j != n) std::abort();
    return 0;
}
