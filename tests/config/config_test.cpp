// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// A record with every field distinct and non-zero, so a swapped offset shows.
ConfigRecord SampleRecord() {
    ConfigRecord r;
    r.homeLatitude = -33;
    r.printButton = 1;
    r.usersMode = 1;
    r.logbookEnabled = 1;
    r.singleCycleMode = 7;
    r.mainAnimationDelay = 40;
    r.changeTiltDelay = 31;
    r.dayLengthDelay = 62;
    r.orbitEnergyDelay = 33;
    r.seasonLengthDelay = 34;
    r.reserved40 = 5;
    r.idleTimeoutEnabled = 1;
    r.idleTimeoutSeconds = 120;
    r.displayDriverMode = 2;
    r.displayMode = 800;
    r.logbookFilesOff = 1;
    return r;
}

void WriteBytes(const std::string& path, const unsigned char* bytes, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes, 1, size, f), size);
    std::fclose(f);
}

// Decoding and encoding again gives the bytes a record stands for, padding aside.
std::string Reencoded(const unsigned char* bytes, size_t size) {
    unsigned char out[kConfigRecordSize];
    EncodeConfigRecord(DecodeConfigRecord(bytes, size), out);
    return std::string(reinterpret_cast<const char*>(out), sizeof out);
}

std::string TestFile(const char* suffix) {
    return std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + suffix;
}

// Each field at its offset, little-endian; on reading, only the low byte of a flag's slot and
// nothing past byte 63 counts.
TEST(ConfigRecord, FieldsSitAtTheirOffsetsLittleEndian) {
    unsigned char bytes[kConfigRecordSize];
    EncodeConfigRecord(SampleRecord(), bytes);
    const unsigned char home[4] = {0xDF, 0xFF, 0xFF, 0xFF};  // -33
    EXPECT_EQ(std::memcmp(bytes, home, 4), 0);
    // Offset and expected low byte of every other field.
    const int expected[][2] = {{4, 1},   {8, 1},   {12, 1},  {16, 7},   {20, 40}, {24, 31},
                               {28, 62}, {32, 33}, {36, 34}, {40, 5},   {44, 1},  {48, 120},
                               {52, 2},  {56, 0x20}, {57, 0x03}, {60, 1}};  // 800 = 0x320
    for (const auto& e : expected) EXPECT_EQ(bytes[e[0]], e[1]) << "offset " << e[0];
    for (size_t i = 64; i < kConfigRecordSize; ++i) EXPECT_EQ(bytes[i], 0) << i;
    const std::string stored(reinterpret_cast<const char*>(bytes), sizeof bytes);
    EXPECT_EQ(Reencoded(bytes, sizeof bytes), stored);

    for (size_t i = 64; i < kConfigRecordSize; ++i) bytes[i] = 0xA5;
    for (size_t slot : {4, 8, 12, 40, 44, 60})
        for (size_t i = 1; i < 4; ++i) bytes[slot + i] = 0xFF;
    EXPECT_EQ(Reencoded(bytes, sizeof bytes), stored);
}

// Always the guest without printing, whatever the file says; the rest follows the record.
TEST(StartUpRules, GuestFilesOffDriverModeAndFrameDelay) {
    ConfigRecord r = SampleRecord();  // users mode 1, print button 1
    ResetConfiguration();
    ApplyConfiguration(r);
    EXPECT_EQ(UsersMode(), 0);
    EXPECT_EQ(PrintButtonFlag(), 0);
    EXPECT_EQ(CurrentUserNumber(), 0);
    EXPECT_STREQ(CurrentUserName(), "Guest User");
    EXPECT_EQ(HomeLatitude(), -33);
    // A disabled logbook turns the files off; an enabled one keeps the stored flag.
    const int files[][3] = {{0, 0, 1}, {1, 0, 0}, {1, 1, 1}};  // enabled, files off, in effect
    for (const auto& f : files) {
        r.logbookEnabled = uint8_t(f[0]);
        r.logbookFilesOff = uint8_t(f[1]);
        ApplyConfiguration(r);
        EXPECT_EQ(LogbookFilesOff(), f[2]) << f[0] << " " << f[1];
    }
    // The automatic driver mode becomes mixed; stored modes stay.
    const int modes[][2] = {{0, 1}, {1, 1}, {2, 2}, {7, 7}, {-1, -1}};
    for (const auto& m : modes) {
        r.displayDriverMode = m[0];
        ApplyConfiguration(r);
        EXPECT_EQ(DisplayDriverMode(), m[1]) << "stored " << m[0];
    }
    // The main frame delay scales with the speed.
    r.mainAnimationDelay = 10;
    ApplyConfiguration(r);
    const int delays[7] = {230, 140, 70, 10, 5, 2, 1};
    for (int speed = 0; speed <= 6; ++speed) EXPECT_EQ(MainFrameDelay(speed), delays[speed]) << speed;
}

// A whole file and a short one are read; a missing or unreadable one changes nothing.
TEST(LoadConfiguration, ReadsAFileAndAShortFileButNoFolder) {
    unsigned char bytes[kConfigRecordSize];
    EncodeConfigRecord(SampleRecord(), bytes);
    const std::string full = TestFile(".full.bin");
    WriteBytes(full, bytes, sizeof bytes);
    ResetConfiguration();
    ASSERT_TRUE(LoadConfigurationFrom(full.c_str()));
    EXPECT_EQ(HomeLatitude(), -33);
    EXPECT_EQ(DisplayMode(), 800);
    EXPECT_FALSE(LoadConfigurationFrom("no-such-config.bin"));
    const std::string dir = TestFile(".dir");
    ::mkdir(dir.c_str(), 0755);
    EXPECT_FALSE(LoadConfigurationFrom(dir.c_str()));  // opens, but cannot be read
    ::rmdir(dir.c_str());
    EXPECT_EQ(DisplayMode(), 800);

    // 16 bytes: up to the logbook flag; the delays, modes and files-off flag read as zero.
    const std::string part = TestFile(".short.bin");
    WriteBytes(part, bytes, 16);
    ASSERT_TRUE(LoadConfigurationFrom(part.c_str()));
    EXPECT_EQ(HomeLatitude(), -33);
    EXPECT_EQ(LogbookEnabled(), 1);
    EXPECT_EQ(LogbookFilesOff(), 0);
    EXPECT_EQ(MainAnimationDelay(), 0);
    EXPECT_EQ(IdleTimeoutSeconds(), 0);
    EXPECT_EQ(DisplayDriverMode(), 1);  // read as 0, then chosen automatically
    EXPECT_EQ(DisplayMode(), 0);
    std::remove(full.c_str());
    std::remove(part.c_str());
}

// A record is damaged when it is short or holds a value the program cannot use; the words
// name the field and the value. Bounds are sound, one past them damaged; flags may be any byte.
TEST(ConfigRecordProblem, ShortRecordsAndValuesOutOfRange) {
    ConfigRecord sound = SampleRecord();
    sound.printButton = 200;
    sound.logbookFilesOff = 7;
    const struct {
        void (*change)(ConfigRecord&);
        size_t size;
        const char* problem;  // empty: sound
    } cases[] = {
        {[](ConfigRecord&) {}, 80, ""},
        {[](ConfigRecord&) {}, 0, "it holds 0 bytes; a configuration needs 80"},
        {[](ConfigRecord&) {}, 79, "it holds 79 bytes; a configuration needs 80"},
        {[](ConfigRecord& r) { r.homeLatitude = -90; r.displayMode = 0; }, 80, ""},
        {[](ConfigRecord& r) { r.homeLatitude = 91; }, 80,
         "its home latitude is 91, not -90 to 90"},
        {[](ConfigRecord& r) { r.singleCycleMode = -1; }, 80, "its single-cycle length is -1"},
        {[](ConfigRecord& r) { r.mainAnimationDelay = 10000; r.idleTimeoutSeconds = 86400; }, 80,
         ""},
        {[](ConfigRecord& r) { r.seasonLengthDelay = 10001; }, 80,
         "its season-length delay is 10001"},
        {[](ConfigRecord& r) { r.changeTiltDelay = -5; }, 80, "its Change Tilt delay is -5"},
        {[](ConfigRecord& r) { r.idleTimeoutSeconds = -1; }, 80, "its idle time-out is -1"},
        {[](ConfigRecord& r) { r.displayDriverMode = 171253846; }, 80,
         "its display-driver mode is 171253846, not 0, 1 or 2"},
        {[](ConfigRecord& r) { r.displayMode = 640; }, 80,
         "its display mode is 640, not 0, 800 or 1024"},
    };
    for (const auto& c : cases) {
        ConfigRecord r = sound;
        c.change(r);
        const std::string problem = ConfigRecordProblem(r, c.size);
        if (*c.problem == '\0')
            EXPECT_EQ(problem, "") << c.size;
        else
            EXPECT_EQ(problem.rfind(c.problem, 0), 0u) << problem;
    }
}

}  // namespace
