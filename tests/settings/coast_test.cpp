// SPDX-License-Identifier: GPL-3.0-or-later
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

std::vector<int> Ints(const int32_t* v, int n) { return std::vector<int>(v, v + n); }

TEST(CoastOutline, RoundsLikeTheGlobesExpect) {
    CoastOutline o;
    ASSERT_EQ(Outline("1000 45.4 10.3\n0 45.5 -10.3\n0 -45.5 10.5\n0 -10.7 -0.4\n", o), 4);
    EXPECT_EQ(Ints(o.code, 4), (std::vector<int>{1000, 0, 0, 0}));
    EXPECT_EQ(Ints(o.latitude, 4), (std::vector<int>{45, 46, -45, -10}));
    // East in the file is negative in the outline.
    EXPECT_EQ(Ints(o.longitude, 4), (std::vector<int>{-10, 9, -11, 0}));
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
        "0 1 2\n0 0x1p3 3\n0 3 4\n"s,            // hexadecimal, which strtof would take
        "0 1 2\n0 +-5 3\n0 3 4\n"s,              // two signs
        "0 1 2\n0 1e-50 3\n0 3 4\n"s,            // too small for a float
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

// Missing, empty, binary or short files give no coastline (and a short tail no point); the
// shared outline is read from the working directory.
TEST(CoastFiles, MissingEmptyOrShortFilesGiveNoCoastline) {
    CoastOutline o;
    o.count = 7;
    EXPECT_EQ(LoadCoastOutline("no_such_coast.txt", o), 0);
    EXPECT_EQ(o.count, 0);
    WriteFile("empty_coast.txt", "");
    EXPECT_EQ(LoadCoastOutline("empty_coast.txt", o), 0);
    WriteFile("binary_coast.txt", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11));
    EXPECT_EQ(LoadCoastOutline("binary_coast.txt", o), 0);
    EXPECT_EQ(LoadCoastOutline(nullptr, o), 0);

    std::vector<CoastMapRecord> r(3);
    EXPECT_FALSE(LoadMapCoastline("no_such_coast.bin", r));
    EXPECT_TRUE(r.empty());
    WriteFile("short_coast.bin", "\x06\x00\x01"s);
    EXPECT_TRUE(LoadMapCoastline("short_coast.bin", r));
    EXPECT_TRUE(r.empty());
    WriteFile("one_coast.bin", Record(6, 1, 2) + "\x00"s);
    EXPECT_TRUE(LoadMapCoastline("one_coast.bin", r));
    EXPECT_EQ(r.size(), 1u);

    ResetCoastOutline();
    EXPECT_EQ(TheCoastOutline().count, 0);
    WriteFile(kCoastOutlineFile, "1000 51.5 -0.1\n0 48.9 2.4\n");
    EXPECT_EQ(LoadCoastOutline().count, 2);
    EXPECT_EQ(TheCoastOutline().longitude[1], -2);
    std::remove(kCoastOutlineFile);
    ResetCoastOutline();
    EXPECT_EQ(TheCoastOutline().count, 0);
}

TEST(CoastMap, DecodesLittleEndianRecordsIgnoresAShortTailAndDropsPointsOffTheGlobe) {
    std::string bytes = Record(6, 5400, -10800) + Record(0, -300, 1234) + Record(2, -5400, 10800) + "\x07\x00\x01"s;
    std::vector<CoastMapRecord> r;
    EXPECT_EQ(ParseMapCoastline(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), r), 3u);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_TRUE(CoastMapStartsLine(r[0]));
    EXPECT_FALSE(CoastMapStartsLine(r[1]));
    EXPECT_EQ((std::vector<int>{r[0].latitude, r[0].longitude, r[1].latitude, r[1].longitude, r[2].code}),
              (std::vector<int>{5400, -10800, -300, 1234, 2}));
    // Points off the globe are dropped and break the line there.
    bytes = Record(6, 0, 0) + Record(0, 20000, 0) + Record(0, 10, 10) + Record(0, 20, 20) +
            Record(0, 0, -32768) + Record(9, 30, 30);
    ASSERT_EQ(ParseMapCoastline(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), r), 4u);
    EXPECT_TRUE(CoastMapStartsLine(r[1]));   // after the dropped record
    EXPECT_EQ(r[1].latitude, 10);
    EXPECT_FALSE(CoastMapStartsLine(r[2]));
    EXPECT_EQ(r[3].code, 9);                  // a real line start keeps its code
}

// Counts the lines of a shipped coastline, failing on any line of fewer than two points.
template <class StartsLine>
int CountLines(size_t n, StartsLine starts) {
    int lines = 0;
    size_t run = 0;
    for (size_t i = 0; i < n; ++i) {
        if (starts(i)) {
            EXPECT_TRUE(i == 0 || run >= 2) << "line ending at point " << i;
            ++lines;
            run = 0;
        }
        ++run;
    }
    EXPECT_GE(run, 2u);
    return lines;
}

// The files shipped in data/ must give the globes and the map a whole coastline.
TEST(ShippedData, CoarseOutlineIsFullSaneAndPutsEastWhereTheGlobesWantIt) {
    const char* path = HELIORA_SOURCE_DIR "/data/newcoast.txt";
    CoastPoints p;
    CoastOutline o;
    const int n = LoadCoastOutline(path, o);
    LoadCoastPoints(path, p);
    EXPECT_GT(n, 200);
    EXPECT_LE(n, kCoastPoints);
    EXPECT_GE(o.code[0], kCoastNewLine);
    EXPECT_GE(CountLines(n, [&](size_t i) { return o.code[i] >= kCoastNewLine; }), 10);
    // Outline longitudes are west positive: Japan and Korea, far east, come out negative,
    // North America positive.
    int east = 0, west = 0;
    for (int i = 0; i < n; ++i) {
        const int lat = o.latitude[i], lon = o.longitude[i];
        EXPECT_TRUE(lat >= -90 && lat <= 90 && lon >= -180 && lon <= 180) << i;
        east += lat >= 31 && lat <= 41 && lon <= -130 && lon >= -142;
        west += lat >= 25 && lat <= 50 && lon >= 65 && lon <= 125;
    }
    EXPECT_GT(east, 0);
    EXPECT_GT(west, 0);
    // The file must not run on past the cut: every line of it is a point.
    FILE* f = std::fopen(path, "r");
    ASSERT_NE(f, nullptr);
    int lines = 0;
    for (int c; (c = std::fgetc(f)) != EOF;) lines += c == '\n';
    std::fclose(f);
    EXPECT_EQ(lines, p.count);
}

TEST(ShippedData, MapOutlineIsDetailedAndSane) {
    std::vector<CoastMapRecord> r;
    ASSERT_TRUE(LoadMapCoastline(HELIORA_SOURCE_DIR "/data/coast5.bin", r));
    ASSERT_GT(r.size(), 5000u);
    EXPECT_TRUE(CoastMapStartsLine(r[0]));
    EXPECT_GT(CountLines(r.size(), [&](size_t i) { return CoastMapStartsLine(r[i]); }), 50);
    auto byLatitude = [](const CoastMapRecord& a, const CoastMapRecord& b) { return a.latitude < b.latitude; };
    EXPECT_LT(std::min_element(r.begin(), r.end(), byLatitude)->latitude, -60 * 60);  // Antarctica
    EXPECT_GT(std::max_element(r.begin(), r.end(), byLatitude)->latitude, 80 * 60);   // Greenland, Arctic
}

}  // namespace
