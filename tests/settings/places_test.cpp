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
    EXPECT_EQ(Latitude(45), "45\xBA N");
    EXPECT_EQ(Latitude(-15), "15\xBA S");
    EXPECT_EQ(Latitude(0), "EQU");
    EXPECT_EQ(Latitude(-0.0), "EQU");
    EXPECT_EQ(Latitude(0.4), "0\xBA N");
    EXPECT_EQ(Latitude(-0.4), "0\xBA S");
    EXPECT_EQ(Latitude(90), "90\xBA N");
    EXPECT_EQ(Latitude(-90), "90\xBA S");
    EXPECT_EQ(Latitude(-100), "100\xBA S");  // 8 bytes with the NUL: the widest whole degree
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

TEST(PlacesTable, RowsMatchTheLatitudeButtons) {
    EXPECT_STREQ(PlacesTable[0][0], "North Pole");
    EXPECT_STREQ(PlacesTable[1][4], "Noril'sk, Russia");
    EXPECT_STREQ(PlacesTable[3][0], "St. Paul/Minneapolis");
    EXPECT_STREQ(PlacesTable[6][0], "Quito, Equador");
    EXPECT_STREQ(PlacesTable[7][4], "Apia, Somoa");
    EXPECT_STREQ(PlacesTable[9][0], "Christchurch, New Zealand");
    EXPECT_STREQ(PlacesTable[11][4], "Weddell Sea");
    EXPECT_STREQ(PlacesTable[12][1], "Queen Maud Mtns, Ant.");
    EXPECT_STREQ(PlacesTable[13][0], "You Are Here");
    EXPECT_STREQ(PlacesTable[14][0], "Across Eq. from You");
    // Empty names are empty lines, never missing entries.
    int empty = 0;
    for (int r = 0; r < kPlacesRows; ++r) {
        for (int i = 0; i < kPlacesPerRow; ++i) {
            ASSERT_NE(PlacesTable[r][i], nullptr);
            empty += PlacesTable[r][i][0] == '\0';
            EXPECT_LT(std::strlen(PlacesTable[r][i]), 128u);
        }
    }
    EXPECT_EQ(empty, 3 + 1 + 1 + 2 + 3 + 4 + 4);
}

TEST(PlacesTable, RowLatitudesAndBounds) {
    EXPECT_EQ(PlacesRowLatitude(0, 45), 90);
    EXPECT_EQ(PlacesRowLatitude(6, 45), 0);
    EXPECT_EQ(PlacesRowLatitude(12, 45), -90);
    EXPECT_EQ(PlacesRowLatitude(13, 45), 45);
    EXPECT_EQ(PlacesRowLatitude(14, 45), -45);
    EXPECT_EQ(PlacesRowLatitude(15, 45), 0);
    EXPECT_EQ(PlacesRowLatitude(-1, 45), 0);
    EXPECT_STREQ(PlaceName(2, 4), "Reykjavik, Iceland");
    EXPECT_STREQ(PlaceName(15, 0), "");
    EXPECT_STREQ(PlaceName(0, 5), "");
    EXPECT_STREQ(PlaceName(-1, -1), "");
}

}  // namespace
