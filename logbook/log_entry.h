// SPDX-License-Identifier: GPL-3.0-or-later
// One saved run (LogEntry) and its stored form: 10160 bytes, little-endian, no padding.
// Files hold plain sequences of these records.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "model/model.h"

constexpr size_t kLogEntryBytes = 10160;
constexpr size_t kMadeAtSize = 160;
constexpr size_t kUserNameSize = 256;
constexpr size_t kCommentsSize = 1028;
constexpr size_t kCommentsMaxChars = 1023;  // what the comment editor lets a pupil type

// Byte offsets of the stored fields.
constexpr size_t kOffAxisTilt = 0;
constexpr size_t kOffOrbitShape = 8;
constexpr size_t kOffLatitude = 16;
constexpr size_t kOffLatTemperature = 24;
constexpr size_t kOffTempAxisMax = 5800;
constexpr size_t kOffTempAxisMin = 5804;
constexpr size_t kOffLatEnergy = 5808;
constexpr size_t kOffLatEnergyMax = 7256;
constexpr size_t kOffLatDaylightMinutes = 7260;
constexpr size_t kOffMadeAt = 8708;
constexpr size_t kOffUserNumber = 8868;
constexpr size_t kOffUserName = 8872;
constexpr size_t kOffSerialNumber = 9128;
constexpr size_t kOffComments = 9132;

static_assert(kOffMadeAt == size_t(kRunSnapshotBytes), "the run snapshot leads the record");
static_assert(kOffComments + kCommentsSize == kLogEntryBytes, "record size");

// In memory. Texts are always NUL-terminated within their fields once decoded.
struct LogEntry {
    RunSnapshot run;              // bytes 0..8707: settings and per-latitude series
    char madeAt[kMadeAtSize];     // time of saving, "9:05 AM on Tuesday, March 2, 2004"
    uint32_t userNumber;          // 0 is the guest
    char userName[kUserNameSize];
    int32_t serialNumber;         // >0 saved, <0 marked for deletion, 0 empty slot
    char comments[kCommentsSize];
};

// The stored bytes of one record.
struct LogEntryBytes {
    unsigned char b[kLogEntryBytes];
};

// Field-by-field conversion. Decoding bounds every text by its field (madeAt and userName
// by their last byte, comments by its 1023-character limit), whatever the bytes hold.
void DecodeLogEntry(const unsigned char* bytes, LogEntry& out);
void EncodeLogEntry(const LogEntry& entry, unsigned char* out);
void DecodeRunSnapshot(const unsigned char* bytes, RunSnapshot& out);
void EncodeRunSnapshot(const RunSnapshot& run, unsigned char* out);

// The two fields the file operations look at without decoding a whole record.
uint32_t StoredUserNumber(const LogEntryBytes& record);
int32_t StoredSerialNumber(const LogEntryBytes& record);
void SetStoredSerialNumber(LogEntryBytes& record, int32_t serialNumber);

// Reads the records of a file one after another. A short tail is the end of the file; a read
// error sets `failed`, so that no rewrite takes it for the end and drops the records after it.
struct RecordReader {
    FILE* file = nullptr;
    bool failed = false;
};
// One whole record; false at the end of the file, on a short tail or on a read error.
bool ReadLogEntryRecord(RecordReader& in, LogEntryBytes& out);
bool WriteLogEntryRecord(FILE* file, const LogEntryBytes& record);

// A fresh entry: all bytes zero.
void ClearLogEntry(LogEntry& entry);

// Copies a text into a fixed field, cutting it to fit and zero-filling the rest.
void CopyTextField(char* field, size_t fieldSize, const char* text);

// Whether the run fields are fit to hand to the model or to draw: settings within their
// ranges and every series value finite and of sane size. Records come from files anyone
// may have edited.
bool IsSoundRun(const RunSnapshot& run);

// The entry's run fields to and from the model's settings and series. EntryToModel
// refuses (returns false, touching nothing) a run that is not sound.
void EntryFromModel(LogEntry& entry);
bool EntryToModel(const LogEntry& entry);
