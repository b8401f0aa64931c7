// SPDX-License-Identifier: GPL-3.0-or-later
#include "logbook/log_entry.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "config/logbook_file_ops.h"

static_assert(std::numeric_limits<double>::is_iec559, "records store IEEE doubles");

namespace {

uint32_t GetU32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

int32_t GetI32(const unsigned char* p) {
    uint32_t u = GetU32(p);
    int32_t v;
    std::memcpy(&v, &u, 4);
    return v;
}

double GetF64(const unsigned char* p) {
    uint64_t u = uint64_t(GetU32(p)) | uint64_t(GetU32(p + 4)) << 32;
    double v;
    std::memcpy(&v, &u, 8);
    return v;
}

void PutU32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

void PutI32(unsigned char* p, int32_t v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    PutU32(p, u);
}

void PutF64(unsigned char* p, double v) {
    uint64_t u;
    std::memcpy(&u, &v, 8);
    PutU32(p, uint32_t(u));
    PutU32(p + 4, uint32_t(u >> 32));
}

// Copies a stored text and makes sure it ends inside its field: a record without a NUL
// must not let a reader run past the field.
void GetText(const unsigned char* p, char* field, size_t fieldSize, size_t maxChars) {
    std::memcpy(field, p, fieldSize);
    field[maxChars] = '\0';
}

bool FiniteAndSane(double v) { return std::isfinite(v) && std::fabs(v) <= 1e6; }
bool Sane(int32_t v) { return v >= -1000000 && v <= 1000000; }

}  // namespace

void DecodeRunSnapshot(const unsigned char* b, RunSnapshot& r) {
    r.axisTilt = GetF64(b + kOffAxisTilt);
    r.orbitShape = GetF64(b + kOffOrbitShape);
    r.latitude[0] = GetI32(b + kOffLatitude);
    r.latitude[1] = GetI32(b + kOffLatitude + 4);
    for (int l = 0; l < 2; ++l)
        for (int d = 0; d < 361; ++d)
            r.latTemperature[l][d] = GetF64(b + kOffLatTemperature + 8 * (361 * l + d));
    r.tempAxisMax = GetI32(b + kOffTempAxisMax);
    r.tempAxisMin = GetI32(b + kOffTempAxisMin);
    for (int l = 0; l < 2; ++l)
        for (int s = 0; s < kHalfYearSteps; ++s) {
            size_t i = 4 * size_t(kHalfYearSteps * l + s);
            r.latEnergy[l][s] = GetI32(b + kOffLatEnergy + i);
            r.latDaylightMinutes[l][s] = GetI32(b + kOffLatDaylightMinutes + i);
        }
    r.latEnergyMax = GetI32(b + kOffLatEnergyMax);
}

void EncodeRunSnapshot(const RunSnapshot& r, unsigned char* b) {
    PutF64(b + kOffAxisTilt, r.axisTilt);
    PutF64(b + kOffOrbitShape, r.orbitShape);
    PutI32(b + kOffLatitude, r.latitude[0]);
    PutI32(b + kOffLatitude + 4, r.latitude[1]);
    for (int l = 0; l < 2; ++l)
        for (int d = 0; d < 361; ++d)
            PutF64(b + kOffLatTemperature + 8 * (361 * l + d), r.latTemperature[l][d]);
    PutI32(b + kOffTempAxisMax, r.tempAxisMax);
    PutI32(b + kOffTempAxisMin, r.tempAxisMin);
    for (int l = 0; l < 2; ++l)
        for (int s = 0; s < kHalfYearSteps; ++s) {
            size_t i = 4 * size_t(kHalfYearSteps * l + s);
            PutI32(b + kOffLatEnergy + i, r.latEnergy[l][s]);
            PutI32(b + kOffLatDaylightMinutes + i, r.latDaylightMinutes[l][s]);
        }
    PutI32(b + kOffLatEnergyMax, r.latEnergyMax);
}

void DecodeLogEntry(const unsigned char* b, LogEntry& e) {
    DecodeRunSnapshot(b, e.run);
    GetText(b + kOffMadeAt, e.madeAt, kMadeAtSize, kMadeAtSize - 1);
    e.userNumber = GetU32(b + kOffUserNumber);
    GetText(b + kOffUserName, e.userName, kUserNameSize, kUserNameSize - 1);
    e.serialNumber = GetI32(b + kOffSerialNumber);
    GetText(b + kOffComments, e.comments, kCommentsSize, kCommentsMaxChars);
}

void EncodeLogEntry(const LogEntry& e, unsigned char* b) {
    EncodeRunSnapshot(e.run, b);
    std::memcpy(b + kOffMadeAt, e.madeAt, kMadeAtSize);
    PutU32(b + kOffUserNumber, e.userNumber);
    std::memcpy(b + kOffUserName, e.userName, kUserNameSize);
    PutI32(b + kOffSerialNumber, e.serialNumber);
    std::memcpy(b + kOffComments, e.comments, kCommentsSize);
}

uint32_t StoredUserNumber(const LogEntryBytes& r) { return GetU32(r.b + kOffUserNumber); }
int32_t StoredSerialNumber(const LogEntryBytes& r) { return GetI32(r.b + kOffSerialNumber); }
void SetStoredSerialNumber(LogEntryBytes& r, int32_t n) { PutI32(r.b + kOffSerialNumber, n); }

bool ReadLogEntryRecord(RecordReader& in, LogEntryBytes& out) {
    if (!in.file || in.failed) return false;
    const long n = FileRead(in.file, out.b, kLogEntryBytes);
    if (n < 0) in.failed = true;
    return n == long(kLogEntryBytes);
}

bool WriteLogEntryRecord(FILE* file, const LogEntryBytes& record) {
    return FileWrite(file, record.b, kLogEntryBytes);
}

void ClearLogEntry(LogEntry& e) { std::memset(&e, 0, sizeof e); }

void CopyTextField(char* field, size_t fieldSize, const char* text) {
    std::memset(field, 0, fieldSize);
    if (!text || fieldSize == 0) return;
    size_t n = strnlen(text, fieldSize - 1);
    std::memcpy(field, text, n);
}

bool IsSoundRun(const RunSnapshot& r) {
    if (!std::isfinite(r.axisTilt) || r.axisTilt < -90 || r.axisTilt > 90) return false;
    if (!std::isfinite(r.orbitShape) || r.orbitShape < 0 || r.orbitShape >= 1) return false;
    if (r.latitude[0] < -90 || r.latitude[0] > 90) return false;
    // Any second latitude above 90 means none.
    if (r.latitude[1] < -90) return false;
    for (const auto& row : r.latTemperature)
        for (double v : row)
            if (!FiniteAndSane(v)) return false;
    if (!Sane(r.tempAxisMax) || !Sane(r.tempAxisMin) || !Sane(r.latEnergyMax)) return false;
    for (int l = 0; l < 2; ++l)
        for (int s = 0; s < kHalfYearSteps; ++s)
            if (!Sane(r.latEnergy[l][s]) || !Sane(r.latDaylightMinutes[l][s])) return false;
    return true;
}

void EntryFromModel(LogEntry& entry) { TakeRunSnapshot(entry.run); }

bool EntryToModel(const LogEntry& entry) {
    if (!IsSoundRun(entry.run)) return false;
    RestoreRunSnapshot(entry.run);
    return true;
}
