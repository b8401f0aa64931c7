// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh working directory per test (with a sibling ../Administrator) and the process-wide
// state reset around it.
#pragma once
#include <gtest/gtest.h>
#include <sys/inotify.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "logbook/logbook.h"
#include "model/model.h"
#include "config/config.h"
#include "config/logbook_file.h"
#include "config/logbook_file_ops.h"
#include "tests/support/program_fixture.h"

namespace logbook_test {

inline time_t gFixedTime = 0;
inline time_t FixedClock() { return gFixedTime; }

// A missing file reads as empty.
inline std::vector<unsigned char> ReadFileBytes(const char* name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const char* name, const std::vector<unsigned char>& bytes) {
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.flush()) << name;
}

inline bool FileExists(const char* name) { return ProgramFixture::FileSize(name) >= 0; }

// The n-byte little-endian value at b.
inline uint64_t LittleEndian(const unsigned char* b, int n) {
    uint64_t v = 0;
    while (n-- > 0) v = v << 8 | b[n];
    return v;
}

// A recognisable run: every value derives from `seed`.
inline void SetModelRun(int seed) {
    ModelSettings& s = Settings();
    YearSeries& y = Series();
    s.axisTilt = -seed * 0.5;
    s.orbitShape = (seed % 50) / 100.0;
    s.latitude[0] = seed % 90;
    s.latitude[1] = kNoLatitude;
    for (int l = 0; l < 2; ++l) {
        for (int d = 0; d < 361; ++d) y.latTemperature[l][d] = 250.0 + seed + l + d / 1000.0;
        for (int k = 0; k < kHalfYearSteps; ++k) {
            y.latEnergy[l][k] = seed + k + 7 * l;
            y.latDaylightMinutes[l][k] = (seed * 3 + k) % 1440;
        }
    }
    y.tempAxisMax = 300 + seed;
    y.tempAxisMin = 200 - seed;
    y.latEnergyMax = seed + 180 + 7;
}

// A stored record with the given user, number and run seed.
inline LogEntryBytes MakeRecord(uint32_t user, int32_t serial, int seed, const char* comments) {
    SetModelRun(seed);
    LogEntry e;
    ClearLogEntry(e);
    EntryFromModel(e);
    CopyTextField(e.madeAt, kMadeAtSize, "9:05 AM on Tuesday, March 2, 2004");
    e.userNumber = user;
    CopyTextField(e.userName, kUserNameSize, user == 0 ? "Guest User" : "Someone Else");
    e.serialNumber = serial;
    CopyTextField(e.comments, kCommentsSize, comments);
    LogEntryBytes r;
    EncodeLogEntry(e, r.b);
    return r;
}

// The stored bytes of a run, for comparing runs without their in-memory padding.
inline std::vector<unsigned char> RunBytes(const RunSnapshot& run) {
    std::vector<unsigned char> bytes(kRunSnapshotBytes);
    EncodeRunSnapshot(run, bytes.data());
    return bytes;
}

inline void WriteRecords(const char* name, const std::vector<LogEntryBytes>& records,
                         size_t extraTail = 0) {
    std::vector<unsigned char> bytes;
    for (const LogEntryBytes& r : records) bytes.insert(bytes.end(), r.b, r.b + kLogEntryBytes);
    bytes.resize(bytes.size() + extraTail, 0xAB);
    WriteFileBytes(name, bytes);
}

inline std::vector<LogEntry> ReadRecords(const char* name) {
    std::vector<LogEntry> out;
    std::vector<unsigned char> bytes = ReadFileBytes(name);
    for (size_t at = 0; at + kLogEntryBytes <= bytes.size(); at += kLogEntryBytes) {
        out.emplace_back();
        DecodeLogEntry(bytes.data() + at, out.back());
    }
    return out;
}

// The entries as stored: logbook.bin's records, or with the logbook in memory only the filled
// slots.
inline std::vector<LogEntry> StoredEntries(bool memoryOnly) {
    if (!memoryOnly) return ReadRecords("logbook.bin");
    std::vector<LogEntry> out;
    for (int i = 0; i < kLogbookSlotCount; ++i)
        if (LogbookSlots()[i].serialNumber != 0) out.push_back(LogbookSlots()[i]);
    return out;
}

using Numbers = std::vector<int32_t>;

inline Numbers SerialNumbers(const std::vector<LogEntry>& entries) {
    Numbers n;
    for (const LogEntry& e : entries) n.push_back(e.serialNumber);
    return n;
}

// The serial numbers stored in a logbook file, in order.
inline Numbers FileNumbers(const char* name) { return SerialNumbers(ReadRecords(name)); }

// The numbers of the first `count` slots.
inline Numbers SlotNumbers(int count = kLogbookSlotCount) {
    Numbers n;
    for (int i = 0; i < count; ++i) n.push_back(LogbookSlots()[i].serialNumber);
    return n;
}

// Saves the runs of seeds from..to, one after another.
inline void SaveRuns(int from, int to) {
    for (int i = from; i <= to; ++i) {
        SetModelRun(i);
        ASSERT_TRUE(SaveInLogbook());
    }
}

inline void UseConfiguration(bool filesOff) {
    ResetConfiguration();
    ConfigRecord r;
    r.logbookEnabled = 1;
    r.logbookFilesOff = filesOff ? 1 : 0;
    ApplyConfiguration(r);
}

// The logbook in its files, both of them chosen as the NavBar's buttons choose them.
class LogbookFiles : public ProgramFixture {
protected:
    void SetUp() override {
        EnterFreshFolder("logbook_run");
        ASSERT_EQ(mkdir("work", 0755), 0);
        ASSERT_EQ(mkdir("Administrator", 0755), 0);
        ASSERT_EQ(chdir("work"), 0);
        setenv("TZ", "UTC0", 1);
        tzset();
        UseConfiguration(false);
        ResetLogbookFileState();
        ResetFileOps();
        ResetLogbookState();
        ResetModelState();
        gFixedTime = 1078218300;  // Tue Mar 02 09:05:00 2004 UTC
        gLogbook.clock = FixedClock;
        ChooseLogbookFileForOpen();
        ChooseLogbookFileForSave();
    }
    void TearDown() override {
        ASSERT_EQ(chdir(home.c_str()), 0);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

// What happened to the files of the working directory while a watch was open.
struct FileEvent {
    std::string name;
    uint32_t mask;
};

inline int WatchWorkingDirectory() {
    int watch = inotify_init1(IN_NONBLOCK);
    if (watch >= 0 && inotify_add_watch(watch, ".", IN_ALL_EVENTS) < 0) {
        close(watch);
        return -1;
    }
    return watch;
}

// Closes the watch and returns the events it saw, in order.
inline std::vector<FileEvent> EndWatch(int watch) {
    std::vector<FileEvent> events;
    alignas(inotify_event) char buf[16384];
    ssize_t n;
    while ((n = read(watch, buf, sizeof buf)) > 0)
        for (char* p = buf; p < buf + n;) {
            auto* ev = reinterpret_cast<inotify_event*>(p);
            if (ev->len > 0) events.push_back({ev->name, ev->mask});
            p += sizeof(inotify_event) + ev->len;
        }
    close(watch);
    return events;
}

// Writes an administrator's list holding the given user numbers, scrambled as stored.
inline void WriteAdminList(const std::vector<uint32_t>& users, size_t extraTail = 0) {
    static const unsigned char kKey[7] = {0x3C, 0x91, 0x5E, 0x07, 0xD4, 0x6A, 0xB2};
    std::vector<unsigned char> bytes(kAdminHeaderBytes, 0x55);
    for (uint32_t u : users) {
        unsigned char plain[kAdminRecordBytes] = {};
        std::snprintf(reinterpret_cast<char*>(plain), 40, "user %u", u);
        for (int i = 0; i < 4; ++i) plain[kAdminUserNumberOffset + i] = uint8_t(u >> (8 * i));
        for (size_t i = 0; i < kAdminRecordBytes; ++i)
            bytes.push_back(uint8_t(~plain[i] ^ kKey[i % 7]));
    }
    bytes.resize(bytes.size() + extraTail, 0x11);
    WriteFileBytes("../Administrator/admin.bin", bytes);
}

}  // namespace logbook_test
