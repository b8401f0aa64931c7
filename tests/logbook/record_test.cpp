// SPDX-License-Identifier: GPL-3.0-or-later
// The stored record layout, text bounds and the entry time text.
#include <cmath>

#include "logbook_fixture.h"

using namespace logbook_test;

namespace {

int32_t I32At(const unsigned char* b, size_t at) { return int32_t(LittleEndian(b + at, 4)); }

double F64At(const unsigned char* b, size_t at) {
    const uint64_t u = LittleEndian(b + at, 8);
    double d;
    std::memcpy(&d, &u, 8);
    return d;
}

}  // namespace

TEST(LogEntryRecord, FieldsSitAtTheirOffsetsLittleEndian) {
    ResetModelState();
    SetModelRun(7);
    Series().latTemperature[1][360] = 288.125;
    Series().latEnergy[1][180] = 0x000A0B0C;
    Series().latDaylightMinutes[1][180] = -2;
    Settings().latitude[1] = -30;
    LogEntry e;
    ClearLogEntry(e);
    EntryFromModel(e);
    e.userNumber = 0xA1B2C3D4u;
    e.serialNumber = -5;
    CopyTextField(e.madeAt, kMadeAtSize, "made");
    CopyTextField(e.userName, kUserNameSize, "Guest User");
    CopyTextField(e.comments, kCommentsSize, "Enter comments here.");

    LogEntryBytes r;
    EncodeLogEntry(e, r.b);
    const unsigned char* b = r.b;
    const struct { size_t at; double v; } doubles[] = {
        {0, -3.5}, {8, 0.07}, {24, 257.0}, {24 + 8 * 361, 258.0}, {24 + 8 * (361 + 360), 288.125}};
    for (const auto& d : doubles) EXPECT_EQ(F64At(b, d.at), d.v) << "at " << d.at;
    const struct { size_t at; int32_t v; } ints[] = {
        {16, 7},    {20, -30}, {5800, 307}, {5804, 193}, {5808, 7} /* latEnergy[0][0] */,
        {7256, 194}, {7260 + 4 * 361, -2} /* latDaylightMinutes[1][180] */, {9128, -5}};
    for (const auto& i : ints) EXPECT_EQ(I32At(b, i.at), i.v) << "at " << i.at;
    EXPECT_EQ(b[5808 + 4 * 361 + 0], 0x0C);  // latEnergy[1][180], low byte first
    EXPECT_EQ(b[5808 + 4 * 361 + 2], 0x0A);
    EXPECT_EQ(b[8868], 0xD4);                // user number, low byte first
    EXPECT_EQ(b[8871], 0xA1);
    EXPECT_STREQ(reinterpret_cast<const char*>(b + 8708), "made");
    EXPECT_STREQ(reinterpret_cast<const char*>(b + 8872), "Guest User");
    EXPECT_STREQ(reinterpret_cast<const char*>(b + 9132), "Enter comments here.");

    // Decoding gives the same entry back, byte for byte once encoded again.
    LogEntry back;
    DecodeLogEntry(b, back);
    LogEntryBytes again;
    EncodeLogEntry(back, again.b);
    EXPECT_EQ(std::memcmp(r.b, again.b, kLogEntryBytes), 0);

    // The run fields go back into the model unchanged.
    ResetModelState();
    ASSERT_TRUE(EntryToModel(back));
    EXPECT_EQ(Settings().latitude[1], -30);
    EXPECT_EQ(Series().latTemperature[1][360], 288.125);
    EXPECT_EQ(Series().latEnergyMax, 194);
}

TEST(LogEntryRecord, TextsWithoutTerminatorStayInsideTheirFields) {
    LogEntryBytes r;
    std::memset(r.b, 'x', sizeof r.b);
    LogEntry e;
    DecodeLogEntry(r.b, e);
    EXPECT_EQ(std::strlen(e.madeAt), kMadeAtSize - 1);
    EXPECT_EQ(std::strlen(e.userName), kUserNameSize - 1);
    EXPECT_EQ(std::strlen(e.comments), kCommentsMaxChars);
}

TEST(LogEntryRecord, UnsoundRunsAreRefusedByTheModel) {
    ResetModelState();
    SetModelRun(3);
    LogEntry e;
    ClearLogEntry(e);
    EntryFromModel(e);
    EXPECT_TRUE(IsSoundRun(e.run));
    Settings().axisTilt = 12.0;

    // A shape, a latitude, a temperature no run can have: refused, the model untouched.
    for (int i = 0; i < 3; ++i) {
        LogEntry bad = e;
        if (i == 0) bad.run.orbitShape = NAN;
        if (i == 1) bad.run.latitude[0] = 1000000;
        if (i == 2) bad.run.latTemperature[1][200] = INFINITY;
        EXPECT_FALSE(IsSoundRun(bad.run)) << i;
        EXPECT_FALSE(EntryToModel(bad)) << i;
        EXPECT_EQ(Settings().axisTilt, 12.0) << i;
    }
}

// A twelve-hour clock, the day without a leading zero; a malformed text gives nothing.
TEST(EntryTime, TwelveHourClockAndDayWithoutLeadingZero) {
    const char* const cases[][2] = {
        {"Tue Mar 02 09:05:00 2004", "9:05 AM on Tuesday, March 2, 2004"},
        {"Sun Dec 12 00:07:59 2004", "12:07 AM on Sunday, December 12, 2004"},
        {"Sat Jan 01 12:00:00 2000", "12:00 PM on Saturday, January 1, 2000"},
        {"Wed Sep 30 23:59:00 2009", "11:59 PM on Wednesday, September 30, 2009"},
        {"", ""}, {"Tue Mar 02 09:05:00 200", ""}, {"Xyz Mar 02 09:05:00 2004", ""},
        {"Tue Foo 02 09:05:00 2004", ""}, {"Tue Mar 02 24:05:00 2004", ""},
        {"Tue Mar 02 09-05:00 2004", ""}, {"Tue Mar 02 09:05:00 20045", ""}};
    char out[kMadeAtSize];
    for (const auto& c : cases) {
        EXPECT_EQ(FormatEntryTimeText(c[0], out, sizeof out), *c[1] != '\0') << c[0];
        EXPECT_STREQ(out, c[1]);
    }
    char small[8];
    EXPECT_FALSE(FormatEntryTimeText("Tue Mar 02 09:05:00 2004", small, sizeof small));
    EXPECT_STREQ(small, "");
}
