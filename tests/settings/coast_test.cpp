#include "settings/coast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

// Tests run in their own build folder; each file name is unique to its test.
void WriteFile(const char* path, const std::string& bytes) {
    FILE* f = std::fopen(path, "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);
}

int Outline(const std::string& text, CoastOutline& outline) {
    CoastPoints points;
    ParseCoastPoints(text.data(), text.size(), points);
    return RoundCoastOutline(points, outline);
}

std::string Record(int code, int latitude, int longitude) {
    std::string r(6, '\0');
    int v[3] = {code, latitude, longitude};
    for (int i = 0; i < 3; ++i) {
        r[2 * i] = char(v[i] & 0xFF);
        r[2 * i + 1] = char((v[i] >> 8) & 0xFF);
    }
    return r;
}

TEST(CoastOutline, RoundsLikeTheGlobesExpect) {
    CoastOutline o;
    ASSERT_EQ(Outline("1000 45.4 10.3\n0 45.5 -10.3\n0 -45.5 10.5\n0 -10.7 -0.4\n", o), 4);
    EXPECT_EQ(o.code[0], 1000);
    EXPECT_EQ(o.code[1], 0);
    EXPECT_EQ(o.latitude[0], 45);
    EXPECT_EQ(o.latitude[1], 46);
    EXPECT_EQ(o.latitude[2], -45);
    EXPECT_EQ(o.latitude[3], -10);
    EXPECT_EQ(o.longitude[0], -10);  // east in the file is negative in the outline
    EXPECT_EQ(o.longitude[1], 9);
    EXPECT_EQ(o.longitude[2], -11);
    EXPECT_EQ(o.longitude[3], 0);
}

TEST(CoastOutline, KeepsFileDecimalsForDirectProjection) {
    CoastPoints p;
    std::string text = "1000 -33.9 +18.4\r\n\n   \r\n0 1e1 -7.25 trailing words\n";
    ASSERT_EQ(ParseCoastPoints(text.data(), text.size(), p), 2);
    EXPECT_FLOAT_EQ(p.latitude[0], -33.9f);
    EXPECT_FLOAT_EQ(p.longitude[0], 18.4f);
    EXPECT_FLOAT_EQ(p.latitude[1], 10.0f);
    EXPECT_FLOAT_EQ(p.longitude[1], -7.25f);
}

TEST(CoastOutline, StopsAtTheFirstLineThatIsNoPoint) {
    const std::string bad[] = {
        "0 1 2\nx 1 2\n0 3 4\n"s,                // not a number
        "0 1 2\n0 1\n0 3 4\n"s,                  // two numbers only
        "0 1 2\n0 1.5.2 3\n0 3 4\n"s,            // malformed number
        "0 1 2\n0 12abc 3\n0 3 4\n"s,            // number run into letters
        "0 1 2\n0 nan 3\n0 3 4\n"s,              // not finite
        "0 1 2\n0 95 3\n0 3 4\n"s,               // off the globe
        "0 1 2\n0 10 1e30\n0 3 4\n"s,            // would overflow a whole degree
        "0 1 2\n99999999999 1 2\n0 3 4\n"s,      // code beyond 32 bits
        "0 1 2\n0 1 2\0 5 6\n0 3 4\n"s,         // stray NUL
    };
    for (const std::string& text : bad) {
        CoastOutline o;
        EXPECT_EQ(Outline(text, o), 1) << text;
        EXPECT_EQ(o.latitude[0], 1);
        EXPECT_EQ(o.longitude[0], -2);
    }
}

TEST(CoastOutline, CutsAt265Points) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += (i == 0 ? "1000 " : "0 ") + std::to_string(i % 90) + " 1\n";
    CoastOutline o;
    EXPECT_EQ(Outline(text, o), kCoastPoints);
    EXPECT_EQ(o.latitude[kCoastPoints - 1], (kCoastPoints - 1) % 90);
}

TEST(CoastOutline, MissingOrEmptyFileGivesNoCoastline) {
    CoastOutline o;
    o.count = 7;
    EXPECT_EQ(LoadCoastOutline("no_such_coast.txt", o), 0);
    EXPECT_EQ(o.count, 0);
    WriteFile("empty_coast.txt", "");
    EXPECT_EQ(LoadCoastOutline("empty_coast.txt", o), 0);
    WriteFile("binary_coast.txt", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11));
    EXPECT_EQ(LoadCoastOutline("binary_coast.txt", o), 0);
    EXPECT_EQ(LoadCoastOutline(nullptr, o), 0);
}

TEST(CoastOutline, SharedOutlineLoadsFromTheWorkingDirectory) {
    ResetCoastOutline();
    EXPECT_EQ(TheCoastOutline().count, 0);
    WriteFile(kCoastOutlineFile, "1000 51.5 -0.1\n0 48.9 2.4\n");
    EXPECT_EQ(LoadCoastOutline().count, 2);
    EXPECT_EQ(TheCoastOutline().longitude[1], -2);
    std::remove(kCoastOutlineFile);
    ResetCoastOutline();
    EXPECT_EQ(TheCoastOutline().count, 0);
}

TEST(CoastMap, DecodesLittleEndianRecordsAndIgnoresAShortTail) {
    std::string bytes = Record(6, 5400, -10800) + Record(0, -300, 1234) + Record(2, -5400, 10800) + "\x07\x00\x01";
    std::vector<CoastMapRecord> r;
    EXPECT_EQ(ParseMapCoastline(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), r), 3u);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_TRUE(CoastMapStartsLine(r[0]));
    EXPECT_EQ(r[0].latitude, 5400);
    EXPECT_EQ(r[0].longitude, -10800);
    EXPECT_FALSE(CoastMapStartsLine(r[1]));
    EXPECT_EQ(r[1].latitude, -300);
    EXPECT_EQ(r[1].longitude, 1234);
    EXPECT_EQ(r[2].code, 2);
}

TEST(CoastMap, DropsPointsOffTheGlobeAndBreaksTheLineThere) {
    std::string bytes = Record(6, 0, 0) + Record(0, 20000, 0) + Record(0, 10, 10) + Record(0, 20, 20) +
                        Record(0, 0, -32768) + Record(9, 30, 30);
    std::vector<CoastMapRecord> r;
    ASSERT_EQ(ParseMapCoastline(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), r), 4u);
    EXPECT_TRUE(CoastMapStartsLine(r[1]));   // after the dropped record
    EXPECT_EQ(r[1].latitude, 10);
    EXPECT_FALSE(CoastMapStartsLine(r[2]));
    EXPECT_EQ(r[3].code, 9);                  // a real line start keeps its code
}

TEST(CoastMap, FilesMissingEmptyOrShort) {
    std::vector<CoastMapRecord> r(3);
    EXPECT_FALSE(LoadMapCoastline("no_such_coast.bin", r));
    EXPECT_TRUE(r.empty());
    WriteFile("short_coast.bin", "\x06\x00\x01");
    EXPECT_TRUE(LoadMapCoastline("short_coast.bin", r));
    EXPECT_TRUE(r.empty());
    WriteFile("one_coast.bin", Record(6, 1, 2) + "\x00");
    EXPECT_TRUE(LoadMapCoastline("one_coast.bin", r));
    EXPECT_EQ(r.size(), 1u);
}

// The files shipped in data/ must give the globes and the map a whole coastline.
TEST(ShippedData, CoarseOutlineIsFullAndSane) {
    CoastOutline o;
    int n = LoadCoastOutline(HELIORA_SOURCE_DIR "/data/newcoast.txt", o);
    EXPECT_GT(n, 200);
    EXPECT_LE(n, kCoastPoints);
    EXPECT_GE(o.code[0], kCoastNewLine);
    int strokes = 0, run = 0;
    for (int i = 0; i < n; ++i) {
        EXPECT_GE(o.latitude[i], -90);
        EXPECT_LE(o.latitude[i], 90);
        EXPECT_GE(o.longitude[i], -180);
        EXPECT_LE(o.longitude[i], 180);
        if (o.code[i] >= kCoastNewLine) {
            if (i > 0) {
                EXPECT_GE(run, 2) << "line ending at point " << i;
            }
            ++strokes;
            run = 0;
        }
        ++run;
    }
    EXPECT_GE(run, 2);
    EXPECT_GE(strokes, 10);
    // The file must not run on past the cut: every line of it is a point.
    CoastPoints p;
    LoadCoastPoints(HELIORA_SOURCE_DIR "/data/newcoast.txt", p);
    FILE* f = std::fopen(HELIORA_SOURCE_DIR "/data/newcoast.txt", "r");
    ASSERT_NE(f, nullptr);
    int lines = 0;
    for (int c; (c = std::fgetc(f)) != EOF;) lines += c == '\n';
    std::fclose(f);
    EXPECT_EQ(lines, p.count);
}

TEST(ShippedData, CoarseOutlinePutsEastWhereTheGlobesWantIt) {
    // Outline longitudes are west positive: Japan, far east, must come out negative,
    // and the Americas positive.
    CoastPoints p;
    CoastOutline o;
    LoadCoastPoints(HELIORA_SOURCE_DIR "/data/newcoast.txt", p);
    RoundCoastOutline(p, o);
    int east = 0, west = 0;
    for (int i = 0; i < o.count; ++i) {
        if (o.latitude[i] >= 31 && o.latitude[i] <= 41 && o.longitude[i] <= -130 && o.longitude[i] >= -142) ++east;
        if (o.latitude[i] >= 25 && o.latitude[i] <= 50 && o.longitude[i] >= 65 && o.longitude[i] <= 125) ++west;
    }
    EXPECT_GT(east, 0);  // Honshu and Korea
    EXPECT_GT(west, 0);  // North America
}

TEST(ShippedData, MapOutlineIsDetailedAndSane) {
    std::vector<CoastMapRecord> r;
    ASSERT_TRUE(LoadMapCoastline(HELIORA_SOURCE_DIR "/data/coast5.bin", r));
    EXPECT_GT(r.size(), 5000u);
    ASSERT_FALSE(r.empty());
    EXPECT_TRUE(CoastMapStartsLine(r[0]));
    size_t run = 0, lines = 0;
    int minLat = 0, maxLat = 0;
    for (size_t i = 0; i < r.size(); ++i) {
        if (CoastMapStartsLine(r[i])) {
            if (i > 0) {
                EXPECT_GE(run, 2u) << "line ending at record " << i;
            }
            ++lines;
            run = 0;
        }
        ++run;
        minLat = std::min<int>(minLat, r[i].latitude);
        maxLat = std::max<int>(maxLat, r[i].latitude);
    }
    EXPECT_GE(run, 2u);
    EXPECT_GT(lines, 50u);
    EXPECT_LT(minLat, -60 * 60);  // Antarctica
    EXPECT_GT(maxLat, 80 * 60);   // Greenland and the Arctic islands
}

}  // namespace
