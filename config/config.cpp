// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

ConfigState gConfig;

void ResetConfiguration() { gConfig = ConfigState(); }

namespace {

int32_t ReadI32(const unsigned char* bytes, size_t size, size_t offset) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        if (offset + i < size) v |= uint32_t(bytes[offset + i]) << (8 * i);
    return int32_t(v);
}

uint8_t ReadU8(const unsigned char* bytes, size_t size, size_t offset) {
    return offset < size ? bytes[offset] : 0;
}

void WriteI32(unsigned char* out, size_t offset, int32_t value) {
    uint32_t v = uint32_t(value);
    for (size_t i = 0; i < 4; ++i) out[offset + i] = uint8_t(v >> (8 * i));
}

}  // namespace

ConfigRecord DecodeConfigRecord(const unsigned char* bytes, size_t size) {
    ConfigRecord r;
    r.homeLatitude = ReadI32(bytes, size, 0);
    r.printButton = ReadU8(bytes, size, 4);
    r.usersMode = ReadU8(bytes, size, 8);
    r.logbookEnabled = ReadU8(bytes, size, 12);
    r.singleCycleMode = ReadI32(bytes, size, 16);
    r.mainAnimationDelay = ReadI32(bytes, size, 20);
    r.changeTiltDelay = ReadI32(bytes, size, 24);
    r.dayLengthDelay = ReadI32(bytes, size, 28);
    r.orbitEnergyDelay = ReadI32(bytes, size, 32);
    r.seasonLengthDelay = ReadI32(bytes, size, 36);
    r.reserved40 = ReadU8(bytes, size, 40);
    r.idleTimeoutEnabled = ReadU8(bytes, size, 44);
    r.idleTimeoutSeconds = ReadI32(bytes, size, 48);
    r.displayDriverMode = ReadI32(bytes, size, 52);
    r.displayMode = ReadI32(bytes, size, 56);
    r.logbookFilesOff = ReadU8(bytes, size, 60);
    return r;
}

void EncodeConfigRecord(const ConfigRecord& r, unsigned char out[kConfigRecordSize]) {
    std::memset(out, 0, kConfigRecordSize);
    WriteI32(out, 0, r.homeLatitude);
    out[4] = r.printButton;
    out[8] = r.usersMode;
    out[12] = r.logbookEnabled;
    WriteI32(out, 16, r.singleCycleMode);
    WriteI32(out, 20, r.mainAnimationDelay);
    WriteI32(out, 24, r.changeTiltDelay);
    WriteI32(out, 28, r.dayLengthDelay);
    WriteI32(out, 32, r.orbitEnergyDelay);
    WriteI32(out, 36, r.seasonLengthDelay);
    out[40] = r.reserved40;
    out[44] = r.idleTimeoutEnabled;
    WriteI32(out, 48, r.idleTimeoutSeconds);
    WriteI32(out, 52, r.displayDriverMode);
    WriteI32(out, 56, r.displayMode);
    out[60] = r.logbookFilesOff;
}

void ApplyConfiguration(const ConfigRecord& record) {
    gConfig.record = record;
    ConfigRecord& r = gConfig.record;
    // Automatic driver choice: Linux has no workstation/server split of display drivers,
    // so automatic means mixed hardware and emulation.
    if (r.displayDriverMode == 0) r.displayDriverMode = 1;
    // Without logbook buttons nobody may touch the logbook files either.
    if (r.logbookEnabled == 0) r.logbookFilesOff = 1;
    // The program always runs as the guest: one user, starting at the main screen, no printing.
    gConfig.currentUserNumber = 0;
    std::snprintf(gConfig.currentUserName, sizeof gConfig.currentUserName, "%s", "Guest User");
    r.usersMode = 0;
    r.printButton = 0;
}

namespace {

// The first record of the file and how many bytes of it were there; false when the file cannot
// be opened or read (a directory opens but cannot be read: unreadable, not empty).
bool ReadRecordFile(const char* path, ConfigRecord& record, size_t& got) {
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    unsigned char bytes[kConfigRecordSize] = {};
    got = std::fread(bytes, 1, sizeof bytes, f);
    const bool readFailed = std::ferror(f) != 0;
    std::fclose(f);
    if (readFailed) return false;
    record = DecodeConfigRecord(bytes, got);
    return true;
}

std::string OutOfRange(const char* what, int32_t value, const char* range) {
    return std::string("its ") + what + " is " + std::to_string(value) + ", not " + range;
}

}  // namespace

std::string ConfigRecordProblem(const ConfigRecord& r, size_t storedSize) {
    if (storedSize < kConfigRecordSize)
        return "it holds " + std::to_string(storedSize) + " bytes; a configuration needs " +
               std::to_string(kConfigRecordSize);
    const auto outside = [](int32_t v, int32_t lo, int32_t hi) { return v < lo || v > hi; };
    if (outside(r.homeLatitude, -90, 90))
        return OutOfRange("home latitude", r.homeLatitude, "-90 to 90");
    if (outside(r.singleCycleMode, 0, 1000000))
        return OutOfRange("single-cycle length", r.singleCycleMode, "0 to 1000000");
    const struct {
        const char* what;
        int32_t value;
    } delays[] = {{"main animation delay", r.mainAnimationDelay},
                  {"Change Tilt delay", r.changeTiltDelay},
                  {"day-length delay", r.dayLengthDelay},
                  {"orbit-energy delay", r.orbitEnergyDelay},
                  {"season-length delay", r.seasonLengthDelay}};
    for (const auto& d : delays)
        if (outside(d.value, 0, 10000)) return OutOfRange(d.what, d.value, "0 to 10000 ms");
    if (outside(r.idleTimeoutSeconds, 0, 86400))
        return OutOfRange("idle time-out", r.idleTimeoutSeconds, "0 to 86400 seconds");
    if (outside(r.displayDriverMode, 0, 2))
        return OutOfRange("display-driver mode", r.displayDriverMode, "0, 1 or 2");
    if (r.displayMode != 0 && r.displayMode != 800 && r.displayMode != 1024)
        return OutOfRange("display mode", r.displayMode, "0, 800 or 1024");
    return "";
}

bool CheckConfigurationFile(const char* path, std::string& problem) {
    ConfigRecord record;
    size_t got = 0;
    if (!ReadRecordFile(path, record, got)) return false;
    problem = ConfigRecordProblem(record, got);
    return true;
}

bool LoadConfigurationFrom(const char* path) {
    ConfigRecord record;
    size_t got = 0;
    if (!ReadRecordFile(path, record, got)) return false;
    ApplyConfiguration(record);
    return true;
}

ConfigLoad LoadConfiguration(std::string& error) {
    ConfigRecord record;
    size_t got = 0;
    if (!ReadRecordFile(kConfigFileName, record, got)) {
        error = "Couldn't find configuration file, aborting program.";
        return ConfigLoad::Missing;
    }
    const std::string problem = ConfigRecordProblem(record, got);
    if (!problem.empty()) {
        // The full name, so a teacher can find the file to mend or replace.
        char cwd[4096];
        const std::string dir = getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" : "";
        error = dir + kConfigFileName + " is damaged: " + problem + ".";
        return ConfigLoad::Damaged;
    }
    ApplyConfiguration(record);
    return ConfigLoad::Loaded;
}

int HomeLatitude() { return gConfig.record.homeLatitude; }
int PrintButtonFlag() { return gConfig.record.printButton; }
int UsersMode() { return gConfig.record.usersMode; }
int LogbookEnabled() { return gConfig.record.logbookEnabled; }
int SingleCycleMode() { return gConfig.record.singleCycleMode; }
int MainAnimationDelay() { return gConfig.record.mainAnimationDelay; }
int ChangeTiltDelay() { return gConfig.record.changeTiltDelay; }
int DayLengthDelay() { return gConfig.record.dayLengthDelay; }
int OrbitEnergyDelay() { return gConfig.record.orbitEnergyDelay; }
int SeasonLengthDelay() { return gConfig.record.seasonLengthDelay; }
int ReservedFlag() { return gConfig.record.reserved40; }
int IdleTimeoutEnabled() { return gConfig.record.idleTimeoutEnabled; }
int IdleTimeoutSeconds() { return gConfig.record.idleTimeoutSeconds; }
int DisplayDriverMode() { return gConfig.record.displayDriverMode; }
int DisplayMode() { return gConfig.record.displayMode; }
int LogbookFilesOff() { return gConfig.record.logbookFilesOff; }
int CurrentUserNumber() { return gConfig.currentUserNumber; }
const char* CurrentUserName() { return gConfig.currentUserName; }

int MainFrameDelay(int animationSpeed) {
    // The delay comes straight from the file: reckoned wide, so a huge one cannot overflow.
    const int64_t delay = MainAnimationDelay();
    int64_t result;
    switch (animationSpeed) {
        case 0: result = delay * 8 + 150; break;
        case 1: result = delay * 4 + 100; break;
        case 2: result = delay * 2 + 50; break;
        case 3: result = delay; break;
        case 4: result = delay / 2; break;
        case 5: result = delay / 4; break;
        default: result = delay / 8; break;
    }
    return int(std::min<int64_t>(std::max<int64_t>(result, INT32_MIN), INT32_MAX));
}
