// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/places.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Latitude(double v, size_t size = kLatitudeTextSize) {
    char buf[64];
    std::memset(buf, 'x', sizeof buf);
    size_t n = FormatLatitude(v, buf, size);
    EXPECT_EQ(n, std::strlen(buf));
    EXPECT_EQ(buf[size], 'x') << "wrote past the buffer";
    return buf;
}

TEST(FormatLatitude, NorthSouthAndEquator) {
    const struct { double v; const char* text; } cases[] = {
        {45, "45\xBA N"}, {-15, "15\xBA S"}, {0, "EQU"},         {-0.0, "EQU"},        {0.4, "0\xBA N"},
        {-0.4, "0\xBA S"}, {90, "90\xBA N"}, {-90, "90\xBA S"},
        {-100, "100\xBA S"},  // 8 bytes with the NUL: the widest whole degree
    };
    for (const auto& c : cases) EXPECT_EQ(Latitude(c.v), c.text) << c.v;
}

TEST(FormatLatitude, StaysInsideItsBuffer) {
    std::string huge = Latitude(1e300);  // 301 digits, cut to fit
    EXPECT_EQ(huge.size(), kLatitudeTextSize - 1);
    EXPECT_EQ(huge.substr(0, 2), "10");
    EXPECT_EQ(Latitude(-45, 3), "45");
    EXPECT_EQ(Latitude(45, 1), "");
    EXPECT_EQ(FormatLatitude(45, nullptr, 8), 0u);
    char c = 'x';
    EXPECT_EQ(FormatLatitude(45, &c, 0), 0u);
    EXPECT_EQ(c, 'x');
}

TEST(PlacesTable, RowLatitudesNamesAndBounds) {
    const int rows[][2] = {{0, 90}, {6, 0}, {12, -90}, {13, 45}, {14, -45}, {15, 0}, {-1, 0}};
    for (const auto& r : rows) EXPECT_EQ(PlacesRowLatitude(r[0], 45), r[1]) << r[0];
    // Empty names are empty lines, never missing entries; outside the table, empty too.
    for (int r = 0; r < kPlacesRows; ++r)
        for (int i = 0; i < kPlacesPerRow; ++i) ASSERT_NE(PlaceName(r, i), nullptr) << r << " " << i;
    EXPECT_STREQ(PlaceName(13, 0), "You Are Here");
    EXPECT_STREQ(PlaceName(15, 0), "");
    EXPECT_STREQ(PlaceName(0, 5), "");
    EXPECT_STREQ(PlaceName(-1, -1), "");
}

}  // namespace
